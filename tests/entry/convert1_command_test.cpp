// vexline-cli convert1: exit statuses, the one-line refusal, the element file.
#include <gtest/gtest.h>

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
  EXPECT_EQ(err.str(), "");
  EXPECT_EQ(out.str(), "");
  EXPECT_EQ(temp.Read("CONDTA.dat").substr(0, 4), "13\r\n");
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
