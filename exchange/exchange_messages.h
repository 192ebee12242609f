// Texts the exchange screens show: progress lines and the messages of orderly stops.
#pragma once

#include <cstddef>
#include <string>

namespace vx::exchange_text {

// Progress lines printed on the screens' own surface.
inline constexpr const char* kDxfLoading = "　ＤＸＦ　データロード中。しばらくお待ち下さい。";
inline constexpr const char* kIgesLoading = "　ＩＧＥＳデータロード中。しばらくお待ち下さい。";
inline constexpr const char* kRounding = "　まるめ処理中。しばらくお待ち下さい。";
inline constexpr const char* kSmoothing = "　スムージング処理中。しばらくお待ち下さい。";
inline constexpr const char* kDataDiskEnd = " * * * * * * * * *  DATA DISK. END  * * * * * * * * * ";

// Orderly stops: nothing is written when one of these is shown.
inline constexpr const char* kNoFileChosen = "ファイルが選ばれていません。";
inline constexpr const char* kTooManyEntities = "線分・円弧が 1000 個を超えています。読み込みを中止しました。";
inline constexpr const char* kTooManyMarkers = "スタートマークが 200 個を超えています。読み込みを中止しました。";
inline constexpr const char* kTooManyRows = "コンバートデータが 2000 行を超えます。読み込みを中止しました。";
inline constexpr const char* kNoEntities = "線分・円弧がありません。読み込みを中止しました。";
inline constexpr const char* kIgesSequenceLimit = "ＩＧＥＳのディレクトリ番号が 5000 を超えています。読み込みを中止しました。";
inline constexpr const char* kIgesNotIges =
    "ＩＧＥＳファイル（80 桁の固定長 ASCII 形式）ではありません。読み込みを中止しました。";
inline constexpr const char* kIgesCompressed = "圧縮形式の ＩＧＥＳ は読めません。読み込みを中止しました。";
inline constexpr const char* kIgesBadGlobal = "ＩＧＥＳのグローバル部が読めません。読み込みを中止しました。";
inline constexpr const char* kIgesNotPlanar =
    "ＩＧＥＳの図形が XY 平面に平行な一つの平面上にありません。読み込みを中止しました。";
inline constexpr const char* kIgesSurfacesOnly =
    "ＩＧＥＳのデータは面・立体だけで、読み込める線分・円弧がありません。読み込みを中止しました。";
inline constexpr const char* kIgesTooLarge = "ＩＧＥＳの部分図の展開が多すぎます。読み込みを中止しました。";

inline std::string CannotOpen(const std::string& path) { return "ファイルを開けません: " + path; }
inline std::string DxfTruncated(const std::string& path) {
  return "ＤＸＦファイルが途中で終わっています。読み込みを中止しました: " + path;
}
inline std::string IgesUnknownUnit(const std::string& unit) {
  return "ＩＧＥＳの単位が分かりません（" + unit + "）。読み込みを中止しました。";
}
// A directory entry the reader cannot use: its pointer, entity type and the cause.
inline std::string IgesBadEntry(long pointer, long type, const std::string& cause) {
  return "ＩＧＥＳのディレクトリ番号 " + std::to_string(pointer) + "（TYPE " + std::to_string(type) + "）: " + cause +
         "。読み込みを中止しました。";
}
inline constexpr const char* kIgesBadDirectory = "ディレクトリの欄が読めません";
inline constexpr const char* kIgesBadParameters = "パラメータが読めません";
inline constexpr const char* kIgesBadReference = "参照先のディレクトリがありません";
inline constexpr const char* kIgesMatrixChain = "変換行列の参照が循環しているか深すぎます";
inline constexpr const char* kIgesNestingTooDeep = "複合曲線・部分図の入れ子が循環しているか深すぎます";
inline constexpr const char* kIgesBadCurve = "曲線のデータが正しくありません";
inline constexpr const char* kIgesOutOfRange = "座標が ±10000000 mm を超えています";
// Why a DXF file is refused.
inline std::string DxfBinary(const std::string& path) {
  return "バイナリ形式の DXF は読めません。CAD で ASCII 形式の DXF に保存し直して下さい: " + path;
}
inline std::string DxfIsDwg(const std::string& path) {
  return "DWG 形式の図面です。DXF ではないので読めません。CAD で DXF に保存し直して下さい: " + path;
}
inline std::string DxfNotDxf(const std::string& path) {
  return "DXF ファイルではありません（SECTION で始まっていません）: " + path;
}
inline std::string DxfBadCode(const std::string& path, size_t line) {
  return "ＤＸＦファイルの " + std::to_string(line) + " 行目がグループコードではありません。読み込みを中止しました: " +
         path;
}
inline std::string DxfBadNumber(const std::string& path, size_t line) {
  return "ＤＸＦファイルの " + std::to_string(line) + " 行目の数値が範囲を超えています。読み込みを中止しました: " + path;
}
inline std::string DxfNotANumber(const std::string& path, size_t line) {
  return "ＤＸＦファイルの " + std::to_string(line) + " 行目の値が数値ではありません。読み込みを中止しました: " + path;
}
inline std::string DxfNoEntitiesSection(const std::string& path) {
  return "ＤＸＦファイルに ENTITIES セクションがありません。読み込みを中止しました: " + path;
}
inline std::string DxfMissingBlock(const std::string& name) {
  return "ブロック " + name + " の定義がありません。読み込みを中止しました。";
}
inline std::string DxfExternalBlock(const std::string& name) {
  return "ブロック " + name + " は外部参照で、図面に含まれていません。読み込みを中止しました。";
}
inline std::string DxfBlockCycle(const std::string& name) {
  return "ブロック " + name + " が自分自身を挿入しています。読み込みを中止しました。";
}
inline constexpr const char* kDxfNestingTooDeep = "ブロックの入れ子が 32 段を超えています。読み込みを中止しました。";
inline constexpr const char* kDxfExpansionTooLarge =
    "ブロックの展開が大きすぎます（図形 5000000 個を超えます）。読み込みを中止しました。";
inline std::string DxfNotInPlane(const std::string& type, size_t line) {
  return "XY 平面に平行でない " + type + " があります（" + std::to_string(line) + " 行目）。読み込みを中止しました。";
}
inline std::string DxfFlatInsert(size_t line) {
  return "尺度が 0 の INSERT があります（" + std::to_string(line) + " 行目）。読み込みを中止しました。";
}
inline std::string DxfBadCurve(const std::string& type, size_t line) {
  return type + " のデータが正しくありません（" + std::to_string(line) + " 行目）。読み込みを中止しました。";
}
// Why an import's entity list gives no contour, and what it left out.
inline constexpr const char* kPaperSpaceOnly =
    "モデル空間に線分・円弧がありません（ペーパー空間の図形は読みません）。読み込みを中止しました。";
inline constexpr const char* kAllZeroLength =
    "長さのある線分・円弧がありません（どれも長さが 0 です）。読み込みを中止しました。";
inline constexpr const char* kCoordinateRange =
    "座標が ±10000000 mm を超える図形があります。読み込みを中止しました。";
inline constexpr const char* kSkippedPrefix = "読み込まなかった図形: ";
// The import screen's label when something was left out: the screen stays open.
inline constexpr const char* kCheckSkipped = " 読み込まなかった図形があります。確かめてから画面を閉じて下さい｡ ";
// The entry of the skipped list that counts the entities of paper space.
inline constexpr const char* kPaperSpaceEntry = "ペーパー空間の図形";
// The entry that counts the invisible entities (group 60 = 1).
inline constexpr const char* kInvisibleEntry = "非表示の図形";

inline std::string CannotWrite(const std::string& path) { return "ファイルを書き込めません: " + path; }
inline std::string NoContourFile(const std::string& path) { return "コンバートデータを読み込めません: " + path; }
inline std::string NoTemplate(const std::string& path) { return "テンプレートを読み込めません: " + path; }
inline std::string TemplateWithoutEntities(const std::string& path) {
  return "テンプレートに ENTITIES がありません: " + path;
}

}  // namespace vx::exchange_text
