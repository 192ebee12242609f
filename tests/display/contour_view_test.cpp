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

// --- zoom about a point, drag, fit ---------------------------------------------

// Where the world point (x, y) lies in the drawing area, as shares of its
// width and height.
std::pair<double, double> Place(const ContourView& view, double x, double y) {
  const ViewWindow& w = view.Window();
  return {(x - w.left) / w.width, (y - w.top) / w.height};
}

TEST(ContourViewFreeWindow, ZoomAboutAPointKeepsItInPlace) {
  struct Case {
    double x, y, zoom, expectedZoom;
  };
  const Case cases[] = {
      {0, 0, 2, 2},           {37.5, -12.25, 1.25, 1.25}, {-50, 70, 0.5, 0.5},  // the corner itself
      {100, 100, 1000, 200},  // kept at 20000 %
      {5, 5, 0.001, 0.1},     // kept at 10 %
  };
  for (const Case& c : cases) {
    RecordingMessageBox box;
    ContourView view = StartView(box);
    const auto before = Place(view, c.x, c.y);
    view.ZoomAbout(c.x, c.y, c.zoom);
    EXPECT_DOUBLE_EQ(view.ZoomFactor(), c.expectedZoom);
    EXPECT_NEAR(view.Window().width, 200 / c.expectedZoom, 1e-9);
    const auto after = Place(view, c.x, c.y);
    EXPECT_NEAR(after.first, before.first, 1e-12) << c.x;
    EXPECT_NEAR(after.second, before.second, 1e-12) << c.y;
    EXPECT_FALSE(view.FollowsScroll());
  }
}

TEST(ContourViewFreeWindow, SliderZoomsAboutTheOriginAndScrollingSnapsBack) {
  RecordingMessageBox box;
  ContourView view = StartView(box);
  // Following the scroll bars the slider gives exactly the scroll formulas.
  view.ZoomToSlider(200);
  EXPECT_TRUE(view.FollowsScroll());
  EXPECT_DOUBLE_EQ(view.Window().left, -25);
  EXPECT_DOUBLE_EQ(view.Window().top, 35);
  // A dragged window zooms about the origin just the same.
  view.MoveWindow(3.3, -1.1);
  EXPECT_FALSE(view.FollowsScroll());
  const auto origin = Place(view, 0, 0);
  view.ZoomToSlider(0);  // taken as 10 %
  EXPECT_DOUBLE_EQ(view.ZoomFactor(), 0.1);
  EXPECT_NEAR(Place(view, 0, 0).first, origin.first, 1e-12);
  EXPECT_NEAR(Place(view, 0, 0).second, origin.second, 1e-12);
  // A new size keeps the free window's corner; the scroll bars bring back their origin.
  const double left = view.Window().left;
  view.Layout(100 * kTwipsPerUnit, 100 * kTwipsPerUnit);
  EXPECT_DOUBLE_EQ(view.Window().left, left);
  EXPECT_DOUBLE_EQ(view.Window().width, 1000);
  view.SetViewOrigin();
  EXPECT_TRUE(view.FollowsScroll());
  EXPECT_DOUBLE_EQ(view.Window().left, -500);
}

TEST(ContourViewFreeWindow, NearestScrollInvertsTheOriginAndKeepsInRange) {
  for (const int zoom : {10, 100, 250}) {
    for (const ScrollValues scroll : {ScrollValues{0, 0}, ScrollValues{80, 120}, ScrollValues{200, 200},
                                      ScrollValues{33, 171}}) {
      RecordingMessageBox box;
      ContourView view = StartView(box);
      view.SetZoomPercent(zoom);
      view.SetScroll(scroll);
      view.SetViewOrigin();
      EXPECT_EQ(view.NearestScroll(), scroll) << zoom;
    }
  }
  RecordingMessageBox box;
  ContourView view = StartView(box);
  view.MoveWindow(5000, 5000);  // far right and far up
  EXPECT_EQ(view.NearestScroll(), (ScrollValues{200, 0}));
}

