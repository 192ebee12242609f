// The wire-centre path at a given offset from the contour in the element table.
#include "machining/offset_path.h"

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

#include "machining/path_geometry.h"

#include "shell/contour_codes.h"
#include "shell/degree.h"
#include "shell/number_text.h"

namespace vx {

namespace {

// Segment differences are rounded to 5 decimals before a line is classified:
// a difference below 0.000005 makes the line vertical, so noise left by the
// contour construction never produces an enormous slope.
double Round5(double v) { return RoundHalfEven(v, 5); }

double Sgn(double v) { return v > 0 ? 1.0 : (v < 0 ? -1.0 : 0.0); }

struct Point2 {
  double x = 0;
  double y = 0;
};

// Two intersection candidates; `first` is the one with +sqrt(disc).
struct Candidates {
  Point2 first;
  Point2 second;
};

// Line y = m*x + b with the circle of centre (xc, yc) and radius |r|; a line
// that misses the circle gives the foot of the perpendicular twice.
Candidates LineCircle(double m, double b, double xc, double yc, double r) {
  const double a = 1 + m * m;
  const double bq = 2 * (m * (b - yc) - xc);
  const double c = xc * xc + (b - yc) * (b - yc) - r * r;
  double disc = bq * bq - 4 * a * c;
  if (disc < 0) disc = 0;
  const double root = std::sqrt(disc);
  const double x1 = (-bq + root) / (2 * a);
  const double x2 = (-bq - root) / (2 * a);
  return {{x1, m * x1 + b}, {x2, m * x2 + b}};
}

// Vertical line x = x0 with the circle; a miss gives (x0, yc) twice.
Candidates VerticalCircle(double x0, double xc, double yc, double r) {
  double disc = r * r - (x0 - xc) * (x0 - xc);
  if (disc < 0) disc = 0;
  const double root = std::sqrt(disc);
  return {{x0, yc + root}, {x0, yc - root}};
}

// The direction in degrees (-180..180] of a vector dx, dy of length l, through
// AcosDeg as the offset computation has always done it. The cosine is limited
// to -1..1 so that a rounded length shorter than |dx| cannot leave the domain.
double RayAngle(double dx, double dy, double l) {
  double beta = 90;
  if (dx != 0) {  // exact: a vertical ray is taken as 90 degrees, not divided
    const double u = std::clamp(dx / l, -1.0, 1.0);
    beta = AcosDeg(u);
    if (dx < 0) beta += 180;
  }
  if (dy < 0) beta = -beta;
  return beta;
}

class OffsetRun {
 public:
  OffsetRun(ElementTable& table, double offset, MessageBox& box) : m_t(table), m_offset(offset), m_box(box) {
    // Which rows are arc centres is read before the radii change: an arc whose
    // offset radius comes out as exactly 0 (the offset equals its radius) is
    // still an arc of the path, shrunk to its centre, not a point to join lines at.
    const int last = std::min(m_t.RowCount + 2, ElementTable::kLastRow);
    for (int r = 0; r <= last; ++r) m_centre.push_back(P1(r) != 0);
  }

  void Run();
  // The rows whose vertex was reported (two straight lines that do not meet).
  const std::vector<int>& ReportedRows() const { return m_reported; }

 private:
  // Reads beyond the table see an empty row; the walk may look up to two rows
  // past RowCount.
  double X(int i) const { return Get(m_t.X, i); }
  double Y(int i) const { return Get(m_t.Y, i); }
  double P1(int i) const { return Get(m_t.P1, i); }
  double Code(int i) const { return Get(m_t.Code, i); }
  bool IsCentre(int i) const { return i >= 0 && i < static_cast<int>(m_centre.size()) && m_centre[static_cast<size_t>(i)]; }
  static double Get(const ElementTable::Column& column, int i) {
    return (i >= 0 && i <= ElementTable::kLastRow) ? static_cast<double>(column[static_cast<size_t>(i)]) : 0.0;
  }
  void SetVertex(int i, Point2 p) {
    if (i < 0 || i > ElementTable::kLastRow) return;
    m_t.X[static_cast<size_t>(i)] = p.x;
    m_t.Y[static_cast<size_t>(i)] = p.y;
  }

  void RadiusPass();
  void ApproachLine(int i);
  void JoinAt(int i);
  // Sets NextSlope/NextIntercept (or NextVertical) to the offset line of the
  // segment i -> i+1; returns true when it is vertical.
  bool NextOffsetLine(int i);
  void JoinLineLine(int i);
  void JoinLineArc(int i);
  void JoinArcLine(int i);
  void JoinArcArc(int i);
  void JoinSameCircle(int i);
  void PickNearer(int i, const Candidates& c);
  void ReportNoIntersection(int i);

