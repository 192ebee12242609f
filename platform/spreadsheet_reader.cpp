// Collecting the cells of a worksheet read in any order, and a result in bytes.
#include "platform/spreadsheet_reader.h"

#include <cstdint>
#include <cstring>

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

namespace {

void PutU32(std::string& out, uint32_t value) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<char>(value >> (8 * i) & 0xFF));
}
void PutText(std::string& out, const std::string& text) {
  PutU32(out, static_cast<uint32_t>(text.size()));
  out += text;
}

// Reads the serialized form with every length checked against what is left.
class Reader {
 public:
  explicit Reader(const std::string& bytes) : m_bytes(bytes) {}
  bool U32(uint32_t& value) {
    if (m_bytes.size() - m_at < 4) return false;
    value = static_cast<uint32_t>(static_cast<unsigned char>(m_bytes[m_at])) |
            static_cast<uint32_t>(static_cast<unsigned char>(m_bytes[m_at + 1])) << 8 |
            static_cast<uint32_t>(static_cast<unsigned char>(m_bytes[m_at + 2])) << 16 |
            static_cast<uint32_t>(static_cast<unsigned char>(m_bytes[m_at + 3])) << 24;
    m_at += 4;
    return true;
  }
  bool U8(uint8_t& value) {
    if (m_at >= m_bytes.size()) return false;
    value = static_cast<uint8_t>(m_bytes[m_at++]);
    return true;
  }
  bool F64(double& value) {
    if (m_bytes.size() - m_at < 8) return false;
    std::memcpy(&value, m_bytes.data() + m_at, 8);
    m_at += 8;
    return true;
  }
  bool Text(std::string& text) {
    uint32_t size = 0;
    if (!U32(size) || m_bytes.size() - m_at < size) return false;
    text = m_bytes.substr(m_at, size);
    m_at += size;
    return true;
  }
  bool AtEnd() const { return m_at == m_bytes.size(); }

 private:
  const std::string& m_bytes;
  size_t m_at = 0;
};

}  // namespace

std::string SerializeWorksheetResult(const WorksheetResult& result) {
  std::string out;
  out.push_back(result.sheet ? 1 : 0);
  out.push_back(result.missing ? 1 : 0);
  PutText(out, result.problem);
  if (!result.sheet) return out;
  PutU32(out, static_cast<uint32_t>(result.sheet->rows.size()));
  for (const auto& row : result.sheet->rows) {
    PutU32(out, static_cast<uint32_t>(row.size()));
    for (const SheetCell& cell : row) {
      out.push_back(static_cast<char>(cell.kind));
      out.append(reinterpret_cast<const char*>(&cell.number), 8);
      PutText(out, cell.text);
    }
  }
  return out;
}

bool DeserializeWorksheetResult(const std::string& bytes, WorksheetResult& result) {
  Reader in(bytes);
  uint8_t hasSheet = 0, missing = 0;
  WorksheetResult read;
  if (!in.U8(hasSheet) || !in.U8(missing) || !in.Text(read.problem)) return false;
  read.missing = missing != 0;
  if (hasSheet) {
    uint32_t rows = 0;
    if (!in.U32(rows) || rows > static_cast<uint32_t>(WorksheetBuilder::kMaxRows)) return false;
    Worksheet sheet;
    sheet.rows.resize(rows);
    for (auto& row : sheet.rows) {
      uint32_t cells = 0;
      if (!in.U32(cells) || cells > 16384) return false;
      row.resize(cells);
      for (SheetCell& cell : row) {
        uint8_t kind = 0;
        if (!in.U8(kind) || kind > static_cast<uint8_t>(SheetCell::Kind::kNoResult) || !in.F64(cell.number) ||
            !in.Text(cell.text)) {
          return false;
        }
        cell.kind = static_cast<SheetCell::Kind>(kind);
      }
    }
    read.sheet = std::move(sheet);
  }
  if (!in.AtEnd()) return false;
  result = std::move(read);
  return true;
}

}  // namespace vx
