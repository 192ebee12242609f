// The lines of the calculator's input data guide.
#include "calculator/calculator_guide.h"

namespace vx {
namespace {

struct GuideProblem {
  const char* title;
  const char* rows[3];
};

constexpr GuideProblem kProblems[] = {
    {"1.1 ２点の角度", {"      1 x,y, 8", "      2 x,y, 8", "      3     99"}},
    {"1.2 点と円の接線の角度", {"      1 x,y, 8", "      2 x,y, 0,r,s", "      3     99"}},
    {"1.3 円と円の接線の角度", {"      1 x,y, 0,r,s", "      2 x,y, 0,r,s", "      3     99"}},
    {"2.1 ２直線の交点", {"      1 x,y, 3,A,B", "      2 x,y, 3,A,B", "      3     99"}},
    {"2.2 直線と円の交点", {"      1 x,y, 3,A,B", "      2 x,y, 0,r,s", "      3     99"}},
    {"2.3 円と円の交点", {"      1 x,y, 0,r,s", "      2      5,±0.001", "      3 x,y, 0,r,s"}},
    {"3.1 点と円に接する円", {"      1 x,y, 8", "      2      5,c2", "      3 x,y, 0,r,s"}},
    {"3.2 円と接線に接する円", {"      1 x,y, 8", "      2      5,c", "      3 x,y, 0,r,s"}},
    {"3.3 直線と円に接する円", {"      1 x,y, 3,A,B", "      2      5,c", "      3 x,y, 0,r,s"}},
    {"3.4 ２円に接する円", {"      1 x,y, 0,r,s", "      2      5,c", "      3 x,y, 0,r,s"}},
    {"3.5 ３点を通る円", {"      1 x,y, 8", "      2 x,y, 8", "      3 x,y, 8"}},
    {"3.6 ３直線に接する円", {"      1 x,y, 3,A,B", "      2 x,y, 3,A,B", "      3 x,y, 3,A,B"}},
};

}  // namespace

std::vector<std::string> CalcGuideLines() {
  std::vector<std::string> lines;
  for (const GuideProblem& problem : kProblems) {
    lines.emplace_back(problem.title);
    for (const char* row : problem.rows) lines.emplace_back(row);
    for (int i = 0; i < 3; ++i) lines.emplace_back("      ");
  }
  return lines;
}

}  // namespace vx
