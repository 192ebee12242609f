// Numeric values of typed texts, rounding and the two number-text forms.
#include <gtest/gtest.h>

#include <cmath>

#include "shell/number_text.h"

namespace vx {
namespace {

struct ValueCase {
  const char* text;
  double expected;
};

TEST(NumericValue, LeadingNumberBlanksIgnoredNeverFails) {
  const ValueCase cases[] = {
      {" 12.5abc", 12.5}, {"-.5", -0.5}, {"abc", 0},     {"", 0},       {"  ", 0},        {"1 2 3", 123},
      {"+7", 7},          {"3.", 3},     {".", 0},       {"-", 0},      {"1.5.6", 1.5},   {"2e3", 2000},
      {"2E", 2},          {"1d2", 100},  {"0.001", 0.001}, {"- 4", -4}, {"12abc34", 12},  {"\t9\n", 9},
  };
  for (const ValueCase& c : cases) {
    EXPECT_DOUBLE_EQ(NumericValue(c.text), c.expected) << "text: '" << c.text << "'";
  }
}

TEST(NumericValue, HugeExponentGivesZeroNotInfinity) { EXPECT_EQ(NumericValue("1e999"), 0.0); }

TEST(IsNumericText, WholeTextMustBeANumber) {
  EXPECT_TRUE(IsNumericText("12"));
  EXPECT_TRUE(IsNumericText(" -.25 "));
  EXPECT_TRUE(IsNumericText("1E-07"));
  EXPECT_FALSE(IsNumericText(""));
  EXPECT_FALSE(IsNumericText("12a"));
  EXPECT_FALSE(IsNumericText("-"));
}

TEST(RoundHalfEven, HalvesGoToTheEvenNeighbour) {
  EXPECT_EQ(RoundHalfEven(2.5, 0), 2);
  EXPECT_EQ(RoundHalfEven(3.5, 0), 4);
  EXPECT_EQ(RoundHalfEven(-2.5, 0), -2);
  EXPECT_DOUBLE_EQ(RoundHalfEven(0.125, 2), 0.12);
  EXPECT_DOUBLE_EQ(RoundHalfEven(0.375, 2), 0.38);
  EXPECT_DOUBLE_EQ(RoundHalfEven(1.23456789, 5), 1.23457);
  EXPECT_FALSE(std::signbit(RoundHalfEven(-0.0000001, 6)));
}

struct TextCase {
  double value;
  const char* shortest;
  const char* signBlank;
};

TEST(NumberText, ShortestAndSignBlankForms) {
  const TextCase cases[] = {
      {0.25, "0.25", " .25"},   {-0.25, "-0.25", "-.25"},        {12, "12", " 12"},
      {0, "0", " 0"},           {-3, "-3", "-3"},                {0.1 + 0.2, "0.3", " .3"},
      {123.456, "123.456", " 123.456"}, {1e-7, "1E-07", " 1E-07"}, {37320539.634355, "37320539.634355", " 37320539.634355"},
      {-0.001, "-0.001", "-.001"},
  };
  for (const TextCase& c : cases) {
    EXPECT_EQ(ShortestText(c.value), c.shortest) << c.value;
    EXPECT_EQ(SignBlankText(c.value), c.signBlank) << c.value;
  }
  EXPECT_EQ(SignBlankTrimmed(0.25), ".25");
  EXPECT_EQ(SignBlankTrimmed(-5), "-5");
  EXPECT_EQ(ShortestText(-0.0), "0");
}

// A written number reads back as a number near it, up to the largest double,
// whose 15-digit rounding would lie beyond the range.
TEST(NumberText, ExtremeValuesReadBack) {
  for (const double value : {1.7976931348623157e308, -1.7976931348623157e308, 1.79769313486231e308,
                             4.9406564584124654e-324, 2.2250738585072014e-308, 1e300}) {
    const std::string text = ShortestText(value);
    EXPECT_TRUE(IsNumericText(text)) << text;
    EXPECT_NEAR(NumericValue(text) / value, 1, 1e-13) << text;
    EXPECT_EQ(ShortestText(NumericValue(text)), text) << "stable from the first writing on";
  }
  EXPECT_EQ(ShortestText(1.7976931348623157e308), "1.79769313486231E+308");
}

}  // namespace
}  // namespace vx
