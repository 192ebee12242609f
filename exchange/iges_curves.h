// The IGES plane curves (lines, circular and conic arcs, copious data,
// parametric splines, B-splines) turned into lines and arcs of the drawing.
#pragma once

#include "exchange/iges_geometry.h"
#include "exchange/iges_model.h"

namespace vx {

enum class IgesCurveResult {
  kOk,
  kUnsupported,    // a form the reader leaves out (counted, not an error)
  kBadParameters,  // parameters missing or not numbers
  kBadCurve,       // numbers that make no curve (an imaginary conic, knots out of order)
  kNotPlanar,      // off the drawing's plane
  kOutOfRange,     // coordinates beyond kIgesMaxCoordinate
  kFull,           // more entities than the list holds
};

// Adds the lines and arcs of one curve entry of type 100, 104, 106, 110, 112
// or 126, its parameters p, placed by t (its definition space to millimetres)
// into the sink. yxOrder: a type 100 arc's points (x, y) are read as (y, -x).
IgesCurveResult AddIgesCurve(const IgesEntry& entry, const IgesParams& p, const Affine3& t, bool yxOrder,
                             IgesPlaneSink& sink);

}  // namespace vx
