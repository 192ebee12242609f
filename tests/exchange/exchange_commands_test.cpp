// The exchange commands of vexline-cli: options as screen texts, exit statuses, nothing written on a stop.
#include <gtest/gtest.h>

#include <sstream>

#include "cli/command.h"
#include "exchange/exchange_messages.h"
#include "support/temp_folder.h"

namespace vx::cli {
namespace {

struct CliFixture : ::testing::Test {
  int Run(std::vector<std::string> words) {
    out.str("");
    err.str("");
    progress.lines.clear();
    return RunCli(words, context);
  }
  test::TempFolder temp;
  ElementTable table;
  PieceLayout layout;
  InstallFolder folder{temp.Path()};
  RecordingMessageBox messageBox;
  RecordingProgressLines progress;
  std::ostringstream out, err;
  Context context{table, layout, folder, messageBox, progress, out, err};
};

const char* kTwoLines =
    "  0\nSECTION\n  2\nENTITIES\n  0\nLINE\n 10\n0\n 20\n0\n 11\n10.123\n 21\n0\n"
    "  0\nLINE\n 10\n10.123\n 20\n0\n 11\n10.123\n 21\n5\n  0\nENDSEC\n  0\nEOF\n";

TEST_F(CliFixture, ImportDxfWithScreenTextsAsOptions) {
  temp.Write("a.dxf", kTwoLines);
  ASSERT_EQ(Run({"import-dxf", temp.File("a.dxf"), "--round", "1", "--smooth", "0"}), kExitOk) << err.str();
  EXPECT_EQ(progress.lines, (std::vector<std::string>{exchange_text::kDxfLoading, exchange_text::kRounding,
                                                      exchange_text::kDataDiskEnd}));
  EXPECT_EQ(temp.Read("CON2TA.dat"), "3\r\n0,0,0,0,0\r\n10.1,0,0,0,0\r\n10.1,5,0,0,0\r\n0.999,0,99,0,0\r\n");
}

TEST_F(CliFixture, ImportDxfNamesWhatItLeftOutOnStandardError) {
  std::string text = kTwoLines;
  text.replace(text.find("  0\nENDSEC"), 0, "  0\nDIMENSION\n  0\nTEXT\n  0\nDIMENSION\n");
  temp.Write("a.dxf", text);
  ASSERT_EQ(Run({"import-dxf", temp.File("a.dxf")}), kExitOk) << err.str();
  EXPECT_EQ(err.str(), "読み込まなかった図形: DIMENSION 2, TEXT 1\n");
  EXPECT_EQ(progress.lines.back(), exchange_text::kDataDiskEnd);
  // Nothing of the part at all: the line, then the refusal.
  temp.Write("b.dxf", "0\nSECTION\n2\nENTITIES\n0\nTEXT\n0\nENDSEC\n0\nEOF\n");
  EXPECT_EQ(Run({"import-dxf", temp.File("b.dxf")}), kExitFailure);
  EXPECT_EQ(err.str(), "読み込まなかった図形: TEXT 1\n" + std::string(exchange_text::kNoEntities) + " (" +
                           temp.File("b.dxf") + ")\n");
}

TEST_F(CliFixture, StopsExitWithOneLineAndWriteNothing) {
  temp.Write("empty.dxf", "  0\nSECTION\n  2\nENTITIES\n  0\nENDSEC\n  0\nEOF\n");
  EXPECT_EQ(Run({"import-dxf", temp.File("empty.dxf")}), kExitFailure);
  EXPECT_EQ(err.str(), std::string(exchange_text::kNoEntities) + " (" + temp.File("empty.dxf") + ")\n");
  EXPECT_FALSE(temp.Exists("CON2TA.dat"));
  EXPECT_EQ(Run({"import-iges", temp.File("none.igs")}), kExitFailure);
  EXPECT_EQ(err.str(), exchange_text::CannotOpen(temp.File("none.igs")) + "\n");
  EXPECT_EQ(Run({"export-iges", temp.File("out.igs")}), kExitFailure);
  EXPECT_EQ(err.str(), exchange_text::NoContourFile(temp.File("CON2TA.dat")) + " (" + temp.File("out.igs") + ")\n");
  EXPECT_FALSE(temp.Exists("out.igs"));
}

TEST_F(CliFixture, ExportsAndUsage) {
  temp.Write("CON2TA.dat", "2\r\n0,0,0,0,0\r\n10,0,0,0,0\r\n0.999,0,99,0,0\r\n");
  EXPECT_EQ(Run({"export-dxf", temp.File("out.dxf")}), kExitFailure);  // no template in this folder
  EXPECT_FALSE(temp.Exists("out.dxf"));
  temp.Write("schelt.dxs", "  0\r\nSECTION\r\n  2\r\nENTITIES\r\n  0\r\nENDSEC\r\n  0\r\nEOF\r\n");
  EXPECT_EQ(Run({"export-dxf", temp.File("out.dxf")}), kExitOk);
  EXPECT_EQ(progress.lines, std::vector<std::string>{exchange_text::kDataDiskEnd});
  EXPECT_NE(temp.Read("out.dxf").find("AcDbLine"), std::string::npos);
  EXPECT_EQ(Run({"export-iges", temp.File("out.igs")}), kExitOk);
  EXPECT_NE(temp.Read("out.igs").find("110, 0, 0,0, 10, 0,0;"), std::string::npos);
  EXPECT_EQ(Run({"import-dxf"}), kExitUsage);
  EXPECT_EQ(Run({"import-dxf", "a.dxf", "--yx", "1"}), kExitUsage);
  EXPECT_EQ(Run({"import-iges", "--help"}), kExitOk);
  EXPECT_NE(out.str().find("--yx T"), std::string::npos);
}

}  // namespace
}  // namespace vx::cli
