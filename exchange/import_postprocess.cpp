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

constexpr double kFullTurn = 2 * 3.14159265358979323846;

bool EndsWhereItStarts(const Entity& e) {
  return e.X1 == e.X2 && e.Y1 == e.Y2;  // exact: the same stored point
}

// After an end of an arc moved (rounding, a snapped start): a short arc (less
// than half a turn) that now closes on itself, or an arc that turns more than
// half a turn further or less than before (its start passed its end), is the
// short straight line between its ends. An arc of more than half a turn whose
// ends meet is a full circle.
void KeepArcSize(Entity& e, double sweepBefore) {
  if (e.R == 0 || sweepBefore >= kFullTurn) return;  // exact: a full circle stays one
  const double after = ArcSweep(e);
  const bool closed = after >= kFullTurn;
  if ((closed && sweepBefore < kFullTurn / 2) || (!closed && std::fabs(after - sweepBefore) > kFullTurn / 2)) {
    e.CX = 0;
    e.CY = 0;
    e.R = 0;
  }
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
    const double sweep = ArcSweep(e);
    for (double* v : {&e.X1, &e.Y1, &e.X2, &e.Y2, &e.CX, &e.CY, &e.R}) *v = RoundUp(*v, scale);
    KeepArcSize(e, sweep);
  }
}

double ArcSweep(const Entity& e) {
  if (e.R == 0) return 0;  // exact: a line
  if (EndsWhereItStarts(e)) return kFullTurn;
  const double a1 = std::atan2(e.Y1 - e.CY, e.X1 - e.CX);
  const double a2 = std::atan2(e.Y2 - e.CY, e.X2 - e.CX);
  double sweep = e.R > 0 ? a2 - a1 : a1 - a2;  // within (-2 pi, 2 pi)
  if (sweep <= 0) sweep += kFullTurn;
  return sweep;
}

bool EntitiesInRange(const EntityList& list) {
  for (int k = 1; k <= list.count; ++k) {
    const Entity& e = list.entity[k];
    for (double v : {e.X1, e.Y1, e.X2, e.Y2, e.CX, e.CY, e.R}) {
      if (!std::isfinite(v) || std::fabs(v) > kCoordinateLimit) return false;
    }
  }
  return true;
}

void StraightenFlatArcs(EntityList& list) {
  for (int k = 1; k <= list.count; ++k) {
    Entity& e = list.entity[k];
    if (e.R == 0) continue;  // exact: a line already
    // The height of an arc over its chord: |R| (1 - cos(sweep / 2)).
    if (std::fabs(e.R) * (1 - std::cos(ArcSweep(e) / 2)) < kStraightArcHeight) {
      e.CX = 0;
      e.CY = 0;
      e.R = 0;
    }
  }
}

int DropZeroLength(EntityList& list) {
  int kept = 0;
  for (int k = 1; k <= list.count; ++k) {
    const Entity& e = list.entity[k];
    if (e.R == 0 && EndsWhereItStarts(e)) continue;  // exact: no length at all
    list.entity[++kept] = e;
  }
  const int dropped = list.count - kept;
  list.count = kept;
  return dropped;
}

std::string SkippedLine(const EntityList& list) {
  if (list.skipped.empty()) return {};
  std::string line = exchange_text::kSkippedPrefix;
  for (size_t i = 0; i < list.skipped.size(); ++i) {
    if (i > 0) line += ", ";
    line += list.skipped[i].first + " " + std::to_string(list.skipped[i].second);
  }
  return line;
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
      Entity& next = list.entity[k + 1];
      const double sweep = ArcSweep(next);
      next.X1 = list.entity[k].X2;
      next.Y1 = list.entity[k].Y2;
      if (sweep >= kFullTurn) {
        // A full circle joined by its start point ends there too.
        next.X2 = next.X1;
        next.Y2 = next.Y1;
      } else {
        KeepArcSize(next, sweep);
      }
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
  int chainStart = 1;  // row of the current chain's first point
  bool fits = true;
  auto add = [&](const ContourRow& row) { fits = fits && AppendContourRow(work, n, row); };
  for (int k = 1; k <= list.count && fits; ++k) {
    const Entity& e = list.entity[k];
    add({e.X1, e.Y1, 0, 0, 0});
    if (e.R != 0) add({e.CX, e.CY, kArcCentreCode, e.R, kArcCentreP2});
    add({e.X2, e.Y2, 0, 0, 0});
    // A separator after the last entity would be dropped again: it is not written.
    if (k < list.count && !StartsAtEndOf(list.entity[k + 1], e)) {
      if (n == chainStart) {
        // A chain of one point has no segment: it goes, and the separator
        // before it (if any) serves the next chain.
        n = chainStart - 1;
      } else {
        add({kSeparatorX, 0, kSeparatorCode, 0, 0});
        chainStart = n + 1;
      }
    }
  }
  if (!fits) return ExchangeResult::Stop(exchange_text::kTooManyRows);
  if (n == chainStart) {
    // The last chain has one point only: it goes with the separator before it.
    n = chainStart - 1;
    if (n >= 1 && static_cast<double>(work.Code[n]) == kSeparatorCode) --n;
  }
  if (n == 0) return ExchangeResult::Stop(exchange_text::kAllZeroLength);
  PutRow(work, n + 1, {kTerminatorX, 0, kEndCode, 0, 0});
  work.RowCount = n;
  table = work;
  return ExchangeResult::Ok();
}

ExchangeResult PostProcessIntoTable(EntityList& list, const ImportOptions& options, bool useMarkers,
                                    ElementTable& table, ProgressLines& progress) {
  if (list.count > EntityList::kMaxEntities) return ExchangeResult::Stop(exchange_text::kTooManyEntities);
  if (list.count <= 0) {
    for (const auto& entry : list.skipped) {
      if (entry.first == exchange_text::kPaperSpaceEntry) return ExchangeResult::Stop(exchange_text::kPaperSpaceOnly);
    }
    return ExchangeResult::Stop(exchange_text::kNoEntities);
  }
  if (!EntitiesInRange(list)) return ExchangeResult::Stop(exchange_text::kCoordinateRange);
  StraightenFlatArcs(list);
  const double digits = NumericValue(options.roundText);
  if (digits > 0) {
    progress.Print(exchange_text::kRounding);
    RoundEntities(list, digits);
  }
  DropZeroLength(list);
  if (list.count == 0) return ExchangeResult::Stop(exchange_text::kAllZeroLength);
  // Deliberately exact: only the text "1" (or its numeric equal) switches smoothing on.
  if (NumericValue(options.smoothText) == 1) {
    progress.Print(exchange_text::kSmoothing);
    SmoothEntities(list, JoinTolerance(digits), useMarkers);
    DropZeroLength(list);
  }
  return ConvertEntitiesToRows(list, table);
}

ExchangeResult RunImportPostProcessing(EntityList& list, const ImportOptions& options, bool useMarkers,
                                       ElementTable& table, const std::string& contourPath,
                                       ProgressLines& progress) {
  ElementTable work = table;
  const ExchangeResult converted = PostProcessIntoTable(list, options, useMarkers, work, progress);
  if (!converted.ok) return converted;
  if (!SaveTable(work, contourPath)) return ExchangeResult::Stop(exchange_text::CannotWrite(contourPath));
  table = work;
  progress.Print(exchange_text::kDataDiskEnd);
  return ExchangeResult::Ok();
}

}  // namespace vx
