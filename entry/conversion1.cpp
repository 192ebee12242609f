// Conversion 1: the entry workbook's first worksheet into the element file.
#include "entry/conversion1.h"

#include <cmath>
#include <memory>

#include "shell/number_text.h"
#include "shell/table_file.h"

namespace vx {

double SheetValue(const SheetCell& cell) {
  switch (cell.kind) {
    case SheetCell::Kind::kEmpty: return 0.0;
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

// The code cell is compared unconverted: only a number cell can match.
std::optional<double> CodeOf(const SheetCell& cell) {
  if (!cell.IsNumber()) return std::nullopt;
  return cell.number;
}

enum class Step { kWritten, kEnd, kSkipped, kFull };

// Writes the rows of one record at CurRow (without advancing past them).
Step ConvertRecord(const SheetRecords& record, ElementWriter& writer, ElementTable& table) {
  using namespace sheet_field;
  const std::optional<double> code = CodeOf(record.Field(kCode));
  const double x = SheetValue(record.Field(kX));
  const double y = SheetValue(record.Field(kY));
  const int row = table.CurRow;
  bool fits = true;
  if (!code) return Step::kSkipped;
  // A number cell matches a code only when it equals it exactly (8.5 matches nothing).
  if (*code == sheet_code::kPoint) {
    fits = writer.Put(row, x, y, element_code::kPoint, 0, SheetValue(record.Field(kCorner)));
  } else if (*code == sheet_code::kLeavingLine) {
    fits = writer.Put(row, x, y, element_code::kLeavingLine, SheetValue(record.Field(kAngle)),
                      SheetValue(record.Field(kCorner)));
  } else if (*code == sheet_code::kEnteringLine) {
    fits = writer.Put(row, x, y, element_code::kEnteringLine, SheetValue(record.Field(kAngle)),
                      SheetValue(record.Field(kCorner)));
  } else if (*code == sheet_code::kParallelLine) {
    fits = writer.Put(row, x, y, element_code::kParallelLine, SheetValue(record.Field(kAngle)),
                      SheetValue(record.Field(kShift)));
  } else if (*code == sheet_code::kCornerItem) {
    fits = writer.Put(row, 0, 0, element_code::kCornerItem, 0, SheetValue(record.Field(kCorner)));
  } else if (*code == sheet_code::kCircle) {
    fits = writer.Put(row, x, y, element_code::kCircle, SheetValue(record.Field(kRadius)),
                      SheetValue(record.Field(kWay)));
  } else if (*code == sheet_code::kSeparator) {
    fits = writer.Put(row, 0, 0, element_code::kSeparator, 0, 0);
  } else if (*code == sheet_code::kEnd) {
    return writer.PutEnd() ? Step::kEnd : Step::kFull;
  } else if (*code == sheet_code::kCircleWithApproach) {
    fits = writer.PutCircleWithApproach(x, y, SheetValue(record.Field(kRadius)));
  } else {
    return Step::kSkipped;
  }
  return fits ? Step::kWritten : Step::kFull;
}

std::string RowLimitMessage(int sheetRow) {
  return "DATAIN.xls のデータが多すぎます：エレメントは " + std::to_string(ElementTable::kMaxCount) +
         " 行までです（シート " + std::to_string(sheetRow) + " 行目で超えました）。ConDTA.dat は書き込みません。";
}

}  // namespace

SheetConversion ConvertSheet(const Worksheet& sheet, ElementTable& table) {
  SheetRecords records(sheet);
  ElementWriter writer(table);
  records.MoveNext();  // the first record (sheet row 2) is never element data
  table.CurRow = 1;
  int unrecognised = 0;
  SheetConversion result;
  while (!records.AtEnd()) {
    Step step = ConvertRecord(records, writer, table);
    if (step == Step::kSkipped && ++unrecognised >= kUnrecognisedLimit) {
      step = writer.PutEnd() ? Step::kEnd : Step::kFull;
    }
    if (step == Step::kFull) {
      result.ok = false;
      result.problem = RowLimitMessage(records.SheetRow());
      return result;
    }
    if (step == Step::kWritten || step == Step::kEnd) ++table.CurRow;
    if (step == Step::kEnd) break;
    records.MoveNext();
  }
  table.RowCount = table.CurRow - 1;
  return result;
}

std::string WorkbookProblemText(const WorksheetResult& read, const std::string& path) {
  return read.missing ? "DATAIN.xls が見つかりません：" + path
                      : "DATAIN.xls を読み込めません（" + read.problem + "）：" + path;
}

Conversion1Result RunConv1(ElementTable& table, const InstallFolder& folder, const SpreadsheetReader& reader) {
  Conversion1Result result;
  const std::string workbook = folder.PathOf(kEntryWorkbook);
  const WorksheetResult read = reader.ReadFirstWorksheet(workbook, sheet_field::kCount);
  if (!read.sheet) {
    result.message = WorkbookProblemText(read, workbook);
    return result;
  }
  // Convert into a copy so that a refused run leaves the shared table as it was;
  // rows past the new count keep the old contents, as the stored row N + 1 shows.
  auto work = std::make_unique<ElementTable>(table);
  const SheetConversion converted = ConvertSheet(*read.sheet, *work);
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
