// Rounding, smoothing and row conversion shared by the DXF and IGES imports.
#include "exchange/import_postprocess.h"

#include <cmath>

#include "exchange/exchange_messages.h"
#include "shell/contour_codes.h"
#include "shell/number_text.h"
#include "shell/table_file.h"

namespace vx {
namespace {

// Beyond 2^52 a double holds only whole numbers: rounding changes nothing
// there, and a scale of 10^d that overflows would turn the value into NaN.
constexpr double kExactWholeLimit = 4503599627370496.0;

// The terminator row the imports put after the last contour row.
constexpr double kTerminatorX = 0.999;
constexpr double kSeparatorX = 888;
constexpr double kArcCentreCode = 8;
constexpr double kArcCentreP2 = -2;

double RoundUp(double value, double scale) {
  const double scaled = value * scale;
  if (!std::isfinite(scaled) || std::fabs(scaled) >= kExactWholeLimit) return value;
  return std::floor(scaled + 0.5) / scale;
}

double Distance(double x1, double y1, double x2, double y2) { return std::hypot(x2 - x1, y2 - y1); }

// Entity j moves to position p (p < j); p..j-1 move up one, keeping their order.
void MoveEntity(EntityList& list, int j, int p) {
  for (int i = j; i > p; --i) SwapValues(list.entity[i - 1], list.entity[i]);
}

// Searches positions from..N for an entity touching marker M (an entity whose
// end lies on M is reversed first); the one found is exchanged with position
// `to`. Returns whether one was found.
bool BringMarkedEntity(EntityList& list, const MarkerPoint& m, int from, int to) {
  for (int v = from; v <= list.count; ++v) {
    Entity& e = list.entity[v];
    if (Distance(e.X2, e.Y2, m.x, m.y) < kMarkerRadius) ReverseEntity(e);
    if (Distance(e.X1, e.Y1, m.x, m.y) < kMarkerRadius) {
      SwapValues(list.entity[v], list.entity[to]);
      return true;
    }
  }
  return false;
}

// The follower of entity k among k+1..N by the three join tests; -1 when none.
// Test c may reverse entity 1 (a straight first entity stored backwards).
int FindFollower(EntityList& list, int k, double tolerance) {
  Entity& ek = list.entity[k];
  for (int j = k + 1; j <= list.count; ++j) {
    Entity& ej = list.entity[j];
    if (Distance(ej.X1, ej.Y1, ek.X2, ek.Y2) < tolerance) return j;
    if (Distance(ej.X2, ej.Y2, ek.X2, ek.Y2) < tolerance) {
      ReverseEntity(ej);
      return j;
    }
    // Deliberately exact: only a straight first entity is turned round.
    if (k == 1 && ek.R == 0) {
      if (Distance(ej.X1, ej.Y1, ek.X1, ek.Y1) < tolerance) {
        ReverseEntity(ek);
        return j;
      }
      if (Distance(ej.X2, ej.Y2, ek.X1, ek.Y1) < tolerance) {
        ReverseEntity(ek);
        ReverseEntity(ej);
        return j;
      }
    }
  }
  return -1;
}

// +0.0 turns a negative zero into zero, so files never carry "-0".
void PutRow(ElementTable& table, int row, const ContourRow& v) {
  table.X[row] = v.x + 0.0;
  table.Y[row] = v.y + 0.0;
  table.Code[row] = v.code + 0.0;
  table.P1[row] = v.p1 + 0.0;
  table.P2[row] = v.p2 + 0.0;
}

bool StartsAtEndOf(const Entity& next, const Entity& previous) {
  // Exact comparison: smoothing snapped joined starts onto the previous end.
  return next.X1 == previous.X2 && next.Y1 == previous.Y2;
}

}  // namespace

double JoinTolerance(double digits) { return digits == 0 ? 0.0001 : std::pow(10.0, -digits); }

void RoundEntities(EntityList& list, double digits) {
  if (!(digits > 0)) return;
  const double scale = std::pow(10.0, digits);
  for (int k = 1; k <= list.count; ++k) {
    Entity& e = list.entity[k];
    for (double* v : {&e.X1, &e.Y1, &e.X2, &e.Y2, &e.CX, &e.CY, &e.R}) *v = RoundUp(*v, scale);
  }
}

void ReverseEntity(Entity& entity) {
  SwapValues(entity.X1, entity.X2);
  SwapValues(entity.Y1, entity.Y2);
  entity.R = -entity.R + 0.0;
}

void SmoothEntities(EntityList& list, double tolerance, bool useMarkers) {
  int markerIndex = 0;
  if (useMarkers && list.count >= 1) {
    // The first chain starts at the first marker; with none read, the
    // marker is the origin.
    ++markerIndex;
    BringMarkedEntity(list, list.MarkerAt(markerIndex), 1, 1);
  }
  for (int k = 1; k <= list.count; ++k) {
    const int j = FindFollower(list, k, tolerance);
    if (j > 0) {
      MoveEntity(list, j, k + 1);
      list.entity[k + 1].X1 = list.entity[k].X2;
      list.entity[k + 1].Y1 = list.entity[k].Y2;
      continue;
    }
    // Chain ended: the next chain starts at the next marker, while there is
    // one; without one the remaining entities keep their order.
    if (useMarkers && markerIndex < list.markerCount && k < list.count) {
      ++markerIndex;
      BringMarkedEntity(list, list.MarkerAt(markerIndex), k + 1, k + 1);
    }
  }
}

bool AppendContourRow(ElementTable& table, int& n, const ContourRow& row) {
  if (n >= 1) {
    // Deliberately exact: a repeated row is the same stored numbers.
    const bool repeated = static_cast<double>(table.X[n]) == row.x && static_cast<double>(table.Y[n]) == row.y &&
                          static_cast<double>(table.Code[n]) == row.code &&
                          static_cast<double>(table.P1[n]) == row.p1;
    if (repeated) {
      PutRow(table, n, row);  // the later of the two rows is kept
      return true;
    }
  }
  if (n + 1 > ElementTable::kMaxCount) return false;
  PutRow(table, ++n, row);
  return true;
}

ExchangeResult ConvertEntitiesToRows(const EntityList& list, ElementTable& table) {
  ElementTable work = table;
  int n = 0;
  bool fits = true;
  auto add = [&](const ContourRow& row) { fits = fits && AppendContourRow(work, n, row); };
  for (int k = 1; k <= list.count && fits; ++k) {
    const Entity& e = list.entity[k];
    add({e.X1, e.Y1, 0, 0, 0});
    if (e.R != 0) add({e.CX, e.CY, kArcCentreCode, e.R, kArcCentreP2});
    add({e.X2, e.Y2, 0, 0, 0});
    // A separator after the last entity would be dropped again: it is not written.
    if (k < list.count && !StartsAtEndOf(list.entity[k + 1], e)) add({kSeparatorX, 0, kSeparatorCode, 0, 0});
  }
  if (!fits) return ExchangeResult::Stop(exchange_text::kTooManyRows);
  PutRow(work, n + 1, {kTerminatorX, 0, kEndCode, 0, 0});
  work.RowCount = n;
  table = work;
  return ExchangeResult::Ok();
}

ExchangeResult RunImportPostProcessing(EntityList& list, const ImportOptions& options, bool useMarkers,
                                       ElementTable& table, const std::string& contourPath,
                                       ProgressLines& progress) {
  if (list.count > EntityList::kMaxEntities) return ExchangeResult::Stop(exchange_text::kTooManyEntities);
  if (list.count <= 0) return ExchangeResult::Stop(exchange_text::kNoEntities);
  const double digits = NumericValue(options.roundText);
  if (digits > 0) {
    progress.Print(exchange_text::kRounding);
    RoundEntities(list, digits);
  }
  // Deliberately exact: only the text "1" (or its numeric equal) switches smoothing on.
  if (NumericValue(options.smoothText) == 1) {
    progress.Print(exchange_text::kSmoothing);
    SmoothEntities(list, JoinTolerance(digits), useMarkers);
  }
  ElementTable work = table;
  ExchangeResult converted = ConvertEntitiesToRows(list, work);
  if (!converted.ok) return converted;
  if (!SaveTable(work, contourPath)) return ExchangeResult::Stop(exchange_text::CannotWrite(contourPath));
  table = work;
  progress.Print(exchange_text::kDataDiskEnd);
  return ExchangeResult::Ok();
}

}  // namespace vx
