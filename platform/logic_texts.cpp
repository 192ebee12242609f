// Texts of the logic libraries in the language of the user interface.
#include "platform/logic_texts.h"

#include <QCoreApplication>
#include <QRegularExpression>
#include <vector>

namespace vx {

namespace {

constexpr const char* kContext = "LogicText";

// Whole texts, as the logic libraries write them (blanks around a text are
// kept and need not be listed). The list is what lupdate reads; a text is
// looked up by itself.
const char* const kTexts[] = {
    // Element table files.
    QT_TRANSLATE_NOOP("LogicText", "ファイルがありません"),
    QT_TRANSLATE_NOOP("LogicText", "ファイルが途中で切れています"),
    QT_TRANSLATE_NOOP("LogicText", "データ数が 0～1999 の範囲外です"),
    // Workbook reading: why a workbook could not be read.
    QT_TRANSLATE_NOOP("LogicText", "ファイルではありません"),
    QT_TRANSLATE_NOOP("LogicText", "ファイルを開けません"),
    QT_TRANSLATE_NOOP("LogicText", "ファイルが大きすぎます（100 MB まで）"),
    QT_TRANSLATE_NOOP("LogicText", "ブック（.xls、.xlsx、.ods）ではありません"),
    QT_TRANSLATE_NOOP("LogicText", "ブックが壊れています"),
    QT_TRANSLATE_NOOP("LogicText", "ブックがパスワードで保護されています。パスワードを付けずに保存し直してください"),
    QT_TRANSLATE_NOOP("LogicText", "Excel 4.0 以前の形式です。Excel 97-2003 形式で保存し直してください"),
    QT_TRANSLATE_NOOP("LogicText", "ブックにワークシートがありません"),
    QT_TRANSLATE_NOOP("LogicText", "この版は .xlsx と .ods を読めません。Excel 97-2003 形式で保存し直してください"),
    QT_TRANSLATE_NOOP("LogicText", "結果が保存されていません。表計算アプリケーションで再計算して保存し直してください"),
    // Corrections of the contour table.
    QT_TRANSLATE_NOOP("LogicText", "表の 1 行目には件数だけを書いてください。保存しません。"),
    QT_TRANSLATE_NOOP("LogicText", "表の内容をエレメント表として読めません。保存しません。"),
    // CONV-2: the reasons after the row number.
    QT_TRANSLATE_NOOP("LogicText", "平行線で交点無し"),
    QT_TRANSLATE_NOOP("LogicText", "平行線のため交点無し"),
    QT_TRANSLATE_NOOP("LogicText", "直線と円に交点無し。接線とします"),
    QT_TRANSLATE_NOOP("LogicText", "コーナＲが入らない。"),
    QT_TRANSLATE_NOOP("LogicText", "( )(C)が入らない"),
    QT_TRANSLATE_NOOP("LogicText", "()(C) 入らない --Rout(C)--"),
    QT_TRANSLATE_NOOP("LogicText", "交点無し? -RR(C)-"),
    QT_TRANSLATE_NOOP("LogicText", "中心と点が重なり接線が引けない"),
    QT_TRANSLATE_NOOP("LogicText", "接線が引けない"),
    QT_TRANSLATE_NOOP("LogicText", "直線と円が交わる(S=0は接線)。手前の交点とします"),
    QT_TRANSLATE_NOOP("LogicText", "行数が2000を超えるため中止"),
    QT_TRANSLATE_NOOP("LogicText", "計算できない値のため中止"),
    // NC output.
    QT_TRANSLATE_NOOP("LogicText", "[ ｵﾝﾗｲﾝ ﾁｭｳ!!   ｼﾊﾞﾗｸ ｵﾏﾁ ｸﾀﾞｻｲ｡ ]"),
    QT_TRANSLATE_NOOP("LogicText", "プリンターに出力できません"),
    QT_TRANSLATE_NOOP("LogicText", "すべてのファイル(*.*)"),
    // Calculator answers.
    QT_TRANSLATE_NOOP("LogicText", "入力順違いで計算出来ない"),
    QT_TRANSLATE_NOOP("LogicText", "交点が求められませんでした。"),
    QT_TRANSLATE_NOOP("LogicText", "交点無し??"),
    QT_TRANSLATE_NOOP("LogicText", "交点無し?"),
    QT_TRANSLATE_NOOP("LogicText", "交点無し!!"),
    QT_TRANSLATE_NOOP("LogicText", "求められませんでした。!!"),
    QT_TRANSLATE_NOOP("LogicText", "求められない"),
    QT_TRANSLATE_NOOP("LogicText", "中心が同じで計算出来ない"),
    QT_TRANSLATE_NOOP("LogicText", "半径0で計算出来ない"),
    QT_TRANSLATE_NOOP("LogicText", "3行目が垂直線で計算出来ない"),
    QT_TRANSLATE_NOOP("LogicText", "3行目のDが数値でない"),
    QT_TRANSLATE_NOOP("LogicText", "計算出来ない"),
    // Calculator problems in the guide list.
    QT_TRANSLATE_NOOP("LogicText", "1.1 ２点の角度"),
    QT_TRANSLATE_NOOP("LogicText", "1.2 点と円の接線の角度"),
    QT_TRANSLATE_NOOP("LogicText", "1.3 円と円の接線の角度"),
    QT_TRANSLATE_NOOP("LogicText", "2.1 ２直線の交点"),
    QT_TRANSLATE_NOOP("LogicText", "2.2 直線と円の交点"),
    QT_TRANSLATE_NOOP("LogicText", "2.3 円と円の交点"),
    QT_TRANSLATE_NOOP("LogicText", "3.1 点と円に接する円"),
    QT_TRANSLATE_NOOP("LogicText", "3.2 円と接線に接する円"),
    QT_TRANSLATE_NOOP("LogicText", "3.3 直線と円に接する円"),
    QT_TRANSLATE_NOOP("LogicText", "3.4 ２円に接する円"),
    QT_TRANSLATE_NOOP("LogicText", "3.5 ３点を通る円"),
    QT_TRANSLATE_NOOP("LogicText", "3.6 ３直線に接する円"),
    // Exchange: progress lines and orderly stops.
    QT_TRANSLATE_NOOP("LogicText", "ＤＸＦ　データロード中。しばらくお待ち下さい。"),
    QT_TRANSLATE_NOOP("LogicText", "ＩＧＥＳデータロード中。しばらくお待ち下さい。"),
    QT_TRANSLATE_NOOP("LogicText", "まるめ処理中。しばらくお待ち下さい。"),
    QT_TRANSLATE_NOOP("LogicText", "スムージング処理中。しばらくお待ち下さい。"),
    QT_TRANSLATE_NOOP("LogicText", "ファイルが選ばれていません。"),
    QT_TRANSLATE_NOOP("LogicText", "線分・円弧が 1000 個を超えています。読み込みを中止しました。"),
    QT_TRANSLATE_NOOP("LogicText", "スタートマークが 200 個を超えています。読み込みを中止しました。"),
    QT_TRANSLATE_NOOP("LogicText", "コンバートデータが 2000 行を超えます。読み込みを中止しました。"),
    QT_TRANSLATE_NOOP("LogicText", "線分・円弧がありません。読み込みを中止しました。"),
    QT_TRANSLATE_NOOP("LogicText", "ＩＧＥＳのディレクトリ番号が 5000 を超えています。読み込みを中止しました。"),
    QT_TRANSLATE_NOOP("LogicText", "ＩＧＥＳのパラメータが 10 個を超えています。読み込みを中止しました。"),
    QT_TRANSLATE_NOOP("LogicText", "ブロックの入れ子が 32 段を超えています。読み込みを中止しました。"),
    QT_TRANSLATE_NOOP("LogicText", "ブロックの展開が大きすぎます（図形 5000000 個を超えます）。読み込みを中止しました。"),
    QT_TRANSLATE_NOOP("LogicText",
                      "モデル空間に線分・円弧がありません（ペーパー空間の図形は読みません）。読み込みを中止しました。"),
    QT_TRANSLATE_NOOP("LogicText", "長さのある線分・円弧がありません（どれも長さが 0 です）。読み込みを中止しました。"),
    QT_TRANSLATE_NOOP("LogicText", "座標が ±10000000 mm を超える図形があります。読み込みを中止しました。"),
    QT_TRANSLATE_NOOP("LogicText", "読み込まなかった図形があります。確かめてから画面を閉じて下さい｡"),
    QT_TRANSLATE_NOOP("LogicText", "ＩＧＥＳファイル（80 桁の固定長 ASCII 形式）ではありません。読み込みを中止しました。"),
    QT_TRANSLATE_NOOP("LogicText", "圧縮形式の ＩＧＥＳ は読めません。読み込みを中止しました。"),
    QT_TRANSLATE_NOOP("LogicText", "ＩＧＥＳのグローバル部が読めません。読み込みを中止しました。"),
    QT_TRANSLATE_NOOP("LogicText", "ＩＧＥＳの図形が XY 平面に平行な一つの平面上にありません。読み込みを中止しました。"),
    QT_TRANSLATE_NOOP("LogicText",
                      "ＩＧＥＳのデータは面・立体だけで、読み込める線分・円弧がありません。読み込みを中止しました。"),
    QT_TRANSLATE_NOOP("LogicText", "ＩＧＥＳの部分図の展開が多すぎます。読み込みを中止しました。"),
    // Why an IGES directory entry cannot be used (inside the pattern below).
    QT_TRANSLATE_NOOP("LogicText", "ディレクトリの欄が読めません"),
    QT_TRANSLATE_NOOP("LogicText", "パラメータが読めません"),
    QT_TRANSLATE_NOOP("LogicText", "参照先のディレクトリがありません"),
    QT_TRANSLATE_NOOP("LogicText", "変換行列の参照が循環しているか深すぎます"),
    QT_TRANSLATE_NOOP("LogicText", "複合曲線・部分図の入れ子が循環しているか深すぎます"),
    QT_TRANSLATE_NOOP("LogicText", "曲線のデータが正しくありません"),
    QT_TRANSLATE_NOOP("LogicText", "座標が ±10000000 mm を超えています"),
};

// Known texts that also stand inside a part of a pattern (a list of what an
// import left out names them among entity types).
const char* const kPhrases[] = {
    QT_TRANSLATE_NOOP("LogicText", "ペーパー空間の図形"),
    QT_TRANSLATE_NOOP("LogicText", "非表示の図形"),
};

// Texts with parts that change: %1, %2, ... stand for the parts, in order.
// Two parts are never next to each other, so that each is found; the first
// pattern that matches is taken.
const char* const kPatterns[] = {
    // Conversion 1 (the workbook's name, a path, a cell, a reason).
    QT_TRANSLATE_NOOP("LogicText", "%1 が見つかりません：%2"),
    QT_TRANSLATE_NOOP("LogicText", "%1 を読み込めません（%2）：%3"),
    QT_TRANSLATE_NOOP("LogicText", "%1 を読み込みました：%2"),
    QT_TRANSLATE_NOOP("LogicText",
                      "%1 のデータが多すぎます：エレメントは %2 行までです（シート %3 行目で超えました）。"
                      "ConDTA.dat は書き込みません。"),
    QT_TRANSLATE_NOOP("LogicText", "%1 の %2 は計算結果がありません（計算エラー %3）。ConDTA.dat は書き込みません。"),
    QT_TRANSLATE_NOOP("LogicText", "%1 の %2 は計算結果がありません（%3）。ConDTA.dat は書き込みません。"),
    QT_TRANSLATE_NOOP("LogicText", "ConDTA.dat を書き込めません：%1"),
    // Corrections of the contour table.
    QT_TRANSLATE_NOOP("LogicText", "表の 1 行目の件数「%1」が 0 から 1999 までの整数ではありません。保存しません。"),
    QT_TRANSLATE_NOOP("LogicText", "件数 %1 には %2 行のデータが要りますが、%3 行しかありません。保存しません。"),
    QT_TRANSLATE_NOOP("LogicText",
                      "表の %1 行目は件数 %2 の範囲（%3 行目まで）の外にあります。件数を直してください。保存しません。"),
    QT_TRANSLATE_NOOP("LogicText", "表の %1 行目に 6 列目以降のデータがあります。保存しません。"),
    QT_TRANSLATE_NOOP("LogicText", "表の %1 行目の %2「%3」は数値ではありません。保存しません。"),
    // CONV-2 and the offset path.
    QT_TRANSLATE_NOOP("LogicText", "CONV-2 エラー 交点No= %1 %2"),
    QT_TRANSLATE_NOOP("LogicText", "CONV-2 エラー %1 がありません"),
    QT_TRANSLATE_NOOP("LogicText", "CONV-2 エラー %1 が正しくありません"),
    QT_TRANSLATE_NOOP("LogicText", "CONV-2 エラー %1 に書き込めません"),
    QT_TRANSLATE_NOOP("LogicText", "オフセット計算中 dataNO= %1で交点ERROR"),
    // NC output.
    QT_TRANSLATE_NOOP("LogicText", "NCファイルを書き込めません: %1"),
    QT_TRANSLATE_NOOP("LogicText", "輪郭ファイルを読めません: %1"),
    QT_TRANSLATE_NOOP("LogicText", "プリンターに出力できません: %1"),
    // Calculator.
    QT_TRANSLATE_NOOP("LogicText", "%1行目の%2が数値でない"),
    // Exchange.
    QT_TRANSLATE_NOOP("LogicText", "ファイルを開けません: %1"),
    QT_TRANSLATE_NOOP("LogicText", "ＤＸＦファイルが途中で終わっています。読み込みを中止しました: %1"),
    QT_TRANSLATE_NOOP("LogicText", "バイナリ形式の DXF は読めません。CAD で ASCII 形式の DXF に保存し直して下さい: %1"),
    QT_TRANSLATE_NOOP("LogicText", "DWG 形式の図面です。DXF ではないので読めません。CAD で DXF に保存し直して下さい: %1"),
    QT_TRANSLATE_NOOP("LogicText", "DXF ファイルではありません（SECTION で始まっていません）: %1"),
    QT_TRANSLATE_NOOP("LogicText",
                      "ＤＸＦファイルの %1 行目がグループコードではありません。読み込みを中止しました: %2"),
    QT_TRANSLATE_NOOP("LogicText", "ＤＸＦファイルの %1 行目の数値が範囲を超えています。読み込みを中止しました: %2"),
    QT_TRANSLATE_NOOP("LogicText", "ＤＸＦファイルの %1 行目の値が数値ではありません。読み込みを中止しました: %2"),
    QT_TRANSLATE_NOOP("LogicText", "ＤＸＦファイルに ENTITIES セクションがありません。読み込みを中止しました: %1"),
    QT_TRANSLATE_NOOP("LogicText", "ブロック %1 の定義がありません。読み込みを中止しました。"),
    QT_TRANSLATE_NOOP("LogicText", "ブロック %1 は外部参照で、図面に含まれていません。読み込みを中止しました。"),
    QT_TRANSLATE_NOOP("LogicText", "ブロック %1 が自分自身を挿入しています。読み込みを中止しました。"),
    QT_TRANSLATE_NOOP("LogicText", "XY 平面に平行でない %1 があります（%2 行目）。読み込みを中止しました。"),
    QT_TRANSLATE_NOOP("LogicText", "尺度が 0 の INSERT があります（%1 行目）。読み込みを中止しました。"),
    QT_TRANSLATE_NOOP("LogicText", "%1 のデータが正しくありません（%2 行目）。読み込みを中止しました。"),
    QT_TRANSLATE_NOOP("LogicText", "読み込まなかった図形: %1"),
    QT_TRANSLATE_NOOP("LogicText", "ＩＧＥＳの単位が分かりません（%1）。読み込みを中止しました。"),
    QT_TRANSLATE_NOOP("LogicText", "ＩＧＥＳのディレクトリ番号 %1（TYPE %2）: %3。読み込みを中止しました。"),
    QT_TRANSLATE_NOOP("LogicText", "ファイルを書き込めません: %1"),
    QT_TRANSLATE_NOOP("LogicText", "コンバートデータを読み込めません: %1"),
    QT_TRANSLATE_NOOP("LogicText", "テンプレートを読み込めません: %1"),
    QT_TRANSLATE_NOOP("LogicText", "テンプレートに ENTITIES がありません: %1"),
};

struct Pattern {
  const char* source;
  QRegularExpression match;
};

// Each pattern as an expression over the whole text; a part takes as little
// as it can, the last one the rest.
const std::vector<Pattern>& Patterns() {
  static const std::vector<Pattern> patterns = [] {
    std::vector<Pattern> list;
    static const QRegularExpression placeholder(QStringLiteral("%[1-9]"));
    for (const char* source : kPatterns) {
      const QString text = QString::fromUtf8(source);
      QString expression = QStringLiteral("^");
      qsizetype from = 0;
      for (auto it = placeholder.globalMatch(text); it.hasNext();) {
        const QRegularExpressionMatch part = it.next();
        expression += QRegularExpression::escape(text.mid(from, part.capturedStart() - from));
        expression += QStringLiteral("(.*?)");
        from = part.capturedEnd();
      }
      expression += QRegularExpression::escape(text.mid(from)) + QStringLiteral("$");
      list.push_back({source, QRegularExpression(expression, QRegularExpression::DotMatchesEverythingOption)});
    }
    return list;
  }();
  return patterns;
}

// A whole known text, or the text itself. Blanks around it are kept, a
// full-width one as an ordinary blank when the text is translated.
QString Known(const QString& text) {
  const QByteArray utf8 = text.toUtf8();
  const QString exact = QCoreApplication::translate(kContext, utf8.constData());
  if (exact != text) return exact;
  const QString core = text.trimmed();
  if (core.isEmpty() || core == text) return text;
  const QString translated = QCoreApplication::translate(kContext, core.toUtf8().constData());
  if (translated == core) return text;
  const qsizetype start = text.indexOf(core);
  const auto blanks = [](QString around) { return around.replace(QChar(0x3000), QLatin1Char(' ')); };
  return blanks(text.left(start)) + translated + blanks(text.mid(start + core.size()));
}

// A part of a pattern: a whole known text, or the part with the known
// phrases in it translated.
QString Part(const QString& text) {
  QString part = Known(text);
  if (part != text) return part;
  for (const char* phrase : kPhrases) {
    const QString source = QString::fromUtf8(phrase);
    if (part.contains(source)) part.replace(source, QCoreApplication::translate(kContext, phrase));
  }
  return part;
}

// Puts parts into a translated pattern; a part's own %n is left alone.
QString Fill(const QString& pattern, const QStringList& parts) {
  QString result;
  for (qsizetype i = 0; i < pattern.size(); ++i) {
    if (pattern[i] == QLatin1Char('%') && i + 1 < pattern.size() && pattern[i + 1] >= QLatin1Char('1') &&
        pattern[i + 1] <= QLatin1Char('9')) {
      result += parts.value(pattern[i + 1].digitValue() - 1);
      ++i;
    } else {
      result += pattern[i];
    }
  }
  return result;
}

}  // namespace

QString LogicText(const QString& text) {
  const QString known = Known(text);
  if (known != text) return known;
  for (const Pattern& pattern : Patterns()) {
    const QString translated = QCoreApplication::translate(kContext, pattern.source);
    if (translated == QString::fromUtf8(pattern.source)) continue;  // no translation installed
    const QRegularExpressionMatch match = pattern.match.match(text);
    if (!match.hasMatch()) continue;
    QStringList parts;
    for (int i = 1; i <= match.lastCapturedIndex(); ++i) parts << Part(match.captured(i));
    return Fill(translated, parts);
  }
  return text;
}

QString LogicText(const std::string& text) {
  return LogicText(QString::fromUtf8(text.c_str(), static_cast<qsizetype>(text.size())));
}

}  // namespace vx
