// Random drafted outlines and the element lists an operator types for them (values to 3 decimals).
#pragma once

#include <functional>
#include <random>
#include <string>
#include <vector>

#include "drafting_geometry.h"

namespace vx::drafting {

// One element row as typed: X, Y, code, P1, P2 of the element file.
struct Element {
  double x = 0, y = 0, code = 0, p1 = 0, p2 = 0;
};

// A value as the operator types it: 3 decimals.
inline double Typed(double v) { return std::round(v * 1000) / 1000; }
inline Pt Typed(Pt p) { return {Typed(p.x), Typed(p.y)}; }

class Dice {
 public:
  explicit Dice(unsigned seed) : m_rng(seed) {}
  double Uniform(double lo, double hi) { return std::uniform_real_distribution<double>(lo, hi)(m_rng); }
  int Pick(int n) { return static_cast<int>(m_rng() % static_cast<unsigned>(n)); }
  bool Chance(double p) { return Uniform(0, 1) < p; }
  bool Coin() { return Pick(2) == 0; }
  double Sign() { return Coin() ? 1 : -1; }

 private:
  std::mt19937 m_rng;
};

// What the list leaves the outline at after an element: a point (the next
// element's own point gives the line out of it), a line still running (the
// next element meets it), or a circle still being travelled.
enum class Ctx { kPoint, kLine, kCircle };

// Builds one element list step by step together with the outline it
// describes. A step that cannot place its geometry sets ok to false and the
// caller starts again.
class Walk {
 public:
  explicit Walk(Dice& dice) : m_dice(dice) {}

  static constexpr double kMinStep = 4, kMaxStep = 40;
  // Two crossing circles meet at the first tangent point of a corner of
  // radius 0.001: on the first circle, up to 0.002 off the second.
  static constexpr double kCrossingStartSlack = 0.002;

  bool ok = true;
  std::vector<Element> rows;
  std::vector<std::vector<Piece>> paths;  // finished sub-paths, corners not yet made
  std::vector<Piece> pieces;              // the sub-path being built
  Ctx ctx = Ctx::kPoint;
  std::string lastStep;

  // --- starts -------------------------------------------------------------
  void StartPoint() {
    m_start = m_v = Typed(Pt{U(-80, 80), U(-80, 80)});
    Row(m_v, 0, 0, 0);
    ctx = Ctx::kPoint;
  }
  void StartLeaving() {
    m_start = m_v = Typed(Pt{U(-80, 80), U(-80, 80)});
    const double a = Angle(nullptr);
    Row(m_v, 1, a, 0);
    SetLine(m_v, Heading(a), 0);
  }

  // --- from a point ---------------------------------------------------------
  void PointToPoint(double corner) {
    const Pt q = Typed(m_v + Length() * Heading(Angle(In())));
    AddLine(q, corner);
    Row(q, 0, 0, corner);
  }
  void PointToLeaving(double corner) {
    const Pt u = Heading(Angle(In()));
    const Pt q = Typed(m_v + Length() * u);
    AddLine(q, corner);
    const double b = Angle(&u);
    Row(q, 1, b, corner);
    SetLine(q, Heading(b), 0);
  }
  // An entering line typed along the segment from the point to its end.
  void PointToEntering(double corner) {
    const Pt e = Typed(m_v + Length() * Heading(Angle(In())));
    const double a = TypedAngle(AngleOf(e - m_v));
    AddLine(e, corner);
    Row(e, 2, a, corner);
  }
  // A circle reached on the tangent from the point.
  void PointToCircle() {
    const Pt u = Heading(Angle(In()));
    const double r = Radius();
    const Pt c = Typed(m_v + Length() * u + r * Left(u));
    AddLine(TouchPoint(c, r, TangentFromPoint(m_v, c, r)), 0);
    EnterCircle(c, r, m_dice.Sign());
  }
  // A corner R of the element's own after a "(C)" item asks for the same
  // joint: the item's corner is made.
  void PointCornerToPoint(double rc, double corner) {
    Row({}, 5, 0, rc);
    PointToPoint(corner);
    pieces.back().fillet = rc;
  }
  void PointCornerToLeaving(double rc, double corner) {
    Row({}, 5, 0, rc);
    PointToLeaving(corner);
    pieces.back().fillet = rc;
  }
  // The line from the point runs towards the centre; the corner is where it meets the circle.
  void PointCornerToCircle(double rc) {
    const Pt u = Heading(Angle(In()));
    const double r = Radius();
    const Pt c = Typed(m_v + (std::fabs(r) + Length() + 2 * rc) * u);
    Row({}, 5, 0, rc);
    const Line l{m_v, Unit(c - m_v)};
    double t1 = 0, t2 = 0;
    LineMeetsCircle(l, c, std::fabs(r), t1, t2);
    const bool far = m_dice.Coin();
    AddLine(At(l, far ? t2 : t1), rc);
    EnterCircle(c, r, far ? 1 : -1);
  }

