// Every vertex of the wire path on both of its elements: approach and exit
// lines that miss an offset arc, corners whose offset elements no longer meet,
// and random contours checked against the contour they came from.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "contour_tables.h"
#include "machining/offset_path.h"
#include "machining/piece_transforms.h"
#include "random_contours.h"

namespace vx {
namespace {

using test::MakeTable;
using test::Row;

std::vector<Row> RowsOf(const ElementTable& t) {
  std::vector<Row> rows;
  for (int r = 1; r <= t.RowCount; ++r) rows.push_back({t.X[r], t.Y[r], t.P1[r], static_cast<int>(t.Code[r])});
  return rows;
}

struct MendCase {
  const char* name;
  std::vector<Row> contour;
  double offset;
  std::vector<Row> path;
};

std::ostream& operator<<(std::ostream& out, const MendCase& c) { return out << c.name; }

class OffsetMends : public ::testing::TestWithParam<MendCase> {};

TEST_P(OffsetMends, RowsOfThePath) {
  ElementTable t = MakeTable(GetParam().contour);
  RecordingMessageBox box;
  ComputeOffsetPath(t, GetParam().offset, box);
  EXPECT_TRUE(box.messages.empty());
  const std::vector<Row> expected = GetParam().path;
  const std::vector<Row> rows = RowsOf(t);
  ASSERT_EQ(rows.size(), expected.size());
  for (size_t k = 0; k < rows.size(); ++k) {
    EXPECT_NEAR(rows[k].x, expected[k].x, 1e-9) << "row " << k + 1;
    EXPECT_NEAR(rows[k].y, expected[k].y, 1e-9) << "row " << k + 1;
    EXPECT_NEAR(rows[k].p1, expected[k].p1, 1e-9) << "row " << k + 1;
  }
  EXPECT_EQ(double(t.Code[rows.size() + 1]), 99.0);  // the end row moved with the rows
}

INSTANTIATE_TEST_SUITE_P(
    Cases, OffsetMends,
    ::testing::Values(
        // A round hole of radius 5 entered along its tangent: the offset circle
        // (radius 4.5) is missed, so the path starts and ends where the ray
        // from the centre through the contour vertex meets it.
        MendCase{"TangentLeadIntoARoundHoleStartsOnTheOffsetCircle",
                 {{5, -3}, {5, 0}, {0, 0, 5}, {5, 0}, {5, -3}},
                 0.5,
                 {{5, -3}, {4.5, 0}, {0, 0, 4.5}, {4.5, 0}, {5, -3}}},
        // The line turns right into a counter-clockwise arc of radius 1; with
        // the offset outside, the offset line (y = 0.5) and the offset circle
        // (radius 0.5) no longer meet: the wire rolls round the corner on an
        // arc of radius 0.5 about it.
        MendCase{"LineAndArcPulledApartAreJoinedByACornerArc",
                 {{-10, 3}, {-10, 0}, {0, 0}, {0.8, -0.6, 1}, {0.8, -1.6}, {0.8, -4}},
                 0.5,
                 {{-10, 3}, {-10, 0.5}, {0, 0.5}, {0, 0, -0.5}, {0.4, -0.3}, {0.8, -0.6, 0.5}, {0.8, -1.1},
                  {0.8, -4}}},
        // An arc turns back along its own circle: the offset circles (4.5 and
        // 5.5) are concentric; the wire goes round the tip.
        MendCase{"ReversalOnOneCircleRollsRoundTheTip",
                 {{0, -7}, {0, -5}, {0, 0, 5}, {5, 0}, {0, 0, -5}, {0, -5}, {0, -7}},
                 0.5,
                 {{0, -7}, {0, -4.5}, {0, 0, 4.5}, {4.5, 0}, {5, 0, -0.5}, {5.5, 0}, {0, 0, -5.5}, {0, -5.5},
                  {0, -7}}},
        // Without approach and exit lines (a table CONV-2 does not write) the
        // wire still goes from the start point onto the offset arc and from it
        // to the end point.
        MendCase{"ArcsWithoutApproachOrExitLineStillEndOnTheOffsetArc",
                 {{5, 0}, {0, 0, 5}, {0, 5}, {0, 0, 5}, {-5, 0}},
                 0.5,
                 {{5, 0}, {4.5, 0}, {0, 0, 4.5}, {0, 4.5}, {0, 0, 4.5}, {-4.5, 0}, {-5, 0}}},
        // An approach line almost along the first edge would cross its offset
        // line 5000 mm away; the path starts beside the vertex instead.
        MendCase{"ShallowApproachStartsBesideTheVertex",
                 {{-10, -0.001}, {0, 0}, {10, 0}, {10, 10}, {5, 10}},
                 0.5,
                 {{-10, -0.001}, {0, 0.5}, {9.5, 0.5}, {9.5, 10}, {5, 10}}},
        // A corner R of 0.5 cut with an offset of 0.5 on its inside: the arc
        // shrinks to its centre, where both offset lines pass; the wire goes
        // through it (its row reads as a point) without intersection messages.
        MendCase{"OffsetEqualToTheCornerRadiusGoesThroughItsCentre",
                 {{0, 5}, {0, 0}, {9.5, 0}, {9.5, 0.5, 0.5}, {10, 0.5}, {10, 10}, {5, 10}},
                 0.5,
                 {{0, 5}, {0, 0.5}, {9.5, 0.5}, {9.5, 0.5, 0}, {9.5, 0.5}, {9.5, 10}, {5, 10}}},
        // A half-round notch of radius 0.5 in a straight edge, cut with the
        // wire inside (offset 0.5): the notch shrinks to its centre, and the
        // wire rolls round both edges of the notch down to it and back.
        MendCase{"NotchOfTheOffsetsRadiusIsReachedRoundItsEdges",
                 {{5, 5}, {5, 0}, {9.5, 0}, {10, 0, 0.5}, {10.5, 0}, {15, 0}, {15, 5}},
                 0.5,
                 {{5, 5}, {5, 0.5}, {9.5, 0.5}, {9.5, 0, -0.5}, {10, 0}, {10, 0, 0}, {10, 0}, {10.5, 0, -0.5},
                  {10.5, 0.5}, {15, 0.5}, {15, 5}}},
        // A contour drawn at 3 decimals: the line runs into the arc along its
        // tangent, but the vertex lies 0.003 off the arc. The offset line and
        // the offset circle then miss each other by 0.003 at a corner that
        // hardly turns; a line that short joins them, not an arc that the
        // rounding alone would bend.
        MendCase{"CornerThatHardlyTurnsIsJoinedByItsChord",
                 {{-10, 3}, {-10, 0}, {0, 0}, {0, 1.003, 1}, {1.003, 1.003}, {1.003, 5}},
                 -0.3,
                 {{-10, 3}, {-10, -0.3}, {0, -0.3}, {0, -0.297}, {0, 1.003, 1.3},
                  {1.003, 1.003 + std::sqrt(1.3 * 1.3 - 1.003 * 1.003)}, {1.003, 5}}}),
    [](const auto& info) { return std::string(info.param.name); });

// One vertex of the path where an approach or exit line meets an offset arc.
struct LeadCase {
  const char* name;
  std::vector<Row> contour;
  double offset;
  int row;
  Vec2 expected;
};

std::ostream& operator<<(std::ostream& out, const LeadCase& c) { return out << c.name; }

class LeadVertices : public ::testing::TestWithParam<LeadCase> {};

TEST_P(LeadVertices, VertexOfTheLead) {
  ElementTable t = MakeTable(GetParam().contour);
  RecordingMessageBox box;
  ComputeOffsetPath(t, GetParam().offset, box);
  EXPECT_TRUE(box.messages.empty());
  const int r = GetParam().row;
  EXPECT_NEAR(t.X[r], GetParam().expected.x, 1e-9);
  EXPECT_NEAR(t.Y[r], GetParam().expected.y, 1e-9);
}

constexpr double kPunchCrossing = 2.29128784747792;  // sqrt(5.5^2 - 5^2)

// An arc of radius 20000 from (0, 0), 10 mm long, and its tangent lines.
std::vector<Row> HugeArc(double lead) {
  const double a = 10.0 / 20000;
  const Vec2 end{20000 * std::sin(a), 20000 - 20000 * std::cos(a)};
  return {{-lead, 0}, {0, 0}, {0, 20000, 20000}, {end.x, end.y}, {end.x + 3 * std::cos(a), end.y + 3 * std::sin(a)}};
}

// The exit line from (0, -5) towards (2, 4) enters the punch of radius 5; it
// crosses the offset circle (5.5) 0.511 behind the vertex and 10.27 ahead.
Vec2 ExitBehind() {
  const Vec2 v{0, -5}, u = Unit(Vec2{2, 9});
  const double b = Dot(v, u), t = -b - std::sqrt(b * b - (25 - 30.25));
  return v + u * t;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LeadVertices,
    ::testing::Values(
        // A lead along the tangent of a round punch, the wire outside: the
        // offset circle is crossed 2.29 before and after the vertex. The
        // crossing after it took the wire over the contour vertex.
        LeadCase{"TangentLeadOntoARoundPunchStaysOnTheStartHolesSide",
                 {{-3, -5}, {0, -5}, {0, 0, 5}, {0, -5}, {-3, -5}}, -0.5, 2, {-kPunchCrossing, -5}},
        LeadCase{"TangentExitFromARoundPunchLeavesOnTheEndPointsSide",
                 {{-3, -5}, {0, -5}, {0, 0, 5}, {0, -5}, {-3, -5}}, -0.5, 4, {-kPunchCrossing, -5}},
        // Shorter than 2.29, the lead would have to run back past its own
        // start hole: it goes to the point beside the vertex.
        LeadCase{"TangentLeadShorterThanItsCrossingEndsOnTheRay",
                 {{-1.5, -5}, {0, -5}, {0, 0, 5}, {0, -5}, {-1.5, -5}}, -0.5, 2, {0, -5.5}},
        // Radius 20000, offset 0.25 outside: the tangent lead crossed the
        // offset circle 100 mm away.
        LeadCase{"TangentLeadOntoAHugeArcEndsBesideTheVertex", HugeArc(3), -0.25, 2, {0, -0.25}},
        // From a start hole inside a punch the lead must cross the contour:
        // the crossing past the vertex is the only one within its length.
        LeadCase{"LeadFromInsideAPunchCrossesItAtTheVertex",
                 {{0, 0}, {5, 0}, {0, 0, 5}, {5, 0}, {0, 0}}, -0.5, 2, {5.5, 0}},
        // An exit line that runs into the punch: the nearer crossing, behind
        // the vertex, not the one on the end point's side 10 mm on.
        LeadCase{"ExitIntoThePunchTakesTheNearerCrossing",
                 {{0, -7}, {0, -5}, {0, 0, 5}, {0, -5}, {2, 4}}, -0.5, 4, ExitBehind()},
        // A round hole entered and left almost along one line: its ends came
        // 0.00002 apart, the end ahead, and the view drew the offset circle as
        // a dot. The end is the start point: one full turn.
        LeadCase{"RoundHoleWhoseEndsLieAHairApartIsOneFullTurn",
                 {{0, 0}, {5, 0}, {0, 0, 5}, {5, 0}, {0, 0.0002}}, 0.5, 4, {4.5, 0}},
        // Left on its tangent, with the wire outside, the hole's end lies 24
        // degrees ahead of its start: the arc read as those 24 degrees. The
        // wire goes once round and leaves from where it began.
        LeadCase{"RoundHoleLeftAheadOfItsStartTurnsOnceRound",
                 {{0, 0}, {5, 0}, {0, 0, 5}, {5, 0}, {5, 3}}, -0.5, 4, {5.5, 0}}),
    [](const auto& info) { return std::string(info.param.name); });

// A contour drawn at 2 decimals: the vertex (0.003, 0) lies 0.0024 off the
// arc after it, and the offset line and circle do not meet at the corner. The
// wire's corner arc (radius |offset|) runs from the offset line to the offset
// circle itself, so that the arc after it closes.
TEST(OffsetMends, CornerOfARoundedDrawingEndsOnTheOffsetArc) {
  ElementTable t = MakeTable({{-10, 3}, {-10, 0}, {0.003, 0}, {0.8, -0.6, 1}, {0.8, -1.6}, {0.8, -4}});
  RecordingMessageBox box;
  ComputeOffsetPath(t, 0.5, box);
  EXPECT_TRUE(box.messages.empty());
  ASSERT_EQ(t.RowCount, 8);
  auto at = [&t](int r) { return Vec2{t.X[r], t.Y[r]}; };
  const Vec2 arcCentre{0.8, -0.6}, corner = at(4);
  EXPECT_NEAR(at(3).y, 0.5, 1e-12);                                  // on the offset line
  EXPECT_NEAR(Distance(at(5), arcCentre), 0.5, 1e-12);               // on the offset circle
  EXPECT_NEAR(std::fabs(t.P1[4]), 0.5, 1e-12);                       // the wire's radius
  EXPECT_LT(t.P1[4], 0.0);                                           // a right turn
  EXPECT_NEAR(Distance(at(3), corner), 0.5, 1e-12);
  EXPECT_NEAR(Distance(at(5), corner), 0.5, 1e-12);
  EXPECT_LT(Distance(corner, {0.003, 0}), 0.004);  // about the contour's corner
  EXPECT_NEAR(Distance(at(7), arcCentre), 0.5, 1e-12);
}

// A round hole between two contour elements (not lead lines) whose end lies
// ahead of its start: more than once round, written as two arcs.
TEST(OffsetMends, RoundHoleBetweenTwoElementsRunsRoundInTwoArcs) {
  // Up the tangent x = 5 to (5, 0), once round the circle, then off at 45 degrees.
  ElementTable t = MakeTable({{10, -10}, {5, -10}, {5, 0}, {0, 0, 5}, {5, 0}, {10, 5}, {20, 5}});
  RecordingMessageBox box;
  ComputeOffsetPath(t, 0.5, box);
  EXPECT_TRUE(box.messages.empty());
  ASSERT_EQ(t.RowCount, 9);
  const Vec2 c{0, 0};
  auto at = [&t](int r) { return Vec2{t.X[r], t.Y[r]}; };
  EXPECT_NEAR(t.P1[4], 4.5, 1e-12);
  EXPECT_NEAR(t.P1[6], 4.5, 1e-12);
  EXPECT_EQ(at(6).x, 0.0);
  EXPECT_EQ(at(6).y, 0.0);
  // In on the tangent at (4.5, 0), out where the offset circle meets the
  // offset of the 45-degree line, the middle point half way round between.
  EXPECT_NEAR(at(3).x, 4.5, 1e-9);
  EXPECT_NEAR(at(3).y, 0, 1e-9);
  for (int r : {5, 7}) EXPECT_NEAR(Distance(at(r), c), 4.5, 1e-9) << "row " << r;
  const double out = std::atan2(at(7).y, at(7).x), middle = std::atan2(at(5).y, at(5).x);
  EXPECT_GT(out, 0.01);  // ahead of the start
  EXPECT_NEAR(middle, out / 2 + 3.14159265358979 - 2 * 3.14159265358979, 1e-9);
  // The end lies on the offset of the line (5, 0) -> (10, 5).
  EXPECT_NEAR(Cross(Unit(Vec2{1, 1}), at(7) - Vec2{5, 0}), 0.5, 1e-9);
}

TEST(OffsetMends, TwoCornerArcsInTwoSubPathsKeepTheSeparatorBetween) {
  const std::vector<Row> part = {{-10, 3}, {-10, 0}, {0, 0}, {0.8, -0.6, 1}, {0.8, -1.6}, {0.8, -4}};
  std::vector<Row> rows = part;
  rows.push_back({0, 0, 0, 88});
  for (const Row& r : part) rows.push_back({r.x + 20, r.y, r.p1});
  ElementTable t = MakeTable(rows);
  RecordingMessageBox box;
  ComputeOffsetPath(t, 0.5, box);
  ASSERT_EQ(t.RowCount, 17);
  EXPECT_EQ(double(t.Code[9]), 88.0);
  EXPECT_NEAR(t.X[10], 10, 1e-12);  // the second start hole, unchanged
  EXPECT_NEAR(t.P1[13], -0.5, 1e-12);
  EXPECT_NEAR(t.X[13], 20, 1e-12);
  EXPECT_EQ(double(t.Code[18]), 99.0);
}

TEST(OffsetMends, AFullTableReportsTheCornerInsteadOfOverflowing) {
  // The corner needs two more rows; a zigzag fills the table behind it.
  std::vector<Row> rows = {{-10, 3}, {-10, 0}, {0, 0}, {0.8, -0.6, 1}, {0.8, -1.6}};
  for (int k = 1; static_cast<int>(rows.size()) < ElementTable::kMaxCount; ++k) {
    rows.push_back({0.8 + k % 2, -1.6 - k});
  }
  ElementTable t;
  test::FillTable(t, rows);
  ASSERT_EQ(t.RowCount, ElementTable::kMaxCount);
  RecordingMessageBox box;
  ComputeOffsetPath(t, 0.5, box);
  EXPECT_EQ(box.messages, std::vector<std::string>{"オフセット計算中 dataNO= 3で交点ERROR"});
  EXPECT_EQ(t.RowCount, ElementTable::kMaxCount);
  EXPECT_EQ(double(t.Code[ElementTable::kMaxCount + 1]), 99.0);
}

// --- Random contours, checked against the contour they came from -------------

constexpr double kOnElement = 0.0005 + 1e-9;

// Signed distance of p from the line a -> b, positive on the left.
double SideDistance(Vec2 a, Vec2 b, Vec2 p) { return Cross(Unit(b - a), p - a); }

struct PathSummary {
  int vertices = 0;
  int cornerArcs = 0;
  int joinLines = 0;
  std::vector<std::string> faults;
};

// Walks the contour and its path together. Every vertex must lie at the
// offset from the contour elements on both sides (approach and exit lines
// excepted), an inserted corner arc must have its centre on (or, for a contour
// off its elements, beside) the contour vertex, radius |offset|, and its ends
// on the elements on either side; so must the ends of a short joining line.
PathSummary CheckPath(const std::vector<Row>& contour, const ElementTable& path, double offset,
                      const std::vector<int>& reported) {
  PathSummary s;
  auto c = [&contour](int row) { return contour[static_cast<size_t>(row - 1)]; };
  auto at = [](const Row& r) { return Vec2{r.x, r.y}; };
  auto pathPoint = [&path](int row) { return Vec2{path.X[row], path.Y[row]}; };
  const int n = static_cast<int>(contour.size());
  // Distance of p from the offset element between contour rows i and i + 1 (or
  // the arc with centre row i + 1), 0 for a lead line.
  auto off = [&](int i, int j, Vec2 p, int start, int end) {
    if (i == start || j == end) return 0.0;
    return std::fabs(SideDistance(at(c(i)), at(c(j)), p) - offset);
  };
  auto arcOff = [&](int centre, Vec2 p) {
    return std::fabs(Distance(p, at(c(centre))) - std::fabs(c(centre).p1 - offset));
  };
  auto fault = [&s](int row, const std::string& what, double value) {
    std::ostringstream text;
    text << "contour row " << row << ": " << what << " " << value;
    s.faults.push_back(text.str());
  };
  int r = 1;
  for (int start = 1; start <= n;) {
    int end = start + 1;
    while (end < n && c(end + 1).code != 88) ++end;
    r += 1;
    for (int j = start + 1; j < end; ++j, ++r) {
      if (c(j).p1 != 0) {
        // An offset arc turns about as far as its contour arc, never round
        // the other way (a nearly full turn for a few degrees, or back);
        // an arc between an approach and an exit line is left to their rules.
        const double radius = path.P1[r];
        const bool comparable = radius != 0 && (radius > 0) == (c(j).p1 > 0) && !(j - 2 == start && j + 2 == end) &&
                                Distance(at(c(j - 1)), at(c(j + 1))) > 1e-6;
        if (comparable) {
          auto sweep = [&](Vec2 centre, Vec2 from, Vec2 to) {
            const Vec2 a = Unit(from - centre), b = Unit(to - centre);
            double turn = std::atan2((radius > 0 ? 1 : -1) * Cross(a, b), Dot(a, b));
            return turn < 0 ? turn + 2 * 3.14159265358979 : turn;
          };
          const double onContour = sweep(at(c(j)), at(c(j - 1)), at(c(j + 1)));
          double onPath = sweep(pathPoint(r), pathPoint(r - 1), pathPoint(r + 1));
          // Ends at one point: a full circle, as a controller reads the block.
          if (Distance(pathPoint(r - 1), pathPoint(r + 1)) <= 1e-6) onPath = 2 * 3.14159265358979;
          if (std::fabs(onPath - onContour) > 3.14159265358979) fault(j, "arc turns the other way round by", onPath - onContour);
        }
        continue;
      }
      const bool leadBefore = j - 1 == start && c(j - 1).p1 == 0;
      const bool leadAfter = j + 1 == end && c(j + 1).p1 == 0;
      const bool inserted = double(path.P1[r + 1]) != 0 &&
                            (c(j + 1).p1 == 0 || Distance(pathPoint(r + 1), at(c(j + 1))) != 0);
      const Vec2 first = pathPoint(r);
      // A short line joining two elements that miss each other by more than
      // the tolerance where a corner arc would hardly bend: the vertex lies
      // off the element after it.
      const bool joined = !inserted && double(path.P1[r + 1]) == 0 &&
                          Distance(pathPoint(r + 1), first) <= 0.05 &&
                          (c(j + 1).p1 != 0 ? Distance(pathPoint(r + 1), at(c(j + 1))) != 0 &&
                                                  arcOff(j + 1, first) > kOnElement
                                            : off(j, j + 1, first, start, end) > kOnElement);
      const Vec2 second = inserted ? pathPoint(r + 2) : joined ? pathPoint(r + 1) : first;
      if (inserted) {
        // About the contour vertex with the wire's radius; where the contour
        // lies off its elements (a turned piece of a huge radius), about the
        // point between the offset elements' ends nearest it.
        ++s.cornerArcs;
        const Vec2 centre = pathPoint(r + 1);
        const double radius = std::fabs(path.P1[r + 1]);
        // How far the contour vertex lies off its arcs (a huge radius turned
        // with the piece): the centre may move by a few times that.
        double vertexOff = 0;
        for (int k : {j - 1, j + 1}) {
          if (c(k).p1 != 0) vertexOff = std::max(vertexOff, std::fabs(Distance(at(c(j)), at(c(k))) - std::fabs(c(k).p1)));
        }
        const double centreOff = Distance(centre, at(c(j)));
        if (centreOff > 0.01 + 4 * vertexOff) fault(j, "corner arc centre off the vertex by", centreOff);
        if (radius < std::fabs(offset) - 1e-12 || radius > std::fabs(offset) + 0.01) fault(j, "corner arc radius", 0);
        if (std::fabs(Distance(first, centre) - radius) > 1e-9) fault(j, "corner arc start", 0);
        if (std::fabs(Distance(second, centre) - radius) > 1e-9) fault(j, "corner arc end", 0);
      }
      if (joined) {
        ++s.joinLines;
        // A line stands for a corner arc of radius |offset| that would bulge
        // from it by no more than a vertex may lie off its element.
        const double radius = std::fabs(offset), half = Distance(first, second) / 2;
        const double bulge = half >= radius ? radius : radius - std::sqrt(radius * radius - half * half);
        if (bulge > kOnElement) fault(j, "joining line bulges by", bulge);
      }
      ++s.vertices;
      if (std::find(reported.begin(), reported.end(), j) == reported.end() && !(leadBefore && leadAfter)) {
        const double before = c(j - 1).p1 != 0 ? arcOff(j - 1, first) : off(j - 1, j, first, start, end);
        const double after = c(j + 1).p1 != 0 ? arcOff(j + 1, second) : off(j, j + 1, second, start, end);
        if (before > kOnElement) fault(j, "off the element before by", before);
        if (after > kOnElement) fault(j, "off the element after by", after);
      }
      if (inserted) r += 2;
      if (joined) r += 1;
    }
    r += 1;  // the end point
    start = end + 2;
    r += 1;  // the separator
  }
  return s;
}

std::vector<int> ReportedRows(const RecordingMessageBox& box) {
  std::vector<int> rows;
  for (const std::string& m : box.messages) rows.push_back(std::atoi(m.substr(m.find('=') + 1).c_str()));
  return rows;
}

// A random contour placed as the NC output places it: maybe reversed, then
// shifted, turned and mirrored.
ElementTable PlacedContour(test::RandomContours& random) {
  ElementTable t = MakeTable(random.Next());
  if (random.Uniform(0, 1) < 0.5) {
    ReverseRows(t);
    for (int r = 1; r <= t.RowCount; ++r) t.P1[r] = -t.P1[r];
  }
  PieceLayout layout;
  layout.Row(0) = {"3.5", "-2", random.Uniform(0, 1) < 0.5 ? "" : std::to_string(random.Uniform(-180, 180)),
                   random.Uniform(0, 1) < 0.3 ? std::to_string(random.Pick({1, 2})) : ""};
  PlacePiece(t, layout, 0);
  return t;
}

TEST(OffsetSweep, EveryVertexLiesOnBothOfItsElements) {
  test::RandomContours random(1301);
  int vertices = 0, cornerArcs = 0;
  for (int k = 0; k < 1500; ++k) {
    const ElementTable contour = PlacedContour(random);
    double offset = std::round(random.Uniform(-0.5, 0.5) * 1000) / 1000;
    if (offset == 0) offset = 0.25;  // exact: the NC output skips 0
    ElementTable t = contour;
    RecordingMessageBox box;
    ComputeOffsetPath(t, offset, box);
    const PathSummary s = CheckPath(RowsOf(contour), t, offset, ReportedRows(box));
    vertices += s.vertices;
    cornerArcs += s.cornerArcs;
    for (const std::string& f : s.faults) ADD_FAILURE() << "contour " << k << " offset " << offset << ": " << f;
    if (!s.faults.empty()) break;
  }
  EXPECT_GT(cornerArcs, 50);  // the sweep reaches corners that need an arc
  EXPECT_GT(vertices, 8000);
}

// Where the joins already put every vertex on its elements (and no approach or
// exit line crosses its offset element farther away than it is long, or past
// the contour vertex it touches), the path is the joins' path, row for row,
// bit for bit.
TEST(OffsetSweep, PathsWhoseJoinsHoldAreUnchanged) {
  test::RandomContours random(1302);
  int kept = 0, mended = 0;
  for (int k = 0; k < 2500; ++k) {
    const ElementTable contour = PlacedContour(random);
    const double offset = random.Pick({-1, 1}) * std::round(random.Uniform(0.001, 0.5) * 1000) / 1000;
    ElementTable joined = contour, path = contour;
    RecordingMessageBox box;
    JoinOffsetVertices(joined, offset, box);
    ComputeOffsetPath(path, offset, box);
    const std::vector<Row> rows = RowsOf(contour);
    bool holds = CheckPath(rows, joined, offset, ReportedRows(box)).faults.empty();
    // Lead vertices no farther from their contour vertex than the lead is long.
    for (int j = 2; j < contour.RowCount && holds; ++j) {
      const bool startNext = j == 2 || rows[j - 3].code == 88;
      const bool endNext = j + 1 == contour.RowCount || rows[j + 1].code == 88;
      if (rows[j - 1].p1 != 0) continue;
      const Vec2 v{rows[j - 1].x, rows[j - 1].y};
      const Vec2 p{joined.X[j], joined.Y[j]};
      if (startNext && Distance(p, v) > Distance(v, {rows[j - 2].x, rows[j - 2].y})) holds = false;
      if (endNext && Distance(p, v) > Distance(v, {rows[j].x, rows[j].y})) holds = false;
      // A lead line along the tangent of the arc at its vertex crosses the
      // offset circle about as near on both sides of the vertex; the crossing
      // past the vertex would take the wire over the contour there.
      auto wrongSide = [&](const Row& far, const Row& centre) {
        const Vec2 f{far.x, far.y}, c{centre.x, centre.y};
        const Vec2 u = Unit(f - v);
        const double rho = centre.p1 - offset, b = Dot(u, v - c), q = Dot(v - c, v - c) - rho * rho;
        if (Dot(p - v, u) >= 0 || b * b - q < 0) return false;
        const double t1 = -b - std::sqrt(b * b - q), t2 = -b + std::sqrt(b * b - q), length = Distance(f, v);
        const bool tie = std::fabs(std::fabs(t1) - std::fabs(t2)) <= 1e-3 * std::max(std::fabs(t1), std::fabs(t2));
        return tie && ((t1 > 0 && t1 <= length) || (t2 > 0 && t2 <= length));
      };
      if (startNext && rows[j].p1 != 0 && wrongSide(rows[j - 2], rows[j])) holds = false;
      // A round hole stays a full circle: its ends are one point.
      if (rows[j].p1 != 0 && j + 2 <= contour.RowCount &&
          Distance(v, {rows[j + 1].x, rows[j + 1].y}) <= 1e-6 &&
          !(joined.X[j] == joined.X[j + 2] && joined.Y[j] == joined.Y[j + 2])) {
        holds = false;
      }
      if (endNext && rows[j - 2].p1 != 0 && wrongSide(rows[j], rows[j - 2])) holds = false;
    }
    if (!holds) {
      ++mended;
      continue;
    }
    ++kept;
    ASSERT_EQ(path.RowCount, joined.RowCount) << "contour " << k;
    for (int r = 1; r <= path.RowCount + 1; ++r) {
      ASSERT_TRUE(path.X[r] == joined.X[r] && path.Y[r] == joined.Y[r] && path.P1[r] == joined.P1[r])
          << "contour " << k << " row " << r;
    }
  }
  EXPECT_GT(kept, 400);
  EXPECT_GT(mended, 400);
}

}  // namespace
}  // namespace vx
