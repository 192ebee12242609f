// Random contour tables for the machining sweeps: closed outlines of lines and
// arcs (both ways, corners rounded or not, corner radii down to 0.01, edges of
// radius up to 60000), round holes, slots, keyholes (arcs all but full) and
// small half-round notches, entered by radial, tangent or free approach lines,
// one or two sub-paths; rounded like CONV-2's files or, as drawings imported
// at 2 or 3 decimals, with vertices off their arcs.
#pragma once

#include <algorithm>
#include <cmath>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "contour_tables.h"
#include "machining/path_geometry.h"

namespace vx::test {

inline constexpr double kRandomPi = 3.14159265358979323846;

class RandomContours {
 public:
  // drawings: some contours rounded to 2 or 3 decimals, as imported drawings
  // are, so that vertices lie off their arcs.
  explicit RandomContours(unsigned seed, bool drawings = false) : m_rng(seed), m_drawings(drawings) {}

  // Rows of a contour file (start hole, approach line, closed outline, exit
  // line, end point; a separator between sub-paths).
  std::vector<Row> Next() {
    m_description.clear();
    std::vector<Row> rows;
    const int parts = Uniform(0, 1) < 0.35 ? 2 : 1;
    for (int s = 0; s < parts; ++s) {
      if (s > 0) rows.push_back({0, 0, 0, 88});
      if (s > 0) m_description += "+";
      const Vec2 centre{Uniform(-20, 20) + 45 * s, Uniform(-20, 20)};
      for (const Row& r : SubPath(centre)) rows.push_back(r);
    }
    // Some files hold CONV-2's rounding, some full precision, some a drawing's.
    const double scale = std::pow(10.0, m_drawings ? Pick({2, 3, 4, 6, 10}) : Pick({4, 6, 10}));
    for (Row& r : rows) {
      r.x = std::round(r.x * scale) / scale;
      r.y = std::round(r.y * scale) / scale;
      r.p1 = std::round(r.p1 * scale) / scale;
    }
    return rows;
  }

  // What the last contour is made of, sub-path by sub-path: outline/approach/exit
  // ("polygon/tangent/back+circle/axis/free").
  const std::string& Description() const { return m_description; }

  double Uniform(double lo, double hi) { return std::uniform_real_distribution<double>(lo, hi)(m_rng); }
  int Pick(std::initializer_list<int> values) {
    const int k = std::uniform_int_distribution<int>(0, static_cast<int>(values.size()) - 1)(m_rng);
    return *(values.begin() + k);
  }

 private:
  // A line (radius 0) or an arc from `from` to `to` about `centre`, signed
  // radius positive counter-clockwise.
  struct Element {
    Vec2 from, to, centre;
    double radius = 0;
  };

  static Vec2 Polar(Vec2 c, double r, double a) { return {c.x + r * std::cos(a), c.y + r * std::sin(a)}; }

  static Element Arc(Vec2 p, Vec2 q, double sweep, bool ccw) {
    const double chord = Distance(p, q);
    const double r = chord / 2 / std::sin(sweep / 2);
    const double h = r * std::cos(sweep / 2);
    const Vec2 n = LeftOf(Unit(q - p));
    return {p, q, (p + q) * 0.5 + n * (ccw ? h : -h), ccw ? r : -r};
  }

  static Vec2 TangentAt(const Element& e, bool atStart) {
    if (e.radius == 0) return Unit(e.to - e.from);  // exact: a line
    const Vec2 radial = Unit((atStart ? e.from : e.to) - e.centre);
    return e.radius > 0 ? LeftOf(radial) : LeftOf(radial) * -1.0;
  }

  std::vector<Vec2> Polygon(Vec2 centre, double size, int n, bool ccw) {
    std::vector<double> angles;
    for (int k = 0; k < n; ++k) angles.push_back(2 * kRandomPi * (k + Uniform(0.1, 0.9)) / n);
    std::vector<Vec2> points;
    for (double a : angles) points.push_back(Polar(centre, size * Uniform(0.6, 1.0), a));
    if (!ccw) std::reverse(points.begin(), points.end());
    return points;
  }

