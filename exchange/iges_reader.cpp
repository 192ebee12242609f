// The IGES reader: font table from the directory lines, parameter records from the P lines.
#include "exchange/iges_reader.h"

#include <array>
#include <cmath>
#include <vector>

#include "exchange/exchange_messages.h"
#include "shell/number_text.h"

namespace vx {
namespace {

constexpr int kMaxSequence = 5000;
constexpr int kMaxFields = 10;

// Columns first..last (counted from 1) of a line, as far as the line reaches.
std::string Columns(const std::string& line, size_t first, size_t last) {
  if (line.size() < first) return {};
  return line.substr(first - 1, last - first + 1);
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::string line;
  for (char c : text) {
    if (c == '\n') {
      lines.push_back(line);
      line.clear();
    } else if (c != '\r') {
      line += c;
    }
  }
  if (!line.empty()) lines.push_back(line);
  return lines;
}

// Fields 1.. of a record after its three-character type: each field runs from
// a "," to the next "," (or to the ";" when no "," follows); decoding stops
// at the ";". False when the record holds more than ten fields.
bool DecodeFields(const std::string& record, std::array<double, kMaxFields + 1>& fields) {
  fields.fill(0);
  std::string rest = record.size() > 3 ? record.substr(3) : std::string();
  int n = 0;
  while (!rest.empty() && rest[0] == ',') {
    size_t end = rest.find(',', 1);
    if (end == std::string::npos) end = rest.find(';', 1);
    if (++n > kMaxFields) return false;
    fields[n] = NumericValue(rest.substr(1, end == std::string::npos ? std::string::npos : end - 1));
    if (end == std::string::npos) break;
    rest = rest.substr(end);
  }
  return true;
}

void BuildLine(const std::array<double, kMaxFields + 1>& f, Entity& e) {
  e = Entity{};
  e.X1 = f[1];
  e.Y1 = f[2];
  e.X2 = f[4];
  e.Y2 = f[5];
}

// Fields zt, xc, yc, xs, ys, xe, ye: counter-clockwise from start to end.
void BuildArc(const std::array<double, kMaxFields + 1>& f, bool yxOrder, Entity& e) {
  e = Entity{};
  if (yxOrder) {
    e.X1 = f[5];
    e.Y1 = -f[4] + 0.0;  // + 0.0: no negative zero
    e.CX = f[3];
    e.CY = -f[2] + 0.0;
    e.X2 = f[7];
    e.Y2 = -f[6] + 0.0;
  } else {
    e.X1 = f[4];
    e.Y1 = f[5];
    e.CX = f[2];
    e.CY = f[3];
    e.X2 = f[6];
    e.Y2 = f[7];
  }
  e.R = std::hypot(e.X1 - e.CX, e.Y1 - e.CY);
}

}  // namespace

ExchangeResult ReadIgesText(const std::string& text, bool yxOrder, EntityList& list) {
  list.count = 0;
  list.markerCount = 0;
  std::vector<double> fontTable(kMaxSequence + 1, 0.0);
  std::string record;
  for (const std::string& line : Lines(text)) {
    const std::string section = Columns(line, 73, 73);
    if (section == "T") break;
    if (section == "D") {
      const std::string type = Columns(line, 6, 8);
      if (type != "110" && type != "100") continue;
      const double sequence = NumericValue(Columns(line, 74, 80));
      if (sequence > kMaxSequence || sequence < 0) return ExchangeResult::Stop(exchange_text::kIgesSequenceLimit);
      fontTable[static_cast<size_t>(sequence)] = NumericValue(Columns(line, 25, 32));
      continue;
    }
    if (section != "P") continue;
    const double pointer = std::nearbyint(NumericValue(Columns(line, 65, 72)));
    if (pointer > kMaxSequence || pointer < 0) return ExchangeResult::Stop(exchange_text::kIgesSequenceLimit);
    // Deliberately exact: only solid lines (font pattern 1) are imported.
    if (fontTable[static_cast<size_t>(pointer)] != 1) {
      record.clear();
      continue;
    }
    std::string data = Columns(line, 1, 64);
    data.erase(data.find_last_not_of(' ') + 1);
    record += data;
    if (line.find(';', 1) == std::string::npos) continue;
    const std::string type = record.substr(0, 3);
    if (type == "100" || type == "110") {
      std::array<double, kMaxFields + 1> fields{};
      if (!DecodeFields(record, fields)) return ExchangeResult::Stop(exchange_text::kIgesFieldLimit);
      if (list.count >= EntityList::kMaxEntities) return ExchangeResult::Stop(exchange_text::kTooManyEntities);
      Entity& e = list.entity[++list.count];
      if (type == "110") {
        BuildLine(fields, e);
      } else {
        BuildArc(fields, yxOrder, e);
      }
    }
    record.clear();
  }
  return ExchangeResult::Ok();
}

}  // namespace vx
