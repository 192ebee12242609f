// The working state and the named steps of one CONV-2 run (used by the driver, pass 1 and pass 2).
#pragma once

#include <array>
#include <functional>
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
// Directions of two lines (radians) that differ by less than this are the same
// direction: their crossing would be rounding noise. Typed angles differ by
// 0.001 degree (1.7e-5 radians) at least.
constexpr double kParallelNoise = 1e-9;
// A line typed at 270, -270, ... degrees is vertical too, but it is held by
// its slope (TanDeg gives some 1.2e7 there). Line crossings take such a
// slope well; the line-circle and corner formulas lose their digits in
// 1 + m^2. Past this slope their result is checked, and where it is lost the
// line is taken as vertical. (Typed angles short of vertical give 57296 at
// most, at 89.999 degrees, and are lines of their own.)
constexpr double kSteepSlope = 1e6;
inline bool IsSteep(double slope) { return slope > kSteepSlope || slope < -kSteepSlope; }
// exact: a line typed at +-90 degrees is vertical.
inline bool IsVerticalAngle(double angle) { return angle == 90 || angle == -90; }

// Rows this close to a corner's vertex make no segment with it: typed points
// differ by the input's last decimal at least. (The crossing of an entering
// line with a segment that ends at the line's own end point is found there up
// to noise, 1e-14 over the angle between them, kParallelNoise at least; two
// vertical lines meet where the slope left in the line state lands.)
constexpr double kSamePoint = 0.001;
// A line typed as the tangent of a circle misses or cuts it by what its typed
// point, angle, centre and radius are off by (half a last decimal each): up
// to this it is the tangent, without a message.
constexpr double kTangentSlack = 0.002;
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