TEST(ContourViewFreeWindow, WorldAtMapsPixelsOntoTheWindow) {
  RecordingMessageBox box;
  ContourView view = StartView(box);  // -50..150 across, 70..-80 down
  const auto [x, y] = view.WorldAt(100, 75, 400, 300);
  EXPECT_DOUBLE_EQ(x, 0);
  EXPECT_DOUBLE_EQ(y, 32.5);
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
  EXPECT_GE(lines, static_cast<size_t>(kMaxArcSteps));
  EXPECT_LE(lines, static_cast<size_t>(kMaxArcSteps) + 3);
}

// Arcs whose numbers come from hand-edited or imported files: every one ends
// in a bounded number of segments, and only finite coordinates reach the surface.
struct ExtremeArcCase {
  const char* name;
  std::vector<std::string> rows;
  size_t fewestLines;
  size_t mostLines;
};

std::ostream& operator<<(std::ostream& out, const ExtremeArcCase& c) { return out << c.name; }

class ExtremeArcTest : public ::testing::TestWithParam<ExtremeArcCase> {};

TEST_P(ExtremeArcTest, EndsInBoundedStepsWithFiniteCoordinates) {
  const ExtremeArcCase& c = GetParam();
  ElementTable table = TableOf(c.rows);
  RecordingMessageBox box;
  ContourView view(box);
  RecordingSurface surface;
  view.Redraw(surface, table, PieceLayout(), "/nonexistent/CON2TA.dat");
  const std::vector<DrawOp> lines = surface.Lines(kContourColour);
  EXPECT_GE(lines.size(), c.fewestLines);
  EXPECT_LE(lines.size(), c.mostLines);
  for (const DrawOp& op : surface.ops) {
    EXPECT_TRUE(std::isfinite(op.x1) && std::isfinite(op.y1) && std::isfinite(op.x2) && std::isfinite(op.y2));
  }
}

INSTANTIATE_TEST_SUITE_P(
    Files, ExtremeArcTest,
    ::testing::Values(
        // An imported side from (0, 0) to (1000, 1000) with bulge 1e-14: the
        // angle step is below the rounding of the angle; the arc is its chord.
        ExtremeArcCase{"HugeRadiusTinySweepIsItsChord",
                       {"0,0,0,0,0", "-2.49999999999995E+16,2.50000000000005E+16,0,3.53553390593274E+16,0",
                        "1000,1000,0,0,0"},
                       1, 1},
        ExtremeArcCase{"HugeRadiusTinySweepClockwiseIsItsChord",
                       {"1000,1000,0,0,0", "-2.49999999999995E+16,2.50000000000005E+16,0,-3.53553390593274E+16,0",
                        "0,0,0,0,0"},
                       1, 1},
        ExtremeArcCase{"RadiusOf100KmQuarterInAtMostTheMostSteps",
                       {"1e8,0,0,0,0", "0,0,0,1e8,0", "0,1e8,0,0,0"}, 1000, kMaxArcSteps + 2},
        ExtremeArcCase{"FullCircleOfRadius450KeepsItsOwnStep",
                       {"450,0,0,0,0", "0,0,0,450,0", "450,0,0,0,0"},
                       static_cast<size_t>(360 / (std::atan(1 / 450.0) * 50)) + 2,
                       static_cast<size_t>(360 / (std::atan(1 / 450.0) * 50)) + 2},
        ExtremeArcCase{"BeyondSingleRangeStaysFinite",
                       {"0,0,0,0,0", "1e300,-1e300,0,1e300,0", "3e300,0,0,0,0", "1e200,1e39,0,0,0"}, 2,
                       kMaxArcSteps + 4}),
    [](const ::testing::TestParamInfo<ExtremeArcCase>& info) { return std::string(info.param.name); });

