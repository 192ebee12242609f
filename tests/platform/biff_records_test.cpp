// BIFF records: the tokenizer's bounds, strings across CONTINUE records,
// RK numbers and the code pages of older workbooks.
#include <gtest/gtest.h>

#include "platform/biff_records.h"
#include "platform/workbook_bytes.h"

namespace vx {
namespace {

using test::Le16;
using test::Le32;
using test::Record;

TEST(BiffTokenizer, RecordsInOrderAndACutRecordIsDamage) {
  const std::string stream = Record(0x0809, "abcd") + Record(0x000A, "") + Record(0x0203, "xyz");
  const std::string cut = stream.substr(0, stream.size() - 1);
  BiffTokenizer records(cut);
  BiffRecord record;
  ASSERT_TRUE(records.Next(record));
  EXPECT_EQ(record.type, 0x0809);
  EXPECT_EQ(record.data, "abcd");
  ASSERT_TRUE(records.Peek(record));
  EXPECT_EQ(record.type, 0x000A);
  ASSERT_TRUE(records.Next(record));
  EXPECT_EQ(record.offset, 8u);
  EXPECT_FALSE(records.Next(record));  // its length passes the end
  EXPECT_TRUE(records.Damaged());
}

TEST(BiffCursor, ShortReadFailsAndChangesNothing) {
  BiffCursor cursor(std::string_view("\x01\x02\x03", 3));
  uint16_t small = 0;
  uint32_t large = 7;
  ASSERT_TRUE(cursor.U16(small));
  EXPECT_EQ(small, 0x0201);
  EXPECT_FALSE(cursor.U32(large));
  EXPECT_EQ(large, 7u);
  EXPECT_TRUE(cursor.Failed());
  uint8_t byte = 0;
  EXPECT_FALSE(cursor.U8(byte));  // a failed cursor stays failed
}

struct StringCase {
  const char* name;
  std::vector<std::string> segments;  // the record's data, then its CONTINUE records
  const char* text;
  bool ok;
};
void PrintTo(const StringCase& c, std::ostream* os) { *os << c.name; }

class UnicodeStrings : public ::testing::TestWithParam<StringCase> {};

TEST_P(UnicodeStrings, ReadAcrossContinue) {
  BiffCursor cursor(GetParam().segments[0]);
  for (size_t i = 1; i < GetParam().segments.size(); ++i) cursor.AddContinue(GetParam().segments[i]);
  std::string text;
  EXPECT_EQ(cursor.UnicodeString(2, text), GetParam().ok);
  if (GetParam().ok) {
    EXPECT_EQ(text, GetParam().text);
    uint8_t after = 0;
    ASSERT_TRUE(cursor.U8(after));  // the cursor stands just past the string
    EXPECT_EQ(after, '!');
  }
}

INSTANTIATE_TEST_SUITE_P(
    Strings, UnicodeStrings,
    ::testing::Values(
        StringCase{"Narrow", {Le16(3) + '\0' + "abc!"}, "abc", true},
        StringCase{"WideJapanese", {Le16(2) + '\x01' + Le16(0x5186) + Le16(0x5F84) + "!"}, "円径", true},
        // 8-bit characters are Latin-1.
        StringCase{"NarrowLatin1", {Le16(2) + '\0' + "\xC4\xFC!"}, "Äü", true},
        // The characters go on in a CONTINUE record that restates the width:
        // here they change from 8-bit to UTF-16 halfway.
        StringCase{"SplitNarrowThenWide", {Le16(4) + '\0' + "ab", std::string("\x01", 1) + Le16(0x5186) + Le16('c') + "!"},
                   "ab円c", true},
        StringCase{"SplitWideThenNarrow", {Le16(3) + '\x01' + Le16('x'), std::string("\x00", 1) + "yz!"}, "xyz", true},
        // Rich-text runs (4 bytes each) and phonetic data are skipped, also
        // where they run on into the next CONTINUE record.
        StringCase{"RichAndPhoneticSkipped",
                   {Le16(2) + '\x0C' + Le16(2) + Le32(3) + "ok" + std::string(6, 'r'), std::string(2, 'r') + "ppp!"},
                   "ok", true},
        StringCase{"SurrogatePair", {Le16(2) + '\x01' + Le16(0xD83D) + Le16(0xDE00) + "!"}, "\xF0\x9F\x98\x80", true},
        StringCase{"LoneSurrogateReplaced", {Le16(1) + '\x01' + Le16(0xDC00) + "!"}, "\xEF\xBF\xBD", true},
        StringCase{"CountPastTheData", {Le16(9) + '\0' + "abc"}, "", false},
        StringCase{"HalfAWideCharacter", {Le16(1) + '\x01' + "a", std::string("\x01", 1) + "b!"}, "", false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(BiffCursor, ByteStringsInTheirCodePage) {
  const std::string data = std::string("\x03\xE9t\xE9", 4) + Le16(2) + "\x80\x41" + std::string("\x02\x88\x9F", 3);
  BiffCursor cursor(data);
  std::string latin, windows, japanese;
  ASSERT_TRUE(cursor.ByteString(1, 28591, latin));
  ASSERT_TRUE(cursor.ByteString(2, 1252, windows));
  ASSERT_TRUE(cursor.ByteString(1, 932, japanese));
  EXPECT_EQ(latin, "été");
  EXPECT_EQ(windows, "€A");
  EXPECT_EQ(japanese, "亜");  // Shift_JIS 0x889F
}

struct RkCase {
  uint32_t rk;
  double value;
};

TEST(RkValue, IntegersDoublesAndHundredths) {
  const RkCase cases[] = {
      {0x3FF00000u, 1.0},               // the top 30 bits of the double 1.0
      {0x3FF00001u, 0.01},              // ... divided by 100
      {(123u << 2) | 2u, 123.0},        // a 30-bit integer
      {(12345u << 2) | 3u, 123.45},     // ... divided by 100
      {0xFFFFFFFEu, -1.0},              // negative integers keep their sign
      {0xC0590000u, -100.0},
  };
  for (const RkCase& c : cases) EXPECT_DOUBLE_EQ(RkValue(c.rk), c.value) << std::hex << c.rk;
}

}  // namespace
}  // namespace vx
