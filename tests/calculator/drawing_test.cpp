// The calculator's drawing: view rules, the drawn input rows and the answer.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "calc_test_support.h"
#include "calculator/calculator_drawing.h"

namespace vx {
namespace {

using test::Row;
using test::Solve;

struct Op {
  enum Kind { kPoint, kLine, kCircle } kind;
  int colour;
  double a, b, c, d;  // point x y; line x1 y1 x2 y2; circle x y r
};

class RecordingSurface : public Surface {
 public:
  void SetScale(double left, double top, double width, double height) override { scale = {left, top, width, height}; }
  void Clear() override {
    ops.clear();
    ++clears;
  }
  void SetColour(int index) override { colour = index; }
  void Point(double x, double y) override { ops.push_back({Op::kPoint, colour, x, y, 0, 0}); }
  void Line(double x1, double y1, double x2, double y2) override { ops.push_back({Op::kLine, colour, x1, y1, x2, y2}); }
  void Circle(double x, double y, double r) override { ops.push_back({Op::kCircle, colour, x, y, r, 0}); }

  std::vector<Op> Of(int wanted) const {
    std::vector<Op> out;
    for (const Op& op : ops) {
      if (op.colour == wanted && op.kind != Op::kPoint) out.push_back(op);
    }
    return out;
  }
  CalcScale scale{};
  std::vector<Op> ops;
  int colour = -1;
  int clears = 0;
};

RecordingSurface Draw(const CalcGrid& grid, const CalcAnswers& answers = {}, CalcView view = {}) {
  RecordingSurface surface;
  CalcRedraw(surface, view, grid, answers);
  return surface;
}

CalcGrid Grid(const char* r1, const char* r2 = ",,99", const char* r3 = ",,99") {
  return {Row(r1), Row(r2), Row(r3)};
}

TEST(CalcView, StartsWithMinus50LeftAnd70Top) {
  CalcView view;
  view.pictureWidthTwips = 5900;
  view.pictureHeightTwips = 2950;
  const CalcScale s = CalcViewScale(view);
  EXPECT_EQ(s.left, -50);
  EXPECT_EQ(s.top, 70);
  EXPECT_DOUBLE_EQ(s.width, 100);
  EXPECT_DOUBLE_EQ(s.height, -50);
  EXPECT_EQ(CalcStatusText(view), "X=-50.Y=20");
}

TEST(CalcView, StatusTextAddsTopAndHeightAsTheSurfaceHoldsThem) {
  // A 101-pixel-high area: the single-precision sum ends in ...204, the
  // double sum rounded once would end in ...203.
  CalcView view;
  view.pictureHeightTwips = 101 * 15;
  EXPECT_EQ(CalcStatusText(view), "X=-50.Y=44.32204");
}

TEST(CalcView, ScrollEndsAndSteps) {
  struct Case {
    int h, v;
    double left, top;
  };
  for (const Case& c : {Case{0, 0, -450, 550}, Case{50, 50, 550, -250}, Case{21, 31, -30, 54}}) {
    CalcView view;
    view.hScroll = c.h;
    view.vScroll = c.v;
    const CalcScale s = CalcViewScale(view);
    EXPECT_EQ(s.left, c.left) << c.h;
    EXPECT_EQ(s.top, c.top) << c.v;
  }
}

TEST(CalcView, ZoomKeepsTopLeftCornerAndHalvesTheWindow) {
  CalcView view;
  const CalcScale at100 = CalcViewScale(view);
  view.zoomPercent = 200;
  const CalcScale at200 = CalcViewScale(view);
  EXPECT_EQ(at200.left, -50);
  EXPECT_EQ(at200.top, 70);
  EXPECT_DOUBLE_EQ(at200.width, at100.width / 2);
  EXPECT_DOUBLE_EQ(at200.height, at100.height / 2);
}

TEST(CalcDrawing, OriginCrossAndNothingElseForEmptyRows) {
  const RecordingSurface s = Draw(Grid(",,", ",,99", ",,5,,,3"));
  EXPECT_EQ(s.clears, 1);
  const std::vector<Op> cross = s.Of(kCalcAxesColour);
  ASSERT_EQ(cross.size(), 2u);
  EXPECT_EQ(cross[0].a, -10);
  EXPECT_EQ(cross[0].c, 10);
  EXPECT_EQ(cross[1].b, -10);
  EXPECT_EQ(cross[1].d, 10);
  EXPECT_TRUE(s.Of(kCalcInputColour).empty());
  EXPECT_TRUE(s.Of(kCalcAnswerColour).empty());
}

TEST(CalcDrawing, InputLinesAreClippedToTheBox) {
  struct Case {
    const char* row;
    double x1, y1, x2, y2;
  };
  const double x80 = 500 / 5.671282;  // TanDeg(80)
  const Case cases[] = {
      {"0,0,1,45", 500, 500, -500, -500},
      {"0,0,2,80", x80, 500, -x80, -500},
      {"0,0,3,90,2", -2, -250, -2, 800},   // vertical, moved 2 to the left of upward
      {"0,0,3,-90,2", 2, -250, 2, 800},
      {"0,0,1,0,3", 500, 3, -500, 3},       // B moves even a code 1 line
      {"0,0,3,180,3", 500, -3, -500, -3},
  };
  for (const Case& c : cases) {
    const std::vector<Op> lines = Draw(Grid(c.row)).Of(kCalcInputColour);
    ASSERT_EQ(lines.size(), 1u) << c.row;
    EXPECT_NEAR(lines[0].a, c.x1, 1e-3) << c.row;
    EXPECT_NEAR(lines[0].b, c.y1, 1e-3) << c.row;
    EXPECT_NEAR(lines[0].c, c.x2, 1e-3) << c.row;
    EXPECT_NEAR(lines[0].d, c.y2, 1e-3) << c.row;
  }
}

TEST(CalcDrawing, BothLinesOfATwoLineProblemAreDrawn) {
  // Leaving and entering lines, parallel lines, a vertical one first or
  // second, a shifted one, after a solve: two input lines each time.
  const char* const pairs[][2] = {
      {"0,0,1,30", "10,0,2,120"}, {"0,0,3,0,0", "0,0,3,90,0"}, {"0,0,3,90,2", "0,0,3,0,3"},
      {"5,5,1,-45", "0,0,3,45,1"}, {"0,0,3,180,0", "0,0,2,-90"}, {"0,10,1,0", "10,0,2,89.9"},
  };
  for (const auto& pair : pairs) {
    const Calculator calc = Solve(pair[0], pair[1], ",,99");
    const RecordingSurface surface = Draw(calc.grid, calc.answers);
    EXPECT_EQ(surface.Of(kCalcInputColour).size(), 2u) << pair[0] << " / " << pair[1];
    EXPECT_FALSE(calc.answers.ansX.empty()) << pair[0] << " / " << pair[1];
  }
}

TEST(CalcDrawing, PointsAndCircles) {
  const std::vector<Op> ops = Draw(Grid("3,4,8", "-2,1,0,,,,-6,1", " 8,2,08")).Of(kCalcInputColour);
  ASSERT_EQ(ops.size(), 3u);
  EXPECT_EQ(ops[0].kind, Op::kCircle);
  EXPECT_EQ(ops[0].c, 1);
  EXPECT_EQ(ops[1].kind, Op::kCircle);
  EXPECT_EQ(ops[1].a, -2);
  EXPECT_EQ(ops[1].c, 6);
  EXPECT_EQ(ops[2].a, 8);  // the drawing reads the code as a leading number
}

TEST(CalcDrawing, RowWithIncompleteNumbersIsSkipped) {
  for (const char* row : {"3a,4,8", "3,,8", "1,2x,0,,,,5", "1x,0,1,90", "1,0,1,90x"}) {
    EXPECT_TRUE(Draw(Grid(row)).Of(kCalcInputColour).empty()) << row;
  }
  // The same texts are fine where they are read as leading numbers.
  EXPECT_EQ(Draw(Grid("1,2x,1,45")).Of(kCalcInputColour).size(), 1u);
}

TEST(CalcDrawing, AnswerCircleLineAndMark) {
  const RecordingSurface s = Draw(Grid(",,99"), CalcAnswers{"2", "3", "45", "-4", ""});
  const std::vector<Op> ops = s.Of(kCalcAnswerColour);
  ASSERT_EQ(ops.size(), 1u + 1u + 4u);
  EXPECT_EQ(ops[0].kind, Op::kCircle);
  EXPECT_EQ(ops[0].c, 4);
  EXPECT_EQ(ops[1].a, -500);
  EXPECT_NEAR(ops[1].b, -499, 1e-9);
  EXPECT_NEAR(ops[1].d, 501, 1e-9);
  EXPECT_EQ(ops[2].a, 1);  // the square from (1, 2) to (3, 4)
  EXPECT_EQ(ops[2].b, 2);
}

TEST(CalcDrawing, ZeroRadiusAnswerIsASquare) {
  const std::vector<Op> ops = Draw(Grid(",,99"), CalcAnswers{"2", "3", "", "0", ""}).Of(kCalcAnswerColour);
  ASSERT_EQ(ops.size(), 8u);
  for (const Op& op : ops) EXPECT_EQ(op.kind, Op::kLine);
}

TEST(CalcDrawing, VerticalAnswerLine) {
  const std::vector<Op> ops = Draw(Grid(",,99"), CalcAnswers{"7", "0", "-90", "", ""}).Of(kCalcAnswerColour);
  ASSERT_GE(ops.size(), 1u);
  EXPECT_EQ(ops[0].a, 7);
  EXPECT_EQ(ops[0].b, -250);
  EXPECT_EQ(ops[0].d, 800);
}

TEST(CalcDrawing, ThreePointAnswerCirclePassesThroughInputPoints) {
  const Calculator calc = Solve("0,0,8", "10,0,8", "0,10,8");
  const RecordingSurface s = Draw(calc.grid, calc.answers);
  const std::vector<Op> input = s.Of(kCalcInputColour);
  const std::vector<Op> answer = s.Of(kCalcAnswerColour);
  ASSERT_EQ(input.size(), 3u);
  ASSERT_FALSE(answer.empty());
  ASSERT_EQ(answer[0].kind, Op::kCircle);
  for (const Op& point : input) {
    EXPECT_EQ(point.c, 1);
    EXPECT_NEAR(std::hypot(point.a - answer[0].a, point.b - answer[0].b), answer[0].c, 1e-3);
  }
}

TEST(CalcDrawing, NonFiniteLineIsNotDrawn) {
  // A horizontal line far outside the box has no end on y = +-500.
  EXPECT_TRUE(Draw(Grid("0,900,1,0")).Of(kCalcInputColour).empty());
}

}  // namespace
}  // namespace vx
