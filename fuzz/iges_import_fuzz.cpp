// IGES import from bytes: whatever the reader accepts is within the entity
// list's limits and range, and the post-processing turns it into a contour
// table whose file text loads back, with no NaN or infinity written. A file
// of 80-column lines reads the same with its line ends taken out. The first
// byte's lowest bit chooses the arc coordinate order.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>

#include "exchange/iges_geometry.h"
#include "exchange/iges_reader.h"
#include "exchange/import_postprocess.h"
#include "fuzz/fuzz_check.h"
#include "shell/table_file.h"

namespace {

// The text's lines joined without their line ends, when every line holds
// exactly one record of 80 columns (else empty).
std::string WithoutLineEnds(const std::string& text) {
  std::string joined, line;
  for (char c : text + "\n") {
    if (c != '\n' && c != '\r') {
      line += c;
      continue;
    }
    if (line.empty()) continue;
    if (line.size() != 80) return {};
    joined += line;
    line.clear();
  }
  return joined;
}

bool SameReading(const vx::EntityList& a, const vx::EntityList& b) {
  if (a.count != b.count || a.skipped != b.skipped) return false;
  for (int k = 1; k <= a.count; ++k) {
    const vx::Entity &p = a.entity[k], &q = b.entity[k];
    // Deliberately exact: the same records must give the same numbers.
    if (p.X1 != q.X1 || p.Y1 != q.Y1 || p.X2 != q.X2 || p.Y2 != q.Y2 || p.CX != q.CX || p.CY != q.CY || p.R != q.R) {
      return false;
    }
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace vx;
  const std::string text(reinterpret_cast<const char*>(data), size);
  const bool yxOrder = size > 0 && (data[0] & 1) != 0;
  EntityList list;
  const ExchangeResult read = ReadIgesText(text, yxOrder, list);
  const std::string joined = WithoutLineEnds(text);
  if (!joined.empty() && joined != text) {
    EntityList again;
    const ExchangeResult reread = ReadIgesText(joined, yxOrder, again);
    fuzz::Check(reread.ok == read.ok && reread.message == read.message && SameReading(list, again),
                "records read the same without their line ends");
  }
  if (!read.ok) {
    fuzz::Check(list.count == 0, "a refused import leaves no entities");
    return 0;
  }
  fuzz::Check(list.count >= 0 && list.count <= EntityList::kMaxEntities, "the entity count is within the list");
  for (int k = 1; k <= list.count; ++k) {
    const Entity& e = list.entity[k];
    for (double v : {e.X1, e.Y1, e.X2, e.Y2, e.CX, e.CY, e.R}) {
      fuzz::Check(std::fabs(v) <= kIgesMaxCoordinate, "every value read is finite and within range");
    }
  }
  if (list.count == 0) return 0;  // the post-processing refuses an empty drawing
  // The post-processing's steps with the IGES screen's defaults: 4 digits, smoothing on.
  RoundEntities(list, 4);
  SmoothEntities(list, JoinTolerance(4), false);
  ElementTable table;
  if (!ConvertEntitiesToRows(list, table).ok) return 0;  // more rows than the table holds
  const std::string written = TableFileText(table);
  fuzz::Check(fuzz::HasNoNonFinite(written), "no NaN or infinity is written");
  ElementTable again;
  fuzz::Check(LoadTableText(again, written) == LoadStatus::kOk, "the contour table loads back");
  fuzz::Check(again.RowCount == table.RowCount, "the row count reads back");
  return 0;
}
