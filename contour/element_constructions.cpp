// Pass 1 of CONV-2: each element replaced by the point where it meets the element before it.
#include <cmath>

#include "contour/conv2_run.h"
#include "shell/degree.h"
#include "shell/number_text.h"

namespace vx::conv2 {
namespace {

bool IsVerticalAngle(double angle) { return angle == 90 || angle == -90; }

// Side factor of the shift of a vertical parallel line: the line moves by
// -shift * factor in X. For +-90 it is the sign of the angle; an angle such as
// 270, whose cosine rounds to 0, is vertical too and takes the sign of its sine.
double VerticalShiftSign(double angle) { return IsVerticalAngle(angle) ? Sgn(angle) : Sgn(SinDeg(angle)); }

// A parallel line is vertical at +-90 and wherever its cosine rounds to 0
// (the shift is divided by the cosine).
bool IsVerticalParallel(double angle) { return IsVerticalAngle(angle) || CosDeg(angle) == 0; }

}  // namespace

bool Run::OnCircle(int circle, int point) const {
  const double d = std::hypot(X(point) - X(circle), Y(point) - Y(circle));
  return std::fabs(d - std::fabs(P1(circle))) <= kOnLineTolerance;
}

bool Run::StartOfContour(int row) const { return row == 1 || CodeOf(row - 1) == kSeparator; }

double Run::EntrySign(double mark, double centreDistance, double radius) {
  if (mark != 0) return Sgn(mark);
  // The mark 0 asks for the foot of the perpendicular, which is the entry
  // only when the line is a tangent. Through the circle, the nearer crossing.
  if (std::fabs(radius) - centreDistance <= kInputResolution) return 0;
  ReportConstructionError(conv2_reason::kCrossingWithZeroMark);
  return -1;
}

void Run::ApplyDiscriminantRule(const char* reason) {
  if (Disc < -kDiscriminantTolerance) {
    ReportConstructionError(reason);
    Disc = 0;
  }
  if (Disc < 0) Disc = 0;
}

double Run::AsinDegClamped(double sine, bool reportBeyondOne) {
  // Exactly +-1: the direction straight up or down (AsinDeg is not defined there).
  if (sine == 1) return 90;
  if (sine == -1) return -90;
  if (std::fabs(sine) > 1) {
    if (reportBeyondOne && std::fabs(sine) > 1 + kSineRoundingSlack) ReportConstructionError(conv2_reason::kNoTangent);
    return sine > 0 ? 90 : -90;
  }
  return AsinDeg(sine);
}

void Run::CommonIntersection() {
  // Exact comparison: only identical slopes have no crossing to compute.
  if (CurSlope == PrevSlope) {
    ReportConstructionError(conv2_reason::kParallelLines);
    return;
  }
  CurX = (CurIntercept - PrevIntercept) / (PrevSlope - CurSlope);
  CurY = (CurIntercept * PrevSlope - PrevIntercept * CurSlope) / (PrevSlope - CurSlope);
}

void Run::ContourEnd() {
  InsertRow();
  ++T.CurRow;
  Set(&ElementTable::X, T.CurRow - 1, X(T.CurRow - 1) - 1);
}

void Run::PointStep() {
  const int i = T.CurRow;
  NextCode = CodeOf(i + 1);
  if (NextCode == kCornerItem) {
    // The "(C)" row takes the position of the row after it.
    Set(&ElementTable::X, i + 1, X(i + 2));
    Set(&ElementTable::Y, i + 1, Y(i + 2));
  }
  const double dx = X(i + 1) - X(i);
  const double dy = Y(i + 1) - Y(i);
  if (PassTwo == 0 && NextCode == kCircle) {
    if (CirclePending == 1 && CodeOf(i - 1) == kCircle && !OnCircle(i - 1, i)) {
      // A circle is still pending before this point: it is left on the
      // tangent through the point first (the tangent point goes in before
      // the point row), then the next circle is reached from the point.
      CircleExit();
      NextCode = kCircle;
    }
    Dist = std::sqrt(dy * dy + dx * dx);
    CirclePending = 1;
    ++T.CurRow;
    TangentMode = 1;
    TangentConstruction(dx, dy);
    return;
  }
  if (IsVerticalStep(dx, dy)) {
    CurVertical = 1;
  } else {
    CurSlope = dy / dx;
    CurIntercept = Y(i) - X(i) * CurSlope;
  }
  if (CirclePending == 1) {
    CircleExit();
    return;
  }
  CurX = X(i);
  CurY = Y(i);
  if (CornerPending == 1 && (P2(i) == 0 || CodeOf(i - 1) == kCornerItem)) {
    // A "(C)" item right before asks for the corner at this joint; a corner
    // R of the point (a leaving line's own) at the same joint gives way to it.
    CornerItem();
  } else if (P2(i) != 0) {
    // Right behind a "(C)" item the corner is the item's, made in pass 2.
    if (PassTwo == 0 && CodeOf(i - 1) == kCornerItem) return;
    // The corner pass goes over an entering line's end point, which keeps
    // its element code; the line before the corner starts there.
    if (PassTwo == 1 && CodeOf(i - 1) == kEnteringLine) LineFromEndPoint(i - 2, i - 1, i);
    CornerRadius(P2(i));
  }
}

void Run::LineThroughRow(int i) {
  const double angle = P1(i);
  if (IsVerticalAngle(angle)) {
    CurVertical = 1;
  } else {
    CurSlope = TanDeg(angle);
    CurIntercept = Y(i) - X(i) * CurSlope;
  }
}

void Run::LeavingLine() {
  const int i = T.CurRow;
  CurAngle = P1(i);
  LineThroughRow(i);
  if (CirclePending == 1) {
    CircleExit();
    return;
  }
  if (CurVertical == 1) {
    if (PrevVertical == 1) {
      PrevVertical = 0;
      ReportConstructionError(conv2_reason::kParallelLines);
    } else if (StartOfContour(i)) {
      CurX = X(i);
      CurY = Y(i);
    } else {
      CurX = X(i);
      CurY = PrevIntercept + CurX * PrevSlope;
    }
  } else if (PrevVertical == 1) {
    // The vertical line is the element before, past a "(C)" item.
    CurX = X(CodeOf(i - 1) == kCornerItem ? i - 2 : i - 1);
    CurY = CurIntercept + CurX * CurSlope;
  } else if (StartOfContour(i)) {
    CurX = X(i);
    CurY = Y(i);
  } else {
    CommonIntersection();
  }
  StorePoint();
  const int next = CodeOf(T.CurRow + 1);
  if (next == kSeparator || next == kEnd) ContourEnd();
}

void Run::EnteringLine() {
  const int i = T.CurRow;
  if (CodeOf(i - 1) == kCornerItem) {
    Set(&ElementTable::X, i - 1, X(i - 2));
    Set(&ElementTable::Y, i - 1, Y(i - 2));
  }
  LineThroughRow(i);  // CurAngle is not set for an entering line
  if (CirclePending == 1) {
    CircleExit();
    return;
  }
  if (PrevVertical == 1) {
    CurX = X(i - 1);
    CurY = CurSlope * CurX + CurIntercept;
  } else if (CurVertical == 0) {
    CommonIntersection();
  } else {
    CurX = X(i);
    CurY = PrevSlope * CurX + PrevIntercept;
  }
  // The intersection goes in before the element row.
  InsertRow();
  StorePoint();
  PrevSlope = CurSlope;
  PrevIntercept = CurIntercept;
  PrevVertical = CurVertical;
  CurVertical = 0;
  // The given end point becomes the next vertex, with the line's corner R.
  ++T.CurRow;
  Set(&ElementTable::P1, T.CurRow, 0);
  PointStep();
}

void Run::ParallelLine() {
  const int i = T.CurRow;
  const double angle = P1(i);
  const double shift = P2(i);
  CurAngle = angle;
  if (IsVerticalParallel(angle)) {
    CurVertical = 1;
  } else {
    CurSlope = TanDeg(angle);
    CurIntercept = Y(i) - X(i) * CurSlope + shift / CosDeg(angle);
  }
  if (CirclePending == 1) {
    CircleExit();
    return;
  }
  if (CurVertical == 1) {
    if (PrevVertical == 1) {
      PrevVertical = 0;
      ReportConstructionError(conv2_reason::kParallelVertical);
    } else {
      CurX = X(i) - shift * VerticalShiftSign(angle);
      CurY = PrevIntercept + CurX * PrevSlope;
    }
  } else if (PrevVertical == 1) {
    CurX = X(CodeOf(i - 1) == kCornerItem ? i - 2 : i - 1);
    CurY = CurIntercept + CurX * CurSlope;
    PrevVertical = 0;
  } else {
    CommonIntersection();
  }
  StorePoint();
  const int next = CodeOf(T.CurRow + 1);
  if (next == kSeparator || next == kEnd) ContourEnd();
}

void Run::CircleStep() {
  if (CirclePending == 1) {
    CircleAfterCircle();
    return;
  }
  CirclePending = 1;
  const int i = T.CurRow;
  const double a = X(i), b = Y(i), r = P1(i), mark = P2(i);
  if (PrevVertical == 1) {
    // Entry from a vertical line.
    const double x0 = X(CodeOf(i - 1) == kCornerItem ? i - 2 : i - 1);
    Disc = RoundHalfEven(r * r - (x0 - a) * (x0 - a), kLineCircleDiscPlaces);
    ApplyDiscriminantRule(conv2_reason::kLineMissesCircle);
    CurX = x0;
    CurY = b - EntrySign(mark, std::fabs(x0 - a), r) * Sgn(DirSign) * std::sqrt(Disc);
  } else {
    const double m = PrevSlope, k = PrevIntercept;
    Disc = RoundHalfEven(LineCircleDisc(m, k, a, b, r), kLineCircleDiscPlaces);
    ApplyDiscriminantRule(conv2_reason::kLineMissesCircle);
    // Distance of the centre from the line y = m x + k.
    const double s = EntrySign(mark, std::fabs(m * a - b + k) / std::sqrt(1 + m * m), r) * Sgn(DirSign);
    CurX = (2 * (a - m * (k - b)) - s * std::sqrt(Disc)) / (2 * (1 + m * m));
    CurY = k + m * CurX;
  }
  // The entry point goes in before the circle row, which stays as the arc centre.
  InsertRow();
  StorePoint();
  ++T.CurRow;
}

void Run::CircleAfterCircle() {
  const int i = T.CurRow;
  if (CodeOf(i - 1) == kCornerItem) return;  // joined by the corner in pass 2
  const double dx = X(i) - X(i - 1);
  const double dy = Y(i) - Y(i - 1);
  Dist = std::sqrt(dx * dx + dy * dy);
  if (Dist > std::fabs(P1(i - 1)) + std::fabs(P1(i))) {
    TangentMode = 0;
    TangentConstruction(dx, dy);
  } else {
    // Overlapping or touching circles meet in a corner of the crossing radius.
    InsertRow();
    Set(&ElementTable::X, i, 0);
    Set(&ElementTable::Y, i, 0);
    Set(&ElementTable::Code, i, kCornerItem);
    Set(&ElementTable::P1, i, 0);
    Set(&ElementTable::P2, i, kCrossingItemRadius);
    ++T.CurRow;
  }
  // The second circle is pending now.
}

void Run::TangentConstruction(double dx, double dy) {
  const int j = T.CurRow - 1;
  const double r1 = P1(j);
  const double r2 = P1(T.CurRow);
  const bool lineThroughPoint = TangentMode == 2 && NextCode == kLeavingLine;
  double rho = 0, theta = 0;
  if (Dist == 0) {
    // A point on the centre, or two circles on one centre: no tangent has a
    // direction. The tangent is taken in the direction 0.
    ReportConstructionError(conv2_reason::kSameCentre);
  } else {
    // Past +-1 the tangent's angle to the centre line has no value: a point
    // inside the circle, or circles without the asked tangent.
    rho = AsinDegClamped(lineThroughPoint ? r1 / Dist : (r1 - r2) / Dist, true);
    // The direction of the centre line can pass +-1 only by the rounding of
    // Dist (to 5 places after a circle): straight up or down.
    theta = AsinDegClamped(dy / Dist, false);
    if (dx < 0 && theta <= 0) {
      theta = -180 - theta;
    } else if (dx < 0 && theta > 0) {
      theta = 180 - theta;
    }
  }
  const double phi = rho + theta;
  if (TangentMode != 1) {
    CurX = X(j) + r1 * SinDeg(phi);
    CurY = Y(j) - r1 * CosDeg(phi);
    InsertRow();
    StorePoint();
    ++T.CurRow;
  }
  if (lineThroughPoint) {
    // The leaving line's own point ends the tangent.
    Set(&ElementTable::Code, T.CurRow, 0);
    Set(&ElementTable::P1, T.CurRow, 0);
  } else {
    CurX = X(T.CurRow) + r2 * SinDeg(phi);
    CurY = Y(T.CurRow) - r2 * CosDeg(phi);
  }
  if (TangentMode != 2) {
    InsertRow();
    StorePoint();
    ++T.CurRow;
  }
}

void Run::CircleExit() {
  PrevVertical = 0;
  CirclePending = 0;
  const int element = T.CurRow;
  NextCode = CodeOf(element);
  // Behind a "(C)" item the element's line (a leaving line's own, or from a
  // point towards the row after it) crosses the circle and pass 2 joins the
  // two with the item's corner. The row before is the item, not the circle,
  // so no tangent is drawn from it.
  const bool afterCornerItem = CodeOf(element - 1) == kCornerItem;
  if (!afterCornerItem && ((PassTwo == 0 && NextCode == kPoint) || NextCode == kLeavingLine)) {
    // The contour leaves the circle on the tangent through the element's point.
    const double dx = X(element) - X(element - 1);
    const double dy = Y(element) - Y(element - 1);
    Dist = RoundHalfEven(std::sqrt(dx * dx + dy * dy), kCircleDistancePlaces);
    TangentMode = 2;
    TangentConstruction(dx, dy);
    return;
  }
  const double angle = P1(element);
  const double shift = P2(element);
  const double elementX = X(element);
  NextCode = CodeOf(element - 1);
  const bool steppedBack = NextCode == kCornerItem;
  if (steppedBack) {
    --T.CurRow;
    Set(&ElementTable::X, T.CurRow, elementX);
    Set(&ElementTable::Y, T.CurRow, Y(element));
    Set(&ElementTable::P1, T.CurRow, angle);
  }
  const int circle = T.CurRow - 1;
  const double a = X(circle), b = Y(circle), r = P1(circle), mark = P2(circle);
  ExitSign = std::fabs(mark) < 2 ? -1 : 1;
  const bool vertical = CurVertical == 1;
  const double x0 = elementX - (Mode == kParallelLine ? shift * VerticalShiftSign(angle) : 0);
  const double m = CurSlope, k = CurIntercept;
  Disc = vertical ? r * r - (x0 - a) * (x0 - a) : LineCircleDisc(m, k, a, b, r);
  ApplyDiscriminantRule(conv2_reason::kLineMissesCircle);
  DirSign = DirSignOf(angle);
  // The crossing on the given side: s = sgn(ExitSign) sgn(DirSign) picks it.
  const auto crossing = [&](double s) {
    if (vertical) {
      CurX = x0;
      CurY = b - s * std::sqrt(Disc);
    } else {
      CurX = (2 * (a - m * (k - b)) - s * std::sqrt(Disc)) / (2 * (1 + m * m));
      CurY = k + m * CurX;
    }
  };
  const double s = Sgn(ExitSign) * Sgn(DirSign);
  crossing(s);
  if (Mode == kPoint) {
    // A point has no angle: the mark picks its crossing as for a line
    // towards +X (or up). The line runs from the point to the row after it;
    // a crossing at or past that row would make it run back, so the other
    // crossing is the exit.
    const double dx = X(element + 1) - elementX, dy = Y(element + 1) - Y(element);
    if ((X(element + 1) - CurX) * dx + (Y(element + 1) - CurY) * dy <= 0) crossing(-s);
  }
  if (steppedBack) ++T.CurRow;
  if (Mode == kEnteringLine) InsertRow();
  StorePoint();
  if (Mode == kEnteringLine) {
    PrevSlope = CurSlope;
    PrevIntercept = CurIntercept;
    PrevVertical = CurVertical;
    CurVertical = 0;
    ++T.CurRow;
    Set(&ElementTable::P1, T.CurRow, 0);
    PointStep();
  }
}

}  // namespace vx::conv2
