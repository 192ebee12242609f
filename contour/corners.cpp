// Pass 2 of CONV-2: corner radii at points and "(C)" corner items between elements.
#include <algorithm>
#include <cmath>

#include "contour/conv2_run.h"
#include "shell/degree.h"
#include "shell/number_text.h"

namespace vx::conv2 {
namespace {

struct Point {
  double x, y;
};

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
void Run::CornerCentre(double radius, int side) {
  const int i = T.CurRow;
  const double theta1 = AtnDeg(PrevSlope);
  const double theta2 = AtnDeg(CurSlope);
  const double sum = theta1 + theta2;
  const double dx1 = X(i) - X(i - 1), dx2 = X(i + 1) - X(i);
  const double dy1 = Y(i) - Y(i - 1), dy2 = Y(i + 1) - Y(i);

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

bool Run::CornerRadius(double radius) {
  const int i = T.CurRow;
  const int nextPoint = CodeOf(i + 1) == kCornerItem ? i + 2 : i + 1;
  // Turn indicator: cross product of the incoming and the outgoing direction.
  const double d1x = X(i) - X(i - 1), d1y = Y(i) - Y(i - 1);
  const double qx = X(nextPoint) - X(i), qy = Y(nextPoint) - Y(i);
  const double turn = d1x * qy - d1y * qx;
  if (turn == 0) {  // exact: only collinear segments give no side at all
    RefuseCorner(radius);
    return false;
  }
  const int side = Sgn(turn);
  CornerCentre(radius, side);

  // First tangent point: on the previous line.
  const Point first = PrevVertical == 1 ? Point{CurX, CentreY} : FootOnLine(CentreX, CentreY, PrevSlope, PrevIntercept);
  // Second tangent point: on the next line.
  const Point second = CurVertical == 1 ? Point{CentreX + radius * Sgn(d1x), CentreY}
                                        : FootOnLine(CentreX, CentreY, CurSlope, CurIntercept);
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
  const bool pastStart = StartsSegmentInto(i - 1) &&
                         Distance(first, vertex) > Distance({X(i - 1), Y(i - 1)}, vertex) + kFitSlack;
  const bool pastEnd = EndsSegmentOutOf(nextPoint) &&
                       Distance(second, vertex) > Distance({X(nextPoint), Y(nextPoint)}, vertex) + kFitSlack;
  if (collinear || pastStart || pastEnd) {
    RefuseCorner(radius);
    return false;
  }
  ArcRadius = radius * side;
  CurX = first.x;
  CurY = first.y;
  StorePoint();
  ++T.CurRow;
  InsertRow();
  StoreCentre();
  CurX = second.x;
  CurY = second.y;
  ++T.CurRow;
  InsertRow();
  StorePoint();
  return true;
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

void Run::LineCornerCircle() {
  const int i = T.CurRow;
  const double rc = P2(i - 1);
  if (CodeOf(i - 2) == kEnteringLine) LineFromEndPoint(i - 3, i - 2, i);
  const double a = X(i + 1), b = Y(i + 1), r = P1(i + 1), mark = P2(i + 1);
  const bool vertical = PrevVertical == 1;
  const double dirSign = vertical ? (Y(i) - Y(i - 2) > 0 ? -1 : 1) : (X(i) - X(i - 2) > 0 ? -1 : 1);
  const double s = Sgn(r) * Sgn(dirSign) * Sgn(mark);
  // The corner centre lies on the circle shifted by Rc: inside for a positive
  // mark, outside for a negative one.
  const double rho = std::fabs(r) - Sgn(mark) * rc;
  if (rho == 0) {
    ReportConstructionError(conv2_reason::kLineCircleCorner);
    return;
  }
  Point onLine;
  if (!vertical) {
    const double m = PrevSlope;
    const double kShifted = PrevIntercept - s * rc * std::sqrt(1 + m * m);
    Disc = LineCircleDisc(m, kShifted, a, b, rho);
    ApplyDiscriminantRule(conv2_reason::kLineCircleCorner);
    CentreX = (2 * (a - m * (kShifted - b)) - Sgn(mark) * Sgn(dirSign) * std::sqrt(Disc)) / (2 * (1 + m * m));
    CentreY = kShifted + m * CentreX;
    onLine = FootOnLine(CentreX, CentreY, m, PrevIntercept);
  } else {
    const double lineX = X(i);
    const double shiftedX = lineX + s * rc;
    Disc = rho * rho - (shiftedX - a) * (shiftedX - a);
    ApplyDiscriminantRule(conv2_reason::kLineCircleCorner);
    CentreX = shiftedX;
    CentreY = b - Sgn(dirSign) * Sgn(mark) * std::sqrt(Disc);
    onLine = {lineX, CentreY};
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

void Run::CircleCornerLine() {
  const int i = T.CurRow;
  const double rc = P2(i - 1);
  const double a = X(i - 2), b = Y(i - 2), r = P1(i - 2), mark = P2(i - 2);
  const bool vertical = CurVertical == 1;
  // The two direction conventions differ; the shifts below are written for them.
  const double dirSign = vertical ? (Y(i + 1) - Y(i) > 0 ? -1 : 1) : (X(i + 1) - X(i) < 0 ? -1 : 1);
  ExitSign = std::fabs(mark) < 2 ? -1 : 1;
  const double s = Sgn(r) * Sgn(dirSign) * Sgn(ExitSign);
  const double rho = std::fabs(r) + Sgn(ExitSign) * rc;
  if (rho == 0) {
    ReportConstructionError(conv2_reason::kCircleLineCorner);
    return;
  }
  const double lineX = X(i);
  const double m = CurSlope, k = CurIntercept;
  if (!vertical) {
    const double kShifted = k - s * rc * std::sqrt(1 + m * m);
    Disc = LineCircleDisc(m, kShifted, a, b, rho);
    ApplyDiscriminantRule(conv2_reason::kCircleLineCorner);
    CentreX = (2 * (a - m * (kShifted - b)) + Sgn(ExitSign) * Sgn(dirSign) * std::sqrt(Disc)) / (2 * (1 + m * m));
    CentreY = kShifted + m * CentreX;
  } else {
    const double shiftedX = lineX - s * rc;
    Disc = rho * rho - (shiftedX - a) * (shiftedX - a);
    ApplyDiscriminantRule(conv2_reason::kCircleLineCorner);
    CentreX = shiftedX;
    CentreY = b - Sgn(ExitSign) * Sgn(dirSign) * std::sqrt(Disc);
  }
  ArcRadius = -rc * Sgn(r) * Sgn(ExitSign);
  CurX = CentreX + Sgn(ExitSign) * rc * (a - CentreX) / rho;
  CurY = CentreY + Sgn(ExitSign) * rc * (b - CentreY) / rho;
  T.CurRow = i - 1;
  StorePoint();
  ++T.CurRow;
  StoreCentre();
  ++T.CurRow;
  const Point onLine = vertical ? Point{lineX, CentreY} : FootOnLine(CentreX, CentreY, m, k);
  CurX = onLine.x;
  CurY = onLine.y;
  InsertRow();
  StorePoint();
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
  double cosAlpha = (d * d + r1 * r1 - r2 * r2) / (2 * std::fabs(r1) * d);
  cosAlpha = Sgn(cosAlpha) * RoundHalfEven(std::fabs(cosAlpha), kCornerCosinePlaces);
  if (!(cosAlpha >= -1 && cosAlpha <= 1)) {
    // One shifted circle inside the other, or no distance: they do not cross.
    JoinCirclesWithoutCorner(i);
    return;
  }
  double alpha = cosAlpha == 0 ? 90 : AcosDeg(cosAlpha);
  if (cosAlpha < 0) alpha += 180;
  double beta;
  if (r1 == 0 || r2 == 0) {
    beta = alpha;
  } else {
    beta = r1 > 0 ? Sgn(mark2) * alpha : -Sgn(mark2) * alpha;
  }
  double theta = dx == 0 ? 90 : AcosDeg(dx / d);
  if (dx < 0) theta += 180;
  if (dy < 0) theta = -theta;
  CentreX = first.x + std::fabs(r1) * CosDeg(beta + theta);
  CentreY = first.y + std::fabs(r1) * SinDeg(beta + theta);
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
