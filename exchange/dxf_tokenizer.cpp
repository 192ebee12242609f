// The DXF tokenizer: code and value lines in pairs, numbers read with their range checked.
#include "exchange/dxf_tokenizer.h"

#include <charconv>
#include <cmath>
#include <string>

#include "shell/number_text.h"

namespace vx {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::string_view Trimmed(std::string_view s) {
  size_t begin = 0, end = s.size();
  while (begin < end && IsBlank(s[begin])) ++begin;
  while (end > begin && IsBlank(s[end - 1])) --end;
  return s.substr(begin, end - begin);
}

// Group codes run from -5 (application entity names) to 1071 (extended data).
constexpr int kLowestCode = -5;
constexpr int kHighestCode = 1071;

bool ParseCode(std::string_view s, int& code) {
  s = Trimmed(s);
  if (s.empty() || s.size() > 6) return false;
  bool negative = false;
  size_t i = 0;
  if (s[0] == '-' || s[0] == '+') {
    negative = s[0] == '-';
    i = 1;
  }
  if (i == s.size()) return false;
  int value = 0;
  for (; i < s.size(); ++i) {
    if (!IsDigit(s[i])) return false;
    value = value * 10 + (s[i] - '0');  // at most six characters: no overflow
  }
  code = negative ? -value : value;
  return code >= kLowestCode && code <= kHighestCode;
}

}  // namespace

DxfTokenizer::DxfTokenizer(std::string_view text) : m_text(text) {
  if (m_text.substr(0, 3) == "\xEF\xBB\xBF") m_pos = 3;
}

bool DxfTokenizer::TakeLine(std::string_view& line) {
  if (m_pos >= m_text.size()) return false;
  size_t end = m_pos;
  while (end < m_text.size() && m_text[end] != '\n' && m_text[end] != '\r') ++end;
  line = m_text.substr(m_pos, end - m_pos);
  if (end < m_text.size()) {
    // CR LF is one line end; CR or LF alone is one as well.
    end += (m_text[end] == '\r' && end + 1 < m_text.size() && m_text[end + 1] == '\n') ? 2 : 1;
  }
  m_pos = end;
  ++m_line;
  return true;
}

bool DxfTokenizer::OnlyBlanksLeft() const {
  for (size_t i = m_pos; i < m_text.size(); ++i) {
    const char c = m_text[i];
    if (!IsBlank(c) && c != '\r' && c != '\n' && c != '\x1a' && c != '\0') return false;
  }
  return true;
}

DxfTokenStatus DxfTokenizer::Next(DxfPair& pair) {
  if (m_hasPushed) {
    m_hasPushed = false;
    pair = m_pushed;
    return DxfTokenStatus::kPair;
  }
  for (;;) {
    if (OnlyBlanksLeft()) return DxfTokenStatus::kEnd;
    std::string_view codeLine, valueLine;
    TakeLine(codeLine);
    const size_t codeLineNumber = m_line;
    int code = 0;
    if (!ParseCode(codeLine, code)) return DxfTokenStatus::kBadCode;
    if (!TakeLine(valueLine)) return DxfTokenStatus::kMissingValue;
    if (code == 999) continue;  // a comment
    pair.code = code;
    pair.value = Trimmed(valueLine);
    pair.line = codeLineNumber;
    return DxfTokenStatus::kPair;
  }
}

void DxfTokenizer::PushBack(const DxfPair& pair) {
  m_pushed = pair;
  m_hasPushed = true;
}

bool IsBinaryDxf(std::string_view text) { return text.substr(0, 18) == "AutoCAD Binary DXF"; }

bool IsDwg(std::string_view text) {
  if (text.size() < 6 || text.substr(0, 2) != "AC") return false;
  for (size_t i = 2; i < 6; ++i) {
    if (!IsDigit(text[i]) && text[i] != '.') return false;
  }
  return true;
}

DxfNumber DxfReal(std::string_view value, double& out) {
  out = 0;
  value = Trimmed(value);
  if (value.empty()) return DxfNumber::kOk;
  const size_t length = NumberPrefix(value);
  if (length == 0 || length != value.size()) return DxfNumber::kNotANumber;
  // from_chars takes neither a leading "+" nor a "d" exponent: the number is
  // copied without them (into a buffer on the stack when it is short).
  const std::string_view digits = value.substr(value[0] == '+' ? 1 : 0, length - (value[0] == '+' ? 1 : 0));
  char small[64];
  std::string large;
  char* number = small;
  if (digits.size() >= sizeof small) {
    large.assign(digits);
    number = large.data();
  } else {
    digits.copy(small, digits.size());
  }
  for (size_t i = 0; i < digits.size(); ++i) {
    if (number[i] == 'd' || number[i] == 'D') number[i] = 'e';
  }
  double parsed = 0;
  const auto [end, error] = std::from_chars(number, number + digits.size(), parsed);
  if (error == std::errc::result_out_of_range) {
    // A value too small for a double is 0; one too large is no number for us.
    const std::string_view text(number, digits.size());
    const size_t e = text.find_first_of("eE");
    const bool tiny = e != std::string_view::npos && e + 1 < text.size() && text[e + 1] == '-';
    return tiny ? DxfNumber::kOk : DxfNumber::kOutOfRange;
  }
  if (error != std::errc() || end == number) return DxfNumber::kNotANumber;
  if (!std::isfinite(parsed)) return DxfNumber::kOutOfRange;
  out = parsed;
  return DxfNumber::kOk;
}

DxfNumber DxfInteger(std::string_view value, long lo, long hi, long& out) {
  out = 0;
  double real = 0;
  const DxfNumber read = DxfReal(value, real);
  if (read != DxfNumber::kOk) return read;
  // Compared as doubles first: only a value inside lo..hi is converted.
  if (!(real >= static_cast<double>(lo) && real <= static_cast<double>(hi))) return DxfNumber::kOutOfRange;
  out = static_cast<long>(real);
  return DxfNumber::kOk;
}

}  // namespace vx
