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
inline constexpr const char* kIgesFieldLimit = "ＩＧＥＳのパラメータが 10 個を超えています。読み込みを中止しました。";

inline std::string CannotOpen(const std::string& path) { return "ファイルを開けません: " + path; }
inline std::string DxfTruncated(const std::string& path) {
  return "ＤＸＦファイルが途中で終わっています。読み込みを中止しました: " + path;
}
inline std::string CannotWrite(const std::string& path) { return "ファイルを書き込めません: " + path; }
inline std::string NoContourFile(const std::string& path) { return "コンバートデータを読み込めません: " + path; }
inline std::string NoTemplate(const std::string& path) { return "テンプレートを読み込めません: " + path; }
inline std::string TemplateWithoutEntities(const std::string& path) {
  return "テンプレートに ENTITIES がありません: " + path;
}

}  // namespace vx::exchange_text
