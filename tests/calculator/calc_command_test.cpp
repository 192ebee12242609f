// vexline-cli calc: the five answer lines, usage errors and the picture.
#include <gtest/gtest.h>

#include <sstream>

#include "cli/command.h"
#include "platform/atomic_file.h"
#include "support/temp_folder.h"

namespace vx::cli {
namespace {

struct CliRun {
  int status;
  std::string out, err;
};

CliRun RunCalcCli(const std::vector<std::string>& words, const std::string& home) {
  ElementTable table;
  PieceLayout layout;
  InstallFolder folder(home);
  RecordingMessageBox messageBox;
  RecordingProgressLines progress;
  std::ostringstream out, err;
  Context context{table, layout, folder, messageBox, progress, out, err};
  const int status = RunCli(words, context);
  return {status, out.str(), err.str()};
}

TEST(CalcCommand, PrintsTheFiveLabels) {
  vx::test::TempFolder temp;
  struct Case {
    std::vector<std::string> words;
    std::string out;
  };
  const Case cases[] = {
      {{"calc", "0,0,8,,,,,", "10,0,8,,,,,", "0,10,8,,,,,"}, "ansX=5\nansY=5\nansA=\nansR=7.0711\nansRem=\n"},
      {{"calc", "0,0,0,,,,5,1", ",,5,,,.001,,", "6,0,0,,,,5,-1"}, "ansX=3\nansY=-4\nansA=\nansR=\nansRem=\n"},
      {{"calc", "0,0,2,,,,,", "0,0,1,,,,,", ",,99,,,,,"},
       "ansX=\nansY=\nansA=\nansR=\nansRem=入力順違いで計算出来ない\n"},
  };
  for (const Case& c : cases) {
    const CliRun run = RunCalcCli(c.words, temp.Path());
    EXPECT_EQ(run.status, kExitOk);
    EXPECT_EQ(run.out, c.out);
  }
}

TEST(CalcCommand, WrongRowsAreUsageErrors) {
  vx::test::TempFolder temp;
  EXPECT_EQ(RunCalcCli({"calc", "0,0,8", "1,1,8,,,,,", ",,99,,,,,"}, temp.Path()).status, kExitUsage);
  EXPECT_EQ(RunCalcCli({"calc", "0,0,8,,,,,", "1,1,8,,,,,"}, temp.Path()).status, kExitUsage);
}

TEST(CalcCommand, RowWithWrongFieldCountPrintsUsageLine) {
  vx::test::TempFolder temp;
  const CliRun run = RunCalcCli({"calc", "0,0,8,,,,,", "1,1,8", ",,99,,,,,"}, temp.Path());
  EXPECT_EQ(run.status, kExitUsage);
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(run.err,
            "vexline-cli calc: ROW2 must have eight fields X,Y,D,A,B,C,R,S: \"1,1,8\"\n"
            "usage: vexline-cli calc ROW1 ROW2 ROW3 [--png FILE]\n");
}

TEST(CalcCommand, WritesThePicture) {
  vx::test::TempFolder temp;
  const std::string png = temp.File("calc.png");
  const CliRun run = RunCalcCli({"calc", "0,0,8,,,,,", "10,0,8,,,,,", "0,10,8,,,,,", "--png", png}, temp.Path());
  EXPECT_EQ(run.status, kExitOk);
  std::string bytes;
  ASSERT_TRUE(ReadWholeFile(png, bytes));
  EXPECT_EQ(bytes.substr(1, 3), "PNG");
  const CliRun bad = RunCalcCli({"calc", "0,0,8,,,,,", "10,0,8,,,,,", "0,10,8,,,,,", "--png", temp.File("no/such/dir/x.png")},
                         temp.Path());
  EXPECT_EQ(bad.status, kExitFailure);
  EXPECT_EQ(bad.out, "");
}

}  // namespace
}  // namespace vx::cli
