// Table files from bytes: whatever loads is written, and the written file reads
// back to the same table (values are written to 15 significant digits, so the
// first writing may round; from then on the text is stable).
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz/fuzz_check.h"
#include "shell/table_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace vx;
  const std::string text(reinterpret_cast<const char*>(data), size);
  ElementTable table;
  if (LoadTableText(table, text) != LoadStatus::kOk) return 0;
  const std::string written = TableFileText(table);
  ElementTable again;
  fuzz::Check(LoadTableText(again, written) == LoadStatus::kOk, "a written table loads");
  fuzz::Check(again.RowCount == table.RowCount, "the count reads back");
  fuzz::Check(TableFileText(again) == written, "a written table reads back equal");
  fuzz::Check(fuzz::HasNoNonFinite(written), "no NaN or infinity is written");
  return 0;
}
