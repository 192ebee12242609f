// The texts of the NC output screen and the multi-piece layout that a run refuses.
#include <gtest/gtest.h>

#include "machining/field_checks.h"

namespace vx {
namespace {

TEST(CheckNcSettings, InitialTextsPass) { EXPECT_TRUE(CheckNcSettings(NcSettings{}).empty()); }

TEST(CheckNcSettings, EachFieldByItsRule) {
  struct Case {
    const char* name;
    std::string NcSettings::*field;
    int index;
    const char* text;
    FieldProblem expected;
  };
  const Case cases[] = {
      {"program letters", &NcSettings::programNumber, 0, "abc", FieldProblem::kNotNumber},
      {"program blank", &NcSettings::programNumber, 0, "", FieldProblem::kNone},
      {"M21 offset", &NcSettings::m21Offset, 1, "-0.4x", FieldProblem::kNotNumber},
      {"M23 offset", &NcSettings::m23Offset, 2, "-.4", FieldProblem::kNone},
      {"target 9", &NcSettings::outputTarget, 3, "9", FieldProblem::kNotInList},
      {"target 3", &NcSettings::outputTarget, 3, "3", FieldProblem::kNone},
      {"target 0", &NcSettings::outputTarget, 3, "0", FieldProblem::kNotInList},
      {"speed letters", &NcSettings::speed, 4, "fast", FieldProblem::kNotNumber},
      {"speed negative", &NcSettings::speed, 4, "-2", FieldProblem::kNone},
      {"offset letter O", &NcSettings::wireOffset, 5, "O.1", FieldProblem::kNotNumber},
      {"offset blank", &NcSettings::wireOffset, 5, " ", FieldProblem::kNone},
      {"reverse 2", &NcSettings::reverse, 6, "2", FieldProblem::kNotInList},
      {"reverse 1", &NcSettings::reverse, 6, "1", FieldProblem::kNone},
      {"side 7", &NcSettings::side, 7, "7", FieldProblem::kNotInList},
      {"side 1", &NcSettings::side, 7, "1", FieldProblem::kNone},
      {"side blank: G42", &NcSettings::side, 7, "", FieldProblem::kNone},
  };
  for (const Case& c : cases) {
    NcSettings settings;
    settings.*c.field = c.text;
    EXPECT_EQ(CheckNcField(c.index, c.text), c.expected) << c.name;
    const std::vector<NcFieldIssue> issues = CheckNcSettings(settings);
    if (c.expected == FieldProblem::kNone) {
      EXPECT_TRUE(issues.empty()) << c.name;
    } else {
      ASSERT_EQ(issues.size(), 1u) << c.name;
      EXPECT_EQ(issues[0].field, c.index) << c.name;
      EXPECT_EQ(issues[0].problem, c.expected) << c.name;
    }
  }
}

TEST(CheckPieceLayout, ShiftsAnglesAndMirrorCodesRowByRow) {
  PieceLayout layout;
  EXPECT_TRUE(CheckPieceLayout(layout).empty());
  layout.Row(1) = PieceRow{"50", "abc", "90", "0"};
  layout.Row(2) = PieceRow{"", "", "", "3"};
  layout.Row(9) = PieceRow{"1x", "", "", "2"};  // not in use after row 3, marked all the same
  const std::vector<PieceFieldIssue> issues = CheckPieceLayout(layout);
  ASSERT_EQ(issues.size(), 3u);
  EXPECT_EQ(issues[0].piece, 1);
  EXPECT_EQ(issues[0].field, PieceField::kSftY);
  EXPECT_EQ(issues[0].problem, FieldProblem::kNotNumber);
  EXPECT_EQ(issues[1].piece, 2);
  EXPECT_EQ(issues[1].field, PieceField::kMirX);
  EXPECT_EQ(issues[1].problem, FieldProblem::kNotInList);
  EXPECT_EQ(issues[2].piece, 9);
  EXPECT_EQ(issues[2].field, PieceField::kSftX);
  EXPECT_EQ(CheckPieceField(PieceField::kKAngle, "-45.5"), FieldProblem::kNone);
  EXPECT_EQ(CheckPieceField(PieceField::kMirX, "1"), FieldProblem::kNone);
  EXPECT_EQ(CheckPieceField(PieceField::kMirX, "X"), FieldProblem::kNotNumber);
}

}  // namespace
}  // namespace vx