TEST(DrawArc, HugeRadiusTinySweepGivesTheChordsLength) {
  ElementTable table = TableOf({"0,0,0,0,0", "-2.49999999999995E+16,2.50000000000005E+16,0,3.53553390593274E+16,0",
                                "1000,1000,0,0,0"});
  RecordingMessageBox box;
  ContourView view(box);
  RecordingSurface surface;
  view.Redraw(surface, table, PieceLayout(), "/nonexistent/CON2TA.dat");
  EXPECT_EQ(view.PerimeterLabel(), "1414.2");
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

TEST(DrawContour, AChainThatBeginsWithAnArcDrawsNoLineToItsCentre) {
  // A square, then (as an import writes a circle) a full circle of radius 8.
  ElementTable table = TableOf({
      "0,0,0,0,0", "10,0,0,0,0", "10,10,0,0,0", "0,10,0,0,0", "0,0,0,0,0",
      "888,0,88,0,0", "28,20,0,0,0", "20,20,8,8,-2", "28,20,0,0,0",
  });
  RecordingMessageBox box;
  ContourView view(box);
  RecordingSurface surface;
  view.Redraw(surface, table, PieceLayout(), "/nonexistent/CON2TA.dat");
  for (const std::string& entry : surface.log) EXPECT_EQ(entry.find("L3 20 20"), std::string::npos) << entry;
  EXPECT_NEAR(view.Perimeter(), 2 * 3.1415926 * 8, 0.05) << "the circle alone, not its radius";
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

TEST_F(ViewWithFile, FitShowsTheWholeDrawingCentredWithAMargin) {
  Write({"100,0,0,0,0", "140,0,0,0,0", "140,10,0,0,0"});
  ContourView fit = StartView(box);
  EXPECT_FALSE(fit.FitToWindow()) << "nothing drawn yet";
  fit.Redraw(surface, table, layout, path);
  // The origin cross is not part of the drawing.
  EXPECT_DOUBLE_EQ(fit.DrawnExtents().minX, 100);
  EXPECT_DOUBLE_EQ(fit.DrawnExtents().maxY, 10);
  ASSERT_TRUE(fit.FitToWindow());
  // 40 units wide with 5 % on each side in a window 200 units wide at 100 %.
  EXPECT_DOUBLE_EQ(fit.ZoomFactor(), 200 / 44.0);
  EXPECT_NEAR(Place(fit, 100, 0).first, 0.05 / 1.1 + 0, 1e-12);
  EXPECT_NEAR(Place(fit, 140, 0).first, 1 - 0.05 / 1.1, 1e-12);
  EXPECT_NEAR(Place(fit, 120, 5).second, 0.5, 1e-12);
  EXPECT_FALSE(fit.FollowsScroll());
  // A drawing that is one point keeps the zoom and is centred.
  Write({"7,8,0,0,0"});
  fit.Redraw(surface, table, layout, path);
  const double zoom = fit.ZoomFactor();
  ASSERT_TRUE(fit.FitToWindow());
  EXPECT_DOUBLE_EQ(fit.ZoomFactor(), zoom);
  EXPECT_NEAR(Place(fit, 7, 8).first, 0.5, 1e-12);
  // A drawing with no piece in use has nothing to fit.
  layout.Row(0) = PieceRow{};
  fit.Redraw(surface, table, layout, path);
  EXPECT_FALSE(fit.FitToWindow());
  EXPECT_EQ(fit.PerimeterLabel(), "0");
}

TEST_F(ViewWithFile, EveryChainOfEveryPieceIsMeasured) {
  // A rectangle 10 x 20 and, after a separator, a square 5 x 5 inside it.
  Write({"0,0,0,0,0", "10,0,0,0,0", "10,20,0,0,0", "0,20,0,0,0", "0,0,0,0,0", "0,0,88,0,0", "2,2,0,0,0",
         "7,2,0,0,0", "7,7,0,0,0", "2,7,0,0,0", "2,2,0,0,0"});
  layout.Row(1).sftX = "50";
  view.Redraw(surface, table, layout, path);
  const std::vector<ChainLength>& chains = view.Chains();
  ASSERT_EQ(chains.size(), 4u);
  const double lengths[] = {60, 20, 60, 20};
  for (size_t i = 0; i < 4; ++i) {
    EXPECT_EQ(chains[i].piece, static_cast<int>(i / 2));
    EXPECT_EQ(chains[i].chain, static_cast<int>(i % 2));
    EXPECT_NEAR(chains[i].length, lengths[i], 1e-9);
  }
  EXPECT_EQ(ChainName(chains, 3), "2-2");
  EXPECT_EQ(view.PerimeterLabel(), "160");
  EXPECT_DOUBLE_EQ(view.Perimeter(), 20);  // the last chain drawn, as the sum starts again at each chain
  // With an offset the chains are those of the offset path the wire follows.
  layout.Row(1) = PieceRow{};
  view.SetOffsetText("1");
  view.Redraw(surface, table, layout, path);
  ASSERT_EQ(view.Chains().size(), 2u);
  EXPECT_EQ(ChainName(view.Chains(), 1), "2");
  double green = 0;
  for (const DrawOp& op : surface.Lines(kOffsetColour)) green += std::hypot(op.x2 - op.x1, op.y2 - op.y1);
  EXPECT_NEAR(view.TotalPerimeter(), green, 1e-4);  // what was drawn in light green, single precision
  EXPECT_LT(view.Chains()[0].length, 60);            // inside the rectangle (left of travel)
  EXPECT_NEAR(view.TotalPerimeter(), view.Chains()[0].length + view.Chains()[1].length, 1e-12);
}

TEST_F(ViewWithFile, LoadStatusOfTheLastRedraw) {
  view.Redraw(surface, table, layout, path);
  EXPECT_EQ(view.LastLoadStatus(), LoadStatus::kMissing);
  folder.Write("CON2TA.dat", "3\r\n0,0,0,0,0\r\n10,0,0,0,0\r\n");
  view.Redraw(surface, table, layout, path);
  EXPECT_EQ(view.LastLoadStatus(), LoadStatus::kShort);
  Write({"0,0,0,0,0", "10,0,0,0,0"});
  view.Redraw(surface, table, layout, path);
  EXPECT_EQ(view.LastLoadStatus(), LoadStatus::kOk);
}

TEST(SheetFor, CentresAndScales) {
  struct Case {
    const char* name;
    Extents extents;
    SheetScale mode;
    double scale;
    double centreX, centreY;  // the world point at the room's centre
  };
  const auto box = [](double x0, double y0, double x1, double y1) {
    Extents e;
    e.Add(x0, y0);
    e.Add(x1, y1);
    return e;
  };
  const Case cases[] = {
      {"nothing drawn: the origin at 1:1", Extents{}, SheetScale::kFitToPage, 1, 0, 0},
      {"true scale of a large part", box(0, 0, 2000, 1000), SheetScale::kTrueScale, 1, 1000, 500},
      {"one point", box(3, 4, 3, 4), SheetScale::kFitToPage, 1, 3, 4},
      {"a vertical line: its height decides", box(5, 0, 5, 160.8719), SheetScale::kFitToPage, 1, 5, 80.43595},
      {"a horizontal line: its width decides", box(0, 1, 26.10231, 1), SheetScale::kFitToPage, 10, 13.051155, 1},
      {"a speck: at most 1000:1", box(0, 0, 1e-6, 1e-6), SheetScale::kFitToPage, 1000, 5e-7, 5e-7},
  };
  for (const Case& c : cases) {
    const SheetLayout sheet = SheetFor(c.extents, c.mode);
    EXPECT_NEAR(sheet.scale, c.scale, 1e-9) << c.name;
    EXPECT_NEAR(sheet.window.width * sheet.scale, 281.0231, 1e-9) << c.name;
    EXPECT_NEAR(sheet.window.height * sheet.scale, -200.8719, 1e-9) << c.name;
    // The room's centre: 10 + 261.0231 / 2 mm across, 30 + 160.8719 / 2 mm down.
    EXPECT_NEAR(sheet.window.left + 140.51155 / sheet.scale, c.centreX, 1e-6) << c.name;
    EXPECT_NEAR(sheet.window.top - 110.43595 / sheet.scale, c.centreY, 1e-6) << c.name;
  }
}

// Coordinates near the end of the range of numbers (a hand-edited file, a
// shift past it): the sheet's window stays finite either way.
TEST(SheetFor, ExtentsNearTheEndOfTheRangeGiveAFiniteWindow) {
  Extents e;
  e.Add(1e308, 0);
  e.Add(-1e308, 1e308);
  for (const SheetScale mode : {SheetScale::kTrueScale, SheetScale::kFitToPage}) {
    const SheetLayout sheet = SheetFor(e, mode);
    for (const double v : {sheet.window.left, sheet.window.top, sheet.window.width, sheet.window.height, sheet.scale}) {
      EXPECT_TRUE(std::isfinite(v) && v != 0);
    }
  }
}

TEST(ScaleText, Cases) {
  const std::pair<double, const char*> cases[] = {
      {1, "1:1"}, {2.5, "2.5:1"}, {0.25, "1:4"}, {16.0871899, "16.087:1"}, {1 / 3.0, "1:3"}, {0, "1:1"},
  };
  for (const auto& [scale, text] : cases) EXPECT_EQ(ScaleText(scale), text) << scale;
}

// Millimetres on the paper, from its top-left corner, of a point printed in the
// window the printer was given.
std::pair<double, double> OnPaper(const RecordingPrinter& p, double x, double y) {
  return {(x - p.window.left) / p.window.width * 281.0231, (y - p.window.top) / p.window.height * 200.8719};
}

TEST_F(ViewWithFile, TrueScaleSheetCentresTheDrawingBelowTheTitleBlock) {
  // A triangle: perimeter 20 + 14.142...
  Write({"0,0,0,0,0", "10,0,0,0,0", "0,10,0,0,0", "0,0,0,0,0"});
  RecordingPrinter printer;
  ASSERT_TRUE(view.PrintSheet(surface, printer, table, layout, path, "2026/12/08"));
  ASSERT_EQ(printer.log.size(), 13u);
  const std::vector<std::string> head = {"save", "landscape", "area 281.0231 200.8719"};
  EXPECT_EQ(std::vector<std::string>(printer.log.begin(), printer.log.begin() + 3), head);
  const std::vector<std::string> tail = {
      "colour 0",          "font ＭＳ　Ｐゴシック 16", "text 　ＶＥＸＬＩＮＥ", "font ＭＳ　Ｐゴシック 11",
      "text 周長  34.14 m/m", "text Date  2026/12/08",   "text Scale  1:1",      "end",
      "restore",
  };
  EXPECT_EQ(std::vector<std::string>(printer.log.begin() + 4, printer.log.end()), tail) << printer.log[3];
  // 1:1: a window as large as the paper, whatever the screen's zoom.
  EXPECT_NEAR(printer.window.width, 281.0231, 1e-9);
  EXPECT_NEAR(printer.window.height, -200.8719, 1e-9);
  // The triangle's box (0..10 both ways) sits in the middle of the room left
  // below the title block: 10 mm from the sides and the bottom, 30 mm from the top.
  const auto [left, top] = OnPaper(printer, 0, 10);
  const auto [right, bottom] = OnPaper(printer, 10, 0);
  EXPECT_NEAR(right - left, 10, 1e-9);
  EXPECT_NEAR(bottom - top, 10, 1e-9);
  EXPECT_NEAR(left - 10, 271.0231 - right, 1e-9);
  EXPECT_NEAR(top - 30, 190.8719 - bottom, 1e-9);
  EXPECT_EQ(view.PerimeterLabel(), "34.1");
  // Every segment and point of the screen is on the sheet too.
  int surfaceLines = 0, surfacePoints = 0;
  for (const DrawOp& op : surface.ops) (op.kind == 'L' ? surfaceLines : surfacePoints)++;
  EXPECT_EQ(printer.lines, surfaceLines);
  EXPECT_EQ(printer.points, surfacePoints);
  // The title block at its places on the paper: title and date 10 mm down,
  // perimeter and scale 20 mm down.
  ASSERT_EQ(printer.texts.size(), 4u);
  const std::pair<double, double> expected[] = {{10, 10}, {40, 20}, {241.0231, 10}, {241.0231, 20}};
  for (size_t i = 0; i < 4; ++i) {
    const auto [x, y] = OnPaper(printer, printer.texts[i].x, printer.texts[i].y);
    EXPECT_NEAR(x, expected[i].first, 1e-9) << printer.texts[i].text;
    EXPECT_NEAR(y, expected[i].second, 1e-9) << printer.texts[i].text;
  }
}

TEST_F(ViewWithFile, ScreenZoomAndScrollDoNotChangeTheSheet) {
  Write({"0,0,0,0,0", "10,0,0,0,0", "10,5,0,0,0"});
  RecordingPrinter at100, at200;
  view.PrintSheet(surface, at100, table, layout, path, "d");
  view.SetZoomPercent(200);
  view.SetScroll({10, 190});
  view.SetViewOrigin();
  view.PrintSheet(surface, at200, table, layout, path, "d");
  EXPECT_EQ(at100.log, at200.log);
}

TEST_F(ViewWithFile, FittedSheetFillsTheRoomAndSaysItsScale) {
  struct Case {
    std::vector<std::string> rows;
    const char* scaleText;
    double width, height;  // of the drawing
  };
  const Case cases[] = {
      // 10 x 10: the room's height (160.8719 mm) decides.
      {{"0,0,0,0,0", "10,0,0,0,0", "10,10,0,0,0"}, "Scale  16.087:1", 10, 10},
      // 1000 x 100: the room's width (261.0231 mm) decides.
      {{"-500,0,0,0,0", "500,0,0,0,0", "500,100,0,0,0"}, "Scale  1:3.831", 1000, 100},
  };
  for (const Case& c : cases) {
    Write(c.rows);
    RecordingPrinter printer;
    ASSERT_TRUE(view.PrintSheet(surface, printer, table, layout, path, "d", SheetScale::kFitToPage));
    ASSERT_EQ(printer.texts.size(), 4u);
    EXPECT_EQ(printer.texts[3].text, c.scaleText);
    const auto [x0, y0] = OnPaper(printer, view.DrawnExtents().minX, view.DrawnExtents().maxY);
    const auto [x1, y1] = OnPaper(printer, view.DrawnExtents().maxX, view.DrawnExtents().minY);
    EXPECT_GE(x0, 10 - 1e-9);
    EXPECT_LE(x1, 271.0231 + 1e-9);
    EXPECT_GE(y0, 30 - 1e-9);
    EXPECT_LE(y1, 190.8719 + 1e-9);
    // One side fills the room.
    EXPECT_TRUE(std::fabs((x1 - x0) - 261.0231) < 1e-6 || std::fabs((y1 - y0) - 160.8719) < 1e-6) << c.scaleText;
    // The title block stays at its places on the paper.
    const auto [tx, ty] = OnPaper(printer, printer.texts[1].x, printer.texts[1].y);
    EXPECT_NEAR(tx, 40, 1e-9);
    EXPECT_NEAR(ty, 20, 1e-9);
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
  ASSERT_EQ(printer.texts.size(), 4u);
  EXPECT_EQ(printer.texts[1].text, "周長  59.48 m/m");
  EXPECT_EQ(view.PerimeterLabel(), "59.5");
}

TEST_F(ViewWithFile, SheetOfSeveralChainsListsEachBesideTheSum) {
  Write({"0,0,0,0,0", "10,0,0,0,0", "10,20,0,0,0", "0,20,0,0,0", "0,0,0,0,0"});
  layout.Row(1).sftX = "50";
  RecordingPrinter printer;
  ASSERT_TRUE(view.PrintSheet(surface, printer, table, layout, path, "d"));
  ASSERT_EQ(printer.texts.size(), 5u);
  EXPECT_EQ(printer.texts[1].text, "周長  120 m/m");
  EXPECT_EQ(printer.texts[2].text, "(1-1: 60  2-1: 60)");
}

TEST_F(ViewWithFile, OffsetMessagesComeOncePerPrint) {
  // The entry line runs on in the direction of the first side: the offset
  // path reports the missing intersection at every redraw.
  Write({"-5,0,0,0,0", "0,0,0,0,0", "10,0,0,0,0", "10,20,0,0,0", "0,20,0,0,0"});
  view.SetOffsetText("1");
  RecordingPrinter printer;
  ASSERT_TRUE(view.PrintSheet(surface, printer, table, layout, path, "d", SheetScale::kFitToPage));
  EXPECT_EQ(box.messages.size(), 1u);
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
