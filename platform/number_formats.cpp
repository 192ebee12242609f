// Date and time number formats and the texts of their values.
#include "platform/number_formats.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace vx {

namespace {

constexpr double kLastDateSerial = 2958465;  // 9999-12-31, the last day a spreadsheet shows
constexpr long long kSecondsPerDay = 86400;

// Reads the leading unsigned integer at text[at], moving at past it.
bool Digits(const std::string& text, size_t& at, long long& value) {
  const size_t start = at;
  value = 0;
  while (at < text.size() && text[at] >= '0' && text[at] <= '9' && at - start < 12) value = value * 10 + (text[at++] - '0');
  return at > start;
}

// "HH:MM:SS" of a number of seconds within a day.
std::string ClockText(long long seconds) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "%02d:%02d:%02d", static_cast<int>(seconds / 3600),
                static_cast<int>(seconds / 60 % 60), static_cast<int>(seconds % 60));
  return buffer;
}

// Seconds (rounded) of "12:30:00.5" at text[at]; false when malformed.
bool ClockSeconds(const std::string& text, size_t at, long long& seconds) {
  long long h = 0, m = 0;
  if (!Digits(text, at, h) || at >= text.size() || text[at++] != ':' || !Digits(text, at, m)) return false;
  if (at >= text.size() || text[at++] != ':') return false;
  char* end = nullptr;
  const double s = std::strtod(text.c_str() + at, &end);
  if (end == text.c_str() + at || !std::isfinite(s) || s < 0 || s >= 61 || h > 23 || m > 59) return false;
  seconds = std::min<long long>(h * 3600 + m * 60 + std::llround(s), 86399);
  return true;
}

// Civil date of a day count from 1970-01-01 (proleptic Gregorian).
void CivilFromDays(long long z, int& year, int& month, int& day) {
  z += 719468;
  const long long era = (z >= 0 ? z : z - 146096) / 146097;
  const long long doe = z - era * 146097;
  const long long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const long long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const long long mp = (5 * doy + 2) / 153;
  day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  year = static_cast<int>(yoe + era * 400 + (month <= 2 ? 1 : 0));
}

}  // namespace

DateForm ClassifyFormatCode(const std::string& code) {
  bool date = false, time = false, digits = false, month = false, era = false;
  bool quoted = false;
  for (size_t i = 0; i < code.size(); ++i) {
    const char c = static_cast<char>(code[i] >= 'A' && code[i] <= 'Z' ? code[i] - 'A' + 'a' : code[i]);
    if (quoted) {
      quoted = c != '"';
      continue;
    }
    if (c == ';') break;  // the first section decides
    if (c == '"') {
      quoted = true;
    } else if (c == '\\' || c == '_' || c == '*') {
      ++i;  // the next character is shown or used as padding
    } else if (c == '[') {
      const size_t close = code.find(']', i);
      if (close == std::string::npos) break;
      const std::string inside = code.substr(i + 1, close - i - 1);
      if (!inside.empty() && (inside[0] == 'h' || inside[0] == 'H' || inside[0] == 'm' || inside[0] == 'M' ||
                               inside[0] == 's' || inside[0] == 'S') &&
          inside.find_first_not_of("hHmMsS") == std::string::npos) {
        time = true;
      }
      i = close;
    } else if (c == 'y' || c == 'd') {
      date = true;
    } else if (c == 'h' || c == 's') {
      time = true;
    } else if (c == 'm') {
      month = true;
    } else if (c == 'g' || c == 'e') {
      era = true;
    } else if (c == '0' || c == '#' || c == '?') {
      digits = true;
    }
  }
  if (code == "General" || code == "general" || code == "GENERAL") return DateForm::kNone;
  date = date || (era && !digits) || (month && !time);
  if (date && time) return DateForm::kDateTime;
  if (date) return DateForm::kDate;
  if (time) return DateForm::kTime;
  return DateForm::kNone;
}

