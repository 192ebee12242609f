// Builds IGES files for the reader's tests: entities with their directory
// fields, the global section with its units, records of 80 columns.
#pragma once

#include <algorithm>
#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "exchange/entity_list.h"

namespace vx::test {

// The angle (radians) an entity turns through from its start to its end in
// its own direction: 0 for a line, 2 pi for an arc that ends where it starts.
inline double TurnOf(const Entity& e) {
  if (e.R == 0) return 0;
  const double ax = e.X1 - e.CX, ay = e.Y1 - e.CY, bx = e.X2 - e.CX, by = e.Y2 - e.CY;
  double a = std::atan2((e.R > 0 ? 1 : -1) * (ax * by - ay * bx), ax * bx + ay * by);
  if (a <= 0) a += 2 * 3.14159265358979323846;
  return a;
}

inline double LengthOf(const Entity& e) {
  return e.R == 0 ? std::hypot(e.X2 - e.X1, e.Y2 - e.Y1) : std::fabs(e.R) * TurnOf(e);
}

// The point of an entity at the fraction u of its way from start to end.
inline std::pair<double, double> PointOf(const Entity& e, double u) {
  if (e.R == 0) return {e.X1 + (e.X2 - e.X1) * u, e.Y1 + (e.Y2 - e.Y1) * u};
  const double a = std::atan2(e.Y1 - e.CY, e.X1 - e.CX) + (e.R > 0 ? 1 : -1) * TurnOf(e) * u;
  return {e.CX + std::fabs(e.R) * std::cos(a), e.CY + std::fabs(e.R) * std::sin(a)};
}

// Distance from (x, y) to a line or arc entity.
inline double DistanceTo(const Entity& e, double x, double y) {
  if (e.R == 0) {
    const double dx = e.X2 - e.X1, dy = e.Y2 - e.Y1, len2 = dx * dx + dy * dy;
    const double u = len2 == 0 ? 0 : std::clamp(((x - e.X1) * dx + (y - e.Y1) * dy) / len2, 0.0, 1.0);
    return std::hypot(x - e.X1 - u * dx, y - e.Y1 - u * dy);
  }
  const Entity toPoint{e.X1, e.Y1, x, y, e.CX, e.CY, e.R};
  if (TurnOf(toPoint) <= TurnOf(e)) return std::fabs(std::hypot(x - e.CX, y - e.CY) - std::fabs(e.R));
  return std::min(std::hypot(x - e.X1, y - e.Y1), std::hypot(x - e.X2, y - e.Y2));
}

struct IgesTestEntity {
  long type = 110;
  std::string params;  // the parameters after the type number, without the record delimiter
  long font = 1;
  std::string status = "00000000";
  long matrix = 0;  // directory pointer of a 124 entry
  long form = 0;
};

// Directory pointer of the k-th entity (counted from 0) of IgesFile.
inline long IgesPointer(size_t k) { return static_cast<long>(2 * k + 1); }

// One 80-column record: data in columns 1-72, section letter, sequence number.
inline std::string IgesRecord(const std::string& data, char section, long sequence) {
  std::string text = data;
  text.resize(72, ' ');
  const std::string number = std::to_string(sequence);
  return text + section + std::string(7 - number.size(), '0') + number;
}

inline std::string IgesField8(const std::string& text) {
  return std::string(text.size() < 8 ? 8 - text.size() : 0, ' ') + text;
}

// A P record: parameter data in columns 1-64, the entry it belongs to in 65-72.
inline std::string IgesParameterRecord(std::string data, long owner, long sequence) {
  data.resize(64, ' ');
  return IgesRecord(data + IgesField8(std::to_string(owner)), 'P', sequence);
}

// G records holding the global section's text.
inline std::string IgesGlobalRecords(const std::string& global) {
  std::string out;
  long g = 0;
  for (size_t at = 0; at < global.size(); at += 72) out += IgesRecord(global.substr(at, 72), 'G', ++g) + "\n";
  return out;
}

// The global section's parameters with the given units (flag, name as a
// Hollerith string or empty) and delimiters.
inline std::string IgesGlobal(const std::string& unitFlag = "2", const std::string& unitName = "MM",
                              char p = ',', char r = ';') {
  const std::string name = unitName.empty() ? "" : std::to_string(unitName.size()) + "H" + unitName;
  std::string g = std::string("1H") + p + p + "1H" + r + p + "4Htest" + p + "8Htest.igs" + p + "4Htest" + p +
                  "4Htest" + p + "32" + p + "38" + p + "6" + p + "308" + p + "15" + p + "4Htest" + p + "1." + p +
                  unitFlag + p + name + p + "1" + p + "0.01" + p + "15H20250101.000000" + p + "0.001" + p +
                  "1000." + p + p + p + "11" + p + "0" + p + "15H20250101.000000" + r;
  return g;
}

// A whole file: S, G, D and P sections and the T record, each record ended
// by lineEnd (empty: records one after the other). P records hold 64 columns
// of data, broken after a delimiter.
inline std::string IgesFile(const std::vector<IgesTestEntity>& entities, const std::string& global = IgesGlobal(),
                            const std::string& lineEnd = "\r\n", char p = ',', char r = ';') {
  std::vector<std::string> records{IgesRecord("Vexline test", 'S', 1)};
  long g = 0;
  for (size_t at = 0; at < global.size(); at += 72) records.push_back(IgesRecord(global.substr(at, 72), 'G', ++g));
  std::vector<std::string> directory, parameters;
  long line = 0;
  for (size_t k = 0; k < entities.size(); ++k) {
    const IgesTestEntity& e = entities[k];
    const std::string text = std::to_string(e.type) + (e.params.empty() ? "" : std::string(1, p) + e.params) + r;
    const long first = line + 1;
    for (size_t at = 0; at < text.size();) {
      size_t take = std::min<size_t>(64, text.size() - at);
      if (at + take < text.size()) {
        const size_t cut = text.rfind(p, at + take - 1);
        if (cut != std::string::npos && cut >= at) take = cut + 1 - at;
      }
      std::string data = text.substr(at, take);
      data.resize(64, ' ');
      parameters.push_back(IgesRecord(data + IgesField8(std::to_string(IgesPointer(k))), 'P', ++line));
      at += take;
    }
    const std::string type = std::to_string(e.type);
    directory.push_back(IgesRecord(IgesField8(type) + IgesField8(std::to_string(first)) + IgesField8("0") +
                                       IgesField8(std::to_string(e.font)) + IgesField8("0") + IgesField8("0") +
                                       IgesField8(std::to_string(e.matrix)) + IgesField8("0") + e.status,
                                   'D', IgesPointer(k)));
    directory.push_back(IgesRecord(IgesField8(type) + IgesField8("0") + IgesField8("0") +
                                       IgesField8(std::to_string(line - first + 1)) +
                                       IgesField8(std::to_string(e.form)),
                                   'D', IgesPointer(k) + 1));
  }
  records.insert(records.end(), directory.begin(), directory.end());
  records.insert(records.end(), parameters.begin(), parameters.end());
  records.push_back(IgesRecord("S0000001G" + std::string(7 - std::to_string(g).size(), '0') + std::to_string(g),
                               'T', 1));
  std::string out;
  for (const std::string& rec : records) out += rec + lineEnd;
  return out;
}

}  // namespace vx::test
