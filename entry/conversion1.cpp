// Conversion 1: the entry workbook's first worksheet into the element file.
#include "entry/conversion1.h"

#include <cmath>
#include <filesystem>
#include <memory>
#include <optional>
#include <system_error>

#include "platform/file_path.h"
#include "shell/number_text.h"
#include "shell/table_file.h"

namespace vx {

double SheetValue(const SheetCell& cell) {
  switch (cell.kind) {
    case SheetCell::Kind::kEmpty:
    case SheetCell::Kind::kNoResult: return 0.0;
    case SheetCell::Kind::kNumber: return NumericValue(ShortestText(cell.number));
    case SheetCell::Kind::kText: return NumericValue(cell.text);
  }
  return 0.0;
}

namespace {

// The element-file rows a record becomes, written at CurRow onwards.
class ElementWriter {
 public:
  explicit ElementWriter(ElementTable& table) : m_table(table) {}

  // Writes one row at index; false when the index lies past the last row a
  // file may count (row N + 1 must still fit in the table).
  bool Put(int index, double x, double y, int code, double p1, double p2) {
    if (index > ElementTable::kMaxCount) return false;
    m_table.X[index] = x;
    m_table.Y[index] = y;
    m_table.Code[index] = code;
    m_table.P1[index] = p1;
    m_table.P2[index] = p2;
    return true;
  }

  // Code 100: a circle of radius R about (X, Y) with straight approach lines,
  // six rows; CurRow is left on the sixth.
  bool PutCircleWithApproach(double x, double y, double radius) {
    const int row = m_table.CurRow;
    if (!(Put(row, x, y, element_code::kLeavingLine, -90, 0) &&
          Put(row + 1, x, y, element_code::kCircle, radius, 1) &&
          Put(row + 2, x, y, element_code::kParallelLine, 0, std::fabs(radius)) &&
          Put(row + 3, x, y, element_code::kCircle, radius, 1) &&
          Put(row + 4, x, y, element_code::kEnteringLine, 90, 0) &&
          Put(row + 5, 0, 0, element_code::kSeparator, 0, 0))) {
      return false;
    }
    m_table.CurRow = row + 5;
    return true;
  }

  // The end rule: the end row replaces a separator written just before it.
  bool PutEnd() {
    // Codes are whole numbers written by this stage: the exact test is intended.
    if (m_table.CurRow > 1 && static_cast<double>(m_table.Code[m_table.CurRow - 1]) == element_code::kSeparator) {
      --m_table.CurRow;
    }
    return Put(m_table.CurRow, 0, 0, element_code::kEnd, 0, 0);
  }

 private:
  ElementTable& m_table;
};

// The fields of the current record as conversion 1 takes them. A formula
// cell without a stored result is noted and reads as 0.
class RecordFields {
 public:
  explicit RecordFields(const SheetRecords& record) : m_record(record) {}

  double Value(int index) {
    const SheetCell& cell = m_record.Field(index);
    if (cell.IsNoResult()) Note(index, cell);
    return SheetValue(cell);
  }
  // The code cell is compared unconverted: only a number cell can match.
  std::optional<double> Code() {
    const SheetCell& cell = m_record.Field(sheet_field::kCode);
    if (cell.IsNoResult()) Note(sheet_field::kCode, cell);
    if (!cell.IsNumber()) return std::nullopt;
    return cell.number;
  }
  const std::optional<std::pair<int, std::string>>& NoResult() const { return m_noResult; }
  int SheetRow() const { return m_record.SheetRow(); }

