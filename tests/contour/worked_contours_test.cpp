// Worked contours mixing lines, circles, corner radii and (C) corners, checked by independent geometry.
#include <gtest/gtest.h>

#include <cmath>

#include "contour_check.h"

namespace vx::test {
namespace {

const ElementRow kEndRow{0, 0, 99, 0, 0};
// The degree functions round to 6 places, so constructed points on circles of
// radius 10 carry errors of some 1e-5.
constexpr double kTolerance = 1e-4;

void ExpectClosed(const std::vector<Row>& rows) {
  EXPECT_NEAR(rows.front().x, rows.back().x, 1e-9);
  EXPECT_NEAR(rows.front().y, rows.back().y, 1e-9);
}

Converted ConvertCleanly(const std::vector<ElementRow>& elements) {
  Converted result = Convert(elements);
  EXPECT_EQ(result.status, Conv2Status::kOk);
  EXPECT_TRUE(result.box.messages.empty()) << result.box.messages.front();
  ExpectConsistentChain(result.Rows(), kTolerance);
  return result;
}

TEST(WorkedContour, PlateWithTwoRoundedCorners) {
  const auto rows = ConvertCleanly({{0, 0, 0, 0, 0}, {40, 0, 0, 0, 5}, {40, 20, 0, 0, 5}, {0, 20, 0, 0, 0},
                                    {0, 0, 0, 0, 0}, kEndRow})
                        .Rows();
  ExpectRows(rows, {{0, 0, 0, 0, 0}, {35, 0, 0, 0, 0}, {35, 5, 0, 5, 0}, {40, 5, 0, 0, 0}, {40, 15, 0, 0, 0},
                    {35, 15, 0, 5, 0}, {35, 20, 0, 0, 0}, {0, 20, 0, 0, 0}, {0, 0, 0, 0, 0}});
  ExpectArcTangentToSegment(rows, 3, 1, 2, 1e-9);
  ExpectArcTangentToSegment(rows, 3, 4, 5, 1e-9);
  ExpectArcTangentToSegment(rows, 6, 4, 5, 1e-9);
  ExpectArcTangentToSegment(rows, 6, 7, 8, 1e-9);
  ExpectClosed(rows);
}

TEST(WorkedContour, CornerItemBetweenAVerticalLeavingLineAndAnEnteringLine) {
  const auto rows = ConvertCleanly({{0, 0, 0, 0, 0}, {30, 0, 1, 90, 0}, {0, 0, 5, 0, 4}, {0, 20, 2, 180, 0},
                                    {0, 0, 0, 0, 0}, kEndRow})
                        .Rows();
  // Left turn from up to -X at (30, 20): centre 4 below and 4 left of it.
  ExpectRows(rows, {{0, 0, 0, 0, 0}, {30, 0, 0, 0, 0}, {30, 16, 0, 0, 0}, {26, 16, 0, 4, 0}, {26, 20, 0, 0, 0},
                    {0, 20, 0, 0, 0}, {0, 0, 0, 0, 0}});
  ExpectArcTangentToSegment(rows, 4, 2, 3, 1e-9);
  ExpectArcTangentToSegment(rows, 4, 5, 6, 1e-9);
  ExpectClosed(rows);
}

TEST(WorkedContour, TangentsFromAPointOverAClockwiseCircleToALeavingLine) {
  const auto rows = ConvertCleanly({{0, 0, 0, 0, 0}, {20, 10, 8, -5, 1}, {40, 0, 1, 0, 0}, {0, 0, 0, 0, 0},
                                    kEndRow})
                        .Rows();
  ASSERT_EQ(rows.size(), 6u);
  EXPECT_EQ(rows[2].p1, -5);
  ExpectSegmentTangentToCircle(rows, 1, 2, 3, kTolerance);
  ExpectSegmentTangentToCircle(rows, 4, 5, 3, kTolerance);
  // Clockwise travel: the circle lies to the right of both tangents, so the
  // path runs over the top of it.
  EXPECT_GT(rows[1].y, 10);
  EXPECT_GT(rows[3].y, 10);
  EXPECT_LT(Cross(rows[1].At() - rows[0].At(), rows[2].At() - rows[0].At()), 0);
  ExpectClosed(rows);
}

TEST(WorkedContour, LineCircleAndCircleLineCornersWithACornerRadius) {
  const auto rows = ConvertCleanly({{-20, 0, 1, 0, 0}, {0, 0, 5, 0, 1}, {0, 0, 8, -10, -1}, {0, 0, 5, 0, 1},
                                    {30, 8, 2, 0, 0}, {30, 0, 0, 0, 3}, {-20, 0, 0, 0, 0}, kEndRow})
                        .Rows();
  ASSERT_EQ(rows.size(), 13u);
  // Corner of radius 1 outside the circle and on the line y = 0:
  // centre (-sqrt(11^2 - 1), 1).
  EXPECT_NEAR(rows[2].x, -std::sqrt(120.0), 1e-9);
  EXPECT_NEAR(rows[2].y, 1, 1e-9);
  EXPECT_EQ(rows[2].p1, 1);
  // Corner of radius 1 inside the circle below the line y = 8:
  // centre (-sqrt(9^2 - 7^2), 7), clockwise like the circle.
  EXPECT_NEAR(rows[6].x, -std::sqrt(32.0), 1e-9);
  EXPECT_NEAR(rows[6].y, 7, 1e-9);
  EXPECT_EQ(rows[6].p1, -1);
  EXPECT_EQ(rows[4].p1, -10);
  ExpectArcTangentToSegment(rows, 3, 1, 2, kTolerance);
  ExpectArcTangentToCircle(rows, 3, 5, kTolerance);
  ExpectArcTangentToCircle(rows, 7, 5, kTolerance);
  ExpectArcTangentToSegment(rows, 7, 8, 9, kTolerance);
  ExpectArcTangentToSegment(rows, 11, 9, 10, 1e-9);
  ExpectArcTangentToSegment(rows, 11, 12, 13, 1e-9);
  ExpectRows({rows[10]}, {{27, 3, 0, -3, 0}});
  ExpectClosed(rows);
}

TEST(WorkedContour, TwoClockwiseBumpsJoinedByACornerItem) {
  const auto rows = ConvertCleanly({{-20, 0, 1, 0, 0}, {0, 0, 8, -10, -1}, {0, 0, 5, 0, 3}, {15, 0, 8, -10, -1},
                                    {35, 0, 0, 0, 0}, {35, -20, 0, 0, 0}, {-20, -20, 0, 0, 0}, {-20, 0, 0, 0, 0},
                                    kEndRow})
                        .Rows();
  ASSERT_EQ(rows.size(), 12u);
  // The corner arc of radius 3 touches both circles from outside: its centre
  // is 13 from both centres, above the axis.
  EXPECT_NEAR(rows[4].x, 7.5, kTolerance);
  EXPECT_NEAR(rows[4].y, std::sqrt(13.0 * 13.0 - 7.5 * 7.5), kTolerance);
  EXPECT_EQ(rows[4].p1, 3);
  ExpectArcTangentToCircle(rows, 5, 3, kTolerance);
  ExpectArcTangentToCircle(rows, 5, 7, kTolerance);
  ExpectSegmentTangentToCircle(rows, 8, 9, 7, kTolerance);
  ExpectRows({rows[1]}, {{-10, 0, 0, 0, 0}});
  ExpectClosed(rows);
}

TEST(WorkedContour, ParallelLineAndARoundedVerticalCorner) {
  const auto rows = ConvertCleanly({{0, 0, 0, 0, 0}, {40, 0, 1, 90, 4}, {0, 0, 3, 180, -20}, {0, 20, 0, 0, 0},
                                    {0, 0, 0, 0, 0}, kEndRow})
                        .Rows();
  ExpectRows(rows, {{0, 0, 0, 0, 0}, {36, 0, 0, 0, 0}, {36, 4, 0, 4, 0}, {40, 4, 0, 0, 0}, {40, 20, 0, 0, 0},
                    {0, 20, 0, 0, 0}, {0, 0, 0, 0, 0}});
  ExpectArcTangentToSegment(rows, 3, 1, 2, 1e-9);
  ExpectArcTangentToSegment(rows, 3, 4, 5, 1e-9);
  ExpectClosed(rows);
}

// A vertical line x = 6 going up meets the circle of radius 10 about the
// origin at (6, 8); the corner item of radius 1 lies inside the circle (mark
// > 0): its centre is 1 left of the line and 9 from the origin, (5, sqrt(56)).
// Its tangent point on the circle is 10/9 of the centre's position.
TEST(WorkedContour, VerticalLineIntoACircleThroughACornerItem) {
  const double yc = std::sqrt(56.0);
  const auto rows =
      ConvertCleanly({{6, -30, 1, 90, 0}, {0, 0, 5, 0, 1}, {0, 0, 8, 10, 1}, {20, 20, 0, 0, 0}, kEndRow}).Rows();
  ASSERT_EQ(rows.size(), 7u);
  ExpectRows({rows[0], rows[1], rows[2], rows[3], rows[4]},
             {{6, -30, 0, 0, 0}, {6, yc, 0, 0, 0}, {5, yc, 0, 1, 0}, {5 * 10 / 9.0, yc * 10 / 9.0, 0, 0, 0},
              {0, 0, 8, 10, 0}});
  ExpectArcTangentToSegment(rows, 3, 1, 2, 1e-9);
  ExpectArcTangentToCircle(rows, 3, 5, 1e-9);
  ExpectSegmentTangentToCircle(rows, 6, 7, 5, kTolerance);
}

// Out of the same circle (counter-clockwise, mark 2: the exit farther along)
// at (6, 8) onto the vertical line x = 6 going up: a right turn, so the corner
// arc of radius 1 lies outside the circle, 1 right of the line and 11 from the
// origin, (7, sqrt(72)), and runs clockwise.
TEST(WorkedContour, CircleOutOntoAVerticalEnteringLineThroughACornerItem) {
  const double yc = std::sqrt(72.0);
  const auto rows =
      ConvertCleanly({{-30, -6, 1, 0, 0}, {0, 0, 8, 10, 2}, {0, 0, 5, 0, 1}, {6, 30, 2, 90, 0}, kEndRow}).Rows();
  ExpectRows(rows, {{-30, -6, 0, 0, 0},
                    {8, -6, 0, 0, 0},
                    {0, 0, 8, 10, 0},
                    {7 - 7 / 11.0, yc - yc / 11.0, 0, 0, 0},
                    {7, yc, 0, -1, 0},
                    {6, yc, 0, 0, 0},
                    {6, 30, 0, 0, 0}});
  ExpectArcTangentToCircle(rows, 5, 3, 1e-9);
  ExpectArcTangentToSegment(rows, 5, 6, 7, 1e-9);
}

// The outline of the installed sample workbook without its start hole: a
// plate with an oblique edge, corner radii, a (C) corner and a clockwise arc
// notch.
TEST(WorkedContour, SamplePlateOfTheEntryWorkbook) {
  const auto rows = ConvertCleanly({{0, 0, 1, 0, 0}, {90, 0, 1, 45, 5}, {110, 40, 1, 90, 0}, {110, 60, 1, 180, 8},
                                    {0, 0, 5, 0, 3}, {60, 60, 8, -15, -2}, {0, 60, 2, 180, 6}, {0, 0, 0, 0, 0},
                                    kEndRow})
                        .Rows();
  ASSERT_EQ(rows.size(), 17u);
  // The oblique edge y = x - 90 meets x = 110 at (110, 20).
  ExpectRows({rows[4]}, {{110, 20, 0, 0, 0}});
  ExpectArcTangentToSegment(rows, 3, 1, 2, kTolerance);
  ExpectArcTangentToSegment(rows, 3, 4, 5, kTolerance);
  ExpectArcTangentToSegment(rows, 7, 5, 6, kTolerance);
  ExpectArcTangentToSegment(rows, 7, 8, 9, kTolerance);
  ExpectArcTangentToSegment(rows, 10, 8, 9, kTolerance);
  ExpectArcTangentToCircle(rows, 10, 12, kTolerance);
  ExpectArcTangentToSegment(rows, 15, 13, 14, kTolerance);
  ExpectArcTangentToSegment(rows, 15, 16, 17, kTolerance);
  // The notch runs below the top edge: entry (75, 60) nearer, exit (45, 60) farther.
  EXPECT_EQ(rows[11].p1, -15);
  ExpectRows({rows[12]}, {{45, 60, 0, 0, 0}});
  ExpectClosed(rows);
}

// A circle left through a corner item onto a line given by a point (a leaving
// line's point and angle, or a point and the row after it). The corner arc of
// radius 1 must touch the circle and the line, and the chain must run on
// along that line; the item's own row position (the origin) plays no part.
struct CircleOutCase {
  const char* name;
  std::vector<ElementRow> elements;
  Vec2 linePoint;  // a point of the line after the corner
  Vec2 lineDirection;
  size_t rowCount = 9;
  double cornerP1 = -1;  // right turn off a counter-clockwise circle
};

std::ostream& operator<<(std::ostream& out, const CircleOutCase& c) { return out << c.name; }

class CircleOutThroughCornerItem : public ::testing::TestWithParam<CircleOutCase> {};

TEST_P(CircleOutThroughCornerItem, CornerTouchesCircleAndLineWithoutAStrayPoint) {
  const CircleOutCase& c = GetParam();
  const auto rows = ConvertCleanly(c.elements).Rows();
  // Start, entry, circle, tangent point on the circle, corner centre, tangent
  // point on the line, the line's next vertex, then the closing rows.
  ASSERT_EQ(rows.size(), c.rowCount);
  EXPECT_EQ(rows[2].p1, 10);
  EXPECT_EQ(rows[4].p1, c.cornerP1);
  ExpectArcTangentToCircle(rows, 5, 3, kTolerance);
  ExpectArcTangentToSegment(rows, 5, 6, 7, kTolerance);
  ExpectSmoothAt(rows, 4, kTolerance);
  ExpectSmoothAt(rows, 6, kTolerance);
  const Vec2 along{c.linePoint.x + c.lineDirection.x, c.linePoint.y + c.lineDirection.y};
  EXPECT_NEAR(DistanceToLine(rows[5].At(), c.linePoint, along), 0, kTolerance) << rows[5];
  EXPECT_NEAR(DistanceToLine(rows[6].At(), c.linePoint, along), 0, kTolerance) << rows[6];
  for (size_t k = 1; k + 1 < rows.size(); ++k) {
    EXPECT_FALSE(rows[k].x == 0 && rows[k].y == 0) << "stray point at row " << k + 1;
  }
  ExpectClosed(rows);
}

// Circle of radius 10 about (30, 0), entered from y = -6 and left at the
// farther crossing (mark 2); the line x = 36 going up gives the corner centre
// (37, sqrt(72)), 11 from the circle's centre and 1 right of the line.
INSTANTIATE_TEST_SUITE_P(
    WorkedContour, CircleOutThroughCornerItem,
    ::testing::Values(
        CircleOutCase{"VerticalLeavingLine",
                      {{0, -6, 1, 0, 0}, {30, 0, 8, 10, 2}, {0, 0, 5, 0, 1}, {36, 30, 1, 90, 0}, {0, 30, 2, 180, 0},
                       {0, -6, 0, 0, 0}, kEndRow},
                      {36, 30},
                      {0, 1}},
        CircleOutCase{"PointThenPointStraightUp",
                      {{0, -6, 1, 0, 0}, {30, 0, 8, 10, 2}, {0, 0, 5, 0, 1}, {36, 20, 0, 0, 0}, {36, 30, 0, 0, 0},
                       {0, 30, 0, 0, 0}, {0, -6, 0, 0, 0}, kEndRow},
                      {36, 20},
                      {0, 1}},
        CircleOutCase{"ObliqueLeavingLine",
                      {{0, -6, 1, 0, 0}, {30, 0, 8, 10, 2}, {0, 0, 5, 0, 1}, {20, 20, 1, 135, 0}, {0, 30, 2, 180, 0},
                       {0, -6, 0, 0, 0}, kEndRow},
                      {20, 20},
                      {-1, 1}},
        CircleOutCase{"PointThenPointUpAndLeft",
                      {{0, -6, 1, 0, 0}, {30, 0, 8, 10, 2}, {0, 0, 5, 0, 1}, {20, 20, 0, 0, 0}, {10, 30, 0, 0, 0},
                       {0, 30, 0, 0, 0}, {0, -6, 0, 0, 0}, kEndRow},
                      {20, 20},
                      {-1, 1}},
        // Back to the start along y = x: the exit is the lower crossing,
        // farther along the way to the origin.
        CircleOutCase{"PointThenBackToTheStart",
                      {{0, 0, 1, 0, 0}, {15, 8, 8, 10, 2}, {0, 0, 5, 0, 2}, {5, 5, 0, 0, 0}, {0, 0, 0, 0, 0},
                       kEndRow},
                      {0, 0},
                      {1, 1},
                      7,
                      -2}),
    [](const ::testing::TestParamInfo<CircleOutCase>& info) { return std::string(info.param.name); });

TEST(WorkedContour, CircleOutThroughACornerItemOntoAVerticalLeavingLine) {
  const double yc = std::sqrt(72.0);
  const auto rows = ConvertCleanly({{0, -6, 1, 0, 0}, {30, 0, 8, 10, 2}, {0, 0, 5, 0, 1}, {36, 30, 1, 90, 0},
                                    {0, 30, 2, 180, 0}, {0, -6, 0, 0, 0}, kEndRow})
                        .Rows();
  ExpectRows(rows, {{0, -6, 0, 0, 0},
                    {38, -6, 0, 0, 0},
                    {30, 0, 8, 10, 0},
                    {30 + 7 * 10 / 11.0, yc * 10 / 11.0, 0, 0, 0},
                    {37, yc, 0, -1, 0},
                    {36, yc, 0, 0, 0},
                    {36, 30, 0, 0, 0},
                    {0, 30, 0, 0, 0},
                    {0, -6, 0, 0, 0}});
}


// An entering line's end point followed by a corner item: the corner is made
// at the next vertex, between the segment from that end point and the line
// after the vertex. Rows `corner` - 1 .. `corner` + 1 are the corner; the
// segment before it starts at row `corner` - 2, the one after it ends at row
// `corner` + 2.
struct EndPointCornerCase {
  const char* name;
  std::vector<ElementRow> elements;
  size_t rowCount;
  int corner;
  double cornerP1;
};

std::ostream& operator<<(std::ostream& out, const EndPointCornerCase& c) { return out << c.name; }

// The corner arc of rows `corner` - 1 .. `corner` + 1 touches the segments
// before and after it, without a kink, and the contour closes.
void ExpectCornerBetweenSegments(const EndPointCornerCase& c) {
  const auto rows = ConvertCleanly(c.elements).Rows();
  ASSERT_EQ(rows.size(), c.rowCount);
  const int k = c.corner;
  EXPECT_EQ(rows[k - 1].p1, c.cornerP1);
  ExpectArcTangentToSegment(rows, k, k - 2, k - 1, kTolerance);
  ExpectArcTangentToSegment(rows, k, k + 1, k + 2, kTolerance);
  ExpectSmoothAt(rows, k - 1, kTolerance);
  ExpectSmoothAt(rows, k + 1, kTolerance);
  ExpectClosed(rows);
}

class CornerItemAfterAnEnteringLine : public ::testing::TestWithParam<EndPointCornerCase> {};

TEST_P(CornerItemAfterAnEnteringLine, CornerTouchesTheSegmentsOnBothSides) { ExpectCornerBetweenSegments(GetParam()); }

INSTANTIATE_TEST_SUITE_P(
    WorkedContour, CornerItemAfterAnEnteringLine,
    ::testing::Values(
        // Up x = 20 to (20, 10), over to (10, 20), up x = 10: a right turn there.
        EndPointCornerCase{"VerticalEnteringLineThenLeavingLine",
                           {{0, 0, 1, 0, 0}, {20, 10, 2, 90, 0}, {0, 0, 5, 0, 2}, {10, 20, 1, 90, 0},
                            {0, 30, 2, 180, 0}, {0, 0, 0, 0, 0}, kEndRow},
                           9, 5, -2},
        EndPointCornerCase{"VerticalEnteringLineThenPoint",
                           {{0, 0, 1, 0, 0}, {20, 10, 2, 90, 0}, {0, 0, 5, 0, 2}, {10, 20, 0, 0, 0},
                            {10, 30, 0, 0, 0}, {0, 30, 0, 0, 0}, {0, 0, 0, 0, 0}, kEndRow},
                           9, 5, -2},
        // Along y = x + 10 to (10, 20), on to (10, 40), then left: a left turn.
        EndPointCornerCase{"ObliqueEnteringLineThenPoint",
                           {{0, 0, 1, 90, 0}, {10, 20, 2, 45, 0}, {0, 0, 5, 0, 3}, {10, 40, 0, 0, 0},
                            {-20, 40, 0, 0, 0}, {0, 0, 0, 0, 0}, kEndRow},
                           8, 5, 3},
        // The vertex (20, 30) lies on the extension of y = x + 10: the corner
        // is made between that line and x = 20 going up.
        EndPointCornerCase{"VertexOnTheEnteringLinesExtension",
                           {{0, 0, 1, 90, 0}, {10, 20, 2, 45, 0}, {0, 0, 5, 0, 2}, {20, 30, 0, 0, 0},
                            {20, 40, 0, 0, 0}, {0, 0, 0, 0, 0}, kEndRow},
                           8, 5, 2},
        // Out of a circle on an entering line that ends at (0, 30).
        EndPointCornerCase{"EnteringLineOutOfACircleThenPoint",
                           {{-30, 0, 1, 0, 0}, {0, 0, 8, 10, 2}, {0, 30, 2, 90, 0}, {0, 0, 5, 0, 2},
                            {-10, 40, 0, 0, 0}, {-30, 40, 0, 0, 0}, {-30, 0, 0, 0, 0}, kEndRow},
                           10, 7, 2}),
    [](const ::testing::TestParamInfo<EndPointCornerCase>& info) { return std::string(info.param.name); });

// Right turn at (10, 20) from the direction (-1, 1) onto x = 10 going up: the
// centre is 2 right of both, (12, 18 + 2 sqrt 2).
TEST(WorkedContour, CornerItemAfterAnEnteringLineIsMadeAtTheNextVertex) {
  const double s = std::sqrt(2.0);
  const auto rows = ConvertCleanly({{0, 0, 1, 0, 0}, {20, 10, 2, 90, 0}, {0, 0, 5, 0, 2}, {10, 20, 1, 90, 0},
                                    {0, 30, 2, 180, 0}, {0, 0, 0, 0, 0}, kEndRow})
                        .Rows();
  ExpectRows(rows, {{0, 0, 0, 0, 0},
                    {20, 0, 0, 0, 0},
                    {20, 10, 0, 0, 0},
                    {12 - s, 18 + s, 0, 0, 0},
                    {12, 18 + 2 * s, 0, -2, 0},
                    {10, 18 + 2 * s, 0, 0, 0},
                    {10, 30, 0, 0, 0},
                    {0, 30, 0, 0, 0},
                    {0, 0, 0, 0, 0}});
}


// An entering line's end point followed by a leaving line that carries its
// own corner R: the corner is made between the segment from that end point
// and the leaving line. Rows `corner` - 1 .. `corner` + 1 are the corner.
class CornerRadiusAfterAnEnteringLine : public ::testing::TestWithParam<EndPointCornerCase> {};

TEST_P(CornerRadiusAfterAnEnteringLine, CornerTouchesTheSegmentsOnBothSides) { ExpectCornerBetweenSegments(GetParam()); }

INSTANTIATE_TEST_SUITE_P(
    WorkedContour, CornerRadiusAfterAnEnteringLine,
    ::testing::Values(
        // Up x = 20 to (20, 10), over to (10, 20), up x = 10: a right turn there.
        EndPointCornerCase{"VerticalEnteringLineThenVerticalLeavingLine",
                           {{0, 0, 1, 0, 0}, {20, 10, 2, 90, 0}, {10, 20, 1, 90, 2}, {0, 30, 2, 180, 0},
                            {0, 0, 0, 0, 0}, kEndRow},
                           9, 5, -2},
        // Along y = x + 10 to (10, 20), up x = 10 to (10, 40), then left.
        EndPointCornerCase{"ObliqueEnteringLineThenLeavingLineToMinusX",
                           {{0, 0, 1, 90, 0}, {10, 20, 2, 45, 0}, {10, 40, 1, 180, 3}, {-20, 40, 0, 0, 0},
                            {0, 0, 0, 0, 0}, kEndRow},
                           8, 5, 3},
        // The vertex (20, 30) lies on the extension of y = x + 10: the corner
        // is made between that line and x = 20 going up.
        EndPointCornerCase{"VertexOnTheEnteringLinesExtension",
                           {{0, 0, 1, 90, 0}, {10, 20, 2, 45, 0}, {20, 30, 1, 90, 2}, {0, 40, 2, 180, 0},
                            {0, 0, 0, 0, 0}, kEndRow},
                           9, 5, 2},
        // Out of a circle on an entering line that ends at (0, 30).
        EndPointCornerCase{"EnteringLineOutOfACircleThenLeavingLine",
                           {{-30, 0, 1, 0, 0}, {0, 0, 8, 10, 2}, {0, 30, 2, 90, 0}, {-10, 40, 1, 180, 2},
                            {-30, 40, 0, 0, 0}, {-30, 0, 0, 0, 0}, kEndRow},
                           10, 7, 2}),
    [](const ::testing::TestParamInfo<EndPointCornerCase>& info) { return std::string(info.param.name); });

// Right turn at (10, 20) from the direction (-1, 1) onto x = 10 going up: the
// centre is 2 right of both, (12, 18 + 2 sqrt 2), not (12, 22).
TEST(WorkedContour, LeavingLineCornerAfterAnEnteringLineIsMadeAgainstTheSegment) {
  const double s = std::sqrt(2.0);
  const auto rows = ConvertCleanly({{0, 0, 1, 0, 0}, {20, 10, 2, 90, 0}, {10, 20, 1, 90, 2}, {0, 30, 2, 180, 0},
                                    {0, 0, 0, 0, 0}, kEndRow})
                        .Rows();
  ExpectRows(rows, {{0, 0, 0, 0, 0},
                    {20, 0, 0, 0, 0},
                    {20, 10, 0, 0, 0},
                    {12 - s, 18 + s, 0, 0, 0},
                    {12, 18 + 2 * s, 0, -2, 0},
                    {10, 18 + 2 * s, 0, 0, 0},
                    {10, 30, 0, 0, 0},
                    {0, 30, 0, 0, 0},
                    {0, 0, 0, 0, 0}});
}


// A circle, a point and a circle: the first circle is left on the tangent
// through the point, and the second is reached on the tangent from it.
// Rows: start, entry, first circle, exit, the point, entry into the second
// circle, second circle, its exit, then the closing points.
class PointBetweenTwoCircles : public ::testing::TestWithParam<std::pair<const char*, std::vector<ElementRow>>> {};

TEST_P(PointBetweenTwoCircles, EachCircleIsLeftAndReachedOnATangent) {
  const auto rows = ConvertCleanly(GetParam().second).Rows();
  ASSERT_EQ(rows.size(), 11u);
  EXPECT_NE(rows[2].p1, 0);
  EXPECT_NE(rows[6].p1, 0);
  const Vec2 point{GetParam().second[2].x, GetParam().second[2].y};
  EXPECT_NEAR(Length(rows[4].At() - point), 0, 1e-9) << rows[4];
  ExpectSegmentTangentToCircle(rows, 4, 5, 3, kTolerance);
  ExpectSegmentTangentToCircle(rows, 5, 6, 7, kTolerance);
  ExpectSmoothAt(rows, 2, kTolerance);
  ExpectSmoothAt(rows, 4, kTolerance);
  ExpectSmoothAt(rows, 6, kTolerance);
  ExpectSmoothAt(rows, 8, kTolerance);
  ExpectClosed(rows);
}

INSTANTIATE_TEST_SUITE_P(
    WorkedContour, PointBetweenTwoCircles,
    ::testing::Values(
        // Along y = -5 onto a counter-clockwise circle, up to (30, 10), down
        // over a clockwise circle and away to (50, -20).
        std::make_pair("CounterClockwiseThenClockwise",
                       std::vector<ElementRow>{{0, -5, 1, 0, 0}, {20, 0, 8, 5, 1}, {30, 10, 0, 0, 0},
                                               {40, 0, 8, -5, 1}, {50, -20, 0, 0, 0}, {0, -20, 0, 0, 0},
                                               {0, -5, 0, 0, 0}, kEndRow}),
        // The mirror image in y = 0.
        std::make_pair("ClockwiseThenCounterClockwise",
                       std::vector<ElementRow>{{0, 5, 1, 0, 0}, {20, 0, 8, -5, 1}, {30, -10, 0, 0, 0},
                                               {40, 0, 8, 5, 1}, {50, 20, 0, 0, 0}, {0, 20, 0, 0, 0},
                                               {0, 5, 0, 0, 0}, kEndRow})),
    [](const auto& info) { return std::string(info.param.first); });

// A point that lies on the first circle ends its arc there.
TEST(WorkedContour, PointOnTheFirstCircleEndsItsArc) {
  const auto rows = ConvertCleanly({{0, -5, 1, 0, 0}, {20, 0, 8, 5, 1}, {25, 0, 0, 0, 0}, {40, 0, 8, -5, 1},
                                    {50, -20, 0, 0, 0}, {0, -20, 0, 0, 0}, {0, -5, 0, 0, 0}, kEndRow})
                        .Rows();
  ASSERT_EQ(rows.size(), 10u);
  EXPECT_EQ(rows[2].p1, 5);
  EXPECT_EQ(rows[3].x, 25);
  EXPECT_EQ(rows[3].y, 0);
  ExpectSegmentTangentToCircle(rows, 4, 5, 6, kTolerance);
  ExpectClosed(rows);
}

}  // namespace
}  // namespace vx::test
