// The DXF mapping: decoded entities, their object coordinates and block placements, into lines and arcs.
#include "exchange/dxf_reader.h"

#include <cmath>
#include <utility>
#include <vector>

#include "exchange/curve_fit.h"
#include "exchange/dxf_decoder.h"
#include "exchange/exchange_messages.h"
#include "exchange/import_postprocess.h"
#include "shell/degree.h"

namespace vx {
namespace {

constexpr double kPi = 3.14159265358979323846;
// Smooth curves are replaced by arcs within this distance (mm).
constexpr double kCurveTolerance = 0.001;
// An extrusion direction further than this from the Z axis (sine of the
// angle) puts the entity in a plane that is not parallel to XY.
constexpr double kPlaneTolerance = 1e-6;
// An arc or ellipse whose end lies within this share of a turn past (or
// short of) a whole turn from its start is a whole turn: writers put the end
// of a full ellipse at 6.283185308 or of a circle at 360.0000001, and CAD
// systems draw those whole.
constexpr double kWholeTurnSlack = 1e-9;
// A transformed circle of the marker radius within this is a marker (the
// scale of a rotation is 1 only to the last bit).
constexpr double kMarkerMatch = 1e-12;
// A transform whose two axes differ in length or angle by less than this
// (relative) keeps circles circular.
constexpr double kSimilarityTolerance = 1e-9;
constexpr int kMaxNesting = 32;
// Entity visits of a whole expansion (every MINSERT cell and nested block
// counted): the bound of the work a file can ask for.
constexpr long kMaxVisits = 5000000;
// Geometry fed to the curve fitting must stay within this (mm); the entity
// list's own check is tighter.
constexpr double kCurveInputLimit = 1e9;

struct Vec {
  double x = 0, y = 0;
};

// x' = a x + b y + e, y' = c x + d y + f.
struct Affine {
  double a = 1, b = 0, c = 0, d = 1, e = 0, f = 0;

  Vec Apply(Vec p) const { return {a * p.x + b * p.y + e, c * p.x + d * p.y + f}; }
  Vec Linear(Vec p) const { return {a * p.x + b * p.y, c * p.x + d * p.y}; }
  double Det() const { return a * d - b * c; }
  // This transform applied after inner.
  Affine After(const Affine& in) const {
    return {a * in.a + b * in.c, a * in.b + b * in.d, c * in.a + d * in.c,
            c * in.b + d * in.d, a * in.e + b * in.f + e, c * in.e + d * in.f + f};
  }
  bool IsIdentity() const { return a == 1 && b == 0 && c == 0 && d == 1 && e == 0 && f == 0; }  // exact
  // Equal axis lengths at right angles: circles stay circles.
  bool IsSimilarity() const {
    const double s = std::fabs(a) + std::fabs(b) + std::fabs(c) + std::fabs(d);
    const double tol = kSimilarityTolerance * s;
    return (std::fabs(a - d) <= tol && std::fabs(b + c) <= tol) || (std::fabs(a + d) <= tol && std::fabs(b - c) <= tol);
  }
  double Scale() const { return std::sqrt(std::fabs(Det())); }
};

Affine Rotation(double degrees) {
  const double r = degrees * kPi / 180;
  const double cs = std::cos(r), sn = std::sin(r);
  return {cs, -sn, sn, cs, 0, 0};
}

// An orderly stop of the mapping, with its message.
struct Stop {
  std::string message;
};

bool Finite(double v, double limit) { return std::isfinite(v) && std::fabs(v) <= limit; }

// The curve C(t) = centre + cos t u + sin t v over [t0, t1]: an ellipse (or
// a circle seen through a transform) given by two conjugate semi-diameters.
ParametricCurve ConjugateEllipse(Vec centre, Vec u, Vec v, double t0, double t1) {
  ParametricCurve curve;
  curve.t0 = t0;
  curve.t1 = t1;
  curve.at = [centre, u, v](double t) {
    const double cs = std::cos(t), sn = std::sin(t);
    return CurveSample{{centre.x + cs * u.x + sn * v.x, centre.y + cs * u.y + sn * v.y},
                       {-sn * u.x + cs * v.x, -sn * u.y + cs * v.y}};
  };
  return curve;
}

class DxfMapper {
 public:
  DxfMapper(const DxfDrawing& drawing, EntityList& list) : m_drawing(drawing), m_list(list) {}

