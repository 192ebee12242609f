// Numbers read from and written as texts, and the shared rounding.
#include "shell/number_text.h"

#include <cfenv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace vx {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::string WithoutBlanks(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (!IsBlank(c)) out += c;
  }
  return out;
}

double ParsePrefix(const std::string& s, size_t length) {
  std::string number = s.substr(0, length);
  for (char& c : number) {
    if (c == 'd' || c == 'D') c = 'e';
  }
  double value = std::strtod(number.c_str(), nullptr);
  if (!std::isfinite(value)) return 0.0;
  return value;
}

}  // namespace

size_t NumberPrefix(std::string_view s) {
  size_t i = 0;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
  size_t digits = 0;
  while (i < s.size() && IsDigit(s[i])) ++i, ++digits;
  if (i < s.size() && s[i] == '.') {
    ++i;
    while (i < s.size() && IsDigit(s[i])) ++i, ++digits;
  }
  if (digits == 0) return 0;
  if (i < s.size() && (s[i] == 'e' || s[i] == 'E' || s[i] == 'd' || s[i] == 'D')) {
    size_t j = i + 1;
    if (j < s.size() && (s[j] == '+' || s[j] == '-')) ++j;
    size_t expDigits = 0;
    while (j < s.size() && IsDigit(s[j])) ++j, ++expDigits;
    if (expDigits > 0) i = j;
  }
  return i;
}


double NumericValue(const std::string& text) {
  const std::string s = WithoutBlanks(text);
  const size_t length = NumberPrefix(s);
  return length == 0 ? 0.0 : ParsePrefix(s, length);
}

bool IsNumericText(const std::string& text) {
  size_t begin = 0, end = text.size();
  while (begin < end && IsBlank(text[begin])) ++begin;
  while (end > begin && IsBlank(text[end - 1])) --end;
  const std::string s = text.substr(begin, end - begin);
  return !s.empty() && NumberPrefix(s) == s.size();
}

double RoundHalfEven(double value, int places) {
  const double scale = std::pow(10.0, places);
  const double scaled = value * scale;
  if (!std::isfinite(scaled)) return value;
  // nearbyint rounds ties to even in the default rounding mode.
  const int oldMode = std::fegetround();
  std::fesetround(FE_TONEAREST);
  const double rounded = std::nearbyint(scaled);
  std::fesetround(oldMode);
  const double result = rounded / scale;
  return result == 0.0 ? 0.0 : result;  // no negative zero
}

std::string ShortestText(double value) {
  if (value == 0.0 || !std::isfinite(value)) return "0";
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.15G", value);
  // Within 5e-15 of the largest double, 15 digits round up past it, and that
  // text would read back as no number at all: such a value is written with
  // its last digit rounded towards zero instead.
  if (!std::isfinite(std::strtod(buffer, nullptr))) {
    std::snprintf(buffer, sizeof buffer, "%.15G", value * (1 - 5e-15));
  }
  std::string text = buffer;
  // Exponent form as "1E-07": at least two exponent digits, no "+" padding.
  const size_t e = text.find('E');
  if (e != std::string::npos) {
    std::string mantissa = text.substr(0, e);
    std::string exponent = text.substr(e + 1);
    char sign = '+';
    if (!exponent.empty() && (exponent[0] == '+' || exponent[0] == '-')) {
      sign = exponent[0];
      exponent.erase(0, 1);
    }
    while (exponent.size() > 2 && exponent[0] == '0') exponent.erase(0, 1);
    text = mantissa + "E" + sign + exponent;
  }
  return text;
}

std::string SingleText(double value) {
  const float single = static_cast<float>(value);
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.7g", static_cast<double>(single));
  return ShortestText(std::strtod(buffer, nullptr));
}

std::string SignBlankText(double value) {
  std::string text = ShortestText(std::fabs(value));
  if (text.size() > 1 && text[0] == '0' && text[1] == '.') text.erase(0, 1);
  const bool negative = value < 0.0 && text != "0";
  return (negative ? "-" : " ") + text;
}

std::string SignBlankTrimmed(double value) {
  std::string text = SignBlankText(value);
  if (!text.empty() && text[0] == ' ') text.erase(0, 1);
  return text;
}

}  // namespace vx
