// Pass 1 of CONV-2: each element replaced by the point where it meets the element before it.
#include <cmath>
#include <functional>

#include "contour/conv2_run.h"
#include "shell/degree.h"
#include "shell/number_text.h"

namespace vx::conv2 {
namespace {



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
  if (std::fabs(radius) - centreDistance <= kTangentSlack) return 0;
  ReportConstructionError(conv2_reason::kCrossingWithZeroMark);
  return -1;
}

bool Run::ApplyDiscriminantRule(const char* reason, double scale, double radius) {
  bool missed = false;
  if (Disc < -kDiscriminantTolerance) {
    // Disc = scale (r^2 - d^2) for a line at distance d from the centre. A
    // line that misses the circle by no more than typed values can be off
    // is the tangent it was drawn as.
    const double d = std::sqrt(radius * radius - Disc / scale);
    missed = d - std::fabs(radius) > kTangentSlack;
    if (missed) ReportConstructionError(reason);
    Disc = 0;
  }
  if (Disc < 0) Disc = 0;
  return missed;
}

void Run::OntoCircle(double a, double b, double r) {
  // A line that misses its circle is taken as its tangent: the foot of the
  // perpendicular moves onto the circle, so that the arc starts (or ends)
  // on it and the NC program's arc closes.
  const double d = std::hypot(CurX - a, CurY - b);
  if (d == 0) return;
  CurX = a + std::fabs(r) * (CurX - a) / d;
  CurY = b + std::fabs(r) * (CurY - b) / d;
}

bool Run::SameSlope(double m1, double m2) {
  // exact: equal slopes are parallel; beyond that only rounding noise.
  return m1 == m2 || std::fabs(m1 - m2) <= kParallelNoise * (1 + std::fabs(m1 * m2));
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
  // exact: only identical slopes give no crossing to compute.
  const bool identical = CurSlope == PrevSlope;
  const double x = (CurIntercept - PrevIntercept) / (PrevSlope - CurSlope);
  const double y = (CurIntercept * PrevSlope - PrevIntercept * CurSlope) / (PrevSlope - CurSlope);
  if (SameSlope(CurSlope, PrevSlope)) {
    // No crossing: the point stays. An entering line through that point is
    // the line the contour is on already (typed along the segment from a
    // point to its end): nothing to report. Slopes that differ by rounding
    // alone give a crossing anywhere on the line; one on the segment from the
    // point to the element's own point stands (the contour runs through it).
    const double off = std::fabs(CurY - (CurSlope * CurX + CurIntercept)) / std::sqrt(1 + CurSlope * CurSlope);
    if (!identical && std::isfinite(x) && std::isfinite(y) && OnSegmentTo(x, y, T.CurRow)) {
      CurX = x;
      CurY = y;
    } else if (Mode != kEnteringLine || off > kInputResolution) {
      ReportConstructionError(conv2_reason::kParallelLines);
    }
    return;
  }
  CurX = x;
  CurY = y;
}

bool Run::OnSegmentTo(double x, double y, int row) const {
  const double ex = X(row) - CurX, ey = Y(row) - CurY;
  const double length = std::hypot(ex, ey);
  if (length == 0) return false;
  const double px = x - CurX, py = y - CurY;
  const double along = (px * ex + py * ey) / length;
  return std::fabs(ex * py - ey * px) / length <= kSamePoint && along >= 0 && along <= length;
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
  if (PrevVertical == 1 && CurVertical == 1) {
    // Two vertical lines: no crossing, and the line state holds no slope for
    // the entering line: the crossing lands wherever the slope left there
    // puts it. Unless that is on the vertical segment the contour runs on
    // (from the point it is at to the line's end), the point stays; and the
    // lines must be one (else they are reported as parallel).
    const double y = CurSlope * X(i - 1) + CurIntercept;
    const bool onSegment = std::fabs(X(i - 1) - CurX) <= kSamePoint &&
                           std::min(CurY, Y(i)) - kSamePoint <= y && y <= std::max(CurY, Y(i)) + kSamePoint;
    if (std::fabs(X(i) - CurX) > kInputResolution) {
      ReportConstructionError(conv2_reason::kParallelLines);
    } else if (onSegment) {
      CurX = X(i - 1);
      CurY = y;
    }
  } else if (PrevVertical == 1) {
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
  // Behind a "(C)" item the entry is a stand-in: the corner pass makes the
  // corner from the line through it.
  const bool standIn = CodeOf(i - 1) == kCornerItem;
  const double dirSign = standIn ? DirSign : TravelSign;
  // Entry from a vertical line.
  const double x0 = X(standIn ? i - 2 : i - 1);
  const auto fromVertical = [&] {
    Disc = RoundHalfEven(r * r - (x0 - a) * (x0 - a), kLineCircleDiscPlaces);
    const bool missed = ApplyDiscriminantRule(conv2_reason::kLineMissesCircle, 1, r);
    CurX = x0;
    const double s = EntrySign(mark, std::fabs(x0 - a), r) * Sgn(dirSign);
    CurY = b - s * std::sqrt(Disc);
    if (standIn && EntryBehind(i)) CurY = b + s * std::sqrt(Disc);
    // (A stand-in stays on the line: the corner pass takes the line from it.)
    if (missed && !standIn) OntoCircle(a, b, r);
  };
  const auto fromSloped = [&] {
    const double m = PrevSlope, k = PrevIntercept;
    Disc = RoundHalfEven(LineCircleDisc(m, k, a, b, r), kLineCircleDiscPlaces);
    const bool missed = ApplyDiscriminantRule(conv2_reason::kLineMissesCircle, 4 * (1 + m * m), r);
    // Distance of the centre from the line y = m x + k.
    const double s = EntrySign(mark, std::fabs(m * a - b + k) / std::sqrt(1 + m * m), r) * Sgn(dirSign);
    CurX = (2 * (a - m * (k - b)) - s * std::sqrt(Disc)) / (2 * (1 + m * m));
    CurY = k + m * CurX;
    if (standIn && EntryBehind(i)) {
      CurX = (2 * (a - m * (k - b)) + s * std::sqrt(Disc)) / (2 * (1 + m * m));
      CurY = k + m * CurX;
    }
    if (missed && !standIn) OntoCircle(a, b, r);
  };
  if (PrevVertical == 1) {
    fromVertical();
  } else if (!IsSteep(PrevSlope)) {
    fromSloped();
  } else if (standIn) {
    // A stand-in only marks the line for the corner pass; the slope's form
    // stands unless it finds no crossing at all.
    Quietly(fromSloped);
    if (m_quietReports == 0) {
      fromSloped();
    } else {
      fromVertical();
    }
  } else {
    // A line typed at 270 degrees: its slope's form is kept where it gives
    // the vertical line's crossing to the input's last decimal and reports
    // nothing, else the crossing is the vertical line's.
    const Point vertical = Quietly(fromVertical);
    const Point sloped = Quietly(fromSloped);
    if (m_quietReports == 0 && std::fabs(sloped.x - vertical.x) <= kSamePoint &&
        std::fabs(sloped.y - vertical.y) <= kSamePoint) {
      CurX = sloped.x;
      CurY = sloped.y;
    } else {
      fromVertical();
    }
  }
  // The entry point goes in before the circle row, which stays as the arc centre.
  InsertRow();
  StorePoint();
  ++T.CurRow;
}

Point Run::Quietly(const std::function<void()>& step) {
  m_quiet = true;
  m_quietReports = 0;
  step();
  m_quiet = false;
  return {CurX, CurY};
}

bool Run::EntryBehind(int circle) const {
  // The corner pass takes the line from the point before the item through
  // the stand-in, so a stand-in on the wrong side of the circle (a point's
  // line towards the centre goes by whatever direction sign the last leaving
  // line left; an angle past 270 gives the wrong one) does no harm unless it
  // lies behind that point: then the line would be taken backwards.
  const int item = circle - 1, from = circle - 2;
  double dx, dy;
  if (X(item) == X(circle) && Y(item) == Y(circle)) {
    // exact: a point's line, the item's row took the centre's position.
    dx = X(circle) - X(from);
    dy = Y(circle) - Y(from);
  } else if (PrevVertical == 1 || IsSteep(PrevSlope)) {
    dx = 0;
    dy = -TravelSign;
  } else {
    dx = -TravelSign;
    dy = -TravelSign * PrevSlope;
  }
  return (CurX - X(from)) * dx + (CurY - Y(from)) * dy <= 0;
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
    // The leaving line's own point ends the tangent. The line goes on at its
    // angle, which gives its direction (the tangent point stored above gave
    // DirSign the angle 0).
    TravelSign = TravelSignOf(P1(T.CurRow));
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
  bool vertical = CurVertical == 1;
  const double x0 = elementX - (Mode == kParallelLine ? shift * VerticalShiftSign(angle) : 0);
  const double m = CurSlope, k = CurIntercept;
  bool missed = false;
  const auto discriminant = [&] {
    Disc = vertical ? r * r - (x0 - a) * (x0 - a) : LineCircleDisc(m, k, a, b, r);
    missed = ApplyDiscriminantRule(conv2_reason::kLineMissesCircle, vertical ? 1 : 4 * (1 + m * m), r);
  };
  DirSign = DirSignOf(angle);
  TravelSign = TravelSignOf(angle);
  if (Mode == kPoint) {
    // A point has no angle: its line runs to the row after it (DirSign takes
    // it as a line towards +X).
    const double dx = X(element + 1) - elementX, dy = Y(element + 1) - Y(element);
    TravelSign = (vertical ? dy > 0 : dx > 0) ? -1 : 1;
  }
  // Behind a "(C)" item the crossing is a stand-in that the item's corner
  // replaces, picked by DirSign (and the corner of the point after it finds
  // the crossing the item's corner takes, ExitCrossing).
  const double dirSign = steppedBack ? DirSign : TravelSign;
  // The crossing on the given side: s = sgn(ExitSign) sgn(direction sign) picks it.
  const auto crossing = [&](double s) {
    if (vertical) {
      CurX = x0;
      CurY = b - s * std::sqrt(Disc);
    } else {
      CurX = (2 * (a - m * (k - b)) - s * std::sqrt(Disc)) / (2 * (1 + m * m));
      CurY = k + m * CurX;
    }
  };
  const double s = Sgn(ExitSign) * Sgn(dirSign);
  const auto exit = [&] {
    discriminant();
    crossing(s);
    if (missed && !steppedBack) OntoCircle(a, b, r);
  };
  if (!vertical && IsSteep(m)) {
    // A line typed at 270 degrees: its slope's form is kept where it gives
    // the vertical line's crossing to the input's last decimal and reports
    // nothing, else the crossing is the vertical line's. (A stand-in for
    // the corner pass only marks the line: it stands unless it reports.)
    vertical = true;
    const Point straight = Quietly(exit);
    vertical = false;
    const Point sloped = Quietly(exit);
    const bool keep = m_quietReports == 0 && (steppedBack || (std::fabs(sloped.x - straight.x) <= kSamePoint &&
                                                              std::fabs(sloped.y - straight.y) <= kSamePoint));
    vertical = !keep;
  }
  exit();
  if (Mode == kPoint) {
    // A crossing at or past the row after the point would make the line run
    // back, so the other crossing is the exit.
    const double dx = X(element + 1) - elementX, dy = Y(element + 1) - Y(element);
    if ((X(element + 1) - CurX) * dx + (Y(element + 1) - CurY) * dy <= 0) {
      crossing(-s);
      if (missed && !steppedBack) OntoCircle(a, b, r);
    }
  }
  if (steppedBack) ++T.CurRow;
  if (Mode == kEnteringLine) InsertRow();
  StorePoint();
  if (steppedBack && Mode == kPoint) PointStandIns.push_back({CurX, CurY});
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
