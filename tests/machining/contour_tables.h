// Contour tables written directly for the machining tests.
#pragma once

#include <ostream>
#include <vector>

#include "shell/element_table.h"

namespace vx::test {

// One contour-file row: a point (p1 = 0) or an arc centre (signed radius p1).
struct Row {
  double x = 0;
  double y = 0;
  double p1 = 0;
  int code = 0;
};

// Fills rows 1..n with the given rows, row n + 1 with the end row (Code 99).
inline void FillTable(ElementTable& table, const std::vector<Row>& rows) {
  table.Reset();
  for (size_t k = 0; k < rows.size(); ++k) {
    const size_t r = k + 1;
    table.X[r] = rows[k].x;
    table.Y[r] = rows[k].y;
    table.Code[r] = rows[k].code;
    table.P1[r] = rows[k].p1;
    table.P2[r] = 0;
  }
  const size_t end = rows.size() + 1;
  table.X[end] = 0;
  table.Y[end] = 0;
  table.Code[end] = 99;
  table.P1[end] = 0;
  table.P2[end] = 0;
  table.RowCount = static_cast<int>(rows.size());
}

inline ElementTable MakeTable(const std::vector<Row>& rows) {
  ElementTable table;
  FillTable(table, rows);
  return table;
}

// The square of the worked example: start hole (5, 5), counter-clockwise.
inline std::vector<Row> ExampleSquare() {
  return {{5, 5}, {10, 5}, {10, 10}, {0, 10}, {0, 0}, {10, 0}, {10, 5}, {5, 5}};
}

inline std::ostream& operator<<(std::ostream& out, const Row& row) {
  return out << "(" << row.x << ", " << row.y << " r=" << row.p1 << " code=" << row.code << ")";
}

}  // namespace vx::test