  // --- from a running line ----------------------------------------------------
  void LineToPoint(double corner) {
    const Pt q = Typed(At(m_line, m_ahead + Length()));
    AddLine(q, corner);
    Row(q, 0, 0, corner);
  }
  void LineToLeaving(double corner) {
    const Pt w = At(m_line, m_ahead + Length());
    const double b = Angle(&m_line.d);
    const Pt e = Heading(b);
    // The line's point: its start, or any point of it, behind or ahead.
    const Pt x = Typed(w + (m_dice.Coin() ? 0 : U(-10, 8)) * e);
    const Pt w2 = Meet(Line{x, e});
    AddLine(w2, corner);
    Row(x, 1, b, corner);
    SetLine(w2, e, std::max(0.0, Dot(x - w2, e)));
  }
  void LineToEntering(double corner) {
    const Pt w = At(m_line, m_ahead + Length());
    const double b = Angle(&m_line.d);
    const Pt e = Heading(b);
    const Pt end = Typed(w + Length() * e);
    const Pt w2 = Meet(Line{end, e});
    if (Dot(end - w2, e) < kMinStep / 2) ok = false;
    AddLine(w2, 0);
    AddLine(end, corner);
    Row(end, 2, b, corner);
    ctx = Ctx::kPoint;
  }
  // A line at angle b through the reference point, shifted by B to its left.
  void LineToParallel() {
    const Pt w = At(m_line, m_ahead + Length());
    const double b = Angle(&m_line.d);
    ParallelAngle(b);
    const Pt e = Heading(b);
    const double shift = Typed(m_dice.Sign() * U(1, 20));
    const Pt x = Typed(w - shift * Left(e) + U(-10, 10) * e);
    const Pt w2 = Meet(Line{x + shift * Left(e), e});
    AddLine(w2, 0);
    Row(x, 3, b, shift);
    SetLine(w2, e, 0);
  }
  // A circle the line crosses, entered at the nearer crossing (mark < 0) or the farther one (mark > 0).
  void LineToCircle(double rc) {
    const double r = Radius();
    const double h = U(-0.85, 0.85) * std::fabs(r);
    const double w = std::sqrt(r * r - h * h);
    const Pt c = Typed(At(m_line, m_ahead + kMinStep + 3 * rc + w + U(0, kMaxStep)) + h * Left(m_line.d));
    if (rc > 0) Row({}, 5, 0, rc);
    double t1 = 0, t2 = 0;
    if (!LineMeetsCircle(m_line, c, std::fabs(r), t1, t2)) ok = false;
    const bool far = m_dice.Coin();
    const double t = far ? t2 : t1;
    if (t < m_ahead + kMinStep / 2) ok = false;
    AddLine(At(m_line, t), rc);
    EnterCircle(c, r, far ? 1 : -1);
  }
  // A circle the line touches (mark 0), travelled on from the touching point.
  // Exactly typed when the line is horizontal or vertical through typed values.
  void LineToCircleTangent() {
    const double side = m_dice.Sign();
    const double r = side * Typed(U(3, 25));
    const Pt foot = At(m_line, m_ahead + Length());
    const Pt c = Typed(foot + r * Left(m_line.d));
    AddLine(m_line.p + Dot(c - m_line.p, m_line.d) * m_line.d, 0);
    EnterCircle(c, r, 0);
    // The entry is the foot of the perpendicular, as far off the circle as
    // the typed line misses it.
    m_arcSlack = std::fabs(Len(pieces.back().b - c) - std::fabs(r));
  }
  bool LineIsAxisParallel() const { return std::fabs(m_line.d.x) < 1e-12 || std::fabs(m_line.d.y) < 1e-12; }
  void LineCornerToPoint(double rc, double corner) {
    Row({}, 5, 0, rc);
    LineToPoint(corner);
    pieces.back().fillet = rc;
  }
  void LineCornerToLeaving(double rc, double corner) {
    Row({}, 5, 0, rc);
    LineToLeaving(corner);
    pieces.back().fillet = rc;
  }
  void LineCornerToEntering(double rc, double corner) {
    Row({}, 5, 0, rc);
    LineToEntering(corner);
    pieces[pieces.size() - 2].fillet = rc;
  }
  void LineCornerToParallel(double rc) {
    Row({}, 5, 0, rc);
    LineToParallel();
    pieces.back().fillet = rc;
  }

