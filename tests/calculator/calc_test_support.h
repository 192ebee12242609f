// Shared helpers of the calculator tests: grid rows from "X,Y,D,A,B,C,R,S" texts.
#pragma once

#include <ostream>
#include <sstream>
#include <string>
#include <vector>

#include "calculator/calculator.h"

namespace vx::test {

// "X,Y,D,A,B,C,R,S" (missing trailing fields empty) as a grid row.
inline CalcGridRow Row(const std::string& csv) {
  std::vector<std::string> f;
  std::string field;
  std::istringstream in(csv);
  while (std::getline(in, field, ',')) f.push_back(field);
  f.resize(8);
  return CalcGridRow{f[0], f[1], f[2], f[3], f[4], f[5], f[6], f[7]};
}

// Types three rows into a fresh calculator and presses calculate.
inline Calculator Solve(const std::string& r1, const std::string& r2, const std::string& r3) {
  Calculator calc;
  calc.grid = {Row(r1), Row(r2), Row(r3)};
  calc.Calculate();
  return calc;
}

}  // namespace vx::test

namespace vx {
inline std::ostream& operator<<(std::ostream& os, const CalcAnswers& a) {
  return os << "{X=" << a.ansX << " Y=" << a.ansY << " A=" << a.ansA << " R=" << a.ansR << " Rem=" << a.ansRem
            << "}";
}
inline bool operator==(const CalcAnswers& a, const CalcAnswers& b) {
  return a.ansX == b.ansX && a.ansY == b.ansY && a.ansA == b.ansA && a.ansR == b.ansR && a.ansRem == b.ansRem;
}
}  // namespace vx