  void Run() {
    for (const DxfEntity& e : m_drawing.entities) Map(e, Affine{}, 0);
    // The model space's own block is empty in files of AutoCAD, but some
    // writers put the drawing there instead of into ENTITIES; CAD systems
    // show it as model space.
    for (const char* name : {"*MODEL_SPACE", "$MODEL_SPACE"}) {
      const auto block = m_drawing.blocks.find(name);
      if (block == m_drawing.blocks.end()) continue;
      for (const DxfEntity& e : block->second.entities) Map(e, Affine{}, 0);
    }
  }

 private:
  void Map(const DxfEntity& e, const Affine& t, int depth);
  void MapLine(const DxfLine& line, const Affine& t);
  void MapArc(const DxfEntity& e, const DxfArc& arc, const Affine& t);
  void MapPolyline(const DxfEntity& e, const DxfPolyline& poly, const Affine& t);
  void MapEllipse(const DxfEntity& e, const DxfEllipse& ellipse, const Affine& t);
  void MapSpline(const DxfEntity& e, const DxfSpline& spline, const Affine& t);
  void MapInsert(const DxfEntity& e, const DxfInsert& insert, const Affine& t, int depth);

  // The object coordinate system of an extrusion direction, seen from above
  // (only directions along the Z axis; others stop the import).
  Affine Ocs(const DxfEntity& e, double elevation) const;
  // An arc about centre (object coordinates) of radius r from angle a0 to a1
  // (radians, a1 > a0 counter-clockwise, or a1 < a0 clockwise) seen through t.
  enum class ArcKind { kDrawn, kCircle, kSide };
  // kDrawn: an ARC, read counter-clockwise; kCircle: starts at its rightmost
  // point; kSide: a polyline side, kept running from p0 to p1.
  void AddArc(Vec centre, double r, double a0, double a1, Vec p0, Vec p1, const Affine& t, ArcKind kind);
  void AddLine(Vec p, Vec q);
  void AddCurve(const ParametricCurve& curve, bool closed);
  Entity& NewEntity();
  // Counts n entities of the type as left out.
  void AddSkipped(const std::string& type, int n) {
    for (auto& entry : m_list.skipped) {
      if (entry.first == type) {
        entry.second += n;
        return;
      }
    }
    m_list.skipped.emplace_back(type, n);
  }
  void Visit() {
    if (++m_visits > kMaxVisits) throw Stop{exchange_text::kDxfExpansionTooLarge};
  }

