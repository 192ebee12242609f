// The calculator's angle and intersection solvers (problems 1.1 to 2.3).
#include <cmath>

#include "calculator/calculator.h"
#include "calculator/line_math.h"
#include "shell/degree.h"
#include "shell/number_text.h"

namespace vx {
namespace {

constexpr int kPointAnglePlaces = 4;    // ansA of the angle through two points
constexpr int kTangentAnglePlaces = 5;  // ansA of a tangent
constexpr int kTangentPointPlaces = 0;  // the tangent point is shown in whole units
constexpr int kLineAnglePlaces = 5;     // the line angle of a line-circle solve
// A value row of at most this size asks for an intersection, not a circle.
constexpr double kIntersectionValue = 0.01;

}  // namespace

double AsinDegEnds(double sine) {
  // Exact ends: the arc tangent form of AsinDeg has no value there.
  if (sine == 1) return 90;
  if (sine == -1) return -90;
  return AsinDeg(sine);
}

double DirectionAngle(double dx, double dy, double d) {
  double alpha = AsinDegEnds(dy / d);
  if (dx < 0) alpha = alpha >= 0 ? 180 - alpha : -180 - alpha;
  return alpha;
}

void Calculator::PointAngleSolve() {
  const CalcRow& p1 = in[1];
  const CalcRow& p2 = in[2];
  // Equal X (exactly) is the vertical direction, whether P2 is above or below.
  double a = p1.InX == p2.InX ? 90 : AtnDeg((p2.InY - p1.InY) / (p2.InX - p1.InX));
  if (p1.InX > p2.InX) a -= Sgn(a) * 180;
  SetNumber(answers.ansA, RoundHalfEven(a, kPointAnglePlaces));
  SetNumber(answers.ansX, p1.InX);
  SetNumber(answers.ansY, p1.InY);
}

void Calculator::TangentAngleSolve() {
  const CalcRow& c1 = in[1];
  const CalcRow& c2 = in[2];
  const double r1 = c1.InMain, r2 = c2.InMain;
  const double dx = c2.InX - c1.InX, dy = c2.InY - c1.InY;
  const double d = std::sqrt(dx * dx + dy * dy);
  if (d == 0) {  // a point at the centre, or two concentric circles
    answers.ansRem = kMsgSameCentre;
    return;
  }
  if (std::abs(r1 - r2) > d) {  // one inside the other: no common tangent
    answers.ansRem = kMsgNoTangent;
    return;
  }
  const double beta = r1 == r2 ? 0 : AsinDegEnds((r1 - r2) / d);
  const double a = DirectionAngle(dx, dy, d) + beta;
  SetNumber(answers.ansA, RoundHalfEven(a, kTangentAnglePlaces));
  SetNumber(answers.ansX, RoundHalfEven(c1.InX + r1 * SinDeg(a), kTangentPointPlaces));
  SetNumber(answers.ansY, RoundHalfEven(c1.InY - r1 * CosDeg(a), kTangentPointPlaces));
}

LineLineResult Calculator::LineLineSolve(int firstRow) {
  const CalcRow& l1 = in[firstRow];
  const CalcRow& l2 = in[firstRow + 1];
  LineLineResult result;
  FirstVertical = IsVertical(l1.InMain) ? 1 : 0;
  if (FirstVertical == 0) {
    const SlopeLine line1 = LineSlope(l1.InX, l1.InY, l1.InMain, l1.InAux);
    result.m1 = line1.m;
    result.k1 = line1.k;
  }
  if (IsVertical(l2.InMain)) {
    if (FirstVertical == 1) {
      answers.ansRem = kMsgNoLineCrossing;
      FirstVertical = 0;
      HoldAnswer = 0;
      return result;
    }
    result.x = VerticalLineX(l2.InX, l2.InMain, l2.InAux);
    result.y = result.m1 * result.x + result.k1;
  } else {
    const SlopeLine line2 = LineSlope(l2.InX, l2.InY, l2.InMain, l2.InAux);
    result.m2 = line2.m;
    result.k2 = line2.k;
    if (FirstVertical == 1) {
      result.x = VerticalLineX(l1.InX, l1.InMain, l1.InAux);
      result.y = result.m2 * result.x + result.k2;
    } else if (result.m1 == result.m2) {  // equal rounded slopes: parallel
      answers.ansRem = kMsgNoLineCrossing;
      HoldAnswer = 0;
      return result;
    } else {
      const double den = result.m1 - result.m2;
      result.x = (result.k2 - result.k1) / den;
      result.y = (result.m1 * result.k2 - result.m2 * result.k1) / den;
    }
  }
  result.found = true;
  ShowAnswerPoint(result.x, result.y);
  return result;
}

void Calculator::LineCircleSolve() {
  CalcRow& line = in[1];
  CalcRow& circle = in[2];
  const double a = circle.InX, b = circle.InY, r = circle.InMain;
  if (line.InX > a) circle.InAux = -circle.InAux;
  const double s = Sgn(circle.InAux);
  line.InMain = RoundHalfEven(line.InMain, kLineAnglePlaces);
  const double angle = line.InMain, shift = line.InAux;
  double x = 0, y = 0, disc = 0;
  if (IsVertical(angle)) {
    x = VerticalLineX(line.InX, angle, shift);
    disc = r * r - (x - a) * (x - a);
    if (disc >= 0) y = b + s * std::sqrt(disc);
  } else if (angle == 0 || angle == 180) {  // exactly horizontal after the rounding above
    y = angle == 0 ? line.InY + shift : line.InY - shift;
    disc = r * r - (b - y) * (b - y);
    if (disc >= 0) x = a - s * std::sqrt(disc);
  } else {
    const auto [m, k] = LineSlope(line.InX, line.InY, angle, shift);
    const double q = m * (k - b) - a;
    disc = 4 * q * q - 4 * (1 + m * m) * (a * a + (k - b) * (k - b) - r * r);
    if (disc >= 0) {
      x = (-2 * q + s * std::sqrt(disc)) / 2 / (1 + m * m);
      y = k + m * x;
    }
  }
  if (!std::isfinite(disc)) {  // a line at 270 (rounded cosine 0): no point to show
    m_notFinite = true;
    return;
  }
  if (disc < 0) {
    answers.ansRem = kMsgLineMissesCircle;
    return;
  }
  ShowAnswerPoint(x, y);
}

void Calculator::TwoCircleSolve() {
  CalcRow& c1 = in[1];
  CalcRow& c3 = in[3];
  double c = in[2].InAux;
  if (std::abs(c) <= kIntersectionValue) c = 0;
  const double dx = c3.InX - c1.InX, dy = c3.InY - c1.InY;
  c1.InMain -= c;
  c3.InMain -= c;
  const double r1 = c1.InMain, r3 = c3.InMain;
  const double d = std::sqrt(dx * dx + dy * dy);
  if (d > std::abs(r1) + std::abs(r3)) {
    answers.ansRem = kMsgCirclesApart;
    return;
  }
  if (d == 0) {  // concentric: every direction or none
    answers.ansRem = kMsgSameCentre;
    return;
  }
  if (r1 == 0) {  // the wanted point would be the first centre itself
    answers.ansRem = kMsgZeroRadius;
    return;
  }
  const double k = (d * d + r1 * r1 - r3 * r3) / 2 / std::abs(r1) / d;
  if (k < -1 || k > 1) {
    answers.ansRem = kMsgNoSolutionAngle;
    return;
  }
  // AcosDeg(-1) is 0 through its arc tangent form; exactly -1 (the circles
  // touch with the first centre between) is the opposite direction, 180.
  double theta = k == 0 ? 90 : (k == -1 ? 180 : AcosDeg(k));
  if (theta < 0) theta += 180;
  if (r3 != 0 && r1 != 0) theta = r1 > 0 ? theta * Sgn(c3.InAux) : -theta * Sgn(c3.InAux);
  const double alpha = ChordDirection(dx, dy, d);
  ShowAnswerPoint(c1.InX + std::abs(r1) * CosDeg(alpha + theta),
                  c1.InY + std::abs(r1) * SinDeg(alpha + theta));
  if (c != 0) SetNumber(answers.ansR, c);
}

}  // namespace vx