  ElementTable& m_t;
  const double m_offset;
  MessageBox& m_box;
  double m_curOffset = 0;
  double m_savedOffset = 0;
  double m_prevSlope = 0, m_prevIntercept = 0;
  double m_nextSlope = 0, m_nextIntercept = 0;
  bool m_prevVertical = false, m_nextVertical = false;
  std::vector<bool> m_centre;
  std::vector<int> m_reported;
};

void OffsetRun::RadiusPass() {
  // The signed radius then describes the offset arc: a counter-clockwise arc
  // (centre on the left) shrinks by a positive offset, a clockwise one grows.
  const int last = std::min(m_t.RowCount - 1, ElementTable::kLastRow);
  for (m_t.CurRow = 1; m_t.CurRow <= last; ++m_t.CurRow) {
    Cell& p1 = m_t.P1[static_cast<size_t>(m_t.CurRow)];
    if (static_cast<double>(p1) != 0.0) p1 = p1 - m_offset;
  }
  m_curOffset = m_offset;
}

void OffsetRun::ApproachLine(int i) {
  // The approach line stays where it is: the wire starts in the start hole.
  const double dx = Round5(X(i + 1) - X(i));
  const double dy = Round5(Y(i + 1) - Y(i));
  if (dx == 0) {  // exact after rounding: vertical
    m_prevVertical = true;
  } else {
    m_prevVertical = false;
    m_prevSlope = dy / dx;
    m_prevIntercept = Y(i) - m_prevSlope * X(i);
  }
}

bool OffsetRun::NextOffsetLine(int i) {
  const double dx = Round5(X(i + 1) - X(i));
  const double dy = Round5(Y(i + 1) - Y(i));
  if (dx == 0) {  // exact after rounding: vertical
    m_nextVertical = true;
    return true;
  }
  m_nextSlope = dy / dx;
  const double b = Y(i) - m_nextSlope * X(i);
  // Moved sideways by CurOffset, to the left of travel for a positive value.
  m_nextIntercept = b + std::sqrt(m_nextSlope * m_nextSlope + 1) * m_curOffset * Sgn(dx);
  return false;
}

void OffsetRun::Run() {
  RadiusPass();
  int& i = m_t.CurRow;
  i = 1;
  // i moves on in every round of both loops and the run ends once it reaches
  // RowCount (at most 1999): at most some 2000 rounds in all.
  for (;;) {
    ApproachLine(i);
    ++i;
    for (;;) {
      // The exit line of the last sub-path is not offset, to the end of the run.
      if (i == m_t.RowCount - 1) m_curOffset = 0;
      if (i >= m_t.RowCount) return;
      if (Code(i + 2) == kSeparatorCode) {  // the line i -> i+1 is an exit line
        m_savedOffset = m_curOffset;
        m_curOffset = 0;
      }
      if (Code(i + 1) == kSeparatorCode) break;  // row i ends the sub-path
      if (!IsCentre(i)) JoinAt(i);  // a centre row is skipped
      m_prevSlope = m_nextSlope;
      m_prevIntercept = m_nextIntercept;
      m_prevVertical = m_nextVertical;
      m_nextVertical = false;
      ++i;
    }
    i += 2;  // past the separator to the next start point
    m_curOffset = m_savedOffset;
  }
}

void OffsetRun::JoinAt(int i) {
  const bool prevArc = IsCentre(i - 1);
  const bool nextArc = IsCentre(i + 1);
  if (!prevArc && !nextArc) JoinLineLine(i);
  if (!prevArc && nextArc) JoinLineArc(i);
  if (prevArc && !nextArc) JoinArcLine(i);
  if (prevArc && nextArc) JoinArcArc(i);
}

void OffsetRun::ReportNoIntersection(int i) {
  m_reported.push_back(i);
  m_box.Show("オフセット計算中 dataNO=" + SignBlankText(i) + "で交点ERROR");
}

void OffsetRun::PickNearer(int i, const Candidates& c) {
  // Nearer to the vertex as the table holds it now; a tie takes the first.
  const double d1 = std::hypot(c.first.x - X(i), c.first.y - Y(i));
  const double d2 = std::hypot(c.second.x - X(i), c.second.y - Y(i));
  SetVertex(i, d2 < d1 ? c.second : c.first);
}

void OffsetRun::JoinLineLine(int i) {
  if (!NextOffsetLine(i)) {
    if (m_prevVertical) {
      // Row i - 1 already lies on the vertical offset line.
      const double x = X(i - 1);
      SetVertex(i, {x, m_nextSlope * x + m_nextIntercept});
    } else if (m_nextSlope == m_prevSlope) {  // exact: parallel lines never meet
      ReportNoIntersection(i);
    } else {
      const double d = m_prevSlope - m_nextSlope;
      SetVertex(i, {(m_nextIntercept - m_prevIntercept) / d,
                    (m_prevSlope * m_nextIntercept - m_nextSlope * m_prevIntercept) / d});
    }
    return;
  }
  if (m_prevVertical) {
    ReportNoIntersection(i);
    return;
  }
  const double x = X(i) - m_curOffset * Sgn(Y(i + 1) - Y(i));
  SetVertex(i, {x, m_prevSlope * x + m_prevIntercept});
}

void OffsetRun::JoinLineArc(int i) {
  const double xc = X(i + 1), yc = Y(i + 1), r2 = P1(i + 1);
  if (m_prevVertical) {
    const double x0 = X(i - 1);
    const Candidates c = VerticalCircle(x0, xc, yc, r2);
    const double y = std::fabs(c.second.y - Y(i)) < std::fabs(c.first.y - Y(i)) ? c.second.y : c.first.y;
    SetVertex(i, {x0, y});
    return;
  }
  PickNearer(i, LineCircle(m_prevSlope, m_prevIntercept, xc, yc, r2));
}

void OffsetRun::JoinArcLine(int i) {
  const double xc = X(i - 1), yc = Y(i - 1), r1 = P1(i - 1);
  if (!NextOffsetLine(i)) {
    PickNearer(i, LineCircle(m_nextSlope, m_nextIntercept, xc, yc, r1));
    return;
  }
  const double x0 = X(i) - m_curOffset * Sgn(Y(i + 1) - Y(i));
  SetVertex(i, {x0, Y(i)});
  PickNearer(i, VerticalCircle(x0, xc, yc, r1));
}

void OffsetRun::JoinArcArc(int i) {
  const double r1 = P1(i - 1), r2 = P1(i + 1);
  const double dx = X(i + 1) - X(i - 1);
  const double dy = Y(i + 1) - Y(i - 1);
  const double l = std::sqrt(dx * dx + dy * dy);
  // Concentric circles (exact: same centre row values) have no crossing to
  // compute; the vertex then stays on its ray from the centre.
  if (l == 0) {
    JoinSameCircle(i);
    return;
  }
  // An arc shrunk to its centre (offset radius 0) has no other point.
  if (r1 == 0) {  // exact: the offset equals the radius
    SetVertex(i, {X(i - 1), Y(i - 1)});
    return;
  }
  // Law of cosines at C1; the cosine is rounded to 5 places and limited so
  // that circles which do not meet give their nearest touching point.
  double cosA = (l * l + r1 * r1 - r2 * r2) / (2 * std::fabs(r1) * l);
  cosA = Sgn(cosA) * Round5(std::fabs(cosA));
  cosA = std::clamp(cosA, -1.0, 1.0);
  double alpha = 90;
  if (cosA != 0) {  // exact: a right angle is taken as 90, not through AcosDeg
    alpha = AcosDeg(cosA);
    if (cosA < 0) alpha += 180;
  }
  if (X(i) < X(i + 1)) alpha = -alpha;  // decides only which candidate is first
  const double beta = RayAngle(dx, dy, l);
  const double r = std::fabs(r1);
  const double x1 = X(i - 1), y1 = Y(i - 1);
  const Candidates c{{x1 + CosDeg(beta + alpha) * r, y1 + SinDeg(beta + alpha) * r},
                     {x1 + CosDeg(beta - alpha) * r, y1 + SinDeg(beta - alpha) * r}};
  PickNearer(i, c);
}

void OffsetRun::JoinSameCircle(int i) {
  // The vertex moves along its ray from the centre onto the offset circle.
  const double dx = X(i) - X(i - 1);
  const double dy = Y(i) - Y(i - 1);
  const double l = Round5(std::sqrt(dx * dx + dy * dy));
  const double beta = RayAngle(dx, dy, l);
  const double r = std::fabs(P1(i - 1));
  SetVertex(i, {X(i - 1) + CosDeg(beta) * r, Y(i - 1) + SinDeg(beta) * r});
}

// --- Vertices on their elements ---------------------------------------------
//
// The walk above joins elements through slopes, rounded cosines and, where two
// elements do not meet, the nearest touching point. Where its vertex lies on
// both elements of the wire path, the vertex stays exactly as the walk made it,
// and so does a vertex the walk reported (two straight lines that do not
// meet). Elsewhere the vertex is made again from the elements themselves:
// - an approach or exit line: of its crossings with the offset element, those
//   no farther from the contour vertex than the line is long count, and the
//   nearer is taken; of two about as near (a line along the tangent of an arc
//   crosses the offset circle on both sides of the vertex) the one on the
//   start hole's side (the end point's for an exit line), since to reach the
//   other the wire would pass over the contour vertex. Without such a crossing
//   the line runs straight from the start hole to the point of the offset
//   element beside the contour vertex (on the ray from an arc's centre
//   through it);
// - two offset elements that meet: their crossing nearest the contour vertex;
// - two that do not (the offset pulled them apart at a corner): the wire rolls
//   round the corner on an arc of radius |offset| about the contour vertex,
//   tangent to both, inserted as rows of its own (end of the one element,
//   centre, start of the other), or, where that arc would be too short or too
//   flat to matter, goes straight from the one end to the other;
// - an arc whose offset radius is 0 is a point, its centre: the elements
//   before and after it meet it there or roll round to it as above;
// - a round hole (an arc ending where it starts) stays a full turn of the
//   wire: its two ends become one point when they lie within the tolerance of
//   each other, and an arc that must run more than once round is split in two.

// How far a vertex may lie from an element of the wire path: a quarter of the
// NC programs' 0.001 mm step, so that an arc block still closes after the
// coordinates are rounded.
constexpr double kVertexTolerance = 0.0005;
// A corner arc shorter than this is not inserted (its two ends could round to
// one NC point, which a controller reads as a full circle); the two offset
// elements are joined by the straight line between their ends instead.
constexpr double kMinCornerArcChord = 0.0015;
// A contour vertex within this of both of its elements counts as lying on
// them, and the wire's corner arc is centred on it (contour files rounded to 4
// decimals stay within this: 0.00007 for the point, as much for the centre and
// 0.00005 for the radius). Farther off, as in drawings imported at 2 or 3
// decimals, the corner arc runs between the points of the offset elements
// beside the vertex.
constexpr double kOnContour = 0.0002;
// A corner whose directions of travel make a cross product under this (about
// 3 degrees from turning straight back) is a reversal when its contour vertex
// lies off its elements: the wire rolls round the tip.
constexpr double kNearlyBack = 0.05;
// Two crossings of a lead line whose distances from the contour vertex differ
// by no more than this share of the larger are about as near: the tangent
// of a contour file is only as exact as its rounding, so a tangent lead
// meets the offset circle at distances a little apart.
constexpr double kTie = 1e-3;
// The ends of an arc that starts and ends at one contour point (a round hole)
// count as that one point within this.
constexpr double kSamePoint = 1e-6;
constexpr double kPi = 3.14159265358979323846;

// The element of the wire path on one side of a vertex, and the direction of
// travel of the contour there.
struct Side {
  bool lead = false;     // an approach or exit line, not offset
  bool usable = true;    // false for a lead line of zero length
  double length = 0;     // of a lead line
  Vec2 far;              // the other end of a lead line: start hole or end point
  PathElement element;
  Vec2 tangent;
  Vec2 onContour;        // the contour element's point beside the vertex
  Vec2 onPath;           // the offset element's point beside the vertex
};

// Where a lead line meets the offset element: the chosen crossing, and the
// other one when there are two.
struct LeadMeeting {
  bool found = false;
  bool tie = false;  // two crossings about as near, neither preferred
  Vec2 chosen;
  bool hasOther = false;
  Vec2 other;
};

class VertexCheck {
 public:
  VertexCheck(ElementTable& table, double offset, MessageBox& box) : m_t(table), m_offset(offset), m_box(box) {
    // The contour as loaded; the walk moves the vertices in the table.
    const int last = std::min(m_t.RowCount + 1, ElementTable::kLastRow);
    for (int r = 0; r <= last; ++r) {
      m_contour.push_back({Get(m_t.X, r), Get(m_t.Y, r)});
      m_contourRadius.push_back(Get(m_t.P1, r));
    }
  }

