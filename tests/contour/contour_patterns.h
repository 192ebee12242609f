// Random element lists built from consistent geometry, each with the drawing it describes and its messages.
#pragma once

#include <cmath>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "contour_check.h"

namespace vx::test {

inline Vec2 operator+(Vec2 a, Vec2 b) { return {a.x + b.x, a.y + b.y}; }
inline Vec2 operator*(double s, Vec2 v) { return {s * v.x, s * v.y}; }
inline double Dot(Vec2 a, Vec2 b) { return a.x * b.x + a.y * b.y; }
inline Vec2 Left(Vec2 v) { return {-v.y, v.x}; }

// Unit vector at an angle in degrees (full-precision pi: the judge's own view).
inline Vec2 Dir(double degrees) {
  const double a = degrees * std::acos(-1.0) / 180;
  return {std::cos(a), std::sin(a)};
}
inline double AngleOf(Vec2 v) { return std::atan2(v.y, v.x) * 180 / std::acos(-1.0); }
// An angle brought into (-180, 180].
inline double Normalized(double degrees) {
  double a = std::fmod(degrees, 360.0);
  if (a <= -180) a += 360;
  if (a > 180) a -= 360;
  return a;
}
// A value as the operator types it: 3 decimals.
inline double Typed(double v) { return std::round(v * 1000) / 1000; }
inline Vec2 Typed(Vec2 v) { return {Typed(v.x), Typed(v.y)}; }

// Parameters t1 <= t2 along the unit direction d from p where the line meets
// the circle (centre c, radius r); {nan, nan} when it misses.
struct Crossings {
  double t1, t2;
};
inline Crossings LineCircleCrossings(Vec2 p, Vec2 d, Vec2 c, double r) {
  const Vec2 w = p - c;
  const double b = Dot(w, d);
  const double disc = b * b - (Dot(w, w) - r * r);
  if (disc < 0) return {std::nan(""), std::nan("")};
  return {-b - std::sqrt(disc), -b + std::sqrt(disc)};
}

// An element list, the drawing it describes and the messages it must give.
struct PatternCase {
  std::vector<ElementRow> elements;
  std::vector<Piece> drawing;
  std::vector<std::string> messages;
  JudgeTolerance tolerance;
};

class Dice {
 public:
  explicit Dice(unsigned seed) : m_rng(seed) {}
  double Uniform(double lo, double hi) { return std::uniform_real_distribution<double>(lo, hi)(m_rng); }
  int Pick(int n) { return static_cast<int>(m_rng() % static_cast<unsigned>(n)); }
  bool Coin() { return Pick(2) == 0; }
  double Sign() { return Coin() ? 1 : -1; }
  Vec2 Point(double range) { return Typed(Vec2{Uniform(-range, range), Uniform(-range, range)}); }
  // A line angle as drawings have them: often a multiple of 45 (vertical too).
  double LineAngle() { return Pick(4) == 0 ? 45.0 * (Pick(8) - 3) : Typed(Uniform(-180, 180)); }
  // A line angle that turns 20 to 150 degrees away from `previous`.
  double NextAngle(double previous) {
    for (;;) {
      const double a = LineAngle();
      const double turn = std::fabs(Normalized(a - previous));
      if (turn >= 20 && turn <= 150) return a;
    }
  }

