// The DXF tokenizer alone: pairs from texts of every line end, and numbers with their ranges.
#include "exchange/dxf_tokenizer.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

namespace vx {
namespace {

// "code=value@line" for every pair, then the status that ended reading.
std::string Pairs(std::string_view text) {
  DxfTokenizer tokens(text);
  DxfPair pair;
  std::string out;
  for (;;) {
    const DxfTokenStatus status = tokens.Next(pair);
    if (status != DxfTokenStatus::kPair) {
      out += status == DxfTokenStatus::kEnd ? "end" : status == DxfTokenStatus::kBadCode ? "bad code" : "no value";
      return out + "@" + std::to_string(tokens.Line());
    }
    out += std::to_string(pair.code) + "=" + std::string(pair.value) + "@" + std::to_string(pair.line) + " ";
  }
}

TEST(DxfTokenizerTest, PairsFromEveryKindOfText) {
  struct Case {
    const char* name;
    std::string text;
    std::string pairs;
  };
  const std::vector<Case> cases = {
      {"crlf", "  0\r\nLINE\r\n 10\r\n1.5\r\n", "0=LINE@1 10=1.5@3 end@4"},
      {"lf and cr mixed", "0\nLINE\r10\r\n2\n", "0=LINE@1 10=2@3 end@4"},
      {"blanks and tabs trimmed", " 10 \n\t-3.25 \t\n", "10=-3.25@1 end@2"},
      {"comments passed over", "999\nmade by hand\n  0\nEOF\n", "0=EOF@3 end@4"},
      {"byte order mark", "\xEF\xBB\xBF  0\nSECTION\n", "0=SECTION@1 end@2"},
      {"blank lines at the very end", "  0\nEOF\n\n\r\n  \n", "0=EOF@1 end@2"},
      {"empty value", "  1\n\n  0\nEOF\n", "1=@1 0=EOF@3 end@4"},
      {"no final line end", "  0\nEOF", "0=EOF@1 end@2"},
      {"code without value", "  0\nLINE\n 10", "0=LINE@1 no value@3"},
      {"text for a code", "  0\nLINE\nabc\n1\n", "0=LINE@1 bad code@3"},
      {"code out of range", "1072\nx\n", "bad code@1"},
      {"negative code", "-1\nname\n", "-1=name@1 end@2"},
  };
  for (const Case& c : cases) EXPECT_EQ(Pairs(c.text), c.pairs) << c.name;
}

TEST(DxfTokenizerTest, PushedBackPairComesAgain) {
  DxfTokenizer tokens("  0\nA\n  0\nB\n");
  DxfPair pair;
  ASSERT_EQ(tokens.Next(pair), DxfTokenStatus::kPair);
  tokens.PushBack(pair);
  ASSERT_EQ(tokens.Next(pair), DxfTokenStatus::kPair);
  EXPECT_EQ(pair.value, "A");
  ASSERT_EQ(tokens.Next(pair), DxfTokenStatus::kPair);
  EXPECT_EQ(pair.value, "B");
}

TEST(DxfTokenizerTest, NumbersAndTheirRanges) {
  using N = DxfNumber;
  struct Case {
    const char* text;
    N status;
    double value;
  };
  const std::vector<Case> reals = {
      {"12.5", N::kOk, 12.5},
      {" -.5 ", N::kOk, -0.5},
      {"+3", N::kOk, 3},
      {"1E+03", N::kOk, 1000},
      {"2d2", N::kOk, 200},
      {"", N::kOk, 0},
      {"1e-400", N::kOk, 0},
      {"1.", N::kOk, 1},
      {"1e400", N::kOutOfRange, 0},
      {"-1e309", N::kOutOfRange, 0},
      // Text after the number would be read as its leading digits: a
      // decimal comma gives 1 for 1,5.
      {"1,5", N::kNotANumber, 0},
      {"7abc", N::kNotANumber, 0},
      {"abc", N::kNotANumber, 0},
      {"-1.#IND", N::kNotANumber, 0},
      {"1.5e", N::kNotANumber, 0},
      {".", N::kNotANumber, 0},
  };
  for (const Case& c : reals) {
    double value = -99;
    EXPECT_EQ(DxfReal(c.text, value), c.status) << c.text;
    EXPECT_EQ(value, c.value) << c.text;
  }
  const std::vector<Case> integers = {
      {"70", N::kOk, 70},          {"1e30", N::kOutOfRange, 0}, {"-32769", N::kOutOfRange, 0},
      {"65535", N::kOk, 65535},    {"2.9", N::kOk, 2},          {"1 2", N::kNotANumber, 0},
  };
  for (const Case& c : integers) {
    long value = -99;
    EXPECT_EQ(DxfInteger(c.text, SHRT_MIN, USHRT_MAX, value), c.status) << c.text;
    EXPECT_EQ(value, c.value) << c.text;
  }
}

TEST(DxfTokenizerTest, BinaryAndDwgMarks) {
  EXPECT_TRUE(IsBinaryDxf(std::string("AutoCAD Binary DXF\r\n\x1a\0", 22)));
  EXPECT_FALSE(IsBinaryDxf("  0\nSECTION\n"));
  EXPECT_TRUE(IsDwg("AC1015\0"));
  EXPECT_TRUE(IsDwg("AC1.50"));
  EXPECT_FALSE(IsDwg("ACAD"));
  EXPECT_FALSE(IsDwg("  0\nSECTION"));
}

}  // namespace
}  // namespace vx