// A point of the plane, for the corner constructions.
struct Point {
  double x, y;
};

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
  // DirSign as the line really runs: from the angle brought into (-180, 180],
  // and after a circle left on the tangent to a leaving line's point, from
  // that line's angle. It picks the crossings the contour keeps; DirSign
  // still picks the stand-in crossings that the corner pass replaces, whose
  // last digits carry into the corners made from them.
  double TravelSign = 0;
  double ExitSign = 0;
  double CentreX = 0, CentreY = 0, ArcRadius = 0;
  double Dist = 0;
  double Disc = 0;
  // Corners refused in pass 1 (X, Y, R), so that pass 2 does not report them again.
  std::vector<std::array<double, 3>> RefusedCorners;
  // Stand-in crossings (X, Y) of pass 1 where a circle is left through a
  // "(C)" item onto a point's line: their side was picked as for a line
  // towards +X, so pass 2 takes the line's direction from the point.
  std::vector<std::array<double, 2>> PointStandIns;

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
  // True at an entering line's end point whose corner R pass 1 could not
  // make (a circle follows, reached on the tangent from the point) and did
  // not refuse: pass 2 makes it like a point's.
  bool EndPointCornerLeft(int row) const;
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
  // True when the entry (CurX, CurY) into the circle of row `circle`, a
  // stand-in behind a "(C)" item, lies at or behind the point the line
  // comes from (row circle - 2) in the line's direction of travel: towards
  // the centre for a point's line, else as TravelSign gives it.
  bool EntryBehind(int circle) const;
  // Runs a construction step without showing its messages (they are
  // counted in m_quietReports) and returns the point it made (CurX, CurY).
  Point Quietly(const std::function<void()>& step);
  void TangentConstruction(double dx, double dy);
  void CircleExit();
  void ContourEnd();
  void CommonIntersection();
  // True when (x, y) lies on the segment from (CurX, CurY) to the point of
  // row `row` (within kSamePoint of it).
  bool OnSegmentTo(double x, double y, int row) const;
  bool StartOfContour(int row) const;
  // True when row `point` lies on the circle of row `circle` within
  // kOnLineTolerance: an arc may end there without a tangent.
  bool OnCircle(int circle, int point) const;
  // The discriminant rule for a line and a circle of the given radius whose
  // discriminant is scale (r^2 - d^2), d the line's distance from the centre:
  // below -kDiscriminantTolerance it is taken as 0, with the message when the
  // line passes more than kTangentSlack outside the circle (then true).
  bool ApplyDiscriminantRule(const char* reason, double scale, double radius);
  // Moves (CurX, CurY) radially onto the circle (a, b, r).
  void OntoCircle(double a, double b, double r);
  // True when two slopes are equal up to rounding noise (kParallelNoise).
  static bool SameSlope(double m1, double m2);
  // The entry side of a circle with its mark: the sign of the mark; for the
  // mark 0 (a tangent) 0, or -1 (the nearer crossing, reported) when the
  // line passes inside the circle by more than kTangentSlack.
  double EntrySign(double mark, double centreDistance, double radius);
  // AsinDeg with +-1 taken as +-90; beyond +-1 the value is clamped to +-90,
  // with a construction message when reportBeyondOne is set.
  double AsinDegClamped(double sine, bool reportBeyondOne);

  // Pass 2 (corners.cpp).
  // Makes the corner of the given radius at the point row CurRow (CurX,
  // CurY); false when it is refused (reported, the row unchanged).
  bool CornerRadius(double radius);
  // The segments of a corner at row i: the rows they run from and to
  // (passing over rows that make no segment), and the points they really
  // start and end at where a circle's stand-in row stands for them.
  struct CornerSpan {
    int before = 0, next = 0;
    bool itemAfter = false;
    Point from{0, 0}, to{0, 0};
    bool fromCircle = false, toCircle = false;
  };
  CornerSpan CornerSegments(int i);
  // The corner centre (CentreX, CentreY) and its tangent points on the lines
  // of the line state.
  void CornerPoints(double radius, int side, const CornerSpan& span, Point& first, Point& second);
  // The centre of the corner at row CurRow between the lines from the point
  // (fromX, fromY) and to row `after`.
  void CornerCentre(double radius, int side, double fromX, double fromY, int after);
  // When row `standIn` holds the stand-in crossing where a circle is left
  // through a "(C)" item onto the line into the vertex at row CurRow (pass
  // 1): the crossing the item's corner takes, which the vertex's own corner
  // is made from. The stand-in itself stays for the corner pass.
  bool ExitCrossing(int standIn, Point& crossing) const;
  bool IsPointStandIn(int row) const;
  // When row `standIn` holds the stand-in entry into the circle after it,
  // behind a "(C)" item, on the line from the vertex (CurX, CurY): where the
  // line enters the circle by the circle's mark (the corner there is the
  // item's, made later).
  bool EntryCrossing(int standIn, Point& crossing) const;
  // True for a row that is a point of the chain (a point, or an entering
  // line's end point), and for a row at the same place as row `vertex`.
  bool IsPointRow(int row) const;
  bool AtVertex(int row, int vertex) const;
  bool Between(int from, int row, int to) const;
  // The line of the step from row `from` to row `to`, through `to`.
  void LineOfStep(int from, int to, double& slope, double& intercept, int& vertical) const;
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
  // The corner centre (CentreX, CentreY) of a line-(C)-circle corner at row
  // i (the item at i - 1, the circle at i + 1), against the line of the line
  // state or (vertical) through its point, and the tangent point on the
  // line; gives the direction sign, the vertical line's x and whether the
  // shifted line misses the shifted circle (reported).
  bool LineCircleCentre(bool vertical, int i, double rc, double rho, double& dirSign, double& lineX, Point& onLine);
  // Where the line through `through` with unit direction `toward` meets the
  // circle (centre, radius): side > 0 the farther crossing along the
  // direction, < 0 the nearer, 0 the foot of the perpendicular; when it
  // misses, the circle's point nearest it.
  static Point MeetCircle(Point through, Point toward, Point centre, double radius, double side);
  // True when p lies between from and to along the line from -> to (within kFitSlack).
  static bool Within(Point from, Point p, Point to);
  // A line-circle "(C)" corner not made: the item's row (i - 1) and the
  // stand-in after it (row i) become the point `at` where line and circle meet.
  void JoinWithoutCorner(int i, Point at);
  void CircleCornerLine();
  // The line a circle-(C)-line corner is made against: vertical at x, or
  // y = m x + k.
  struct CornerLine {
    bool vertical;
    double m, k, x;
  };
  // The corner centre (CentreX, CentreY) against the line, for the corner
  // item at row i - 1 (the circle at i - 2, the exit stand-in at i), with the
  // shifted radius rho; gives the line's direction sign and whether the
  // shifted line misses the shifted circle (reported).
  bool RoutCentre(const CornerLine& line, int i, double rc, double rho, double& dirSign);
  // The line through the stand-in and the next row, or where that cannot be
  // right (a line held by a huge slope, a stand-in picked on the wrong side
  // past 270 degrees) the element's own line.
  CornerLine RoutLine(int i, double rc, double rho);
  void CircleCornerCircle();
  // Circles at rows i - 2 and i that the corner item of row i - 1 cannot
  // join: the item row becomes their crossing (the one the corner would have
  // rounded), or, when they do not meet, the point of the first circle
  // nearest the second, followed by the point of the second nearest the first.
  void JoinCirclesWithoutCorner(int i);

 private:
  bool m_quiet = false;
  int m_quietReports = 0;

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
// The same for the angle brought into (-180, 180] first: 300 gives -1 like
// -60, 270 gives 1 like -90.
double TravelSignOf(double angleDegrees);

}  // namespace vx::conv2
