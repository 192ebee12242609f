// Numbers read from and written as texts, and the shared rounding.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace vx {

// The numeric value of a typed text: its leading decimal number, blanks
// ignored anywhere, 0 when there is none (" 12.5abc" -> 12.5, "-.5" -> -0.5,
// "abc" -> 0, "" -> 0). An exponent ("1e3", "1d3") is part of the number.
// Never fails.
double NumericValue(const std::string& text);

// Length of the decimal number at the start of s (0 when there is none): sign,
// digits, point, digits, and an exponent (e, E, d or D) when it has digits.
size_t NumberPrefix(std::string_view s);

// True when the whole text (blanks around it allowed) is one decimal number.
bool IsNumericText(const std::string& text);

// Rounds to n decimal places with halves to even, as the degree functions,
// offsets and answers are rounded: the value is scaled by 10^n, rounded to the
// nearest whole number (a tie to the even one) and scaled back, so 2.5 -> 2
// and 0.125 -> 0.12 (0.125 * 100 is exactly 12.5).
double RoundHalfEven(double value, int places);

// Shortest decimal text of up to 15 significant digits with a period, no
// exponent in the usual range: 0.25 -> "0.25", -3 -> "-3", 1e-7 -> "1E-07".
std::string ShortestText(double value);

// Shortest text of a single-precision value (7 significant digits), as the
// status bars show coordinates: 44.322037 -> "44.32204".
std::string SingleText(double value);

// The sign-blank form: a blank before a non-negative number, no zero before
// the point below 1: 0.25 -> " .25", -0.25 -> "-.25", 12 -> " 12", 0 -> " 0".
std::string SignBlankText(double value);

// The same without its leading blank (NC coordinates): 0.25 -> ".25".
std::string SignBlankTrimmed(double value);

}  // namespace vx
