// Biarc fitting of smooth plane curves, and the ellipse and B-spline curves the importers fit.
#include "exchange/curve_fit.h"

#include <algorithm>
#include <cmath>
#include <tuple>
#include <utility>

namespace vx {
namespace {

constexpr double kPi = 3.14159265358979323846;

// Points of the curve checked against each fitted biarc, inside its span.
constexpr int kCheckSamples = 24;
// The fit aims inside this share of the tolerance, so that the curve between
// the checked samples stays within the whole tolerance.
constexpr double kToleranceShare = 0.85;
// An arc whose sagitta is below this (mm) is written as a line: far inside
// the tolerance, and it keeps radii of nearly straight pieces from growing huge.
constexpr double kStraightSagitta = 1e-5;
// Bisection steps when searching the longest span that still fits.
constexpr int kSearchSteps = 12;
// Halvings of a span before a fit is given up as impossible (a cusp or a
// curve that is not smooth where it claims to be): 2^-40 of the span.
constexpr int kMaxHalvings = 40;

CurveVec Add(CurveVec a, CurveVec b) { return {a.x + b.x, a.y + b.y}; }
CurveVec Sub(CurveVec a, CurveVec b) { return {a.x - b.x, a.y - b.y}; }
CurveVec Scale(CurveVec a, double s) { return {a.x * s, a.y * s}; }
double Dot(CurveVec a, CurveVec b) { return a.x * b.x + a.y * b.y; }
double Cross(CurveVec a, CurveVec b) { return a.x * b.y - a.y * b.x; }
double Length(CurveVec a) { return std::hypot(a.x, a.y); }
CurveVec Left(CurveVec a) { return {-a.y, a.x}; }
bool Finite(CurveVec a) { return std::isfinite(a.x) && std::isfinite(a.y); }

// One arc (or line, when straight) of a fit, as an entity.
Entity MakeSegment(CurveVec from, CurveVec to, CurveVec centre, double signedRadius, bool straight) {
  Entity e;
  e.X1 = from.x;
  e.Y1 = from.y;
  e.X2 = to.x;
  e.Y2 = to.y;
  if (!straight) {
    e.CX = centre.x;
    e.CY = centre.y;
    e.R = signedRadius;
  }
  return e;
}

// The arc that leaves `from` in the unit direction `tangent` and reaches
// `to`. Its centre lies on the left normal at signed distance s = |w|² / (2 N·w)
// (w = to − from): s > 0 turns counter-clockwise. A line when the arc is flat.
Entity ArcFromStart(CurveVec from, CurveVec tangent, CurveVec to) {
  const CurveVec w = Sub(to, from);
  const double chord2 = Dot(w, w);
  const double nw = Dot(Left(tangent), w);
  // The chord leaves the tangent at an angle θ with N·w = c sin θ; the arc's
  // sagitta is c (1 − cos θ) / (2 sin θ), about |N·w| / 4 for small θ.
  if (chord2 == 0 || std::fabs(nw) / 4 <= kStraightSagitta) {
    return MakeSegment(from, to, {}, 0, true);
  }
  const double s = chord2 / (2 * nw);
  const CurveVec centre = Add(from, Scale(Left(tangent), s));
  return MakeSegment(from, to, centre, s, false);
}

// The arc that reaches `to` in the unit direction `tangent`, coming from `from`.
Entity ArcToEnd(CurveVec from, CurveVec to, CurveVec tangent) {
  const CurveVec w = Sub(from, to);
  const double chord2 = Dot(w, w);
  const double nw = Dot(Left(tangent), w);
  if (chord2 == 0 || std::fabs(nw) / 4 <= kStraightSagitta) {
    return MakeSegment(from, to, {}, 0, true);
  }
  const double s = chord2 / (2 * nw);
  const CurveVec centre = Add(to, Scale(Left(tangent), s));
  return MakeSegment(from, to, centre, s, false);
}

// Distance from q to an entity: to the arc where q lies within its sweep,
// else to the nearer end; to the segment for a line.
double DistanceTo(const Entity& e, CurveVec q) {
  const CurveVec a{e.X1, e.Y1}, b{e.X2, e.Y2};
  const double endDistance = std::min(Length(Sub(q, a)), Length(Sub(q, b)));
  if (e.R == 0) {
    const CurveVec ab = Sub(b, a);
    const double len2 = Dot(ab, ab);
    if (len2 == 0) return endDistance;
    const double u = std::clamp(Dot(Sub(q, a), ab) / len2, 0.0, 1.0);
    return Length(Sub(q, Add(a, Scale(ab, u))));
  }
  const CurveVec c{e.CX, e.CY};
  const CurveVec ca = Sub(a, c), cb = Sub(b, c), cq = Sub(q, c);
  // Sweep angles measured in the arc's own turning direction.
  const double turn = e.R > 0 ? 1.0 : -1.0;
  auto angleFromStart = [&](CurveVec v) {
    double angle = std::atan2(turn * Cross(ca, v), Dot(ca, v));
    if (angle < 0) angle += 2 * kPi;
    return angle;
  };
  const double sweep = angleFromStart(cb);
  if (angleFromStart(cq) <= sweep) return std::fabs(Length(cq) - std::fabs(e.R));
  return endDistance;
}

// The sweep of an arc entity in radians (0 for a line).
double Sweep(const Entity& e) {
  if (e.R == 0) return 0;
  const CurveVec ca{e.X1 - e.CX, e.Y1 - e.CY}, cb{e.X2 - e.CX, e.Y2 - e.CY};
  const double turn = e.R > 0 ? 1.0 : -1.0;
  double angle = std::atan2(turn * Cross(ca, cb), Dot(ca, cb));
  if (angle < 0) angle += 2 * kPi;
  return angle;
}

class Fitter {
 public:
  Fitter(const ParametricCurve& curve, double tolerance) : m_curve(curve), m_tolerance(tolerance * kToleranceShare) {}

