// vexline-cli view and print: perimeter line, picture, PDF, usage and stops.
#include <gtest/gtest.h>

#include <sstream>

#include <QImage>

#include "cli/command.h"
#include "support/temp_folder.h"

namespace vx::cli {
namespace {

const char* const kRectangle = "5\r\n0,0,0,0,0\r\n10,0,0,0,0\r\n10,20,0,0,0\r\n0,20,0,0,0\r\n0,0,0,0,0\r\n,,99,,\r\n";

struct CliRun : ::testing::Test {
  test::TempFolder folder;
  InstallFolder install{folder.Path()};
  ElementTable table;
  PieceLayout layout;
  RecordingMessageBox messageBox;
  RecordingProgressLines progress;
  std::ostringstream out, err;
  Context context{table, layout, install, messageBox, progress, out, err};

  int Run(const std::vector<std::string>& words) { return RunCli(words, context); }
};

TEST_F(CliRun, ViewPrintsThePerimeterLabel) {
  folder.Write("CON2TA.dat", kRectangle);
  EXPECT_EQ(Run({"view", "--piece", "0,0,,", "--piece", "50,0,,1"}), kExitOk);
  EXPECT_EQ(out.str(), "perimeter=120\n");  // both pieces
  EXPECT_EQ(err.str(), "");
}

TEST_F(CliRun, ViewWritesAPictureOfTheDrawingArea) {
  folder.Write("CON2TA.dat", kRectangle);
  EXPECT_EQ(Run({"view", "--png", folder.File("view.png"), "--size", "400x300", "--zoom", "200"}), kExitOk);
  EXPECT_EQ(folder.Read("view.png").substr(1, 3), "PNG");
}

// The rows of the picture that hold anything but the background.
std::pair<int, int> DrawnRows(const QImage& image) {
  int first = -1, last = -1;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      if (image.pixel(x, y) != image.pixel(0, 0)) {
        if (first < 0) first = y;
        last = y;
        break;
      }
    }
  }
  return {first, last};
}

TEST_F(CliRun, ViewFitShowsAFarDrawingWhole) {
  // A rectangle 10 x 20 far from the origin: off the window the zoom gives,
  // filling the height of the fitted one (5 % margins).
  folder.Write("CON2TA.dat", "5\r\n-500,300,0,0,0\r\n-490,300,0,0,0\r\n-490,320,0,0,0\r\n-500,320,0,0,0\r\n"
                             "-500,300,0,0,0\r\n,,99,,\r\n");
  ASSERT_EQ(Run({"view", "--png", folder.File("plain.png"), "--size", "400x300"}), kExitOk);
  ASSERT_EQ(Run({"view", "--png", folder.File("fit.png"), "--size", "400x300", "--fit"}), kExitOk);
  EXPECT_EQ(out.str(), "perimeter=60\nperimeter=60\n");
  const QImage plain(QString::fromStdString(folder.File("plain.png")));
  const QImage fit(QString::fromStdString(folder.File("fit.png")));
  ASSERT_FALSE(fit.isNull());
  const auto [top, bottom] = DrawnRows(fit);
  EXPECT_GT(bottom - top, fit.height() * 0.85) << top << " " << bottom;
  EXPECT_LT(bottom - top, fit.height()) << top << " " << bottom;
  // Without --fit the window keeps the zoom's place: the rectangle is not in it.
  const auto [plainTop, plainBottom] = DrawnRows(plain);
  EXPECT_LT(plainBottom - plainTop, plain.height() * 0.85);
}

TEST_F(CliRun, PrintWritesAOnePagePdf) {
  folder.Write("CON2TA.dat", kRectangle);
  EXPECT_EQ(Run({"print", "--pdf", folder.File("sheet.pdf"), "--offset", "0"}), kExitOk);
  EXPECT_EQ(folder.Read("sheet.pdf").substr(0, 5), "%PDF-");
}

