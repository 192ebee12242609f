// Transforms of IGES geometry and the plane check of the drawing.
#include "exchange/iges_geometry.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace vx {

Vec3 Affine3::Apply(const Vec3& p) const {
  const Vec3 v = ApplyLinear(p);
  return {v.x + t[0], v.y + t[1], v.z + t[2]};
}

Vec3 Affine3::ApplyLinear(const Vec3& v) const {
  return {l[0][0] * v.x + l[0][1] * v.y + l[0][2] * v.z, l[1][0] * v.x + l[1][1] * v.y + l[1][2] * v.z,
          l[2][0] * v.x + l[2][1] * v.y + l[2][2] * v.z};
}

Affine3 Affine3::Then(const Affine3& outer) const {
  Affine3 r;
  for (int i = 0; i < 3; ++i) {
    for (int j = 0; j < 3; ++j) {
      r.l[i][j] = outer.l[i][0] * l[0][j] + outer.l[i][1] * l[1][j] + outer.l[i][2] * l[2][j];
    }
    r.t[i] = outer.l[i][0] * t[0] + outer.l[i][1] * t[1] + outer.l[i][2] * t[2] + outer.t[i];
  }
  return r;
}

Affine3 Affine3::Scale(double s) { return ScaleThenTranslate(s, {}); }

Affine3 Affine3::ScaleThenTranslate(double s, const Vec3& offset) {
  Affine3 r;
  for (int i = 0; i < 3; ++i) r.l[i][i] = s;
  r.t[0] = offset.x;
  r.t[1] = offset.y;
  r.t[2] = offset.z;
  return r;
}

IgesPlaneSink::Status IgesPlaneSink::CheckZ(double z) {
  if (!std::isfinite(z) || std::fabs(z) > kIgesMaxCoordinate) return Status::kOutOfRange;
  if (!m_hasPlane) {
    m_hasPlane = true;
    m_planeZ = z;
    return Status::kOk;
  }
  return std::fabs(z - m_planeZ) <= kIgesPlaneTolerance ? Status::kOk : Status::kNotPlanar;
}

IgesPlaneSink::Status IgesPlaneSink::Add(const Entity& e) {
  for (double v : {e.X1, e.Y1, e.X2, e.Y2, e.CX, e.CY, e.R}) {
    // Written this way round so that NaN fails too.
    if (!(std::fabs(v) <= kIgesMaxCoordinate)) return Status::kOutOfRange;
  }
  // Deliberately exact: only a line of no length at all is nothing; the
  // post-processing judges lengths after rounding.
  if (e.R == 0 && e.X1 == e.X2 && e.Y1 == e.Y2) return Status::kOk;
  if (m_list.count >= EntityList::kMaxEntities) return Status::kFull;
  Entity& slot = m_list.entity[++m_list.count];
  slot = e;
  for (double* v : {&slot.X1, &slot.Y1, &slot.X2, &slot.Y2, &slot.CX, &slot.CY, &slot.R}) *v += 0.0;
  return Status::kOk;
}

IgesPlaneSink::Status IgesPlaneSink::AddAll(const std::vector<Entity>& entities) {
  for (const Entity& e : entities) {
    const Status s = Add(e);
    if (s != Status::kOk) return s;
  }
  return Status::kOk;
}

// Samples along a curve tested against its chord before it is fitted.
constexpr int kChordSamples = 64;
// A curve whose ends lie closer than this (mm) may be no more than a point
// or a short line: the fit, which keeps its arcs tangent to each other,
// would cut such a curve into hundreds of pieces below a micrometre.
constexpr double kTinyChord = 10 * kIgesFitTolerance;

// Whether the curve is a tiny one that lies within the fitting tolerance of
// the segment from its start to its end: then that segment is the curve.
bool TinyCurve(const ParametricCurve& curve, CurveVec a, CurveVec b) {
  const double dx = b.x - a.x, dy = b.y - a.y, len2 = dx * dx + dy * dy;
  if (!(len2 <= kTinyChord * kTinyChord)) return false;
  for (int i = 1; i < kChordSamples; ++i) {
    const CurveVec q = curve.at(curve.t0 + (curve.t1 - curve.t0) * i / kChordSamples).point;
    const double u = len2 > 0 ? std::clamp(((q.x - a.x) * dx + (q.y - a.y) * dy) / len2, 0.0, 1.0) : 0.0;
    if (!(std::hypot(q.x - a.x - u * dx, q.y - a.y - u * dy) <= kIgesFitTolerance)) return false;
  }
  return true;
}

constexpr double kFullTurn = 6.283185307179586;

// The angle (radians) an arc entity turns through from its start to its end.
double SweepOf(const Entity& e) {
  const double ax = e.X1 - e.CX, ay = e.Y1 - e.CY, bx = e.X2 - e.CX, by = e.Y2 - e.CY;
  double a = std::atan2((e.R > 0 ? 1 : -1) * (ax * by - ay * bx), ax * bx + ay * by);
  if (a <= 0) a += kFullTurn;
  return a;
}