  // Appends the arcs of [ta, tb]; false when more than `room` would be needed
  // or the curve gives no usable numbers.
  bool FitPiece(double ta, double tb, std::vector<Entity>& out, size_t room) {
    m_pieceEnd = tb;
    const CurveVec end = m_curve.at(tb).point;
    double a = ta;
    while (a < tb) {
      double b = tb;
      std::vector<Entity> fit;
      if (!TryPiece(a, b, fit)) {
        // Halve until a span fits, then search the longest span that does.
        double good = a, bad = b;
        for (int i = 0; i < kMaxHalvings && good == a; ++i) {
          const double mid = a + (bad - a) * 0.5;
          if (!(mid > a)) break;
          std::vector<Entity> trial;
          if (TryPiece(a, mid, trial)) {
            good = mid;
            fit = std::move(trial);
          } else {
            bad = mid;
          }
        }
        if (good == a) return false;
        for (int i = 0; i < kSearchSteps; ++i) {
          const double mid = good + (bad - good) * 0.5;
          std::vector<Entity> trial;
          if (TryPiece(a, mid, trial)) {
            good = mid;
            fit = std::move(trial);
          } else {
            bad = mid;
          }
        }
        b = good;
      }
      for (Entity& e : fit) {
        if (out.size() >= room) {
          m_full = true;
          return false;
        }
        out.push_back(e);
      }
      a = b;
    }
    if (!out.empty()) {
      // The last arc ends exactly on the curve's end.
      out.back().X2 = end.x;
      out.back().Y2 = end.y;
    }
    return true;
  }

  // The last failed piece needed more entities than its room.
  bool Full() const { return m_full; }

 private:
  // A biarc over [a, b], or, where none fits, one straight line when the
  // whole stretch stays within the tolerance of its first point (no line
  // when it ends where it starts). Only a stretch of the curve smaller than
  // the tolerance takes the line, so the arcs of ordinary curves are those
  // of the biarcs alone.
  bool TryPiece(double a, double b, std::vector<Entity>& fit) const {
    return TryBiarc(a, b, fit) || TrySmallStretch(a, b, fit);
  }

