// Reading the calculator's rows, the two-row test, the clear button and the
// choice of solver.
#include <gtest/gtest.h>

#include "calc_test_support.h"

namespace vx {
namespace {

using test::Row;
using test::Solve;

TEST(CalcInput, ClearButtonResetsGridAndAnswers) {
  Calculator calc = Solve("1,2,8", "3,4,8", ",,99");
  calc.grid[0].inpA = "12";
  calc.grid[1].inpS = "1";
  calc.Clear();
  for (int r = 0; r < 3; ++r) {
    const CalcGridRow& row = calc.grid[r];
    EXPECT_EQ(row.inpX, "0.000");
    EXPECT_EQ(row.inpY, "0.000");
    EXPECT_EQ(row.inpD, r == 2 ? "99" : "");
    for (const std::string* text : {&row.inpA, &row.inpB, &row.inpC, &row.inpR, &row.inpS}) EXPECT_EQ(*text, "");
  }
  EXPECT_EQ(calc.answers, CalcAnswers{});
  EXPECT_EQ(calc.TwoRowMode, 1);
}

TEST(CalcInput, RowsTranslateCodesToKinds) {
  Calculator calc;
  calc.grid = {Row("1,2,0,9,9,9,-5,-1"), Row("3,4,3,30,2.5,9,9,9"), Row("5,6,5,9,9,0.75,9,9")};
  ASSERT_TRUE(calc.ReadInputs());
  const CalcRow& circle = calc.in[1];
  EXPECT_EQ(circle.InX, 1);
  EXPECT_EQ(circle.InY, 2);
  EXPECT_EQ(circle.InKind, 8);
  EXPECT_EQ(circle.InMain, -5);
  EXPECT_EQ(circle.InAux, -1);
  EXPECT_EQ(calc.in[2].InKind, 3);
  EXPECT_EQ(calc.in[2].InMain, 30);
  EXPECT_EQ(calc.in[2].InAux, 2.5);
  EXPECT_EQ(calc.in[3].InKind, 5);
  EXPECT_EQ(calc.in[3].InMain, 0);
  EXPECT_EQ(calc.in[3].InAux, 0.75);
  EXPECT_EQ(calc.in[3].InX, 5);  // read whatever the code
  EXPECT_EQ(calc.TwoRowMode, 0);
}

TEST(CalcInput, CodesAreComparedAsText) {
  // " 8" and "08" are no code: the row keeps kind 0 with its X and Y read.
  for (const char* code : {" 8", "08", "8 ", "x"}) {
    Calculator calc;
    calc.grid = {Row(std::string("7abc,  -2.5,") + code + ",45,3"), Row("0,0,1,90"), Row(",,99")};
    ASSERT_TRUE(calc.ReadInputs());
    EXPECT_EQ(calc.in[1].InKind, 0) << code;
    EXPECT_EQ(calc.in[1].InMain, 0) << code;
    EXPECT_EQ(calc.in[1].InX, 7) << code;
    EXPECT_EQ(calc.in[1].InY, -2.5) << code;
  }
  // Read as a point, " 8" then " 8" is an angle problem.
  EXPECT_EQ(Solve("0,0, 8", "10,10,08", ",,99").answers.ansA, "45");
}

TEST(CalcInput, ThirdCodeDecidesTwoOrThreeRows) {
  struct ModeCase {
    const char* code;
    int twoRowMode;
  };
  for (const ModeCase& c : {ModeCase{"", 1}, ModeCase{"99", 1}, ModeCase{"5", 0}, ModeCase{"0", 0},
                            ModeCase{"8", 0}, ModeCase{" 9.5 ", 0}, ModeCase{"10", 1}, ModeCase{"-1", 1}}) {
    Calculator calc;
    calc.grid = {Row("0,0,8"), Row("1,1,8"), Row(std::string(",,") + c.code)};
    ASSERT_TRUE(calc.ReadInputs()) << c.code;
    EXPECT_EQ(calc.TwoRowMode, c.twoRowMode) << '"' << c.code << '"';
  }
}

TEST(CalcInput, NonNumericThirdCodeIsReported) {
  for (const char* code : {"abc", "9x", "９９"}) {
    const Calculator calc = Solve("0,0,8", "10,10,8", std::string(",,") + code);
    EXPECT_EQ(calc.answers, (CalcAnswers{"", "", "", "", kMsgThirdCodeNotNumber})) << code;
  }
}

TEST(CalcInput, FieldHoldingNoNumberGetsItsOwnMessage) {
  struct Case {
    const char* rows[3];
    const char* message;  // empty: solved
  };
  const Case cases[] = {
      {{"abc,0,8", "10,0,8", ",,99"}, "1行目のXが数値でない"},        // once 中心が同じで計算出来ない
      {{"0,0,8", "10,1O,8", ",,99"}, "2行目のYが数値でない"},
      {{"0,0,1,3O", "0,0,2,90", ",,99"}, "1行目のAが数値でない"},
      {{"0,0,3,0,1mm", "0,0,3,90", ",,99"}, "1行目のBが数値でない"},
      {{"0,0,1,0,1mm", "0,0,2,90", ",,99"}, ""},                      // B of a plain line is not read
      {{"0,0,0,,,,5x,1", "10,0,0,,,,5,1", ",,99"}, "1行目のRが数値でない"},
      {{"0,0,0,,,,5,+", "10,0,0,,,,5,1", ",,99"}, "1行目のSが数値でない"},
      {{"0,0,0,,,,5,1", "x,y,5,,,0.001", "8,0,0,,,,5,1"}, ""},        // a value row reads C alone
      {{"0,0,0,,,,5,1", ",,5,,,c", "8,0,0,,,,5,1"}, "2行目のCが数値でない"},
      {{"0,0,8", "10,0,8", "x,0,99"}, ""},                            // the third row takes no part
      {{"0,0,8", "10,0,8", "x,0,8"}, "3行目のXが数値でない"},
      {{"0,0,8", "10,0,8", "0,0,7"}, ""},                             // no known code: a point at X, Y
      {{" ,0,8", "10,0,8", ",,99"}, ""},                              // blank is 0
  };
  for (const Case& c : cases) {
    const Calculator calc = Solve(c.rows[0], c.rows[1], c.rows[2]);
    const std::string what = std::string(c.rows[0]) + " / " + c.rows[1] + " / " + c.rows[2];
    if (*c.message != '\0') {
      EXPECT_EQ(calc.answers, (CalcAnswers{"", "", "", "", c.message})) << what;
      ASSERT_TRUE(calc.nonNumberField.has_value()) << what;
      EXPECT_EQ(NonNumberMessage(*calc.nonNumberField), c.message);
    } else {
      EXPECT_FALSE(calc.nonNumberField.has_value()) << what;
      EXPECT_EQ(calc.answers.ansRem.find("数値でない"), std::string::npos) << what;
    }
  }
}

TEST(CalcInput, ShowAnswerPointRoundsToFourPlacesUnlessHeld) {
  Calculator calc;
  calc.ShowAnswerPoint(1.23456, -0.00004);
  EXPECT_EQ(calc.answers.ansX, "1.2346");
  EXPECT_EQ(calc.answers.ansY, "0");
  calc.ShowAnswerPoint(2.00005, 2.00015);  // halves to even
  EXPECT_EQ(calc.answers.ansX, "2");
  EXPECT_EQ(calc.answers.ansY, "2.0002");
  calc.HoldAnswer = 1;
  calc.ShowAnswerPoint(9, 9);
  EXPECT_EQ(calc.answers.ansX, "2");
}

// Which solver runs is seen from which labels it fills.
TEST(CalcDispatch, PairsRunTheirSolverOrAreRefused) {
  struct DispatchCase {
    const char* rows[3];
    bool refused;
  };
  const DispatchCase cases[] = {
      {{"0,0,8", "1,1,8", ",,99"}, false},          {{"0,0,8", "5,0,0,,,,1,1", ",,99"}, false},
      {{"5,0,0,,,,1,1", "0,0,8", ",,99"}, false},   {{"0,0,0,,,,1,1", "5,0,0,,,,1,1", ",,99"}, false},
      {{"0,0,1,0", "0,0,2,90", ",,99"}, false},     {{"0,0,1,0", "0,0,3,90", ",,99"}, false},
      {{"0,0,3,0", "0,0,2,90", ",,99"}, false},     {{"0,0,3,0", "0,0,3,90", ",,99"}, false},
      {{"0,0,0,,,,5,1", "0,0,3,0", ",,99"}, false}, {{"0,0,1,0", "0,0,0,,,,5,1", ",,99"}, false},
      {{"0,0,2,0", "0,0,0,,,,5,1", ",,99"}, true},  {{"0,0,0,,,,5,1", "0,0,2,0", ",,99"}, true},
      {{"0,0,2,0", "0,0,1,90", ",,99"}, true},      {{"0,0,1,0", "0,0,1,90", ",,99"}, true},
      {{"0,0,8", "0,0,3,0", ",,99"}, true},         {{",,5,,,3", "0,0,8", ",,99"}, true},
  };
  for (const DispatchCase& c : cases) {
    const Calculator calc = Solve(c.rows[0], c.rows[1], c.rows[2]);
    const std::string what = std::string(c.rows[0]) + " / " + c.rows[1];
    if (c.refused) {
      EXPECT_EQ(calc.answers, (CalcAnswers{"", "", "", "", kMsgWrongOrder})) << what;
    } else {
      EXPECT_NE(calc.answers.ansRem, kMsgWrongOrder) << what;
      EXPECT_FALSE(calc.answers.ansX.empty()) << what;
    }
  }
}

TEST(CalcDispatch, ThreeRowsWithoutValueRowGoToPointsOrLines) {
  // A point in row 1 or 2 makes it the three-point circle, otherwise three lines.
  EXPECT_EQ(Solve("0,0,8", "10,0,8", "0,10,8").answers.ansR, "7.0711");
  EXPECT_EQ(Solve("0,0,3,0", "5,0,8", "0,10,8").answers.ansX, "2.5");
  EXPECT_EQ(Solve("0,0,3,0", "10,0,3,120", "5,8.660254,3,240").answers.ansR, "2.8868");
  // A value row with a line first but no circle third falls through to three lines.
  EXPECT_EQ(Solve("0,0,3,0", ",,5,,,2", "0,5,3,0").answers.ansRem, kMsgNoLineCrossing);
}

}  // namespace
}  // namespace vx
