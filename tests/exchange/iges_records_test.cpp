// The two lower layers of the IGES reader: records, parameter tokens and
// numbers; the global section's delimiters and units, directory entries and
// parameter lists.
#include <gtest/gtest.h>

#include "exchange/exchange_messages.h"
#include "exchange/iges_model.h"
#include "exchange/iges_records.h"
#include "iges_test_support.h"

namespace vx {
namespace {

using test::IgesRecord;

std::string Sections(const IgesRecords& r) {
  return std::string(r.start.size(), 'S') + std::string(r.global.size(), 'G') +
         std::string(r.directory.size(), 'D') + std::string(r.parameter.size(), 'P') + (r.terminated ? "T" : "");
}

struct SplitCase {
  const char* name;
  std::string text;
  std::string sections;
};

TEST(IgesRecordsTest, RecordsWhateverTheLineEnds) {
  const std::string s = IgesRecord("start", 'S', 1), g = IgesRecord("1H,,1H;;", 'G', 1);
  const std::string d = IgesRecord("     110", 'D', 1), p = IgesRecord("110,1.,2.;", 'P', 1);
  const std::string t = IgesRecord("S0000001", 'T', 1);
  const SplitCase cases[] = {
      {"crlf", s + "\r\n" + g + "\r\n" + d + "\r\n" + p + "\r\n" + t + "\r\n", "SGDPT"},
      {"lf", s + "\n" + g + "\n" + d + "\n" + p + "\n" + t + "\n", "SGDPT"},
      {"cr", s + "\r" + g + "\r" + d + "\r" + p + "\r" + t, "SGDPT"},
      {"no line ends", s + g + d + p + t, "SGDPT"},
      {"no line ends but a last one", s + g + d + p + t + "\n", "SGDPT"},
      {"nothing after T is read", s + "\n" + t + "\n" + p + "\n", "ST"},
      {"junk after the records of a long line", s + g + "   \r\n" + d + "xyz\r\n", "SGD"},
      {"a piece of a long line that is no record", s + std::string(80, 'x') + g, "SG"},
      {"short and blank lines pass", "\r\n  \r\n" + s + "\r\nno record\r\n", "S"},
      {"a letter that is no section", IgesRecord("x", 'X', 1) + "\n" + s, "S"},
  };
  for (const SplitCase& c : cases) EXPECT_EQ(Sections(SplitIgesRecords(c.text)), c.sections) << c.name;
  const IgesRecords r = SplitIgesRecords(s + g);
  EXPECT_EQ(r.global[0].data, std::string("1H,,1H;;") + std::string(64, ' '));
  EXPECT_TRUE(SplitIgesRecords(IgesRecord("", 'C', 1) + "\n" + s).compressed);
}

struct TokenCase {
  const char* name;
  std::string text;
  char p, r;
  std::string tokens;  // joined by "|", strings as H:text; "fail" when it does not tokenize
};

std::string Joined(const IgesTokens& t) {
  if (!t.ok) return "fail";
  std::string out;
  for (size_t i = 0; i < t.tokens.size(); ++i) out += (i ? "|" : "") + std::string(t.tokens[i].isString ? "H:" : "") + t.tokens[i].text;
  return out;
}

TEST(IgesRecordsTest, ParameterTokens) {
  const TokenCase cases[] = {
      {"numbers", "110,1.,2.,3.;", ',', ';', "110|1.|2.|3."},
      {"blanks around numbers", "110, 1. ,  -2.5D0 ;", ',', ';', "110|1.|-2.5D0"},
      {"delimiters inside a string", "212,5Ha,b;c,2.;", ',', ';', "212|H:a,b;c|2."},
      {"blanks after a string", "212,3Habc   ,1;", ',', ';', "212|H:abc|1"},
      {"empty parameters", "406,,3,;", ',', ';', "406||3|"},
      {"declared delimiters", "110/1./2.#ignored", '/', '#', "110|1.|2."},
      {"comment after the record", "116,1.,2.,3.;points of the slot, 2", ',', ';', "116|1.|2.|3."},
      {"record without its delimiter", "110,1.,2.", ',', ';', "110|1.|2."},
      {"string past the end", "212,9Habc;", ',', ';', "fail"},
      {"string counted too long", "0,12Hab\\c.igs,   3Hxyz,1;", ',', ';', "0|H:ab\\c.igs|H:xyz|1"},
      {"string counted too short", "0,2Habc,1;", ',', ';', "0|H:ab|1"},
      {"string count of ten digits", "212,1234567890Habc;", ',', ';', "fail"},
  };
  for (const TokenCase& c : cases) EXPECT_EQ(Joined(TokenizeIgesParameters(c.text, c.p, c.r)), c.tokens) << c.name;
}

TEST(IgesRecordsTest, RealsAndIntegers) {
  struct Case {
    const char* text;
    bool ok;
    double value;
  };
  const Case reals[] = {{"1.", true, 1},      {".5", true, 0.5},     {"-2.5D-1", true, -0.25}, {"1E3", true, 1000},
                        {"1.0d0", true, 1},   {"+3", true, 3},       {"", true, 7},           {"-0.", true, 0},
                        {"1.5e-400", true, 0}, {"abc", false, 0},    {"1e400", false, 0},     {"1.2.3", false, 0},
                        {"1e", false, 0},     {"e5", false, 0},      {"-", false, 0},         {"1 2", false, 0},
                        {"1e123456", false, 0}};
  for (const Case& c : reals) {
    double v = -1;
    EXPECT_EQ(IgesReal(IgesToken{c.text, false}, 7, v), c.ok) << c.text;
    if (c.ok) {
      EXPECT_EQ(v, c.value) << c.text;
    }
  }
  double v = 0;
  EXPECT_FALSE(IgesReal(IgesToken{"1", true}, 0, v)) << "a string is no number";
  const Case integers[] = {{"12", true, 12},         {"3.", true, 3},          {"-7", true, -7},
                           {"2.5", false, 0},        {"1e10", false, 0},       {"1000000000", true, 1e9},
                           {"-1000000001", false, 0}};
  for (const Case& c : integers) {
    long n = -1;
    EXPECT_EQ(IgesInteger(IgesToken{c.text, false}, 0, n), c.ok) << c.text;
    if (c.ok) {
      EXPECT_EQ(n, static_cast<long>(c.value)) << c.text;
    }
  }
}

TEST(IgesRecordsTest, GlobalDelimiters) {
  struct Case {
    const char* text;
    bool ok;
    char p, r;
    const char* rest;
  };
  const Case cases[] = {{"1H,,1H;,4Htest;", true, ',', ';', "4Htest;"},
                        {",,4Htest;", true, ',', ';', "4Htest;"},
                        {"1H//1H#/4Htest#", true, '/', '#', "4Htest#"},
                        {" 1H, , 1H; ,2;", true, ',', ';', "2;"},
                        {"1H,,1H;;", true, ',', ';', ""},
                        {"", true, ',', ';', ""},
                        {"2H,,,;", false, ',', ';', ""},
                        {"1H,,1H,,", false, ',', ',', ""}};
  for (const Case& c : cases) {
    const IgesDelimiters d = ReadIgesDelimiters(c.text);
    EXPECT_EQ(d.ok, c.ok) << c.text;
    if (!c.ok) continue;
    EXPECT_EQ(d.parameter, c.p) << c.text;
    EXPECT_EQ(d.record, c.r) << c.text;
    EXPECT_EQ(d.rest, c.rest) << c.text;
  }
}

TEST(IgesModelTest, UnitsToMillimetres) {
  struct Case {
    const char* flag;
    const char* name;
    bool ok;
    double mm;
  };
  const Case cases[] = {{"1", "INCH", true, 25.4},  {"2", "MM", true, 1},         {"4", "FT", true, 304.8},
                        {"5", "MI", true, 1609344}, {"6", "M", true, 1000},       {"7", "KM", true, 1e6},
                        {"8", "MIL", true, 0.0254}, {"9", "UM", true, 0.001},     {"10", "CM", true, 10},
                        {"11", "UIN", true, 2.54e-5}, {"3", "IN", true, 25.4},    {"3", "inch", true, 25.4},
                        {"3", "FOOT", true, 304.8}, {"3", "MICRON", true, 0.001}, {"3", "", false, 0},
                        {"3", "CUBIT", false, 0},   {"", "", true, 1},            {"", "CM", true, 10},
                        {"2", "INCH", true, 1},     {"12", "M", true, 1000},      {"12", "", false, 0},
                        {"x", "", false, 0},        {"1.", "", true, 25.4}};
  for (const Case& c : cases) {
    double mm = -1;
    EXPECT_EQ(IgesUnitScale(IgesToken{c.flag, false}, IgesToken{c.name, true}, mm), c.ok) << c.flag << c.name;
    if (c.ok) {
      EXPECT_DOUBLE_EQ(mm, c.mm) << c.flag << c.name;
    }
  }
}

TEST(IgesModelTest, DirectoryEntriesAndParameterRecords) {
  using test::IgesField8;
  const std::string d1 = IgesField8("126") + IgesField8("1") + IgesField8("0") + IgesField8("-5") + IgesField8("0") +
                         IgesField8("0") + IgesField8("7") + IgesField8("0") + "00010501";
  const std::string d2 = IgesField8("126") + IgesField8("0") + IgesField8("0") + IgesField8("2") + IgesField8("3");
  // A record over two lines that point back to entry 1, then one whose
  // lines point nowhere (its entry's line count decides).
  const std::string text = IgesRecord("", 'S', 1) + IgesRecord("1H,,1H;;", 'G', 1) + IgesRecord(d1, 'D', 1) +
                           IgesRecord(d2, 'D', 2) + IgesRecord(d1.substr(0, 8) + IgesField8("3"), 'D', 3) +
                           IgesRecord(d2.substr(0, 24) + IgesField8("2"), 'D', 4) +
                           test::IgesParameterRecord("126,1,2,", 1, 1) + test::IgesParameterRecord("3Habc;", 1, 2) +
                           test::IgesParameterRecord("126,4,", 9, 3) + test::IgesParameterRecord("5;", 9, 4) +
                           IgesRecord("", 'T', 1);
  IgesModel model;
  ASSERT_TRUE(DecodeIges(text, model).ok);
  ASSERT_EQ(model.entries.size(), 2u);
  const IgesEntry& e = model.entries[0];
  EXPECT_EQ(e.pointer, 1);
  EXPECT_EQ(e.type, 126);
  EXPECT_EQ(e.lineFont, -5);
  EXPECT_EQ(e.matrix, 7);
  EXPECT_EQ(e.form, 3);
  EXPECT_EQ(e.status.subordinate, 1);
  EXPECT_EQ(e.status.use, 5);
  EXPECT_EQ(e.status.hierarchy, 1);
  EXPECT_TRUE(e.PhysicallyDependent());
  IgesParams p;
  ASSERT_TRUE(model.Parameters(e, p));
  ASSERT_EQ(p.tokens.size(), 4u);
  EXPECT_EQ(p.tokens[3].text, "abc");
  ASSERT_TRUE(model.Parameters(model.entries[1], p));
  ASSERT_EQ(p.tokens.size(), 3u);
  EXPECT_EQ(p.tokens[2].text, "5");
  EXPECT_EQ(model.Entry(3), &model.entries[1]);
  EXPECT_EQ(model.Entry(2), nullptr);
  EXPECT_EQ(model.Entry(5), nullptr);
}

TEST(IgesModelTest, FilesThatAreNotReadable) {
  struct Case {
    const char* name;
    std::string text;
    std::string message;
  };
  const Case cases[] = {
      {"text of another kind", "0\nSECTION\n2\nENTITIES\n0\nEOF\n", exchange_text::kIgesNotIges},
      {"empty file", "", exchange_text::kIgesNotIges},
      {"compressed form", IgesRecord("", 'C', 1) + "\n" + IgesRecord("", 'S', 1), exchange_text::kIgesCompressed},
      {"malformed delimiters", IgesRecord("2H,,1H;;", 'G', 1), exchange_text::kIgesBadGlobal},
      {"string past the global end", IgesRecord("1H,,1H;,99Hshort", 'G', 1), exchange_text::kIgesBadGlobal},
      {"strings miscounted every way", IgesRecord("1H,,1H;,4Hname,3H32,38,6,38,15,4HSLOT;", 'G', 1),
       exchange_text::kIgesBadGlobal},
      {"unknown unit", test::IgesGlobalRecords(test::IgesGlobal("3", "CUBIT")), exchange_text::IgesUnknownUnit("CUBIT")},
  };
  for (const Case& c : cases) {
    IgesModel model;
    EXPECT_EQ(DecodeIges(c.text, model).message, c.message) << c.name;
  }
  EXPECT_EQ(exchange_text::IgesUnknownUnit("CUBIT"), "ＩＧＥＳの単位が分かりません（CUBIT）。読み込みを中止しました。");
}

}  // namespace
}  // namespace vx
