// vexline-cli argument rules: option values that begin with "-", "=" form, usage errors.
#include <gtest/gtest.h>

#include <sstream>

#include "cli/command.h"

namespace vx::cli {
namespace {

CommandSpec NcLike() {
  CommandSpec command;
  command.name = "nc";
  command.options = {{"offset", "T", "wire offset"}, {"piece", "SX,SY,ANGLE,MIRROR", "piece row", true}, {"flag", "", "a switch"}};
  return command;
}

TEST(ParseArgs, ValuesThatBeginWithMinusStayValues) {
  Args args;
  ASSERT_FALSE(ParseArgs(NcLike(), {"--offset", "-0.1", "--piece=,,90,", "--piece", "10,0,,"}, args));
  EXPECT_EQ(args.Value("offset", "0"), "-0.1");
  EXPECT_EQ(args.Values("piece"), (std::vector<std::string>{",,90,", "10,0,,"}));
  EXPECT_FALSE(args.Has("flag"));
}

TEST(ParseArgs, PositionalNegativeValue) {
  CommandSpec command;
  command.name = "offset";
  command.arguments = "VALUE";
  command.minPositional = command.maxPositional = 1;
  Args args;
  ASSERT_FALSE(ParseArgs(command, {"-0.1"}, args));
  EXPECT_EQ(args.positional, std::vector<std::string>{"-0.1"});
}

TEST(ParseArgs, RequiredOptionMustBeGivenAndShowsWithoutBrackets) {
  CommandSpec command;
  command.name = "print";
  command.options = {{"pdf", "FILE", "the PDF file", false, true}, {"zoom", "PERCENT", "zoom"}};
  Args missing, given;
  EXPECT_EQ(ParseArgs(command, {"--zoom", "100"}, missing), std::optional<std::string>("--pdf FILE is required"));
  EXPECT_FALSE(ParseArgs(command, {"--pdf", "a.pdf"}, given));
  EXPECT_EQ(UsageLine(command), "usage: vexline-cli print --pdf FILE [--zoom PERCENT]");
}

TEST(ParseArgs, EmptyValueIsAValue) {
  Args args;
  ASSERT_FALSE(ParseArgs(NcLike(), {"--offset", ""}, args));
  EXPECT_TRUE(args.Has("offset"));
  EXPECT_EQ(args.Value("offset", "0"), "");
}

TEST(ParseArgs, UsageErrors) {
  Args a, b, c, d;
  EXPECT_TRUE(ParseArgs(NcLike(), {"--speed", "1"}, a));
  EXPECT_TRUE(ParseArgs(NcLike(), {"--offset"}, b));
  EXPECT_TRUE(ParseArgs(NcLike(), {"--offset", "1", "--offset", "2"}, c));
  EXPECT_TRUE(ParseArgs(NcLike(), {"extra"}, d));
}

TEST(ApplyPieceOptions, FillsRowsInOrderAndEmptiesTheRest) {
  PieceLayout layout;
  ASSERT_FALSE(ApplyPieceOptions({"0,0,,", ",,90,"}, layout));
  EXPECT_EQ(layout.Row(1).kAngle, "90");
  EXPECT_EQ(layout.Row(1).sftX, "");
  EXPECT_EQ(layout.PiecesInUse(), 2);
  EXPECT_TRUE(ApplyPieceOptions({"1,2,3"}, layout));
}

TEST(RunCli, HelpAndUnknownCommand) {
  ElementTable table;
  PieceLayout layout;
  InstallFolder folder("/tmp/vexline-cli-test");
  RecordingMessageBox box;
  RecordingProgressLines progress;
  std::ostringstream out, err;
  Context context{table, layout, folder, box, progress, out, err};
  EXPECT_EQ(RunCli({"--help"}, context), kExitOk);
  EXPECT_NE(out.str().find("usage: vexline-cli"), std::string::npos);
  EXPECT_EQ(RunCli({"frobnicate"}, context), kExitUsage);
  EXPECT_EQ(RunCli({}, context), kExitUsage);
}

}  // namespace
}  // namespace vx::cli
