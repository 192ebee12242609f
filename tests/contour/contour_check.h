// Test helpers: element files written inline, and a geometric view of the contour rows.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "contour/conv2.h"
#include "shell/element_table.h"
#include "shell/table_file.h"

namespace vx::test {

struct Vec2 {
  double x = 0, y = 0;
};
inline Vec2 operator-(Vec2 a, Vec2 b) { return {a.x - b.x, a.y - b.y}; }
inline double Length(Vec2 v) { return std::hypot(v.x, v.y); }
inline double Cross(Vec2 a, Vec2 b) { return a.x * b.y - a.y * b.x; }

// Distance from p to the infinite line through a and b.
inline double DistanceToLine(Vec2 p, Vec2 a, Vec2 b) { return std::fabs(Cross(b - a, p - a)) / Length(b - a); }

// One contour row as numbers.
struct Row {
  double x = 0, y = 0, code = 0, p1 = 0, p2 = 0;
  Vec2 At() const { return {x, y}; }
};
inline std::ostream& operator<<(std::ostream& out, const Row& r) {
  return out << "(" << r.x << ", " << r.y << ", " << r.code << ", " << r.p1 << ", " << r.p2 << ")";
}

// An element row of an element file.
using ElementRow = Row;

// Element file text: count = number of rows given (the last one usually the
// end row), then those rows and an empty row.
inline std::string ElementFileText(const std::vector<ElementRow>& rows) {
  ElementTable table;
  table.RowCount = static_cast<int>(rows.size());
  for (size_t k = 0; k < rows.size(); ++k) {
    const int i = static_cast<int>(k) + 1;
    table.X[i] = rows[k].x;
    table.Y[i] = rows[k].y;
    table.Code[i] = rows[k].code;
    table.P1[i] = rows[k].p1;
    table.P2[i] = rows[k].p2;
  }
  return TableFileText(table);
}

// The result of converting an element list in memory.
struct Converted {
  std::unique_ptr<ElementTable> table = std::make_unique<ElementTable>();
  RecordingMessageBox box;
  Conv2Status status = Conv2Status::kOk;