  // --- from a circle ------------------------------------------------------------
  void CircleToPoint(double corner) {
    const Pt x = ExitPoint();
    const Pt q = Typed(x + Length() * ArcHeading(m_c, m_r, x));
    SetMark(m_dice.Coin());
    AddArc(TouchPoint(m_c, m_r, TangentToPoint(m_c, m_r, q)));
    AddLine(q, corner);
    Row(q, 0, 0, corner);
  }
  // A leaving line through a point of the tangent, at the tangent's angle.
  void CircleToLeaving() {
    const Pt x = ExitPoint();
    const Pt t = ArcHeading(m_c, m_r, x);
    const Pt q = Typed(x + Length() * t);
    const double b = TypedAngle(AngleOf(t));
    SetMark(m_dice.Coin());
    AddArc(TouchPoint(m_c, m_r, TangentToPoint(m_c, m_r, q)));
    AddLine(q, 0);
    Row(q, 1, b, 0);
    SetLine(q, Heading(b), 0);
  }
  void CircleToEntering(double corner) {
    ExitLine exit = MakeExitLine();
    const Pt end = Typed(exit.x + Length() * exit.e);
    const Pt x2 = Crossing(Line{end, exit.e}, exit.far);
    if (Dot(end - x2, exit.e) < kMinStep / 2) ok = false;
    SetMark(exit.far);
    AddArc(x2);
    AddLine(end, corner);
    Row(end, 2, exit.angle, corner);
  }
  void CircleToParallel() {
    ExitLine exit = MakeExitLine();
    ParallelAngle(exit.angle);
    const double shift = Typed(m_dice.Sign() * U(1, 20));
    const Pt x = Typed(exit.x - shift * Left(exit.e) + U(-5, 15) * exit.e);
    const Line l{x + shift * Left(exit.e), exit.e};
    const Pt x2 = Crossing(l, exit.far);
    SetMark(exit.far);
    AddArc(x2);
    Row(x, 3, exit.angle, shift);
    SetLine(x2, exit.e, 0);
  }
  // The next circle apart from this one: the common tangent between them.
  void CircleToCircleApart() {
    const Pt x = ExitPoint();
    const Pt t = ArcHeading(m_c, m_r, x);
    const double r2 = Radius();
    const Pt c2 = Typed(x + Length() * t + r2 * Left(t));
    if (Len(c2 - m_c) <= std::fabs(m_r) + std::fabs(r2) + 0.5) ok = false;
    const Pt u = TangentBetween(m_c, m_r, c2, r2);
    SetMark(m_dice.Coin());
    AddArc(TouchPoint(m_c, m_r, u));
    AddLine(TouchPoint(c2, r2, u), 0);
    EnterCircle(c2, r2, m_dice.Sign());
  }
  // The next circle crosses this one; its mark's sign picks the crossing.
  void CircleToCircleCrossing() {
    Pt c2;
    double r2;
    const Pt x = CrossingCircle(c2, r2);
    SetMark(m_dice.Coin());
    AddArc(x);
    EnterCircle(c2, r2, CrossingSide(c2, x, m_r - 0.001));
    m_arcSlack = kCrossingStartSlack;
  }
  // The next circle touches this one: outside with the other direction, or
  // inside with the same direction (a smooth change of circle).
  void CircleToCircleTouching() {
    const Pt n = Heading(90.0 * m_dice.Pick(4));
    const double r1 = std::fabs(m_r);
    const bool outside = r1 < 4 || m_dice.Coin();
    const double size = outside ? Typed(U(3, 25)) : Typed(U(2, r1 - 1.5));
    if (size < 1) ok = false;
    const Pt c2 = Typed(m_c + (outside ? r1 + size : r1 - size) * n);
    const double r2 = (outside ? -1 : 1) * (m_r > 0 ? 1 : -1) * size;
    SetMark(m_dice.Coin());
    AddArc(m_c + r1 * n);
    EnterCircle(c2, r2, m_dice.Sign());
  }
  // The exit line of the circle after a "(C)" item given by two points.
  void CircleCornerToPointPoint(double rc, bool thenLeaving, double corner) {
    ExitLine exit = MakeExitLine();
    const double s1 = U(3 * rc + 2, 15);
    const Pt q1 = Typed(exit.x + s1 * exit.e);
    const Pt q2 = Typed(exit.x + (s1 + Length()) * exit.e);
    const Line l{q1, Unit(q2 - q1)};
    const Pt x2 = Crossing(l, exit.far);
    Row({}, 5, 0, rc);
    Row(q1, 0, 0, 0);
    SetMark(exit.far);
    AddArc(x2, rc);
    AddLine(q1, 0);
    AddLine(q2, corner);
    if (thenLeaving) {
      const double b = Angle(&l.d);
      Row(q2, 1, b, corner);
      SetLine(q2, Heading(b), 0);
    } else {
      Row(q2, 0, 0, corner);
    }
  }
  void CircleCornerToLeaving(double rc, double corner) {
    ExitLine exit = MakeExitLine();
    // The line's point anywhere on it, before the crossing too.
    const Pt q = Typed(exit.x + U(-20, 20) * exit.e);
    const Line l{q, exit.e};
    const Pt x2 = Crossing(l, exit.far);
    Row({}, 5, 0, rc);
    SetMark(exit.far);
    AddArc(x2, rc);
    // A corner R of the line's own asks for the same joint: the item's is made.
    Row(q, 1, exit.angle, corner);
    SetLine(x2, exit.e, std::max(3 * rc, Dot(q - x2, exit.e)));
  }
  void CircleCornerToEntering(double rc, double corner) {
    ExitLine exit = MakeExitLine();
    const Pt end = Typed(exit.x + (3 * rc + Length()) * exit.e);
    const Pt x2 = Crossing(Line{end, exit.e}, exit.far);
    Row({}, 5, 0, rc);
    SetMark(exit.far);
    AddArc(x2, rc);
    AddLine(end, corner);
    Row(end, 2, exit.angle, corner);
  }
  void CircleCornerToParallel(double rc) {
    ExitLine exit = MakeExitLine();
    ParallelAngle(exit.angle);
    const double shift = Typed(m_dice.Sign() * U(1, 20));
    const Pt x = Typed(exit.x - shift * Left(exit.e) + U(-5, 15) * exit.e);
    const Line l{x + shift * Left(exit.e), exit.e};
    const Pt x2 = Crossing(l, exit.far);
    Row({}, 5, 0, rc);
    SetMark(exit.far);
    AddArc(x2, rc);
    Row(x, 3, exit.angle, shift);
    SetLine(x2, exit.e, 3 * rc);
  }
  // Two crossing circles rounded at the crossing: the item's radius carries
  // the turn (negative for a right turn), the second mark picks the side.
  void CircleCornerToCircle(double rc) {
    Pt c2;
    double r2;
    const Pt x = CrossingCircle(c2, r2);
    const double turn = Cross(ArcHeading(m_c, m_r, x), ArcHeading(c2, r2, x));
    const double rho = turn > 0 ? rc : -rc;
    const Piece in{true, m_v, x, m_c, m_r, rc};
    Piece out{true, x, {}, c2, r2, 0};
    out.b = c2 + std::fabs(r2) * Unit(Rotate(x - c2, (r2 > 0 ? 1 : -1) * Rad(120)));
    Fillet f;
    if (!ok || !MakeFillet(in, out, rc, f)) {
      ok = false;
      return;
    }
    // The shifted circles cross at 20 degrees at least (else their crossing,
    // the corner centre, moves far for the last decimal of a radius).
    if (std::fabs(Cross(Unit(f.c - m_c), Unit(f.c - c2))) < std::sin(Rad(20))) ok = false;
    Row({}, 5, 0, rho);
    SetMark(m_dice.Coin());
    AddArc(x, rc);
    EnterCircle(c2, r2, CrossingSide(c2, f.c, m_r - rho));
  }
  // Two circles apart joined by a corner arc outside both (a bridge).
  void CircleCornerToCircleApart(double rc) {
    const Pt x = ExitPoint();
    const Pt n = Unit(x - m_c);
    const double size = Typed(U(3, 25));
    const double r2 = (m_r > 0 ? 1 : -1) * size;
    const Pt c2 = Typed(m_c + (std::fabs(m_r) + U(0.2, 1.6) * rc + size) * n);
    const double rho = m_r > 0 ? -rc : rc;
    Pt left, right;
    if (!CirclesMeet(m_c, std::fabs(m_r - rho), c2, std::fabs(r2 - rho), left, right)) {
      ok = false;
      return;
    }
    const bool leftSide = m_dice.Coin();
    const Pt cf = leftSide ? left : right;
    const Pt t1 = m_c + (m_r / (m_r - rho)) * (cf - m_c);
    const Pt t2 = c2 + (r2 / (r2 - rho)) * (cf - c2);
    if (Sweep(cf, rho, t1, t2) >= 180) ok = false;
    Row({}, 5, 0, rho);
    SetMark(m_dice.Coin());
    AddArc(t1);
    pieces.push_back({true, t1, t2, cf, rho, 0});
    m_v = t2;
    EnterCircle(c2, r2, (leftSide ? 1 : -1) * (m_r - rho > 0 ? 1 : -1));
  }
  // A "(C)" item, a point and a circle: the line from the point touches the
  // next circle, and the corner joins it to this circle.
  void CircleCornerToPointCircle(double rc) {
    ExitLine exit = MakeExitLine();
    const double s1 = U(3 * rc + 2, 15);
    const Pt q = Typed(exit.x + s1 * exit.e);
    const double r2 = Radius();
    const Pt c2 = Typed(exit.x + (s1 + Length()) * exit.e + r2 * Left(exit.e));
    const Pt u = TangentFromPoint(q, c2, r2);
    const Pt x2 = Crossing(Line{q, u}, exit.far);
    Row({}, 5, 0, rc);
    Row(q, 0, 0, 0);
    SetMark(exit.far);
    AddArc(x2, rc);
    AddLine(q, 0);
    AddLine(TouchPoint(c2, r2, u), 0);
    EnterCircle(c2, r2, m_dice.Sign());
  }

