// The entity list the DXF and IGES readers fill and the import post-processing consumes.
#pragma once

#include <array>
#include <string>
#include <utility>
#include <vector>

namespace vx {

// One straight line or circular arc of an imported drawing. A value never
// assigned reads as 0. R = 0: straight line from start to end; R > 0: arc of
// radius R about (CX, CY), counter-clockwise from start to end; R < 0: clockwise.
struct Entity {
  double X1 = 0, Y1 = 0;  // start point
  double X2 = 0, Y2 = 0;  // end point
  double CX = 0, CY = 0;  // arc centre (0 for a line)
  double R = 0;           // signed radius
};

// A start marker: the centre of a circle of the marker radius in a DXF drawing.
struct MarkerPoint {
  double x = 0, y = 0;
};

// Entries 1..kMaxEntities and markers 1..kMaxMarkers, as the readers number
// them. Entry N + 1 exists as well (the readers use it as scratch space and
// the conversion compares against it).
struct EntityList {
  static constexpr int kMaxEntities = 1000;
  static constexpr int kMaxMarkers = 200;

  std::array<Entity, kMaxEntities + 2> entity{};
  std::array<MarkerPoint, kMaxMarkers + 1> marker{};
  int count = 0;        // N
  int markerCount = 0;  // markers read

  // Entities of the drawing that were not read, by type name ("TEXT",
  // "HATCH", ...), with their counts, in the order first met; reported to
  // the operator after the import.
  std::vector<std::pair<std::string, int>> skipped;

  void CountSkipped(const std::string& type) {
    for (auto& entry : skipped) {
      if (entry.first == type) {
        ++entry.second;
        return;
      }
    }
    skipped.emplace_back(type, 1);
  }

  // The marker at index i, or the point (0, 0) beyond the markers read.
  MarkerPoint MarkerAt(int i) const {
    return (i >= 1 && i <= markerCount) ? marker[i] : MarkerPoint{};
  }
};

// What a reader or a whole exchange run ends with: ok, or the message of an
// orderly stop (UTF-8, shown to the operator as it is).
struct ExchangeResult {
  bool ok = true;
  std::string message;

  static ExchangeResult Ok() { return {}; }
  static ExchangeResult Stop(std::string text) { return {false, std::move(text)}; }
};

}  // namespace vx
