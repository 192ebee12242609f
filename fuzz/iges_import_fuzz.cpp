// IGES import from bytes: whatever the reader accepts is within the entity
// list's limits and range, and the post-processing turns it into a contour
// table whose file text loads back equal, with no NaN or infinity written and
// every separator between two chains. A file of 80-column lines reads the
// same with its line ends taken out. The first byte chooses the arc
// coordinate order and the post-processing options; it stays part of the file.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>

#include "exchange/iges_geometry.h"
#include "exchange/iges_reader.h"
#include "exchange/import_postprocess.h"
#include "fuzz/fuzz_check.h"
#include "platform/progress_lines.h"
#include "shell/contour_codes.h"
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
  if (size == 0) return 0;
  const std::string text(reinterpret_cast<const char*>(data), size);
  const bool yxOrder = (data[0] & 1) != 0;
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
  // The post-processing with options from the first byte: rounding digits
  // 0..4, smoothing on or off.
  const ImportOptions options{(data[0] & 0x40) ? "0" : "1", std::to_string((data[0] >> 1) % 5), yxOrder ? "1" : "0"};
  ElementTable table;
  RecordingProgressLines progress;
  if (!PostProcessIntoTable(list, options, false, table, progress).ok) return 0;
  const int n = table.RowCount;
  fuzz::Check(n >= 1 && n <= ElementTable::kMaxCount, "a done import writes rows within the table");
  for (int r = 1; r <= n; ++r) {
    if (static_cast<double>(table.Code[r]) != kSeparatorCode) continue;
    // A separator stands between two chains of at least one segment each.
    fuzz::Check(r >= 3 && r <= n - 2, "no separator near either end");
    fuzz::Check(static_cast<double>(table.Code[r - 1]) != kSeparatorCode &&
                    static_cast<double>(table.Code[r + 1]) != kSeparatorCode,
                "no two separators in a row");
  }
  fuzz::CheckTableReadsBack(table);
  return 0;
}