  // --- end of a sub-path ----------------------------------------------------------
  // Back to the start point: a point, an entering line ending there, or the tangent from a circle.
  void Close() {
    if (ctx == Ctx::kLine) {
      if (m_dice.Coin()) {
        LineToPoint(0);
      } else {
        const Pt w = At(m_line, m_ahead + Length());
        const double b = TypedAngle(AngleOf(m_start - w));
        const Pt w2 = Meet(Line{m_start, Heading(b)});
        AddLine(w2, 0);
        AddLine(m_start, 0);
        Row(m_start, 2, b, 0);
        EndPath();
        return;
      }
    }
    if (ctx == Ctx::kCircle) {
      if (Len(m_start - m_c) < std::fabs(m_r) + 1) ok = false;
      SetMark(m_dice.Coin());
      AddArc(TouchPoint(m_c, m_r, TangentToPoint(m_c, m_r, m_start)));
    }
    AddLine(m_start, 0);
    Row(m_start, 0, 0, 0);
    EndPath();
  }
  void Separator() { Row({}, 88, 0, 0); }
  void End() { Row({}, 99, 0, 0); }

  // The outline with its corners made, after the plausibility checks every
  // drafted outline meets; false when this one does not.
  bool Outline(std::vector<std::vector<Piece>>& outline) const {
    if (!ok) return false;
    outline.clear();
    for (const std::vector<Piece>& path : paths) {
      for (size_t k = 0; k < path.size(); ++k) {
        const Piece& p = path[k];
        if (!p.arc && Len(p.b - p.a) < 1) return false;
        if (p.arc && (Sweep(p.c, p.r, p.a, p.b) < 8 || Sweep(p.c, p.r, p.a, p.b) > 345)) return false;
        if (k + 1 == path.size()) continue;
        const double turn = std::fabs(TurnAngle(EndHeading(p), StartHeading(path[k + 1])));
        if (turn > 165) return false;
        if (p.fillet > 0 && turn < 10) return false;
      }
      std::vector<Piece> made;
      if (!MakeCorners(path, made)) return false;
      // Corners that nearly use up a piece are left to the tests of corners that do not fit.
      for (const Piece& p : made) {
        if (PieceLength(p) < 0.3) return false;
      }
      outline.push_back(made);
    }
    return true;
  }

 private:
  struct ExitLine {
    Pt x, e;
    double angle = 0;
    bool far = false;
  };

  double U(double lo, double hi) { return m_dice.Uniform(lo, hi); }
  double Length() { return U(kMinStep, kMaxStep); }
  double Radius() { return m_dice.Sign() * Typed(U(3, 25)); }
  // An angle as typed: 3 decimals, in (-180, 180] or in [0, 360).
  double TypedAngle(double degrees) {
    double a = std::remainder(degrees, 360.0);
    if (a <= -180) a += 360;
    if (m_dice.Coin() && a < 0) a += 360;
    return Typed(a);
  }
  // A typed angle for a new direction: often a multiple of 45, turned 15 to
  // 150 degrees either way from `in` when there is one.
  double Angle(const Pt* in) {
    for (int k = 0; k < 500; ++k) {
      const double a = m_dice.Chance(0.4) ? 45.0 * m_dice.Pick(8) : U(-180, 180);
      if (in != nullptr) {
        const double turn = std::fabs(TurnAngle(*in, Heading(a)));
        if (turn < 15 || turn > 150) continue;
      }
      return TypedAngle(a);
    }
    ok = false;
    return 0;
  }
  // The shift of a parallel line is divided by its cosine to 6 places: within
  // half a degree of vertical (vertical itself aside) that rounding moves the
  // line by more than the judge's tolerance. Drawings do not have such lines.
  void ParallelAngle(double angle) {
    const double c = std::fabs(std::cos(Rad(angle)));
    if (c > 1e-9 && c < 0.01) ok = false;
  }
  const Pt* In() {
    if (pieces.empty()) return nullptr;
    m_in = EndHeading(pieces.back());
    return &m_in;
  }
  void Row(Pt p, int code, double p1, double p2) { rows.push_back({p.x, p.y, static_cast<double>(code), p1, p2}); }
  void AddLine(Pt to, double fillet) {
    pieces.push_back({false, m_v, to, {}, 0, fillet});
    m_v = to;
    ctx = Ctx::kPoint;
  }
  void AddArc(Pt to, double fillet = 0) {
    pieces.push_back({true, m_v, to, m_c, m_r, fillet, m_arcSlack});
    m_arcSlack = 0;
    m_v = to;
    ctx = Ctx::kPoint;
  }
  void SetLine(Pt at, Pt d, double ahead) {
    m_v = at;
    m_line = {at, d};
    m_ahead = ahead;
    ctx = Ctx::kLine;
  }
  // Where the running line meets `next`, at least a step ahead.
  Pt Meet(const Line& next) {
    const double t = CrossingParameter(m_line, next);
    // Lines that meet at a few degrees cross where their angles' last decimal decides.
    const bool glancing = std::fabs(Cross(m_line.d, next.d)) < std::sin(Rad(5));
    if (std::isnan(t) || glancing || t < m_ahead + kMinStep / 2) {
      ok = false;
      return m_v;
    }
    return At(m_line, t);
  }
  void EnterCircle(Pt c, double r, double entrySign) {
    m_c = c;
    m_r = r;
    m_entrySign = entrySign;
    m_circleRow = static_cast<int>(rows.size());
    Row(c, 8, r, 0);
    ctx = Ctx::kCircle;
  }
  // The mark of the pending circle: the entry's sign, and a size of 2 or more
  // for the farther exit crossing.
  void SetMark(bool far) {
    if (m_entrySign == 0) {
      if (far) ok = false;
      return;
    }
    const double size = far ? (m_dice.Coin() ? 2 : 3) : (m_dice.Coin() ? 1 : 1.5);
    rows[static_cast<size_t>(m_circleRow)].p2 = m_entrySign * size;
  }
  // A point of the pending circle 30 to 300 degrees on from where it was entered.
  Pt ExitPoint() {
    const double sweep = U(30, 300) * (m_r > 0 ? 1 : -1);
    return m_c + std::fabs(m_r) * Rotate(Unit(m_v - m_c), Rad(sweep));
  }
  ExitLine MakeExitLine() {
    ExitLine exit;
    exit.x = ExitPoint();
    const Pt t = ArcHeading(m_c, m_r, exit.x);
    exit.angle = TypedAngle(AngleOf(Rotate(t, Rad(m_dice.Sign() * U(20, 150)))));
    exit.e = Heading(exit.angle);
    exit.far = Dot(exit.e, exit.x - m_c) > 0;
    return exit;
  }
  // The nearer or farther crossing of a line with the pending circle.
  Pt Crossing(const Line& l, bool far) {
    double t1 = 0, t2 = 0;
    if (!LineMeetsCircle(l, m_c, std::fabs(m_r), t1, t2)) {
      ok = false;
      return m_v;
    }
    return At(l, far ? t2 : t1);
  }
  // A circle (c2, r2) crossing the pending one at a point 30 to 300 degrees
  // on, at 30 to 150 degrees; returns the crossing of the typed circles.
  Pt CrossingCircle(Pt& c2, double& r2) {
    const Pt x = ExitPoint();
    const Pt n2 = Rotate(Unit(x - m_c), Rad(m_dice.Sign() * U(30, 150)));
    const double size = Typed(U(3, 25));
    c2 = Typed(x - size * n2);
    r2 = m_dice.Sign() * size;
    const double d = Len(c2 - m_c);
    Pt left, right;
    if (d > std::fabs(m_r) + size - 0.3 || d < std::fabs(std::fabs(m_r) - size) + 0.3 ||
        !CirclesMeet(m_c, std::fabs(m_r), c2, size, left, right)) {
      ok = false;
      return x;
    }
    return Len(left - x) < Len(right - x) ? left : right;
  }
  // The sign of the second circle's mark that puts the corner centre (or
  // crossing) p on its side of the line of centres: the corner of the
  // circles turns to the left of that line when the mark and the first
  // circle's shifted radius agree in sign.
  double CrossingSide(Pt c2, Pt p, double shifted) const {
    const double side = Cross(c2 - m_c, p - m_c) > 0 ? 1 : -1;
    return side * (shifted > 0 ? 1 : -1);
  }

