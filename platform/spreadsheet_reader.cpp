// Collecting the cells of a worksheet read in any order.
#include "platform/spreadsheet_reader.h"

namespace vx {

void WorksheetBuilder::Put(long long row, long long column, SheetCell cell) {
  if (row < 0 || row >= kMaxRows || column < 0 || column >= m_columns) return;
  auto& rows = m_sheet.rows;
  if (static_cast<size_t>(row) >= rows.size()) rows.resize(static_cast<size_t>(row) + 1);
  auto& cells = rows[static_cast<size_t>(row)];
  if (cells.size() < static_cast<size_t>(m_columns)) cells.resize(static_cast<size_t>(m_columns));
  cells[static_cast<size_t>(column)] = std::move(cell);
}

Worksheet WorksheetBuilder::Finish() {
  auto& rows = m_sheet.rows;
  while (!rows.empty()) {
    bool empty = true;
    for (const auto& cell : rows.back()) empty = empty && cell.IsEmpty();
    if (!empty) break;
    rows.pop_back();
  }
  // Rows inside the range that no cell touched still count as (empty) records.
  for (auto& cells : rows) cells.resize(static_cast<size_t>(m_columns));
  return std::move(m_sheet);
}

}  // namespace vx
