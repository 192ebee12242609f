// Smooth plane curves (ellipses, conics, B-splines) approximated by tangent-continuous circular arcs.
#pragma once

#include <functional>
#include <vector>

#include "exchange/entity_list.h"

namespace vx {

struct CurveVec {
  double x = 0, y = 0;
};

// A curve's point and first derivative at one parameter value.
struct CurveSample {
  CurveVec point;
  CurveVec derivative;
};

// A plane curve C(t) on [t0, t1], smooth (tangent-continuous) between the
// parameters listed in breaks, which are kept as arc ends so that a corner
// of the curve stays a corner.
struct ParametricCurve {
  std::function<CurveSample(double)> at;
  double t0 = 0, t1 = 1;
  std::vector<double> breaks;  // inner parameters where the tangent may jump, ascending
};

// What a fit ends with: ok, or not ok because more arcs would be needed than
// the list has room for (full) or because the curve cannot be followed (its
// numbers are not finite, or it turns back on itself where it claims to be
// smooth and no arc of any size fits there).
struct CurveFitResult {
  bool ok = true;
  int arcCount = 0;   // entities appended
  bool full = false;  // not ok because more than maxEntities were needed (else the curve gave no fit)
};

// Fits circular arcs (biarcs, tangent to each other and to the curve at
// their ends) to the curve, each within `tolerance` (mm) of it, using as few
// arcs as that allows; a piece that is straight within the tolerance becomes
// a line. Appends the entities in the curve's direction (R > 0
// counter-clockwise) to out, the first starting exactly at C(t0) and the
// last ending exactly at C(t1), each starting where the one before ends.
// Stops with ok = false, and out unchanged, once more than maxEntities would be
// needed. Degenerate pieces (zero derivative, zero length) are skipped; a
// stretch of the curve that stays within the tolerance of one point (a cusp
// where control points coincide) becomes one straight line, or nothing.
CurveFitResult FitArcs(const ParametricCurve& curve, double tolerance, std::vector<Entity>& out,
                       int maxEntities);

// An elliptical arc about centre with the major semi-axis vector `major`,
// minor/major ratio `ratio` (> 0), from parameter angle startRad to endRad
// (radians, counter-clockwise; endRad > startRad, a full ellipse spans 2π).
ParametricCurve EllipseCurve(CurveVec centre, CurveVec major, double ratio, double startRad, double endRad);

// A (rational) B-spline of the given degree in the plane: knots ascending,
// knots.size() == control.size() + degree + 1, weights empty (non-rational)
// or one per control point (all > 0). The curve runs over
// [knots[degree], knots[control.size()]]; inner knots of multiplicity >= degree
// are breaks. Returns a curve with `at` empty when the data are not a valid
// spline (the caller then refuses or skips the entity).
ParametricCurve BSplineCurve(int degree, std::vector<double> knots, std::vector<CurveVec> control,
                             std::vector<double> weights);

// The cubic B-spline through fit points that CAD systems draw for a spline
// given by its fit points alone: chord-length parameters, the inner
// parameters as knots, and end derivatives in the given tangent directions
// (or, without them, directions estimated from the five points nearest each
// end) scaled by the length of the fit-point polygon; the control points
// solve the interpolation with those end derivatives. Returns a curve with
// `at` empty for fewer than two points (three without tangents), a point
// repeated next to itself, a zero tangent, or more than kMaxFitPoints points.
constexpr size_t kMaxFitPoints = 1000;
ParametricCurve FitPointCurve(const std::vector<CurveVec>& fit, const CurveVec* startTangent,
                              const CurveVec* endTangent);

// The clamped uniform knots (0, ..., 0, 1, 2, ..., k, k + 1, ..., k + 1, with
// degree + 1 knots at each end) that a spline stored without knots has.
std::vector<double> UniformClampedKnots(size_t controlCount, int degree);

}  // namespace vx
