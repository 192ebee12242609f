// Reading the first worksheet of a workbook as cells, and walking it as records.
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace vx {

// One sheet cell as stored: empty, a number, or text (UTF-8). Dates and times
// arrive as their text.
struct SheetCell {
  enum class Kind { kEmpty, kNumber, kText };
  Kind kind = Kind::kEmpty;
  double number = 0.0;
  std::string text;

  static SheetCell Number(double value) { return {Kind::kNumber, value, {}}; }
  static SheetCell Text(std::string value) { return {Kind::kText, 0.0, std::move(value)}; }
  bool IsEmpty() const { return kind == Kind::kEmpty; }
  bool IsNumber() const { return kind == Kind::kNumber; }
  bool IsText() const { return kind == Kind::kText; }
};

// The used range of one worksheet from sheet row 1 and column A: rows[0] is
// sheet row 1. Cells outside the stored rows read as empty.
struct Worksheet {
  std::vector<std::vector<SheetCell>> rows;

  int RowCount() const { return static_cast<int>(rows.size()); }
  // Cell at 0-based sheet row and column (0 = A); empty outside the range.
  const SheetCell& At(int row, int column) const {
    static const SheetCell kEmpty;
    if (row < 0 || row >= RowCount() || column < 0) return kEmpty;
    const auto& cells = rows[static_cast<size_t>(row)];
    return column < static_cast<int>(cells.size()) ? cells[static_cast<size_t>(column)] : kEmpty;
  }
};

struct WorksheetResult {
  std::optional<Worksheet> sheet;  // absent when the workbook could not be read
  bool missing = false;            // the file does not exist
  std::string problem;             // why it could not be read, for the operator's message
};

class SpreadsheetReader {
 public:
  virtual ~SpreadsheetReader() = default;
  // The first worksheet of the workbook at path, columns 0..columnCount - 1.
  // Never throws; a missing or unreadable file gives no sheet and a problem text.
  virtual WorksheetResult ReadFirstWorksheet(const std::string& path, int columnCount) const = 0;
};

// Answers every path with the same fixed worksheet (or the same failure); for tests.
class FixedSpreadsheetReader : public SpreadsheetReader {
 public:
  explicit FixedSpreadsheetReader(WorksheetResult result) : m_result(std::move(result)) {}
  WorksheetResult ReadFirstWorksheet(const std::string&, int) const override { return m_result; }

 private:
  WorksheetResult m_result;
};

// The worksheet as a database table: sheet row 1 holds the headings and is not
// a record; records are sheet rows 2 .. last used row, in sheet order, empty
// rows included. Positioned on the first record after construction.
class SheetRecords {
 public:
  explicit SheetRecords(const Worksheet& sheet) : m_sheet(sheet) {}

  bool AtEnd() const { return m_row >= m_sheet.RowCount(); }
  // Moves to the next record; at the end it stays at the end.
  void MoveNext() {
    if (!AtEnd()) ++m_row;
  }
  // Field by 0-based position (0 = column A) of the current record; empty at the end.
  const SheetCell& Field(int index) const { return m_sheet.At(m_row, index); }
  // 1-based sheet row of the current record.
  int SheetRow() const { return m_row + 1; }

 private:
  const Worksheet& m_sheet;
  int m_row = 1;  // 0-based sheet row; row 0 is the heading row
};

}  // namespace vx
