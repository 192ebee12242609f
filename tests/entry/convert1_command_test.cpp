// vexline-cli convert1: exit statuses, the one-line refusal, the element file.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <sstream>

#include "cli/command.h"
#include "support/temp_folder.h"

namespace vx::cli {
namespace {

struct Convert1Command : ::testing::Test {
  int Run() { return RunCli({"convert1"}, context); }

  test::TempFolder temp;
  ElementTable table;
  PieceLayout layout;
  InstallFolder folder{temp.Path()};
  RecordingMessageBox messageBox;
  RecordingProgressLines progress;
  std::ostringstream out, err;
  Context context{table, layout, folder, messageBox, progress, out, err};
};

TEST_F(Convert1Command, ConvertsTheSampleWorkbook) {
  std::filesystem::copy_file(std::string(VX_SOURCE_DIR) + "/install/DATAIN.xls", temp.File("DATAIN.xls"));
  EXPECT_EQ(Run(), kExitOk);
  EXPECT_EQ(err.str(), "DATAIN.xls を読み込みました：" + temp.File("DATAIN.xls") + "\n");
  EXPECT_EQ(out.str(), "");
  EXPECT_EQ(temp.Read("CONDTA.dat").substr(0, 4), "13\r\n");
}

TEST_F(Convert1Command, ReadsTheNewestWorkbookAndSaysWhich) {
  const std::string data = std::string(VX_SOURCE_DIR) + "/tests/entry/data/";
  std::filesystem::copy_file(std::string(VX_SOURCE_DIR) + "/install/DATAIN.xls", temp.File("DATAIN.xls"));
  std::filesystem::last_write_time(temp.File("DATAIN.xls"),
                                   std::filesystem::file_time_type::clock::now() - std::chrono::hours(1));
  std::filesystem::copy_file(data + "formulas.ods", temp.File("DATAIN.ods"));
  EXPECT_EQ(Run(), kExitOk);
  EXPECT_EQ(err.str(), "DATAIN.ods を読み込みました：" + temp.File("DATAIN.ods") + "\n");
  EXPECT_EQ(temp.Read("CONDTA.dat").substr(0, 3), "8\r\n");
}

TEST_F(Convert1Command, FormulaWithoutResultIsAnOrderlyStop) {
  std::filesystem::copy_file(std::string(VX_SOURCE_DIR) + "/tests/entry/data/formula_error.xlsx",
                             temp.File("DATAIN.xlsx"));
  EXPECT_EQ(Run(), kExitFailure);
  EXPECT_EQ(err.str(), "vexline-cli convert1: DATAIN.xlsx の C5 は計算結果がありません（計算エラー #DIV/0!）。"
                       "ConDTA.dat は書き込みません。\n");
  EXPECT_FALSE(temp.Exists("CONDTA.dat"));
}

TEST_F(Convert1Command, PasswordWorkbookIsAnOrderlyStop) {
  std::filesystem::copy_file(std::string(VX_SOURCE_DIR) + "/tests/entry/data/password.xls", temp.File("DATAIN.xls"));
  EXPECT_EQ(Run(), kExitFailure);
  EXPECT_EQ(err.str(), "vexline-cli convert1: DATAIN.xls を読み込めません（ブックがパスワードで保護されています。"
                       "パスワードを付けずに保存し直してください）：" +
                           temp.File("DATAIN.xls") + "\n");
  EXPECT_FALSE(temp.Exists("CONDTA.dat"));
}

TEST_F(Convert1Command, MissingWorkbookIsAnOrderlyStop) {
  EXPECT_EQ(Run(), kExitFailure);
  EXPECT_EQ(err.str(), "vexline-cli convert1: DATAIN.xls が見つかりません：" + temp.File("DATAIN.xls") + "\n");
  EXPECT_FALSE(temp.Exists("CONDTA.dat"));
}

TEST_F(Convert1Command, ExtraArgumentIsAUsageError) {
  EXPECT_EQ(RunCli({"convert1", "extra"}, context), kExitUsage);
}

}  // namespace
}  // namespace vx::cli
