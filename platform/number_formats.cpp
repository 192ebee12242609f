// Date and time number formats and the texts of their values.
#include "platform/number_formats.h"

#include <cmath>
#include <cstdio>

namespace vx {

namespace {

constexpr double kLastDateSerial = 2958465;  // 9999-12-31, the last day a spreadsheet shows
constexpr long long kSecondsPerDay = 86400;

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

}  // namespace vx
