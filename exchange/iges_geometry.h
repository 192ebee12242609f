// Placing IGES geometry in the drawing: affine transforms (matrices, subfigure
// placement, model units) and the one plane parallel to XY that holds it all.
#pragma once

#include <vector>

#include "exchange/curve_fit.h"
#include "exchange/entity_list.h"

namespace vx {

struct Vec3 {
  double x = 0, y = 0, z = 0;
};

// p -> L p + t, the IGES transformation matrix form (R11..R33 with T1..T3).
struct Affine3 {
  double l[3][3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
  double t[3] = {0, 0, 0};

  Vec3 Apply(const Vec3& p) const;
  Vec3 ApplyLinear(const Vec3& v) const;
  // The transform that applies this one first and then outer.
  Affine3 Then(const Affine3& outer) const;
  static Affine3 Scale(double s);
  static Affine3 ScaleThenTranslate(double s, const Vec3& offset);
};

// How far (mm) a point may lie off the drawing's plane, and the fitting
// tolerance of smooth curves turned into arcs.
constexpr double kIgesPlaneTolerance = 0.01;
constexpr double kIgesFitTolerance = 0.001;
// The largest coordinate (mm) an imported drawing may hold (the import
// post-processing's limit as well).
constexpr double kIgesMaxCoordinate = 1e7;

// Collects the drawing's lines and arcs into the entity list. The first point
// given sets the drawing's plane (its Z); every later point must lie within
// kIgesPlaneTolerance of it.
class IgesPlaneSink {
 public:
  enum class Status { kOk, kNotPlanar, kOutOfRange, kFull, kNoFit };

  explicit IgesPlaneSink(EntityList& list) : m_list(list) {}

  // Checks that a point at height z lies in the drawing's plane.
  Status CheckZ(double z);
  // Appends a line or arc (R > 0 counter-clockwise). A line whose ends are
  // the same point adds nothing. kOutOfRange for a value beyond
  // kIgesMaxCoordinate, kFull when the list holds kMaxEntities already.
  Status Add(const Entity& entity);
  // Appends the arcs fitted to a smooth curve of the plane within
  // kIgesFitTolerance (one line, or nothing, for a curve shorter than 0.01 mm
  // across that lies that close to its chord); kNoFit when the curve allows none (a cusp). closed: the
  // curve ends where it starts, and the last arc ends exactly on the first
  // one's start.
  Status Fit(const ParametricCurve& curve, bool closed = false);
  // Appends every entity fitted, reversed and in reverse order: the same
  // curve travelled from its other end.
  Status FitBackwards(const ParametricCurve& curve);
  // Appends the arcs fitted to pieces that follow one another, as one
  // chain: where a piece starts within kIgesFitTolerance of the end of the
  // one before, it starts exactly there; farther away, a line bridges the gap.
  Status FitPieces(const std::vector<ParametricCurve>& pieces);

 private:
  Status FitEntities(const ParametricCurve& curve, std::vector<Entity>& fitted) const;
  Status AddAll(const std::vector<Entity>& entities);

  EntityList& m_list;
  bool m_hasPlane = false;
  double m_planeZ = 0;
};

}  // namespace vx
