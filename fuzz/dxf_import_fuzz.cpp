// DXF import from bytes: read, post-process into a table. An import that ends
// ok leaves a table whose file text loads back to the same text, with no NaN
// or infinity, and whose separators each stand between two chains of at
// least one segment. The first byte chooses the options (rounding digits
// 0..4, smoothing on or off); the rest is the file.
#include <cstddef>
#include <cstdint>
#include <string>

#include "exchange/dxf_reader.h"
#include "exchange/import_postprocess.h"
#include "fuzz/fuzz_check.h"
#include "shell/contour_codes.h"
#include "shell/table_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace vx;
  if (size == 0) return 0;
  const ImportOptions options{(data[0] & 8) ? "0" : "1", std::to_string(data[0] % 5), "0"};
  const std::string text(reinterpret_cast<const char*>(data) + 1, size - 1);
  EntityList list;
  if (!ReadDxfText(text, list, "fuzz.dxf").ok) return 0;
  fuzz::Check(list.count >= 0 && list.count <= EntityList::kMaxEntities, "the entity count stays within the list");
  ElementTable table;
  RecordingProgressLines progress;
  if (!PostProcessIntoTable(list, options, true, table, progress).ok) return 0;
  const int n = table.RowCount;
  fuzz::Check(n >= 1 && n <= ElementTable::kMaxCount, "a done import writes rows within the table");
  for (int r = 1; r <= n; ++r) {
    if (static_cast<double>(table.Code[r]) != kSeparatorCode) continue;
    // A separator has a chain of at least two rows (one segment) on each side.
    fuzz::Check(r >= 3 && r <= n - 2, "no separator near either end");
    fuzz::Check(static_cast<double>(table.Code[r - 1]) != kSeparatorCode &&
                    static_cast<double>(table.Code[r - 2]) != kSeparatorCode &&
                    static_cast<double>(table.Code[r + 1]) != kSeparatorCode &&
                    static_cast<double>(table.Code[r + 2]) != kSeparatorCode,
                "no chain of a single point");
  }
  fuzz::CheckTableReadsBack(table);
  return 0;
}
