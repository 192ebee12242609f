// Texts the exchange screens show: progress lines and the messages of orderly stops.
#pragma once

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
inline std::string CannotWrite(const std::string& path) { return "ファイルを書き込めません: " + path; }
inline std::string NoContourFile(const std::string& path) { return "コンバートデータを読み込めません: " + path; }
inline std::string NoTemplate(const std::string& path) { return "テンプレートを読み込めません: " + path; }
inline std::string TemplateWithoutEntities(const std::string& path) {
  return "テンプレートに ENTITIES がありません: " + path;
}

}  // namespace vx::exchange_text
