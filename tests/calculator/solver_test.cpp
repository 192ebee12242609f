// The calculator's answer labels for fixed inputs: every problem, both sides of
// each selector and every message, as exact label texts.
#include <gtest/gtest.h>

#include "calc_test_support.h"

namespace vx {
namespace {

using test::Solve;

struct Case {
  const char* name;
  const char* rows[3];
  CalcAnswers expected;
};

std::ostream& operator<<(std::ostream& os, const Case& c) { return os << c.name; }

class SolverLabels : public ::testing::TestWithParam<Case> {};

TEST_P(SolverLabels, ShowExactTexts) {
  const Case& c = GetParam();
  const Calculator calc = Solve(c.rows[0], c.rows[1], c.rows[2]);
  EXPECT_EQ(calc.answers, c.expected);
}

const Case kCases[] = {
    // 1.1 angle through two points: the point is row 1 as typed.
    {"Angle45", {"0,0,8", "10,10,8", ",,99"}, {"0", "0", "45", "", ""}},
    {"AngleExchangedIsMinus135", {"10,10,8", "0,0,8", ",,99"}, {"10", "10", "-135", "", ""}},
    {"AngleToTheLeftIsZero", {"0,0,8", "-5,0,8", ",,99"}, {"0", "0", "0", "", ""}},
    {"AngleStraightUpIs90", {"0,0,8", "0,5,8", ",,99"}, {"0", "0", "90", "", ""}},
    {"AngleStraightDownIs90", {"0,0,8", "0,-5,8", ",,99"}, {"0", "0", "90", "", ""}},
    {"AnglePointNotRounded", {"1.23456789,-2.5,8", "3,4,8", ",,99"}, {"1.23456789", "-2.5", "74.8048", "", ""}},
    // 1.2 tangent from a point; the circle lies left of the direction.
    {"TangentFromPoint", {"0,0,8", "10,0,0,,,,5,1", ",,99"}, {"0", "0", "-30", "", ""}},
    {"TangentCircleFirstWholeUnits", {"10,0,0,,,,5,1", "0,0,8", ",,99"}, {"8", "4", "210", "", ""}},
    // 1.3 common tangent of equal circles.
    {"TangentEqualCircles", {"0,0,0,,,,5,1", "10,0,0,,,,5,1", ",,99"}, {"0", "-5", "0", "", ""}},
    {"TangentEqualCirclesLeft", {"0,0,0,,,,5,1", "-10,0,0,,,,5,1", ",,99"}, {"0", "5", "180", "", ""}},
    {"TangentPointAtCentre", {"0,0,8", "0,0,0,,,,5,1", ",,99"}, {"", "", "", "", kMsgSameCentre}},
    {"TangentPointInsideCircle", {"1,0,8", "0,0,0,,,,5,1", ",,99"}, {"", "", "", "", kMsgNoTangent}},
    {"TangentCircleInsideCircle", {"0,0,0,,,,10,1", "1,0,0,,,,2,1", ",,99"}, {"", "", "", "", kMsgNoTangent}},
    // 2.1 two lines.
    {"VerticalAnd45", {"5,0,1,90", "0,0,2,45", ",,99"}, {"5", "5", "", "", ""}},
    {"45AndVertical", {"0,0,1,45", "5,0,2,90", ",,99"}, {"5", "5", "", "", ""}},
    {"ShiftedParallels", {"0,0,3,0,2", "0,0,3,90,3", ",,99"}, {"-3", "2", "", "", ""}},
    {"ShiftedLeftOfDownwardLine", {"0,0,3,-90,3", "0,0,2,0", ",,99"}, {"3", "0", "", "", ""}},
    {"SameAngle", {"0,0,1,30", "5,0,2,30", ",,99"}, {"", "", "", "", kMsgNoLineCrossing}},
    {"BothVertical", {"0,0,3,90", "5,0,3,-90", ",,99"}, {"", "", "", "", kMsgNoLineCrossing}},
    {"PlainLineIgnoresB", {"0,0,1,0,5", "3,0,2,90,7", ",,99"}, {"3", "0", "", "", ""}},
    // 2.2 line and circle: s chooses the intersection, 0 the chord middle.
    {"LineCirclePlus", {"0,0,1,45", "0,0,0,,,,1.41421356237,1", ",,99"}, {"1", "1", "", "", ""}},
    {"LineCircleMinus", {"0,0,1,45", "0,0,0,,,,1.41421356237,-1", ",,99"}, {"-1", "-1", "", "", ""}},
    {"LineCircleMiddle", {"0,0,1,45", "0,0,0,,,,1.41421356237,0", ",,99"}, {"0", "0", "", "", ""}},
    {"CircleThenParallelLine", {"0,0,0,,,,1.41421356237,1", "0,0,3,45", ",,99"}, {"1", "1", "", "", ""}},
    {"LineRightOfCentreFlipsSide", {"5,5,3,45", "0,0,0,,,,1.41421356237,1", ",,99"}, {"-1", "-1", "", "", ""}},
    {"VerticalLineCircle", {"0,0,3,90,-3", "0,0,0,,,,5,1", ",,99"}, {"3", "4", "", "", ""}},
    {"HorizontalLineCircle", {"-9,0,3,0,3", "0,0,0,,,,5,1", ",,99"}, {"-4", "3", "", "", ""}},
    {"HorizontalLine180", {"-9,0,3,180,3", "0,0,0,,,,5,-1", ",,99"}, {"4", "-3", "", "", ""}},
    // A line given as 270 has no usable slope form: no point is answered.
    {"LineAt270MeetingCircleIsNotAnswered", {"0,0,3,270,1", "0,0,0,,,,5,1", ",,99"}, {"", "", "", "", kMsgNotFinite}},
    {"LineAt270WithoutShiftIsNotAnswered", {"0,0,3,270", "0,0,0,,,,5,1", ",,99"}, {"", "", "", "", kMsgNotFinite}},
    {"LineMissesCircle", {"0,10,3,0", "0,0,0,,,,5,1", ",,99"}, {"", "", "", "", kMsgLineMissesCircle}},
    {"CircleThenPlainLineRefused", {"0,0,0,,,,5,1", "0,0,1,45", ",,99"}, {"", "", "", "", kMsgWrongOrder}},
    {"EnteringLineFirstRefused", {"0,0,2,0", "0,0,1,90", ",,99"}, {"", "", "", "", kMsgWrongOrder}},
    {"PointAndLineRefused", {"0,0,8", "0,0,1,90", ",,99"}, {"", "", "", "", kMsgWrongOrder}},
    // 2.3 two circles; the second selector picks the side, the order mirrors it.
    {"CirclesCrossUpper", {"0,0,0,,,,5,1", ",,5,,,.001", "6,0,0,,,,5,1"}, {"3", "4", "", "", ""}},
    {"CirclesCrossLower", {"0,0,0,,,,5,1", ",,5,,,-.001", "6,0,0,,,,5,-1"}, {"3", "-4", "", "", ""}},
    {"CirclesReversedUpper", {"6,0,0,,,,5,1", ",,5,,,.001", "0,0,0,,,,5,1"}, {"3", "-4", "", "", ""}},
    {"CirclesReversedLower", {"6,0,0,,,,5,1", ",,5,,,.001", "0,0,0,,,,5,-1"}, {"3", "4", "", "", ""}},
    {"CirclesTooFarApart", {"0,0,0,,,,5,1", ",,5,,,.001", "20,0,0,,,,5,1"}, {"", "", "", "", kMsgCirclesApart}},
    {"CircleInsideCircle", {"0,0,0,,,,5,1", ",,5,,,.001", "1,0,0,,,,1,1"}, {"", "", "", "", kMsgNoSolutionAngle}},
    {"ConcentricCircles", {"0,0,0,,,,5,1", ",,5,,,.001", "0,0,0,,,,3,1"}, {"", "", "", "", kMsgSameCentre}},
    // Circles touching inside meet on the far side of the first centre.
    {"InnerTouchingCirclesMeetOnFarSide", {"0,0,0,,,,2,1", ",,5,,,.001", "3,0,0,,,,5,1"}, {"-2", "0", "", "", ""}},
    {"InnerTouchingCirclesReversed", {"3,0,0,,,,5,1", ",,5,,,.001", "0,0,0,,,,2,-1"}, {"-2", "0", "", "", ""}},
    {"ReducedRadiusZero", {"0,0,0,,,,0,1", ",,5,,,.001", "5,0,0,,,,5,1"}, {"", "", "", "", kMsgZeroRadius}},
    // 3.4 circle touching two circles from outside.
    {"TouchesTwoCircles", {"0,0,0,,,,5,1", ",,5,,,-5", "20,0,0,,,,5,1"}, {"10", "0", "", "-5", ""}},
    // 3.1 with the point far away takes the tangent-line route and fills the angle.
    {"FarPointUsesTangentRoute", {"0,0,8", ",,5,,,-2", "20,0,0,,,,5,-1"}, {"13.1263", "-1.3236", "-14.4775", "-2", ""}},
    // The same circle and c: a point within reach takes the two-circle route
    // (no angle); far away the tangent route fills the angle even where the
    // circle moved away from the tangent cannot be met.
    {"NearPointUsesTwoCircles", {"17,0,8", ",,5,,,2", "20,0,0,,,,5,1"}, {"17.6667", "-1.8856", "", "2", ""}},
    {"FarPointFillsAngleFirst", {"0,0,8", ",,5,,,2", "20,0,0,,,,5,1"}, {"0", "0", "-14.4775", "2", kMsgLineMissesCircle}},
    {"PointInsideCircleNoTangent", {"0,0,8", ",,5,,,-9", "2,0,0,,,,10,1"}, {"", "", "", "", kMsgNoTangent}},
    // 3.3 tangent-circle route that misses keeps its message.
    {"OffsetCircleMissesLine", {"0,0,3,0", ",,5,,,2", "0,10,0,,,,5,1"}, {"", "", "", "", kMsgLineMissesCircle}},
    // 3.5 circle through three points.
    {"ThreePoints", {"0,0,8", "10,0,8", "0,10,8"}, {"5", "5", "", "7.0711", ""}},
    {"ThreePointsOnHorizontal", {"0,0,8", "10,0,8", "20,0,8"}, {"", "", "", "", kMsgChordsHorizontal}},
    {"ThreePointsCollinear", {"0,0,8", "1,1,8", "2,2,8"}, {"", "", "", "", kMsgCollinear}},
    // 3.6 circle touching three lines.
    // The incircle centre is (5, 5 tan 30) = (5, 2.88675); with the slopes rounded
    // to 6 places the second corner lies 3e-7 right of x = 5, which puts y just
    // below the tie: 2.8867, while the radius shows 2.8868.
    {"Incircle", {"0,0,3,0", "10,0,3,120", "5,8.660254,3,240"}, {"5", "2.8867", "", "2.8868", ""}},
    {"ConsecutiveParallelLines", {"0,0,3,0", "0,5,3,0", "5,8,3,240"}, {"", "", "", "", kMsgNoLineCrossing}},
    {"ThirdLineVertical", {"0,0,3,45", "10,0,3,135", "5,0,3,90"}, {"", "", "", "", kMsgThirdLineVertical}},
    {"BothBisectorsVertical", {"0,0,3,100", "10,0,3,260", "0,20,3,100"}, {"", "", "", "", kMsgNoSolutionAngle}},
    {"ParallelBisectors", {"0,0,3,0", "10,0,3,60", "0,20,3,0"}, {"", "", "", "", kMsgNoSolutionAngle}},
    // A line given as 270 has a rounded cosine of 0: no label shows a non-number.
    {"NonFiniteAnswerSuppressed", {"0,0,3,270,1", "0,0,3,0", ",,99"}, {"", "", "", "", kMsgNotFinite}},
};

INSTANTIATE_TEST_SUITE_P(Calculator, SolverLabels, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<Case>& info) { return info.param.name; });

}  // namespace
}  // namespace vx
