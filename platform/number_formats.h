// Number formats that show a date or a time, and the text of such a value:
// workbook readers give a date cell as its text, as the spreadsheet shows it.
#pragma once

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

}  // namespace vx