  std::vector<Element> Outline(Vec2 centre, bool ccw, bool& circle) {
    circle = false;
    std::vector<Element> out;
    const int kind = Pick({0, 0, 1, 2, 3, 4, 5});
    m_description +=
        std::vector<std::string>{"polygon", "arcs", "slot", "circle", "keyhole", "notch"}[static_cast<size_t>(kind)];
    switch (kind) {
      case 0: {  // polygon, edges straight or arcs both ways, corners maybe rounded
        const std::vector<Vec2> p = Polygon(centre, Uniform(6, 20), Pick({3, 4, 5, 6}), ccw);
        const size_t n = p.size();
        for (size_t k = 0; k < n; ++k) {
          const Vec2 a = p[k], b = p[(k + 1) % n];
          const double pick = Uniform(0, 1);
          if (pick < 0.4) {
            out.push_back(Arc(a, b, Uniform(0, 1) < 0.9 ? Uniform(0.3, 2.8) : Uniform(3.3, 4.5), Uniform(0, 1) < 0.5));
          } else if (pick < 0.5) {  // all but straight: a radius of hundreds of metres at most
            const double r = std::pow(10.0, Uniform(2.5, 4.78));
            out.push_back(Arc(a, b, 2 * std::asin(std::min(1.0, Distance(a, b) / 2 / r)), Uniform(0, 1) < 0.5));
          } else {
            out.push_back({a, b, {}, 0});
          }
        }
        return Fillets(out);
      }
      case 1: {  // arcs only, meeting at corners
        const std::vector<Vec2> p = Polygon(centre, Uniform(6, 18), Pick({2, 3, 4}), ccw);
        for (size_t k = 0; k < p.size(); ++k) {
          out.push_back(Arc(p[k], p[(k + 1) % p.size()], Uniform(0.4, 2.6), Uniform(0, 1) < 0.6));
        }
        return out;
      }
      case 2: {  // a slot: lines and half circles, all tangent
        const double r = Uniform(1.5, 6), half = Uniform(2, 10), a = Uniform(0, kRandomPi);
        const Vec2 u{std::cos(a), std::sin(a)}, n = LeftOf(u);
        const Vec2 c1 = centre + u * half, c2 = centre - u * half;
        const Vec2 p1 = c2 - n * r, p2 = c1 - n * r, p3 = c1 + n * r, p4 = c2 + n * r;
        out = {{p1, p2, {}, 0}, {p2, p3, c1, r}, {p3, p4, {}, 0}, {p4, p1, c2, r}};
        if (!ccw) out = Reversed(out);
        return out;
      }
      case 3: {  // a round hole, now and then a small one
        circle = true;
        const double r = Uniform(0, 1) < 0.8 ? Uniform(1.5, 12) : Uniform(0.05, 0.6);
        const Vec2 p = Polar(centre, r, Uniform(0, 2 * kRandomPi));
        return {{p, p, centre, ccw ? r : -r}};
      }
      case 4: {  // a keyhole: a round hole with a slot, the arc all but full
        const double r = Uniform(0.5, 8), w = std::min(r, Pick({0, 1}) ? Uniform(0.02, 0.2) : Uniform(0.2, 1.5));
        const double a = Uniform(0, 2 * kRandomPi), length = Uniform(1, 5);
        const Vec2 u{std::cos(a), std::sin(a)}, n = LeftOf(u);
        const double s = std::sqrt(r * r - w * w / 4);
        const Vec2 outer1 = centre + u * (r + length) + n * (w / 2), inner1 = centre + u * s + n * (w / 2);
        const Vec2 inner2 = centre + u * s - n * (w / 2), outer2 = centre + u * (r + length) - n * (w / 2);
        out = {{outer1, inner1, {}, 0}, {inner1, inner2, centre, r}, {inner2, outer2, {}, 0}, {outer2, outer1, {}, 0}};
        if (!ccw) out = Reversed(out);
        return out;
      }
      default: {  // a rectangle with a small half-round notch or bump in one edge
        const double w = Uniform(4, 20), h = Uniform(4, 20), r = Uniform(0.01, 0.5);
        const Vec2 o = centre - Vec2{w / 2, h / 2};
        const double m = o.x + Uniform(0.3, 0.7) * w;
        const Vec2 a{m - r, o.y}, b{m + r, o.y};
        out = {{o, a, {}, 0},
               {a, b, {m, o.y}, Uniform(0, 1) < 0.5 ? r : -r},
               {b, o + Vec2{w, 0}, {}, 0},
               {o + Vec2{w, 0}, o + Vec2{w, h}, {}, 0},
               {o + Vec2{w, h}, o + Vec2{0, h}, {}, 0},
               {o + Vec2{0, h}, o, {}, 0}};
        if (!ccw) out = Reversed(out);
        return out;
      }
    }
  }

  // Tangent corner arcs at some corners between two lines.
  std::vector<Element> Fillets(const std::vector<Element>& in) {
    std::vector<Element> out = in;
    for (size_t k = 0; k < out.size(); ++k) {
      Element& a = out[k];
      Element& b = out[(k + 1) % out.size()];
      if (a.radius != 0 || b.radius != 0 || Uniform(0, 1) > 0.4) continue;  // exact: lines only
      const Vec2 d1 = Unit(a.to - a.from), d2 = Unit(b.to - b.from);
      const double turn = std::acos(std::clamp(Dot(d1, d2), -1.0, 1.0));
      const double r = Uniform(0, 1) < 0.3 ? Uniform(0.01, 0.5) : Uniform(0.8, 3);
      const double t = r * std::tan(turn / 2);
      if (turn < 0.2 || turn > 2.6 || t > 0.4 * Distance(a.from, a.to) || t > 0.4 * Distance(b.from, b.to)) continue;
      const bool left = Cross(d1, d2) > 0;
      const Vec2 p = a.to - d1 * t, q = b.from + d2 * t;
      const Element corner{p, q, p + LeftOf(d1) * (left ? r : -r), left ? r : -r};
      a.to = p;
      b.from = q;
      out.insert(out.begin() + static_cast<long>(k) + 1, corner);
      ++k;
    }
    return out;
  }