  // reported: the rows the walk reported; they keep the place the message names.
  void Run(const std::vector<int>& reported);

 private:
  static double Get(const ElementTable::Column& column, int i) {
    return (i >= 0 && i <= ElementTable::kLastRow) ? static_cast<double>(column[static_cast<size_t>(i)]) : 0.0;
  }
  // Contour rows by their index as loaded; rows are inserted only below the
  // row being checked, so these indexes hold for the rows still to come.
  Vec2 Contour(int i) const { return m_contour[static_cast<size_t>(i)]; }
  double ContourRadius(int i) const {
    return (i >= 0 && i < static_cast<int>(m_contourRadius.size())) ? m_contourRadius[static_cast<size_t>(i)] : 0.0;
  }
  // An arc centre of the contour, also when its offset radius came out as 0.
  bool IsCentre(int i) const { return ContourRadius(i) != 0; }
  Vec2 PathPoint(int i) const { return {Get(m_t.X, i), Get(m_t.Y, i)}; }

  // Returns how many rows were inserted after row i.
  int CheckVertex(int i, int start, int end);
  Side ElementBefore(int i, int start) const;
  Side ElementAfter(int i, int end) const;
  Side ArcSide(int centreRow, Vec2 v) const;
  LeadMeeting MeetLead(const Side& lead, const Side& element, Vec2 v) const;
  void MendLead(int i, const Side& lead, const Side& element, int start, int end);
  int MendCorner(int i, const Side& before, const Side& after, int start, int end);
  // The sweep in [0, 2 pi) of the contour arc with centre row centreRow, in its
  // direction of travel, from the ray through `from` to the ray through `to`.
  double ArcSweep(int centreRow, Vec2 from, Vec2 to) const;
  // False when p as the vertex would make an offset arc beside contour vertex
  // i run round the other way from its contour arc.
  bool KeepsArcsTheirWay(int i, Vec2 p, int start, int end) const;
  void InsertCornerArc(int i, Vec2 from, Vec2 centre, double signedRadius, Vec2 to);
  void LeadOffTheArc(int centreRow, int pointRow);
  // The arc with centre row centreRow (in the table as it is now) of a round
  // hole: a contour arc that starts where it ends. leadBefore, leadAfter: the
  // wire comes to it, or leaves it, on an approach or exit line.
  void FullTurn(int centreRow, bool leadBefore, bool leadAfter);
  // Inserts count point rows after row `after`; false (reported on the
  // message box) when the table has no room for them.
  bool MakeRoom(int after, int count);
  void SetVertex(int i, Vec2 p) {
    m_t.X[static_cast<size_t>(i)] = p.x;
    m_t.Y[static_cast<size_t>(i)] = p.y;
  }