 private:
  std::mt19937 m_rng;
};

const ElementRow kPatternEnd{0, 0, 99, 0, 0};
inline ElementRow PointRow(Vec2 p, double cornerR = 0) { return {p.x, p.y, 0, 0, cornerR}; }
inline ElementRow LineRow(Vec2 p, int code, double angle, double p2 = 0) {
  return {p.x, p.y, static_cast<double>(code), angle, p2};
}
inline ElementRow CircleRow(Vec2 c, double r, double mark) { return {c.x, c.y, 8, r, mark}; }
inline ElementRow CornerItemRow(double rc) { return {0, 0, 5, 0, rc}; }

// The start of a contour: a leaving line from S0 that enters the circle at a
// clear angle. The entry is the nearer crossing (mark sign -1) or the farther
// one, past a chord through the circle (+1).
struct CircleEntry {
  Vec2 start;
  double entryAngle;  // of the entry point, seen from the centre
  int markSign;
};
inline CircleEntry EnterCircle(Dice& dice, PatternCase& c, Vec2 centre, double radius) {
  const double a0 = dice.LineAngle();
  const Vec2 d0 = Dir(a0);
  const bool inward = dice.Coin();
  const double delta = dice.Sign() * dice.Uniform(15, 70);
  // At the entry the outward normal makes 180 + delta (inward) or delta with the line.
  const double phi = inward ? a0 - 180 - delta : a0 - delta;
  const Vec2 entry = centre + radius * Dir(phi);
  const double chord = 2 * radius * std::cos(delta * std::acos(-1.0) / 180);
  const Vec2 s0 = Typed(entry + -((inward ? 0 : chord) + dice.Uniform(5, 25)) * d0);
  const Crossings x = LineCircleCrossings(s0, d0, centre, radius);
  c.elements.push_back(LineRow(s0, 1, a0));
  c.drawing.insert(c.drawing.end(), {VertexAt(s0), LineThrough(s0, d0), VertexAt(s0 + (inward ? x.t1 : x.t2) * d0)});
  return {s0, phi, inward ? -1 : 1};
}

// The end of a contour: the circle is left on the tangent to a point Q
// outside it, and the contour closes at S0 (not straight back along that
// tangent). Q is kept a degree away from straight above or below the centre,
// where the distance rounded to 5 places makes the tangent's direction
// exactly vertical (an error of up to 0.002, not the subject here).
inline void LeaveCircleAndClose(Dice& dice, PatternCase& c, Vec2 centre, double radius, Vec2 s0) {
  Vec2 q;
  for (;;) {
    const double towards = dice.Uniform(-180, 180);
    if (std::fabs(std::fabs(towards) - 90) < 1) continue;
    q = Typed(centre + (std::fabs(radius) + dice.Uniform(5, 30)) * Dir(towards));
    // The tangents from Q leave the line to the centre by asin(r / |Q - C|).
    const double spread = std::asin(std::fabs(radius) / Length(centre - q)) * 180 / std::acos(-1.0);
    const double off = std::fabs(Normalized(AngleOf(s0 - q) - AngleOf(centre - q)));
    if (std::fabs(off - spread) > 10) break;
  }
  c.elements.insert(c.elements.end(), {PointRow(q), PointRow(s0), kPatternEnd});
  c.drawing.insert(c.drawing.end(), {TangentSegment(), VertexAt(q), LineThrough(q, s0 - q), VertexAt(s0)});
}

// A line leaving the circle at a clear angle, at a crossing 60 to 300 degrees
// round from the entry: farther along the line (|S| = 2, the line runs
// outwards) or nearer (|S| = 1, it runs into the circle). A corner of radius
// rc there lies on the side the arc comes from; when that is the cap the
// line cuts off, the cap is made deep enough for it.
struct CircleExitLine {
  double angle;  // typed
  Vec2 crossing;
  int markSize;
};
inline CircleExitLine ExitLine(Dice& dice, Vec2 centre, double r, double entryAngle, double rc) {
  const double radius = std::fabs(r);
  for (;;) {
    const double aq = dice.LineAngle();
    const bool far = dice.Coin();
    const double delta = dice.Sign() * dice.Uniform(20, 60);
    const double phi = far ? aq - delta : aq + 180 - delta;
    if (std::fabs(Normalized(phi - entryAngle)) < 60) continue;
    const Vec2 crossing = centre + radius * Dir(phi);
    // Turning into the circle, the corner lies left of the line for a
    // counter-clockwise circle, right for a clockwise one.
    const double centreSide = Cross(Dir(aq), centre - crossing);
    if (!far && (centreSide > 0) != (r > 0) && radius - std::fabs(centreSide) < 2 * rc + 0.5) continue;
    return {aq, crossing, far ? 2 : 1};
  }
}

// True when the path a -> b -> c turns back by more than 170 degrees.
inline bool FoldsBack(Vec2 a, Vec2 b, Vec2 c) { return Dot(Unit(b - a), Unit(c - b)) < -0.985; }

// --- the patterns ----------------------------------------------------------

// Point or entering line ending at E, "(C)", circle: the line from E runs to
// the centre and the corner joins it to the circle, outside (entry at the
// nearer crossing) or inside (the farther one).
inline PatternCase RadialLineCornerCircle(Dice& dice, bool enteringLine) {
  PatternCase c;
  const Vec2 centre = dice.Point(20);
  const double radius = Typed(dice.Uniform(8, 25));
  const double r = dice.Sign() * radius;
  const double rc = Typed(dice.Uniform(0.5, std::min(3.0, radius / 4)));
  const double a1 = dice.LineAngle();
  const double ua = a1 + dice.Sign() * dice.Uniform(20, 150);
  const Vec2 e = Typed(centre + -(radius + dice.Uniform(3 * rc + 3, 30)) * Dir(ua));
  const double mark = dice.Sign() * (1 + dice.Pick(2));
  const Vec2 v = e + -dice.Uniform(10, 30) * Dir(a1);
  Vec2 s0;
  if (enteringLine) {
    const double a0 = dice.NextAngle(a1);
    s0 = Typed(v + -dice.Uniform(10, 30) * Dir(a0));
    c.elements = {LineRow(s0, 1, a0), LineRow(e, 2, a1)};
    c.drawing = {VertexAt(s0), LineThrough(s0, Dir(a0)), LineThrough(e, Dir(a1)), VertexAt(e)};
  } else {
    s0 = Typed(v);
    c.elements = {PointRow(s0), PointRow(e)};
    c.drawing = {VertexAt(s0), LineThrough(s0, e - s0), VertexAt(e)};
  }
  c.elements.insert(c.elements.end(), {CornerItemRow(rc), CircleRow(centre, r, mark)});
  c.drawing.insert(c.drawing.end(), {LineThrough(e, centre - e), CornerOf(rc), ArcOf(centre, r)});
  LeaveCircleAndClose(dice, c, centre, r, s0);
  return c;
}

// Circle, "(C)", then the line after the corner: a leaving line (with or
// without a corner R of its own at the same joint, which the item's corner
// replaces) followed by an entering line, or a point P and a point Q.
enum class AfterCorner { kLeavingLine, kLeavingLineWithRadius, kPointThenPoint };
inline PatternCase CircleCornerLine(Dice& dice, AfterCorner after) {
  PatternCase c;
  const Vec2 centre = dice.Point(20);
  const double radius = Typed(dice.Uniform(10, 30));
  const double r = dice.Sign() * radius;
  const double rc = Typed(dice.Uniform(0.5, 2));
  const CircleEntry in = EnterCircle(dice, c, centre, radius);
  const CircleExitLine out = ExitLine(dice, centre, r, in.entryAngle, rc);
  const Vec2 dq = Dir(out.angle);
  const double length = dice.Uniform(5 * rc + 5, 5 * rc + 30);
  const Vec2 p = Typed(out.crossing + dice.Uniform(-20, length - 5 * rc - 3) * dq);
  c.elements.insert(c.elements.end(), {CircleRow(centre, r, in.markSign * out.markSize), CornerItemRow(rc)});
  c.drawing.insert(c.drawing.end(), {ArcOf(centre, r), CornerOf(rc)});
  if (after == AfterCorner::kPointThenPoint) {
    const Vec2 q = Typed(out.crossing + length * dq);
    if (FoldsBack(p, q, in.start)) return CircleCornerLine(dice, after);
    c.elements.insert(c.elements.end(), {PointRow(p), PointRow(q), PointRow(in.start), kPatternEnd});
    c.drawing.insert(c.drawing.end(), {LineThrough(p, q - p), VertexAt(q)});
    c.drawing.insert(c.drawing.end(), {LineThrough(q, in.start - q), VertexAt(in.start)});
    return c;
  }
  const double cornerR = after == AfterCorner::kLeavingLineWithRadius ? Typed(dice.Uniform(0.5, 3)) : 0;
  const double a2 = dice.NextAngle(out.angle);
  const Vec2 w = out.crossing + length * dq;
  const Vec2 e = Typed(w + dice.Uniform(10, 30) * Dir(a2));
  if (FoldsBack(w, e, in.start)) return CircleCornerLine(dice, after);
  c.elements.insert(c.elements.end(),
                    {LineRow(p, 1, out.angle, cornerR), LineRow(e, 2, a2), PointRow(in.start), kPatternEnd});
  c.drawing.insert(c.drawing.end(), {LineThrough(p, dq), LineThrough(e, Dir(a2)), VertexAt(e),
                                     LineThrough(e, in.start - e), VertexAt(in.start)});
  return c;
}

// Leaving line, "(C)", leaving line with a corner R of its own: both corners
// are asked at the one joint; the item's corner is made.
inline PatternCase LineCornerLineWithRadius(Dice& dice) {
  PatternCase c;
  const double rc = Typed(dice.Uniform(0.5, 3));
  const Vec2 v = dice.Point(20);
  const double a0 = dice.LineAngle();
  const double a2 = dice.NextAngle(a0);
  const double a3 = dice.NextAngle(a2);
  const Vec2 s0 = Typed(v + -dice.Uniform(4 * rc + 5, 30) * Dir(a0));
  const Vec2 p = Typed(v + dice.Uniform(-10, 10) * Dir(a2));
  const Vec2 w = v + dice.Uniform(4 * rc + 5, 30) * Dir(a2);
  const Vec2 e = Typed(w + dice.Uniform(10, 30) * Dir(a3));
  if (FoldsBack(w, e, s0)) return LineCornerLineWithRadius(dice);
  c.elements = {LineRow(s0, 1, a0), CornerItemRow(rc), LineRow(p, 1, a2, Typed(dice.Uniform(0.5, 3))),
                LineRow(e, 2, a3), PointRow(s0), kPatternEnd};
  c.drawing = {VertexAt(s0), LineThrough(s0, Dir(a0)), CornerOf(rc), LineThrough(p, Dir(a2)),
               LineThrough(e, Dir(a3)), VertexAt(e), LineThrough(e, s0 - e), VertexAt(s0)};
  return c;
}

// Entering line to E, "(C)", point P, point Q: the corner is made at P
// between the segments E-P and P-Q.
inline PatternCase EnteringLineCornerPointPoint(Dice& dice) {
  PatternCase c;
  const double rc = Typed(dice.Uniform(0.5, 3));
  const Vec2 v = dice.Point(20);
  const double a0 = dice.LineAngle();
  const double a1 = dice.NextAngle(a0);
  const double a2 = dice.NextAngle(a1);
  const double a3 = dice.NextAngle(a2);
  const Vec2 s0 = Typed(v + -dice.Uniform(10, 30) * Dir(a0));
  const Vec2 e = Typed(v + dice.Uniform(10, 30) * Dir(a1));
  const Vec2 p = Typed(e + dice.Uniform(4 * rc + 5, 30) * Dir(a2));
  const Vec2 q = Typed(p + dice.Uniform(4 * rc + 5, 30) * Dir(a3));
  if (FoldsBack(p, q, s0)) return EnteringLineCornerPointPoint(dice);
  c.elements = {LineRow(s0, 1, a0), LineRow(e, 2, a1), CornerItemRow(rc), PointRow(p), PointRow(q), PointRow(s0),
                kPatternEnd};
  c.drawing = {VertexAt(s0),  LineThrough(s0, Dir(a0)), LineThrough(e, Dir(a1)), VertexAt(e),
               LineThrough(e, p - e), CornerOf(rc), LineThrough(p, q - p), VertexAt(q),
               LineThrough(q, s0 - q), VertexAt(s0)};
  return c;
}

// Circle A, "(C)", point P, circle B: the corner joins A to the line from P
// that touches B.
inline PatternCase CircleCornerPointCircle(Dice& dice) {
  PatternCase c;
  const Vec2 ca = dice.Point(20);
  const double radius = Typed(dice.Uniform(10, 25));
  const double ra = dice.Sign() * radius;
  const double rc = Typed(dice.Uniform(0.5, 2));
  const CircleEntry in = EnterCircle(dice, c, ca, radius);
  const CircleExitLine out = ExitLine(dice, ca, ra, in.entryAngle, rc);
  const Vec2 dq = Dir(out.angle);
  const Vec2 p = Typed(out.crossing + dice.Uniform(5 * rc + 5, 5 * rc + 20) * dq);
  // B touches the line beyond P, on its left for a positive radius.
  const double rb = dice.Sign() * Typed(dice.Uniform(3, 15));
  const Vec2 cb = Typed(p + dice.Uniform(5, 25) * dq + rb * Left(dq));
  c.elements.insert(c.elements.end(), {CircleRow(ca, ra, in.markSign * out.markSize), CornerItemRow(rc),
                                       PointRow(p), CircleRow(cb, rb, 1)});
  c.drawing.insert(c.drawing.end(), {ArcOf(ca, ra), CornerOf(rc), TangentThrough(p), ArcOf(cb, rb)});
  LeaveCircleAndClose(dice, c, cb, rb, in.start);
  return c;
}

// Circle A, "(C)", circle B with a corner that touches both: built from the
// corner centre K outwards. The corner centre lies |r - Rc| from each centre;
// the mark of B picks the side of the line A-B where K lies.
inline PatternCase CircleCornerCircle(Dice& dice) {
  PatternCase c;
  const double rc = Typed(dice.Uniform(0.5, 3));
  const Vec2 k = dice.Point(15);
  const double ra = dice.Sign() * Typed(dice.Uniform(5, 20));
  const double rb = dice.Sign() * Typed(dice.Uniform(5, 20));
  const double aa = dice.Uniform(-180, 180);
  const double ab = aa + dice.Sign() * dice.Uniform(40, 140);
  const Vec2 ca = Typed(k + std::fabs(ra - rc) * Dir(aa));
  const Vec2 cb = Typed(k + std::fabs(rb - rc) * Dir(ab));
  // The corner's cosine at A is rounded to 5 places: a small angle at A
  // between B and K would move K by more than the input's last decimal.
  if (std::fabs(Cross(Unit(cb - ca), Unit(k - ca))) < 0.25) return CircleCornerCircle(dice);
  const double side = Cross(cb - ca, k - ca) > 0 ? 1 : -1;
  const CircleEntry in = EnterCircle(dice, c, ca, std::fabs(ra));
  c.elements.insert(c.elements.end(), {CircleRow(ca, ra, in.markSign), CornerItemRow(rc),
                                       CircleRow(cb, rb, side * (ra - rc > 0 ? 1 : -1) * (1 + dice.Pick(2)))});
  c.drawing.insert(c.drawing.end(), {ArcOf(ca, ra), CornerOf(rc), ArcOf(cb, rb)});
  LeaveCircleAndClose(dice, c, cb, rb, in.start);
  // The corner's cosine is rounded to 5 places: its points lie within the
  // input's last decimal.
  c.tolerance = {1e-3, 2e-3};
  return c;
}

// Two circles without an item between them that cross: they meet
// at the crossing the mark of B picks (left of the line A-B when its sign
// and the sign of A's radius agree).
inline PatternCase OverlappingCircles(Dice& dice) {
  PatternCase c;
  const Vec2 ca = dice.Point(20);
  const double ra = dice.Sign() * Typed(dice.Uniform(5, 20));
  const double rb = dice.Sign() * Typed(dice.Uniform(5, 20));
  const double lo = std::fabs(std::fabs(ra) - std::fabs(rb)) + 1, hi = std::fabs(ra) + std::fabs(rb) - 1;
  const double d = dice.Uniform(lo, std::max(lo, hi));
  const Vec2 cb = Typed(ca + d * Dir(dice.LineAngle()));
  const double side = dice.Sign();
  const CircleEntry in = EnterCircle(dice, c, ca, std::fabs(ra));
  c.elements.insert(c.elements.end(),
                    {CircleRow(ca, ra, in.markSign), CircleRow(cb, rb, side * (ra > 0 ? 1 : -1) * (1 + dice.Pick(2)))});
  // The crossing item of radius 0.001 leaves its first tangent point on A,
  // within some 0.002 of B and (where the circles meet at a small angle) a
  // few hundredths from the crossing.
  constexpr double kCrossingSlack = 0.0025;
  c.drawing.push_back(ArcOf(ca, ra));
  {
    const Vec2 u = Unit(cb - ca);
    const double dist = Length(cb - ca);
    const double along = (dist * dist + ra * ra - rb * rb) / (2 * dist);
    const Vec2 crossing = ca + along * u + side * std::sqrt(ra * ra - along * along) * Left(u);
    c.drawing.push_back(VertexAt(crossing, 0.1));
  }
  c.drawing.push_back(ArcOf(cb, rb, kCrossingSlack));
  LeaveCircleAndClose(dice, c, cb, rb, in.start);
  return c;
}

// --- lists that cannot be drawn as typed: a message and a sound contour ---

// Corner R at V between A and B that lie on one line in decimals.
inline PatternCase CollinearCornerRadius(Dice& dice) {
  PatternCase c;
  // Whole thousandths, so that the three points are collinear in decimals.
  const auto thousandths = [&](double range) {
    return static_cast<long>(std::lround(dice.Uniform(-range, range) * 1000));
  };
  long sx, sy;
  do {
    sx = thousandths(12);
    sy = thousandths(12);
  } while (std::hypot(sx, sy) < 3000);
  const long ax = thousandths(30), ay = thousandths(30);
  const long m = 1 + dice.Pick(3), n = 1 + dice.Pick(3);
  const Vec2 a{ax / 1000.0, ay / 1000.0};
  const Vec2 v{(ax + m * sx) / 1000.0, (ay + m * sy) / 1000.0};
  const Vec2 b{(ax + (m + n) * sx) / 1000.0, (ay + (m + n) * sy) / 1000.0};
  const Vec2 step{sx / 1000.0, sy / 1000.0};
  const Vec2 off = Typed(b + dice.Uniform(10, 30) * Left(Unit(step)));
  if (FoldsBack(b, off, a)) return CollinearCornerRadius(dice);
  c.elements = {PointRow(a), PointRow(v, Typed(dice.Uniform(0.5, 3))), PointRow(b), PointRow(off), PointRow(a),
                kPatternEnd};
  c.drawing = {VertexAt(a), LineThrough(a, step), VertexAt(v), LineThrough(v, step), VertexAt(b),
               LineThrough(b, off - b), VertexAt(off), LineThrough(off, a - off), VertexAt(a)};
  c.messages = {ConstructionMessage(2, conv2_reason::kCornerDoesNotFit)};
  return c;
}

// Corner R too big for the segments at its vertex, alone or after a corner
// that takes part of the segment before it.
inline PatternCase CornerTooBig(Dice& dice) {
  PatternCase c;
  const Vec2 a = dice.Point(20);
  const double a1 = dice.LineAngle();
  const double a2 = dice.NextAngle(a1);
  const double a3 = dice.NextAngle(a2);
  const Vec2 v1 = Typed(a + dice.Uniform(5, 20) * Dir(a1));
  const Vec2 v2 = Typed(v1 + dice.Uniform(8, 20) * Dir(a2));
  const Vec2 b = Typed(v2 + dice.Uniform(5, 20) * Dir(a3));
  if (FoldsBack(v2, b, a)) return CornerTooBig(dice);
  // Tangent length of a corner R at a vertex turning by `turn`: R tan(turn / 2).
  const auto tangentLength = [](Vec2 in, Vec2 out) {
    const double turn = std::acos(std::max(-1.0, std::min(1.0, Dot(Unit(in), Unit(out)))));
    return std::tan(turn / 2);
  };
  const double t1 = tangentLength(v1 - a, v2 - v1);
  const double t2 = tangentLength(v2 - v1, b - v2);
  const double room = std::min(Length(v2 - v1), Length(b - v2));
  if (dice.Coin()) {
    // Too big alone.
    const double r = Typed(dice.Uniform(1.1, 2.5) * room / t2);
    c.elements = {PointRow(a), PointRow(v1), PointRow(v2, r), PointRow(b), PointRow(a), kPatternEnd};
    c.drawing = {VertexAt(a), LineThrough(a, v1 - a), VertexAt(v1), LineThrough(v1, v2 - v1), VertexAt(v2),
                 LineThrough(v2, b - v2), VertexAt(b), LineThrough(b, a - b), VertexAt(a)};
    c.messages = {ConstructionMessage(3, conv2_reason::kCornerDoesNotFit)};
    return c;
  }
  // The first corner takes 60 to 90 % of the segment between the vertices
  // (and fits before it); the second asks for 30 to 60 % more than is left.
  const double between = Length(v2 - v1);
  const double firstLength = std::min(dice.Uniform(0.6, 0.9) * between, 0.9 * Length(v1 - a));
  const double r1 = Typed(firstLength / t1);
  const double left = between - r1 * t1;
  const double r2 = Typed(dice.Uniform(1.3, 1.6) * left / t2);
  if (r2 * t2 > 0.9 * Length(b - v2) || r2 < 0.01 || r1 < 0.01) return CornerTooBig(dice);
  c.elements = {PointRow(a), PointRow(v1, r1), PointRow(v2, r2), PointRow(b), PointRow(a), kPatternEnd};
  c.drawing = {VertexAt(a), LineThrough(a, v1 - a), CornerOf(r1), LineThrough(v1, v2 - v1), VertexAt(v2),
               LineThrough(v2, b - v2), VertexAt(b), LineThrough(b, a - b), VertexAt(a)};
  c.messages = {ConstructionMessage(5, conv2_reason::kCornerDoesNotFit)};
  return c;
}

// Circle A, then circle B that cannot be joined by the corner asked between
// them: a typed "(C)" whose shifted circles lie apart or one inside the
// other, or no item at all and B inside A. The arcs end on their circles and
// meet at their crossing when they have one, else are joined by a segment.
inline PatternCase CirclesWithoutCorner(Dice& dice) {
  PatternCase c;
  const int kind = dice.Pick(3);  // 0: apart, 1: nested, 2: nested without an item
  double ra, rb, rc, d;
  for (;;) {
    ra = dice.Sign() * Typed(dice.Uniform(kind == 0 ? 5 : 10, 20));
    rb = dice.Sign() * Typed(dice.Uniform(kind == 0 ? 5 : 2, kind == 0 ? 20 : 8));
    rc = kind == 2 ? 0.001 : Typed(dice.Uniform(0.5, 3));
    const double sa = std::fabs(ra - rc), sb = std::fabs(rb - rc);
    if (kind == 0) {
      d = sa + sb + dice.Uniform(0.5, 10);
      break;
    }
    if (std::fabs(sa - sb) >= 1.5 && std::fabs(ra) - std::fabs(rb) >= 1.5) {
      d = dice.Uniform(0.5, std::min(std::fabs(sa - sb), std::fabs(ra) - std::fabs(rb)) - 0.5);
      break;
    }
  }
  const Vec2 ca = dice.Point(20);
  const Vec2 cb = Typed(ca + d * Dir(dice.Uniform(-180, 180)));
  const CircleEntry in = EnterCircle(dice, c, ca, std::fabs(ra));
  c.elements.push_back(CircleRow(ca, ra, in.markSign));
  if (kind != 2) c.elements.push_back(CornerItemRow(rc));
  c.elements.push_back(CircleRow(cb, rb, dice.Sign() * (1 + dice.Pick(2))));
  const double dist = Length(cb - ca);
  const bool meet = dist <= std::fabs(ra) + std::fabs(rb) && dist >= std::fabs(std::fabs(ra) - std::fabs(rb));
  c.drawing.push_back(ArcOf(ca, ra));
  if (!meet) c.drawing.push_back(JoinSegment());
  c.drawing.push_back(ArcOf(cb, rb));
  LeaveCircleAndClose(dice, c, cb, rb, in.start);
  c.messages = {ConstructionMessage(5, conv2_reason::kCircleCircleCorner)};
  return c;
}

// A leaving line that crosses its circle with the mark 0 (which asks for a
// tangent): the nearer crossing is taken with a message. A line that is a
// tangent in decimals (axis-parallel, touching) keeps the mark 0 silently.
inline PatternCase ZeroMarkOnACircle(Dice& dice) {
  PatternCase c;
  const Vec2 centre = dice.Point(20);
  const double radius = Typed(dice.Uniform(5, 25));
  const double r = dice.Sign() * radius;
  if (dice.Coin()) {
    const int quarter = dice.Pick(4);
    const double a0 = 90.0 * quarter - 90;  // -90, 0, 90, 180
    const Vec2 d0 = Dir(a0);
    const Vec2 touch = centre + dice.Sign() * radius * Left(d0);
    const Vec2 s0 = Typed(touch + -dice.Uniform(5, 25) * d0);
    c.elements = {LineRow(s0, 1, a0), CircleRow(centre, r, 0)};
    c.drawing = {VertexAt(s0), LineThrough(s0, d0), VertexAt(touch), ArcOf(centre, r)};
    LeaveCircleAndClose(dice, c, centre, r, s0);
    return c;
  }
  // Through the circle at least 0.2 inside.
  const double a0 = dice.LineAngle();
  const Vec2 d0 = Dir(a0);
  const Vec2 foot = centre + dice.Sign() * dice.Uniform(0, radius - 0.2) * Left(d0);
  const Vec2 s0 = Typed(foot + -(radius + dice.Uniform(5, 25)) * d0);
  const Crossings x = LineCircleCrossings(s0, d0, centre, radius);
  c.elements = {LineRow(s0, 1, a0), CircleRow(centre, r, 0)};
  c.drawing = {VertexAt(s0), LineThrough(s0, d0), VertexAt(s0 + x.t1 * d0), ArcOf(centre, r)};
  LeaveCircleAndClose(dice, c, centre, r, s0);
  c.messages = {ConstructionMessage(2, conv2_reason::kCrossingWithZeroMark)};
  return c;
}

// Every pattern, by name.
struct Pattern {
  const char* name;
  std::function<PatternCase(Dice&)> make;
};
inline std::ostream& operator<<(std::ostream& out, const Pattern& p) { return out << p.name; }
inline std::vector<Pattern> AllPatterns() {
  return {
      {"EnteringLineCornerItemCircle", [](Dice& d) { return RadialLineCornerCircle(d, true); }},
      {"CircleCornerItemPointPoint", [](Dice& d) { return CircleCornerLine(d, AfterCorner::kPointThenPoint); }},
      {"CollinearCornerRadius", CollinearCornerRadius},
      {"CircleCornerItemLeavingLineWithRadius",
       [](Dice& d) { return CircleCornerLine(d, AfterCorner::kLeavingLineWithRadius); }},
      {"LineCornerItemLeavingLineWithRadius", LineCornerLineWithRadius},
      {"CirclesWithoutCorner", CirclesWithoutCorner},
      {"ZeroMarkOnACircle", ZeroMarkOnACircle},
      {"CornerTooBig", CornerTooBig},
      {"CircleCornerItemLeavingLine", [](Dice& d) { return CircleCornerLine(d, AfterCorner::kLeavingLine); }},
      {"CircleCornerItemPointCircle", CircleCornerPointCircle},
      {"PointCornerItemCircle", [](Dice& d) { return RadialLineCornerCircle(d, false); }},
      {"EnteringLineCornerItemPointPoint", EnteringLineCornerPointPoint},
      {"OverlappingCircles", OverlappingCircles},
      {"CircleCornerItemCircle", CircleCornerCircle},
  };
}

}  // namespace vx::test
