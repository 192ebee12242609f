// CONV-2 on element lists in memory: fixed results of the element constructions, corners and clean-up.
#include <gtest/gtest.h>

#include <random>

#include "contour/conv2.h"
#include "contour_check.h"

namespace vx::test {
namespace {

const ElementRow kEndRow{0, 0, 99, 0, 0};

struct FixedCase {
  const char* name;
  std::vector<ElementRow> elements;
  std::vector<Row> contour;  // expected rows 1..N (X, Y, P1)
};

std::ostream& operator<<(std::ostream& out, const FixedCase& c) { return out << c.name; }

class FixedContours : public ::testing::TestWithParam<FixedCase> {};

TEST_P(FixedContours, ConvertWithoutMessagesToTheKnownRows) {
  const FixedCase& c = GetParam();
  const Converted result = Convert(c.elements);
  EXPECT_EQ(result.status, Conv2Status::kOk);
  EXPECT_TRUE(result.box.messages.empty()) << result.box.messages.front();
  ExpectRows(result.Rows(), c.contour);
  // The end row follows the contour in the table.
  EXPECT_EQ(static_cast<double>(result.table->Code[result.table->RowCount + 1]), 99);
}

INSTANTIATE_TEST_SUITE_P(
    Conv2, FixedContours,
    ::testing::Values(
        FixedCase{"PointsOnlyPolygon",
                  {{0, 0, 0, 0, 0}, {10, 0, 0, 0, 0}, {10, 10, 0, 0, 0}, {0, 10, 0, 0, 0}, kEndRow},
                  {{0, 0, 0, 0, 0}, {10, 0, 0, 0, 0}, {10, 10, 0, 0, 0}, {0, 10, 0, 0, 0}}},
        FixedCase{"LeavingAndEnteringLineSquare",
                  {{0, 0, 0, 0, 0}, {10, 0, 1, 90, 0}, {0, 10, 2, 180, 0}, kEndRow},
                  {{0, 0, 0, 0, 0}, {10, 0, 0, 0, 0}, {10, 10, 0, 0, 0}, {0, 10, 0, 0, 0}}},
        FixedCase{"SeparatorStartsASecondContour",
                  {{0, 0, 0, 0, 0}, {10, 0, 1, 90, 0}, {0, 10, 2, 180, 0}, {0, 0, 88, 0, 0},
                   {20, 0, 1, 0, 0}, {30, 0, 1, 90, 0}, {20, 10, 2, 180, 0}, kEndRow},
                  {{0, 0, 0, 0, 0}, {10, 0, 0, 0, 0}, {10, 10, 0, 0, 0}, {0, 10, 0, 0, 0}, {0, 0, 88, 0, 0},
                   {20, 0, 0, 0, 0}, {30, 0, 0, 0, 0}, {30, 10, 0, 0, 0}, {20, 10, 0, 0, 0}}},
        FixedCase{"LineEntersCircleAtTheFartherCrossing",
                  {{0, 5, 1, 0, 0}, {10, 5, 8, 3, 1}, kEndRow},
                  {{0, 5, 0, 0, 0}, {13, 5, 0, 0, 0}, {10, 5, 8, 3, 1}}},
        FixedCase{"LineEntersCircleAtTheNearerCrossing",
                  {{0, 5, 1, 0, 0}, {10, 5, 8, 3, -1}, kEndRow},
                  {{0, 5, 0, 0, 0}, {7, 5, 0, 0, 0}, {10, 5, 8, 3, -1}}},
        FixedCase{"CommonTangentOfTwoEqualCircles",
                  {{-10, -5, 1, 0, 0}, {0, 0, 8, 5, 0}, {20, 0, 8, 5, 0}, {30, -5, 0, 0, 0}, kEndRow},
                  {{-10, -5, 0, 0, 0},
                   {0, -5, 0, 0, 0},
                   {0, 0, 0, 5, 0},
                   {0, -5, 0, 0, 0},
                   {20, -5, 0, 0, 0},
                   {20, 0, 0, 5, 0},
                   {20, -5, 0, 0, 0},
                   {30, -5, 0, 0, 0}}},
        FixedCase{"CornerRadiusLeftTurn",
                  {{0, 0, 0, 0, 0}, {10, 0, 0, 0, 2}, {10, 10, 0, 0, 0}, kEndRow},
                  {{0, 0, 0, 0, 0}, {8, 0, 0, 0, 0}, {8, 2, 0, 2, 0}, {10, 2, 0, 0, 0}, {10, 10, 0, 0, 0}}},
        FixedCase{"CornerRadiusRightTurn",
                  {{0, 0, 0, 0, 0}, {10, 0, 0, 0, 2}, {10, -10, 0, 0, 0}, kEndRow},
                  {{0, 0, 0, 0, 0}, {8, 0, 0, 0, 0}, {8, -2, 0, -2, 0}, {10, -2, 0, 0, 0}, {10, -10, 0, 0, 0}}},
        FixedCase{"TwoEqualRowsBecomeOne",
                  {{0, 0, 0, 0, 0}, {10, 0, 0, 0, 0}, {10, 0, 0, 0, 0}, {10, 10, 0, 0, 0}, kEndRow},
                  {{0, 0, 0, 0, 0}, {10, 0, 0, 0, 0}, {10, 10, 0, 0, 0}}},
        FixedCase{"ThreeEqualRowsBecomeTwo",
                  {{0, 0, 0, 0, 0}, {10, 0, 0, 0, 0}, {10, 0, 0, 0, 0}, {10, 0, 0, 0, 0}, {10, 10, 0, 0, 0}, kEndRow},
                  {{0, 0, 0, 0, 0}, {10, 0, 0, 0, 0}, {10, 0, 0, 0, 0}, {10, 10, 0, 0, 0}}},
        FixedCase{"VerticalParallelLineDownwardsShiftsToPlusX",
                  {{0, 0, 1, 0, 0}, {10, 0, 3, 270, 2}, kEndRow},
                  {{0, 0, 0, 0, 0}, {11, 0, 0, 0, 0}, {12, 0, 0, 0, 0}}},
        FixedCase{"PointStraightAboveACircleHasItsTangent",
                  {{0, 20, 0, 0, 0}, {0, 0, 8, 5, 1}, {20, -20, 1, 0, 0}, kEndRow},
                  {{0, 20, 0, 0, 0}, {-4.84123, 1.25, 0, 0, 0}, {0, 0, 8, 5, 1},
                   {-2.854855, -4.104855, 0, 0, 0}, {20, -20, 0, 0, 0}}},
        // The circle-to-point distance is rounded to 5 places (20), so the
        // direction's sine comes out a little past -1. Tangent points from
        // (0, -20) on the circle of radius 5: y = -25 / 20, x = sqrt(25 - y^2).
        FixedCase{"PointStraightBelowACircleAtAnUnroundDistance",
                  {{-20, 5, 1, 0, 0}, {0, 0, 8, -5, 1}, {0, -20.000004, 0, 0, 0}, kEndRow},
                  {{-20, 5, 0, 0, 0}, {0, 5, 0, 0, 0}, {0, 0, 8, -5, 1}, {4.84123, -1.25, 0, 0, 0}, {0, -20.000004, 0, 0, 0}}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Conv2, ArcCentresKeepTheirCodeAndMarkPointsAreCleared) {
  const Converted result = Convert({{0, 5, 1, 0, 0}, {10, 5, 8, 3, 1}, kEndRow});
  const std::vector<Row> rows = result.Rows();
  EXPECT_EQ(rows[2].code, 8);
  EXPECT_EQ(rows[2].p2, 1);
  EXPECT_EQ(rows[1].code, 0);
  EXPECT_EQ(rows[1].p2, 0);
}

TEST(Conv2, OverlappingCirclesMeetInOnePointNearTheirCrossing) {
  const Converted result =
      Convert({{-10, 0, 1, 0, 0}, {0, 0, 8, 5, 1}, {8, 0, 8, 5, 1}, {20, 0, 0, 0, 0}, kEndRow});
  EXPECT_TRUE(result.box.messages.empty());
  const std::vector<Row> rows = result.Rows();
  ASSERT_EQ(rows.size(), 7u);
  EXPECT_EQ(rows[2].p1, 5);  // first arc centre
  EXPECT_EQ(rows[4].p1, 5);  // second arc centre, right after the single point
  const Vec2 joint = rows[3].At();
  EXPECT_EQ(rows[3].p1, 0);
  // The crossing of the circles is (4, 3); the corner item of radius 0.001
  // leaves its first tangent point there.
  EXPECT_NEAR(joint.x, 4, 0.002);
  EXPECT_NEAR(joint.y, 3, 0.002);
  EXPECT_NEAR(Length(joint - Vec2{0, 0}), 5, 1e-5);
  EXPECT_NEAR(Length(joint - Vec2{8, 0}), 5, 0.002);
}

TEST(Conv2, CollinearCornerIsReportedOnceWithItsRowAndThePointKeepsItsRadius) {
  const Converted result = Convert({{0, 0, 0, 0, 0}, {5, 0, 0, 0, 2}, {10, 0, 0, 0, 0}, kEndRow});
  // The point step asks for the corner in both passes; one message.
  EXPECT_EQ(result.box.messages, std::vector<std::string>{"CONV-2 エラー 交点No= 2 コーナＲが入らない。 "});
  const std::vector<Row> rows = result.Rows();
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[1].x, 5);
  EXPECT_EQ(rows[1].p2, 2);
}

TEST(Conv2, MessageTextIsPrefixRowAndReason) {
  EXPECT_EQ(ConstructionMessage(12, conv2_reason::kParallelLines), "CONV-2 エラー 交点No= 12 平行線で交点無し");
  EXPECT_EQ(ConstructionMessage(3, conv2_reason::kCircleCircleCorner), "CONV-2 エラー 交点No= 3 交点無し? -RR(C)-");
}

struct MessageCase {
  const char* name;
  std::vector<ElementRow> elements;
  std::vector<std::string> messages;
};

std::ostream& operator<<(std::ostream& out, const MessageCase& c) { return out << c.name; }

class ConstructionMessages : public ::testing::TestWithParam<MessageCase> {};

TEST_P(ConstructionMessages, ReportAndGoOnWithFiniteRows) {
  const MessageCase& c = GetParam();
  const Converted result = Convert(c.elements);
  EXPECT_EQ(result.status, Conv2Status::kOk);
  EXPECT_EQ(result.box.messages, c.messages);
  for (const Row& row : result.Rows()) {
    EXPECT_TRUE(std::isfinite(row.x) && std::isfinite(row.y) && std::isfinite(row.p1)) << row;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Conv2, ConstructionMessages,
    ::testing::Values(
        MessageCase{"ParallelLeavingLines",
                    {{0, 0, 0, 0, 0}, {10, 0, 1, 0, 0}, {10, 0, 1, 0, 0}, kEndRow},
                    {"CONV-2 エラー 交点No= 2 平行線で交点無し", "CONV-2 エラー 交点No= 3 平行線で交点無し"}},
        MessageCase{"TwoVerticalLeavingLines",
                    {{0, 0, 0, 0, 0}, {10, 0, 1, 90, 0}, {10, 5, 1, 90, 0}, {0, 0, 0, 0, 0}, kEndRow},
                    {"CONV-2 エラー 交点No= 3 平行線で交点無し"}},
        MessageCase{"VerticalParallelAfterVerticalLine",
                    {{0, 0, 0, 0, 0}, {10, 0, 1, 90, 0}, {10, 5, 3, 90, 2}, {0, 0, 0, 0, 0}, kEndRow},
                    {"CONV-2 エラー 交点No= 3 平行線のため交点無し"}},
        MessageCase{"LineMissesCircle",
                    {{-10, 10, 1, 0, 0}, {0, 0, 8, 5, 1}, {20, 0, 0, 0, 0}, kEndRow},
                    {"CONV-2 エラー 交点No= 2 直線と円に交点無し。接線とします"}},
        MessageCase{"CirclesTooFarApartForTheirCorner",
                    {{-10, 0, 1, 0, 0}, {0, 0, 8, 5, -1}, {0, 0, 5, 0, 1}, {30, 0, 8, 5, 1}, {50, 0, 0, 0, 0}, kEndRow},
                    {"CONV-2 エラー 交点No= 5 交点無し? -RR(C)-"}},
        MessageCase{"CircleInsideCircleHasNoCorner",
                    {{-10, 0, 1, 0, 0}, {0, 0, 8, 10, -1}, {0, 0, 5, 0, 1}, {1, 0, 8, 2, 1}, {50, 0, 0, 0, 0}, kEndRow},
                    {"CONV-2 エラー 交点No= 5 交点無し? -RR(C)-"}},
        MessageCase{"PointOnTheCircleCentre",
                    {{0, 0, 0, 0, 0}, {0, 0, 8, 5, 1}, {20, 0, 0, 0, 0}, kEndRow},
                    {"CONV-2 エラー 交点No= 2 中心と点が重なり接線が引けない"}},
        MessageCase{"PointInsideTheCircle",
                    {{0, 1, 0, 0, 0}, {0, 0, 8, 5, 1}, {20, 0, 0, 0, 0}, kEndRow},
                    {"CONV-2 エラー 交点No= 2 接線が引けない"}},
        // Once wrote a corner centre that was not a number into the contour.
        MessageCase{"CornerOnTheFirstRowWithoutAPreviousLine",
                    {{9, -13, 1, 180, 3}, {-19, 4, 1, 45, 0}, {4, 14, 1, 0, 0}, {19, -17, 5, 0, 2}, kEndRow},
                    {"CONV-2 エラー 交点No= 1 コーナＲが入らない。 "}},
        MessageCase{"LineCornerLargerThanTheCircle",
                    {{-20, 0, 1, 0, 0}, {0, 0, 5, 0, 5}, {0, 0, 8, 5, 1}, {20, 0, 0, 0, 0}, kEndRow},
                    {"CONV-2 エラー 交点No= 3 ( )(C)が入らない"}}),
    [](const auto& info) { return std::string(info.param.name); });

// Lists that once gave a wrong contour: the message they give now (exactly)
// and rows checked against constructions made by hand.
struct RepairCase {
  const char* name;
  std::vector<ElementRow> elements;
  std::vector<std::string> messages;
  std::vector<std::pair<int, Row>> rows;  // 1-based row, expected X, Y, P1 (and P2 for a kept corner R)
};

std::ostream& operator<<(std::ostream& out, const RepairCase& c) { return out << c.name; }

class Repairs : public ::testing::TestWithParam<RepairCase> {};

TEST_P(Repairs, GiveTheirMessageAndTheConstructedRows) {
  const RepairCase& c = GetParam();
  const Converted result = Convert(c.elements);
  EXPECT_EQ(result.status, Conv2Status::kOk);
  EXPECT_EQ(result.box.messages, c.messages);
  const std::vector<Row> rows = result.Rows();
  for (const auto& [row, expected] : c.rows) {
    ASSERT_LE(row, static_cast<int>(rows.size()));
    ExpectRows({rows[row - 1]}, {expected});
    EXPECT_EQ(rows[row - 1].p2, expected.p2) << "row " << row;
  }
  // The end row follows the contour.
  EXPECT_EQ(static_cast<double>(result.table->Code[result.table->RowCount + 1]), 99);
}

const double kRoot2 = std::sqrt(2.0);

INSTANTIATE_TEST_SUITE_P(
    Conv2, Repairs,
    ::testing::Values(
        // The line y = 3 enters the circle of radius 5 at x = -4 and -4 is taken.
        RepairCase{"MarkZeroOnALineThroughTheCircle",
                   {{-20, 3, 1, 0, 0}, {0, 0, 8, 5, 0}, {20, 0, 0, 0, 0}, kEndRow},
                   {"CONV-2 エラー 交点No= 2 直線と円が交わる(S=0は接線)。手前の交点とします"},
                   {{2, {-4, 3, 0, 0, 0}}}},
        // R 8 at (10, 5) would need 8 along a segment of 5.
        RepairCase{"CornerRadiusTooBigRanBackAlongItsSegment",
                   {{0, 0, 0, 0, 0}, {10, 0, 0, 0, 0}, {10, 5, 0, 0, 8}, {0, 5, 0, 0, 0}, {0, 0, 0, 0, 0}, kEndRow},
                   {"CONV-2 エラー 交点No= 3 コーナＲが入らない。 "},
                   {{2, {10, 0, 0, 0, 0}}, {3, {10, 5, 0, 0, 8}}, {4, {0, 5, 0, 0, 0}}}},
        // (19, 8), (32.8, 26.4), (50.8, 50.4) lie on one line in decimals:
        // the arc's ends coincided and the NC cut a full circle.
        RepairCase{"CornerRadiusOnPointsCollinearInDecimalsWasAFullCircle",
                   {{19, 8, 0, 0, 0}, {32.8, 26.4, 0, 0, 1}, {50.8, 50.4, 0, 0, 0}, {19, 50, 0, 0, 0}, {19, 8, 0, 0, 0},
                    kEndRow},
                   {"CONV-2 エラー 交点No= 2 コーナＲが入らない。 "},
                   {{2, {32.8, 26.4, 0, 0, 1}}, {3, {50.8, 50.4, 0, 0, 0}}}},
        // Apart: joined where they come nearest, (5, 0) and (25, 0).
        RepairCase{"CirclesApartForTheirCornerItemRanThroughTheOrigin",
                   {{-10, 0, 1, 0, 0}, {0, 0, 8, 5, -1}, {0, 0, 5, 0, 1}, {30, 0, 8, 5, 1}, {50, 0, 0, 0, 0}, kEndRow},
                   {"CONV-2 エラー 交点No= 5 交点無し? -RR(C)-"},
                   {{3, {0, 0, 8, 5, -1}}, {4, {5, 0, 0, 0, 0}}, {5, {25, 0, 0, 0, 0}}, {6, {30, 0, 8, 5, 1}}}},
        // B inside A: A's point towards B's centre, then B's point beyond it.
        RepairCase{"CircleInsideCircleRanThroughTheOrigin",
                   {{-10, 0, 1, 0, 0}, {0, 0, 8, 10, -1}, {0, 0, 5, 0, 1}, {1, 0, 8, 2, 1}, {50, 0, 0, 0, 0}, kEndRow},
                   {"CONV-2 エラー 交点No= 5 交点無し? -RR(C)-"},
                   {{2, {0, 0, 8, 10, -1}}, {3, {10, 0, 0, 0, 0}}, {4, {3, 0, 0, 0, 0}}, {5, {1, 0, 8, 2, 1}}}},
        RepairCase{"TouchingCirclesLeftTheirCornerItemAtTheOrigin",
                   {{-10, 0, 1, 0, 0}, {0, 0, 8, 5, 1}, {10, 0, 8, 5, 1}, {20, 0, 0, 0, 0}, kEndRow},
                   {},
                   {{3, {0, 0, 8, 5, 1}}, {4, {5, 0, 0, 0, 0}}, {5, {10, 0, 8, 5, 1}}}},
        // Up x = 10, corner R 2 onto y = 20 going -X: centre (8, 18).
        RepairCase{"VerticalLineBeforeACornerItemTookTheItemsX",
                   {{10, -20, 1, 90, 0}, {0, 0, 5, 0, 2}, {0, 20, 1, 180, 0}, {-10, -20, 2, -90, 0}, {10, -20, 0, 0, 0},
                    kEndRow},
                   {},
                   {{2, {10, 18, 0, 0, 0}}, {3, {8, 18, 0, 2, 0}}, {4, {8, 20, 0, 0, 0}}, {5, {-10, 20, 0, 0, 0}}}},
        // The item's R 2 is made at (20, 0); the leaving line's own R 3 there gives way.
        RepairCase{"CornerItemAndTheLeavingLinesRadiusAtOneJointCorruptedTheRows",
                   {{0, 0, 1, 0, 0}, {0, 0, 5, 0, 2}, {20, 10, 1, 90, 3}, {0, 30, 2, 180, 0}, {0, 0, 0, 0, 0}, kEndRow},
                   {},
                   {{2, {18, 0, 0, 0, 0}}, {3, {18, 2, 0, 2, 0}}, {4, {20, 2, 0, 0, 0}}, {5, {20, 30, 0, 0, 0}}}},
        // From (20, 10) along y = x - 10 into the circle of radius 10 about
        // (40, 30) at the nearer crossing: the corner centre is 12 from the
        // centre and 2 right of the line, c - sqrt(140) u + 2 n.
        RepairCase{"EnteringLineCornerItemCircleWasMadeAgainstTheEnteringLine",
                   {{0, 0, 1, 0, 0}, {20, 10, 2, 90, 0}, {0, 0, 5, 0, 2}, {40, 30, 8, 10, -1}, {60, 60, 0, 0, 0},
                    {0, 60, 0, 0, 0}, {0, 0, 0, 0, 0}, kEndRow},
                   {},
                   {{5, {40 - std::sqrt(70.0) + kRoot2, 30 - std::sqrt(70.0) - kRoot2, 0, -2, 0}},
                    {4, {40 - std::sqrt(70.0), 30 - std::sqrt(70.0), 0, 0, 0}}}},
        // Out of the circle of radius 10 onto y = 3 going -X at the nearer
        // crossing: the corner lies inside, 9 from the centre and 1 below the
        // line, (sqrt 77, 2).
        RepairCase{"CircleCornerItemPointPointTowardsMinusXRanBack",
                   {{-30, -5, 1, 0, 0}, {0, 0, 8, 10, 1}, {0, 0, 5, 0, 1}, {20, 3, 0, 0, 0}, {0, 3, 0, 0, 0},
                    {-30, -5, 0, 0, 0}, kEndRow},
                   {},
                   {{5, {std::sqrt(77.0), 2, 0, 1, 0}}, {6, {std::sqrt(77.0), 3, 0, 0, 0}}, {7, {0, 3, 0, 0, 0}}}},
        // The tangent from (15, -20) to the circle about (20.1, 0) of radius
        // 5.1 is x = 15 but for rounding noise (20.1 - 5.1 is not 15 in
        // binary); the corner R 1 off the circle about (10, -40) lies 1 right
        // of it and 11 from that centre.
        RepairCase{"VerticalTangentWithRoundingNoiseGaveAStrayCorner",
                   {{-20, -40, 1, 0, 0}, {10, -40, 8, 10, -2}, {0, 0, 5, 0, 1}, {15, -20, 0, 0, 0},
                    {20.1, 0, 8, -5.1, 1}, {40, 20, 0, 0, 0}, {-20, -40, 0, 0, 0}, kEndRow},
                   {},
                   {{5, {16, -40 + std::sqrt(85.0), 0, -1, 0}}, {6, {15, -40 + std::sqrt(85.0), 0, 0, 0}},
                    {7, {15, 0, 0, 0, 0}}}},
        // A row deleted by a corner item left the count one high; the corner
        // pass ran past the end row and wrote over it.
        RepairCase{"CornerPassOverwroteTheEndRow",
                   {{-11.18, 27.191, 5, 0, 0.424}, {-32.848, -34.522, 3, -45, 0}, {35.494, -31.148, 8, -17.799, -2},
                    {-25.644, -30.934, 5, 0, 1}, {3.648, -5.207, 5, 0, 1}, {21.292, 31.475, 8, 11.042, -2}, kEndRow},
                   {"CONV-2 エラー 交点No= 3 直線と円に交点無し。接線とします", "CONV-2 エラー 交点No= 1 コーナＲが入らない。 "},
                   {}}),
    [](const auto& info) { return std::string(info.param.name); });

// Element lists of every kind in random order: whatever the constructions
// report, the run ends in order and only numbers reach the contour.
TEST(Conv2, RandomElementListsGiveOnlyNumbers) {
  std::mt19937 rng(20261208);
  const int codes[] = {0, 0, 1, 1, 2, 3, 5, 8, 8, 88};
  const double angles[] = {0, 90, -90, 180, 45, -45, 270, 135, 30.5};
  for (int list = 0; list < 3000; ++list) {
    std::vector<ElementRow> rows;
    const int n = 2 + static_cast<int>(rng() % 12);
    for (int k = 0; k < n; ++k) {
      const int code = codes[rng() % 10];
      ElementRow row{static_cast<double>(rng() % 41) - 20, static_cast<double>(rng() % 41) - 20 + 0.25 * (rng() % 2),
                     static_cast<double>(code), 0, 0};
      if (code == 8) {
        row.p1 = static_cast<double>(rng() % 21) - 10;
        row.p2 = static_cast<double>(rng() % 5) - 2;
      } else if (code == 1 || code == 2 || code == 3) {
        row.p1 = angles[rng() % 9];
        row.p2 = static_cast<double>(rng() % 3);
      } else {
        row.p2 = static_cast<double>(rng() % 3);
      }
      rows.push_back(row);
    }
    rows.push_back(kEndRow);
    const Converted result = Convert(rows);
    ASSERT_EQ(result.status, Conv2Status::kOk) << "list " << list << ": " << ElementFileText(rows);
    for (const Row& row : result.Rows()) {
      ASSERT_TRUE(std::isfinite(row.x) && std::isfinite(row.y) && std::isfinite(row.p1)) << "list " << list;
    }
  }
}

TEST(Conv2, ListWithoutEndRowCountsThreeRowsMore) {
  const Converted result = Convert({{0, 0, 0, 0, 0}, {10, 0, 0, 0, 0}, {10, 10, 0, 0, 0}, {0, 10, 0, 0, 0}});
  EXPECT_EQ(result.status, Conv2Status::kOk);
  EXPECT_EQ(result.table->RowCount, 7);
}

// Lists without an end row: the rows past the last one are empty, points at
// the origin. A corner R on the last row has no line after it and is refused
// once; the corner pass does not walk on through the empty rows (it once did
// so for ever when the corner stood at the origin).
struct UnendedCase {
  const char* name;
  std::vector<ElementRow> elements;
  std::vector<std::string> messages;
};

std::ostream& operator<<(std::ostream& out, const UnendedCase& c) { return out << c.name; }

class UnendedLists : public ::testing::TestWithParam<UnendedCase> {};

TEST_P(UnendedLists, CornerOnTheLastRowIsRefusedAndTheRunEnds) {
  const UnendedCase& c = GetParam();
  const Converted result = Convert(c.elements);
  EXPECT_EQ(result.status, Conv2Status::kOk);
  EXPECT_EQ(result.box.messages, c.messages);
  for (const Row& row : result.Rows()) {
    EXPECT_EQ(row.p1, 0) << "no corner arc was made: " << row;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Conv2, UnendedLists,
    ::testing::Values(
        UnendedCase{"CornerAtTheOrigin",
                    {{10, 10, 0, 0, 0}, {10, 0, 0, 0, 0}, {0, 0, 0, 0, 2}},
                    {"CONV-2 エラー 交点No= 3 コーナＲが入らない。 "}},
        UnendedCase{"CornerAtTheOriginTypedTwice",
                    {{10, 10, 0, 0, 0}, {10, 0, 0, 0, 0}, {0, 0, 0, 0, 2}, {0, 0, 0, 0, 0}},
                    {"CONV-2 エラー 交点No= 3 コーナＲが入らない。 "}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Conv2, WorkingStateStartsAfreshOnEveryRun) {
  // A run that ends with a circle pending must not leave it to the next run.
  const Converted pending = Convert({{0, 5, 1, 0, 0}, {10, 5, 8, 3, 1}, kEndRow});
  EXPECT_EQ(pending.status, Conv2Status::kOk);
  ElementTable& table = *pending.table;
  ASSERT_EQ(LoadTableText(table, ElementFileText({{0, 0, 0, 0, 0}, {10, 0, 0, 0, 0}, kEndRow})), LoadStatus::kOk);
  RecordingMessageBox box;
  EXPECT_EQ(ConvertElements(table, box), Conv2Status::kOk);
  EXPECT_EQ(table.RowCount, 2);
  EXPECT_EQ(static_cast<double>(table.X[2]), 10);
  EXPECT_TRUE(box.messages.empty());
}

}  // namespace
}  // namespace vx::test
