// IGES records and parameter tokens: every read is bounds-checked here, so the
// layers above never see a short record or a string running off its text.
#include "exchange/iges_records.h"

#include <cmath>
#include <cstdlib>

namespace vx {
namespace {

constexpr size_t kRecordColumns = 80;
constexpr size_t kDataColumns = 72;
constexpr size_t kSectionColumn = 73;  // counted from 1
// A Hollerith count longer than this many digits cannot be a length in a file
// that fits in memory; it is refused before it is converted.
constexpr size_t kMaxCountDigits = 9;
// Exponents beyond this many digits are out of range of a double anyway.
constexpr size_t kMaxExponentDigits = 5;

bool IsSectionLetter(char c) { return c == 'S' || c == 'G' || c == 'D' || c == 'P' || c == 'T' || c == 'C'; }

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

void AddRecord(IgesRecords& records, const std::string& piece) {
  IgesRecord record;
  record.section = piece[kSectionColumn - 1];
  record.data = piece.substr(0, kDataColumns);
  record.data.resize(kDataColumns, ' ');
  const bool first = records.start.empty() && records.global.empty() && records.directory.empty() &&
                     records.parameter.empty();
  switch (record.section) {
    case 'C':
      // The compressed form flags its first record with C; elsewhere a C
      // record is not one of ours.
      if (first) records.compressed = true;
      break;
    case 'S': records.start.push_back(std::move(record)); break;
    case 'G': records.global.push_back(std::move(record)); break;
    case 'D': records.directory.push_back(std::move(record)); break;
    case 'P': records.parameter.push_back(std::move(record)); break;
    case 'T': records.terminated = true; break;
    default: break;
  }
}

// Splits one physical line into its 80-column records (see SplitIgesRecords):
// a piece without a section letter is passed over, as a line would be.
void SplitLine(IgesRecords& records, const std::string& line) {
  for (size_t pos = 0; pos < line.size() && !records.terminated; pos += kRecordColumns) {
    const std::string piece = line.substr(pos, kRecordColumns);
    if (piece.size() >= kSectionColumn && IsSectionLetter(piece[kSectionColumn - 1])) AddRecord(records, piece);
  }
}

std::string Trimmed(const std::string& text) {
  size_t first = 0, last = text.size();
  while (first < last && IsBlank(text[first])) ++first;
  while (last > first && IsBlank(text[last - 1])) --last;
  return text.substr(first, last - first);
}

// Reads one parameter starting at pos (after the previous delimiter); leaves
// pos on the delimiter that ends it (or at the end of the text).
bool ReadToken(const std::string& text, size_t& pos, char parameterDelimiter, char recordDelimiter, bool cutStrings,
               IgesToken& token) {
  size_t p = pos;
  while (p < text.size() && IsBlank(text[p])) ++p;
  size_t digits = p;
  while (digits < text.size() && IsDigit(text[digits])) ++digits;
  if (digits > p && digits < text.size() && (text[digits] == 'H' || text[digits] == 'h')) {
    if (digits - p > kMaxCountDigits) return false;
    const size_t count = static_cast<size_t>(std::strtoul(text.substr(p, digits - p).c_str(), nullptr, 10));
    const size_t begin = digits + 1;
    const bool overruns = count > text.size() - begin;
    if (overruns && !cutStrings) return false;
    const size_t end = overruns ? text.size() : begin + count;
    token.isString = true;
    size_t after = end;
    while (after < text.size() && IsBlank(text[after])) ++after;
    if (cutStrings || (after < text.size() && text[after] != parameterDelimiter && text[after] != recordDelimiter)) {
      // The counted string does not end at a delimiter: its writer counted
      // wrong (a path edited after counting, say). It is taken up to the
      // first delimiter inside the counted characters, where there is one,
      // so that the parameters after it keep their places.
      const size_t cut = text.find_first_of(std::string{parameterDelimiter, recordDelimiter}, begin);
      if (cut < end) {
        token.text = text.substr(begin, cut - begin);
        pos = cut;
        return true;
      }
    }
    if (overruns) return false;
    token.text = text.substr(begin, count);
    // Blanks may stand between a string and its delimiter; anything else up
    // to the delimiter is passed over.
    p = end;
    while (p < text.size() && text[p] != parameterDelimiter && text[p] != recordDelimiter) ++p;
    pos = p;
    return true;
  }
  size_t end = p;
  while (end < text.size() && text[end] != parameterDelimiter && text[end] != recordDelimiter) ++end;
  token.text = Trimmed(text.substr(p, end - p));
  token.isString = false;
  pos = end;
  return true;
}

}  // namespace

IgesRecords SplitIgesRecords(const std::string& text) {
  IgesRecords records;
  std::string line;
  for (size_t i = 0; i < text.size() && !records.terminated; ++i) {
    const char c = text[i];
    if (c == '\n' || c == '\r') {
      SplitLine(records, line);
      line.clear();
      continue;
    }
    line += c;
  }
  if (!records.terminated) SplitLine(records, line);
  return records;
}

IgesTokens TokenizeIgesParameters(const std::string& text, char parameterDelimiter, char recordDelimiter,
                                  bool cutStrings) {
  IgesTokens result;
  size_t pos = 0;
  // Each pass reads one parameter and its delimiter, so the loop ends after
  // at most text.size() + 1 passes.
  while (true) {
    IgesToken token;
    if (!ReadToken(text, pos, parameterDelimiter, recordDelimiter, cutStrings, token)) {
      result.ok = false;
      return result;
    }
    result.tokens.push_back(std::move(token));
    if (pos >= text.size() || text[pos] == recordDelimiter) return result;
    ++pos;  // past the parameter delimiter
  }
}

IgesDelimiters ReadIgesDelimiters(const std::string& globalText) {
  IgesDelimiters result;
  size_t pos = 0;
  const std::string& g = globalText;
  auto skipBlanks = [&] {
    while (pos < g.size() && IsBlank(g[pos])) ++pos;
  };
  // One delimiter parameter: empty (the default stays) or 1Hx; then the
  // parameter delimiter (or, for the second one, the record delimiter when
  // the section ends there).
  auto readDelimiter = [&](char& delimiter, bool second) {
    skipBlanks();
    if (pos + 2 < g.size() && g[pos] == '1' && (g[pos + 1] == 'H' || g[pos + 1] == 'h')) {
      delimiter = g[pos + 2];
      pos += 3;
      skipBlanks();
    }
    if (pos >= g.size()) return true;
    if (g[pos] == result.parameter || (second && g[pos] == result.record)) {
      ++pos;
      return true;
    }
    return false;
  };
  if (Trimmed(g).empty()) return result;
  if (!readDelimiter(result.parameter, false) || !readDelimiter(result.record, true) ||
      result.parameter == result.record) {
    result.ok = false;
    return result;
  }
  result.rest = pos < g.size() ? g.substr(pos) : std::string();
  return result;
}

bool IgesReal(const IgesToken& token, double defaultValue, double& value) {
  if (token.isString) return false;
  const std::string& t = token.text;
  if (t.empty()) {
    value = defaultValue;
    return true;
  }
  size_t p = 0;
  if (t[p] == '+' || t[p] == '-') ++p;
  size_t mantissaDigits = 0;
  while (p < t.size() && IsDigit(t[p])) ++p, ++mantissaDigits;
  if (p < t.size() && t[p] == '.') {
    ++p;
    while (p < t.size() && IsDigit(t[p])) ++p, ++mantissaDigits;
  }
  if (mantissaDigits == 0) return false;
  std::string normal = t.substr(0, p);
  if (p < t.size() && (t[p] == 'E' || t[p] == 'e' || t[p] == 'D' || t[p] == 'd')) {
    ++p;
    std::string exponent;
    if (p < t.size() && (t[p] == '+' || t[p] == '-')) exponent += t[p++];
    size_t digits = 0;
    while (p < t.size() && IsDigit(t[p])) exponent += t[p++], ++digits;
    if (digits == 0 || digits > kMaxExponentDigits) return false;
    normal += "E" + exponent;
  }
  if (p != t.size()) return false;
  // An underflow reads as the nearest double (0 or a tiny value); an
  // overflow is no number.
  const double v = std::strtod(normal.c_str(), nullptr);
  if (!std::isfinite(v)) return false;
  value = v + 0.0;  // no negative zero
  return true;
}

bool IgesInteger(const IgesToken& token, long defaultValue, long& value) {
  double v = 0;
  if (!IgesReal(token, static_cast<double>(defaultValue), v)) return false;
  // Range-checked before the conversion, and whole numbers only.
  if (!(std::fabs(v) <= static_cast<double>(kIgesMaxInteger)) || v != std::floor(v)) return false;
  value = static_cast<long>(v);
  return true;
}

}  // namespace vx