  ElementTable& m_t;
  const double m_offset;
  MessageBox& m_box;
  std::vector<Vec2> m_contour;
  std::vector<double> m_contourRadius;
};

void VertexCheck::Run(const std::vector<int>& reported) {
  // Sub-paths as the walk takes them. Each is mended from its last row up, and
  // the sub-paths from the last one up, so that rows inserted never move a row
  // still to be checked.
  struct SubPath {
    int start, end;
  };
  std::vector<SubPath> parts;
  const int last = std::min(m_t.RowCount, ElementTable::kLastRow - 1);
  for (int start = 1; start < last;) {
    int end = start + 1;
    while (end < last && Get(m_t.Code, end + 1) != kSeparatorCode && Get(m_t.Code, end + 1) != kEndCode) ++end;
    parts.push_back({start, end});
    start = end + 2;
  }
  auto isFullTurn = [this](int centre) {
    return IsCentre(centre) && Distance(Contour(centre - 1), Contour(centre + 1)) <= kSamePoint;
  };
  for (auto part = parts.rbegin(); part != parts.rend(); ++part) {
    const int start = part->start, end = part->end;
    if (end - 1 > start && IsCentre(end - 1)) LeadOffTheArc(end - 1, end);
    for (int i = end - 1; i > start; --i) {
      if (IsCentre(i)) continue;
      const bool wasReported = std::find(reported.begin(), reported.end(), i) != reported.end();
      const int added = wasReported ? 0 : CheckVertex(i, start, end);
      // Both ends of the arc after this vertex are final now. A round hole,
      // or an arc of more than half a turn that a corner carried past its
      // start (its offset turns round the short way, the other way from its
      // contour arc), runs once round and on.
      const bool pastItsStart =
          i + 1 < end && IsCentre(i + 1) && Get(m_t.P1, i + 1 + added) != 0 &&
          ArcSweep(i + 1, Contour(i), Contour(i + 2)) > kPi &&
          ArcSweep(i + 1, PathPoint(i + added), PathPoint(i + 2 + added)) < ArcSweep(i + 1, Contour(i), Contour(i + 2)) - kPi;
      if (i + 1 < end && (isFullTurn(i + 1) || pastItsStart)) FullTurn(i + 1 + added, i - 1 == start, i + 3 >= end);
    }
    if (start + 1 < end && IsCentre(start + 1)) {
      LeadOffTheArc(start + 1, start);
      if (isFullTurn(start + 1)) FullTurn(start + 2, true, start + 3 >= end);
    }
  }
}

void VertexCheck::LeadOffTheArc(int centreRow, int pointRow) {
  // A sub-path that begins or ends on an arc, without an approach or exit line
  // (outside what CONV-2 and the imports write): the wire goes straight from
  // its start point onto the offset arc, or from it to its end point.
  const Vec2 centre = Contour(centreRow);
  const Vec2 ray = Unit(Contour(pointRow) - centre);
  if (Length(ray) == 0) return;  // exact: a start point on the centre has no ray
  const Vec2 onArc = centre + ray * std::fabs(Get(m_t.P1, centreRow));
  const int after = std::min(centreRow, pointRow);
  if (!MakeRoom(after, 1)) return;
  SetVertex(after + 1, onArc);
}

void VertexCheck::FullTurn(int centreRow, bool leadBefore, bool leadAfter) {
  const double radius = Get(m_t.P1, centreRow);
  if (radius == 0) return;  // exact: shrunk to its centre, nothing to turn round
  const Vec2 centre = PathPoint(centreRow);
  const Vec2 in = PathPoint(centreRow - 1), out = PathPoint(centreRow + 1);
  if (Distance(in, out) <= kVertexTolerance) {
    // One point: the arc is a full circle (the end moves by no more than the
    // tolerance, so it stays on the element after it).
    SetVertex(centreRow + 1, in);
    return;
  }
  // The turn the wire makes from `in` to `out` in its direction of travel: an
  // arc runs round to `out` just short of once, but one that must run once
  // round and on to `out` would be read as the short way from `in` to `out`.
  const double way = radius > 0 ? 1.0 : -1.0;
  const Vec2 a = Unit(in - centre), b = Unit(out - centre);
  const double ahead = std::atan2(way * Cross(a, b), Dot(a, b));  // -pi..pi, > 0: out lies ahead of in
  if (ahead <= 0) return;
  // Once round is enough where a lead line joins: the exit line leaves from
  // where the turn began, or the approach line comes to where it ends.
  if (leadAfter) {
    SetVertex(centreRow + 1, in);
    return;
  }
  if (leadBefore) {
    SetVertex(centreRow - 1, out);
    return;
  }
  // Between two contour elements: more than once round, as two arcs split half way.
  const double half = way * (2 * kPi + ahead) / 2;
  const Vec2 middle = centre + Vec2{a.x * std::cos(half) - a.y * std::sin(half),
                                    a.x * std::sin(half) + a.y * std::cos(half)} * std::fabs(radius);
  if (!MakeRoom(centreRow, 2)) return;
  SetVertex(centreRow + 1, middle);
  SetVertex(centreRow + 2, centre);
  m_t.P1[static_cast<size_t>(centreRow + 2)] = m_t.P1[static_cast<size_t>(centreRow)];
  m_t.Code[static_cast<size_t>(centreRow + 2)] = m_t.Code[static_cast<size_t>(centreRow)];
}

bool VertexCheck::MakeRoom(int after, int count) {
  // Rows after + 1 .. RowCount + 1 (the end row) move down by count; the new
  // rows are points.
  if (m_t.RowCount + 1 + count > ElementTable::kLastRow) {
    m_box.Show("オフセット計算中 dataNO=" + SignBlankText(after) + "で交点ERROR");
    return false;
  }
  for (int r = m_t.RowCount + 1; r > after; --r) {
    for (ElementTable::Column* column : {&m_t.X, &m_t.Y, &m_t.Code, &m_t.P1, &m_t.P2}) {
      (*column)[static_cast<size_t>(r + count)] = (*column)[static_cast<size_t>(r)];
    }
  }
  m_t.RowCount += count;
  for (int r = after + 1; r <= after + count; ++r) {
    for (ElementTable::Column* column : {&m_t.Code, &m_t.P1, &m_t.P2}) (*column)[static_cast<size_t>(r)] = 0;
  }
  return true;
}

Side VertexCheck::ArcSide(int centreRow, Vec2 v) const {
  Side s;
  const Vec2 centre = Contour(centreRow);
  const double radius = ContourRadius(centreRow);
  const double offsetRadius = Get(m_t.P1, centreRow);
  s.element = CircleElement(centre, offsetRadius);
  // Counter-clockwise travel (positive radius) has the centre on its left.
  const Vec2 radial = Unit(v - centre);
  s.tangent = radius > 0 ? LeftOf(radial) : LeftOf(radial) * -1.0;
  // A vertex on the centre has no point of the arc beside it; the arc's
  // rightmost point stands for it, far from the vertex.
  s.onContour = centre + (Length(radial) > 0 ? radial : Vec2{1, 0}) * std::fabs(radius);
  // The offset radius keeps the sign of the contour's unless the offset
  // reached past the centre; the point beside v is then across the centre.
  s.onPath = centre + radial * (radius > 0 ? offsetRadius : -offsetRadius);
  return s;
}

Side VertexCheck::ElementBefore(int i, int start) const {
  const Vec2 v = Contour(i);
  if (IsCentre(i - 1)) return ArcSide(i - 1, v);
  Side s;
  const Vec2 p = Contour(i - 1);
  s.tangent = Unit(v - p);
  s.lead = i - 1 == start;
  s.length = Distance(v, p);
  s.far = p;
  s.usable = Length(s.tangent) > 0;
  const double shift = s.lead ? 0.0 : m_offset;
  s.element = LineElement(p + LeftOf(s.tangent) * shift, s.tangent);
  s.onContour = v;
  s.onPath = v + LeftOf(s.tangent) * shift;
  return s;
}

Side VertexCheck::ElementAfter(int i, int end) const {
  const Vec2 v = Contour(i);
  if (IsCentre(i + 1)) return ArcSide(i + 1, v);
  Side s;
  s.tangent = Unit(Contour(i + 1) - v);
  s.lead = i + 1 == end;
  s.length = Distance(Contour(i + 1), v);
  s.far = Contour(i + 1);
  s.usable = Length(s.tangent) > 0;
  const double shift = s.lead ? 0.0 : m_offset;
  s.element = LineElement(v + LeftOf(s.tangent) * shift, s.tangent);
  s.onContour = v;
  s.onPath = v + LeftOf(s.tangent) * shift;
  return s;
}

int VertexCheck::CheckVertex(int i, int start, int end) {
  const Side before = ElementBefore(i, start);
  const Side after = ElementAfter(i, end);
  if (before.lead && after.lead) return 0;  // no contour element: the vertex stays on the contour
  if (before.lead) {
    MendLead(i, before, after, start, end);
    return 0;
  }
  if (after.lead) {
    MendLead(i, after, before, start, end);
    return 0;
  }
  const Vec2 now = PathPoint(i);
  if (DistanceTo(before.element, now) <= kVertexTolerance && DistanceTo(after.element, now) <= kVertexTolerance &&
      KeepsArcsTheirWay(i, now, start, end)) {
    return 0;
  }
  return MendCorner(i, before, after, start, end);
}

double VertexCheck::ArcSweep(int centreRow, Vec2 from, Vec2 to) const {
  const Vec2 centre = Contour(centreRow);
  const Vec2 a = Unit(from - centre), b = Unit(to - centre);
  const double way = ContourRadius(centreRow) > 0 ? 1.0 : -1.0;
  double sweep = std::atan2(way * Cross(a, b), Dot(a, b));
  if (sweep < 0) sweep += 2 * kPi;
  return sweep;
}

bool VertexCheck::KeepsArcsTheirWay(int i, Vec2 p, int start, int end) const {
  // Two elements that meet at a small angle (arcs fitted to a curve, nearly
  // tangent once rounded) can cross far along them after the offset: an arc
  // ending there would run round the other way, nearly a whole circle, where
  // the contour turns a few degrees. The crossing is taken only when each arc
  // beside the vertex still turns about as far as on the contour (within half
  // a turn; rounding and real corners move it by far less).
  auto turnsAsFar = [&](int centreRow, Vec2 contourFrom, Vec2 contourTo, Vec2 pathFrom, Vec2 pathTo) {
    const double radius = ContourRadius(centreRow), offsetRadius = Get(m_t.P1, centreRow);
    const Vec2 centre = Contour(centreRow);
    // Full turns, arcs shrunk to or past their centre and ends on the centre
    // have their own handling.
    if (offsetRadius == 0 || (radius > 0) != (offsetRadius > 0)) return true;
    if (Distance(contourFrom, centre) == 0 || Distance(contourTo, centre) == 0 || Distance(pathFrom, centre) == 0 ||
        Distance(pathTo, centre) == 0 || Distance(contourFrom, contourTo) <= kSamePoint) {
      return true;
    }
    return std::fabs(ArcSweep(centreRow, pathFrom, pathTo) - ArcSweep(centreRow, contourFrom, contourTo)) <= kPi;
  };
  // The arc after the vertex ends at a vertex already made (the rows are
  // mended from the last up); the one before starts at one still to come,
  // taken at its contour point until then.
  // An arc whose start an approach line meets is left to the lead's own
  // rules (the lead's vertex, made last, is checked then); one that starts
  // or ends the sub-path does so on the ray through its contour point.
  const Vec2 v = Contour(i);
  if (i - 2 >= start && i - 3 != start && IsCentre(i - 1) &&
      !turnsAsFar(i - 1, Contour(i - 2), v, Contour(i - 2), p)) {
    return false;
  }
  if (i + 2 <= end && IsCentre(i + 1) &&
      !turnsAsFar(i + 1, v, Contour(i + 2), p, i + 2 == end ? Contour(i + 2) : PathPoint(i + 2))) {
    return false;
  }
  return true;
}

LeadMeeting VertexCheck::MeetLead(const Side& lead, const Side& element, Vec2 v) const {
  LeadMeeting result;
  if (!lead.usable) return result;
  const Meeting m = Meet(lead.element, element.element, v, 0.0);
  if (m.count == 0) return result;
  Vec2 first = m.points[0], second = m.points[1];
  if (m.count == 2) {
    const double d1 = Distance(first, v), d2 = Distance(second, v);
    // About as near at a vertex on its contour element: the crossing within
    // reach on the lead's own side; at one off it, nothing tells them apart.
    const bool tie = std::fabs(d1 - d2) <= kTie * std::max(d1, d2);
    const Vec2 towards = lead.far - v;
    auto own = [&](Vec2 p) { return Dot(p - v, towards) >= 0 && Distance(p, v) <= lead.length; };
    const bool sided = tie && Distance(element.onContour, v) <= kOnContour && own(first) != own(second);
    result.tie = tie && !sided;
    const bool swap = sided ? own(second) : d2 < d1;
    if (swap) std::swap(first, second);
    result.hasOther = true;
    result.other = second;
  }
  // A crossing farther from the vertex than the lead line is long lies beyond
  // the start hole: the line would have to run back past it.
  if (Distance(first, v) > lead.length) return result;
  result.found = true;
  result.chosen = first;
  return result;
}

void VertexCheck::MendLead(int i, const Side& lead, const Side& element, int start, int end) {
  const Vec2 v = Contour(i);
  const Vec2 now = PathPoint(i);
  const LeadMeeting m = MeetLead(lead, element, v);
  // The joins' vertex stays where it lies on the element, within the lead's
  // length of the contour vertex, and nearer the chosen crossing than the
  // other (either, when they are equally near a vertex off its element).
  bool keep = DistanceTo(element.element, now) <= kVertexTolerance && Distance(now, v) <= lead.length;
  if (keep && m.found && m.hasOther && !m.tie) keep = Distance(now, m.chosen) < Distance(now, m.other);
  // A lead nearly along the arc's tangent crosses the offset circle past the
  // arc's other end: the arc would run round the other way.
  if (keep) keep = KeepsArcsTheirWay(i, now, start, end);
  if (keep) return;
  if (m.found && KeepsArcsTheirWay(i, m.chosen, start, end)) {
    SetVertex(i, m.chosen);
    return;
  }
  // Missed (or crossed too far away): the point of the offset element beside
  // the contour vertex.
  const PathElement& e = element.element;
  if (e.circle) {
    const Vec2 ray = Unit(v - e.centre);
    SetVertex(i, e.centre + (Length(ray) > 0 ? ray : LeftOf(element.tangent)) * e.radius);
  } else {
    SetVertex(i, e.point + e.direction * Dot(v - e.point, e.direction));
  }
}

// The crossing of two elements nearest the contour vertex v, if they meet.
bool NearestMeeting(const PathElement& a, const PathElement& b, Vec2 v, double slack, Vec2& result) {
  const Meeting m = Meet(a, b, v, slack);
  if (m.count == 0) return false;
  result = m.points[0];
  if (m.count == 2 && Distance(m.points[1], v) < Distance(m.points[0], v)) result = m.points[1];
  return true;
}

int VertexCheck::MendCorner(int i, const Side& before, const Side& after, int start, int end) {
  const Vec2 v = Contour(i);
  Vec2 p;
  if (NearestMeeting(before.element, after.element, v, kVertexTolerance, p) && KeepsArcsTheirWay(i, p, start, end)) {
    SetVertex(i, p);
    return 0;
  }
  // The end of the one offset element and the start of the other, both at the
  // offset from the vertex; the arc between them turns the way the contour does
  // (round the outside of a reversal: the side away from the offset).
  const double turn = Cross(before.tangent, after.tangent);
  double direction = turn > 0 ? 1.0 : -1.0;
  if (std::fabs(turn) < 1e-12) direction = m_offset > 0 ? -1.0 : 1.0;
  Vec2 from = v + LeftOf(before.tangent) * m_offset;
  Vec2 to = v + LeftOf(after.tangent) * m_offset;
  Vec2 centre = v;
  double radius = std::fabs(m_offset);
  bool arc = Distance(from, to) > kMinCornerArcChord;
  if (Distance(before.onContour, v) > kOnContour || Distance(after.onContour, v) > kOnContour) {
    // The vertex lies off its elements (a drawing rounded on import): the arc
    // of radius |offset| runs between the points of the offset elements
    // themselves, the short way round the way the corner turns (round the
    // tip, away from the offset, where the corner nearly turns back and the
    // rounding could tell the turn either way). Where it would bulge from its
    // chord by no more than the tolerance (a corner that hardly turns, where
    // the rounding alone sets the chord's direction), the chord is taken.
    if (std::fabs(turn) < kNearlyBack) direction = m_offset > 0 ? -1.0 : 1.0;
    from = before.onPath;
    to = after.onPath;
    const double half = Distance(from, to) / 2;
    radius = std::max(radius, half);
    const double rise = std::sqrt(radius * radius - half * half);
    centre = (from + to) * 0.5 + LeftOf(Unit(to - from)) * (direction * rise);
    arc = half * 2 > kMinCornerArcChord && radius - rise > kVertexTolerance;
  }
  if (!arc) {
    // Too short for an arc: a straight line between the two ends.
    if (!MakeRoom(i, 1)) return 0;
    SetVertex(i, from);
    SetVertex(i + 1, to);
    return 1;
  }
  if (!MakeRoom(i, 2)) return 0;
  InsertCornerArc(i, from, centre, direction * radius, to);
  return 2;
}

void VertexCheck::InsertCornerArc(int i, Vec2 from, Vec2 centre, double signedRadius, Vec2 to) {
  SetVertex(i, from);
  SetVertex(i + 1, centre);
  m_t.P1[static_cast<size_t>(i + 1)] = signedRadius;
  SetVertex(i + 2, to);
}

}  // namespace

void ComputeOffsetPath(ElementTable& table, double offset, MessageBox& box) {
  VertexCheck check(table, offset, box);
  OffsetRun run(table, offset, box);
  run.Run();
  check.Run(run.ReportedRows());
}

void JoinOffsetVertices(ElementTable& table, double offset, MessageBox& box) {
  OffsetRun run(table, offset, box);
  run.Run();
}

}  // namespace vx
