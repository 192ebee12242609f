// Each solver family's answer checked against its construction, computed
// independently here with full-precision trigonometry.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "calc_test_support.h"
#include "shell/number_text.h"

namespace vx {
namespace {

using test::Solve;

constexpr double kPi = 3.14159265358979323846;
// The degree functions carry 6 places and the labels 4: answers are checked
// to this distance.
constexpr double kTol = 2e-3;

struct P {
  double x, y;
};

double Dist(P a, P b) { return std::hypot(a.x - b.x, a.y - b.y); }

// Signed distance of q to the left of the line through p at angle a (degrees)
// moved by shift to the left.
double LeftOf(P q, P p, double angleDeg, double shift = 0) {
  const double a = angleDeg * kPi / 180;
  return (q.x - p.x) * -std::sin(a) + (q.y - p.y) * std::cos(a) - shift;
}

P AnswerPoint(const Calculator& calc) {
  return {NumericValue(calc.answers.ansX), NumericValue(calc.answers.ansY)};
}

double Num(const std::string& text) { return NumericValue(text); }

std::string Circle(P c, double r, double s) {
  return std::to_string(c.x) + "," + std::to_string(c.y) + ",0,,,," + std::to_string(r) + "," +
         std::to_string(s);
}
std::string Line(P p, double a, double b) {
  return std::to_string(p.x) + "," + std::to_string(p.y) + ",3," + std::to_string(a) + "," + std::to_string(b);
}
std::string Value(double c) { return ",,5,,," + std::to_string(c); }
std::string Point(P p) { return std::to_string(p.x) + "," + std::to_string(p.y) + ",8"; }

TEST(CalcConstruction, AngleRunsFromFirstToSecondPoint) {
  const P points[][2] = {{{1, 2}, {7, -3}}, {{1, 2}, {-7, -3}}, {{-4, 0}, {-9, 6}}, {{0, 0}, {3, 0.5}}};
  for (const auto& pair : points) {
    const Calculator calc = Solve(Point(pair[0]), Point(pair[1]), ",,99");
    const double a = Num(calc.answers.ansA);
    EXPECT_NEAR(a, std::atan2(pair[1].y - pair[0].y, pair[1].x - pair[0].x) * 180 / kPi, kTol);
  }
}

TEST(CalcConstruction, TangentTouchesBothCirclesOnTheirSides) {
  struct Case {
    P c1;
    double r1;
    P c2;
    double r2;
  };
  // Radius 0 is a point row; a positive radius lies left of the direction.
  const Case cases[] = {{{0, 0}, 5, {20, 3}, 2},   {{0, 0}, 5, {20, 3}, -2}, {{0, 0}, -5, {-12, 7}, 3},
                        {{3, 4}, 0, {-12, 7}, 3},  {{-12, 7}, -3, {3, 4}, 0}, {{0, 0}, 2, {0, 10}, 2}};
  for (const Case& c : cases) {
    const std::string row1 = c.r1 == 0 ? Point(c.c1) : Circle(c.c1, c.r1, 1);
    const std::string row2 = c.r2 == 0 ? Point(c.c2) : Circle(c.c2, c.r2, 1);
    const Calculator calc = Solve(row1, row2, ",,99");
    ASSERT_EQ(calc.answers.ansRem, "") << row1 << " / " << row2;
    const double a = Num(calc.answers.ansA);
    const P t = AnswerPoint(calc);
    // With the line through circle 1's tangent point, each centre lies at its
    // signed radius to the left of it.
    EXPECT_NEAR(LeftOf(c.c2, c.c1, a) - LeftOf(c.c1, c.c1, a), c.r2 - c.r1, kTol) << row1 << " / " << row2;
    EXPECT_NEAR(Dist(t, c.c1), std::abs(c.r1), 0.75) << "whole units";  // shown rounded to 0 places
  }
}

TEST(CalcConstruction, LinesCrossOnBothLines) {
  struct L {
    P p;
    double a, b;
  };
  const L lines[][2] = {{{{1, 2}, 30, 0}, {{-3, 4}, 100, 2}},
                        {{{1, 2}, 90, 1.5}, {{-3, 4}, -20, -1}},
                        {{{1, 2}, 200, 0}, {{-3, 4}, -90, 3}},
                        {{{0, 0}, 45, -2}, {{5, 5}, 135, 0}}};
  for (const auto& pair : lines) {
    const Calculator calc = Solve(Line(pair[0].p, pair[0].a, pair[0].b), Line(pair[1].p, pair[1].a, pair[1].b), ",,99");
    ASSERT_EQ(calc.answers.ansRem, "");
    const P q = AnswerPoint(calc);
    for (const L& l : pair) EXPECT_NEAR(LeftOf(q, l.p, l.a, l.b), 0, kTol);
  }
}

TEST(CalcConstruction, LineCircleBothIntersections) {
  const P centre{2, -1};
  const double r = 6;
  for (double angle : {0.0, 30.0, 90.0, 135.0, 180.0, -60.0}) {
    P seen[2];
    for (int side = 0; side < 2; ++side) {
      const Calculator calc = Solve(Line({-1, 0.5}, angle, 1.25), Circle(centre, r, side == 0 ? 1 : -1), ",,99");
      ASSERT_EQ(calc.answers.ansRem, "") << angle;
      seen[side] = AnswerPoint(calc);
      EXPECT_NEAR(LeftOf(seen[side], {-1, 0.5}, angle, 1.25), 0, kTol) << angle;
      EXPECT_NEAR(Dist(seen[side], centre), r, kTol) << angle;
    }
    EXPECT_GT(Dist(seen[0], seen[1]), 1) << "both selectors give the same point at " << angle;
  }
}

TEST(CalcConstruction, CircleOfRadiusCTouchesTwoCircles) {
  const P c1{0, 0}, c3{10, 3};
  for (double c : {0.0, 2.0, -3.0}) {
    P seen[2];
    for (int side = 0; side < 2; ++side) {
      const Calculator calc = Solve(Circle(c1, 6, 1), Value(c == 0 ? 0.001 : c), Circle(c3, 9, side == 0 ? 1 : -1));
      ASSERT_EQ(calc.answers.ansRem, "") << c;
      seen[side] = AnswerPoint(calc);
      EXPECT_NEAR(Dist(seen[side], c1), std::abs(6 - c), kTol) << c;
      EXPECT_NEAR(Dist(seen[side], c3), std::abs(9 - c), kTol) << c;
      if (c != 0) {
        EXPECT_EQ(Num(calc.answers.ansR), c);
      }
    }
    EXPECT_GT(Dist(seen[0], seen[1]), 1) << c;
  }
}

TEST(CalcConstruction, CircleThroughPointTouchingCircle) {
  // The point is within reach of the circle: the two-circle construction.
  const P p{0, 0}, centre{4, 0};
  double ySeen[2] = {0, 0};
  for (double s : {1.0, -1.0}) {
    const Calculator calc = Solve(Point(p), Value(2), Circle(centre, 5, s));
    ASSERT_EQ(calc.answers.ansRem, "");
    EXPECT_EQ(calc.answers.ansA, "");
    const P q = AnswerPoint(calc);
    EXPECT_NEAR(Dist(q, p), 2, kTol);
    EXPECT_NEAR(Dist(q, centre), 5 - 2, kTol);
    EXPECT_EQ(calc.answers.ansR, "2");
    ySeen[s > 0 ? 0 : 1] = q.y;
  }
  EXPECT_NEAR(ySeen[0], -ySeen[1], kTol) << "the selector picks one of the mirrored centres";
  EXPECT_GT(std::abs(ySeen[0]), 0.5);
}

TEST(CalcConstruction, FarPointUsesTangentAndTouchingCircle) {
  // A negative c puts the centre between the tangent and the circle; the
  // selector -1 takes the circle touching from outside (radius 5 + 2).
  const P p{0, 0}, centre{20, 0};
  for (double y : {0.0, 6.0, -6.0}) {
    const P c{centre.x, y};
    const double s = -1;
    const Calculator calc = Solve(Point(p), Value(-2), Circle(c, 5, s));
    ASSERT_EQ(calc.answers.ansRem, "");
    const double a = Num(calc.answers.ansA);
    EXPECT_NEAR(std::abs(LeftOf(c, p, a)), 5, kTol) << "the angle is a tangent from the point";
    const P q = AnswerPoint(calc);
    EXPECT_NEAR(std::abs(LeftOf(q, p, a)), 2, kTol);
    EXPECT_NEAR(Dist(q, c), 5 + 2, kTol);
    EXPECT_EQ(calc.answers.ansR, "-2");
  }
}

TEST(CalcConstruction, CircleTouchingLineAndCircle) {
  struct Case {
    P p;
    double a, b;
    double c;
    P centre;
    double r;
  };
  const Case cases[] = {{{0, 0}, 0, 0, -2, {0, 6}, 8},  {{0, 0}, 0, 0, -2, {0, 6}, 5},
                        {{0, 0}, 30, 0, 1.5, {10, 3}, 4}, {{1, 1}, 90, 2, 1, {3, 5}, 6},
                        {{-2, 0}, 120, -1, -2, {0, 4}, 7}};
  int solved = 0;
  for (const Case& c : cases) {
    for (double s : {1.0, -1.0}) {
      const Calculator calc = Solve(Line(c.p, c.a, c.b), Value(c.c), Circle(c.centre, c.r, s));
      if (calc.answers.ansRem == kMsgLineMissesCircle) continue;  // that side has no solution
      ++solved;
      ASSERT_EQ(calc.answers.ansRem, "") << c.a << " " << s;
      const P q = AnswerPoint(calc);
      EXPECT_NEAR(std::abs(LeftOf(q, c.p, c.a, c.b)), std::abs(c.c), kTol) << c.a << " " << s;
      EXPECT_NEAR(Dist(q, c.centre), s > 0 ? c.r - std::abs(c.c) : c.r + std::abs(c.c), kTol) << c.a << " " << s;
    }
  }
  EXPECT_GE(solved, 8);
}

TEST(CalcConstruction, CircleThroughThreePoints) {
  const P sets[][3] = {{{1, 2}, {7, -3}, {4, 9}}, {{0, 0}, {0, 10}, {10, 0}}, {{-5, 1}, {5, 1}, {0, 7}},
                       {{3, 3}, {3, -3}, {-1, 0}}};
  for (const auto& pts : sets) {
    const Calculator calc = Solve(Point(pts[0]), Point(pts[1]), Point(pts[2]));
    ASSERT_EQ(calc.answers.ansRem, "");
    const P q = AnswerPoint(calc);
    const double r = Num(calc.answers.ansR);
    for (const P& pt : pts) EXPECT_NEAR(Dist(q, pt), r, kTol);
  }
}

TEST(CalcConstruction, CircleTouchingThreeLines) {
  struct L {
    P p;
    double a;
  };
  // Lines taken in order round the figure.
  const L figures[][3] = {{{{0, 0}, 0}, {{10, 0}, 120}, {{5, 8.660254}, 240}},
                          {{{0, 0}, 0}, {{12, 0}, 100}, {{0, 9}, -100}},
                          {{{0, 0}, 10}, {{8, 1}, 135}, {{2, 7}, 250}}};
  for (const auto& lines : figures) {
    const Calculator calc = Solve(Line(lines[0].p, lines[0].a, 0), Line(lines[1].p, lines[1].a, 0),
                                  Line(lines[2].p, lines[2].a, 0));
    ASSERT_EQ(calc.answers.ansRem, "");
    const P q = AnswerPoint(calc);
    const double r = Num(calc.answers.ansR);
    for (const L& l : lines) EXPECT_NEAR(std::abs(LeftOf(q, l.p, l.a)), r, kTol);
  }
}

}  // namespace
}  // namespace vx
