// The workbook reader over libfreexl: errors of the library end here as a problem text.
#include "platform/freexl_reader.h"

#include <freexl.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <memory>
#include <system_error>

namespace vx {

namespace {

std::string FreeXlProblem(int code) {
  switch (code) {
    case FREEXL_FILE_NOT_FOUND: return "ファイルを開けません";
    case FREEXL_INVALID_CFBF_HEADER:
    case FREEXL_CFBF_INVALID_SIGNATURE: return "Excel 97-2003 形式のブックではありません";
    case FREEXL_BIFF_WORKBOOK_NOT_FOUND: return "ファイルにブックがありません";
    case FREEXL_BIFF_ILLEGAL_SHEET_INDEX: return "ブックにワークシートがありません";
    case FREEXL_CRAFTED_FILE: return "ファイルが壊れています";
    default: return "ブックが壊れているか、読めない形式です（freexl " + std::to_string(code) + "）";
  }
}

// What the first bytes say about a file: a compound document (the binary
// workbook's container), a zip package (a newer workbook) or something else.
enum class Container { kCompound, kZip, kOther };

Container ContainerOf(const std::string& path) {
  static const unsigned char kCompoundMagic[8] = {0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1};
  unsigned char head[8] = {};
  std::ifstream file(path, std::ios::binary);
  file.read(reinterpret_cast<char*>(head), sizeof head);
  if (file.gcount() == sizeof head && std::equal(head, head + 8, kCompoundMagic)) return Container::kCompound;
  if (file.gcount() >= 2 && head[0] == 'P' && head[1] == 'K') return Container::kZip;
  return Container::kOther;
}

struct HandleCloser {
  void operator()(const void* handle) const { freexl_close(handle); }
};
using Handle = std::unique_ptr<const void, HandleCloser>;

SheetCell CellOf(const FreeXL_CellValue& value) {
  switch (value.type) {
    case FREEXL_CELL_INT: return SheetCell::Number(value.value.int_value);
    case FREEXL_CELL_DOUBLE: return SheetCell::Number(value.value.double_value);
    case FREEXL_CELL_TEXT:
    case FREEXL_CELL_SST_TEXT:
    case FREEXL_CELL_DATE:
    case FREEXL_CELL_DATETIME:
    case FREEXL_CELL_TIME:
      return SheetCell::Text(value.value.text_value != nullptr ? value.value.text_value : "");
    default: return SheetCell();
  }
}

}  // namespace

WorksheetResult FreeXlReader::ReadFirstWorksheet(const std::string& path, int columnCount) const {
  WorksheetResult result;
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error)) {
    result.missing = !std::filesystem::exists(path, error);
    result.problem = result.missing ? "ファイルがありません" : "ファイルではありません";
    return result;
  }
  switch (ContainerOf(path)) {
    case Container::kCompound: break;
    case Container::kZip:
      result.problem = "Excel 2007 以降の形式です。Excel 97-2003 形式で保存してください";
      return result;
    case Container::kOther:
      result.problem = "Excel 97-2003 形式のブックではありません";
      return result;
  }
  const void* raw = nullptr;
  int status = freexl_open(path.c_str(), &raw);
  Handle handle(raw);
  if (status != FREEXL_OK) {
    result.problem = FreeXlProblem(status);
    return result;
  }
  unsigned int passwordState = 0;
  if (freexl_get_info(raw, FREEXL_BIFF_PASSWORD, &passwordState) == FREEXL_OK &&
      passwordState == FREEXL_BIFF_OBFUSCATED) {
    result.problem = "パスワードで保護されています";
    return result;
  }
  status = freexl_select_active_worksheet(raw, 0);
  unsigned int rows = 0;
  unsigned short columns = 0;
  if (status == FREEXL_OK) status = freexl_worksheet_dimensions(raw, &rows, &columns);
  if (status != FREEXL_OK) {
    result.problem = FreeXlProblem(status);
    return result;
  }
  Worksheet sheet;
  const unsigned short wanted = static_cast<unsigned short>(std::min<int>(columns, columnCount));
  sheet.rows.resize(rows);
  for (unsigned int row = 0; row < rows; ++row) {
    auto& cells = sheet.rows[row];
    cells.resize(static_cast<size_t>(columnCount));
    for (unsigned short column = 0; column < wanted; ++column) {
      FreeXL_CellValue value;
      status = freexl_get_cell_value(raw, row, column, &value);
      if (status != FREEXL_OK) {
        result.problem = FreeXlProblem(status);
        return result;
      }
      cells[column] = CellOf(value);
    }
  }
  // The used range may end in rows that only carry formatting: they hold no record.
  while (!sheet.rows.empty()) {
    bool empty = true;
    for (const auto& cell : sheet.rows.back()) empty = empty && cell.IsEmpty();
    if (!empty) break;
    sheet.rows.pop_back();
  }
  result.sheet = std::move(sheet);
  return result;
}

}  // namespace vx
