// Random element lists built from consistent geometry, each pattern judged against the drawing it describes.
#include <gtest/gtest.h>

#include <sstream>

#include "contour_patterns.h"

namespace vx::test {
namespace {

constexpr int kListsPerPattern = 300;

std::string ListText(const std::vector<ElementRow>& elements) {
  std::ostringstream out;
  out.precision(15);
  for (const ElementRow& e : elements) {
    out << "{" << e.x << ", " << e.y << ", " << e.code << ", " << e.p1 << ", " << e.p2 << "} ";
  }
  return out.str();
}

// "" when the list converts to its drawing with exactly its messages.
std::string JudgeCase(const PatternCase& c) {
  const Converted result = Convert(c.elements);
  if (result.status != Conv2Status::kOk) return "status " + std::to_string(static_cast<int>(result.status));
  if (result.box.messages != c.messages) {
    std::string seen;
    for (const std::string& m : result.box.messages) seen += "[" + m + "]";
    return "messages " + (seen.empty() ? std::string("none") : seen);
  }
  return JudgeContour(result.Rows(), c.drawing, c.tolerance);
}

class RandomContours : public ::testing::TestWithParam<Pattern> {};

TEST_P(RandomContours, EveryListGivesItsDrawing) {
  Dice dice(20261209);
  int failures = 0;
  for (int list = 0; list < kListsPerPattern; ++list) {
    const PatternCase c = GetParam().make(dice);
    const std::string verdict = JudgeCase(c);
    if (verdict.empty()) continue;
    if (++failures <= 3) ADD_FAILURE() << "list " << list << ": " << verdict << "\n  " << ListText(c.elements);
  }
  EXPECT_EQ(failures, 0) << "of " << kListsPerPattern;
}

INSTANTIATE_TEST_SUITE_P(Conv2, RandomContours, ::testing::ValuesIn(AllPatterns()),
                         [](const ::testing::TestParamInfo<Pattern>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace vx::test
