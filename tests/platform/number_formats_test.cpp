// Which number formats show dates and times, and the texts of date serials.
#include <gtest/gtest.h>

#include "platform/number_formats.h"

namespace vx {
namespace {

TEST(NumberFormats, DateAndTimeFormats) {
  const std::pair<const char*, DateForm> cases[] = {
      {"General", DateForm::kNone},
      {"0.00", DateForm::kNone},
      {"#,##0.00 \"mm\"", DateForm::kNone},  // letters in quotes are shown, not date parts
      {"0.00E+00", DateForm::kNone},
      {"[Red]0.0;[Blue]-0.0", DateForm::kNone},
      {"yyyy/mm/dd", DateForm::kDate},
      {"d-mmm", DateForm::kDate},
      {"mmm", DateForm::kDate},                // a month alone
      {"[$-411]ggge\"年\"m\"月\"d\"日\"", DateForm::kDate},
      {"h:mm:ss", DateForm::kTime},
      {"[h]:mm", DateForm::kTime},             // elapsed hours
      {"mm:ss", DateForm::kTime},
      {"yyyy-mm-dd hh:mm", DateForm::kDateTime},
      {"0.00;\"d\"", DateForm::kNone},         // only the first section decides
  };
  for (const auto& [code, form] : cases) EXPECT_EQ(ClassifyFormatCode(code), form) << code;
  EXPECT_EQ(BuiltInForm(14), DateForm::kDate);
  EXPECT_EQ(BuiltInForm(20), DateForm::kTime);
  EXPECT_EQ(BuiltInForm(22), DateForm::kDateTime);
  EXPECT_EQ(BuiltInForm(2), DateForm::kNone);
}

TEST(NumberFormats, DateTexts) {
  struct Case {
    double serial;
    bool from1904;
    DateForm form;
    const char* text;
  };
  const Case cases[] = {
      {1, false, DateForm::kDate, "1900-01-01"},
      {59, false, DateForm::kDate, "1900-02-28"},
      {60, false, DateForm::kDate, "1900-02-29"},  // the day the 1900 system counts
      {61, false, DateForm::kDate, "1900-03-01"},
      {45322, false, DateForm::kDate, "2024-01-31"},
      {0, true, DateForm::kDate, "1904-01-01"},
      {45322.75, false, DateForm::kDateTime, "2024-01-31 18:00:00"},
      {0.99999999, false, DateForm::kTime, "00:00:00"},  // rounds up to the next day
      {2958465, false, DateForm::kDate, "9999-12-31"},
  };
  for (const Case& c : cases) {
    std::string text;
    ASSERT_TRUE(DateText(c.serial, c.from1904, c.form, text)) << c.serial;
    EXPECT_EQ(text, c.text) << c.serial;
  }
  std::string text;
  EXPECT_FALSE(DateText(-1, false, DateForm::kDate, text));
  EXPECT_FALSE(DateText(2958466, false, DateForm::kDate, text));
  EXPECT_FALSE(DateText(45322, false, DateForm::kNone, text));
}

// ISO dates and durations as the newer formats store them, in the texts of
// date and time cells; anything else is no date.
TEST(NumberFormats, IsoDateAndTimeTexts) {
  const std::pair<const char*, const char*> dates[] = {
      {"2024-01-31", "2024-01-31"},
      {"2024-01-31T00:00:00", "2024-01-31"},
      {"2024-01-31T12:30:59.6", "2024-01-31 12:31:00"},
      {"1899-12-30T23:59:59.7", "1899-12-30 23:59:59"},  // rounding stays within the day
      {"2024-1-5", "2024-01-05"},
      {"31.01.2024", nullptr},
      {"2024-13-01", nullptr},
      {"2024-01-31T25:00:00", nullptr},
      {"2024-01-31 12:00:00", nullptr},
      {"", nullptr},
  };
  for (const auto& [iso, text] : dates) {
    const std::optional<std::string> got = IsoDateText(iso);
    EXPECT_EQ(got.has_value(), text != nullptr) << iso;
    if (got && text) EXPECT_EQ(*got, text) << iso;
  }
  const std::pair<const char*, const char*> times[] = {
      {"PT12H30M00S", "12:30:00"},
      {"PT36H00M00S", "12:00:00"},
      {"P1DT0H0M1.6S", "00:00:02"},
      {"PT0.5S", "00:00:01"},  // halves away from zero, as the seconds of dates
      {"-PT1H", nullptr},
      {"PT1X", nullptr},
      {"12:30:00", nullptr},
  };
  for (const auto& [iso, text] : times) {
    const std::optional<std::string> got = IsoDurationTimeText(iso);
    EXPECT_EQ(got.has_value(), text != nullptr) << iso;
    if (got && text) EXPECT_EQ(*got, text) << iso;
  }
}

}  // namespace
}  // namespace vx