DateForm BuiltInForm(unsigned id) {
  if ((id >= 14 && id <= 17) || (id >= 27 && id <= 36) || (id >= 50 && id <= 58)) return DateForm::kDate;
  if ((id >= 18 && id <= 21) || (id >= 45 && id <= 47)) return DateForm::kTime;
  if (id == 22) return DateForm::kDateTime;
  return DateForm::kNone;
}

bool DateText(double serial, bool from1904, DateForm form, std::string& text) {
  if (form == DateForm::kNone || !(serial >= 0 && serial <= kLastDateSerial)) return false;
  long long days = static_cast<long long>(std::floor(serial));
  long long seconds = std::llround((serial - static_cast<double>(days)) * kSecondsPerDay);
  if (seconds >= kSecondsPerDay) {
    ++days;
    seconds -= kSecondsPerDay;
  }
  int year = 1900, month = 2, day = 29;  // serial 60 of the 1900 system is the day that never was
  // Day counts from 1970-01-01 of each system's day 0.
  constexpr long long k1904Day0 = -24107;  // 1904-01-01
  constexpr long long k1900Day0 = -25569;  // 1899-12-30, for serials from 61
  if (from1904) {
    CivilFromDays(k1904Day0 + days, year, month, day);
  } else if (days != 60) {
    CivilFromDays(k1900Day0 + days + (days < 60 ? 1 : 0), year, month, day);
  }
  char buffer[40];
  const int h = static_cast<int>(seconds / 3600), m = static_cast<int>(seconds / 60 % 60), s = static_cast<int>(seconds % 60);
  if (form == DateForm::kTime) {
    std::snprintf(buffer, sizeof buffer, "%02d:%02d:%02d", h, m, s);
  } else if (form == DateForm::kDate) {
    std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d", year, month, day);
  } else {
    std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d %02d:%02d:%02d", year, month, day, h, m, s);
  }
  text = buffer;
  return true;
}

// office:date-value "2024-01-31" or "2024-01-31T12:30:00" as the text date
// cells are given in ("2024-01-31", "2024-01-31 12:30:00").
std::optional<std::string> IsoDateText(const std::string& value) {
  size_t at = 0;
  long long y = 0, mo = 0, d = 0;
  if (!Digits(value, at, y) || at >= value.size() || value[at++] != '-' || !Digits(value, at, mo) ||
      at >= value.size() || value[at++] != '-' || !Digits(value, at, d) || y > 9999 || mo < 1 || mo > 12 || d < 1 ||
      d > 31) {
    return std::nullopt;
  }
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d", static_cast<int>(y), static_cast<int>(mo), static_cast<int>(d));
  std::string text = buffer;
  long long seconds = 0;
  if (at < value.size()) {
    if (value[at] != 'T' || !ClockSeconds(value, at + 1, seconds)) return std::nullopt;
  }
  if (seconds != 0) text += " " + ClockText(seconds);
  return text;
}

// office:time-value "PT12H30M00S" (a duration; days and whole turns of the
// clock are dropped, as a time format shows it) as "12:30:00".
std::optional<std::string> IsoDurationTimeText(const std::string& value) {
  const size_t t = value.find('T');
  if (value.empty() || value[0] != 'P' || t == std::string::npos) return std::nullopt;
  size_t at = t + 1;
  double total = 0;
  while (at < value.size()) {
    char* end = nullptr;
    const double amount = std::strtod(value.c_str() + at, &end);
    if (end == value.c_str() + at || *end == '\0' || !std::isfinite(amount) || amount < 0) return std::nullopt;
    const char unit = *end;
    total += amount * (unit == 'H' ? 3600 : unit == 'M' ? 60 : unit == 'S' ? 1 : -1e300);
    if (total < 0) return std::nullopt;
    at = static_cast<size_t>(end - value.c_str()) + 1;
  }
  if (!std::isfinite(total)) return std::nullopt;
  return ClockText(std::llround(std::fmod(total, 86400.0)) % 86400);
}

}  // namespace vx