  bool TrySmallStretch(double a, double b, std::vector<Entity>& fit) const {
    const CurveVec p0 = m_curve.at(a).point, p1 = m_curve.at(b).point;
    if (!Finite(p0) || !Finite(p1) || !(Length(Sub(p1, p0)) <= m_tolerance)) return false;
    for (int i = 1; i <= kCheckSamples; ++i) {
      const CurveVec q = m_curve.at(a + (b - a) * i / (kCheckSamples + 1)).point;
      if (!Finite(q) || !(Length(Sub(q, p0)) <= m_tolerance)) return false;
    }
    fit.clear();
    if (p0.x != p1.x || p0.y != p1.y) fit.push_back(MakeSegment(p0, p1, {}, 0, true));  // exact: no length
    return true;
  }

  // Unit tangent at t; where the derivative vanishes, the direction towards a
  // nearby point of the curve.
  bool Tangent(double t, double ta, double tb, CurveVec& tangent) const {
    // At the end of a piece the derivative is taken just before it: a break
    // belongs to the piece after it when the curve is evaluated there.
    const CurveSample s = m_curve.at(t == m_pieceEnd ? t - (tb - ta) * 1e-9 : t);  // exact: the piece's own end
    double len = Length(s.derivative);
    if (len > 1e-12 && std::isfinite(len)) {
      tangent = Scale(s.derivative, 1 / len);
      return true;
    }
    const double h = (tb - ta) * 1e-6;
    const bool atEnd = t + h > tb;
    const CurveVec other = m_curve.at(atEnd ? t - h : t + h).point;
    CurveVec dir = atEnd ? Sub(s.point, other) : Sub(other, s.point);
    len = Length(dir);
    if (!(len > 0) || !std::isfinite(len)) return false;
    tangent = Scale(dir, 1 / len);
    return true;
  }

  // The biarc between C(a) and C(b), if one stays within the tolerance. The
  // joints of all biarcs between two points with given tangents lie on one
  // circle through both points; the joint nearest the curve's middle is tried
  // first, then the joint of equal tangent lengths.
  bool TryBiarc(double a, double b, std::vector<Entity>& fit) const {
    const CurveVec p0 = m_curve.at(a).point, p1 = m_curve.at(b).point;
    CurveVec t0, t1;
    if (!Finite(p0) || !Finite(p1) || !Tangent(a, a, b, t0) || !Tangent(b, a, b, t1)) return false;
    const CurveVec v = Sub(p1, p0);
    if (Dot(v, v) == 0) return false;  // a closed span cannot be one biarc
    // Equal tangent lengths d from both ends: |v − d(t0 + t1)|² = (2d)², i.e.
    // 2(1 − t0·t1) d² + 2 v·(t0 + t1) d − |v|² = 0, taking the positive root.
    const CurveVec t = Add(t0, t1);
    const double vt = Dot(v, t);
    const double denom = 2 * (1 - Dot(t0, t1));
    double d;
    if (denom < 1e-12) {
      const double vt1 = Dot(v, t1);
      if (vt1 <= 0) return false;  // parallel tangents against the chord: a loop
      d = Dot(v, v) / (4 * vt1);
    } else {
      d = (-vt + std::sqrt(vt * vt + denom * Dot(v, v))) / denom;
    }
    if (!(d > 0) || !std::isfinite(d)) return false;
    const CurveVec equalJoint = Scale(Add(Add(p0, Scale(t0, d)), Sub(p1, Scale(t1, d))), 0.5);

    const CurveVec middle = m_curve.at(a + (b - a) * 0.5).point;
    CurveVec nearJoint;
    if (Finite(middle) && JointNearest(p0, p1, equalJoint, middle, nearJoint) &&
        Accept(a, b, p0, t0, nearJoint, p1, t1, fit)) {
      return true;
    }
    return Accept(a, b, p0, t0, equalJoint, p1, t1, fit);
  }

