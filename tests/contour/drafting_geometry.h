// Plane geometry of drafted outlines: points, carriers (lines and circles), pieces and fillets, in full precision.
#pragma once

#include <algorithm>
#include <cmath>
#include <ostream>
#include <vector>

namespace vx::drafting {

struct Pt {
  double x = 0, y = 0;
};
inline Pt operator+(Pt a, Pt b) { return {a.x + b.x, a.y + b.y}; }
inline Pt operator-(Pt a, Pt b) { return {a.x - b.x, a.y - b.y}; }
inline Pt operator*(double s, Pt a) { return {s * a.x, s * a.y}; }
inline double Dot(Pt a, Pt b) { return a.x * b.x + a.y * b.y; }
inline double Cross(Pt a, Pt b) { return a.x * b.y - a.y * b.x; }
inline double Len(Pt a) { return std::hypot(a.x, a.y); }
inline Pt Unit(Pt a) { return (1 / Len(a)) * a; }
// The vector turned a quarter to the left (counter-clockwise).
inline Pt Left(Pt a) { return {-a.y, a.x}; }
inline Pt Rotate(Pt a, double radians) {
  const double c = std::cos(radians), s = std::sin(radians);
  return {c * a.x - s * a.y, s * a.x + c * a.y};
}
inline std::ostream& operator<<(std::ostream& out, Pt p) { return out << "(" << p.x << ", " << p.y << ")"; }

const double kPi = std::acos(-1.0);
inline double Rad(double degrees) { return degrees * kPi / 180; }
inline double Deg(double radians) { return radians * 180 / kPi; }
inline Pt Heading(double degrees) { return {std::cos(Rad(degrees)), std::sin(Rad(degrees))}; }
// Angle of a vector in degrees, in (-180, 180].
inline double AngleOf(Pt v) { return Deg(std::atan2(v.y, v.x)); }
// Signed angle in degrees that turns direction a into direction b, in (-180, 180].
inline double TurnAngle(Pt a, Pt b) { return Deg(std::atan2(Cross(a, b), Dot(a, b))); }

// A line through p with unit direction d (the direction of travel).
struct Line {
  Pt p, d;
};
// Parameter t along a of the crossing of two lines (a.p + t a.d); NaN when parallel.
inline double CrossingParameter(const Line& a, const Line& b) {
  const double den = Cross(a.d, b.d);
  if (std::fabs(den) < 1e-12) return std::nan("");
  return Cross(b.p - a.p, b.d) / den;
}
inline Pt At(const Line& l, double t) { return l.p + t * l.d; }

// Parameters t1 <= t2 where a line meets a circle; false when it misses.
inline bool LineMeetsCircle(const Line& l, Pt c, double radius, double& t1, double& t2) {
  const Pt w = l.p - c;
  const double b = Dot(w, l.d);
  const double disc = b * b - (Dot(w, w) - radius * radius);
  if (disc < 0) return false;
  t1 = -b - std::sqrt(disc);
  t2 = -b + std::sqrt(disc);
  return true;
}

// Crossings of two circles: left and right of the direction c1 -> c2.
inline bool CirclesMeet(Pt c1, double r1, Pt c2, double r2, Pt& left, Pt& right) {
  const double d = Len(c2 - c1);
  if (d == 0) return false;
  const double along = (d * d + r1 * r1 - r2 * r2) / (2 * d);
  const double h2 = r1 * r1 - along * along;
  if (h2 < 0) return false;
  const Pt u = (1 / d) * (c2 - c1);
  const Pt m = c1 + along * u;
  left = m + std::sqrt(h2) * Left(u);
  right = m - std::sqrt(h2) * Left(u);
  return true;
}

// Direction of travel at p on a circle of signed radius r (positive: counter-clockwise).
inline Pt ArcHeading(Pt c, double r, Pt p) { return (r > 0 ? 1.0 : -1.0) * Unit(Left(p - c)); }

// Direction u of the tangent from point p to the circle (c, r) travelled so
// that the circle lies on the left for r > 0: c - p = L u + r Left(u).
inline Pt TangentFromPoint(Pt p, Pt c, double r) {
  const Pt w = c - p;
  const double l = std::sqrt(std::max(0.0, Dot(w, w) - r * r));
  return Unit(Rotate(w, -std::atan2(r, l)));
}
// Direction u of the tangent leaving the circle (c, r) towards q: q - c = L u - r Left(u).
inline Pt TangentToPoint(Pt c, double r, Pt q) {
  const Pt w = q - c;
  const double l = std::sqrt(std::max(0.0, Dot(w, w) - r * r));
  return Unit(Rotate(w, std::atan2(r, l)));
}
// Direction u of the tangent from circle 1 to circle 2 (signed radii): c2 - c1 = L u + (r2 - r1) Left(u).
inline Pt TangentBetween(Pt c1, double r1, Pt c2, double r2) {
  const Pt w = c2 - c1;
  const double l = std::sqrt(std::max(0.0, Dot(w, w) - (r2 - r1) * (r2 - r1)));
  return Unit(Rotate(w, -std::atan2(r2 - r1, l)));
}
// The point of a circle where the tangent of direction u touches it.
inline Pt TouchPoint(Pt c, double r, Pt u) { return c - r * Left(u); }

// Sweep in degrees from a to b about c in the direction of the signed radius r, in (0, 360].
inline double Sweep(Pt c, double r, Pt a, Pt b) {
  double s = TurnAngle(a - c, b - c);
  if (r < 0) s = -s;
  if (s <= 0) s += 360;
  return s;
}

// One piece of an outline: a line a -> b, or an arc a -> b about c with signed
// radius r. `fillet` is the size of the corner asked for at its end (0: none).
struct Piece {
  bool arc = false;
  Pt a, b, c;
  double r = 0;
  double fillet = 0;
  // How much farther off its circle an arc may start than kArcEndTolerance
  // (where the program's own approximation puts the start, see the judge).
  double startSlack = 0;
};
inline std::ostream& operator<<(std::ostream& out, const Piece& p) {
  if (!p.arc) return out << "line " << p.a << "->" << p.b;
  return out << "arc " << p.a << "->" << p.b << " c" << p.c << " r" << p.r;
}
inline Pt StartHeading(const Piece& p) { return p.arc ? ArcHeading(p.c, p.r, p.a) : Unit(p.b - p.a); }
inline Pt EndHeading(const Piece& p) { return p.arc ? ArcHeading(p.c, p.r, p.b) : Unit(p.b - p.a); }
inline double PieceLength(const Piece& p) {
  return p.arc ? std::fabs(p.r) * Rad(Sweep(p.c, p.r, p.a, p.b)) : Len(p.b - p.a);
}

// Position of point q along a piece from its start: a length for a line, the
// swept angle (degrees) for an arc.
inline double Along(const Piece& p, Pt q) {
  if (!p.arc) return Dot(q - p.a, Unit(p.b - p.a));
  const double s = Sweep(p.c, p.r, p.a, q);
  return s >= 360 - 1e-9 ? 0 : s;
}
inline double AlongEnd(const Piece& p) { return p.arc ? Sweep(p.c, p.r, p.a, p.b) : Len(p.b - p.a); }

// The corner arc of size f (> 0) between piece `in` (ending at the joint) and
// `out` (starting there): tangent to both carriers with the same direction of
// travel, turning the way the joint turns, the candidate nearest the joint.
// Returns false when the carriers give no such arc or its tangent points do
// not lie within the two pieces.
struct Fillet {
  Pt first, second, c;
  double r = 0;  // signed
};
inline bool MakeFillet(const Piece& in, const Piece& out, double f, Fillet& fillet) {
  const Pt joint = in.b;
  const double turn = Cross(EndHeading(in), StartHeading(out));
  if (std::fabs(turn) < 1e-9) return false;
  const double rho = turn > 0 ? f : -f;
  // Locus of the corner centre for each carrier: a line at signed distance
  // rho, or a circle of radius |r - rho| about the carrier's centre.
  std::vector<Pt> candidates;
  const auto lineLocus = [&](const Piece& p) { return Line{p.a + rho * Left(Unit(p.b - p.a)), Unit(p.b - p.a)}; };
  if (!in.arc && !out.arc) {
    const Line a = lineLocus(in), b = lineLocus(out);
    const double t = CrossingParameter(a, b);
    if (std::isnan(t)) return false;
    candidates.push_back(At(a, t));
  } else if (in.arc != out.arc) {
    const Piece& lp = in.arc ? out : in;
    const Piece& cp = in.arc ? in : out;
    const Line l = lineLocus(lp);
    double t1 = 0, t2 = 0;
    if (!LineMeetsCircle(l, cp.c, std::fabs(cp.r - rho), t1, t2)) return false;
    candidates = {At(l, t1), At(l, t2)};
  } else {
    Pt left, right;
    if (!CirclesMeet(in.c, std::fabs(in.r - rho), out.c, std::fabs(out.r - rho), left, right)) return false;
    candidates = {left, right};
  }
  Pt cf = candidates[0];
  for (const Pt& p : candidates) {
    if (Len(p - joint) < Len(cf - joint)) cf = p;
  }
  const auto touch = [&](const Piece& p) {
    if (!p.arc) {
      const Pt d = Unit(p.b - p.a);
      return p.a + Dot(cf - p.a, d) * d;
    }
    return p.c + (p.r / (p.r - rho)) * (cf - p.c);
  };
  fillet = {touch(in), touch(out), cf, rho};
  // Tangent points within the pieces: before the joint on `in`, after it on `out`.
  const double margin = 1e-6;
  if (Along(in, fillet.first) <= margin || Along(in, fillet.first) >= AlongEnd(in) + margin) return false;
  if (Along(out, fillet.second) <= margin || Along(out, fillet.second) >= AlongEnd(out) - margin) return false;
  // A corner, not a loop: the corner arc turns less than half a turn.
  return Sweep(cf, rho, fillet.first, fillet.second) < 180;
}

// The outline with its corners made: each joint with a fillet size becomes
// the two trimmed pieces and the corner arc between. False when a corner
// does not fit (or two corners overlap on one piece).
inline bool MakeCorners(std::vector<Piece> pieces, std::vector<Piece>& made) {
  made.clear();
  for (size_t k = 0; k + 1 < pieces.size(); ++k) {
    if (pieces[k].fillet <= 0) continue;
    Fillet f;
    if (!MakeFillet(pieces[k], pieces[k + 1], pieces[k].fillet, f)) return false;
    // Piece k ends at the first tangent point, the next starts at the second
    // (MakeFillet has checked them against any trimmed start).
    pieces[k].b = f.first;
    pieces[k].fillet = 0;
    pieces[k + 1].a = f.second;
    pieces.insert(pieces.begin() + static_cast<long>(k) + 1, Piece{true, f.first, f.second, f.c, f.r, 0});
    ++k;
  }
  // Every trimmed piece keeps a length and its direction.
  for (size_t k = 0; k < pieces.size(); ++k) {
    const Piece& p = pieces[k];
    if (!p.arc && Len(p.b - p.a) < 1e-6) return false;
  }
  made = pieces;
  return true;
}

}  // namespace vx::drafting