  // Rows 1..RowCount (the contour without its end row).
  std::vector<Row> Rows() const {
    std::vector<Row> rows;
    for (int i = 1; i <= table->RowCount; ++i) {
      rows.push_back({table->X[i], table->Y[i], table->Code[i], table->P1[i], table->P2[i]});
    }
    return rows;
  }
};

inline Converted Convert(const std::vector<ElementRow>& elements) {
  Converted result;
  EXPECT_EQ(LoadTableText(*result.table, ElementFileText(elements)), LoadStatus::kOk);
  result.status = ConvertElements(*result.table, result.box);
  return result;
}

// Expects the rows' X, Y and P1 to match (to 1e-6), with a readable failure.
inline void ExpectRows(const std::vector<Row>& actual, const std::vector<Row>& expected) {
  ASSERT_EQ(actual.size(), expected.size()) << "row count";
  for (size_t k = 0; k < expected.size(); ++k) {
    EXPECT_NEAR(actual[k].x, expected[k].x, 1e-6) << "row " << k + 1 << " " << actual[k];
    EXPECT_NEAR(actual[k].y, expected[k].y, 1e-6) << "row " << k + 1 << " " << actual[k];
    EXPECT_NEAR(actual[k].p1, expected[k].p1, 1e-6) << "row " << k + 1 << " " << actual[k];
  }
}

// Independent checks of a finished contour (one chain, no separators):
// every arc row lies between two point rows at its radius from the centre,
// no "(C)" item is left, and every value is finite.
inline void ExpectConsistentChain(const std::vector<Row>& rows, double tolerance) {
  ASSERT_GE(rows.size(), 2u);
  EXPECT_EQ(rows.front().p1, 0) << "the chain starts with a point";
  EXPECT_EQ(rows.back().p1, 0) << "the chain ends with a point";
  for (size_t k = 0; k < rows.size(); ++k) {
    const Row& r = rows[k];
    EXPECT_TRUE(std::isfinite(r.x) && std::isfinite(r.y) && std::isfinite(r.p1)) << "row " << k + 1;
    EXPECT_NE(r.code, 5) << "a (C) item is left at row " << k + 1;
    if (r.p1 == 0 || k == 0 || k + 1 == rows.size()) continue;
    EXPECT_EQ(rows[k - 1].p1, 0) << "arc row " << k + 1 << " must follow a point";
    EXPECT_EQ(rows[k + 1].p1, 0) << "arc row " << k + 1 << " must precede a point";
    EXPECT_NEAR(Length(rows[k - 1].At() - r.At()), std::fabs(r.p1), tolerance) << "start of arc row " << k + 1;
    EXPECT_NEAR(Length(rows[k + 1].At() - r.At()), std::fabs(r.p1), tolerance) << "end of arc row " << k + 1;
  }
}

// The arc at row `arc` (1-based) touches the segment of point rows a -> b:
// its centre is at its radius from the segment's line.
inline void ExpectArcTangentToSegment(const std::vector<Row>& rows, int arc, int a, int b, double tolerance) {
  const Row& centre = rows[arc - 1];
  EXPECT_NEAR(DistanceToLine(centre.At(), rows[a - 1].At(), rows[b - 1].At()), std::fabs(centre.p1), tolerance)
      << "arc row " << arc << " and segment " << a << "-" << b;
}

// The corner arc at row `arc` touches the circle whose centre row is `circle`
// (centre distance |R| + |r| or ||R| - |r||).
inline void ExpectArcTangentToCircle(const std::vector<Row>& rows, int arc, int circle, double tolerance) {
  const Row& c = rows[arc - 1];
  const Row& o = rows[circle - 1];
  const double d = Length(c.At() - o.At());
  const double outer = std::fabs(c.p1) + std::fabs(o.p1);
  const double inner = std::fabs(std::fabs(c.p1) - std::fabs(o.p1));
  EXPECT_LT(std::min(std::fabs(d - outer), std::fabs(d - inner)), tolerance)
      << "arc row " << arc << " and circle row " << circle << ": centre distance " << d;
}

// The segment a -> b is tangent to the circle of arc row `arc`.
inline void ExpectSegmentTangentToCircle(const std::vector<Row>& rows, int a, int b, int arc, double tolerance) {
  ExpectArcTangentToSegment(rows, arc, a, b, tolerance);
}

// Unit direction of travel arriving at point row `at` (1-based) and leaving
// it: along the segment, or along the arc whose centre row is beside it
// (counter-clockwise for a positive radius).
inline Vec2 Unit(Vec2 v) { return {v.x / Length(v), v.y / Length(v)}; }
inline Vec2 ArcDirection(const Row& centre, Vec2 p) {
  const Vec2 r = p - centre.At();
  return Unit(centre.p1 > 0 ? Vec2{-r.y, r.x} : Vec2{r.y, -r.x});
}
inline Vec2 DirectionInto(const std::vector<Row>& rows, int at) {
  const Row& before = rows[at - 2];
  return before.p1 != 0 ? ArcDirection(before, rows[at - 1].At()) : Unit(rows[at - 1].At() - before.At());
}
inline Vec2 DirectionOutOf(const std::vector<Row>& rows, int at) {
  const Row& after = rows[at];
  return after.p1 != 0 ? ArcDirection(after, rows[at - 1].At()) : Unit(after.At() - rows[at - 1].At());
}

// The path runs on without a kink or a reversal at point row `at`.
inline void ExpectSmoothAt(const std::vector<Row>& rows, int at, double tolerance) {
  const Vec2 in = DirectionInto(rows, at);
  const Vec2 out = DirectionOutOf(rows, at);
  EXPECT_NEAR(Cross(in, out), 0, tolerance) << "kink at row " << at << " " << rows[at - 1];
  EXPECT_GT(in.x * out.x + in.y * out.y, 0) << "reversal at row " << at << " " << rows[at - 1];
}

}  // namespace vx::test