  // The point of the circle through p0, p1 and joint nearest to m; false when
  // the three points are in line.
  static bool JointNearest(CurveVec p0, CurveVec p1, CurveVec joint, CurveVec m, CurveVec& nearest) {
    const CurveVec b = Sub(p1, p0), c = Sub(joint, p0);
    const double det = 2 * Cross(b, c);
    if (std::fabs(det) <= 1e-12 * Dot(b, b)) return false;
    const double bb = Dot(b, b), cc = Dot(c, c);
    const CurveVec centre = Add(p0, CurveVec{(c.y * bb - b.y * cc) / det, (b.x * cc - c.x * bb) / det});
    const CurveVec cm = Sub(m, centre);
    const double len = Length(cm);
    if (!(len > 0) || !std::isfinite(len)) return false;
    nearest = Add(centre, Scale(cm, Length(Sub(p0, centre)) / len));
    return Finite(nearest);
  }

  // The two arcs through the joint, if they are tangent there, turn by at
  // most a quarter each, and stay within the tolerance of the curve.
  bool Accept(double a, double b, CurveVec p0, CurveVec t0, CurveVec joint, CurveVec p1, CurveVec t1,
              std::vector<Entity>& fit) const {
    fit.clear();
    fit.push_back(ArcFromStart(p0, t0, joint));
    fit.push_back(ArcToEnd(joint, p1, t1));
    for (const Entity& e : fit) {
      if (Sweep(e) > kPi / 2) return false;
    }
    if (!TangentAtJoint(fit[0], fit[1])) return false;
    for (int i = 1; i <= kCheckSamples; ++i) {
      const double u = a + (b - a) * i / (kCheckSamples + 1);
      const CurveVec q = m_curve.at(u).point;
      if (!Finite(q)) return false;
      if (std::min(DistanceTo(fit[0], q), DistanceTo(fit[1], q)) > m_tolerance) return false;
    }
    // A flat joint between two lines is one line.
    if (fit[0].R == 0 && fit[1].R == 0) {
      fit[0].X2 = p1.x;
      fit[0].Y2 = p1.y;
      fit.pop_back();
    }
    return true;
  }

  // The end direction of the first entity and the start direction of the second agree.
  static bool TangentAtJoint(const Entity& first, const Entity& second) {
    auto direction = [](const Entity& e, bool atEnd) {
      const double x = atEnd ? e.X2 : e.X1, y = atEnd ? e.Y2 : e.Y1;
      if (e.R == 0) return CurveVec{e.X2 - e.X1, e.Y2 - e.Y1};
      const CurveVec radial{x - e.CX, y - e.CY};
      return e.R > 0 ? Left(radial) : Scale(Left(radial), -1);
    };
    const CurveVec u = direction(first, true), w = direction(second, false);
    const double lu = Length(u), lw = Length(w);
    if (!(lu > 0) || !(lw > 0)) return false;
    // Within a thousandth of a radian: the arcs meet without a visible kink.
    return Dot(u, w) > 0 && std::fabs(Cross(u, w)) <= 1e-3 * lu * lw;
  }