  Dice& m_dice;
  Pt m_start, m_v, m_in;
  Line m_line;
  double m_ahead = 0;
  Pt m_c;
  double m_r = 0;
  double m_entrySign = 1;
  double m_arcSlack = 0;  // start slack of the pending circle's arc
  int m_circleRow = -1;

  void EndPath() {
    paths.push_back(pieces);
    pieces.clear();
  }
};

// One step of a walk: the element(s) typed from a given state.
struct Step {
  const char* name;
  Ctx from;
  std::function<void(Walk&, Dice&)> run;
};

// A corner R as typed on a point or line: none, or 0.5 to 3.
inline double MaybeCorner(Dice& dice) { return dice.Chance(0.35) ? Typed(dice.Uniform(0.5, 3)) : 0; }
inline double CornerSize(Dice& dice) { return Typed(dice.Uniform(0.5, 3)); }

inline const std::vector<Step>& AllSteps() {
  using W = Walk;
  using D = Dice;
  static const std::vector<Step> steps = {
      {"PointToPoint", Ctx::kPoint, [](W& w, D& d) { w.PointToPoint(MaybeCorner(d)); }},
      {"PointToLeaving", Ctx::kPoint, [](W& w, D& d) { w.PointToLeaving(MaybeCorner(d)); }},
      {"PointToEntering", Ctx::kPoint, [](W& w, D& d) { w.PointToEntering(MaybeCorner(d)); }},
      {"PointToCircle", Ctx::kPoint, [](W& w, D&) { w.PointToCircle(); }},
      {"PointCornerToPoint", Ctx::kPoint, [](W& w, D& d) { w.PointCornerToPoint(CornerSize(d), MaybeCorner(d)); }},
      {"PointCornerToLeaving", Ctx::kPoint,
       [](W& w, D& d) { w.PointCornerToLeaving(CornerSize(d), MaybeCorner(d)); }},
      {"PointCornerToCircle", Ctx::kPoint, [](W& w, D& d) { w.PointCornerToCircle(CornerSize(d)); }},
      {"LineToPoint", Ctx::kLine, [](W& w, D& d) { w.LineToPoint(MaybeCorner(d)); }},
      {"LineToLeaving", Ctx::kLine, [](W& w, D& d) { w.LineToLeaving(MaybeCorner(d)); }},
      {"LineToEntering", Ctx::kLine, [](W& w, D& d) { w.LineToEntering(MaybeCorner(d)); }},
      {"LineToParallel", Ctx::kLine, [](W& w, D&) { w.LineToParallel(); }},
      {"LineToCircle", Ctx::kLine, [](W& w, D&) { w.LineToCircle(0); }},
      {"LineToCircleTangentAxis", Ctx::kLine,
       [](W& w, D&) {
         if (!w.LineIsAxisParallel()) w.ok = false;
         w.LineToCircleTangent();
       }},
      {"LineToCircleTangentSlanted", Ctx::kLine,
       [](W& w, D&) {
         if (w.LineIsAxisParallel()) w.ok = false;
         w.LineToCircleTangent();
       }},
      {"LineCornerToPoint", Ctx::kLine, [](W& w, D& d) { w.LineCornerToPoint(CornerSize(d), MaybeCorner(d)); }},
      {"LineCornerToLeaving", Ctx::kLine,
       [](W& w, D& d) { w.LineCornerToLeaving(CornerSize(d), MaybeCorner(d)); }},
      {"LineCornerToEntering", Ctx::kLine, [](W& w, D& d) { w.LineCornerToEntering(CornerSize(d), MaybeCorner(d)); }},
      {"LineCornerToParallel", Ctx::kLine, [](W& w, D& d) { w.LineCornerToParallel(CornerSize(d)); }},
      {"LineCornerToCircle", Ctx::kLine, [](W& w, D& d) { w.LineToCircle(CornerSize(d)); }},
      {"CircleToPoint", Ctx::kCircle, [](W& w, D& d) { w.CircleToPoint(MaybeCorner(d)); }},
      {"CircleToLeaving", Ctx::kCircle, [](W& w, D&) { w.CircleToLeaving(); }},
      {"CircleToEntering", Ctx::kCircle, [](W& w, D& d) { w.CircleToEntering(MaybeCorner(d)); }},
      {"CircleToParallel", Ctx::kCircle, [](W& w, D&) { w.CircleToParallel(); }},
      {"CircleToCircleApart", Ctx::kCircle, [](W& w, D&) { w.CircleToCircleApart(); }},
      {"CircleToCircleCrossing", Ctx::kCircle, [](W& w, D&) { w.CircleToCircleCrossing(); }},
      {"CircleToCircleTouching", Ctx::kCircle, [](W& w, D&) { w.CircleToCircleTouching(); }},
      {"CircleCornerToPointPoint", Ctx::kCircle,
       [](W& w, D& d) { w.CircleCornerToPointPoint(CornerSize(d), false, MaybeCorner(d)); }},
      {"CircleCornerToPointLeaving", Ctx::kCircle,
       [](W& w, D& d) { w.CircleCornerToPointPoint(CornerSize(d), true, MaybeCorner(d)); }},
      {"CircleCornerToLeaving", Ctx::kCircle,
       [](W& w, D& d) { w.CircleCornerToLeaving(CornerSize(d), MaybeCorner(d)); }},
      {"CircleCornerToEntering", Ctx::kCircle,
       [](W& w, D& d) { w.CircleCornerToEntering(CornerSize(d), MaybeCorner(d)); }},
      {"CircleCornerToParallel", Ctx::kCircle, [](W& w, D& d) { w.CircleCornerToParallel(CornerSize(d)); }},
      {"CircleCornerToCircle", Ctx::kCircle, [](W& w, D& d) { w.CircleCornerToCircle(CornerSize(d)); }},
      {"CircleCornerToCircleApart", Ctx::kCircle, [](W& w, D& d) { w.CircleCornerToCircleApart(CornerSize(d)); }},
      {"CircleCornerToPointCircle", Ctx::kCircle, [](W& w, D& d) { w.CircleCornerToPointCircle(CornerSize(d)); }},
  };
  return steps;
}

// A drafted outline, the list typed for it and the messages its conversion must give.
struct Case {
  std::vector<Element> rows;
  std::vector<std::vector<Piece>> outline;
  std::vector<std::string> messages;
  std::vector<std::string> steps;  // names of the steps, for reports
};

// A random step from the walk's present state.
inline const Step& RandomStep(Dice& dice, Ctx ctx) {
  const std::vector<Step>& steps = AllSteps();
  for (;;) {
    const Step& s = steps[static_cast<size_t>(dice.Pick(static_cast<int>(steps.size())))];
    if (s.from == ctx) return s;
  }
}

// One sub-path: a start, up to `before` random steps, the focus step (when
// given) reached through random steps, up to `after` random steps, and the
// way back to the start.
inline void WalkPath(Walk& w, Dice& dice, const Step* focus, std::vector<std::string>& names) {
  if (dice.Coin()) {
    w.StartPoint();
    names.push_back("StartPoint");
  } else {
    w.StartLeaving();
    names.push_back("StartLeaving");
  }
  const auto run = [&](const Step& s) {
    s.run(w, dice);
    names.push_back(s.name);
  };
  for (int k = dice.Pick(3); k > 0 && w.ok; --k) run(RandomStep(dice, w.ctx));
  if (focus != nullptr) {
    for (int k = 0; k < 6 && w.ok && w.ctx != focus->from; ++k) run(RandomStep(dice, w.ctx));
    if (w.ctx != focus->from) w.ok = false;
    if (w.ok) run(*focus);
  }
  for (int k = dice.Pick(3); k > 0 && w.ok; --k) run(RandomStep(dice, w.ctx));
  if (w.ok) w.Close();
  names.push_back("Close");
}

// A valid list around the focus step (any steps when null); one in five has a second sub-path.
inline Case MakeCase(Dice& dice, const Step* focus) {
  for (;;) {
    Walk w(dice);
    Case c;
    WalkPath(w, dice, focus, c.steps);
    if (w.ok && dice.Chance(0.2)) {
      w.Separator();
      c.steps.push_back("Separator");
      WalkPath(w, dice, nullptr, c.steps);
    }
    w.End();
    if (!w.Outline(c.outline)) continue;
    c.rows = w.rows;
    return c;
  }
}

}  // namespace vx::drafting

