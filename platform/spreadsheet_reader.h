// Reading the first worksheet of a workbook as cells, and walking it as records.
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace vx {

// One sheet cell as stored: empty, a number, or text (UTF-8). Dates and times
// arrive as their text, a boolean as the number 1 or 0. A formula cell is the
// result the spreadsheet stored with it, in the same kinds; a formula whose
// stored result is an error, or that has no stored result, is kNoResult with
// the error's text ("#DIV/0!") or an empty text. Numbers are always finite.
struct SheetCell {
  enum class Kind { kEmpty, kNumber, kText, kNoResult };
  Kind kind = Kind::kEmpty;
  double number = 0.0;
  std::string text;

  static SheetCell Number(double value) { return {Kind::kNumber, value, {}}; }
  static SheetCell Text(std::string value) { return {Kind::kText, 0.0, std::move(value)}; }
  static SheetCell NoResult(std::string error) { return {Kind::kNoResult, 0.0, std::move(error)}; }
  bool IsEmpty() const { return kind == Kind::kEmpty; }
  bool IsNumber() const { return kind == Kind::kNumber; }
  bool IsText() const { return kind == Kind::kText; }
  bool IsNoResult() const { return kind == Kind::kNoResult; }
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

// Collects cells in any order into a Worksheet of the first columnCount
// columns. A later cell at the same place replaces the earlier one. Rows past
// kMaxRows (the binary format's own limit) are left out: conversion 1 ends
// long before (at most 1999 element rows and five unrecognised records).
class WorksheetBuilder {
 public:
  static constexpr int kMaxRows = 65536;
  explicit WorksheetBuilder(int columnCount) : m_columns(columnCount) {}

  void Put(long long row, long long column, SheetCell cell);
  // The sheet, without trailing rows that are empty in every kept column.
  Worksheet Finish();

 private:
  int m_columns;
  Worksheet m_sheet;
};

// Why a workbook could not be read, as the operator reads it after the file's name.
namespace workbook_problem {
inline constexpr const char* kMissing = "ファイルがありません";
inline constexpr const char* kNotAFile = "ファイルではありません";
inline constexpr const char* kCannotOpen = "ファイルを開けません";
inline constexpr const char* kTooLarge = "ファイルが大きすぎます（100 MB まで）";
inline constexpr const char* kNotWorkbook = "ブック（.xls、.xlsx、.ods）ではありません";
inline constexpr const char* kDamaged = "ブックが壊れています";
inline constexpr const char* kPassword =
    "ブックがパスワードで保護されています。パスワードを付けずに保存し直してください";
inline constexpr const char* kTooOld = "Excel 4.0 以前の形式です。Excel 97-2003 形式で保存し直してください";
inline constexpr const char* kNoWorksheet = "ブックにワークシートがありません";
inline constexpr const char* kNoZipSupport = "この版は .xlsx と .ods を読めません。Excel 97-2003 形式で保存し直してください";
}  // namespace workbook_problem

struct WorksheetResult {
  std::optional<Worksheet> sheet;  // absent when the workbook could not be read
  bool missing = false;            // the file does not exist
  std::string problem;             // why it could not be read, for the operator's message
};

// The result in bytes and back, as a reader run in a child process hands it
// to its parent; false when the bytes are not a whole result.
std::string SerializeWorksheetResult(const WorksheetResult& result);
bool DeserializeWorksheetResult(const std::string& bytes, WorksheetResult& result);

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
