// The wire offset path: joins, sub-paths, radii, messages, and an independent
// distance check of every offset vertex.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "contour_tables.h"
#include "machining/offset_path.h"
#include "machining/piece_transforms.h"

namespace vx {
namespace {

using test::FillTable;
using test::MakeTable;
using test::Row;

struct XY {
  double x, y;
};

void ExpectVertices(const ElementTable& t, const std::vector<XY>& expected, double tolerance = 1e-9) {
  for (size_t k = 0; k < expected.size(); ++k) {
    EXPECT_NEAR(t.X[k + 1], expected[k].x, tolerance) << "row " << k + 1;
    EXPECT_NEAR(t.Y[k + 1], expected[k].y, tolerance) << "row " << k + 1;
  }
}

struct SquareCase {
  const char* name;
  double offset;
  std::vector<XY> expected;
};

class OffsetSquare : public ::testing::TestWithParam<SquareCase> {};

TEST_P(OffsetSquare, CornersMoveApproachAndExitStay) {
  ElementTable t = MakeTable(test::ExampleSquare());
  RecordingMessageBox box;
  ComputeOffsetPath(t, GetParam().offset, box);
  ExpectVertices(t, GetParam().expected);
  EXPECT_TRUE(box.messages.empty());
  EXPECT_GE(t.CurRow, t.RowCount);
  EXPECT_EQ(t.RowCount, 8);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, OffsetSquare,
    ::testing::Values(
        SquareCase{"Inwards", 0.1, {{5, 5}, {9.9, 5}, {9.9, 9.9}, {0.1, 9.9}, {0.1, 0.1}, {9.9, 0.1}, {9.9, 5}, {5, 5}}},
        SquareCase{"Outwards", -0.1,
                   {{5, 5}, {10.1, 5}, {10.1, 10.1}, {-0.1, 10.1}, {-0.1, -0.1}, {10.1, -0.1}, {10.1, 5}, {5, 5}}},
        SquareCase{"Zero", 0, {{5, 5}, {10, 5}, {10, 10}, {0, 10}, {0, 0}, {10, 0}, {10, 5}, {5, 5}}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(OffsetPath, ArcRadiiChangeByTheOffsetAndCentresStay) {
  // A counter-clockwise quarter arc and a clockwise one, joined by lines.
  ElementTable t = MakeTable({{0, -3},
                              {0, 0},
                              {10, 0},
                              {10, 5, 5},
                              {15, 5},
                              {15, 10},
                              {20, 10, -5},
                              {20, 15},
                              {25, 15}});
  RecordingMessageBox box;
  ComputeOffsetPath(t, 0.2, box);
  EXPECT_DOUBLE_EQ(double(t.P1[4]), 4.8);
  EXPECT_DOUBLE_EQ(double(t.P1[7]), -5.2);
  EXPECT_EQ(double(t.X[4]), 10.0);
  EXPECT_EQ(double(t.Y[4]), 5.0);
  EXPECT_EQ(double(t.X[7]), 20.0);
  EXPECT_EQ(double(t.Y[7]), 10.0);
  EXPECT_DOUBLE_EQ(double(t.P1[2]), 0.0);
  EXPECT_TRUE(box.messages.empty());
}

TEST(OffsetPath, CollinearLinesGiveTheMessageOnceAndKeepTheVertex) {
  ElementTable t = MakeTable({{5, 5}, {5, 0}, {10, 0}, {15, 0}, {15, 10}, {0, 10}, {0, 0}, {5, 0}, {5, 5}});
  RecordingMessageBox box;
  ComputeOffsetPath(t, 0.1, box);
  ASSERT_EQ(box.messages.size(), 1u);
  EXPECT_EQ(box.messages[0], "オフセット計算中 dataNO= 3で交点ERROR");
  EXPECT_EQ(double(t.X[3]), 10.0);
  EXPECT_EQ(double(t.Y[3]), 0.0);
  EXPECT_NEAR(t.X[4], 14.9, 1e-9);
  EXPECT_NEAR(t.Y[4], 0.1, 1e-9);
}

TEST(OffsetPath, CollinearMessageAlsoAtOffsetZero) {
  ElementTable t = MakeTable({{5, 5}, {5, 0}, {10, 0}, {15, 0}, {15, 10}, {0, 10}, {0, 0}, {5, 0}, {5, 5}});
  RecordingMessageBox box;
  ComputeOffsetPath(t, 0, box);
  EXPECT_EQ(box.messages, std::vector<std::string>{"オフセット計算中 dataNO= 3で交点ERROR"});
}

TEST(OffsetPath, TwoVerticalLinesInARowGiveTheMessage) {
  ElementTable t = MakeTable({{5, 5}, {10, 5}, {10, 8}, {10, 10}, {0, 10}, {0, 0}, {10, 0}, {10, 5}, {5, 5}});
  RecordingMessageBox box;
  ComputeOffsetPath(t, 0.1, box);
  EXPECT_EQ(box.messages, std::vector<std::string>{"オフセット計算中 dataNO= 3で交点ERROR"});
  EXPECT_EQ(double(t.X[3]), 10.0);
  EXPECT_EQ(double(t.Y[3]), 8.0);
}

TEST(OffsetPath, ADifferenceBelowTheRoundingIsAVerticalEdge) {
  ElementTable t = MakeTable({{5, 5}, {10, 5}, {10.000004, 10}, {0, 10}, {0, 0}, {10, 0}, {10, 5}, {5, 5}});
  RecordingMessageBox box;
  ComputeOffsetPath(t, 0.1, box);
  EXPECT_DOUBLE_EQ(double(t.X[2]), 9.9);
  EXPECT_DOUBLE_EQ(double(t.Y[2]), 5.0);
  EXPECT_DOUBLE_EQ(double(t.X[3]), 9.9);  // taken from row 2 on the vertical offset line
  EXPECT_NEAR(t.Y[3], 9.9, 1e-12);
}

TEST(OffsetPath, TwoSubPathsEachKeepTheirApproachAndExit) {
  std::vector<Row> rows = test::ExampleSquare();
  rows.push_back({0, 0, 0, 88});
  for (const Row& r : test::ExampleSquare()) rows.push_back({r.x + 20, r.y, 0, 0});
  rows[9].x = 23;  // a slanted approach line into the second square
  rows[9].y = 8;
  ElementTable t = MakeTable(rows);
  RecordingMessageBox box;
  ComputeOffsetPath(t, 0.1, box);
  EXPECT_TRUE(box.messages.empty());
  ExpectVertices(t, {{5, 5}, {9.9, 5}, {9.9, 9.9}, {0.1, 9.9}, {0.1, 0.1}, {9.9, 0.1}, {9.9, 5}, {5, 5}});
  EXPECT_EQ(double(t.Code[9]), 88.0);
  EXPECT_EQ(double(t.X[10]), 23.0);
  EXPECT_EQ(double(t.Y[10]), 8.0);
  // Row 11 stays on the unshifted approach line from (23, 8) to (30, 5).
  const double slope = (5.0 - 8.0) / 7.0;
  EXPECT_NEAR(t.X[11], 29.9, 1e-9);
  EXPECT_NEAR(t.Y[11], 8.0 + slope * (29.9 - 23.0), 1e-9);
  EXPECT_NEAR(t.X[13], 20.1, 1e-9);
  EXPECT_NEAR(t.Y[13], 9.9, 1e-9);
  EXPECT_NEAR(t.X[16], 29.9, 1e-9);
  EXPECT_NEAR(t.Y[16], 5.0, 1e-9);
  EXPECT_EQ(double(t.X[17]), 25.0);
}

TEST(OffsetPath, ApproachLineAfterASeparatorIsVerticalByItselfAlone) {
  // A vertical exit line, then a slanted approach; a slanted exit, then a
  // vertical approach: each approach line is classified on its own.
  ElementTable t = MakeTable({{5, 5}, {10, 5}, {10, 10}, {0, 10}, {0, 0}, {5, 0}, {5, 5}, {0, 0, 0, 88},
                              {23, 8}, {30, 5}, {30, 10}, {20, 10}, {20, 0}, {30, 0}, {27, 3}, {0, 0, 0, 88},
                              {45, -3}, {45, 0}, {50, 0}, {50, 10}, {40, 10}, {40, 0}, {45, 0}, {45, -3}});
  RecordingMessageBox box;
  ComputeOffsetPath(t, 0.1, box);
  EXPECT_TRUE(box.messages.empty());
  // First sub-path: the last vertex lies on the unshifted vertical exit line.
  EXPECT_NEAR(t.X[6], 5.0, 1e-9);
  EXPECT_NEAR(t.Y[6], 0.1, 1e-9);
  // Second: the first vertex on the slanted approach, the last on the slanted exit.
  EXPECT_NEAR(t.X[10], 29.9, 1e-9);
  EXPECT_NEAR(t.Y[10], 8.0 - 3.0 / 7.0 * 6.9, 1e-9);
  EXPECT_NEAR(t.X[14], 29.9, 1e-9);
  EXPECT_NEAR(t.Y[14], 0.1, 1e-9);
  // Third: the first vertex on the vertical approach line x = 45.
  EXPECT_NEAR(t.X[18], 45.0, 1e-9);
  EXPECT_NEAR(t.Y[18], 0.1, 1e-9);
  EXPECT_NEAR(t.X[19], 49.9, 1e-9);
  EXPECT_NEAR(t.Y[19], 0.1, 1e-9);
  EXPECT_NEAR(t.X[23], 45.0, 1e-9);
  EXPECT_NEAR(t.Y[23], 0.1, 1e-9);
}

struct SameCircleCase {
  const char* name;
  double vx, vy;  // the vertex on the circle of radius 5 about (0, 0)
};

class OffsetSameCircle : public ::testing::TestWithParam<SameCircleCase> {};

TEST_P(OffsetSameCircle, VertexMovesAlongItsRay) {
  // Two counter-clockwise arcs of one circle meet at the vertex: a full
  // circle split in two, entered and left along a line from the centre.
  const double vx = GetParam().vx, vy = GetParam().vy;
  const std::vector<Row> rows = {{0, 0}, {vx, vy}, {0, 0, 5}, {-vx, -vy}, {0, 0, 5}, {vx, vy}, {0, 0}};
  ElementTable t = MakeTable(rows);
  // The middle vertex (row 4) is where the two arcs meet.
  RecordingMessageBox box;
  ComputeOffsetPath(t, 0.5, box);
  EXPECT_NEAR(t.X[4], -vx * 0.9, 1e-5);
  EXPECT_NEAR(t.Y[4], -vy * 0.9, 1e-5);
  EXPECT_TRUE(box.messages.empty());
}

INSTANTIATE_TEST_SUITE_P(Cases, OffsetSameCircle,
                         ::testing::Values(SameCircleCase{"RightOfCentre", -5, 0},
                                           SameCircleCase{"LeftOfCentre", 5, 0},
                                           SameCircleCase{"AboveCentre", 0, -5},
                                           SameCircleCase{"BelowCentre", 0, 5},
                                           SameCircleCase{"UpperLeft", 3, -4},
                                           SameCircleCase{"LowerLeft", 3, 4}),
                         [](const auto& info) { return std::string(info.param.name); });

// Degenerate joins that would divide by zero or leave the cosine's domain:
// the vertex stays a finite point on its offset circle.
TEST(OffsetPath, RoundedRayLengthStaysInTheCosineDomain) {
  // The vertex lies 5.000004 right of the centre: the length rounds to 5.
  ElementTable t = MakeTable({{0, -7}, {0, -5}, {0, 0, 5}, {5.000004, 0}, {0, 0, 5}, {0, 5}, {0, 7}});
  RecordingMessageBox box;
  ComputeOffsetPath(t, 0.5, box);
  EXPECT_NEAR(t.X[4], 4.5, 1e-6);
  EXPECT_NEAR(t.Y[4], 0.0, 1e-6);
}

TEST(OffsetPath, ConcentricArcsDoNotDivideByZero) {
  // A counter-clockwise arc turns back clockwise on the same circle.
  ElementTable t = MakeTable({{0, -7}, {0, -5}, {0, 0, 5}, {5, 0}, {0, 0, -5}, {0, -5}, {0, -7}});
  RecordingMessageBox box;
  ComputeOffsetPath(t, 0.5, box);
  EXPECT_NEAR(t.X[4], 4.5, 1e-6);
  EXPECT_NEAR(t.Y[4], 0.0, 1e-6);
}

TEST(OffsetPath, EqualDistancesTakeThePlusRootCandidate) {
  // The approach line passes through the centre of the next arc: both
  // crossings are as far from the vertex, and the first one is taken.
  ElementTable t = MakeTable({{-10, 0}, {0, 0}, {0, 0, 5}, {0, 5}, {0, 10}});
  RecordingMessageBox box;
  ComputeOffsetPath(t, 0.5, box);
  EXPECT_NEAR(t.X[2], 4.5, 1e-9);
  EXPECT_NEAR(t.Y[2], 0.0, 1e-9);
  EXPECT_NEAR(t.X[4], 0.0, 1e-9);
  EXPECT_NEAR(t.Y[4], 4.5, 1e-9);
}

TEST(OffsetPath, SeparatorInTheLastRowEndsTheRunWithinTheTable) {
  ElementTable t;
  std::vector<Row> rows = test::ExampleSquare();
  rows.push_back({0, 0, 0, 88});
  test::FillTable(t, rows);
  RecordingMessageBox box;
  ComputeOffsetPath(t, 0.1, box);
  EXPECT_NEAR(t.X[3], 9.9, 1e-9);
  EXPECT_GE(t.CurRow, t.RowCount);
}

// --- Independent check: every offset vertex lies at the offset distance from
// both contour elements that meet there (approach and exit lines at 0).

double SignedLineDistance(XY a, XY b, XY p) {
  const double dx = b.x - a.x, dy = b.y - a.y;
  return (dx * (p.y - a.y) - dy * (p.x - a.x)) / std::hypot(dx, dy);  // left positive
}

struct Element {
  bool arc;
  XY a, b;     // line from a to b
  XY centre;   // arc
  double radius;  // signed radius of the contour arc
};

void CheckVertexDistances(const std::vector<Row>& rows, double offset) {
  SCOPED_TRACE(::testing::Message() << "offset " << offset);
  ElementTable t = MakeTable(rows);
  RecordingMessageBox box;
  ComputeOffsetPath(t, offset, box);
  EXPECT_TRUE(box.messages.empty());
  const int n = static_cast<int>(rows.size());
  auto at = [&rows](int row) { return rows[static_cast<size_t>(row - 1)]; };
  auto elementBefore = [&](int i) {
    if (at(i - 1).p1 != 0) return Element{true, {}, {}, {at(i - 1).x, at(i - 1).y}, at(i - 1).p1};
    return Element{false, {at(i - 1).x, at(i - 1).y}, {at(i).x, at(i).y}, {}, 0};
  };
  auto elementAfter = [&](int i) {
    if (at(i + 1).p1 != 0) return Element{true, {}, {}, {at(i + 1).x, at(i + 1).y}, at(i + 1).p1};
    return Element{false, {at(i).x, at(i).y}, {at(i + 1).x, at(i + 1).y}, {}, 0};
  };
  auto check = [&](const Element& e, XY v, double lineOffset, int i) {
    if (e.arc) {
      EXPECT_NEAR(std::hypot(v.x - e.centre.x, v.y - e.centre.y), std::fabs(e.radius - offset), 1e-4) << "row " << i;
    } else {
      EXPECT_NEAR(SignedLineDistance(e.a, e.b, v), lineOffset, 1e-6) << "row " << i;
    }
  };
  for (int i = 2; i <= n - 1; ++i) {
    if (at(i).p1 != 0) continue;
    const XY v{t.X[i], t.Y[i]};
    check(elementBefore(i), v, i - 1 == 1 ? 0.0 : offset, i);
    check(elementAfter(i), v, i + 1 == n ? 0.0 : offset, i);
    EXPECT_LT(std::hypot(v.x - at(i).x, v.y - at(i).y), 4 * std::fabs(offset) + 1e-9) << "row " << i;
  }
}

std::vector<Row> Reversed(std::vector<Row> rows) {
  ElementTable t = MakeTable(rows);
  ReverseRows(t);
  for (size_t k = 0; k < rows.size(); ++k) {
    rows[k] = {t.X[k + 1], t.Y[k + 1], -t.P1[k + 1], 0};
  }
  return rows;
}

struct ShapeCase {
  const char* name;
  std::vector<Row> rows;
};

class OffsetDistances : public ::testing::TestWithParam<ShapeCase> {};

TEST_P(OffsetDistances, EveryVertexAtTheOffsetFromBothElements) {
  for (double offset : {0.1, -0.1, 0.35, -0.35}) {
    CheckVertexDistances(GetParam().rows, offset);
    SCOPED_TRACE("reversed");
    CheckVertexDistances(Reversed(GetParam().rows), offset);
  }
}

const double kLensRadius = std::sqrt(50.0);

INSTANTIATE_TEST_SUITE_P(
    Shapes, OffsetDistances,
    ::testing::Values(
        ShapeCase{"RoundedCorner",
                  {{5, 5}, {10, 5}, {10, 8}, {8, 8, 2}, {8, 10}, {0, 10}, {0, 0}, {10, 0}, {10, 5}, {5, 5}}},
        ShapeCase{"VerticalStadium",
                  {{0, 5}, {5, 5}, {5, 10}, {0, 10, 5}, {-5, 10}, {-5, 0}, {0, 0, 5}, {5, 0}, {5, 5}, {0, 5}}},
        ShapeCase{"SlantedTriangle", {{3, 2}, {5, 0}, {10, 0}, {3, 7}, {0, 0}, {5, 0}, {3, 2}}},
        ShapeCase{"Lens",
                  {{5, 0}, {10, 0}, {5, -5, kLensRadius}, {0, 0}, {5, 5, kLensRadius}, {10, 0}, {5, 0}}},
        ShapeCase{"SlantedEdgeAndClockwiseBite",
                  {{4, 2}, {4, 0}, {10, 0}, {11, 7}, {7, 7}, {5, 7, -2}, {3, 7}, {0, 7}, {0, 0}, {4, 0}, {4, 2}}}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace vx