// How far apart (mm) the centres and radii of two fitted arcs may lie for
// them to be one circle: the fit of a true circle or circular arc (a
// B-spline circle, say) gives arcs that agree to rounding.
double SameCircleGap(double radius) { return 1e-6 + 1e-8 * radius; }

// Joins consecutive arcs of a fit that lie on one circle and run the same
// way into one arc, so that a circle written as a spline is one circle, not
// a dozen pieces of it (the entity list holds 1000). Arcs that come round
// to where the first started make a full circle.
void JoinArcsOfOneCircle(std::vector<Entity>& fitted) {
  std::vector<Entity> joined;
  double sweep = 0;  // of joined.back()
  for (const Entity& e : fitted) {
    if (!joined.empty()) {
      Entity& m = joined.back();
      const double gap = SameCircleGap(std::fabs(m.R));
      if (m.R != 0 && e.R != 0 && (m.R > 0) == (e.R > 0) && std::hypot(e.CX - m.CX, e.CY - m.CY) <= gap &&
          std::fabs(std::fabs(e.R) - std::fabs(m.R)) <= gap) {
        const double total = sweep + SweepOf(e);
        const bool closes = std::hypot(e.X2 - m.X1, e.Y2 - m.Y1) <= gap;
        if (closes && std::fabs(total - kFullTurn) < 1e-6) {
          m.X2 = m.X1;  // a full circle ends exactly where it starts
          m.Y2 = m.Y1;
          sweep = kFullTurn;
          continue;
        }
        if (!closes && total < kFullTurn) {
          m.X2 = e.X2;
          m.Y2 = e.Y2;
          sweep = total;
          continue;
        }
      }
    }
    joined.push_back(e);
    sweep = e.R == 0 ? 0 : SweepOf(e);
  }
  fitted = std::move(joined);
}

IgesPlaneSink::Status IgesPlaneSink::FitEntities(const ParametricCurve& curve, std::vector<Entity>& fitted) const {
  const CurveVec a = curve.at(curve.t0).point, b = curve.at(curve.t1).point;
  if (TinyCurve(curve, a, b)) {
    fitted.assign(1, Entity{a.x, a.y, b.x, b.y, 0, 0, 0});  // Add drops it when a and b are one point
    return Status::kOk;
  }
  const int room = EntityList::kMaxEntities - m_list.count;
  const CurveFitResult fit = FitArcs(curve, kIgesFitTolerance, fitted, room);
  if (!fit.ok) return fit.full ? Status::kFull : Status::kNoFit;
  JoinArcsOfOneCircle(fitted);
  return Status::kOk;
}

IgesPlaneSink::Status IgesPlaneSink::Fit(const ParametricCurve& curve, bool closed) {
  std::vector<Entity> fitted;
  const Status s = FitEntities(curve, fitted);
  if (s != Status::kOk) return s;
  if (closed && !fitted.empty()) {
    // C(t1) and C(t0) of a closed curve differ by rounding alone.
    fitted.back().X2 = fitted.front().X1;
    fitted.back().Y2 = fitted.front().Y1;
  }
  return AddAll(fitted);
}

IgesPlaneSink::Status IgesPlaneSink::FitPieces(const std::vector<ParametricCurve>& pieces) {
  std::vector<Entity> chain;
  for (const ParametricCurve& piece : pieces) {
    std::vector<Entity> fitted;
    const Status s = FitEntities(piece, fitted);
    if (s != Status::kOk) return s;
    if (fitted.empty()) continue;
    if (!chain.empty()) {
      const Entity& last = chain.back();
      Entity& first = fitted.front();
      if (std::hypot(first.X1 - last.X2, first.Y1 - last.Y2) <= kIgesFitTolerance) {
        first.X1 = last.X2;
        first.Y1 = last.Y2;
      } else {
        chain.push_back(Entity{last.X2, last.Y2, first.X1, first.Y1, 0, 0, 0});
      }
    }
    chain.insert(chain.end(), fitted.begin(), fitted.end());
    if (static_cast<int>(chain.size()) > EntityList::kMaxEntities - m_list.count) return Status::kFull;
  }
  return AddAll(chain);
}

IgesPlaneSink::Status IgesPlaneSink::FitBackwards(const ParametricCurve& curve) {
  std::vector<Entity> fitted;
  const Status s = FitEntities(curve, fitted);
  if (s != Status::kOk) return s;
  std::reverse(fitted.begin(), fitted.end());
  for (Entity& e : fitted) {
    std::swap(e.X1, e.X2);
    std::swap(e.Y1, e.Y2);
    e.R = -e.R;
  }
  return AddAll(fitted);
}

}  // namespace vx
