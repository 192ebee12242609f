// The lines of the calculator's input data guide.
#pragma once

#include <string>
#include <vector>

namespace vx {

// Index of the guide line selected when the screen opens.
constexpr int kGuideStartIndex = 5;

// Every problem's title, its three row lines and three lines of six spaces,
// problem after problem (12 x 7 lines).
std::vector<std::string> CalcGuideLines();

}  // namespace vx
