// NC program text: the worked example byte for byte, blocks, speeds, sub-paths,
// pieces, the reverse program, file names and targets.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "contour_tables.h"
#include "machining/nc_output.h"
#include "machining/nc_program.h"
#include "recording_printer.h"
#include "shell/table_file.h"
#include "support/temp_folder.h"

namespace vx {
namespace {

using test::MakeTable;
using test::Row;

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < text.size()) {
    const size_t end = text.find("\r\n", start);
    if (end == std::string::npos) {
      lines.push_back(text.substr(start) + "<no CR LF>");
      break;
    }
    lines.push_back(text.substr(start, end - start));
    start = end + 2;
  }
  return lines;
}

std::string Join(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\r\n";
  return text;
}

// The worked example: the square with its start hole, all settings initial.
const std::string kExampleProgram =
    "%\r\nM20\r\nM78\r\nM78\r\nM80\r\nM82\r\nM84\r\nM90\r\nG90\r\n"
    "N001G92X5.Y5.\r\nN002G01X10.Y5.G42FH22EH21H20\r\nN003G01X10.Y10.\r\nN004G01X0.Y10.\r\n"
    "N005G01X0.Y0.\r\nN006G01X10.Y0.\r\nN007G01X10.Y5.\r\nM01\r\nN008G01X5.Y5.G40F100.M91\r\n"
    "M21\r\nG23\r\nM02\r\n%\r\n";

const std::vector<std::string> kHeader = {"%", "M20", "M78", "M78", "M80", "M82", "M84", "M90", "G90"};
const std::vector<std::string> kTrailer = {"M21", "G23", "M02", "%"};