  const ParametricCurve& m_curve;
  double m_tolerance;
  double m_pieceEnd = 0;
  bool m_full = false;  // a piece needed more entities than its room
};

// Degrees beyond this are not met in drawings; the limit keeps the basis table small.
constexpr int kMaxDegree = 25;

// B-spline basis functions of degree p and their first derivatives at u in
// span k (knots[k] <= u < knots[k + 1]): n[j] and dn[j] for control k − p + j.
// Works in fixed tables on the stack: the fitting evaluates a curve tens of
// thousands of times.
void BasisAndDerivatives(const std::vector<double>& knots, int p, int k, double u, double* n, double* dn) {
  // Table of basis values of every degree up to p (the usual triangular
  // scheme): the lower triangle holds the knot differences, the upper the
  // basis values. Every entry read is written first.
  double table[kMaxDegree + 1][kMaxDegree + 1];
  double left[kMaxDegree + 1], right[kMaxDegree + 1];
  table[0][0] = 1.0;
  for (int j = 1; j <= p; ++j) {
    left[j] = u - knots[static_cast<size_t>(k + 1 - j)];
    right[j] = knots[static_cast<size_t>(k + j)] - u;
    double saved = 0.0;
    for (int r = 0; r < j; ++r) {
      table[j][r] = right[r + 1] + left[j - r];
      const double denom = table[j][r];
      const double temp = denom != 0 ? table[r][j - 1] / denom : 0.0;
      table[r][j] = saved + right[r + 1] * temp;
      saved = left[j - r] * temp;
    }
    table[j][j] = saved;
  }
  for (int j = 0; j <= p; ++j) n[j] = table[j][p];
  // First derivative: p * (N_{j,p-1} / (u_{j+p} − u_j) − N_{j+1,p-1} / (u_{j+p+1} − u_{j+1})).
  for (int j = 0; j <= p; ++j) {
    double d = 0.0;
    if (j >= 1) {
      const double denom = table[p][j - 1];
      if (denom != 0) d += table[j - 1][p - 1] / denom;
    }
    if (j <= p - 1) {
      const double denom = table[p][j];
      if (denom != 0) d -= table[j][p - 1] / denom;
    }
    dn[j] = p * d;
  }
}

}  // namespace

CurveFitResult FitArcs(const ParametricCurve& curve, double tolerance, std::vector<Entity>& out, int maxEntities) {
  CurveFitResult result;
  if (!curve.at || !(curve.t1 > curve.t0) || !(tolerance > 0) || maxEntities < 0) {
    result.ok = curve.at && curve.t1 == curve.t0;  // an empty span fits with no arcs
    return result;
  }
  std::vector<double> cuts{curve.t0};
  for (double b : curve.breaks) {
    if (b > cuts.back() && b < curve.t1) cuts.push_back(b);
  }
  cuts.push_back(curve.t1);

  std::vector<Entity> fitted;
  Fitter fitter(curve, tolerance);
  for (size_t i = 0; i + 1 < cuts.size(); ++i) {
    const CurveVec from = curve.at(cuts[i]).point, to = curve.at(cuts[i + 1]).point;
    if (!Finite(from) || !Finite(to)) {
      result.ok = false;
      return result;
    }
    std::vector<Entity> piece;
    // A piece that is closed on itself (a full ellipse, a closed spline) is
    // fitted in two halves; one whose ends coincide and which has no length is skipped.
    if (from.x == to.x && from.y == to.y) {  // exact: the same parameter point
      const double mid = cuts[i] + (cuts[i + 1] - cuts[i]) * 0.5;
      const CurveVec m = curve.at(mid).point;
      if (!Finite(m)) {
        result.ok = false;
        return result;
      }
      if (Length(Sub(m, from)) <= tolerance * 1e-3) continue;
      if (!fitter.FitPiece(cuts[i], mid, piece, static_cast<size_t>(maxEntities)) ||
          !fitter.FitPiece(mid, cuts[i + 1], piece, static_cast<size_t>(maxEntities))) {
        result.ok = false;
        result.full = fitter.Full();
        return result;
      }
    } else if (!fitter.FitPiece(cuts[i], cuts[i + 1], piece, static_cast<size_t>(maxEntities))) {
      result.ok = false;
      result.full = fitter.Full();
      return result;
    }
    for (const Entity& e : piece) {
      if (static_cast<int>(fitted.size()) >= maxEntities) {
        result.ok = false;
        result.full = true;
        return result;
      }
      fitted.push_back(e);
    }
  }
  // Each entity starts exactly where the one before it ends, the first exactly at C(t0).
  if (!fitted.empty()) {
    const CurveVec start = curve.at(curve.t0).point;
    fitted.front().X1 = start.x;
    fitted.front().Y1 = start.y;
    for (size_t i = 1; i < fitted.size(); ++i) {
      fitted[i].X1 = fitted[i - 1].X2;
      fitted[i].Y1 = fitted[i - 1].Y2;
    }
  }
  result.arcCount = static_cast<int>(fitted.size());
  out.insert(out.end(), fitted.begin(), fitted.end());
  return result;
}

ParametricCurve EllipseCurve(CurveVec centre, CurveVec major, double ratio, double startRad, double endRad) {
  ParametricCurve curve;
  if (!Finite(centre) || !Finite(major) || !(ratio > 0) || !std::isfinite(ratio) || !std::isfinite(startRad) ||
      !std::isfinite(endRad) || !(endRad > startRad) || Length(major) == 0) {
    return curve;
  }
  const CurveVec minor = Scale(Left(major), ratio);
  curve.at = [centre, major, minor](double t) {
    const double c = std::cos(t), s = std::sin(t);
    CurveSample sample;
    sample.point = Add(centre, Add(Scale(major, c), Scale(minor, s)));
    sample.derivative = Add(Scale(major, -s), Scale(minor, c));
    return sample;
  };
  curve.t0 = startRad;
  curve.t1 = endRad;
  return curve;
}

ParametricCurve BSplineCurve(int degree, std::vector<double> knots, std::vector<CurveVec> control,
                             std::vector<double> weights) {
  ParametricCurve curve;
  const size_t n = control.size();
  if (degree < 1 || degree > kMaxDegree || n < static_cast<size_t>(degree) + 1 ||
      knots.size() != n + static_cast<size_t>(degree) + 1) {
    return curve;
  }
  if (!weights.empty() && weights.size() != n) return curve;
  for (size_t i = 0; i < knots.size(); ++i) {
    if (!std::isfinite(knots[i]) || (i > 0 && knots[i] < knots[i - 1])) return curve;
  }
  for (const CurveVec& c : control) {
    if (!Finite(c)) return curve;
  }
  for (double w : weights) {
    if (!(w > 0) || !std::isfinite(w)) return curve;
  }
  const int p = degree;
  const double lo = knots[static_cast<size_t>(p)], hi = knots[n];
  if (!(hi > lo)) return curve;

  // Inner knots repeated degree times or more may carry a corner.
  for (size_t i = static_cast<size_t>(p) + 1; i < n;) {
    size_t j = i;
    while (j < n && knots[j] == knots[i]) ++j;  // exact: repeated knots are equal values
    if (static_cast<int>(j - i) >= p && knots[i] > lo && knots[i] < hi) curve.breaks.push_back(knots[i]);
    i = j;
  }

  curve.t0 = lo;
  curve.t1 = hi;
  curve.at = [p, knots = std::move(knots), control = std::move(control), weights = std::move(weights), lo,
              hi](double u) {
    u = std::clamp(u, lo, hi);
    const size_t count = control.size();
    // The span holding u: the last k in [p, count − 1] with knots[k] <= u and knots[k] < knots[k + 1].
    size_t k = static_cast<size_t>(std::upper_bound(knots.begin() + p, knots.begin() + static_cast<long>(count), u) -
                                   knots.begin()) - 1;
    while (k > static_cast<size_t>(p) && knots[k] == knots[k + 1]) --k;  // exact: an empty span
    double nb[kMaxDegree + 1], dnb[kMaxDegree + 1];
    BasisAndDerivatives(knots, p, static_cast<int>(k), u, nb, dnb);
    double ax = 0, ay = 0, aw = 0, dx = 0, dy = 0, dw = 0;
    for (int j = 0; j <= p; ++j) {
      const size_t i = k - static_cast<size_t>(p) + static_cast<size_t>(j);
      const double w = weights.empty() ? 1.0 : weights[i];
      ax += nb[static_cast<size_t>(j)] * w * control[i].x;
      ay += nb[static_cast<size_t>(j)] * w * control[i].y;
      aw += nb[static_cast<size_t>(j)] * w;
      dx += dnb[static_cast<size_t>(j)] * w * control[i].x;
      dy += dnb[static_cast<size_t>(j)] * w * control[i].y;
      dw += dnb[static_cast<size_t>(j)] * w;
    }
    CurveSample s;
    if (aw == 0) {
      s.point = {NAN, NAN};
      return s;
    }
    s.point = {ax / aw, ay / aw};
    // (A / w)' = (A' w − A w') / w².
    s.derivative = {(dx * aw - ax * dw) / (aw * aw), (dy * aw - ay * dw) / (aw * aw)};
    return s;
  };
  return curve;
}

std::vector<double> UniformClampedKnots(size_t controlCount, int degree) {
  std::vector<double> knots;
  const size_t order = static_cast<size_t>(degree) + 1;
  if (degree < 1 || controlCount < order) return knots;
  const size_t inner = controlCount - order;
  knots.assign(order, 0.0);
  for (size_t i = 1; i <= inner; ++i) knots.push_back(static_cast<double>(i));
  knots.insert(knots.end(), order, static_cast<double>(inner + 1));
  return knots;
}

namespace {

double CrossLength(CurveVec a, CurveVec b) { return std::fabs(Cross(a, b)); }

// The end tangents of fit points estimated from five points (Akima): at an
// end, the chords next to it and two chords extended beyond it, weighted by
// how sharply the chords turn on either side. Needs three points or more.
std::pair<CurveVec, CurveVec> FivePointEndTangents(const std::vector<CurveVec>& p) {
  const size_t n = p.size();
  // q[i + 1] holds chord i (p[i + 1] − p[i]) for i = 0..n − 2, with two
  // chords extended linearly beyond each end.
  std::vector<CurveVec> q(n + 3);
  for (size_t i = 0; i + 1 < n; ++i) q[i + 2] = Sub(p[i + 1], p[i]);
  q[1] = Sub(Scale(q[2], 2), q[3]);
  q[0] = Sub(Scale(q[1], 2), q[2]);
  q[n + 1] = Sub(Scale(q[n], 2), q[n - 1]);
  q[n + 2] = Sub(Scale(q[n + 1], 2), q[n]);
  auto tangent = [&q](size_t k) {  // at point k, from chords k − 2 .. k + 1 (in q: k .. k + 3)
    const double v1 = CrossLength(q[k], q[k + 1]), v2 = CrossLength(q[k + 2], q[k + 3]);
    // Points in line turn nowhere: the two chords count alike.
    const double alpha = v1 + v2 > 0 ? v1 / (v1 + v2) : 0.5;
    return Add(Scale(q[k + 1], 1 - alpha), Scale(q[k + 2], alpha));
  };
  return {tangent(0), tangent(n - 1)};
}

// Solves a x = b (n unknowns, dense rows) by Gaussian elimination with
// partial pivoting, for two right-hand sides at once; the work is kept to
// the band of nonzero entries. False when the system is singular.
bool SolveBanded(std::vector<std::vector<double>>& a, std::vector<CurveVec>& b) {
  const size_t n = a.size();
  size_t lower = 0, upper = 0;
  for (size_t i = 0; i < n; ++i) {
    for (size_t j = 0; j < n; ++j) {
      if (a[i][j] == 0) continue;  // exact: structural zeros
      if (j < i) lower = std::max(lower, i - j);
      if (j > i) upper = std::max(upper, j - i);
    }
  }
  const size_t reach = lower + upper;  // fill-in of the rows swapped up
  for (size_t k = 0; k < n; ++k) {
    size_t pivot = k;
    const size_t lastRow = std::min(n - 1, k + lower);
    for (size_t i = k + 1; i <= lastRow; ++i) {
      if (std::fabs(a[i][k]) > std::fabs(a[pivot][k])) pivot = i;
    }
    if (!(std::fabs(a[pivot][k]) > 1e-14)) return false;
    std::swap(a[pivot], a[k]);
    std::swap(b[pivot], b[k]);
    const size_t lastColumn = std::min(n - 1, k + reach);
    for (size_t i = k + 1; i <= lastRow; ++i) {
      const double f = a[i][k] / a[k][k];
      if (f == 0) continue;  // exact: nothing to eliminate
      for (size_t j = k; j <= lastColumn; ++j) a[i][j] -= f * a[k][j];
      b[i] = Sub(b[i], Scale(b[k], f));
    }
  }
  for (size_t k = n; k-- > 0;) {
    CurveVec sum = b[k];
    const size_t lastColumn = std::min(n - 1, k + reach);
    for (size_t j = k + 1; j <= lastColumn; ++j) sum = Sub(sum, Scale(b[j], a[k][j]));
    b[k] = Scale(sum, 1 / a[k][k]);
    if (!Finite(b[k])) return false;
  }
  return true;
}

}  // namespace

ParametricCurve FitPointCurve(const std::vector<CurveVec>& fit, const CurveVec* startTangent,
                              const CurveVec* endTangent) {
  const bool given = startTangent != nullptr && endTangent != nullptr;
  const size_t count = fit.size();
  if (count < (given ? 2u : 3u) || count > kMaxFitPoints) return {};
  for (const CurveVec& p : fit) {
    if (!Finite(p)) return {};
  }
  // Chord-length parameters 0 = t[0] < ... < t[m] = 1.
  const size_t m = count - 1;
  std::vector<double> t(count, 0.0);
  double total = 0;
  for (size_t i = 0; i < m; ++i) {
    const double d = Length(Sub(fit[i + 1], fit[i]));
    if (!(d > 0)) return {};  // a point repeated: no parameter step
    total += d;
    t[i + 1] = total;
  }
  for (size_t i = 1; i < m; ++i) t[i] /= total;
  t[m] = 1.0;
  // End derivatives: the tangent directions scaled by the polygon's length.
  CurveVec d0, d1;
  if (given) {
    d0 = *startTangent;
    d1 = *endTangent;
  } else {
    std::tie(d0, d1) = FivePointEndTangents(fit);
  }
  const double l0 = Length(d0), l1 = Length(d1);
  if (!(l0 > 0) || !(l1 > 0) || !std::isfinite(l0) || !std::isfinite(l1)) return {};
  d0 = Scale(d0, total / l0);
  d1 = Scale(d1, total / l1);

  // Knots: four zeros, the inner parameters, four ones; m + 3 control points.
  constexpr int p = 3;
  const size_t n = m + 3;
  std::vector<double> knots(p + 1, 0.0);
  knots.insert(knots.end(), t.begin() + 1, t.end() - 1);
  knots.insert(knots.end(), p + 1, 1.0);
  // Rows: the curve at each parameter passes its fit point; the second and
  // the last but one rows give the end derivatives,
  // C'(0) = p / knots[p + 1] (P1 − P0) and C'(1) = p / (1 − knots[n − 1]) (Pn−1 − Pn−2).
  std::vector<std::vector<double>> a;
  std::vector<CurveVec> b;
  a.reserve(n);
  b.reserve(n);
  auto basisRow = [&](double u) {
    std::vector<double> row(n, 0.0);
    // The span holding u (the last non-empty one at u = 1).
    size_t k = static_cast<size_t>(std::upper_bound(knots.begin() + p, knots.begin() + static_cast<long>(n), u) -
                                   knots.begin()) - 1;
    while (k > static_cast<size_t>(p) && knots[k] == knots[k + 1]) --k;  // exact: an empty span
    double nb[kMaxDegree + 1], dnb[kMaxDegree + 1];
    BasisAndDerivatives(knots, p, static_cast<int>(k), u, nb, dnb);
    for (int j = 0; j <= p; ++j) row[k - p + static_cast<size_t>(j)] = nb[j];
    return row;
  };
  std::vector<double> first(n, 0.0), last(n, 0.0);
  first[0] = -1;
  first[1] = 1;
  last[n - 2] = -1;
  last[n - 1] = 1;
  for (size_t i = 0; i <= m; ++i) {
    if (i == m) {
      a.push_back(last);
      b.push_back(Scale(d1, (1.0 - knots[n - 1]) / p));
    }
    a.push_back(basisRow(t[i]));
    b.push_back(fit[i]);
    if (i == 0) {
      a.push_back(first);
      b.push_back(Scale(d0, knots[p + 1] / p));
    }
  }
  if (!SolveBanded(a, b)) return {};
  return BSplineCurve(p, std::move(knots), std::move(b), {});
}

}  // namespace vx
