// The degree functions and their 8-digit circle constant.
#include <gtest/gtest.h>

#include <cmath>

#include "shell/degree.h"

namespace vx {
namespace {

struct DegreeCase {
  const char* name;
  double (*function)(double);
  double argument;
  double expected;
};

TEST(DegreeFunctions, RoundedResultsOfTheShortConstant) {
  const DegreeCase cases[] = {
      {"SinDeg(30)", SinDeg, 30, 0.5},
      {"CosDeg(60)", CosDeg, 60, 0.5},
      {"SinDeg(180)", SinDeg, 180, 0.0},
      {"SinDeg(90)", SinDeg, 90, 1.0},
      {"CosDeg(90)", CosDeg, 90, 0.0},
      {"TanDeg(45)", TanDeg, 45, 1.0},
      {"TanDeg(90)", TanDeg, 90, 37320539.634355},
      {"AtnDeg(1)", AtnDeg, 1, 45.000001},
      {"AtnDeg(0)", AtnDeg, 0, 0.0},
      {"AsinDeg(0.5)", AsinDeg, 0.5, 30.000001},
      {"AcosDeg(0.5)", AcosDeg, 0.5, 60.000001},
      {"AcosDeg(-0.5)", AcosDeg, -0.5, -60.000001},
      {"AcosDeg(1)", AcosDeg, 1, 0.0},
  };
  for (const DegreeCase& c : cases) {
    EXPECT_NEAR(c.function(c.argument), c.expected, 1e-9) << c.name;
  }
}

TEST(DegreeFunctions, ResultsCarrySixPlacesOnly) {
  for (double a = -720; a <= 720; a += 7.3) {
    const double s = SinDeg(a) * 1e6;
    EXPECT_NEAR(s, std::round(s), 1e-6) << a;
  }
}

}  // namespace
}  // namespace vx
