// The calculator's tangent-circle solvers (problems 3.1 to 3.6): most rewrite
// the input rows into a line-circle, two-circle or two-line construction.
#include <cmath>

#include "calculator/calculator.h"
#include "calculator/line_math.h"
#include "shell/degree.h"
#include "shell/number_text.h"

namespace vx {
namespace {

constexpr int kAnswerPlaces = 4;  // radius and angle answers of these solvers

// A perpendicular bisector of a chord is vertical when the chord is horizontal.
bool BisectorVertical(double chordDeg) { return chordDeg == 0 || chordDeg == 180; }

}  // namespace

void Calculator::PointCircleTangentCircle() {
  const CalcRow& p = in[1];
  const CalcRow& circle = in[3];
  const double c = in[2].InAux;
  const double dx = circle.InX - p.InX, dy = circle.InY - p.InY;
  const double d = std::sqrt(dx * dx + dy * dy);
  if (d > std::abs(std::abs(circle.InMain) + c)) {
    TangentLineTangentCircle();
    return;
  }
  // The point becomes a circle of radius 0: the wanted centre is at |c| from it.
  in[1].InKind = 8;
  in[1].InMain = 0;
  TwoCircleSolve();
}

void Calculator::TangentLineTangentCircle() {
  CalcRow& p = in[1];
  const CalcRow& circle = in[3];
  const double c = in[2].InAux;
  const double dx = circle.InX - p.InX, dy = circle.InY - p.InY;
  const double d = std::sqrt(dx * dx + dy * dy);
  if (d == 0) {
    answers.ansRem = kMsgSameCentre;
    return;
  }
  const double sine = (0 - circle.InMain) / d;
  if (std::abs(sine) > 1) {  // the point lies inside the circle
    answers.ansRem = kMsgNoTangent;
    return;
  }
  const double a = DirectionAngle(dx, dy, d) + AsinDegEnds(sine);
  p.InMain = a;  // row 1 is from now on the tangent line through P
  SetNumber(answers.ansA, RoundHalfEven(a, kAnswerPlaces));
  SetNumber(answers.ansR, RoundHalfEven(c, kAnswerPlaces));
  SetNumber(answers.ansX, p.InX);
  SetNumber(answers.ansY, p.InY);
  LineCircleTangentCircle();
}

void Calculator::LineCircleTangentCircle() {
  const CalcRow circle = in[3];
  const double c = in[2].InAux;
  // The wanted centre lies on the concentric circle of radius |r3| -+ |c|
  // (s3 > 0: minus, s3 < 0: plus) and on the line moved by c.
  CalcRow& offsetCircle = in[2];
  offsetCircle.InX = circle.InX;
  offsetCircle.InY = circle.InY;
  offsetCircle.InMain = (std::abs(c) * Sgn(circle.InAux) - std::abs(circle.InMain)) * Sgn(circle.InMain);
  offsetCircle.InAux = circle.InAux;
  offsetCircle.InKind = 8;
  in[1].InAux -= c;
  in[1].InKind = 3;
  in[3].InKind = 99;
  TwoRowMode = 1;
  LineCircleSolve();
}

void Calculator::ThreePointCircle() {
  const CalcRow& p1 = in[1];
  const double dx1 = in[2].InX - p1.InX, dy1 = in[2].InY - p1.InY;
  const double dx2 = in[3].InX - p1.InX, dy2 = in[3].InY - p1.InY;
  const double a1 = ChordDirection(dx1, dy1, std::sqrt(dx1 * dx1 + dy1 * dy1));
  const double a2 = ChordDirection(dx2, dy2, std::sqrt(dx2 * dx2 + dy2 * dy2));
  const bool firstVertical = BisectorVertical(a1);
  // Bisector of a chord: through its middle, at the chord direction + 90.
  const double m1 = TanDeg(a1 + 90);
  const double k1 = (p1.InY + dy1 / 2) - (p1.InX + dx1 / 2) * m1;
  double x = 0, y = 0;
  if (BisectorVertical(a2)) {
    if (firstVertical) {
      answers.ansRem = kMsgChordsHorizontal;
      return;
    }
    x = p1.InX + dx2 / 2;
    y = m1 * x + k1;
  } else {
    const double m2 = TanDeg(a2 + 90);
    const double k2 = (p1.InY + dy2 / 2) - (p1.InX + dx2 / 2) * m2;
    if (!firstVertical && m1 == m2) {  // equal rounded slopes: the points are collinear
      answers.ansRem = kMsgCollinear;
      return;
    }
    if (!firstVertical) {
      x = (k2 - k1) / (m1 - m2);
      y = (m1 * k2 - m2 * k1) / (m1 - m2);
    } else {
      x = p1.InX + dx1 / 2;
      y = m2 * x + k2;
    }
  }
  const double r = std::sqrt((x - p1.InX) * (x - p1.InX) + (y - p1.InY) * (y - p1.InY));
  SetNumber(answers.ansR, RoundHalfEven(r, kAnswerPlaces));
  ShowAnswerPoint(x, y);
}

void Calculator::ThreeLineCircle() {
  HoldAnswer = 1;
  const LineLineResult q12 = LineLineSolve(1);
  if (!q12.found) return;  // its own message; HoldAnswer is already 0
  // Bisector of the corner between two lines taken in order round the figure.
  const double b1 = (in[1].InMain - 180 + in[2].InMain) / 2;
  const bool firstVertical = IsVertical(b1);
  const double mb1 = firstVertical ? 0 : TanDeg(b1);
  const double kb1 = firstVertical ? 0 : q12.y - mb1 * q12.x;
  const LineLineResult q23 = LineLineSolve(2);
  if (!q23.found) return;
  const double b2 = (in[2].InMain - 180 + in[3].InMain) / 2;
  const bool secondVertical = IsVertical(b2);
  double x = 0, y = 0;
  if (firstVertical && secondVertical) {
    answers.ansRem = kMsgNoSolutionAngle;
    HoldAnswer = 0;
    return;
  }
  if (secondVertical) {
    x = q23.x;
    y = mb1 * x + kb1;
  } else {
    const double mb2 = TanDeg(b2);
    const double kb2 = q23.y - mb2 * q23.x;
    if (firstVertical) {
      x = q12.x;
      y = mb2 * x + kb2;
    } else if (mb1 == mb2) {  // parallel bisectors meet nowhere either
      answers.ansRem = kMsgNoSolutionAngle;
      HoldAnswer = 0;
      return;
    } else {
      x = (kb2 - kb1) / (mb1 - mb2);
      y = mb1 * x + kb1;
    }
  }
  if (IsVertical(in[3].InMain)) {  // line 3 has no slope for the distance formula
    answers.ansRem = kMsgThirdLineVertical;
    HoldAnswer = 0;
    return;
  }
  // Distance from the centre to line 3 (the second line of the second solve).
  const double r = std::abs(y - q23.m2 * x - q23.k2) / std::sqrt(q23.m2 * q23.m2 + 1);
  SetNumber(answers.ansR, RoundHalfEven(r, kAnswerPlaces));
  HoldAnswer = 0;
  ShowAnswerPoint(x, y);
}

}  // namespace vx
