// Helpers of the exchange tests: building entity lists and reading table rows.
#pragma once

#include <initializer_list>
#include <ostream>
#include <sstream>
#include <string>
#include <vector>

#include "exchange/entity_list.h"
#include "shell/element_table.h"
#include "shell/number_text.h"

namespace vx::test {

inline EntityList MakeList(std::initializer_list<Entity> entities, std::initializer_list<MarkerPoint> markers = {}) {
  EntityList list;
  for (const Entity& e : entities) list.entity[++list.count] = e;
  for (const MarkerPoint& m : markers) list.marker[++list.markerCount] = m;
  return list;
}

inline Entity Line(double x1, double y1, double x2, double y2) { return Entity{x1, y1, x2, y2, 0, 0, 0}; }
inline Entity Arc(double x1, double y1, double x2, double y2, double cx, double cy, double r) {
  return Entity{x1, y1, x2, y2, cx, cy, r};
}

// Rows first..last as "X,Y,Code,P1,P2" texts (shortest number form).
inline std::vector<std::string> RowTexts(const ElementTable& t, int first, int last) {
  std::vector<std::string> rows;
  for (int r = first; r <= last; ++r) {
    rows.push_back(ShortestText(t.X[r]) + "," + ShortestText(t.Y[r]) + "," + ShortestText(t.Code[r]) + "," +
                   ShortestText(t.P1[r]) + "," + ShortestText(t.P2[r]));
  }
  return rows;
}

inline std::string EntityText(const Entity& e) {
  std::ostringstream s;
  s << "(" << e.X1 << "," << e.Y1 << ")->(" << e.X2 << "," << e.Y2 << ") c(" << e.CX << "," << e.CY << ") R" << e.R;
  return s.str();
}

// Lines joined with the given line end, one after the last line too.
inline std::string Joined(const std::vector<std::string>& lines, const std::string& end = "\r\n") {
  std::string text;
  for (const std::string& line : lines) text += line + end;
  return text;
}

}  // namespace vx::test
