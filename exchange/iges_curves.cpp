// Lines, circular arcs, copious data, conic arcs and B-splines of IGES, each
// placed by its transform into the drawing's plane.
#include "exchange/iges_curves.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <initializer_list>
#include <utility>
#include <vector>

namespace vx {
namespace {

using Result = IgesCurveResult;

constexpr double kTwoPi = 6.283185307179586;
// Samples along a fitted curve at which its height is checked against the plane.
constexpr int kPlaneSamples = 64;
// Coefficients of a conic, scaled so that the largest of A, B, C is 1, count
// as zero below this.
constexpr double kConicZero = 1e-12;
// A hyperbola parameter beyond this lies e^40 semi-axes from the centre: no
// drawing reaches there, and cosh overflows not far beyond.
constexpr double kMaxHyperbolaParameter = 40;
constexpr long kMaxSplineDegree = 25;
// A circular or elliptic arc whose end lies this close to its start, as a
// share of its radius, is a full turn: writers that compute the end of a
// full circle from its angle print it a few units of the last digit away
// from the start (cos and sin of 2 pi, single precision), on either side.
// An arc that really turned so little would be far below a micrometre long.
constexpr double kFullTurnGap = 1e-6;

// Whether an arc of radius r from s to e is a full turn (see kFullTurnGap).
bool FullTurn(CurveVec s, CurveVec e, double r) {
  // exact: how IGES writes a full circle or ellipse
  if (s.x == e.x && s.y == e.y) return true;
  return std::hypot(e.x - s.x, e.y - s.y) <= kFullTurnGap * r;
}

Result FromSink(IgesPlaneSink::Status s) {
  switch (s) {
    case IgesPlaneSink::Status::kOk: return Result::kOk;
    case IgesPlaneSink::Status::kNotPlanar: return Result::kNotPlanar;
    case IgesPlaneSink::Status::kOutOfRange: return Result::kOutOfRange;
    case IgesPlaneSink::Status::kFull: return Result::kFull;
    case IgesPlaneSink::Status::kNoFit: return Result::kBadCurve;
  }
  return Result::kOk;
}

// Reads parameters first..first+n-1 as reals.
bool Reals(const IgesParams& p, size_t first, std::initializer_list<double*> values) {
  size_t i = first;
  for (double* v : values) {
    if (!p.Real(i++, *v)) return false;
  }
  return true;
}

// A curve of the definition plane z = zt placed by t, as a curve of the
// drawing: the transformed point and derivative, seen from above.
ParametricCurve Placed(const ParametricCurve& local, double zt, const Affine3& t) {
  ParametricCurve placed;
  placed.t0 = local.t0;
  placed.t1 = local.t1;
  placed.breaks = local.breaks;
  placed.at = [local, zt, t](double s) {
    const CurveSample q = local.at(s);
    const Vec3 p = t.Apply({q.point.x, q.point.y, zt});
    const Vec3 d = t.ApplyLinear({q.derivative.x, q.derivative.y, 0});
    return CurveSample{{p.x, p.y}, {d.x, d.y}};
  };
  return placed;
}

// Checks the height of a definition-plane curve, placed by t, along its length.
Result CheckPlane(const ParametricCurve& local, double zt, const Affine3& t, IgesPlaneSink& sink) {
  for (int i = 0; i <= kPlaneSamples; ++i) {
    const double s = local.t0 + (local.t1 - local.t0) * i / kPlaneSamples;
    const CurveSample q = local.at(s);
    const Vec3 placed = t.Apply({q.point.x, q.point.y, zt});
    // The fit only ever sees points within range.
    if (!(std::fabs(placed.x) <= kIgesMaxCoordinate) || !(std::fabs(placed.y) <= kIgesMaxCoordinate)) {
      return Result::kOutOfRange;
    }
    const Result r = FromSink(sink.CheckZ(placed.z));
    if (r != Result::kOk) return r;
  }
  return Result::kOk;
}

// A smooth definition-plane curve from t0 to t1 (or backwards when t1 < t0);
// closed: a full circle or ellipse.
Result FitLocal(ParametricCurve local, double zt, const Affine3& t, IgesPlaneSink& sink, bool closed = false) {
  const bool backwards = local.t1 < local.t0;
  if (backwards) std::swap(local.t0, local.t1);
  if (!(local.t1 > local.t0)) return Result::kOk;  // a single point
  const Result planar = CheckPlane(local, zt, t, sink);
  if (planar != Result::kOk) return planar;
  const ParametricCurve placed = Placed(local, zt, t);
  return FromSink(backwards ? sink.FitBackwards(placed) : sink.Fit(placed, closed));
}

Result AddLine(const IgesParams& p, const Affine3& t, IgesPlaneSink& sink) {
  Vec3 a, b;
  if (!Reals(p, 1, {&a.x, &a.y, &a.z, &b.x, &b.y, &b.z})) return Result::kBadParameters;
  a = t.Apply(a);
  b = t.Apply(b);
  Result r = FromSink(sink.CheckZ(a.z));
  if (r == Result::kOk) r = FromSink(sink.CheckZ(b.z));
  if (r != Result::kOk) return r;
  return FromSink(sink.Add(Entity{a.x, a.y, b.x, b.y, 0, 0, 0}));
}

// A circular arc of the plane z = zt about c, counter-clockwise from s to e
// (a full circle when s and e are the same point). Under a transform that
// keeps circles circles it stays one arc (clockwise when the transform
// mirrors); otherwise it is fitted like any curve.
Result AddCircularArc(CurveVec c, CurveVec s, CurveVec e, double zt, const Affine3& t, IgesPlaneSink& sink) {
  const double r = std::hypot(s.x - c.x, s.y - c.y);
  if (r == 0) return Result::kOk;        // exact: a point draws nothing
  const bool full = FullTurn(s, e, r);
  if (full) e = s;  // the full circle ends exactly where it starts
  const Vec3 a = t.ApplyLinear({1, 0, 0}), b = t.ApplyLinear({0, 1, 0});
  const Vec3 centre = t.Apply({c.x, c.y, zt});
  // Points of the circle lie at most r * |(a.z, b.z)| above or below its centre.
  const double tilt = r * std::hypot(a.z, b.z);
  Result planar = FromSink(sink.CheckZ(centre.z - tilt));
  if (planar == Result::kOk) planar = FromSink(sink.CheckZ(centre.z + tilt));
  if (planar != Result::kOk) return planar;
  // Seen from above the circle becomes an ellipse with semi-axes r s1 and
  // r s2, the singular values of the plane part of t; (s1 - s2)^2 equals
  // |a|^2 + |b|^2 - 2 |a x b|.
  const double cross = a.x * b.y - a.y * b.x;
  const double squares = a.x * a.x + a.y * a.y + b.x * b.x + b.y * b.y;
  const double spread = r * std::sqrt(std::max(0.0, squares - 2 * std::fabs(cross)));
  if (spread <= kIgesFitTolerance) {
    const Vec3 start = t.Apply({s.x, s.y, zt}), end = t.Apply({e.x, e.y, zt});
    const double radius = std::hypot(start.x - centre.x, start.y - centre.y);
    return FromSink(sink.Add(Entity{start.x, start.y, end.x, end.y, centre.x, centre.y, cross < 0 ? -radius : radius}));
  }
  const double a0 = std::atan2(s.y - c.y, s.x - c.x);
  double a1 = std::atan2(e.y - c.y, e.x - c.x);
  if (full) {
    a1 = a0 + kTwoPi;
  } else if (a1 <= a0) {
    a1 += kTwoPi;
  }
  ParametricCurve circle;
  circle.t0 = a0;
  circle.t1 = a1;
  circle.at = [c, r](double u) {
    return CurveSample{{c.x + r * std::cos(u), c.y + r * std::sin(u)}, {-r * std::sin(u), r * std::cos(u)}};
  };
  return FitLocal(circle, zt, t, sink, full);
}

// 100: ZT, centre, start, end.
Result AddArc(const IgesParams& p, const Affine3& t, bool yxOrder, IgesPlaneSink& sink) {
  double zt = 0;
  CurveVec c, s, e;
  if (!Reals(p, 1, {&zt, &c.x, &c.y, &s.x, &s.y, &e.x, &e.y})) return Result::kBadParameters;
  if (yxOrder) {
    // A quarter turn clockwise: (x, y) -> (y, -x); + 0.0 keeps zeros unsigned.
    for (CurveVec* v : {&c, &s, &e}) *v = CurveVec{v->y, -v->x + 0.0};
  }
  return AddCircularArc(c, s, e, zt, t, sink);
}

// 106: IP, N, then (IP 1) ZT and N points x, y; (IP 2) N points x, y, z;
// (IP 3) N points x, y, z with a vector each. A polyline through the points;
// the closed planar curve (form 63) ends where it starts.
Result AddCopious(const IgesEntry& entry, const IgesParams& p, const Affine3& t, IgesPlaneSink& sink) {
  long ip = 0, n = 0;
  if (!p.Integer(1, ip) || !p.Integer(2, n) || n < 0 || static_cast<size_t>(n) > p.tokens.size()) {
    return Result::kBadParameters;
  }
  const size_t count = static_cast<size_t>(n);
  const size_t stride = ip == 1 ? 2 : ip == 2 ? 3 : ip == 3 ? 6 : 0;
  if (stride == 0) return Result::kBadParameters;
  const size_t first = ip == 1 ? 4 : 3;
  double zt = 0;
  if ((ip == 1 && !p.Real(3, zt)) || (count > 0 && !p.Has(first + stride * count - 1))) return Result::kBadParameters;
  std::vector<Vec3> points;
  for (size_t i = 0; i < count; ++i) {
    Vec3 q{0, 0, zt};
    const size_t at = first + stride * i;
    if (!p.Real(at, q.x) || !p.Real(at + 1, q.y) || (ip != 1 && !p.Real(at + 2, q.z))) return Result::kBadParameters;
    q = t.Apply(q);
    const Result r = FromSink(sink.CheckZ(q.z));
    if (r != Result::kOk) return r;
    points.push_back(q);
  }
  if (entry.form == 63 && points.size() > 2) points.push_back(points.front());
  for (size_t i = 1; i < points.size(); ++i) {
    const Result r = FromSink(sink.Add(Entity{points[i - 1].x, points[i - 1].y, points[i].x, points[i].y, 0, 0, 0}));
    if (r != Result::kOk) return r;
  }
  return Result::kOk;
}

// A conic A x^2 + B xy + C y^2 + D x + E y + F = 0 of the plane z = zt from
// s to e (counter-clockwise for an ellipse; a full ellipse when s = e).
struct Conic {
  double a, b, c, d, e, f, zt;
  CurveVec s, end;
};

Result AddEllipse(const Conic& q, const Affine3& t, IgesPlaneSink& sink) {
  const double det = 4 * q.a * q.c - q.b * q.b;
  const CurveVec centre{(-2 * q.c * q.d + q.b * q.e) / det, (-2 * q.a * q.e + q.b * q.d) / det};
  // The value of the conic at its centre, and its principal directions.
  const double f0 = q.f + (q.d * centre.x + q.e * centre.y) / 2;
  const double phi = 0.5 * std::atan2(q.b, q.a - q.c);
  const CurveVec u{std::cos(phi), std::sin(phi)}, v{-u.y, u.x};
  auto along = [&q](CurveVec w) { return q.a * w.x * w.x + q.b * w.x * w.y + q.c * w.y * w.y; };
  const double su = -f0 / along(u), sv = -f0 / along(v);
  if (!(su > 0) || !(sv > 0) || !std::isfinite(su) || !std::isfinite(sv)) return Result::kBadCurve;
  const double ru = std::sqrt(su), rv = std::sqrt(sv);
  if (std::fabs(ru - rv) <= kConicZero * std::max(ru, rv)) return AddCircularArc(centre, q.s, q.end, q.zt, t, sink);
  auto angle = [&](CurveVec w) {
    const double dx = w.x - centre.x, dy = w.y - centre.y;
    return std::atan2((dx * v.x + dy * v.y) / rv, (dx * u.x + dy * u.y) / ru);
  };
  const double a0 = angle(q.s);
  double a1 = angle(q.end);
  const bool full = FullTurn(q.s, q.end, std::max(ru, rv));
  if (full) {
    a1 = a0 + kTwoPi;
  } else if (a1 <= a0) {
    a1 += kTwoPi;
  }
  const ParametricCurve local = EllipseCurve(centre, {ru * u.x, ru * u.y}, rv / ru, a0, a1);
  return FitLocal(local, q.zt, t, sink, full);
}

// Hyperbolas in the standard position A x^2 + C y^2 + F = 0 only, from s to e
// along the branch that holds them.
Result AddHyperbola(const Conic& q, const Affine3& t, IgesPlaneSink& sink) {
  if (std::fabs(q.b) > kConicZero || std::fabs(q.d) > kConicZero || std::fabs(q.e) > kConicZero) {
    return Result::kUnsupported;
  }
  if (!(q.a * q.c < 0) || q.f == 0) return Result::kBadCurve;
  ParametricCurve local;
  if (-q.f / q.a > 0) {
    // x^2/ra^2 - y^2/rb^2 = 1: (k ra cosh u, k rb sinh u) on the branch k.
    const double ra = std::sqrt(-q.f / q.a), rb = std::sqrt(q.f / q.c);
    const double k = q.s.x >= 0 ? 1 : -1;
    if ((q.end.x >= 0 ? 1 : -1) != k) return Result::kBadCurve;
    local.t0 = std::asinh(k * q.s.y / rb);
    local.t1 = std::asinh(k * q.end.y / rb);
    local.at = [ra, rb, k](double u) {
      return CurveSample{{k * ra * std::cosh(u), k * rb * std::sinh(u)}, {k * ra * std::sinh(u), k * rb * std::cosh(u)}};
    };
  } else {
    // y^2/rb^2 - x^2/ra^2 = 1: (-k ra sinh u, k rb cosh u) on the branch k.
    const double rb = std::sqrt(-q.f / q.c), ra = std::sqrt(q.f / q.a);
    const double k = q.s.y >= 0 ? 1 : -1;
    if ((q.end.y >= 0 ? 1 : -1) != k) return Result::kBadCurve;
    local.t0 = std::asinh(-k * q.s.x / ra);
    local.t1 = std::asinh(-k * q.end.x / ra);
    local.at = [ra, rb, k](double u) {
      return CurveSample{{-k * ra * std::sinh(u), k * rb * std::cosh(u)},
                         {-k * ra * std::cosh(u), k * rb * std::sinh(u)}};
    };
  }
  if (!(std::fabs(local.t0) <= kMaxHyperbolaParameter) || !(std::fabs(local.t1) <= kMaxHyperbolaParameter)) {
    return Result::kBadCurve;
  }
  return FitLocal(local, q.zt, t, sink);
}

// Parabolas with an axis parallel to Y (C = 0) or to X (A = 0), from s to e.
Result AddParabola(const Conic& q, const Affine3& t, IgesPlaneSink& sink) {
  if (std::fabs(q.b) > kConicZero) return Result::kUnsupported;
  ParametricCurve local;
  if (std::fabs(q.c) <= kConicZero && std::fabs(q.e) > kConicZero) {
    // y = -(A x^2 + D x + F) / E, by x.
    local.t0 = q.s.x;
    local.t1 = q.end.x;
    local.at = [q](double x) {
      return CurveSample{{x, -(q.a * x * x + q.d * x + q.f) / q.e}, {1, -(2 * q.a * x + q.d) / q.e}};
    };
  } else if (std::fabs(q.a) <= kConicZero && std::fabs(q.d) > kConicZero) {
    // x = -(C y^2 + E y + F) / D, by y.
    local.t0 = q.s.y;
    local.t1 = q.end.y;
    local.at = [q](double y) {
      return CurveSample{{-(q.c * y * y + q.e * y + q.f) / q.d, y}, {-(2 * q.c * y + q.e) / q.d, 1}};
    };
  } else {
    return Result::kUnsupported;
  }
  return FitLocal(local, q.zt, t, sink);
}

// 104: A, B, C, D, E, F, ZT, start, end. The coefficients decide the kind
// (the form number only repeats it).
Result AddConic(const IgesParams& p, const Affine3& t, IgesPlaneSink& sink) {
  Conic q{};
  if (!Reals(p, 1, {&q.a, &q.b, &q.c, &q.d, &q.e, &q.f, &q.zt, &q.s.x, &q.s.y, &q.end.x, &q.end.y})) {
    return Result::kBadParameters;
  }
  const double norm = std::max({std::fabs(q.a), std::fabs(q.b), std::fabs(q.c)});
  if (!(norm > 0)) return Result::kBadCurve;
  for (double* v : {&q.a, &q.b, &q.c, &q.d, &q.e, &q.f}) *v /= norm;
  const double discriminant = q.b * q.b - 4 * q.a * q.c;
  if (discriminant < -kConicZero) return AddEllipse(q, t, sink);
  if (discriminant > kConicZero) return AddHyperbola(q, t, sink);
  return AddParabola(q, t, sink);
}

// 126: K, M, PROP1-4, knots T(-M)..T(N+K), weights W(0..K), control points
// (K + 1 of x, y, z), V(0), V(1), then the plane's normal. The control
// points are placed first (a B-spline follows its control points under any
// affine map); they all lie in the drawing's plane when the curve does.
Result AddSpline(const IgesParams& p, const Affine3& t, IgesPlaneSink& sink) {
  long k = 0, degree = 0, polynomial = 0;
  if (!p.Integer(1, k) || !p.Integer(2, degree) || !p.Integer(5, polynomial)) return Result::kBadParameters;
  // Bounded before any size is computed: K cannot exceed the parameters there are.
  if (degree < 1 || degree > kMaxSplineDegree || k < degree || static_cast<size_t>(k) > p.tokens.size()) {
    return Result::kBadParameters;
  }
  const size_t controls = static_cast<size_t>(k) + 1;
  const size_t knotCount = controls + static_cast<size_t>(degree) + 1;
  const size_t knotsAt = 7, weightsAt = knotsAt + knotCount, pointsAt = weightsAt + controls;
  const size_t rangeAt = pointsAt + 3 * controls;
  if (!p.Has(rangeAt + 1)) return Result::kBadParameters;
  std::vector<double> knots(knotCount), weights(controls);
  std::vector<CurveVec> points(controls);
  for (size_t i = 0; i < knotCount; ++i) {
    if (!p.Real(knotsAt + i, knots[i])) return Result::kBadParameters;
  }
  for (size_t i = 0; i < controls; ++i) {
    Vec3 c;
    if (!p.Real(weightsAt + i, weights[i]) || !Reals(p, pointsAt + 3 * i, {&c.x, &c.y, &c.z})) {
      return Result::kBadParameters;
    }
    c = t.Apply(c);
    // The curve stays within the hull of its control points, so these
    // checks hold for all of it.
    if (!(std::fabs(c.x) <= kIgesMaxCoordinate) || !(std::fabs(c.y) <= kIgesMaxCoordinate)) return Result::kOutOfRange;
    const Result r = FromSink(sink.CheckZ(c.z));
    if (r != Result::kOk) return r;
    points[i] = {c.x, c.y};
  }
  double v0 = 0, v1 = 0;
  if (!p.Real(rangeAt, v0) || !p.Real(rangeAt + 1, v1)) return Result::kBadParameters;
  if (polynomial == 1) weights.clear();  // PROP3 = 1: all weights equal
  ParametricCurve curve = BSplineCurve(static_cast<int>(degree), std::move(knots), std::move(points), std::move(weights));
  if (!curve.at) return Result::kBadCurve;
  // The curve is the part from V(0) to V(1) where that lies within the knots.
  const double t0 = std::max(curve.t0, v0), t1 = std::min(curve.t1, v1);
  if (v0 < v1 && t0 < t1) {
    curve.t0 = t0;
    curve.t1 = t1;
    curve.breaks.erase(std::remove_if(curve.breaks.begin(), curve.breaks.end(),
                                      [t0, t1](double b) { return !(b > t0 && b < t1); }),
                       curve.breaks.end());
  }
  return FromSink(sink.Fit(curve));
}

// 112: CTYPE, H, NDIM, N, breakpoints T(1)..T(N+1), then per segment the
// cubic coefficients A, B, C, D of x, y and z (x = A + B s + C s^2 + D s^3
// with s = t - T(i)). Placed by t into the drawing. Each segment is its own
// piece: writers that print the coefficients to a few digits leave the end
// of one segment a little apart from the start of the next, and a corner is
// allowed where they meet.
Result AddParametricSpline(const IgesParams& p, const Affine3& t, IgesPlaneSink& sink) {
  long n = 0;
  if (!p.Integer(4, n) || n < 1 || static_cast<size_t>(n) > p.tokens.size()) return Result::kBadParameters;
  const size_t segments = static_cast<size_t>(n);
  const size_t coefficientsAt = 5 + segments + 1;
  if (!p.Has(coefficientsAt + 12 * segments - 1)) return Result::kBadParameters;
  std::vector<double> breaks(segments + 1);
  std::vector<std::array<double, 12>> cubic(segments);
  for (size_t i = 0; i <= segments; ++i) {
    if (!p.Real(5 + i, breaks[i])) return Result::kBadParameters;
    if (i > 0 && !(breaks[i] > breaks[i - 1])) return Result::kBadCurve;
  }
  for (size_t i = 0; i < segments; ++i) {
    for (size_t j = 0; j < 12; ++j) {
      if (!p.Real(coefficientsAt + 12 * i + j, cubic[i][j])) return Result::kBadParameters;
    }
  }
  // Segment i's point and derivative in its own space at parameter u.
  auto local = [](const std::array<double, 12>& c, double s, Vec3& point, Vec3& derivative) {
    auto value = [s](const double* k) { return k[0] + s * (k[1] + s * (k[2] + s * k[3])); };
    auto slope = [s](const double* k) { return k[1] + s * (2 * k[2] + s * 3 * k[3]); };
    point = {value(&c[0]), value(&c[4]), value(&c[8])};
    derivative = {slope(&c[0]), slope(&c[4]), slope(&c[8])};
  };
  constexpr int kSegmentSamples = 16;
  std::vector<ParametricCurve> pieces;
  for (size_t i = 0; i < segments; ++i) {
    for (int j = 0; j <= kSegmentSamples; ++j) {
      Vec3 q, d;
      local(cubic[i], (breaks[i + 1] - breaks[i]) * j / kSegmentSamples, q, d);
      q = t.Apply(q);
      if (!(std::fabs(q.x) <= kIgesMaxCoordinate) || !(std::fabs(q.y) <= kIgesMaxCoordinate)) {
        return Result::kOutOfRange;
      }
      const Result r = FromSink(sink.CheckZ(q.z));
      if (r != Result::kOk) return r;
    }
    ParametricCurve piece;
    piece.t0 = 0;
    piece.t1 = breaks[i + 1] - breaks[i];
    piece.at = [local, c = cubic[i], t](double s) {
      Vec3 q, d;
      local(c, s, q, d);
      q = t.Apply(q);
      d = t.ApplyLinear(d);
      return CurveSample{{q.x, q.y}, {d.x, d.y}};
    };
    pieces.push_back(std::move(piece));
  }
  return FromSink(sink.FitPieces(pieces));
}

}  // namespace

IgesCurveResult AddIgesCurve(const IgesEntry& entry, const IgesParams& p, const Affine3& t, bool yxOrder,
                             IgesPlaneSink& sink) {
  switch (entry.type) {
    case 100: return AddArc(p, t, yxOrder, sink);
    case 104: return AddConic(p, t, sink);
    case 106: return AddCopious(entry, p, t, sink);
    case 110: return AddLine(p, t, sink);
    case 112: return AddParametricSpline(p, t, sink);
    case 126: return AddSpline(p, t, sink);
    default: return Result::kUnsupported;
  }
}

}  // namespace vx