  const DxfDrawing& m_drawing;
  EntityList& m_list;
  std::vector<std::string> m_chain;  // blocks being expanded, outermost first
  const DxfEntity* m_current = nullptr;  // the entity being mapped, for messages
  long m_visits = 0;
};

Entity& DxfMapper::NewEntity() {
  if (m_list.count >= EntityList::kMaxEntities) throw Stop{exchange_text::kTooManyEntities};
  ++m_list.count;
  m_list.entity[m_list.count] = Entity{};
  return m_list.entity[m_list.count];
}

void DxfMapper::AddLine(Vec p, Vec q) {
  // Deliberately exact: a point drawn as a line has no length at all.
  if (p.x == q.x && p.y == q.y) return;
  Entity& e = NewEntity();
  e.X1 = p.x;
  e.Y1 = p.y;
  e.X2 = q.x;
  e.Y2 = q.y;
}

Affine DxfMapper::Ocs(const DxfEntity& e, double elevation) const {
  const DxfPoint& n = e.extrusion;
  const double length = std::sqrt(n.x * n.x + n.y * n.y + n.z * n.z);
  if (!(length > 0)) return Affine{};  // no direction given: the Z axis
  const double nx = n.x / length, ny = n.y / length, nz = n.z / length;
  if (std::hypot(nx, ny) > kPlaneTolerance) throw Stop{exchange_text::DxfNotInPlane(e.type, e.line)};
  // The arbitrary axis rule: near the Z axis, Ax = Wy x N and Ay = N x Ax.
  double ax = nz, ay = 0, az = -nx;
  const double al = std::sqrt(ax * ax + ay * ay + az * az);
  ax /= al;
  ay /= al;
  az /= al;
  const double bx = ny * az - nz * ay, by = nz * ax - nx * az;
  return {ax, bx, ay, by, elevation * nx, elevation * ny};
}

void DxfMapper::Map(const DxfEntity& e, const Affine& t, int depth) {
  Visit();
  m_current = &e;
  if (e.invisible) {
    // Hidden in the drawing (a render light's symbol, a construction aid):
    // no CAD system shows it, so it is no part of the part.
    AddSkipped(exchange_text::kInvisibleEntry, 1);
    return;
  }
  if (!e.handle.empty() && m_drawing.textFrames.count(e.handle) != 0) {
    AddSkipped("MTEXT FRAME", 1);  // drawn with its text, not part of the part
    return;
  }
  if (const auto* line = std::get_if<DxfLine>(&e.data)) {
    MapLine(*line, t);
  } else if (const auto* arc = std::get_if<DxfArc>(&e.data)) {
    MapArc(e, *arc, t);
  } else if (const auto* poly = std::get_if<DxfPolyline>(&e.data)) {
    MapPolyline(e, *poly, t);
  } else if (const auto* ellipse = std::get_if<DxfEllipse>(&e.data)) {
    MapEllipse(e, *ellipse, t);
  } else if (const auto* spline = std::get_if<DxfSpline>(&e.data)) {
    MapSpline(e, *spline, t);
  } else if (const auto* insert = std::get_if<DxfInsert>(&e.data)) {
    MapInsert(e, *insert, t, depth);
  } else {
    m_list.CountSkipped(e.type);
  }
}

void DxfMapper::MapLine(const DxfLine& line, const Affine& t) {
  AddLine(t.Apply({line.start.x, line.start.y}), t.Apply({line.end.x, line.end.y}));
}

// The end point of an arc at angle a (degrees): 90 and -90 exactly, other
// angles through the rounded degree functions, as drawings made for this
// reader were read.
Vec ArcPoint(Vec c, double radius, double a) {
  // Deliberately exact: a quarter angle typed in the drawing needs no sine.
  if (a == 90) return {c.x, c.y + radius};
  if (a == -90) return {c.x, c.y - radius};
  return {c.x + CosDeg(a) * radius, c.y + SinDeg(a) * radius};
}

void DxfMapper::MapArc(const DxfEntity& e, const DxfArc& arc, const Affine& t) {
  const Affine full = t.After(Ocs(e, arc.centre.z));
  const Vec centre{arc.centre.x, arc.centre.y};
  // Deliberately exact: the marker radius is a value typed in the drawing.
  const bool marker = full.IsIdentity() ? arc.radius == kMarkerRadius
                                        : full.IsSimilarity() &&
                                              std::fabs(arc.radius * full.Scale() - kMarkerRadius) <= kMarkerMatch;
  if (marker) {
    if (m_list.markerCount >= EntityList::kMaxMarkers) throw Stop{exchange_text::kTooManyMarkers};
    const Vec m = full.Apply(centre);
    m_list.marker[++m_list.markerCount] = MarkerPoint{m.x, m.y};
    return;
  }
  const double r = std::fabs(arc.radius);
  if (!(r > 0)) return;
  const double a0 = arc.circle ? 0 : arc.startAngle;
  const double a1 = arc.circle ? 0 : arc.endAngle;
  // Angles of the arc in radians, the end after the start (a full turn when
  // they are equal, as a circle is read, or a whole turn apart).
  double sweep = std::fmod(a1 - a0, 360.0);
  if (sweep <= 0) sweep += 360;
  const bool whole =
      360 - sweep < 360 * kWholeTurnSlack || (sweep < 360 * kWholeTurnSlack && std::fabs(a1 - a0) > 180);
  if (whole) sweep = 360;
  const double r0 = std::fmod(a0, 360.0) * kPi / 180;
  // A whole turn ends exactly where it starts.
  AddArc(centre, r, r0, r0 + sweep * kPi / 180, ArcPoint(centre, r, a0), ArcPoint(centre, r, whole ? a0 : a1), full,
         arc.circle ? ArcKind::kCircle : ArcKind::kDrawn);
}

void DxfMapper::AddArc(Vec centre, double r, double a0, double a1, Vec p0, Vec p1, const Affine& t, ArcKind kind) {
  const bool full = std::fabs(std::fabs(a1 - a0) - 2 * kPi) < 1e-12;
  if (t.IsSimilarity()) {
    const Vec c = t.Apply(centre);
    const double radius = r * t.Scale();
    Entity& e = NewEntity();
    e.CX = c.x;
    e.CY = c.y;
    if (kind == ArcKind::kCircle) {
      // A circle starts at its rightmost point and runs counter-clockwise.
      e.X1 = e.X2 = c.x + radius;
      e.Y1 = e.Y2 = c.y;
      e.R = radius;
      return;
    }
    Vec q0 = t.Apply(p0), q1 = t.Apply(p1);
    // Through a mirror an arc turns the other way round.
    bool ccw = (a1 > a0) == (t.Det() > 0);
    if (!ccw && kind == ArcKind::kDrawn) {
      // An arc of the drawing runs counter-clockwise: a mirrored one is read
      // from its other end.
      std::swap(q0, q1);
      ccw = true;
    }
    e.X1 = q0.x;
    e.Y1 = q0.y;
    e.X2 = q1.x;
    e.Y2 = q1.y;
    e.R = ccw ? radius : -radius;
    return;
  }
  // Scaled unevenly: the circle becomes an ellipse, fitted with arcs.
  const Vec c = t.Apply(centre);
  if (!Finite(c.x, kCurveInputLimit) || !Finite(c.y, kCurveInputLimit) || !Finite(r * t.Scale(), kCurveInputLimit)) {
    throw Stop{exchange_text::kCoordinateRange};
  }
  const ParametricCurve curve =
      ConjugateEllipse(c, t.Linear({r, 0}), t.Linear({0, r}), std::min(a0, a1), std::max(a0, a1));
  const int first = m_list.count + 1;
  AddCurve(curve, full);
  if (a1 >= a0) return;
  // A clockwise side was fitted counter-clockwise: turned round to run from
  // its first vertex to its second.
  for (int i = first, j = m_list.count; i < j; ++i, --j) std::swap(m_list.entity[i], m_list.entity[j]);
  for (int i = first; i <= m_list.count; ++i) ReverseEntity(m_list.entity[i]);
}

void DxfMapper::AddCurve(const ParametricCurve& curve, bool closed) {
  std::vector<Entity> arcs;
  const CurveFitResult fit =
      FitArcs(curve, kCurveTolerance, arcs, EntityList::kMaxEntities - m_list.count);
  if (!fit.ok) {
    if (fit.full || m_current == nullptr) throw Stop{exchange_text::kTooManyEntities};
    throw Stop{exchange_text::DxfBadCurve(m_current->type, m_current->line)};
  }
  if (arcs.empty()) return;
  if (closed) {
    // The curve's end is its start to the last bit, so the chain closes.
    arcs.back().X2 = arcs.front().X1;
    arcs.back().Y2 = arcs.front().Y1;
  }
  for (const Entity& arc : arcs) NewEntity() = arc;
}

void DxfMapper::MapPolyline(const DxfEntity& e, const DxfPolyline& poly, const Affine& t) {
  if (poly.kind == DxfPolyline::Kind::kMesh || poly.kind == DxfPolyline::Kind::kPolyface) {
    m_list.CountSkipped(poly.kind == DxfPolyline::Kind::kMesh ? "POLYLINE (MESH)" : "POLYLINE (POLYFACE)");
    return;
  }
  const size_t n = poly.vertices.size();
  if (n < 2) return;
  const size_t sides = poly.closed ? n : n - 1;
  if (poly.kind == DxfPolyline::Kind::k3d) {
    // A 3D polyline: straight sides in world coordinates, Z left out.
    for (size_t i = 0; i < sides; ++i) {
      const DxfVertex& a = poly.vertices[i];
      const DxfVertex& b = poly.vertices[(i + 1) % n];
      AddLine(t.Apply({a.x, a.y}), t.Apply({b.x, b.y}));
    }
    return;
  }
  const Affine full = t.After(Ocs(e, poly.elevation));
  for (size_t i = 0; i < sides; ++i) {
    const DxfVertex& a = poly.vertices[i];
    const DxfVertex& b = poly.vertices[(i + 1) % n];
    const double chord = std::hypot(b.x - a.x, b.y - a.y);
    // A bulge b = tan(angle / 4) rises chord * |b| / 2 over its chord; below
    // the straight-arc height the side is a line.
    if (a.bulge == 0 || !(chord * std::fabs(a.bulge) / 2 >= kStraightArcHeight)) {
      AddLine(full.Apply({a.x, a.y}), full.Apply({b.x, b.y}));
      continue;
    }
    if (!Finite(a.bulge, 1e12)) throw Stop{exchange_text::DxfBadCurve(e.type, e.line)};
    // The centre lies on the chord's left normal at (chord / 2)(1 - b^2) / (2b)
    // from its midpoint; the radius is chord (1 + b^2) / (4 |b|).
    const double k = a.bulge;
    const double nx = -(b.y - a.y) / chord, ny = (b.x - a.x) / chord;
    const double h = chord / 2 * (1 - k * k) / (2 * k);
    const Vec centre{(a.x + b.x) / 2 + nx * h, (a.y + b.y) / 2 + ny * h};
    const double radius = chord * (1 + k * k) / (4 * std::fabs(k));
    const double start = std::atan2(a.y - centre.y, a.x - centre.x);
    const double included = 4 * std::atan(k);  // signed: > 0 counter-clockwise
    AddArc(centre, radius, start, start + included, {a.x, a.y}, {b.x, b.y}, full, ArcKind::kSide);
  }
}

void DxfMapper::MapEllipse(const DxfEntity& e, const DxfEllipse& ellipse, const Affine& t) {
  // The minor axis is ratio (N x major); N is +Z or -Z here.
  const Affine ocs = Ocs(e, 0);
  const double nz = ocs.a > 0 ? 1 : -1;
  const Vec major{ellipse.majorAxis.x, ellipse.majorAxis.y};
  const Vec minor{-nz * ellipse.ratio * major.y, nz * ellipse.ratio * major.x};
  const double length = std::hypot(major.x, major.y);
  if (!(length > 0) || !(ellipse.ratio > 0) || !Finite(ellipse.ratio, 1e6) ||
      !Finite(ellipse.startParam, 1e6) || !Finite(ellipse.endParam, 1e6) || !Finite(length, kCurveInputLimit) ||
      !Finite(ellipse.centre.x, kCurveInputLimit) || !Finite(ellipse.centre.y, kCurveInputLimit)) {
    throw Stop{exchange_text::DxfBadCurve(e.type, e.line)};
  }
  // Equal parameters: nothing; a difference of whole turns: the full ellipse.
  const double difference = ellipse.endParam - ellipse.startParam;
  if (std::fabs(difference) < 1e-12) return;
  double span = std::fmod(difference, 2 * kPi);
  if (span < 0) span += 2 * kPi;
  const double slack = 2 * kPi * kWholeTurnSlack;
  const bool full = 2 * kPi - span < slack || (span < slack && std::fabs(difference) > kPi);
  if (full) span = 2 * kPi;
  const Vec centre = t.Apply({ellipse.centre.x, ellipse.centre.y});
  const Vec u = t.Linear(major), v = t.Linear(minor);
  for (double value : {centre.x, centre.y, u.x, u.y, v.x, v.y}) {
    if (!Finite(value, kCurveInputLimit)) throw Stop{exchange_text::kCoordinateRange};
  }
  AddCurve(ConjugateEllipse(centre, u, v, ellipse.startParam, ellipse.startParam + span), full);
}

void DxfMapper::MapSpline(const DxfEntity& e, const DxfSpline& spline, const Affine& t) {
  // Points of the spline (world coordinates) placed through t.
  auto placed = [&t](const std::vector<DxfPoint>& points, std::vector<CurveVec>& out) {
    out.reserve(points.size());
    for (const DxfPoint& p : points) {
      if (!Finite(p.x, kCurveInputLimit) || !Finite(p.y, kCurveInputLimit)) throw Stop{exchange_text::kCoordinateRange};
      const Vec q = t.Apply({p.x, p.y});
      if (!Finite(q.x, kCurveInputLimit) || !Finite(q.y, kCurveInputLimit)) throw Stop{exchange_text::kCoordinateRange};
      out.push_back(CurveVec{q.x, q.y});
    }
  };
  ParametricCurve curve;
  if (spline.control.empty()) {
    if (spline.fit.empty()) throw Stop{exchange_text::DxfBadCurve(e.type, e.line)};
    // Given by fit points alone: the cubic through them that CAD systems
    // draw (their stored degree and knots do not count), with the file's
    // end tangents when it has both.
    std::vector<CurveVec> fit;
    placed(spline.fit, fit);
    const bool tangents = spline.hasStartTangent && spline.hasEndTangent;
    const Vec s = t.Linear({spline.startTangent.x, spline.startTangent.y});
    const Vec f = t.Linear({spline.endTangent.x, spline.endTangent.y});
    const CurveVec start{s.x, s.y}, end{f.x, f.y};
    curve = FitPointCurve(fit, tangents ? &start : nullptr, tangents ? &end : nullptr);
  } else {
    std::vector<CurveVec> control;
    placed(spline.control, control);
    std::vector<double> weights = spline.weights;
    // Weights that are all 1 (or absent) make an ordinary spline.
    bool rational = false;
    for (double w : weights) rational = rational || w != 1;  // exact: the stored value 1
    if (!rational) weights.clear();
    if (spline.degree >= 1 && spline.degree <= 25) {
      // A spline stored without knots has clamped uniform ones.
      std::vector<double> knots =
          spline.knots.empty() ? UniformClampedKnots(control.size(), static_cast<int>(spline.degree)) : spline.knots;
      curve = BSplineCurve(static_cast<int>(spline.degree), std::move(knots), control, weights);
    }
  }
  if (!curve.at) throw Stop{exchange_text::DxfBadCurve(e.type, e.line)};
  const CurveSample a = curve.at(curve.t0), b = curve.at(curve.t1);
  const double extent = std::fabs(a.point.x) + std::fabs(a.point.y) + 1;
  const bool closed = std::hypot(a.point.x - b.point.x, a.point.y - b.point.y) <= 1e-12 * extent;
  AddCurve(curve, closed);
}

void DxfMapper::MapInsert(const DxfEntity& e, const DxfInsert& insert, const Affine& t, int depth) {
  const std::string key = DxfUpper(insert.block);
  const auto found = m_drawing.blocks.find(key);
  if (found == m_drawing.blocks.end()) throw Stop{exchange_text::DxfMissingBlock(insert.block)};
  const DxfBlock& block = found->second;
  constexpr long kExternal = 4;
  if (block.flags & kExternal) throw Stop{exchange_text::DxfExternalBlock(insert.block)};
  for (const std::string& open : m_chain) {
    if (open == key) throw Stop{exchange_text::DxfBlockCycle(insert.block)};
  }
  if (depth >= kMaxNesting) throw Stop{exchange_text::kDxfNestingTooDeep};
  if (insert.attributes > 0) {
    m_visits += insert.attributes;
    AddSkipped("ATTRIB", insert.attributes);
  }

  // In the insert's object coordinates: block base to the origin, scale,
  // rotate, move to the insertion point plus the cell's offset.
  const Affine ocs = Ocs(e, 0);
  const Affine rotate = Rotation(insert.rotation);
  const Affine place = rotate.After(Affine{insert.xScale, 0, 0, insert.yScale, 0, 0})
                           .After(Affine{1, 0, 0, 1, -block.base.x, -block.base.y});
  if (!(std::fabs(place.Det()) > 0) || !std::isfinite(place.Det())) throw Stop{exchange_text::DxfFlatInsert(e.line)};
  // Cells at the same place (a spacing of 0) are placed once.
  const long columns = insert.columnSpacing == 0 ? 1 : std::max(1L, insert.columns);  // exact: no spacing
  const long rows = insert.rowSpacing == 0 ? 1 : std::max(1L, insert.rows);           // exact: no spacing
  m_chain.push_back(key);
  for (long row = 0; row < rows; ++row) {
    for (long column = 0; column < columns; ++column) {
      Visit();
      const Vec offset = rotate.Apply({column * insert.columnSpacing, row * insert.rowSpacing});
      Affine cell = place;
      cell.e += insert.insert.x + offset.x;
      cell.f += insert.insert.y + offset.y;
      const Affine full = t.After(ocs.After(cell));
      for (const DxfEntity& child : block.entities) Map(child, full, depth + 1);
    }
  }
  m_chain.pop_back();
}

}  // namespace

ExchangeResult ReadDxfText(const std::string& text, EntityList& list, const std::string& fileName) {
  list.count = 0;
  list.markerCount = 0;
  list.skipped.clear();
  DxfDrawing drawing;
  const DxfDecodeResult decoded = DecodeDxf(text, drawing, fileName);
  if (!decoded.ok) return ExchangeResult::Stop(decoded.message);
  try {
    DxfMapper(drawing, list).Run();
  } catch (const Stop& stop) {
    return ExchangeResult::Stop(stop.message);
  }
  if (drawing.paperSpaceEntities > 0) list.skipped.emplace_back(exchange_text::kPaperSpaceEntry, drawing.paperSpaceEntities);
  return ExchangeResult::Ok();
}

}  // namespace vx
