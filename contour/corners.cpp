// Pass 2 of CONV-2: corner radii at points and "(C)" corner items between elements.
#include <algorithm>
#include <cmath>

#include "contour/conv2_run.h"
#include "shell/degree.h"
#include "shell/number_text.h"

namespace vx::conv2 {
namespace {

bool IsFinite(Point p) { return std::isfinite(p.x) && std::isfinite(p.y); }
double Distance(Point a, Point b) { return std::hypot(a.x - b.x, a.y - b.y); }

// Foot of the perpendicular from (px, py) on the line y = m x + k.
Point FootOnLine(double px, double py, double m, double k) {
  const double x = (px + m * (py - k)) / (1 + m * m);
  return {x, k + m * x};
}

// Tangent point of a circle-to-circle corner on one circle: on the line
// through the circle's centre and the corner centre, Rc from the corner
// centre, C + Rc (C - O) / r' with the signed shifted radius r' (whose size
// is the distance from O to C): away from O for r' > 0, towards it for r' < 0.
// With r' = 0 the corner centre lies on O and is taken itself.
Point TangentOnCircle(Point corner, Point centre, double shiftedRadius, double cornerRadius) {
  if (shiftedRadius == 0) return corner;
  return {corner.x + cornerRadius * (corner.x - centre.x) / shiftedRadius,
          corner.y + cornerRadius * (corner.y - centre.y) / shiftedRadius};
}

}  // namespace

// Centre of the corner arc of a point: on the bisector of the two lines at
// the point, at distance R from both, on the inner side of the turn (side:
// 1 left, -1 right). The bisector's slope comes from the angles of the lines;
// an axis-parallel bisector and a vertical line on either side are cases of
// their own.
void Run::CornerCentre(double radius, int side, double fromX, double fromY, int after) {
  const int i = T.CurRow;
  const double theta1 = AtnDeg(PrevSlope);
  const double theta2 = AtnDeg(CurSlope);
  const double sum = theta1 + theta2;
  const double dx1 = X(i) - fromX, dx2 = X(after) - X(i);
  const double dy1 = Y(i) - fromY, dy2 = Y(after) - Y(i);

  if (PrevVertical == 0 && CurVertical == 0) {
    const double kShifted = PrevIntercept + side * Sgn(dx1) * radius * std::sqrt(1 + PrevSlope * PrevSlope);
    if (sum == 0 || sum == 180) {  // exact: the bisector is axis-parallel
      if (dx1 * dx2 > 0) {
        CentreX = CurX;
        CentreY = kShifted + CurX * PrevSlope;
      } else {
        CentreX = (CurY - kShifted) / PrevSlope;
        CentreY = CurY;
      }
    } else {
      double slope;
      if (dx1 > 0) {
        slope = dx2 > 0 ? TanDeg((sum - 180) / 2) : TanDeg(sum / 2);
      } else {
        slope = dx2 > 0 ? TanDeg(sum / 2) : TanDeg((sum + 180) / 2);
      }
      const double b = CurY - slope * CurX;
      CentreX = (b - kShifted) / (PrevSlope - slope);
      CentreY = (kShifted * slope - b * PrevSlope) / (slope - PrevSlope);
    }
  } else if (PrevVertical == 1) {
    double psi = theta2 + 90;
    psi = dx2 > 0 ? (psi + 180) / 2 : psi / 2;
    const double slope = dy1 < 0 ? TanDeg(psi - 90) : TanDeg(psi);
    CentreX = CurX - radius * side * Sgn(dy1);
    CentreY = CurY + slope * (CentreX - CurX);
  } else {
    double psi = theta1 + 90;
    psi = dx1 > 0 ? psi / 2 : (psi - 180) / 2;
    const double slope = dy2 < 0 ? TanDeg(psi) : TanDeg(psi + 90);
    CentreX = CurX - radius * side * Sgn(dy2);
    CentreY = CurY + slope * (CentreX - CurX);
  }
}

bool Run::StartsSegmentInto(int row) const {
  // Rows before the vertex are made already: points, and entering lines'
  // end points, which keep their code.
  const int code = CodeOf(row);
  return row >= 1 && P1(row) == 0 && (code == kPoint || code == kEnteringLine);
}

bool Run::EndsSegmentOutOf(int row) const {
  // In pass 1 the row after may still be an element: the line from the
  // vertex runs to its point, which a leaving or entering line then meets
  // there. Other elements end the segment elsewhere.
  const int code = CodeOf(row);
  if (code == kLeavingLine || code == kEnteringLine) return PassTwo == 0 || P1(row) == 0;
  return code == kPoint && P1(row) == 0;
}

void Run::RefuseCorner(double radius) {
  const std::array<double, 3> corner{CurX, CurY, radius};
  const bool seen = std::find(RefusedCorners.begin(), RefusedCorners.end(), corner) != RefusedCorners.end();
  if (PassTwo == 1 && seen) return;
  if (PassTwo == 0) RefusedCorners.push_back(corner);
  ReportConstructionError(conv2_reason::kCornerDoesNotFit);
}

bool Run::IsPointRow(int row) const {
  const int code = CodeOf(row);
  return row >= 1 && P1(row) == 0 && (code == kPoint || code == kEnteringLine);
}

bool Run::Between(int from, int row, int to) const {
  // On the segment from -> to (within kSamePoint of its line, not past its ends).
  const double ex = X(to) - X(from), ey = Y(to) - Y(from);
  const double length = std::hypot(ex, ey);
  if (length == 0) return false;
  const double px = X(row) - X(from), py = Y(row) - Y(from);
  const double along = (px * ex + py * ey) / length;
  return std::fabs(ex * py - ey * px) / length <= kSamePoint && along >= -kSamePoint && along <= length + kSamePoint;
}

bool Run::AtVertex(int row, int vertex) const {
  return std::fabs(X(row) - X(vertex)) <= kSamePoint && std::fabs(Y(row) - Y(vertex)) <= kSamePoint;
}

Run::CornerSpan Run::CornerSegments(int i) {
  CornerSpan span;
  span.itemAfter = CodeOf(i + 1) == kCornerItem;
  // A point row at the vertex itself (the crossing of an entering line that
  // starts where the segment before it ends) makes no segment: the lines of
  // the corner run from the rows beyond it, and it follows the tangent point.
  // So does an entering line's crossing that lies on the segment to or from
  // its end point (a vertical entering line after a point finds its crossing
  // where the slope left in the line state puts it).
  span.before = i - 1;
  while (span.before > 1 && IsPointRow(span.before) && IsPointRow(span.before - 1) &&
         (AtVertex(span.before, i) ||
          (span.before == i - 1 && CodeOf(i) == kEnteringLine && Between(span.before - 1, span.before, i)))) {
    --span.before;
  }
  span.next = span.itemAfter ? i + 2 : i + 1;
  // The walk stops at the last row: in a list without an end row the rows
  // past it are empty, points at the origin, that never end.
  while (!span.itemAfter && span.next < T.RowCount && IsPointRow(span.next) && IsPointRow(span.next + 1) &&
         (AtVertex(span.next, i) ||
          (span.next == i + 1 && CodeOf(i + 2) == kEnteringLine && Between(i, i + 1, i + 2)))) {
    ++span.next;
  }
  // A row at the vertex leaves the line state without a line there: it is
  // taken from the rows beyond. (A row between them lies on the line.)
  if (span.before != i - 1 && AtVertex(i - 1, i)) LineOfStep(span.before, i, PrevSlope, PrevIntercept, PrevVertical);
  if (!span.itemAfter && span.next != i + 1 && AtVertex(i + 1, i)) {
    LineOfStep(i, span.next, CurSlope, CurIntercept, CurVertical);
  }
  // The segment into the vertex starts at row `before`, or, when that row is
  // the stand-in for where a circle is left through a "(C)" item, at the
  // crossing the item's corner will take.
  span.from = {X(span.before), Y(span.before)};
  span.fromCircle = PassTwo == 0 && ExitCrossing(span.before, span.from);
  // The segment out of it ends at the next row, or, when that row is the
  // stand-in entry into a circle behind a "(C)" item, where the line enters
  // the circle by its mark.
  span.to = {X(span.next), Y(span.next)};
  span.toCircle = EntryCrossing(span.next, span.to);
  return span;
}

void Run::CornerPoints(double radius, int side, const CornerSpan& span, Point& first, Point& second) {
  const double d1x = CurX - span.from.x, d1y = CurY - span.from.y;
  const auto make = [&] {
    CornerCentre(radius, side, span.from.x, span.from.y, span.next);
    // First tangent point: on the previous line.
    first = PrevVertical == 1 ? Point{CurX, CentreY} : FootOnLine(CentreX, CentreY, PrevSlope, PrevIntercept);
    // Second tangent point: on the next line.
    second = CurVertical == 1 ? Point{CentreX + radius * Sgn(d1x), CentreY}
                              : FootOnLine(CentreX, CentreY, CurSlope, CurIntercept);
  };
  make();
  const Point centre{CentreX, CentreY};
  const bool steep = (PrevVertical == 0 && IsSteep(PrevSlope)) || (CurVertical == 0 && IsSteep(CurSlope));
  // A corner made: its centre R from both lines, inside the turn.
  const bool made = std::fabs(Distance(centre, first) - radius) <= kInputResolution &&
                    std::fabs(Distance(centre, second) - radius) <= kInputResolution &&
                    (d1x * (CentreY - CurY) - d1y * (CentreX - CurX)) * side > 0;
  if (steep && !made) {
    // A line typed at 270 degrees (or -270) is held by a huge slope that the
    // bisector's angles cannot take: it is made vertical for this corner.
    const int prevVertical = PrevVertical, curVertical = CurVertical;
    if (IsSteep(PrevSlope)) PrevVertical = 1;
    if (IsSteep(CurSlope)) CurVertical = 1;
    make();
    PrevVertical = prevVertical;
    CurVertical = curVertical;
  }
}

bool Run::CornerRadius(double radius) {
  const int i = T.CurRow;
  if (StartOfContour(i)) {
    // The first row of a contour has no line before it.
    RefuseCorner(radius);
    return false;
  }
  const CornerSpan span = CornerSegments(i);
  // Turn indicator: cross product of the incoming and the outgoing direction.
  const double d1x = X(i) - span.from.x, d1y = Y(i) - span.from.y;
  const double qx = X(span.next) - X(i), qy = Y(span.next) - Y(i);
  const double turn = d1x * qy - d1y * qx;
  if (turn == 0) {  // exact: only collinear segments give no side at all
    RefuseCorner(radius);
    return false;
  }
  const int side = Sgn(turn);
  Point first, second;
  CornerPoints(radius, side, span, first, second);
  if (!IsFinite({CentreX, CentreY}) || !IsFinite(first) || !IsFinite(second)) {
    // The line state does not describe two crossing lines at this point (a
    // corner on the first row of a contour, or lines that do not meet there).
    RefuseCorner(radius);
    return false;
  }
  const Point vertex{CurX, CurY};
  // Lines that are collinear in the input's decimals (though not in binary)
  // give an arc whose ends coincide.
  const bool collinear = Distance(first, second) < kInputResolution;
  // A corner too big for a segment puts its tangent point past the segment's
  // other end, and the path would run back.
  const bool pastStart = (span.fromCircle || StartsSegmentInto(span.before)) &&
                         Distance(first, vertex) > Distance(span.from, vertex) + kFitSlack;
  const bool pastEnd = (span.toCircle || EndsSegmentOutOf(span.next)) &&
                       Distance(second, vertex) > Distance(span.to, vertex) + kFitSlack;
  if (collinear || pastStart || pastEnd) {
    RefuseCorner(radius);
    return false;
  }
  ArcRadius = radius * side;
  CurX = first.x;
  CurY = first.y;
  StorePoint();
  // Rows passed over that the corner cuts off (nearer the vertex than its
  // tangent point) follow the tangent point.
  for (int row = span.before + 1; row < i; ++row) {
    if (Distance({X(row), Y(row)}, vertex) >= Distance(first, vertex)) continue;
    Set(&ElementTable::X, row, first.x);
    Set(&ElementTable::Y, row, first.y);
  }
  ++T.CurRow;
  InsertRow();
  StoreCentre();
  CurX = second.x;
  CurY = second.y;
  ++T.CurRow;
  InsertRow();
  StorePoint();
  // The rows at the vertex after it moved down by the two inserted rows.
  for (int row = i + 3; row < span.next + 2 && !span.itemAfter; ++row) {
    if (Distance({X(row), Y(row)}, vertex) >= Distance(second, vertex)) continue;
    Set(&ElementTable::X, row, second.x);
    Set(&ElementTable::Y, row, second.y);
  }
  return true;
}

bool Run::EntryCrossing(int standIn, Point& crossing) const {
  // Stand-ins exist in the corner pass only (in pass 1 such rows are points
  // that a circle's tangent follows).
  const int item = standIn - 1, circle = standIn + 1;
  if (PassTwo == 0 || item <= T.CurRow || CodeOf(item) != kCornerItem || CodeOf(circle) != kCircle ||
      P1(standIn) != 0) {
    return false;
  }
  // The line runs from the vertex through the stand-in (which lies ahead).
  const Point vertex{CurX, CurY};
  const double ex = X(standIn) - vertex.x, ey = Y(standIn) - vertex.y;
  const double length = std::hypot(ex, ey);
  if (length == 0) return false;
  const double ux = ex / length, uy = ey / length;
  const double wx = vertex.x - X(circle), wy = vertex.y - Y(circle), r = P1(circle);
  const double along = wx * ux + wy * uy;
  const double disc = std::max(0.0, along * along - (wx * wx + wy * wy - r * r));
  // The mark's sign: the farther crossing, the nearer, or the foot.
  const double t = -along + Sgn(P2(circle)) * std::sqrt(disc);
  crossing = {vertex.x + t * ux, vertex.y + t * uy};
  return true;
}

bool Run::IsPointStandIn(int row) const {
  const std::array<double, 2> at{X(row), Y(row)};
  return std::find(PointStandIns.begin(), PointStandIns.end(), at) != PointStandIns.end();
}

bool Run::ExitCrossing(int standIn, Point& crossing) const {
  const int item = standIn - 1, circle = standIn - 2;
  if (CodeOf(item) != kCornerItem || CodeOf(circle) != kCircle) return false;
  // The line is the one into the vertex (a point's towards the next row, or
  // an entering line). Its direction: the item's row holds the point it was
  // typed through and the entering line's angle (0 for a point).
  const int i = T.CurRow;
  double travel;
  if (P1(item) != 0) {
    travel = TravelSignOf(P1(item));
  } else {
    const double dx = X(i) - X(item), dy = Y(i) - Y(item);
    travel = (PrevVertical == 1 ? dy > 0 : dx > 0) ? -1 : 1;
  }
  const double a = X(circle), b = Y(circle), r = P1(circle);
  const double s = (std::fabs(P2(circle)) < 2 ? -1 : 1) * travel;
  if (PrevVertical == 1) {
    const double x0 = X(i);
    crossing = {x0, b - s * std::sqrt(std::max(0.0, r * r - (x0 - a) * (x0 - a)))};
  } else {
    const double m = PrevSlope, k = PrevIntercept;
    const double x = (2 * (a - m * (k - b)) - s * std::sqrt(std::max(0.0, LineCircleDisc(m, k, a, b, r)))) / (2 * (1 + m * m));
    crossing = {x, k + m * x};
  }
  return true;
}

void Run::LineOfStep(int from, int to, double& slope, double& intercept, int& vertical) const {
  const double dx = X(to) - X(from), dy = Y(to) - Y(from);
  vertical = IsVerticalStep(dx, dy) ? 1 : 0;
  if (vertical == 0) {
    slope = dy / dx;
    intercept = Y(to) - X(to) * slope;
  }
}

void Run::CornerItem() {
  CornerPending = 0;
  const int i = T.CurRow;
  const bool arcBefore = P1(i - 2) != 0;
  const bool arcAfter = P1(i + 1) != 0;
  if (!arcBefore && !arcAfter) {
    LineCornerLine();
  } else if (!arcBefore && arcAfter) {
    LineCornerCircle();
  } else if (arcBefore && !arcAfter) {
    CircleCornerLine();
  }
  // Arc centre on both sides: made when the pass reaches the second circle.
}

bool Run::ContinuesLine(int from, int to, int point) const {
  const double ex = X(to) - X(from), ey = Y(to) - Y(from);
  // The line state loses a vertical entering line, so there is nothing to keep.
  if (IsVerticalStep(ex, ey)) return false;
  const double px = X(point) - X(to), py = Y(point) - Y(to);
  return std::fabs(ex * py - ey * px) <= kOnLineTolerance * std::hypot(ex, ey);
}

void Run::LineFromEndPoint(int before, int end, int point) {
  if (ContinuesLine(before, end, point)) return;
  // An entering line's end point keeps its element code, so the pass went
  // over it without taking the line from it towards this point: the line
  // state still holds the entering line (without its vertical flag, when it
  // is vertical). Unless the point lies on that line, take the segment as
  // the point step would have: slope dy / dx through the end point, or
  // vertical.
  const double dx = X(point) - X(end);
  const double dy = Y(point) - Y(end);
  PrevVertical = IsVerticalStep(dx, dy) ? 1 : 0;
  if (PrevVertical == 0) {
    PrevSlope = dy / dx;
    PrevIntercept = Y(end) - X(end) * PrevSlope;
  }
}

void Run::LineCornerLine() {
  const int i = T.CurRow;
  const double cornerRadius = P2(i - 1);
  if (CodeOf(i - 2) == kEnteringLine) LineFromEndPoint(i - 3, i - 2, i);
  Set(&ElementTable::X, i - 1, CurX);
  Set(&ElementTable::Y, i - 1, CurY);
  DeleteRow();
  --T.CurRow;
  // Not made: the item's row stays as the vertex, a point with its R.
  if (!CornerRadius(cornerRadius) && CodeOf(T.CurRow) == kCornerItem) Set(&ElementTable::Code, T.CurRow, kPoint);
}

bool Run::LineCircleCentre(bool vertical, int i, double rc, double rho, double& dirSign, double& lineX,
                           Point& onLine) {
  const double a = X(i + 1), b = Y(i + 1), r = P1(i + 1), mark = P2(i + 1);
  dirSign = vertical ? (Y(i) - Y(i - 2) > 0 ? -1 : 1) : (X(i) - X(i - 2) > 0 ? -1 : 1);
  if (i >= 4 && CodeOf(i - 3) == kPoint && P1(i - 3) != 0 && P1(i - 2) == 0) {
    // The line starts at the end of a corner arc (code 0; a circle keeps 8).
    // The stand-in entry was placed ahead of that point, but the corner's
    // tangent point can lie past it: the arc's direction there is the line's.
    const double hx = -(Y(i - 2) - Y(i - 3)) * Sgn(P1(i - 3)), hy = (X(i - 2) - X(i - 3)) * Sgn(P1(i - 3));
    dirSign = vertical ? (hy > 0 ? -1 : 1) : (hx > 0 ? -1 : 1);
  }
  const double s = Sgn(r) * Sgn(dirSign) * Sgn(mark);
  bool missed;
  if (!vertical) {
    const double m = PrevSlope;
    const double kShifted = PrevIntercept - s * rc * std::sqrt(1 + m * m);
    Disc = LineCircleDisc(m, kShifted, a, b, rho);
    missed = ApplyDiscriminantRule(conv2_reason::kLineCircleCorner, 4 * (1 + m * m), rho);
    CentreX = (2 * (a - m * (kShifted - b)) - Sgn(mark) * Sgn(dirSign) * std::sqrt(Disc)) / (2 * (1 + m * m));
    CentreY = kShifted + m * CentreX;
    onLine = FootOnLine(CentreX, CentreY, m, PrevIntercept);
  } else {
    // (A line held by a huge slope is vertical through its first point.)
    lineX = PrevVertical == 1 ? X(i) : X(i - 2);
    const double shiftedX = lineX + s * rc;
    Disc = rho * rho - (shiftedX - a) * (shiftedX - a);
    missed = ApplyDiscriminantRule(conv2_reason::kLineCircleCorner, 1, rho);
    CentreX = shiftedX;
    CentreY = b - Sgn(dirSign) * Sgn(mark) * std::sqrt(Disc);
    onLine = {lineX, CentreY};
  }
  return missed;
}

void Run::LineCornerCircle() {
  const int i = T.CurRow;
  const double rc = P2(i - 1);
  if (CodeOf(i - 2) == kEnteringLine) LineFromEndPoint(i - 3, i - 2, i);
  const double a = X(i + 1), b = Y(i + 1), r = P1(i + 1), mark = P2(i + 1);
  // The corner centre lies on the circle shifted by Rc: inside for a positive
  // mark, outside for a negative one.
  const double rho = std::fabs(r) - Sgn(mark) * rc;
  if (rho == 0) {
    ReportConstructionError(conv2_reason::kLineCircleCorner);
    return;
  }
  Point onLine;
  double dirSign = 0, lineX = 0;
  bool vertical = PrevVertical == 1;
  const Point start{X(i - 2), Y(i - 2)};
  if (!vertical && IsSteep(PrevSlope)) {
    // A line typed at 270 degrees: its slope's form stands where it makes the
    // corner (Rc from the line at its foot, rho from the circle's centre,
    // ahead of the line's start) and reports nothing; else the line is taken
    // as vertical.
    Quietly([&] { LineCircleCentre(false, i, rc, rho, dirSign, lineX, onLine); });
    const Point centre{CentreX, CentreY};
    vertical = !(m_quietReports == 0 && std::fabs(Distance(centre, onLine) - rc) <= kInputResolution &&
                 std::fabs(Distance(centre, {a, b}) - rho) <= kInputResolution &&
                 (onLine.x - start.x) * (X(i) - start.x) + (onLine.y - start.y) * (Y(i) - start.y) > 0);
  }
  const bool missed = LineCircleCentre(vertical, i, rc, rho, dirSign, lineX, onLine);
  // The line's direction of travel (the direction sign is -1 towards +X or up).
  const Point toward = vertical ? Point{0, -dirSign}
                                : Point{-dirSign / std::sqrt(1 + PrevSlope * PrevSlope),
                                        -dirSign * PrevSlope / std::sqrt(1 + PrevSlope * PrevSlope)};
  const Point through = vertical ? Point{lineX, start.y} : start;
  // Where the line enters the circle without the corner: by the mark, the
  // farther crossing, the nearer, or the foot of the perpendicular.
  const Point entry = MeetCircle(through, toward, {a, b}, r, Sgn(mark));
  // The corner fits when its tangent point on the line lies between the
  // line's start and that entry (a bigger one would make the line run back).
  if (!missed && !Within(start, onLine, entry)) ReportConstructionError(conv2_reason::kLineCircleCorner);
  if (missed || !Within(start, onLine, entry)) {
    // Not made: the line meets the circle there; the item's row goes.
    JoinWithoutCorner(i, entry);
    return;
  }
  ArcRadius = rc * Sgn(mark) * Sgn(r);
  T.CurRow = i - 1;
  CurX = onLine.x;
  CurY = onLine.y;
  StorePoint();
  ++T.CurRow;
  StoreCentre();
  ++T.CurRow;
  CurX = CentreX - Sgn(mark) * rc * (a - CentreX) / rho;
  CurY = CentreY - Sgn(mark) * rc * (b - CentreY) / rho;
  InsertRow();
  StorePoint();
  ++T.CurRow;
}

bool Run::RoutCentre(const CornerLine& line, int i, double rc, double rho, double& dirSign) {
  const double a = X(i - 2), b = Y(i - 2), r = P1(i - 2);
  const double angle = P1(i - 1);
  // The two direction conventions differ; the shifts below are written for them.
  dirSign = line.vertical ? (Y(i + 1) - Y(i) > 0 ? -1 : 1) : (X(i + 1) - X(i) < 0 ? -1 : 1);
  // The crossing the line's direction is taken from was picked by the
  // angle's DirSign, which is wrong past 270 degrees, and then the next
  // point lies behind it: the angle gives the direction.
  if (angle != 0) {  // exact: 0 is what a point leaves, and a line at 0 has no such fault
    const double travel = TravelSignOf(angle);
    dirSign = line.vertical ? travel : -travel;
  } else if (IsPointStandIn(i)) {
    // A point's stand-in is picked as for a line towards +X and may lie past
    // the next row (the corner made at the point after): the line runs from
    // the point (held in the item's row) to the next row.
    dirSign = line.vertical ? (Y(i + 1) - Y(i - 1) > 0 ? -1 : 1) : (X(i + 1) - X(i - 1) < 0 ? -1 : 1);
  }
  const double s = Sgn(r) * Sgn(dirSign) * Sgn(ExitSign);
  bool missed;
  if (!line.vertical) {
    const double kShifted = line.k - s * rc * std::sqrt(1 + line.m * line.m);
    Disc = LineCircleDisc(line.m, kShifted, a, b, rho);
    missed = ApplyDiscriminantRule(conv2_reason::kCircleLineCorner, 4 * (1 + line.m * line.m), rho);
    CentreX = (2 * (a - line.m * (kShifted - b)) + Sgn(ExitSign) * Sgn(dirSign) * std::sqrt(Disc)) /
              (2 * (1 + line.m * line.m));
    CentreY = kShifted + line.m * CentreX;
  } else {
    const double shiftedX = line.x - s * rc;
    Disc = rho * rho - (shiftedX - a) * (shiftedX - a);
    missed = ApplyDiscriminantRule(conv2_reason::kCircleLineCorner, 1, rho);
    CentreX = shiftedX;
    CentreY = b - Sgn(ExitSign) * Sgn(dirSign) * std::sqrt(Disc);
  }
  return missed;
}

Run::CornerLine Run::RoutLine(int i, double rc, double rho) {
  const double a = X(i - 2), b = Y(i - 2);
  const double angle = P1(i - 1);
  double dirSign = 0;
  // The line through the crossing and the next row.
  CornerLine line{CurVertical == 1, CurSlope, CurIntercept, X(i)};
  if (!line.vertical && IsSteep(line.m)) {
    // A line typed at 270 degrees: its slope's form stands where it makes the
    // corner (Rc from the line, rho from the circle's centre) and reports
    // nothing; else the line is taken as vertical through the point it was
    // typed through (held in the item's row).
    Quietly([&] { RoutCentre(line, i, rc, rho, dirSign); });
    const Point centre{CentreX, CentreY};
    const bool made = m_quietReports == 0 &&
                      std::fabs(Distance(centre, FootOnLine(CentreX, CentreY, line.m, line.k)) - rc) <= kInputResolution &&
                      std::fabs(Distance(centre, {a, b}) - rho) <= kInputResolution;
    if (!made) line = {true, 0, 0, angle != 0 ? X(i - 1) : X(i)};
  }
  if (angle != 0 && DirSignOf(angle) != TravelSignOf(angle)) {  // exact: 0 is what a point leaves
    // Past 270 degrees the crossing was picked on the wrong side and may lie
    // next to the next row, and the line through the two is then not the
    // element's: the element's angle through the next row (which lies on
    // it) gives the corner where the two corners differ.
    const double slope = TanDeg(angle);
    const CornerLine own = IsVerticalAngle(angle) || IsSteep(slope)
                               ? CornerLine{true, 0, 0, X(i + 1)}
                               : CornerLine{false, slope, Y(i + 1) - X(i + 1) * slope, 0};
    Quietly([&] { RoutCentre(line, i, rc, rho, dirSign); });
    const Point through{CentreX, CentreY};
    Quietly([&] { RoutCentre(own, i, rc, rho, dirSign); });
    if (Distance(through, {CentreX, CentreY}) > kSamePoint) {
      // The line goes on to the next corner as the element's own.
      line = own;
      CurVertical = own.vertical ? 1 : 0;
      CurSlope = own.m;
      CurIntercept = own.k;
    }
  }
  return line;
}

void Run::CircleCornerLine() {
  const int i = T.CurRow;
  const double rc = P2(i - 1);
  const double a = X(i - 2), b = Y(i - 2), r = P1(i - 2), mark = P2(i - 2);
  ExitSign = std::fabs(mark) < 2 ? -1 : 1;
  const double rho = std::fabs(r) + Sgn(ExitSign) * rc;
  if (rho == 0) {
    ReportConstructionError(conv2_reason::kCircleLineCorner);
    return;
  }
  const CornerLine line = RoutLine(i, rc, rho);
  double dirSign = 0;
  const bool missed = RoutCentre(line, i, rc, rho, dirSign);
  const Point onLine = line.vertical ? Point{line.x, CentreY} : FootOnLine(CentreX, CentreY, line.m, line.k);
  // The line's direction of travel (here the direction sign is -1 towards -X,
  // or up on a vertical line) and where it leaves the circle without the
  // corner: the farther crossing for a mark of 2 or more, else the nearer.
  const Point next{X(i + 1), Y(i + 1)};
  const double norm = std::sqrt(1 + line.m * line.m);
  const Point toward = line.vertical ? Point{0, -dirSign} : Point{dirSign / norm, dirSign * line.m / norm};
  const Point through = line.vertical ? Point{line.x, next.y} : next;
  const Point exit = MeetCircle(through, toward, {a, b}, r, ExitSign);
  // The corner fits when its tangent point on the line lies between that
  // exit and the next point (a bigger one would make the line run back).
  if (!missed && !Within(exit, onLine, next)) ReportConstructionError(conv2_reason::kCircleLineCorner);
  if (missed || !Within(exit, onLine, next)) {
    JoinWithoutCorner(i, exit);
    return;
  }
  ArcRadius = -rc * Sgn(r) * Sgn(ExitSign);
  CurX = CentreX + Sgn(ExitSign) * rc * (a - CentreX) / rho;
  CurY = CentreY + Sgn(ExitSign) * rc * (b - CentreY) / rho;
  T.CurRow = i - 1;
  StorePoint();
  ++T.CurRow;
  StoreCentre();
  ++T.CurRow;
  CurX = onLine.x;
  CurY = onLine.y;
  InsertRow();
  StorePoint();
}

Point Run::MeetCircle(Point through, Point toward, Point centre, double radius, double side) {
  // Parameter t along `toward` (a unit vector) from `through`.
  const double wx = through.x - centre.x, wy = through.y - centre.y;
  const double along = wx * toward.x + wy * toward.y;
  const double disc = along * along - (wx * wx + wy * wy - radius * radius);
  const Point foot{through.x - along * toward.x, through.y - along * toward.y};
  if (disc < 0) {
    // The line misses the circle: the circle's point nearest it.
    const double d = Distance(foot, centre);
    if (d == 0) return foot;
    return {centre.x + std::fabs(radius) * (foot.x - centre.x) / d, centre.y + std::fabs(radius) * (foot.y - centre.y) / d};
  }
  const double t = -along + Sgn(side) * std::sqrt(disc);
  return {through.x + t * toward.x, through.y + t * toward.y};
}

bool Run::Within(Point from, Point p, Point to) {
  const double ex = to.x - from.x, ey = to.y - from.y;
  const double length = std::hypot(ex, ey);
  if (length == 0) return Distance(from, p) <= kFitSlack;
  const double along = ((p.x - from.x) * ex + (p.y - from.y) * ey) / length;
  return along >= -kFitSlack && along <= length + kFitSlack;
}

void Run::JoinWithoutCorner(int i, Point at) {
  // Rows i - 2 .. i + 1: the element before, the item, the point after it
  // (an entry or exit stand-in) and the element after. The item's row and
  // the stand-in both become the meeting point; the clean-up pass keeps one.
  for (const int row : {i - 1, i}) {
    T.CurRow = row;
    CurX = at.x;
    CurY = at.y;
    Mode = kPoint;
    StorePoint();
  }
  T.CurRow = i;
}

void Run::CircleCornerCircle() {
  const int i = T.CurRow;
  const Point first{X(i - 2), Y(i - 2)};
  const Point second{X(i), Y(i)};
  const double dx = second.x - first.x, dy = second.y - first.y;
  const double d = std::sqrt(dx * dx + dy * dy);
  const double rc = P2(i - 1);
  const double r1 = P1(i - 2) - rc;
  const double r2 = P1(i) - rc;
  const double mark2 = P2(i);
  if (d - kCircleGapTolerance > std::fabs(r1) + std::fabs(r2)) {
    JoinCirclesWithoutCorner(i);
    return;
  }
  const double exactCos = (d * d + r1 * r1 - r2 * r2) / (2 * std::fabs(r1) * d);
  const double cosAlpha = Sgn(exactCos) * RoundHalfEven(std::fabs(exactCos), kCornerCosinePlaces);
  if (!(cosAlpha >= -1 && cosAlpha <= 1)) {
    // One shifted circle inside the other, or no distance: they do not cross.
    JoinCirclesWithoutCorner(i);
    return;
  }
  double theta = dx == 0 ? 90 : AcosDeg(dx / d);
  if (dx < 0) theta += 180;
  if (dy < 0) theta = -theta;
  // The corner centre at the angle alpha (from its cosine) beside the line of centres.
  const auto centreAt = [&](double cosine) {
    double alpha = cosine == 0 ? 90 : AcosDeg(cosine);
    if (cosine < 0) alpha += 180;
    double beta;
    if (r1 == 0 || r2 == 0) {
      beta = alpha;
    } else {
      beta = r1 > 0 ? Sgn(mark2) * alpha : -Sgn(mark2) * alpha;
    }
    CentreX = first.x + std::fabs(r1) * CosDeg(beta + theta);
    CentreY = first.y + std::fabs(r1) * SinDeg(beta + theta);
  };
  centreAt(cosAlpha);
  // Where the angle at the first centre is small, the cosine's 5 places move
  // the centre off the second shifted circle, and the second circle's arc
  // would start off its circle (by that error times r2 / r2'): when that is
  // more than the input's last decimal the cosine is taken as computed.
  const double offSecond = std::fabs(Distance({CentreX, CentreY}, second) - std::fabs(r2)) * std::fabs(P1(i) / r2);
  if (r2 != 0 && offSecond > kInputResolution) centreAt(std::max(-1.0, std::min(1.0, exactCos)));
  const Point corner{CentreX, CentreY};
  const Point onFirst = TangentOnCircle(corner, first, r1, rc);
  const Point onSecond = TangentOnCircle(corner, second, r2, rc);
  ArcRadius = rc;
  T.CurRow = i - 1;
  CurX = onFirst.x;
  CurY = onFirst.y;
  if (std::fabs(rc) == kCrossingItemRadius) {  // exact: the item pass 1 inserts
    // The crossing of two overlapping circles becomes one point.
    StorePoint();
    ++T.CurRow;
  } else {
    InsertRow();
    StorePoint();
    ++T.CurRow;
    StoreCentre();
    ++T.CurRow;
    InsertRow();
    CurX = onSecond.x;
    CurY = onSecond.y;
    StorePoint();
  }
  CornerPending = 0;
}

void Run::JoinCirclesWithoutCorner(int i) {
  const Point a{X(i - 2), Y(i - 2)}, b{X(i), Y(i)};
  const double ra = std::fabs(P1(i - 2)), rb = std::fabs(P1(i));
  const double rc = P2(i - 1);
  const double d = Distance(a, b);
  // Unit vector from A's centre to B's (along +X when the centres coincide).
  const Point u = d > 0 ? Point{(b.x - a.x) / d, (b.y - a.y) / d} : Point{1, 0};
  const bool meet = d > 0 && d <= ra + rb + kCircleGapTolerance && d >= std::fabs(ra - rb) - kCircleGapTolerance;
  // The item pass 1 puts between circles that touch asks for no corner.
  if (!meet || std::fabs(rc) != kCrossingItemRadius) ReportConstructionError(conv2_reason::kCircleCircleCorner);
  CornerPending = 0;
  // Only the item's own row is rewritten.
  if (CodeOf(i - 1) != kCornerItem) return;
  Point onA, onB;
  if (meet) {
    // The crossing on the side the corner would have taken: left of the
    // line A-B when the mark of B and the shifted radius of A agree in sign.
    const double along = (d * d + ra * ra - rb * rb) / (2 * d);
    const double height = std::sqrt(std::max(0.0, ra * ra - along * along));
    const double shifted = P1(i - 2) - rc;
    const double side = shifted == 0 || P1(i) - rc == 0 || Sgn(P2(i)) * Sgn(shifted) >= 0 ? 1 : -1;
    onA = onB = {a.x + along * u.x - side * height * u.y, a.y + along * u.y + side * height * u.x};
  } else if (d > ra + rb) {
    onA = {a.x + ra * u.x, a.y + ra * u.y};
    onB = {b.x - rb * u.x, b.y - rb * u.y};
  } else {
    // One inside the other: both points on the side where they come nearest.
    const double toward = ra >= rb ? 1 : -1;
    onA = {a.x + toward * ra * u.x, a.y + toward * ra * u.y};
    onB = {b.x + toward * rb * u.x, b.y + toward * rb * u.y};
  }
  T.CurRow = i - 1;
  CurX = onA.x;
  CurY = onA.y;
  StorePoint();
  ++T.CurRow;
  if (!meet) {
    InsertRow();
    CurX = onB.x;
    CurY = onB.y;
    StorePoint();
  }
}

}  // namespace vx::conv2