  static std::vector<Element> Reversed(const std::vector<Element>& in) {
    std::vector<Element> out;
    for (auto it = in.rbegin(); it != in.rend(); ++it) out.push_back({it->to, it->from, it->centre, -it->radius});
    return out;
  }

  // Element e cut at parameter t: the part before and the part after.
  static std::pair<Element, Element> Split(const Element& e, double t) {
    if (e.radius == 0) {  // exact: a line
      const Vec2 m = e.from + (e.to - e.from) * t;
      return {{e.from, m, {}, 0}, {m, e.to, {}, 0}};
    }
    const double a0 = std::atan2(e.from.y - e.centre.y, e.from.x - e.centre.x);
    double a1 = std::atan2(e.to.y - e.centre.y, e.to.x - e.centre.x);
    if (e.radius > 0) {
      while (a1 <= a0) a1 += 2 * kRandomPi;
    } else {
      while (a1 >= a0) a1 -= 2 * kRandomPi;
    }
    const Vec2 m = Polar(e.centre, std::fabs(e.radius), a0 + (a1 - a0) * t);
    return {{e.from, m, e.centre, e.radius}, {m, e.to, e.centre, e.radius}};
  }

  std::vector<Row> SubPath(Vec2 centre) {
    const bool ccw = Uniform(0, 1) < 0.5;
    bool circle = false;
    std::vector<Element> loop = Outline(centre, ccw, circle);
    std::rotate(loop.begin(), loop.begin() + Pick({0, 1, 2, 3}) % static_cast<int>(loop.size()), loop.end());
    if (!circle && Uniform(0, 1) < 0.5) {  // entered inside an element
      const auto [before, after] = Split(loop.front(), Uniform(0.2, 0.8));
      loop.front() = after;
      loop.push_back(before);
    }
    Vec2 v = loop.front().from;
    const Vec2 in = TangentAt(loop.front(), true);
    Vec2 start;
    const int lead = Pick({0, 1, 1, 2, 3});
    const bool axis = lead == 2 && circle;
    m_description += std::vector<std::string>{"/radial", "/tangent", axis ? "/axis" : "/tangent", "/free"}[
        static_cast<size_t>(lead)];
    switch (lead) {
      case 0:  // radial: from the arc's centre or the outline's middle
        start = loop.front().radius != 0 ? loop.front().centre : centre;  // exact: arc or line
        break;
      case 1:  // tangent
        start = v - in * Uniform(1.5, 6);
        break;
      case 2:
        if (axis) {
          // A tangent lead from a start hole on the circle's horizontal or
          // vertical axis: the circle is entered at the tangent point.
          Element& c = loop.front();
          const double r = std::fabs(c.radius), dist = r * Uniform(1.2, 2.5);
          const double axis = kRandomPi / 2 * Pick({0, 1, 2, 3});
          start = Polar(c.centre, dist, axis);
          v = Polar(c.centre, r, axis + std::acos(r / dist) * (c.radius < 0 ? 1 : -1));
          c.from = c.to = v;
          break;
        }
        start = v - in * Uniform(1.5, 6);
        break;
      default:
        start = v + Vec2{Uniform(-4, 4), Uniform(-4, 4)};
    }
    if (Distance(start, v) < 0.5) start = v + LeftOf(in) * (ccw ? -2.0 : 2.0);
    Vec2 end = start;
    const int exit = Pick({0, 0, 1, 2});
    m_description += std::vector<std::string>{"/back", "/tangent", "/free"}[static_cast<size_t>(exit)];
    if (exit == 1) end = v + TangentAt(loop.back(), false) * Uniform(1.5, 6);
    if (exit == 2) end = v + Vec2{Uniform(-4, 4), Uniform(-4, 4)};
    if (Distance(end, v) < 0.5) end = start;

    std::vector<Row> rows = {{start.x, start.y}, {v.x, v.y}};
    for (const Element& e : loop) {
      if (e.radius != 0) rows.push_back({e.centre.x, e.centre.y, e.radius});  // exact: an arc
      rows.push_back({e.to.x, e.to.y});
    }
    rows.push_back({end.x, end.y});
    return rows;
  }

  std::mt19937 m_rng;
  bool m_drawings = false;
  std::string m_description;
};

}  // namespace vx::test