// Contour files the fuzz targets once found slow or broken: every command
// ends at once with its result. An imported side from (0, 0) to (1000, 1000)
// with bulge 1e-14 (radius 3.5e16) is drawn and printed as its chord and cut
// as an arc written out in full.
TEST_F(CliRun, HugeRadiusArcEndsEveryCommand) {
  folder.Write("CON2TA.dat",
               "3\r\n0,0,0,0,0\r\n-2.49999999999995E+16,2.50000000000005E+16,0,3.53553390593274E+16,0\r\n"
               "1000,1000,0,0,0\r\n,,99,,\r\n");
  EXPECT_EQ(Run({"view", "--png", folder.File("view.png")}), kExitOk);
  EXPECT_EQ(out.str(), "perimeter=1414.2\n");
  EXPECT_EQ(Run({"view", "--offset", "0.1"}), kExitOk);
  EXPECT_EQ(Run({"print", "--pdf", folder.File("sheet.pdf"), "--offset", "0.1"}), kExitOk);
  EXPECT_EQ(folder.Read("sheet.pdf").substr(0, 5), "%PDF-");
  EXPECT_EQ(Run({"nc", "--offset", "0.1", "--output", folder.File("NC.dat")}), kExitOk);
  EXPECT_EQ(Run({"nc", "--output", folder.File("NC.dat")}), kExitOk);
  const std::string program = folder.Read("NC1.dat");
  EXPECT_NE(program.find("N002G03X1000.Y1000.I-24999999999999500.J25000000000000500.\r\n"), std::string::npos)
      << program;
}

TEST_F(CliRun, StopsAndUsageErrorsWriteNothing) {
  struct Case {
    std::vector<std::string> words;
    int status;
    const char* errStart;
  };
  const Case cases[] = {
      {{"view", "--png", folder.File("a.png")}, kExitFailure, "vexline-cli view: the contour file is missing: "},
      {{"print", "--pdf", folder.File("a.pdf")}, kExitFailure, "vexline-cli print: the contour file is missing: "},
  };
  for (const Case& c : cases) {
    err.str("");
    EXPECT_EQ(Run(c.words), c.status);
    EXPECT_EQ(err.str().rfind(c.errStart, 0), 0u) << err.str();
  }
  folder.Write("CON2TA.dat", kRectangle);
  const Case usage[] = {
      {{"view", "--zoom", "abc"}, kExitUsage, "vexline-cli view: --zoom takes a whole number from 0 to 500\n"},
      {{"view", "--zoom", "501"}, kExitUsage, "vexline-cli view: --zoom takes a whole number from 0 to 500\n"},
      {{"print", "--pdf", folder.File("a.pdf"), "--offset", "0.1mm"}, kExitUsage,
       "vexline-cli print: --offset \"0.1mm\" is not a number\n"},
      {{"view", "--size", "400", "--png", folder.File("a.png")}, kExitUsage,
       "vexline-cli view: --size takes WIDTHxHEIGHT in pixels\n"},
      {{"print"}, kExitUsage, "vexline-cli print: --pdf FILE is required\n"},
      {{"print", "--pdf", folder.File("no/such/folder.pdf")}, kExitFailure, "vexline-cli print: cannot write "},
  };
  for (const Case& c : usage) {
    err.str("");
    EXPECT_EQ(Run(c.words), c.status);
    EXPECT_EQ(err.str().rfind(c.errStart, 0), 0u) << err.str();
  }
  EXPECT_FALSE(folder.Exists("a.png"));
  EXPECT_FALSE(folder.Exists("a.pdf"));
  EXPECT_EQ(out.str(), "");
}

TEST_F(CliRun, BadContourFileStops) {
  folder.Write("CON2TA.dat", "2500\r\n1,2,0,0,0\r\n");
  EXPECT_EQ(Run({"view"}), kExitFailure);
  EXPECT_NE(err.str().find("not a valid table file"), std::string::npos);
}

}  // namespace
}  // namespace vx::cli
