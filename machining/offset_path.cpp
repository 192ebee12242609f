// The wire-centre path at a given offset from the contour in the element table.
#include "machining/offset_path.h"

#include <algorithm>
#include <cmath>
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
  OffsetRun(ElementTable& table, double offset, MessageBox& box) : m_t(table), m_offset(offset), m_box(box) {}

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
      if (P1(i) == 0) JoinAt(i);     // a centre row is skipped
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
  const bool prevArc = P1(i - 1) != 0;
  const bool nextArc = P1(i + 1) != 0;
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
  // Law of cosines at C1; the cosine is rounded to 5 places and limited so
  // that circles which do not meet give their nearest touching point.
  // r1 is not 0 here: a centre row whose radius became 0 reads as a point.
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
// - an approach or exit line that meets the offset element: the crossing
//   nearest the contour vertex; one that misses it (or meets an offset line
//   only farther away than it is long): the point of the offset element
//   beside the contour vertex (on the ray from an arc's centre through the
//   vertex), and the line runs straight from the start hole to that point;
// - two offset elements that meet: their crossing nearest the contour vertex;
// - two that do not (the offset pulled them apart at a corner): the wire rolls
//   round the corner on an arc of radius |offset| about the contour vertex,
//   tangent to both, inserted as rows of its own (end of the one element,
//   centre, start of the other).

// How far a vertex may lie from an element of the wire path: a quarter of the
// NC programs' 0.001 mm step, so that an arc block still closes after the
// coordinates are rounded.
constexpr double kVertexTolerance = 0.0005;
// A corner arc shorter than this is not inserted (its two ends could round to
// one NC point, which a controller reads as a full circle); the vertex goes to
// the middle of the gap instead, within 0.00075 mm of both elements.
constexpr double kMinCornerArcChord = 0.0015;

// The element of the wire path on one side of a vertex, and the direction of
// travel of the contour there.
struct Side {
  bool lead = false;     // an approach or exit line, not offset
  bool usable = true;    // false for a lead line of zero length
  double length = 0;     // of a lead line
  PathElement element;
  Vec2 tangent;
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
  Vec2 Contour(int i) const { return m_contour[static_cast<size_t>(i)]; }
  bool IsCentre(int i) const { return Get(m_t.P1, i) != 0; }

  void CheckVertex(int i, int start, int end);
  Side ElementBefore(int i, int start) const;
  Side ElementAfter(int i, int end) const;
  Side ArcSide(int centreRow, Vec2 v) const;
  bool BeyondLead(const Side& before, const Side& after, int i, Vec2 p) const;
  void MendLead(int i, const Side& lead, const Side& element);
  void MendCorner(int i, const Side& before, const Side& after);
  void InsertCornerArc(int i, Vec2 from, Vec2 centre, double signedRadius, Vec2 to);
  void LeadOffTheArc(int centreRow, int pointRow);
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
  for (auto part = parts.rbegin(); part != parts.rend(); ++part) {
    const int start = part->start, end = part->end;
    if (end - 1 > start && IsCentre(end - 1)) LeadOffTheArc(end - 1, end);
    for (int i = end - 1; i > start; --i) {
      const bool wasReported = std::find(reported.begin(), reported.end(), i) != reported.end();
      if (!IsCentre(i) && !wasReported) CheckVertex(i, start, end);
    }
    if (start + 1 < end && IsCentre(start + 1)) LeadOffTheArc(start + 1, start);
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
  s.element = CircleElement(centre, Get(m_t.P1, centreRow));
  // Counter-clockwise travel (positive radius) has the centre on its left.
  const Vec2 radial = Unit(v - centre);
  s.tangent = m_contourRadius[static_cast<size_t>(centreRow)] > 0 ? LeftOf(radial) : LeftOf(radial) * -1.0;
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
  s.usable = Length(s.tangent) > 0;
  s.element = LineElement(p + LeftOf(s.tangent) * (s.lead ? 0.0 : m_offset), s.tangent);
  return s;
}

Side VertexCheck::ElementAfter(int i, int end) const {
  const Vec2 v = Contour(i);
  if (IsCentre(i + 1)) return ArcSide(i + 1, v);
  Side s;
  s.tangent = Unit(Contour(i + 1) - v);
  s.lead = i + 1 == end;
  s.length = Distance(Contour(i + 1), v);
  s.usable = Length(s.tangent) > 0;
  s.element = LineElement(v + LeftOf(s.tangent) * (s.lead ? 0.0 : m_offset), s.tangent);
  return s;
}

void VertexCheck::CheckVertex(int i, int start, int end) {
  const Side before = ElementBefore(i, start);
  const Side after = ElementAfter(i, end);
  if (before.lead && after.lead) return;  // no contour element: the vertex stays on the contour
  const Vec2 now{Get(m_t.X, i), Get(m_t.Y, i)};
  auto onElement = [&now](const Side& s) { return s.lead || DistanceTo(s.element, now) <= kVertexTolerance; };
  if (onElement(before) && onElement(after) && !BeyondLead(before, after, i, now)) return;
  if (before.lead) {
    MendLead(i, before, after);
  } else if (after.lead) {
    MendLead(i, after, before);
  } else {
    MendCorner(i, before, after);
  }
}

// A lead line that meets an offset line at a small angle (or, through
// rounding, an almost parallel one) crosses it far from the contour; farther
// from the contour vertex than the lead line is long, the crossing is not used.
bool VertexCheck::BeyondLead(const Side& before, const Side& after, int i, Vec2 p) const {
  const Side& lead = before.lead ? before : after;
  const Side& element = before.lead ? after : before;
  if (!lead.lead || element.element.circle) return false;
  return Distance(p, Contour(i)) > lead.length;
}

// The crossing of two elements nearest the contour vertex v, if they meet.
bool NearestMeeting(const PathElement& a, const PathElement& b, Vec2 v, double slack, Vec2& result) {
  const Meeting m = Meet(a, b, v, slack);
  if (m.count == 0) return false;
  result = m.points[0];
  if (m.count == 2 && Distance(m.points[1], v) < Distance(m.points[0], v)) result = m.points[1];
  return true;
}

void VertexCheck::MendLead(int i, const Side& lead, const Side& element) {
  const Vec2 v = Contour(i);
  Vec2 p;
  if (lead.usable && NearestMeeting(lead.element, element.element, v, 0.0, p) &&
      !BeyondLead(lead, element, i, p)) {
    SetVertex(i, p);
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

void VertexCheck::MendCorner(int i, const Side& before, const Side& after) {
  const Vec2 v = Contour(i);
  Vec2 p;
  if (NearestMeeting(before.element, after.element, v, kVertexTolerance, p)) {
    SetVertex(i, p);
    return;
  }
  // The end of the one offset element and the start of the other, both at the
  // offset from the vertex; the arc between them turns the way the contour does
  // (round the outside of a reversal: the side away from the offset).
  const Vec2 from = v + LeftOf(before.tangent) * m_offset;
  const Vec2 to = v + LeftOf(after.tangent) * m_offset;
  if (Distance(from, to) <= kMinCornerArcChord) {
    SetVertex(i, (from + to) * 0.5);
    return;
  }
  const double turn = Cross(before.tangent, after.tangent);
  double direction = turn > 0 ? 1.0 : -1.0;
  if (std::fabs(turn) < 1e-12) direction = m_offset > 0 ? -1.0 : 1.0;
  InsertCornerArc(i, from, v, direction * std::fabs(m_offset), to);
}

void VertexCheck::InsertCornerArc(int i, Vec2 from, Vec2 centre, double signedRadius, Vec2 to) {
  if (!MakeRoom(i, 2)) return;
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
