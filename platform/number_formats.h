// Number formats that show a date or a time, and the text of such a value:
// workbook readers give a date cell as its text, as the spreadsheet shows it.
#pragma once

#include <optional>
#include <string>

namespace vx {

enum class DateForm { kNone, kDate, kTime, kDateTime };

// What a number format code shows: the date and time letters outside quoted
// text, escapes and bracketed colours decide; the first section decides.
// Elapsed time ([h], [mm]) is time. "General" and "0.00" show numbers.
DateForm ClassifyFormatCode(const std::string& code);

// The form of a built-in number format of the binary and the newer format
// (14 to 22, 45 to 47, and the East Asian date formats 27 to 36 and 50 to 58).
DateForm BuiltInForm(unsigned id);

// The text of a date serial ("2024-01-31", "12:30:00", "2024-01-31 12:30:00")
// in the 1900 date system (serial 1 is 1900-01-01; serial 60 is the
// 1900-02-29 the system counts) or the 1904 system (serial 0 is 1904-01-01);
// seconds rounded. False when the value is no date a spreadsheet shows
// (negative, past 9999-12-31, or not finite) or form is kNone.
bool DateText(double serial, bool from1904, DateForm form, std::string& text);

// An ISO date "2024-01-31" or date and time "2024-01-31T12:30:00(.5)" (as
// OpenDocument and some .xlsx cells store dates) in the same text forms:
// "2024-01-31", or "2024-01-31 12:30:00" when the time is not midnight.
// Nothing when malformed.
std::optional<std::string> IsoDateText(const std::string& iso);

// An ISO duration "PT12H30M00S" (OpenDocument's time of day) as "12:30:00";
// days and whole turns of the clock are dropped, as a time format shows it.
// Nothing when malformed or negative.
std::optional<std::string> IsoDurationTimeText(const std::string& iso);

}  // namespace vx