namespace vx::drafting {

// What an element list that cannot be drawn as typed must give: its
// messages, and rows that all lie on what the list describes.
struct ImpossibleCase {
  std::string name;
  std::vector<Element> rows;
  std::vector<std::string> messages;   // reason texts with their row numbers
  std::vector<Line> lines;             // carriers the contour may run on
  std::vector<std::pair<Pt, double>> circles;  // centre, |radius|
};

// The message for a row, as CONV-2 shows it.
inline std::string Message(int row, const std::string& reason) {
  return "CONV-2 エラー 交点No= " + std::to_string(row) + reason;
}

// Lists that cannot be drawn as typed, each in a fixed layout so that the
// row a message names is known. `reason` texts are those of the program.
struct Reasons {
  std::string parallel, lineMisses, cornerDoesNotFit, lineCircleCorner, circleLineCorner, circleCircleCorner, zeroMark,
      noTangent;
};
constexpr int kImpossibleKinds = 13;

// True when the path a -> b -> c turns back at b by more than 150 degrees.
inline bool FoldsBack(Pt a, Pt b, Pt c) { return std::fabs(TurnAngle(b - a, c - b)) > 150; }

inline ImpossibleCase MakeImpossible(Dice& dice, int kind, const Reasons& why) {
  const auto U = [&](double lo, double hi) { return dice.Uniform(lo, hi); };
  const auto P = [](Pt p, int code, double p1, double p2) { return Element{p.x, p.y, static_cast<double>(code), p1, p2}; };
  const Element end{0, 0, 99, 0, 0};
  ImpossibleCase c;
  const Pt s0 = Typed(Pt{U(-50, 50), U(-50, 50)});
  const double a0 = Typed(U(-180, 180));
  const Pt d0 = Heading(a0);
  const auto segmentLines = [&](const std::vector<Pt>& pts) {
    for (size_t k = 0; k + 1 < pts.size(); ++k) c.lines.push_back({pts[k], Unit(pts[k + 1] - pts[k])});
  };
  switch (kind) {
    case 0: {  // a corner R too big for its segments
      c.name = "CornerTooBig";
      const Pt p1 = Typed(s0 + U(10, 20) * d0);
      const Pt p2 = Typed(p1 + U(10, 20) * Heading(a0 + dice.Sign() * U(60, 120)));
      const double r = Typed(U(30, 60));
      const Pt p3 = Typed(s0 + U(5, 10) * Left(d0));
      if (FoldsBack(p1, p2, p3) || FoldsBack(p2, p3, s0)) return MakeImpossible(dice, kind, why);
      c.rows = {P(s0, 0, 0, 0), P(p1, 0, 0, 0), P(p2, 0, 0, r), P(p3, 0, 0, 0), P(s0, 0, 0, 0), end};
      c.messages = {Message(3, why.cornerDoesNotFit)};
      break;
    }
    case 1: {  // a corner R between segments collinear in the decimals
      c.name = "CollinearCorner";
      const double t = std::round(U(5, 20));
      const Pt step = Typed(Pt{std::round(U(1, 9)) / 4, std::round(U(1, 9)) / 4 * dice.Sign()});
      const Pt p1 = Typed(s0 + t * step), p2 = Typed(s0 + (t + std::round(U(3, 10))) * step);
      c.rows = {P(s0, 0, 0, 0), P(p1, 0, 0, Typed(U(0.5, 3))), P(p2, 0, 0, 0),
                P(Typed(p2 + U(10, 20) * Left(Unit(step))), 0, 0, 0), P(s0, 0, 0, 0), end};
      c.messages = {Message(2, why.cornerDoesNotFit)};
      break;
    }
    case 2: {  // a "(C)" corner between two lines too big for them
      c.name = "CornerItemTooBig";
      const Pt p1 = Typed(s0 + U(10, 20) * d0);
      const Pt p2 = Typed(p1 + U(10, 20) * Heading(a0 + dice.Sign() * U(60, 120)));
      const Pt p3 = Typed(s0 + U(5, 10) * Left(d0));
      if (FoldsBack(p1, p2, p3) || FoldsBack(p2, p3, s0)) return MakeImpossible(dice, kind, why);
      c.rows = {P(s0, 0, 0, 0), P(p1, 0, 0, 0), P({}, 5, 0, Typed(U(30, 60))), P(p2, 0, 0, 0), P(p3, 0, 0, 0),
                P(s0, 0, 0, 0), end};
      c.messages = {Message(3, why.cornerDoesNotFit)};
      break;
    }
    case 3:    // the mark 0 on a line that crosses its circle
    case 7: {  // a line that misses its circle
      const bool misses = kind == 7;
      c.name = misses ? "LineMissesCircle" : "ZeroMarkThroughCircle";
      const double r = Typed(U(5, 20));
      const double h = misses ? r + U(0.5, 5) : U(0, r - 0.5);
      const double side = dice.Sign();
      const Pt centre = Typed(s0 + U(r + 10, r + 30) * d0 + side * h * Left(d0));
      const double mark = misses ? dice.Sign() : 0;
      const Pt q = Typed(centre + (r + U(10, 20)) * Heading(a0 + U(60, 120)));
      // A line taken as the tangent goes on round the circle the way it runs.
      const double rs = (misses ? side : dice.Sign()) * r;
      if (FoldsBack(TouchPoint(centre, rs, TangentToPoint(centre, rs, q)), q, s0)) return MakeImpossible(dice, kind, why);
      c.rows = {P(s0, 1, a0, 0), P(centre, 8, rs, mark), P(q, 0, 0, 0), P(s0, 0, 0, 0), end};
      c.messages = {Message(2, misses ? why.lineMisses : why.zeroMark)};
      c.lines = {{s0, d0}};
      c.circles = {{centre, r}};
      break;
    }
    case 4:    // circles too far apart for their "(C)" corner
    case 5:    // one circle inside the other, with a "(C)" item
    case 6: {  // one circle inside the other, without
      c.name = kind == 4 ? "CirclesApartWithItem" : kind == 5 ? "NestedCirclesWithItem" : "NestedCircles";
      const double r1 = Typed(U(8, 20));
      const Pt c1 = Typed(s0 + U(r1 + 10, r1 + 20) * d0);
      const double rc = Typed(U(0.5, 1.5));
      double r2;
      Pt c2;
      if (kind == 4) {
        r2 = Typed(U(3, 10));
        c2 = Typed(c1 + (r1 + r2 + 2 * rc + U(1, 10)) * Heading(U(-180, 180)));
      } else {
        r2 = Typed(U(3, r1 / 2));
        c2 = Typed(c1 + U(0, r1 - r2 - 1) * Heading(U(-180, 180)));
      }
      // Nested circles of one direction keep nested when the corner shrinks
      // both (a corner of their direction); others may have a corner.
      const double sign1 = dice.Sign();
      const double sign2 = kind == 5 ? sign1 : dice.Sign();
      c.rows = {P(s0, 0, 0, 0), P(c1, 8, sign1 * r1, dice.Sign())};
      if (kind != 6) c.rows.push_back(P({}, 5, 0, rc * (kind == 5 ? sign1 : dice.Sign())));
      c.rows.push_back(P(c2, 8, sign2 * r2, dice.Sign()));
      const Pt q = Typed(c2 + (r2 + r1 + U(20, 40)) * Heading(U(-180, 180)));
      const double rs2 = c.rows.back().p1;
      if (Len(q - c1) < r1 + 2 || FoldsBack(TouchPoint(c2, rs2, TangentToPoint(c2, rs2, q)), q, s0)) {
        return MakeImpossible(dice, kind, why);
      }
      c.rows.insert(c.rows.end(), {P(q, 0, 0, 0), P(s0, 0, 0, 0), end});
      c.messages = {Message(5, why.circleCircleCorner)};
      c.circles = {{c1, r1}, {c2, r2}};
      segmentLines({q, s0});
      // The tangents from the start point and to the last point.
      c.lines.push_back({s0, TangentFromPoint(s0, c1, c.rows[1].p1)});
      c.lines.push_back({q, TangentToPoint(c2, c.rows[c.rows.size() - 4].p1, q)});
      break;
    }
    case 8: {  // a "(C)" corner between a line and a circle it cannot reach
      c.name = "LineCornerCircleApart";
      const double r = Typed(U(5, 20)), rc = Typed(U(0.5, 2));
      const double side = dice.Sign();
      const Pt centre = Typed(s0 + U(r + 10, r + 30) * d0 + side * (r + 2 * rc + U(1, 5)) * Left(d0));
      const Pt q = Typed(centre + (r + U(10, 20)) * Heading(a0 + U(60, 120)));
      if (FoldsBack(TouchPoint(centre, side * r, TangentToPoint(centre, side * r, q)), q, s0)) {
        return MakeImpossible(dice, kind, why);
      }
      c.rows = {P(s0, 1, a0, 0), P({}, 5, 0, rc), P(centre, 8, side * r, -1), P(q, 0, 0, 0), P(s0, 0, 0, 0), end};
      c.messages = {Message(3, why.lineMisses), Message(3, why.lineCircleCorner)};
      c.lines = {{s0, d0}};
      c.circles = {{centre, r}};
      segmentLines({q, s0});
      break;
    }
    case 10: {  // a "(C)" corner between a circle and a line that misses it
      c.name = "CircleCornerLineApart";
      const double r = Typed(U(5, 15)), rc = Typed(U(0.5, 1.5));
      const Pt centre = Typed(s0 + U(r + 10, r + 20) * d0 + U(-5, 5) * Left(d0));
      const double rs = dice.Sign() * r;
      // A line beside the circle, more than two corner radii off it.
      const double b = U(-180, 180);
      const Pt eb = Heading(b);
      const Pt foot = centre + (r + 2 * rc + U(1, 5)) * dice.Sign() * Left(eb);
      const Pt x = Typed(foot + U(-5, 5) * eb);
      const Pt q = Typed(foot + U(15, 25) * eb);
      if (Len(q - centre) < r + 2 || FoldsBack(foot, q, s0) || Len(s0 - centre) < r + 2) {
        return MakeImpossible(dice, kind, why);
      }
      c.rows = {P(s0, 0, 0, 0), P(centre, 8, rs, dice.Sign()), P({}, 5, 0, rc), P(x, 1, Typed(b), 0), P(q, 0, 0, 0),
                P(s0, 0, 0, 0), end};
      c.messages = {Message(4, why.lineMisses), Message(5, why.circleLineCorner)};
      c.lines = {{x, Heading(Typed(b))}, {s0, TangentFromPoint(s0, centre, rs)}};
      c.circles = {{centre, r}};
      break;
    }
    case 11: {  // a "(C)" corner between a line and a circle, too big for the line
      c.name = "LineCornerCircleTooBig";
      const double r = Typed(U(5, 15));
      // The line meets the circle 1 to 3 after its start; the corner needs more.
      const Pt centre = Typed(s0 + (U(1, 3) + r) * d0 + U(-0.5, 0.5) * r * Left(d0));
      const Pt q = Typed(centre + (r + U(10, 20)) * Heading(a0 + dice.Sign() * U(60, 120)));
      const double rs = dice.Sign() * r;
      if (FoldsBack(TouchPoint(centre, rs, TangentToPoint(centre, rs, q)), q, s0)) return MakeImpossible(dice, kind, why);
      c.rows = {P(s0, 1, a0, 0), P({}, 5, 0, Typed(U(15, 25))), P(centre, 8, rs, -1), P(q, 0, 0, 0), P(s0, 0, 0, 0), end};
      c.messages = {Message(3, why.lineCircleCorner)};
      c.lines = {{s0, d0}};
      c.circles = {{centre, r}};
      break;
    }
    case 12: {  // a point inside the circle it is to touch
      c.name = "PointInsideCircle";
      const double r = Typed(U(10, 20));
      const Pt centre = Typed(s0 + U(1, r - 2) * d0);
      const Pt q = Typed(centre + (r + U(10, 20)) * Heading(a0 + U(60, 120)));
      const double rs = dice.Sign() * r;
      if (FoldsBack(TouchPoint(centre, rs, TangentToPoint(centre, rs, q)), q, s0)) return MakeImpossible(dice, kind, why);
      c.rows = {P(s0, 0, 0, 0), P(centre, 8, rs, 1), P(q, 0, 0, 0), P(s0, 0, 0, 0), end};
      c.messages = {Message(2, why.noTangent)};
      c.circles = {{centre, r}};
      break;
    }
    case 9: {  // parallel lines
      c.name = "ParallelLines";
      const Pt p = Typed(s0 + U(5, 20) * Left(d0));
      const Pt q = Typed(s0 + U(10, 20) * d0 + U(25, 30) * Left(d0));
      const Pt q2 = Typed(s0 + U(5, 10) * d0 - U(5, 10) * Left(d0));
      c.rows = {P(s0, 1, a0, 0), P(p, 1, a0, 0), P(q, 0, 0, 0), P(q2, 0, 0, 0), P(s0, 0, 0, 0), end};
      c.messages = {Message(2, why.parallel)};
      c.lines = {{s0, d0}, {p, d0}};
      segmentLines({q, s0});
      break;
    }
    default:
      break;
  }
  // Segments between typed points are carriers as well.
  std::vector<Pt> points;
  for (const Element& e : c.rows) {
    if (e.code == 0) points.push_back({e.x, e.y});
  }
  segmentLines(points);
  return c;
}

}  // namespace vx::drafting
