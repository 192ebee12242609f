// The working state and the named steps of one CONV-2 run (used by the driver, pass 1 and pass 2).
#pragma once

#include <array>
#include <string>
#include <vector>

#include "contour/conv2.h"

namespace vx::conv2 {

// Thrown by a step that cannot go on without leaving the table; caught by
// ConvertElements, which reports it.
struct Stop {
  Conv2Status status;
  const char* reason;
};

// Sign function: -1, 0 or 1.
int Sgn(double v);

// Discriminants below this are reported before they are taken as 0; between
// it and 0 they are rounding noise and are taken as 0 silently.
constexpr double kDiscriminantTolerance = 0.001;
// Places of the roundings that fix the constructions' last digits.
constexpr int kLineCircleDiscPlaces = 4;   // line entering a circle
constexpr int kCircleDistancePlaces = 5;   // circle centre to a point
constexpr int kCornerCosinePlaces = 5;     // cosine of the circle-to-circle corner
// Radius of the corner item that joins two overlapping circles; such a corner
// collapses into the single crossing point.
constexpr double kCrossingItemRadius = 0.001;
// Gap two circles may have and still be joined by a circle-to-circle corner.
constexpr double kCircleGapTolerance = 0.001;
// Distance from a line within which a point counts as lying on it: a vertex
// typed on the extension of an entering line keeps that line for its corner.
// The same distance from a circle lets a point end the circle's arc.
constexpr double kOnLineTolerance = 0.001;
// How far past +-1 an arc-sine argument may lie from rounding alone (a circle
// that just touches); such arguments are taken as +-1 without a message.
constexpr double kSineRoundingSlack = 1e-12;
// Element lists are typed to 3 decimals. A corner arc whose ends lie closer
// together than that last decimal cannot be told from a point (and an NC arc
// with equal ends is a full circle): the lines at such a corner count as
// collinear. A line that passes more than this inside a circle is no tangent.
constexpr double kInputResolution = 0.001;
// How far a corner's tangent point may pass the far end of its segment (half
// the input's last decimal) and still count as fitting.
constexpr double kFitSlack = kInputResolution / 2;
// X differences of constructed points up to this are rounding noise: the line
// through them is vertical. Typed points differ by 0.001 at least.
constexpr double kVerticalNoise = 1e-9;

// True when the step (dx, dy) from one point to the next is a vertical line:
// dx is 0, or noise on a segment at least the input's last decimal long.
// exact: a step of no length at all stays vertical as it always was.
inline bool IsVerticalStep(double dx, double dy) {
  const bool noise = dx >= -kVerticalNoise && dx <= kVerticalNoise;
  return dx == 0 || (noise && (dy > kInputResolution || dy < -kInputResolution));
}

// Element codes of the element file.
enum Code : int {
  kPoint = 0,
  kLeavingLine = 1,
  kEnteringLine = 2,
  kParallelLine = 3,
  kCornerItem = 5,
  kCircle = 8,
  kSeparator = 88,
  kEnd = 99,
};

struct Run {
  Run(ElementTable& table, MessageBox& box) : T(table), box(box) {}

  ElementTable& T;
  MessageBox& box;

  // Working state: one set of numbers shared by every construction.
  int Mode = 0;
  int PassTwo = 0;
  double CurX = 0, CurY = 0;
  double CurSlope = 0, CurIntercept = 0;
  int CurVertical = 0;
  double PrevSlope = 0, PrevIntercept = 0;
  int PrevVertical = 0;
  double CurAngle = 0;
  int CirclePending = 0;
  int CornerPending = 0;
  int NextCode = 0;
  int TangentMode = 0;
  double DirSign = 0;
  double ExitSign = 0;
  double CentreX = 0, CentreY = 0, ArcRadius = 0;
  double Dist = 0;
  double Disc = 0;
  // Corners refused in pass 1 (X, Y, R), so that pass 2 does not report them again.
  std::vector<std::array<double, 3>> RefusedCorners;

  // Table access. Reads outside rows 0..2000 give an empty value (0); a write
  // outside them stops the run as a table overflow.
  double X(int row) const { return Read(T.X, row); }
  double Y(int row) const { return Read(T.Y, row); }
  double P1(int row) const { return Read(T.P1, row); }
  double P2(int row) const { return Read(T.P2, row); }
  int CodeOf(int row) const;
  void Set(ElementTable::Column ElementTable::*column, int row, double value);

