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

// --- Drafted outlines walked element by element ---------------------------

#include "drafting_judge.h"

namespace vx::drafting {
namespace {

constexpr int kListsPerStep = 150;

// The reasons the program gives, as the operator reads them.
const Reasons kReasons{" 平行線で交点無し",
                       " 直線と円に交点無し。接線とします",
                       " コーナＲが入らない。 ",
                       " ( )(C)が入らない",
                       " ()(C) 入らない --Rout(C)--",
                       " 交点無し? -RR(C)-",
                       " 直線と円が交わる(S=0は接線)。手前の交点とします",
                       " 接線が引けない"};

// Each kind of step (every element kind after every state, "(C)" items
// between every pair of kinds) in random surroundings, and free walks, some
// with a second contour: every list converts to the outline it was typed
// from, without a message.
class RandomDraftedLists : public ::testing::TestWithParam<int> {};

TEST_P(RandomDraftedLists, EveryListGivesItsOutline) {
  const int index = GetParam();
  const Step* focus = index < static_cast<int>(AllSteps().size()) ? &AllSteps()[static_cast<size_t>(index)] : nullptr;
  Dice dice(20261210 + static_cast<unsigned>(index));
  int failures = 0;
  for (int list = 0; list < kListsPerStep; ++list) {
    const Case c = MakeCase(dice, focus);
    const std::string verdict = JudgeDrawing(c.rows, c.outline, {});
    if (verdict.empty()) continue;
    if (++failures <= 3) ADD_FAILURE() << "list " << list << ": " << verdict << "\n  " << ListText(c.rows);
  }
  EXPECT_EQ(failures, 0) << "of " << kListsPerStep;
}

INSTANTIATE_TEST_SUITE_P(Conv2, RandomDraftedLists,
                         ::testing::Range(0, static_cast<int>(AllSteps().size()) + 1),
                         [](const ::testing::TestParamInfo<int>& info) {
                           return info.param < static_cast<int>(AllSteps().size())
                                      ? std::string(AllSteps()[static_cast<size_t>(info.param)].name)
                                      : std::string("FreeWalk");
                         });

// Lists that cannot be drawn as typed: exactly their messages, naming the
// rows, and a contour on what the list describes.
class RandomImpossibleLists : public ::testing::TestWithParam<int> {};

TEST_P(RandomImpossibleLists, GiveTheirMessagesAndStayOnTheDrawing) {
  Dice dice(20261211 + static_cast<unsigned>(GetParam()));
  int failures = 0;
  for (int list = 0; list < kListsPerStep; ++list) {
    const ImpossibleCase c = MakeImpossible(dice, GetParam(), kReasons);
    const std::string verdict = JudgeImpossible(c);
    if (verdict.empty()) continue;
    if (++failures <= 3) ADD_FAILURE() << c.name << " list " << list << ": " << verdict << "\n  " << ListText(c.rows);
  }
  EXPECT_EQ(failures, 0) << "of " << kListsPerStep;
}

INSTANTIATE_TEST_SUITE_P(Conv2, RandomImpossibleLists, ::testing::Range(0, kImpossibleKinds),
                         [](const ::testing::TestParamInfo<int>& info) {
                           Dice dice(1);
                           return MakeImpossible(dice, info.param, kReasons).name;
                         });

}  // namespace
}  // namespace vx::drafting
