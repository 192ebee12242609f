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

// What a fit ends with: ok, or too many arcs for the list's room.
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
// needed. Degenerate pieces (zero derivative, zero length) are skipped.
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

}  // namespace vx
