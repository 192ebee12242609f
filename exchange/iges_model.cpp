// Decoding IGES records into the model: delimiters and units of the global
// section, directory entries, parameter lists found through the directory.
#include "exchange/iges_model.h"

#include <algorithm>
#include <cctype>
#include <utility>

#include "exchange/exchange_messages.h"

namespace vx {
namespace {

constexpr size_t kFieldWidth = 8;
constexpr size_t kParameterColumns = 64;
// Global parameters, counted from 1.
constexpr size_t kGlobalUnitFlag = 14;
constexpr size_t kGlobalUnitName = 15;

// An 8-column directory field (field 1..9 of a record); blank reads as 0.
bool Field(const std::string& data, int field, long& value) {
  IgesToken token;
  const std::string text = data.substr((field - 1) * kFieldWidth, kFieldWidth);
  size_t first = text.find_first_not_of(' ');
  token.text = first == std::string::npos ? std::string() : text.substr(first, text.find_last_not_of(' ') - first + 1);
  return IgesInteger(token, 0, value);
}

// Two status digits; blanks read as 0, anything else that is not a digit too
// (the status only chooses what is left out, never how it is read).
int StatusPair(const std::string& status, size_t at) {
  int value = 0;
  for (size_t i = at; i < at + 2; ++i) {
    const char c = status[i];
    value = value * 10 + ((c >= '0' && c <= '9') ? c - '0' : 0);
  }
  return value;
}

IgesEntry ReadEntry(const std::string& first, const std::string& second, long pointer) {
  IgesEntry e;
  e.pointer = pointer;
  bool ok = Field(first, 1, e.type) && Field(first, 2, e.parameterStart) && Field(first, 4, e.lineFont) &&
            Field(first, 7, e.matrix);
  ok = ok && Field(second, 4, e.parameterLines) && Field(second, 5, e.form);
  e.readable = ok;
  const std::string status = first.substr(8 * kFieldWidth, kFieldWidth);
  e.status.blank = StatusPair(status, 0);
  e.status.subordinate = StatusPair(status, 2);
  e.status.use = StatusPair(status, 4);
  e.status.hierarchy = StatusPair(status, 6);
  return e;
}

std::string Upper(std::string text) {
  for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return text;
}

// Millimetres per unit by the IGES unit flag (1..11; 3 means "by name").
bool ScaleOfFlag(long flag, double& mm) {
  switch (flag) {
    case 1: mm = 25.4; return true;           // inch
    case 2: mm = 1; return true;              // millimetre
    case 4: mm = 304.8; return true;          // foot
    case 5: mm = 1609344; return true;        // mile
    case 6: mm = 1000; return true;           // metre
    case 7: mm = 1000000; return true;        // kilometre
    case 8: mm = 0.0254; return true;         // mil
    case 9: mm = 0.001; return true;          // micron
    case 10: mm = 10; return true;            // centimetre
    case 11: mm = 0.0000254; return true;     // microinch
    default: return false;
  }
}

bool ScaleOfName(const std::string& name, double& mm) {
  static const std::pair<const char*, long> kNames[] = {
      {"IN", 1},      {"INCH", 1},    {"INCHES", 1},      {"MM", 2},          {"MILLIMETER", 2},
      {"MILLIMETRE", 2}, {"MILLIMETERS", 2}, {"MILLIMETRES", 2}, {"FT", 4}, {"FOOT", 4},
      {"FEET", 4},    {"MI", 5},      {"MILE", 5},        {"MILES", 5},       {"M", 6},
      {"METER", 6},   {"METRE", 6},   {"METERS", 6},      {"METRES", 6},      {"KM", 7},
      {"KILOMETER", 7}, {"KILOMETRE", 7}, {"MIL", 8},     {"MILS", 8},        {"UM", 9},
      {"MICRON", 9},  {"MICRONS", 9}, {"CM", 10},         {"CENTIMETER", 10}, {"CENTIMETRE", 10},
      {"UIN", 11},    {"MICROINCH", 11}};
  const std::string key = Upper(name);
  for (const auto& [text, flag] : kNames) {
    if (key == text) return ScaleOfFlag(flag, mm);
  }
  return false;
}

std::string Trim(const std::string& text) {
  const size_t first = text.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// Whether the global parameters (tokens[0] being parameter 3) hold numbers
// where numbers belong: the integer and precision parameters 7 to 11, the
// model space scale (13) and the unit flag (14), each where present and not
// empty. A string there means a count of an earlier string was wrong and the
// parameters slid out of place.
bool GlobalNumbersInPlace(const IgesTokens& tokens) {
  if (!tokens.ok) return false;
  for (size_t n : {7, 8, 9, 10, 11, 13, 14}) {
    if (n - 3 >= tokens.tokens.size()) break;
    const IgesToken& token = tokens.tokens[n - 3];
    double value = 0;
    if (!IgesReal(token, 0, value)) return false;
  }
  return true;
}

// Delimiters and units from the global section's text. When the numbers are
// out of place, the section is read again with every string ending at the
// first delimiter it holds; when that does not put them in place either,
// the section is not read (its units could not be trusted).
ExchangeResult ReadGlobal(const std::string& text, IgesModel& model) {
  const IgesDelimiters delimiters = ReadIgesDelimiters(text);
  if (!delimiters.ok) return ExchangeResult::Stop(exchange_text::kIgesBadGlobal);
  model.parameterDelimiter = delimiters.parameter;
  model.recordDelimiter = delimiters.record;
  IgesTokens tokens = TokenizeIgesParameters(delimiters.rest, delimiters.parameter, delimiters.record);
  if (!GlobalNumbersInPlace(tokens)) {
    tokens = TokenizeIgesParameters(delimiters.rest, delimiters.parameter, delimiters.record, true);
    if (!GlobalNumbersInPlace(tokens)) return ExchangeResult::Stop(exchange_text::kIgesBadGlobal);
  }
  // tokens[0] is global parameter 3.
  auto parameter = [&](size_t n) { return n - 3 < tokens.tokens.size() ? tokens.tokens[n - 3] : IgesToken{}; };
  const IgesToken flag = parameter(kGlobalUnitFlag), name = parameter(kGlobalUnitName);
  model.unitName = Trim(name.text);
  if (!IgesUnitScale(flag, name, model.mmPerUnit)) {
    const std::string shown = !model.unitName.empty() ? model.unitName : flag.text;
    return ExchangeResult::Stop(exchange_text::IgesUnknownUnit(shown));
  }
  return ExchangeResult::Ok();
}

}  // namespace

const IgesEntry* IgesModel::Entry(long pointer) const {
  if (pointer < 1 || pointer % 2 == 0) return nullptr;
  const size_t k = static_cast<size_t>((pointer - 1) / 2);
  return k < entries.size() ? &entries[k] : nullptr;
}

bool IgesParams::IsType(long type) const {
  long value = 0;
  return !tokens.empty() && IgesInteger(tokens[0], -1, value) && value == type;
}

bool IgesParams::Real(size_t index, double& value) const {
  return index < tokens.size() && IgesReal(tokens[index], 0, value);
}

bool IgesParams::RealOr(size_t index, double defaultValue, double& value) const {
  if (index >= tokens.size()) {
    value = defaultValue;
    return true;
  }
  return IgesReal(tokens[index], defaultValue, value);
}

bool IgesParams::Integer(size_t index, long& value) const {
  return index < tokens.size() && IgesInteger(tokens[index], 0, value);
}

bool IgesModel::Parameters(const IgesEntry& entry, IgesParams& out) const {
  out.tokens.clear();
  if (entry.parameterStart < 1 || static_cast<size_t>(entry.parameterStart) > parameterData.size()) return false;
  const size_t first = static_cast<size_t>(entry.parameterStart - 1);
  // The record's lines are those that point back to the entry; a writer that
  // leaves the back pointers wrong still gets the line count of its entry.
  size_t last = first;
  if (parameterOwner[first] == entry.pointer) {
    while (last + 1 < parameterData.size() && parameterOwner[last + 1] == entry.pointer) ++last;
  } else if (entry.parameterLines > 1) {
    last = first + std::min(static_cast<size_t>(entry.parameterLines - 1), parameterData.size() - 1 - first);
  }
  std::string text;
  for (size_t i = first; i <= last; ++i) text += parameterData[i];
  IgesTokens tokens = TokenizeIgesParameters(text, parameterDelimiter, recordDelimiter);
  if (!tokens.ok) return false;
  out.tokens = std::move(tokens.tokens);
  return true;
}

bool IgesUnitScale(const IgesToken& flag, const IgesToken& name, double& mmPerUnit) {
  long value = 0;
  const bool flagRead = IgesInteger(flag, 0, value);
  if (flagRead && value != 3 && ScaleOfFlag(value, mmPerUnit)) return true;
  if (!name.text.empty()) return ScaleOfName(Trim(name.text), mmPerUnit);
  // Neither a flag nor a name: the file says nothing of its units, and is read
  // in millimetres as before the units were read.
  if (flagRead && value == 0) {
    mmPerUnit = 1;
    return true;
  }
  return false;
}

ExchangeResult DecodeIges(const std::string& text, IgesModel& model) {
  model = IgesModel{};
  const IgesRecords records = SplitIgesRecords(text);
  if (records.compressed) return ExchangeResult::Stop(exchange_text::kIgesCompressed);
  if (records.directory.empty() && records.parameter.empty() && records.global.empty() && records.start.empty()) {
    return ExchangeResult::Stop(exchange_text::kIgesNotIges);
  }
  std::string global;
  for (const IgesRecord& r : records.global) global += r.data;
  ExchangeResult read = ReadGlobal(global, model);
  if (!read.ok) return read;
  // An odd D record at the end has no second line: it is not an entry.
  for (size_t k = 0; k + 1 < records.directory.size(); k += 2) {
    model.entries.push_back(
        ReadEntry(records.directory[k].data, records.directory[k + 1].data, static_cast<long>(k + 1)));
  }
  for (const IgesRecord& r : records.parameter) {
    model.parameterData.push_back(r.data.substr(0, kParameterColumns));
    long owner = -1;
    IgesToken token{Trim(r.data.substr(kParameterColumns)), false};
    if (token.text.empty() || !IgesInteger(token, -1, owner)) owner = -1;
    model.parameterOwner.push_back(owner);
  }
  return ExchangeResult::Ok();
}

}  // namespace vx
