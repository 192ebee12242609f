// vexline-cli offset and nc on a contour file written by the test.
#include <gtest/gtest.h>

#include <sstream>

#include "cli/command.h"
#include "contour_tables.h"
#include "shell/table_file.h"
#include "support/temp_folder.h"

namespace vx::cli {
namespace {

// Collects message boxes and progress lines as the console would print them.
struct StreamMessageBox : MessageBox {
  explicit StreamMessageBox(std::ostream& out) : m_out(out) {}
  void Show(const std::string& text) override { m_out << text << "\n"; }
  std::ostream& m_out;
};
struct StreamProgress : ProgressLines {
  explicit StreamProgress(std::ostream& out) : m_out(out) {}
  void Print(const std::string& line) override { m_out << line << "\n"; }
  std::ostream& m_out;
};

struct CliFixture : ::testing::Test {
  void SetUp() override { temp.Write("CON2TA.dat", TableFileText(test::MakeTable(test::ExampleSquare()))); }

  int Run(const std::vector<std::string>& words) {
    out.str("");
    err.str("");
    return RunCli(words, context);
  }

  test::TempFolder temp;
  ElementTable table;
  PieceLayout layout;
  InstallFolder folder{temp.Path()};
  std::ostringstream out, err;
  StreamMessageBox box{err};
  StreamProgress progress{out};
  Context context{table, layout, folder, box, progress, out, err};
};

TEST_F(CliFixture, OffsetWritesTheTableAndLeavesTheContourFile) {
  const std::string before = temp.Read("CON2TA.dat");
  ASSERT_EQ(Run({"offset", "-0.1"}), kExitOk);
  EXPECT_EQ(out.str(),
            "8\r\n5,5,0,0,0\r\n10.1,5,0,0,0\r\n10.1,10.1,0,0,0\r\n-0.1,10.1,0,0,0\r\n-0.1,-0.1,0,0,0\r\n"
            "10.1,-0.1,0,0,0\r\n10.1,5,0,0,0\r\n5,5,0,0,0\r\n0,0,99,0,0\r\n");
  EXPECT_EQ(temp.Read("CON2TA.dat"), before);
  EXPECT_EQ(err.str(), "");
}

TEST_F(CliFixture, NcWithDefaultsWritesNc1AndPrintsTheScreenLine) {
  ASSERT_EQ(Run({"nc"}), kExitOk);
  const std::string program = temp.Read("NC1.dat");
  EXPECT_EQ(program.substr(0, 11), "%\r\nM20\r\nM78");
  EXPECT_NE(program.find("N008G01X5.Y5.G40F100.M91\r\nM21\r\nG23\r\nM02\r\n%\r\n"), std::string::npos);
  EXPECT_EQ(out.str(), "[ ｵﾝﾗｲﾝ ﾁｭｳ!!   ｼﾊﾞﾗｸ ｵﾏﾁ ｸﾀﾞｻｲ｡ ] \n");
}

TEST_F(CliFixture, NcPiecesSpeedAndChosenName) {
  ASSERT_EQ(Run({"nc", "--piece", "0,0,,", "--piece", "50,,,", "--speed", "2", "--program", "12", "--output",
                 temp.Path() + "PART.NC"}),
            kExitOk);
  const std::string program = temp.Read("PART12.NC");
  EXPECT_NE(program.find("\r\nF2.M90\r\n"), std::string::npos);
  EXPECT_NE(program.find("\r\nN009G00X55.Y5.\r\n"), std::string::npos);
}

TEST_F(CliFixture, OrderlyStopsAndUsageErrors) {
  EXPECT_EQ(Run({"nc", "--output", temp.Path() + "no/such/NC.dat"}), kExitFailure);
  EXPECT_EQ(err.str(), "NCファイルを書き込めません: " + temp.Path() + "no/such/NC1.dat\n");
  EXPECT_EQ(Run({"nc", "--target", "2"}), kExitUsage);
  EXPECT_EQ(Run({"nc", "--piece", "1,2"}), kExitUsage);
  EXPECT_EQ(Run({"offset"}), kExitUsage);
  test::TempFolder empty;
  InstallFolder emptyFolder{empty.Path()};
  Context emptyContext{table, layout, emptyFolder, box, progress, out, err};
  EXPECT_EQ(RunCli({"offset", "0.1"}, emptyContext), kExitFailure);
  EXPECT_EQ(RunCli({"nc"}, emptyContext), kExitFailure);
  EXPECT_FALSE(empty.Exists("NC1.dat"));
}

TEST_F(CliFixture, EmptyOutputOrPdfNameIsAUsageErrorAndWritesNothing) {
  struct Case {
    std::vector<std::string> words;
    std::string message;
  };
  for (const Case& c : std::vector<Case>{
           {{"nc", "--output", ""}, "vexline-cli nc: --output PATH needs a file name"},
           {{"nc", "--target", "2", "--pdf", ""}, "vexline-cli nc: targets 2 and 3 print: --pdf PATH is required"},
           {{"nc", "--target", "3"}, "vexline-cli nc: targets 2 and 3 print: --pdf PATH is required"},
           {{"nc", "--piece", "1,2"}, "vexline-cli nc: --piece takes four texts SX,SY,ANGLE,MIRROR: 1,2"},
           // Texts the NC output screen refuses.
           {{"nc", "--program", "abc"}, "vexline-cli nc: --program \"abc\" is not a number"},
           {{"nc", "--offset", "O.1"}, "vexline-cli nc: --offset \"O.1\" is not a number"},
           {{"nc", "--side", "7"}, "vexline-cli nc: --side \"7\" is not 1 or 2"},
           {{"nc", "--target", "9"}, "vexline-cli nc: --target \"9\" is not 1, 2 or 3"},
           {{"nc", "--reverse", "2"}, "vexline-cli nc: --reverse \"2\" is not 0 or 1"},
           {{"nc", "--piece", "0,0,,", "--piece", "50,x,,3"}, "vexline-cli nc: --piece 50,x,,3: SY \"x\" is not a number"},
           {{"nc", "--piece", "0,0,,3"}, "vexline-cli nc: --piece 0,0,,3: MIRROR \"3\" is not 0, 1 or 2"}}) {
    SCOPED_TRACE(c.message);
    err.str("");
    EXPECT_EQ(Run(c.words), kExitUsage);
    EXPECT_EQ(err.str(), c.message + "\nusage: vexline-cli nc [--program T] [--target T] [--speed T] [--offset T] "
                                     "[--reverse T] [--side T] [--output PATH] [--pdf PATH] "
                                     "[--piece SX,SY,ANGLE,MIRROR]...\n");
    EXPECT_EQ(out.str(), "");
  }
  EXPECT_FALSE(temp.Exists("NC1.dat"));
}

TEST_F(CliFixture, UnwritableProgramFileLeavesNoListingEither) {
  EXPECT_EQ(Run({"nc", "--target", "3", "--pdf", temp.Path() + "list.pdf", "--output", temp.Path() + "no/NC.dat"}),
            kExitFailure);
  EXPECT_FALSE(temp.Exists("list.pdf"));
  EXPECT_FALSE(temp.Exists("list1.pdf"));
  EXPECT_FALSE(temp.Exists(".list.pdf.vxtmp"));
  EXPECT_FALSE(temp.Exists(".list1.pdf.vxtmp"));
}

TEST_F(CliFixture, PrintedListingGoesToThePdf) {
  ASSERT_EQ(Run({"nc", "--target", "2", "--pdf", temp.Path() + "list.pdf", "--reverse", "1"}), kExitOk);
  EXPECT_EQ(temp.Read("list.pdf").substr(0, 5), "%PDF-");
  EXPECT_TRUE(temp.Exists("list2.pdf"));
  EXPECT_FALSE(temp.Exists("NC1.dat"));
}


}  // namespace
}  // namespace vx::cli
