// The wire-centre path at a given offset from the contour in the element table.
#include "machining/offset_path.h"

#include <algorithm>
#include <cmath>

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

}  // namespace

void ComputeOffsetPath(ElementTable& table, double offset, MessageBox& box) {
  OffsetRun run(table, offset, box);
  run.Run();
}

}  // namespace vx