  // Row operations, always at CurRow.
  void InsertRow();
  void DeleteRow();
  void StorePoint();
  void StoreCentre();
  void ReportConstructionError(const char* reason);

  // Counts one round of a pass; stops the run as a table overflow past the
  // most rounds a pass can take.
  void CountRound(int& rounds);

  // The three passes.
  void PassOneElements();
  void PassTwoCorners();
  void PassThreeCleanUp();
  void RotateLines();

  // Pass 1 (element_constructions.cpp).
  void PointStep();
  // The line of row i through (X, Y) at angle P1: CurVertical, or CurSlope
  // and CurIntercept.
  void LineThroughRow(int i);
  void LeavingLine();
  void EnteringLine();
  void ParallelLine();
  void CircleStep();
  void CircleAfterCircle();
  void TangentConstruction(double dx, double dy);
  void CircleExit();
  void ContourEnd();
  void CommonIntersection();
  bool StartOfContour(int row) const;
  // True when row `point` lies on the circle of row `circle` within
  // kOnLineTolerance: an arc may end there without a tangent.
  bool OnCircle(int circle, int point) const;
  void ApplyDiscriminantRule(const char* reason);
  // The entry side of a circle with its mark: the sign of the mark; for the
  // mark 0 (a tangent) 0, or -1 (the nearer crossing, reported) when the
  // line passes inside the circle by more than the input's last decimal.
  double EntrySign(double mark, double centreDistance, double radius);
  // AsinDeg with +-1 taken as +-90; beyond +-1 the value is clamped to +-90,
  // with a construction message when reportBeyondOne is set.
  double AsinDegClamped(double sine, bool reportBeyondOne);

  // Pass 2 (corners.cpp).
  // Makes the corner of the given radius at the point row CurRow (CurX,
  // CurY); false when it is refused (reported, the row unchanged).
  bool CornerRadius(double radius);
  void CornerCentre(double radius, int side);
  // True when a row before a corner's vertex ends the segment into it, or a
  // row after it ends the segment out of it (so the tangent point must lie
  // within that segment).
  bool StartsSegmentInto(int row) const;
  bool EndsSegmentOutOf(int row) const;
  // Reports a corner R that is not made; a point refused in pass 1 is met
  // again in pass 2 and reported once.
  void RefuseCorner(double radius);
  void CornerItem();
  void LineCornerLine();
  // True when the segment of rows `from` -> `to` is not vertical and row
  // `point` lies on its line within kOnLineTolerance.
  bool ContinuesLine(int from, int to, int point) const;
  // Before a corner at row `point` whose row before, `end`, is an entering
  // line's end point (row `before` the point ahead of it): the previous line
  // becomes the segment end -> point unless the point continues the line.
  void LineFromEndPoint(int before, int end, int point);
  void LineCornerCircle();
  void CircleCornerLine();
  void CircleCornerCircle();
  // Circles at rows i - 2 and i that the corner item of row i - 1 cannot
  // join: the item row becomes their crossing (the one the corner would have
  // rounded), or, when they do not meet, the point of the first circle
  // nearest the second, followed by the point of the second nearest the first.
  void JoinCirclesWithoutCorner(int i);

 private:
  static double Read(const ElementTable::Column& column, int row) {
    return row >= 0 && row <= ElementTable::kLastRow ? static_cast<double>(column[row]) : 0.0;
  }
};

// Discriminant of the line y = m x + k with the circle of centre (a, b) and
// radius r, written as the quadratic in x: 4 (m (k - b) - a)^2 - 4 (1 + m^2)
// (a^2 + (k - b)^2 - r^2). Negative when they do not meet.
inline double LineCircleDisc(double m, double k, double a, double b, double r) {
  const double u = m * (k - b) - a;
  return 4 * u * u - 4 * (1 + m * m) * (a * a + (k - b) * (k - b) - r * r);
}

// -1 when the angle lies in (-90, 90] (the line points to +X or straight up),
// else 1; angles are not normalised, so -300 and 300 give 1.
double DirSignOf(double angleDegrees);

}  // namespace vx::conv2
