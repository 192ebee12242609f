// Plane geometry of the wire path: points, the elements of the path and where two of them meet.
#include "machining/path_geometry.h"

#include <utility>

namespace vx {

namespace {

// Below this the cross product of two unit directions counts as parallel: the
// lines would meet farther away than any table reaches.
constexpr double kParallel = 1e-12;

Meeting One(Vec2 p) {
  Meeting m;
  m.count = 1;
  m.points[0] = p;
  return m;
}

// The middle of the gap between p (on a) and q (on b), if it lies within slack of both.
Meeting GapMiddle(const PathElement& a, const PathElement& b, Vec2 p, Vec2 q, double slack) {
  const Vec2 mid = (p + q) * 0.5;
  if (DistanceTo(a, mid) <= slack && DistanceTo(b, mid) <= slack) return One(mid);
  return {};
}

Meeting LineLine(const PathElement& a, const PathElement& b, Vec2 near, double slack) {
  const double c = Cross(a.direction, b.direction);
  if (std::fabs(c) < kParallel) {
    // Lines on each other meet everywhere: the point nearest `near`.
    const Vec2 p = a.point + a.direction * Dot(near - a.point, a.direction);
    const Vec2 q = b.point + b.direction * Dot(p - b.point, b.direction);
    return GapMiddle(a, b, p, q, slack);
  }
  const double s = Cross(b.point - a.point, b.direction) / c;
  return One(a.point + a.direction * s);
}

Meeting LineCircle(const PathElement& line, const PathElement& circle, double slack) {
  const Vec2 foot = line.point + line.direction * Dot(circle.centre - line.point, line.direction);
  const double h = Distance(circle.centre, foot);
  if (h <= circle.radius) {
    const double k = std::sqrt(circle.radius * circle.radius - h * h);
    Meeting m;
    m.count = k > 0 ? 2 : 1;
    m.points[0] = foot + line.direction * k;
    m.points[1] = foot - line.direction * k;
    return m;
  }
  const Vec2 onCircle = circle.centre + Unit(foot - circle.centre) * circle.radius;
  return GapMiddle(line, circle, foot, onCircle, slack);
}

Meeting CircleCircle(const PathElement& a, const PathElement& b, Vec2 near, double slack) {
  const Vec2 d = b.centre - a.centre;
  const double l = Length(d);
  if (l == 0) {  // exact: one centre; the circles meet only if they are one circle
    const Vec2 u = Unit(near - a.centre);
    return GapMiddle(a, b, a.centre + u * a.radius, b.centre + u * b.radius, slack);
  }
  const Vec2 u = d * (1 / l);
  // Law of cosines: the foot of the common chord lies `along` from a's centre.
  const double along = (l * l + a.radius * a.radius - b.radius * b.radius) / (2 * l);
  const double h2 = a.radius * a.radius - along * along;
  if (h2 >= 0) {
    const double h = std::sqrt(h2);
    const Vec2 base = a.centre + u * along;
    Meeting m;
    m.count = h > 0 ? 2 : 1;
    m.points[0] = base + LeftOf(u) * h;
    m.points[1] = base - LeftOf(u) * h;
    return m;
  }
  // Apart, or one inside the other: the nearest points lie on the line of centres.
  const bool inside = l < std::fabs(a.radius - b.radius);
  const double sa = inside && b.radius > a.radius ? -1.0 : 1.0;
  const double sb = inside ? sa : -1.0;
  return GapMiddle(a, b, a.centre + u * (sa * a.radius), b.centre + u * (sb * b.radius), slack);
}

}  // namespace

Vec2 Unit(Vec2 a) {
  const double l = Length(a);
  return l > 0 ? a * (1 / l) : Vec2{};
}

PathElement LineElement(Vec2 point, Vec2 direction) {
  PathElement e;
  e.point = point;
  e.direction = Unit(direction);
  return e;
}

PathElement CircleElement(Vec2 centre, double radius) {
  PathElement e;
  e.circle = true;
  e.centre = centre;
  e.radius = std::fabs(radius);
  return e;
}

double DistanceTo(const PathElement& e, Vec2 p) {
  if (e.circle) return std::fabs(Distance(p, e.centre) - e.radius);
  return std::fabs(Cross(e.direction, p - e.point));
}

Meeting Meet(const PathElement& a, const PathElement& b, Vec2 near, double slack) {
  if (!a.circle && !b.circle) return LineLine(a, b, near, slack);
  if (a.circle && b.circle) return CircleCircle(a, b, near, slack);
  return a.circle ? LineCircle(b, a, slack) : LineCircle(a, b, slack);
}

}  // namespace vx
