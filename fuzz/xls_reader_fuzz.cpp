// Binary workbooks from bytes: the container, the records and the cells.
// Whatever the bytes, the reader gives a sheet whose cells are empty, finite
// numbers or valid UTF-8, or a reason; and conversion 1 on that sheet ends.
#include <cstddef>
#include <cstdint>
#include <string>

#include "entry/conversion1.h"
#include "fuzz/workbook_check.h"
#include "platform/xls_reader.h"
#include "shell/table_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace vx;
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  const WorksheetResult read = ReadXlsWorkbook(bytes, sheet_field::kCount);
  fuzz::CheckWorksheet(read, sheet_field::kCount);
  if (read.sheet) {
    ElementTable table;
    const SheetConversion converted = ConvertSheet(*read.sheet, table);
    if (converted.ok) fuzz::Check(fuzz::HasNoNonFinite(TableFileText(table)), "no NaN or infinity is written");
  }
  return 0;
}
