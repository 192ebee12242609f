// The contour view without a window: window arithmetic, panning, arcs, chains,
// pieces, perimeter and the printed sheet, drawn on recording devices.
#include <gtest/gtest.h>

#include <algorithm>

#include <cmath>
#include <ostream>

#include "display/contour_view.h"
#include "display/recording_devices.h"
#include "shell/table_file.h"
#include "support/temp_folder.h"

namespace vx {
namespace {

using test::DrawOp;
using test::RecordingPrinter;
using test::RecordingSurface;

constexpr double kPi = 3.14159265358979;

// A table from rows "X,Y,Code,P1,P2" (rows 1..N; row N + 1 is the end row).
ElementTable TableOf(const std::vector<std::string>& rows) {
  std::string text = std::to_string(rows.size()) + "\r\n";
  for (const std::string& row : rows) text += row + "\r\n";
  text += ",,99,,\r\n";
  ElementTable table;
  EXPECT_EQ(LoadTableText(table, text), LoadStatus::kOk);
  return table;
}

// A view whose drawing area is 200 x 150 units at 100 %.
ContourView StartView(RecordingMessageBox& box) {
  ContourView view(box);
  view.SetDrawingScale(200 * kTwipsPerUnit, 150 * kTwipsPerUnit);
  view.SetViewOrigin();
  return view;
}

// --- window arithmetic ---------------------------------------------------

TEST(ContourViewWindow, StartWindowShowsXFromMinus50AndTop70) {
  RecordingMessageBox box;
  ContourView view = StartView(box);
  EXPECT_DOUBLE_EQ(view.ZoomFactor(), 1.0);
  EXPECT_DOUBLE_EQ(view.Window().left, -50);
  EXPECT_DOUBLE_EQ(view.Window().top, 70);
  EXPECT_DOUBLE_EQ(view.Window().width, 200);
  EXPECT_DOUBLE_EQ(view.Window().height, -150);
  EXPECT_EQ(view.StatusText(), "X=-50.Y=-80");
}

TEST(ContourViewWindow, Zoom200HalvesTheWindowAndKeepsTheOriginInPlace) {
  RecordingMessageBox box;
  ContourView view = StartView(box);
  const double originAt100 = (0 - view.Window().left) / view.Window().width;
  view.SetZoomPercent(200);
  view.SetDrawingScale(200 * kTwipsPerUnit, 150 * kTwipsPerUnit);
  view.SetViewOrigin();
  EXPECT_DOUBLE_EQ(view.Window().width, 100);
  EXPECT_DOUBLE_EQ(view.Window().height, -75);
  EXPECT_DOUBLE_EQ(view.Window().left, -25);
  EXPECT_DOUBLE_EQ(view.Window().top, 35);
  EXPECT_DOUBLE_EQ((0 - view.Window().left) / view.Window().width, originAt100);
}

TEST(ContourViewWindow, StatusTextIsSinglePrecision) {
  struct Case {
    double value;
    const char* text;
  };
  for (const Case& c : {Case{-50, "-50"}, Case{0.1, "0.1"}, Case{-31.694915254237, "-31.69492"},
                        Case{1234567.8, "1234568"}, Case{0, "0"}}) {
    EXPECT_EQ(SingleText(c.value), c.text) << c.value;
  }
  RecordingMessageBox box;
  ContourView view(box);
  view.SetDrawingScale(6000, 6000);  // 101.69... units high
  view.SetViewOrigin();
  EXPECT_EQ(view.StatusText(), "X=-50.Y=-31.69492");
}

TEST(ContourViewWindow, StatusTextAddsTopAndHeightAsTheSurfaceHoldsThem) {
  // The window's top and height are single-precision values of the surface;
  // their sum is single too: 70 + (-25.677966) gives 44.32204, where the exact
  // 44.3220339 would read 44.32203.
  RecordingMessageBox box;
  ContourView view(box);
  view.SetDrawingScale(1515, 1515);
  view.SetViewOrigin();
  EXPECT_EQ(view.StatusText(), "X=-50.Y=44.32204");
}

// --- panning by click -------------------------------------------------------

struct PanCase {
  const char* name;
  double x, y;
  ScrollValues expected;
};

void PrintTo(const PanCase& c, std::ostream* out) { *out << c.name; }

class PanByClick : public ::testing::TestWithParam<PanCase> {};

TEST_P(PanByClick, ScrollValuesRoundHalfToEvenAndStayInRange) {
  RecordingMessageBox box;
  ContourView view = StartView(box);
  const ScrollValues target = view.PanByClick(GetParam().x, GetParam().y);
  EXPECT_EQ(target.h, GetParam().expected.h);
  EXPECT_EQ(target.v, GetParam().expected.v);
}

INSTANTIATE_TEST_SUITE_P(
    Clicks, PanByClick,
    ::testing::Values(PanCase{"origin", 0, 0, {80, 120}},                // nothing moves
                      PanCase{"left_half_up", 2.5, 0, {80, 120}},        // 79.5 -> 80
                      PanCase{"left_half_down", -2.5, 0, {80, 120}},     // 80.5 -> 80
                      PanCase{"left_half_to_78", 7.5, 0, {78, 120}},     // 78.5 -> 78
                      PanCase{"up_half", 0, 2, {80, 120}},               // 120.5 -> 120
                      PanCase{"ordinary", 12.3, -7.1, {78, 118}},        // 77.54, 118.225
                      PanCase{"beyond_left", 1000, 0, {0, 120}},         // kept at the bound
                      PanCase{"far_below", 0, -1000, {80, 0}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PanByClickSnap, ChangedScrollValueSnapsTheWindowToItsSteps) {
  RecordingMessageBox box;
  ContourView view = StartView(box);
  const ScrollValues target = view.PanByClick(12.3, -7.1);
  EXPECT_NEAR(view.Window().left, -62.3, 1e-12);  // before the scroll handling
  view.SetScroll(target);
  view.SetViewOrigin();
  EXPECT_DOUBLE_EQ(view.Window().left, -60);  // steps of 5 mm
  EXPECT_DOUBLE_EQ(view.Window().top, 78);    // steps of 4 mm
}

// --- arcs -------------------------------------------------------------------

TEST(ArcAngles, Cases) {
  struct Case {
    const char* name;
    double dx0, dy0, dx1, dy1, p1;
    double start, end;
  };
  const Case cases[] = {
      {"full_ccw", 10, 0, 10, 0, 10, 0, 360},
      {"full_cw", 10, 0, 10, 0, -10, 0, -360},
      {"full_ccw_at_90", 0, 10, 0, 10, 10, 90, 450},
      {"cw_quarter_90_to_0", 0, 10, 10, 0, -10, -270, -360},
      {"ccw_quarter_0_to_90", 10, 0, 0, 10, 10, 0, 90},
      {"ccw_from_minus_90", 0, -10, 10, 0, 10, 270, 360},
      {"ccw_180_to_270", -10, 0, 0, -10, 10, 180, 270},
      {"cw_270_to_180", 0, -10, -10, 0, -10, -90, -180},
      {"point_on_centre", 0, 0, 0, 10, 10, 0, 90},
  };
  for (const Case& c : cases) {
    const ArcSweep sweep = ArcAngles(c.dx0, c.dy0, c.dx1, c.dy1, c.p1);
    EXPECT_NEAR(sweep.start, c.start, 1e-9) << c.name;
    EXPECT_NEAR(sweep.end, c.end, 1e-9) << c.name;
  }
  EXPECT_NEAR(ArcAngles(1, 0, 0, 1, 10).step, 4.983, 1e-3);
  EXPECT_NEAR(ArcAngles(1, 0, 0, 1, 1).step, 39.27, 1e-2);
  EXPECT_NEAR(ArcAngles(1, 0, 0, 1, -10).step, -4.983, 1e-3);
}

// Angle in degrees of each line end around the centre (cx, cy), unwrapped
// along the sweep.
std::vector<double> SweptAngles(const std::vector<DrawOp>& lines, double cx, double cy, double radius) {
  std::vector<double> angles;
  for (const DrawOp& op : lines) {
    EXPECT_NEAR(std::hypot(op.x2 - cx, op.y2 - cy), radius, 1e-4);
    double a = std::atan2(op.y2 - cy, op.x2 - cx) * 180 / kPi;
    if (!angles.empty()) {
      while (a - angles.back() > 180) a -= 360;
      while (a - angles.back() < -180) a += 360;
    }
    angles.push_back(a);
  }
  return angles;
}

TEST(DrawArc, FullCircleBothWays) {
  for (const double p1 : {10.0, -10.0}) {
    ElementTable table = TableOf({"15,5,0,0,0", "5,5,0," + std::to_string(p1) + ",0", "15,5,0,0,0"});
    RecordingMessageBox box;
    ContourView view(box);
    RecordingSurface surface;
    view.Redraw(surface, table, PieceLayout(), "/nonexistent/CON2TA.dat");
    const std::vector<DrawOp> arc = surface.Lines(kContourColour);
    // 73 steps from 0 to 358.8 degrees, then the chord to the end point.
    ASSERT_EQ(arc.size(), 74u) << p1;
    const std::vector<double> angles =
        SweptAngles(std::vector<DrawOp>(arc.begin(), arc.end() - 1), 5, 5, 10);
    EXPECT_NEAR(angles.front(), 0, 1e-4);
    EXPECT_NEAR(std::fabs(angles.back() - angles.front()), 72 * 4.98337, 1e-2);
    for (size_t i = 1; i < angles.size(); ++i) {
      EXPECT_GT((angles[i] - angles[i - 1]) * p1, 0) << "direction of travel";
    }
  }
}

TEST(DrawArc, ClockwiseQuarterStaysInItsQuadrant) {
  // From (0, 10) clockwise to (10, 0) around the origin.
  ElementTable table = TableOf({"0,10,0,0,0", "0,0,0,-10,0", "10,0,0,0,0"});
  RecordingMessageBox box;
  ContourView view(box);
  RecordingSurface surface;
  view.Redraw(surface, table, PieceLayout(), "/nonexistent/CON2TA.dat");
  const std::vector<DrawOp> arc = surface.Lines(kContourColour);
  ASSERT_EQ(arc.size(), 20u);  // 19 steps, then the chord
  for (const DrawOp& op : arc) {
    EXPECT_GE(op.x2, -1e-4);
    EXPECT_GE(op.y2, -1e-4);
  }
  const std::vector<double> angles = SweptAngles(arc, 0, 0, 10);
  EXPECT_NEAR(angles.front(), 90, 1e-3);
  EXPECT_LT(angles[1], angles[0]);
}

TEST(DrawArc, HugeRadiusFullCircleEndsInBoundedSteps) {
  ElementTable table = TableOf({"1e9,0,0,0,0", "0,0,0,1e9,0", "1e9,0,0,0,0"});
  RecordingMessageBox box;
  ContourView view(box);
  RecordingSurface surface;
  view.Redraw(surface, table, PieceLayout(), "/nonexistent/CON2TA.dat");
  const size_t lines = surface.Lines(kContourColour).size();
  EXPECT_GE(lines, 100000u);
  EXPECT_LE(lines, 100003u);
}

// --- chains ------------------------------------------------------------------

TEST(DrawContour, SeparatorStartsANewChainAndCode99InsideEndsIt) {
  ElementTable table = TableOf({
      "0,0,0,0,0", "10,0,0,0,0", "10,20,0,0,0",  // first chain
      "0,0,88,0,0",                               // separator
      "50,0,0,0,0", "60,0,0,0,0", "60,10,0,0,0",  // second chain
      "0,0,99,0,0",                               // end row inside the chain
      "70,70,0,0,0",                              // never drawn
  });
  RecordingMessageBox box;
  ContourView view(box);
  RecordingSurface surface;
  view.Redraw(surface, table, PieceLayout(), "/nonexistent/CON2TA.dat");
  const std::vector<std::string> expected = {
      "P0 0 0",        "L3 10 0 from 0 0",   "P0 10 0",  "L3 10 20 from 10 0",  "P0 10 20",
      "P0 50 0",       "L3 60 0 from 50 0",  "L3 60 0 from 60 0",                 "P0 60 0",
      "L3 60 10 from 60 0",                  "P0 60 10",
  };
  // After the cross (clear, scale, 2 x (point, line)).
  ASSERT_GE(surface.log.size(), 6 + expected.size());
  EXPECT_EQ(std::vector<std::string>(surface.log.begin() + 6, surface.log.end()), expected);
  EXPECT_EQ(std::vector<std::string>(surface.log.begin() + 2, surface.log.begin() + 6),
            (std::vector<std::string>{"P0 -10 0", "L0 10 0 from -10 0", "P0 0 -10", "L0 0 10 from 0 -10"}));
}

TEST(DrawContour, SeparatorRowsAndLonePointsNeverDrawALine) {
  // Separators in a row, chains of one point (such as a hand-edited file or an
  // older import holds) and a separator near the end.
  ElementTable table = TableOf({
      "0,0,0,0,0", "10,0,0,0,0",  // first chain
      "888,0,88,0,0", "40,40,0,0,0", "888,0,88,0,0", "888,0,88,0,0",
      "50,0,0,0,0", "60,0,0,0,0",  // second chain
      "888,0,88,0,0", "70,70,0,0,0",
  });
  RecordingMessageBox box;
  ContourView view(box);
  RecordingSurface surface;
  view.Redraw(surface, table, PieceLayout(), "/nonexistent/CON2TA.dat");
  for (const std::string& entry : surface.log) {
    EXPECT_EQ(entry.find("888"), std::string::npos) << entry;
    EXPECT_EQ(entry.find("40 40"), std::string::npos) << entry;
    EXPECT_EQ(entry.find("70 70"), std::string::npos) << entry;
  }
  EXPECT_NE(std::find(surface.log.begin(), surface.log.end(), "L3 60 0 from 50 0"), surface.log.end());
}

TEST(DrawContour, SeparatorInTheLastRowsOfAFullTableEndsTheDrawing) {
  ElementTable table;
  table.RowCount = ElementTable::kMaxCount;
  for (int r = 1; r <= table.RowCount; ++r) {
    table.X[r] = r % 7;
    table.Y[r] = r % 5;
    table.Code[r] = 0;
    table.P1[r] = 0;
  }
  table.Code[ElementTable::kMaxCount] = 88;
  table.Code[ElementTable::kLastRow] = 88;
  RecordingMessageBox box;
  ContourView view(box);
  RecordingSurface surface;
  view.DrawContour(table);
  EXPECT_LE(table.CurRow, ElementTable::kLastRow + 1);
}

TEST(DrawContour, RectangleOf10By20HasPerimeter60) {
  ElementTable table = TableOf({"0,0,0,0,0", "10,0,0,0,0", "10,20,0,0,0", "0,20,0,0,0", "0,0,0,0,0"});
  RecordingMessageBox box;
  ContourView view(box);
  RecordingSurface surface;
  view.Redraw(surface, table, PieceLayout(), "/nonexistent/CON2TA.dat");
  EXPECT_DOUBLE_EQ(view.Perimeter(), 60);  // vertex marks never restart the sum
  EXPECT_EQ(view.PerimeterLabel(), "60");
}

// --- pieces and offset, from the contour file -----------------------------------

struct ViewWithFile : ::testing::Test {
  test::TempFolder folder;
  std::string path = folder.File("CON2TA.dat");
  ElementTable table;
  PieceLayout layout;
  RecordingMessageBox box;
  ContourView view{box};
  RecordingSurface surface;

  void Write(const std::vector<std::string>& rows) {
    ElementTable source = TableOf(rows);
    ASSERT_TRUE(SaveTable(source, path));
  }
};

TEST_F(ViewWithFile, ZeroOffsetDrawsOnlyTheContour) {
  Write({"0,0,0,0,0", "10,0,0,0,0", "10,20,0,0,0", "0,20,0,0,0", "0,0,0,0,0"});
  view.SetOffsetText("0");
  view.Redraw(surface, table, layout, path);
  EXPECT_EQ(surface.Lines(kContourColour).size(), 4u);
  EXPECT_TRUE(surface.Lines(kOffsetColour).empty());
  EXPECT_EQ(surface.Lines(kAxesColour).size(), 2u);
  view.SetOffsetText(" 0.5abc");
  view.Redraw(surface, table, layout, path);
  EXPECT_EQ(surface.Lines(kContourColour).size(), 4u);
  EXPECT_EQ(surface.Lines(kOffsetColour).size(), 4u);
}

TEST_F(ViewWithFile, EveryRedrawReloadsTheFile) {
  Write({"0,0,0,0,0", "10,0,0,0,0"});
  view.Redraw(surface, table, layout, path);
  EXPECT_EQ(view.PerimeterLabel(), "10");
  Write({"0,0,0,0,0", "30,0,0,0,0"});
  view.Redraw(surface, table, layout, path);
  EXPECT_EQ(view.PerimeterLabel(), "30");
}

TEST_F(ViewWithFile, TwoPiecesAreDrawnAtTheirShifts) {
  Write({"0,0,0,0,0", "10,0,0,0,0", "10,20,0,0,0", "0,20,0,0,0", "0,0,0,0,0"});
  layout.Row(1).sftX = "50";
  layout.Row(1).sftY = "0";
  layout.Row(3).sftX = "100";  // after an unused row: ignored
  view.Redraw(surface, table, layout, path);
  const std::vector<DrawOp> lines = surface.Lines(kContourColour);
  ASSERT_EQ(lines.size(), 8u);
  for (size_t i = 0; i < 4; ++i) {
    EXPECT_LE(lines[i].x2, 10);
    EXPECT_GE(lines[i + 4].x2, 50);
    EXPECT_LE(lines[i + 4].x2, 60);
  }
  EXPECT_DOUBLE_EQ(table.X[2], 60);  // the table holds the last piece drawn
}

TEST_F(ViewWithFile, MirroredPieceKeepsItsArcsOnTheRightSide) {
  // A counter-clockwise quarter arc in the first quadrant.
  Write({"10,0,0,0,0", "0,0,0,10,0", "0,10,0,0,0"});
  layout.Row(0).mirX = "1";
  view.Redraw(surface, table, layout, path);
  const std::vector<DrawOp> arc = surface.Lines(kContourColour);
  ASSERT_EQ(arc.size(), 20u);
  for (const DrawOp& op : arc) {
    EXPECT_LE(op.x2, 1e-4);  // the mirror image lies in the second quadrant
    EXPECT_GE(op.y2, -1e-4);
  }
  EXPECT_NEAR(arc.back().x2, -10, 1e-6);
}

// --- printed sheet -------------------------------------------------------------

TEST_F(ViewWithFile, SheetAt100PercentAndTitleBlock) {
  // A triangle: perimeter 20 + 14.142...
  Write({"0,0,0,0,0", "10,0,0,0,0", "0,10,0,0,0", "0,0,0,0,0"});
  RecordingPrinter printer;
  view.SetScroll({kStartHScroll, kStartVScroll});
  ASSERT_TRUE(view.PrintSheet(surface, printer, table, layout, path, "2026/12/08"));
  const std::vector<std::string> expected = {
      "save", "landscape", "area 281.0231 200.8719", "scale -100 120 281.0231 -200.8719", "colour 0",
      "font ＭＳ　Ｐゴシック 16", "text 　ＶＥＸＬＩＮＥ",
      "font ＭＳ　Ｐゴシック 11", "text 周長  34.14 m/m", "text Date  2026/12/08",
      "end", "restore",
  };
  EXPECT_EQ(printer.log, expected);
  EXPECT_EQ(view.PerimeterLabel(), "34.1");
  // Every segment and point of the screen is on the sheet too.
  int surfaceLines = 0, surfacePoints = 0;
  for (const DrawOp& op : surface.ops) (op.kind == 'L' ? surfaceLines : surfacePoints)++;
  EXPECT_EQ(printer.lines, surfaceLines);
  EXPECT_EQ(printer.points, surfacePoints);
  ASSERT_EQ(printer.texts.size(), 3u);
  EXPECT_DOUBLE_EQ(printer.texts[0].x, -90);
  EXPECT_DOUBLE_EQ(printer.texts[0].y, 110);
  EXPECT_DOUBLE_EQ(printer.texts[1].x, -60);
  EXPECT_DOUBLE_EQ(printer.texts[1].y, 100);
  EXPECT_NEAR(printer.texts[2].x, 141.0231, 1e-9);
  EXPECT_DOUBLE_EQ(printer.texts[2].y, 110);
}

TEST_F(ViewWithFile, TitleBlockStaysInPlaceOnThePaperAt200Percent) {
  Write({"0,0,0,0,0", "10,0,0,0,0"});
  RecordingPrinter at100, at200;
  view.PrintSheet(surface, at100, table, layout, path, "d");
  view.SetZoomPercent(200);
  view.PrintSheet(surface, at200, table, layout, path, "d");
  EXPECT_EQ(at200.log[3], "scale -50 60 140.5115 -100.436");
  for (size_t i = 0; i < 3; ++i) {
    // Millimetres from the sheet's top-left corner.
    const auto paper = [](const RecordingPrinter& p, size_t k) {
      return std::pair<double, double>{(p.texts[k].x - p.window.left) / p.window.width * 281.0231,
                                       (p.texts[k].y - p.window.top) / p.window.height * 200.8719};
    };
    EXPECT_NEAR(paper(at100, i).first, paper(at200, i).first, 1e-9);
    EXPECT_NEAR(paper(at100, i).second, paper(at200, i).second, 1e-9);
  }
}

TEST_F(ViewWithFile, SheetPrintsTheOffsetPathLengthWithTwoDecimals) {
  // The offset path of this open rectangle runs 9.87 + 19.87 + 9.87 + 19.87 = 59.48.
  Write({"0,0,0,0,0", "10,0,0,0,0", "10,20,0,0,0", "0,20,0,0,0", "0,0,0,0,0"});
  view.SetOffsetText("0.13");
  RecordingPrinter printer;
  ASSERT_TRUE(view.PrintSheet(surface, printer, table, layout, path, "d"));
  EXPECT_TRUE(box.messages.empty());
  EXPECT_FALSE(surface.Lines(kOffsetColour).empty());
  ASSERT_EQ(printer.texts.size(), 3u);
  EXPECT_EQ(printer.texts[1].text, "周長  59.48 m/m");
  EXPECT_EQ(view.PerimeterLabel(), "59.5");
}

TEST_F(ViewWithFile, OffsetPathRollsRoundACornerWhoseElementsNoLongerMeet) {
  // A line turning sharply into an arc of radius 1: at offset 0.5 the wire
  // rolls round the corner on an arc of radius 0.5 about (0, 0), from (0, 0.5)
  // to (0.4, -0.3), and the screen and the sheet draw that arc.
  Write({"-10,3,0,0,0", "-10,0,0,0,0", "0,0,0,0,0", "0.8,-0.6,0,1,0", "0.8,-1.6,0,0,0", "0.8,-4,0,0,0"});
  view.SetOffsetText("0.5");
  RecordingPrinter printer;
  ASSERT_TRUE(view.PrintSheet(surface, printer, table, layout, path, "d"));
  int onCornerArc = 0;
  for (const DrawOp& op : surface.Lines(kOffsetColour)) {
    const bool inside = op.x2 > 1e-3 && op.y2 < 0.5 - 1e-3 && op.y2 > -0.3 + 1e-3;
    if (inside && std::fabs(std::hypot(op.x2, op.y2) - 0.5) < 1e-5) ++onCornerArc;
  }
  EXPECT_EQ(onCornerArc, 2);
  EXPECT_EQ(printer.lines, static_cast<int>(surface.Lines(kContourColour).size() +
                                            surface.Lines(kOffsetColour).size() + surface.Lines(kAxesColour).size()));
  // 2.5 + 10 + 2.9 along the lines, and two arcs of 1.107 each drawn as chords.
  EXPECT_EQ(view.PerimeterLabel(), "17.5");
  EXPECT_TRUE(box.messages.empty());
}

TEST(ShortDate, JapaneseShortForm) {
  std::tm local{};
  local.tm_year = 2026 - 1900;
  local.tm_mon = 11;
  local.tm_mday = 8;
  local.tm_hour = 12;
  local.tm_isdst = -1;
  EXPECT_EQ(ShortDateText(std::mktime(&local)), "2026/12/08");
}

}  // namespace
}  // namespace vx