 private:
  // The leftmost such cell is named, whatever order the fields are read in.
  void Note(int index, const SheetCell& cell) {
    if (!m_noResult || index < m_noResult->first) m_noResult = std::make_pair(index, cell.text);
  }
  const SheetRecords& m_record;
  std::optional<std::pair<int, std::string>> m_noResult;  // column and error text
};

enum class Step { kWritten, kEnd, kSkipped, kFull };

// Writes the rows of one record at CurRow (without advancing past them).
// Only the fields the record's code uses are read.
Step ConvertRecord(RecordFields& field, ElementWriter& writer, ElementTable& table) {
  using namespace sheet_field;
  const std::optional<double> code = field.Code();
  const int row = table.CurRow;
  bool fits = true;
  if (!code) return Step::kSkipped;
  // A number cell matches a code only when it equals it exactly (8.5 matches nothing).
  if (*code == sheet_code::kPoint) {
    fits = writer.Put(row, field.Value(kX), field.Value(kY), element_code::kPoint, 0, field.Value(kCorner));
  } else if (*code == sheet_code::kLeavingLine) {
    fits = writer.Put(row, field.Value(kX), field.Value(kY), element_code::kLeavingLine, field.Value(kAngle),
                      field.Value(kCorner));
  } else if (*code == sheet_code::kEnteringLine) {
    fits = writer.Put(row, field.Value(kX), field.Value(kY), element_code::kEnteringLine, field.Value(kAngle),
                      field.Value(kCorner));
  } else if (*code == sheet_code::kParallelLine) {
    fits = writer.Put(row, field.Value(kX), field.Value(kY), element_code::kParallelLine, field.Value(kAngle),
                      field.Value(kShift));
  } else if (*code == sheet_code::kCornerItem) {
    fits = writer.Put(row, 0, 0, element_code::kCornerItem, 0, field.Value(kCorner));
  } else if (*code == sheet_code::kCircle) {
    fits = writer.Put(row, field.Value(kX), field.Value(kY), element_code::kCircle, field.Value(kRadius),
                      field.Value(kWay));
  } else if (*code == sheet_code::kSeparator) {
    fits = writer.Put(row, 0, 0, element_code::kSeparator, 0, 0);
  } else if (*code == sheet_code::kEnd) {
    return writer.PutEnd() ? Step::kEnd : Step::kFull;
  } else if (*code == sheet_code::kCircleWithApproach) {
    fits = writer.PutCircleWithApproach(field.Value(kX), field.Value(kY), field.Value(kRadius));
  } else {
    return Step::kSkipped;
  }
  return fits ? Step::kWritten : Step::kFull;
}

// "B7": the column letter and the 1-based sheet row.
std::string CellName(int column, int sheetRow) {
  return std::string(1, static_cast<char>('A' + column)) + std::to_string(sheetRow);
}

std::string NoResultMessage(const std::string& workbookName, int column, int sheetRow, const std::string& error) {
  const std::string why = error.empty()
                              ? "結果が保存されていません。表計算アプリケーションで再計算して保存し直してください"
                              : "計算エラー " + error;
  return workbookName + " の " + CellName(column, sheetRow) + " は計算結果がありません（" + why +
         "）。ConDTA.dat は書き込みません。";
}

std::string RowLimitMessage(const std::string& workbookName, int sheetRow) {
  return workbookName + " のデータが多すぎます：エレメントは " + std::to_string(ElementTable::kMaxCount) +
         " 行までです（シート " + std::to_string(sheetRow) + " 行目で超えました）。ConDTA.dat は書き込みません。";
}

}  // namespace

SheetConversion ConvertSheet(const Worksheet& sheet, ElementTable& table, const std::string& workbookName) {
  SheetRecords records(sheet);
  ElementWriter writer(table);
  records.MoveNext();  // the first record (sheet row 2) is never element data
  table.CurRow = 1;
  int unrecognised = 0;
  SheetConversion result;
  while (!records.AtEnd()) {
    RecordFields fields(records);
    Step step = ConvertRecord(fields, writer, table);
    if (fields.NoResult()) {
      result.ok = false;
      result.problem = NoResultMessage(workbookName, fields.NoResult()->first, records.SheetRow(),
                                       fields.NoResult()->second);
      return result;
    }
    if (step == Step::kSkipped && ++unrecognised >= kUnrecognisedLimit) {
      step = writer.PutEnd() ? Step::kEnd : Step::kFull;
    }
    if (step == Step::kFull) {
      result.ok = false;
      result.problem = RowLimitMessage(workbookName, records.SheetRow());
      return result;
    }
    if (step == Step::kWritten || step == Step::kEnd) ++table.CurRow;
    if (step == Step::kEnd) break;
    records.MoveNext();
  }
  table.RowCount = table.CurRow - 1;
  return result;
}

std::string WorkbookProblemText(const WorksheetResult& read, const std::string& path,
                                const std::string& workbookName) {
  return read.missing ? workbookName + " が見つかりません：" + path
                      : workbookName + " を読み込めません（" + read.problem + "）：" + path;
}

EntryWorkbook FindEntryWorkbook(const InstallFolder& folder) {
  EntryWorkbook newest;
  std::filesystem::file_time_type newestTime;
  for (const char* name : kEntryWorkbookNames) {
    const std::string path = folder.PathOf(name);
    std::error_code error;
    if (!std::filesystem::is_regular_file(PathFromUtf8(path), error)) continue;
    const auto time = std::filesystem::last_write_time(PathFromUtf8(path), error);
    if (error) continue;
    if (!newest.exists || time > newestTime) {
      newest = {name, path, true};
      newestTime = time;
    }
  }
  if (!newest.exists) newest = {kEntryWorkbook, folder.PathOf(kEntryWorkbook), false};
  return newest;
}

std::string WorkbookReadText(const EntryWorkbook& workbook) {
  return workbook.name + " を読み込みました：" + workbook.path;
}

Conversion1Result RunConv1(ElementTable& table, const InstallFolder& folder, const SpreadsheetReader& reader) {
  Conversion1Result result;
  result.workbook = FindEntryWorkbook(folder);
  const std::string& workbook = result.workbook.path;
  const WorksheetResult read = reader.ReadFirstWorksheet(workbook, sheet_field::kCount);
  if (!read.sheet) {
    result.message = WorkbookProblemText(read, workbook, result.workbook.name);
    return result;
  }
  // Convert into a copy so that a refused run leaves the shared table as it was;
  // rows past the new count keep the old contents, as the stored row N + 1 shows.
  auto work = std::make_unique<ElementTable>(table);
  const SheetConversion converted = ConvertSheet(*read.sheet, *work, result.workbook.name);
  if (!converted.ok) {
    result.message = converted.problem;
    return result;
  }
  result.elementFile = folder.PathOf(kElementFile);
  if (!SaveTable(*work, result.elementFile)) {
    result.message = "ConDTA.dat を書き込めません：" + result.elementFile;
    return result;
  }
  table = *work;
  result.ok = true;
  return result;
}

}  // namespace vx