std::vector<std::string> Concat(std::initializer_list<std::vector<std::string>> parts) {
  std::vector<std::string> all;
  for (const auto& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

// An install folder with a contour file, and START with recorded services.
struct NcFixture : ::testing::Test {
  test::TempFolder temp;
  InstallFolder folder{temp.Path()};
  ElementTable table;
  PieceLayout layout;
  RecordingMessageBox box;
  RecordingProgressLines screen;
  FixedFileDialog dialog{std::nullopt};
  std::vector<std::unique_ptr<test::RecordingPrinter>> printers;  // one per program printed
  bool printerAvailable = true;
  bool printerEnds = true;

  void WriteContour(const std::vector<Row>& rows) {
    ElementTable t = MakeTable(rows);
    temp.Write("CON2TA.dat", TableFileText(t));
  }

  NcStartResult Start(const NcSettings& settings, FileDialog* fileDialog = nullptr) {
    NcOutputServices services{table, layout, folder, box, screen, fileDialog ? *fileDialog : dialog,
                              [this](int, double) {
                                printers.push_back(std::make_unique<test::RecordingPrinter>());
                                printers.back()->available = printerAvailable;
                                printers.back()->endSucceeds = printerEnds;
                                return NcPrinter{std::make_unique<test::ForwardingPrinter>(*printers.back()),
                                                 "test printer"};
                              }};
    return RunNcStart(settings, services);
  }

  std::string Program(const std::string& name = "NC1.dat") { return temp.Read(name); }
};

TEST_F(NcFixture, WorkedExampleByteForByte) {
  WriteContour(test::ExampleSquare());
  const NcStartResult result = Start(NcSettings{});
  EXPECT_EQ(result.outcome, NcStartOutcome::kDone);
  EXPECT_EQ(result.filesWritten, std::vector<std::string>{temp.Path() + "NC1.dat"});
  EXPECT_EQ(Program(), kExampleProgram);
  EXPECT_EQ(Lines(Program()).size(), 22u);
  EXPECT_EQ(screen.lines, std::vector<std::string>{"[ ｵﾝﾗｲﾝ ﾁｭｳ!!   ｼﾊﾞﾗｸ ｵﾏﾁ ｸﾀﾞｻｲ｡ ] "});
  EXPECT_TRUE(printers.empty());  // target 1 never prints, not even the heading
  EXPECT_EQ(dialog.last.initialPath, temp.Path() + "NC.dat");
  EXPECT_EQ(dialog.last.filter, "すべてのファイル(*.*) |*.*");
}

TEST_F(NcFixture, WorkedExampleWithOffset) {
  WriteContour(test::ExampleSquare());
  NcSettings settings;
  settings.wireOffset = "0.1";
  Start(settings);
  EXPECT_EQ(Lines(Program()),
            Concat({kHeader,
                    {"N001G92X5.Y5.", "N002G01X9.9Y5.G42FH22EH21H20", "N003G01X9.9Y9.9", "N004G01X.1Y9.9",
                     "N005G01X.1Y.1", "N006G01X9.9Y.1", "N007G01X9.9Y5.", "M01", "N008G01X5.Y5.G40F100.M91"},
                    kTrailer}));
  EXPECT_TRUE(box.messages.empty());
}

TEST_F(NcFixture, CounterClockwiseArcBlock) {
  WriteContour({{10, -5}, {10, 0}, {10, 5, 5}, {15, 5}, {15, 10}});
  Start(NcSettings{});
  EXPECT_EQ(Lines(Program()), Concat({kHeader,
                                      {"N001G92X10.Y-5.", "N002G01X10.Y0.G42FH22EH21H20", "N003G03X15.Y5.I0.J5.",
                                       "M01", "N004G01X15.Y10.G40F100.M91"},
                                      kTrailer}));
}

TEST_F(NcFixture, CornerArcBlockWhereTheOffsetPullsLineAndArcApart) {
  // The line turns sharply into an arc of radius 1; at offset 0.5 the wire
  // rolls round the corner on a clockwise arc of radius 0.5 of its own.
  WriteContour({{-10, 3}, {-10, 0}, {0, 0}, {0.8, -0.6, 1}, {0.8, -1.6}, {0.8, -4}});
  NcSettings settings;
  settings.wireOffset = "0.5";
  Start(settings);
  EXPECT_EQ(Lines(Program()),
            Concat({kHeader,
                    {"N001G92X-10.Y3.", "N002G01X-10.Y.5G42FH22EH21H20", "N003G01X0.Y.5", "N004G02X.4Y-.3I0.J-.5",
                     "N005G03X.8Y-1.1I.4J-.3", "M01", "N006G01X.8Y-4.G40F100.M91"},
                    kTrailer}));
  EXPECT_TRUE(box.messages.empty());
}

TEST_F(NcFixture, TangentLeadIntoARoundHoleCutsTheOffsetCircle) {
  WriteContour({{5, -3}, {5, 0}, {0, 0, 5}, {5, 0}, {5, -3}});
  NcSettings settings;
  settings.wireOffset = "0.5";
  Start(settings);
  EXPECT_EQ(Lines(Program()), Concat({kHeader,
                                      {"N001G92X5.Y-3.", "N002G01X4.5Y0.G42FH22EH21H20", "N003G03X4.5Y0.I-4.5J0.",
                                       "M01", "N004G01X5.Y-3.G40F100.M91"},
                                      kTrailer}));
}

struct SpeedCase {
  const char* name;
  std::string text;
  std::string block;
};

class SpeedBlocks : public ::testing::TestWithParam<SpeedCase> {};

TEST_P(SpeedBlocks, Text) { EXPECT_EQ(SpeedBlock(GetParam().text), GetParam().block); }

INSTANTIATE_TEST_SUITE_P(Cases, SpeedBlocks,
                         ::testing::Values(SpeedCase{"Zero", "0", "M90"}, SpeedCase{"Negative", "-1", "M90"},
                                           SpeedCase{"Whole", "2", "F2.M90"}, SpeedCase{"Decimal", "2.5", "F2.5M90"},
                                           SpeedCase{"Empty", "", "M90"}, SpeedCase{"NotANumber", "abc", "M90"},
                                           SpeedCase{"NumberThenText", "2mm", "M90"},
                                           SpeedCase{"Blanks", " 3 ", "F 3 .M90"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(NcFixture, SpeedBlockLosesItsBlanksInTheProgram) {
  WriteContour(test::ExampleSquare());
  NcSettings settings;
  settings.speed = " 3 ";
  Start(settings);
  EXPECT_EQ(Lines(Program())[7], "F3.M90");
}

struct CoordCase {
  double value;
  std::string text;
};

TEST(FormatCoord, Examples) {
  for (const CoordCase& c : std::vector<CoordCase>{{10, "10."},
                                                   {12.5, "12.5"},
                                                   {-0.25, "-.25"},
                                                   {0, "0."},
                                                   {3.14159, "3.142"},
                                                   {0.0004, "0."},
                                                   {-0.0004, "0."},
                                                   {0.0125, ".012"},
                                                   {-12, "-12."},
                                                   {99.9995, "100."},
                                                   // Never the exponent form: a control would read its E as an address.
                                                   {123456789012.345, "123456789012.345"},
                                                   {1e15, "1000000000000000."},
                                                   {-2.49999999999995e16, "-24999999999999500."},
                                                   {1.5e20, "150000000000000000000."}}) {
    EXPECT_EQ(FormatCoord(c.value), c.text) << c.value;
  }
}

TEST(BlockNumberWord, ThreeDigitsThenWider) {
  EXPECT_EQ(BlockNumberWord(1), "N001");
  EXPECT_EQ(BlockNumberWord(10), "N010");
  EXPECT_EQ(BlockNumberWord(999), "N999");
  EXPECT_EQ(BlockNumberWord(1000), "N1000");
  EXPECT_EQ(BlockNumberWord(40001), "N40001");
}

std::vector<Row> LongContour(int points) {
  // A staircase: start hole, `points` contour points, end.
  std::vector<Row> rows = {{0, -1}};
  for (int k = 0; k < points; ++k) rows.push_back({static_cast<double>(k / 2 + (k % 2)), static_cast<double>(k / 2)});
  rows.push_back({-1, -1});
  return rows;
}

TEST_F(NcFixture, BlockNumbersWidenPastN999AndNeverWrap) {
  WriteContour(LongContour(1200));
  Start(NcSettings{});
  const std::vector<std::string> lines = Lines(Program());
  std::vector<std::string> numbered;
  for (const std::string& line : lines) {
    if (line[0] == 'N') numbered.push_back(line);
  }
  ASSERT_EQ(numbered.size(), 1202u);
  EXPECT_EQ(numbered[0].substr(0, 4), "N001");
  EXPECT_EQ(numbered[9].substr(0, 4), "N010");
  EXPECT_EQ(numbered[998].substr(0, 5), "N999G");
  EXPECT_EQ(numbered[999].substr(0, 6), "N1000G");
  EXPECT_EQ(numbered[1201].substr(0, 6), "N1202G");
}

TEST_F(NcFixture, TwoSubPaths) {
  std::vector<Row> rows = {{5, 5}, {10, 5}, {10, 10}, {5, 10}, {5, 5}, {0, 0, 0, 88}, {25, 5}, {30, 5}, {30, 10}, {25, 5}};
  WriteContour(rows);
  Start(NcSettings{});
  EXPECT_EQ(Lines(Program()),
            Concat({kHeader,
                    {"N001G92X5.Y5.", "N002G01X10.Y5.G42FH22EH21H20", "N003G01X10.Y10.", "N004G01X5.Y10.",
                     "M01", "N005G01X5.Y5.G40F100.M91", "N006G00X25.Y5.", "M20", "M78", "M78", "M80", "M82", "M84", "M90", "G90",
                     "N007G01X30.Y5.G42FH22EH21H20", "N008G01X30.Y10.", "M01", "N009G01X25.Y5.G40F100.M91"},
                    kTrailer}));
}

TEST_F(NcFixture, SeparatorRowsAndLonePointsNeverBecomeMoves) {
  // A chain of one point between separators, two separators in a row and a
  // lone point at the end: no block moves to them or to a separator's 888.
  std::vector<Row> rows = {{5, 5}, {10, 5},          {10, 10},    {0, 0, 0, 88}, {40, 40}, {0, 0, 0, 88},
                           {0, 0, 0, 88}, {25, 5},   {30, 5},     {0, 0, 0, 88}, {70, 70}};
  for (Row& row : rows) {
    if (row.code == 88) row.x = 888;
  }
  WriteContour(rows);
  Start(NcSettings{});
  EXPECT_EQ(Lines(Program()),
            Concat({kHeader,
                    {"N001G92X5.Y5.", "N002G01X10.Y5.G42FH22EH21H20", "M01", "N003G01X10.Y10.G40F100.M91",
                     "N004G00X25.Y5.", "M20", "M78", "M78", "M80", "M82", "M84", "M90", "G90",
                     "N005G01X30.Y5.G42FH22EH21H20G40F100.M91"},
                    kTrailer}));
}

TEST_F(NcFixture, TwoPiecesWithTheNumberedRapidMove) {
  WriteContour(test::ExampleSquare());
  layout.Row(1).sftX = "50";
  layout.Row(1).sftY = "0";
  Start(NcSettings{});
  const std::vector<std::string> piece0 = {"N002G01X10.Y5.G42FH22EH21H20", "N003G01X10.Y10.", "N004G01X0.Y10.",
                                           "N005G01X0.Y0.", "N006G01X10.Y0.", "N007G01X10.Y5.", "M01",
                                           "N008G01X5.Y5.G40F100.M91", "M21"};
  const std::vector<std::string> piece1 = {"N009G00X55.Y5.", "M20", "M78", "M78", "M80", "M82", "M84", "M90", "G90",
                                           "N010G01X60.Y5.G42FH22EH21H20", "N011G01X60.Y10.", "N012G01X50.Y10.",
                                           "N013G01X50.Y0.", "N014G01X60.Y0.", "N015G01X60.Y5.", "M01",
                                           "N016G01X55.Y5.G40F100.M91"};
  EXPECT_EQ(Lines(Program()), Concat({kHeader, {"N001G92X5.Y5."}, piece0, piece1, kTrailer}));
  // The table holds the last piece afterwards.
  EXPECT_DOUBLE_EQ(table.X[1], 55.0);
}

TEST_F(NcFixture, NoPieceInUseGivesTheBareProgram) {
  WriteContour(test::ExampleSquare());
  layout.Row(0) = PieceRow{"", "0", "", ""};
  Start(NcSettings{});
  EXPECT_EQ(Program(), "%\r\nG23\r\nM02\r\n%\r\n");
}

TEST_F(NcFixture, ReverseProgramIntoTheNextNumber) {
  WriteContour(test::ExampleSquare());
  NcSettings settings;
  settings.programNumber = "5";
  settings.reverse = "1";
  const NcStartResult result = Start(settings);
  EXPECT_EQ(result.filesWritten, (std::vector<std::string>{temp.Path() + "NC5.dat", temp.Path() + "NC6.dat"}));
  EXPECT_EQ(result.blocks, 16);
  EXPECT_EQ(Lines(Program("NC6.dat")),
            Concat({kHeader,
                    {"N009G92X5.Y5.", "N010G01X10.Y5.G41FH22EH21H20", "N011G01X10.Y0.", "N012G01X0.Y0.",
                     "N013G01X0.Y10.", "N014G01X10.Y10.", "N015G01X10.Y5.", "M01", "N016G01X5.Y5.G40F100.M91"},
                    kTrailer}));
  EXPECT_EQ(screen.lines.size(), 2u);
}

TEST_F(NcFixture, ReversedArcRunsTheOtherWay) {
  WriteContour({{10, -5}, {10, 0}, {10, 5, 5}, {15, 5}, {15, 10}});
  NcSettings settings;
  settings.reverse = "1";
  Start(settings);
  const std::vector<std::string> lines = Lines(Program("NC2.dat"));
  EXPECT_EQ(lines[11], "N007G02X10.Y0.I-5.J0.");
}

struct SideCase {
  std::string side;
  std::string reverse;
  std::string first;
  std::string second;
};

TEST_F(NcFixture, CompensationSideAndItsExchange) {
  WriteContour(test::ExampleSquare());
  for (const SideCase& c : std::vector<SideCase>{{"1", "1", "G41", "G42"}, {"2", "1", "G42", "G41"},
                                                 {"", "1", "G42", "G41"}, {"1", "2", "G41", ""},
                                                 {"1", "0.6", "G41", "G42"}, {"1", "1.5", "G41", ""}}) {
    SCOPED_TRACE("side " + c.side + " reverse " + c.reverse);
    test::TempFolder out;
    FixedFileDialog chosen{out.Path() + "P.nc"};
    NcSettings settings;
    settings.side = c.side;
    settings.reverse = c.reverse;
    Start(settings, &chosen);
    EXPECT_EQ(Lines(out.Read("P1.nc"))[10], "N002G01X10.Y5." + c.first + "FH22EH21H20");
    EXPECT_EQ(out.Exists("P2.nc"), !c.second.empty());
    if (!c.second.empty()) {
      EXPECT_EQ(Lines(out.Read("P2.nc"))[10], "N010G01X10.Y5." + c.second + "FH22EH21H20");
    }
  }
}

TEST(NumberedFileName, Rule) {
  EXPECT_EQ(NumberedFileName("c:\\program files\\Vexline\\NC.dat", 1), "c:\\program files\\Vexline\\NC1.dat");
  EXPECT_EQ(NumberedFileName("c:\\program files\\Vexline\\NC.dat", 2), "c:\\program files\\Vexline\\NC2.dat");
  EXPECT_EQ(NumberedFileName("D:\\JOB\\PART.NC", 12), "D:\\JOB\\PART12.NC");
  EXPECT_EQ(NumberedFileName("/home/a.b/job.v2/PART.NC.bak", 3), "/home/a.b/job.v2/PART3.NC.bak");
  EXPECT_EQ(NumberedFileName("/work/PART", 7), "/work/PART7");
  EXPECT_EQ(NumberedFileName("/work/P.txt", -5), "/work/P5.txt");
  EXPECT_EQ(NumberedFileName("/work/P.txt", 0.5), "/work/P.5.txt");
}

TEST_F(NcFixture, ProgramTwelveWithAChosenName) {
  WriteContour(test::ExampleSquare());
  test::TempFolder out;
  FixedFileDialog chosen{out.Path() + "PART.NC"};
  NcSettings settings;
  settings.programNumber = "12";
  const NcStartResult result = Start(settings, &chosen);
  EXPECT_EQ(result.filesWritten, std::vector<std::string>{out.Path() + "PART12.NC"});
  EXPECT_TRUE(out.Exists("PART12.NC"));
}

TEST_F(NcFixture, PrinterTargetPrintsTheListingWithItsHeading) {
  WriteContour(test::ExampleSquare());
  FixedFileDialog never{"/nonexistent/never.dat"};
  NcSettings settings;
  settings.outputTarget = "2";
  const NcStartResult result = Start(settings, &never);
  EXPECT_EQ(result.outcome, NcStartOutcome::kDone);
  EXPECT_TRUE(result.filesWritten.empty());
  EXPECT_EQ(never.last.filter, "");  // no save dialog for the printer
  ASSERT_EQ(printers.size(), 1u);
  std::vector<std::string> expected = {" ====== ｶｺｳ Prg W No= 1  ====="};
  const std::vector<std::string> program = Lines(kExampleProgram);
  expected.insert(expected.end(), program.begin(), program.end());
  EXPECT_EQ(printers[0]->lines, expected);
  EXPECT_EQ(printers[0]->ended, 1);
  EXPECT_FALSE(temp.Exists("NC1.dat"));
}

TEST_F(NcFixture, BothTargetsWithTheReverseProgramPrintTwoListings) {
  WriteContour(test::ExampleSquare());
  NcSettings settings;
  settings.outputTarget = "3";
  settings.reverse = "1";
  settings.programNumber = "-3";
  const NcStartResult result = Start(settings);
  EXPECT_EQ(result.filesWritten, (std::vector<std::string>{temp.Path() + "NC3.dat", temp.Path() + "NC2.dat"}));
  ASSERT_EQ(printers.size(), 2u);
  EXPECT_EQ(printers[0]->lines.front(), " ====== ｶｺｳ Prg W No=-3  =====");
  EXPECT_EQ(printers[1]->lines.front(), " ====== ｶｺｳ Prg W No=-2  =====");
  EXPECT_EQ(printers[1]->lines.size(), 23u);
  EXPECT_EQ(printers[1]->ended, 1);
  EXPECT_EQ(Join(std::vector<std::string>(printers[1]->lines.begin() + 1, printers[1]->lines.end())),
            temp.Read("NC2.dat"));
}

TEST_F(NcFixture, UnavailablePrinterGivesAMessageAndNoFile) {
  WriteContour(test::ExampleSquare());
  printerAvailable = false;
  NcSettings settings;
  settings.outputTarget = "3";
  const NcStartResult result = Start(settings);
  EXPECT_EQ(result.outcome, NcStartOutcome::kFailed);
  EXPECT_EQ(box.messages, std::vector<std::string>{"プリンターに出力できません: test printer"});
  EXPECT_FALSE(temp.Exists("NC1.dat"));
}

TEST_F(NcFixture, FailedPrintJobGivesAMessageAndNoReverseProgram) {
  WriteContour(test::ExampleSquare());
  printerEnds = false;
  NcSettings settings;
  settings.outputTarget = "2";
  settings.reverse = "1";
  const NcStartResult result = Start(settings);
  EXPECT_EQ(result.outcome, NcStartOutcome::kFailed);
  EXPECT_EQ(box.messages, std::vector<std::string>{"プリンターに出力できません: test printer"});
  EXPECT_EQ(printers.size(), 1u);
}

TEST_F(NcFixture, FailedFileDropsThePrintJob) {
  WriteContour(test::ExampleSquare());
  FixedFileDialog chosen{temp.Path() + "missing-folder/NC.dat"};
  NcSettings settings;
  settings.outputTarget = "3";
  const NcStartResult result = Start(settings, &chosen);
  EXPECT_EQ(result.outcome, NcStartOutcome::kFailed);
  ASSERT_EQ(printers.size(), 1u);
  EXPECT_EQ(printers[0]->ended, 0);
  EXPECT_EQ(printers[0]->aborted, 1);
}

TEST_F(NcFixture, UnknownTargetWritesNowhereButStillRuns) {
  WriteContour(test::ExampleSquare());
  FixedFileDialog never{"/nonexistent/never.dat"};
  NcSettings settings;
  settings.outputTarget = "4";
  const NcStartResult result = Start(settings, &never);
  EXPECT_EQ(result.outcome, NcStartOutcome::kDone);
  EXPECT_EQ(result.blocks, 8);
  EXPECT_TRUE(printers.empty());
  EXPECT_TRUE(result.filesWritten.empty());
  EXPECT_EQ(never.last.filter, "");
  EXPECT_EQ(screen.lines.size(), 1u);
}

TEST_F(NcFixture, UnwritableFileGivesAMessageAndNoFile) {
  WriteContour(test::ExampleSquare());
  FixedFileDialog chosen{temp.Path() + "missing-folder/NC.dat"};
  NcSettings settings;
  settings.reverse = "1";
  const NcStartResult result = Start(settings, &chosen);
  EXPECT_EQ(result.outcome, NcStartOutcome::kFailed);
  EXPECT_EQ(box.messages, std::vector<std::string>{"NCファイルを書き込めません: " + temp.Path() + "missing-folder/NC1.dat"});
  EXPECT_EQ(screen.lines.size(), 1u);  // the reverse program is not attempted
}

// A piece shifted past the range of numbers: its coordinates would be written
// as "0."; the program is neither stored nor printed, and nothing follows it.
TEST_F(NcFixture, CoordinateBeyondTheRangeOfNumbersStoresNothing) {
  WriteContour({{0, 0}, {1.7e308, 0}, {0, 1e308}, {0, 0}});
  layout.Row(0).sftX = "1e308";
  FixedFileDialog chosen{temp.Path() + "NC.dat"};
  NcSettings settings;
  settings.outputTarget = "3";
  settings.reverse = "1";
  const NcStartResult result = Start(settings, &chosen);
  EXPECT_EQ(result.outcome, NcStartOutcome::kFailed);
  EXPECT_EQ(box.messages, std::vector<std::string>{"計算できない座標があるため NC プログラムを出力しません"});
  EXPECT_FALSE(temp.Exists("NC1.dat"));
  EXPECT_FALSE(temp.Exists("NC2.dat"));
  ASSERT_EQ(printers.size(), 1u);
  EXPECT_EQ(printers[0]->aborted, 1);
  EXPECT_EQ(printers[0]->ended, 0);
}

TEST_F(NcFixture, MissingContourFileStopsBeforeAnything) {
  FixedFileDialog chosen{temp.Path() + "NC.dat"};
  table.RowCount = 3;  // left over from an earlier stage
  const NcStartResult result = Start(NcSettings{}, &chosen);
  EXPECT_EQ(result.outcome, NcStartOutcome::kFailed);
  EXPECT_EQ(box.messages, std::vector<std::string>{"輪郭ファイルを読めません: " + temp.Path() + "CON2TA.dat"});
  EXPECT_FALSE(temp.Exists("NC1.dat"));
  EXPECT_EQ(chosen.last.filter, "");
}

TEST_F(NcFixture, OffsetMessagesComeThroughDuringGeneration) {
  WriteContour({{5, 5}, {5, 0}, {10, 0}, {15, 0}, {15, 10}, {0, 10}, {0, 0}, {5, 0}, {5, 5}});
  NcSettings settings;
  settings.wireOffset = "0.1";
  Start(settings);
  EXPECT_EQ(box.messages, std::vector<std::string>{"オフセット計算中 dataNO= 3で交点ERROR"});
  EXPECT_EQ(Lines(Program())[11], "N003G01X10.Y0.");
}

TEST_F(NcFixture, MirroredClockwiseArcIsStillG02) {
  // A clockwise arc from (10, 0) to (15, -5) about (10, -5).
  WriteContour({{10, 5}, {10, 0}, {10, -5, -5}, {15, -5}, {15, -10}});
  layout.Row(0).mirX = "1";
  Start(NcSettings{});
  const std::vector<std::string> lines = Lines(Program());
  // Mirrored in X and reversed: from (-15, -5) to (-10, 0), still clockwise.
  EXPECT_EQ(lines[9], "N001G92X-15.Y-10.");
  EXPECT_EQ(lines[10], "N002G01X-15.Y-5.G42FH22EH21H20");
  EXPECT_EQ(lines[11], "N003G02X-10.Y0.I5.J0.");
}

}  // namespace
}  // namespace vx
