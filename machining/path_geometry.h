// Plane geometry of the wire path: points, the elements of the path and where two of them meet.
#pragma once

#include <cmath>

namespace vx {

struct Vec2 {
  double x = 0;
  double y = 0;
};

inline Vec2 operator+(Vec2 a, Vec2 b) { return {a.x + b.x, a.y + b.y}; }
inline Vec2 operator-(Vec2 a, Vec2 b) { return {a.x - b.x, a.y - b.y}; }
inline Vec2 operator*(Vec2 a, double k) { return {a.x * k, a.y * k}; }
inline double Dot(Vec2 a, Vec2 b) { return a.x * b.x + a.y * b.y; }
// Positive when b turns counter-clockwise from a.
inline double Cross(Vec2 a, Vec2 b) { return a.x * b.y - a.y * b.x; }
inline double Length(Vec2 a) { return std::hypot(a.x, a.y); }
inline double Distance(Vec2 a, Vec2 b) { return Length(a - b); }
// a turned by +90 degrees: the left side of a direction of travel.
inline Vec2 LeftOf(Vec2 a) { return {-a.y, a.x}; }
// a scaled to length 1; the zero vector stays zero.
Vec2 Unit(Vec2 a);

// One element of a path, unbounded: the straight line through `point` with unit
// `direction`, or the circle of radius `radius` (>= 0) about `centre`.
struct PathElement {
  bool circle = false;
  Vec2 point;
  Vec2 direction;
  Vec2 centre;
  double radius = 0;
};

PathElement LineElement(Vec2 point, Vec2 direction);
PathElement CircleElement(Vec2 centre, double radius);

// Distance (>= 0) from p to the element.
double DistanceTo(const PathElement& e, Vec2 p);

// Where two elements meet: up to two points, each within `slack` of both
// elements. Elements that miss each other by no more than `slack` meet once, at
// the middle of the gap; two lines that lie on each other meet at the point of
// the first nearest to `near`. Parallel lines farther apart, concentric circles
// and elements farther apart than `slack` give no point.
struct Meeting {
  int count = 0;
  Vec2 points[2];
};
Meeting Meet(const PathElement& a, const PathElement& b, Vec2 near, double slack);

}  // namespace vx
