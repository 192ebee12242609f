// The workbook stream decoded to cells: every cell record, formula results
// with their STRING record, dates, and the workbooks that are refused.
#include <gtest/gtest.h>

#include "platform/biff_records.h"
#include "platform/workbook_bytes.h"
#include "platform/xls_workbook.h"

namespace vx {
namespace {

using namespace test;

// A FORMULA record's place, its 8-byte result and an arbitrary expression.
std::string Formula(unsigned row, unsigned column, const std::string& result, unsigned xf = 0) {
  return Record(biff::kFormula, Place(row, column, xf) + result + Le16(0) + Le32(0) + Le16(3) + "\x1E\x01\x00");
}
std::string SpecialResult(int kind, int value) {
  return std::string{static_cast<char>(kind), 0, static_cast<char>(value), 0, 0, 0, '\xFF', '\xFF'};
}

std::string Describe(const SheetCell& cell) {
  switch (cell.kind) {
    case SheetCell::Kind::kEmpty: return "empty";
    case SheetCell::Kind::kNumber: {
      char buffer[40];
      std::snprintf(buffer, sizeof buffer, "number %.15g", cell.number);
      return buffer;
    }
    case SheetCell::Kind::kText: return "text " + cell.text;
    case SheetCell::Kind::kNoResult: return "no result " + cell.text;
  }
  return "?";
}

struct CellCase {
  const char* name;
  std::string globals;
  std::string cells;
  int row, column;
  const char* expected;
};
void PrintTo(const CellCase& c, std::ostream* os) { *os << c.name; }

class XlsCells : public ::testing::TestWithParam<CellCase> {};

TEST_P(XlsCells, Decoded) {
  const XlsSheet decoded = DecodeXlsWorkbook(WorkbookStream(GetParam().globals, GetParam().cells), 9);
  ASSERT_EQ(decoded.status, XlsStatus::kOk);
  EXPECT_EQ(Describe(decoded.sheet.At(GetParam().row, GetParam().column)), GetParam().expected);
}

// Shared strings: "x", then a string whose characters continue in the next record.
const std::string kSst = Record(biff::kSst, Le32(2) + Le32(2) + Narrow16("x") + Le16(5) + '\0' + "ab") +
                         Record(biff::kContinue, std::string("\x00", 1) + "cde");
// Cell formats: 0 general, 1 a date format of its own, 2 the built-in time format 20.
const std::string kFormats = Record(biff::kFormat, Le16(164) + Le16(10) + '\0' + "yyyy/mm/dd") +
                             Record(biff::kXf, Le16(0) + Le16(0) + std::string(16, '\0')) +
                             Record(biff::kXf, Le16(0) + Le16(164) + std::string(16, '\0')) +
                             Record(biff::kXf, Le16(0) + Le16(20) + std::string(16, '\0'));

INSTANTIATE_TEST_SUITE_P(
    Records, XlsCells,
    ::testing::Values(
        CellCase{"Number", "", Record(biff::kNumber, Place(2, 1) + F64(-12.5)), 2, 1, "number -12.5"},
        CellCase{"Rk", "", Record(biff::kRk, Place(0, 3) + Le32((8u << 2) | 2u)), 0, 3, "number 8"},
        CellCase{"MulRkThirdCell", "",
                 Record(biff::kMulRk, Le16(4) + Le16(2) + Le16(0) + Le32(2 | 4) + Le16(0) + Le32(2 | 8) + Le16(0) +
                                          Le32((123u << 2) | 3u) + Le16(4)),
                 4, 4, "number 1.23"},
        CellCase{"LabelSst", kSst, Record(biff::kLabelSst, Place(1, 0) + Le32(0)), 1, 0, "text x"},
        CellCase{"LabelSstAcrossContinue", kSst, Record(biff::kLabelSst, Place(1, 0) + Le32(1)), 1, 0, "text abcde"},
        CellCase{"Label", "", Record(biff::kLabel, Place(0, 0) + Narrow16("(  D  )")), 0, 0, "text (  D  )"},
        CellCase{"BooleanTrue", "", Record(biff::kBoolErr, Place(0, 0) + std::string("\x01\x00", 2)), 0, 0, "number 1"},
        // An error typed as a constant is a cell like text; only formulas lack a result.
        CellCase{"ErrorConstant", "", Record(biff::kBoolErr, Place(0, 0) + std::string("\x07\x01", 2)), 0, 0,
                 "text #DIV/0!"},
        CellCase{"BlankIsEmpty", "", Record(biff::kBlank, Place(0, 0)) + Record(biff::kNumber, Place(1, 0) + F64(1)), 0,
                 0, "empty"},
        CellCase{"FormulaNumber", "", Formula(0, 1, F64(15.5)), 0, 1, "number 15.5"},
        CellCase{"FormulaTextAfterSharedFormula", "",
                 Formula(0, 1, SpecialResult(0, 0)) + Record(biff::kSharedFormula, std::string(10, '\0')) +
                     Record(biff::kString, Narrow16("12.5mm")),
                 0, 1, "text 12.5mm"},
        CellCase{"FormulaTextAcrossContinue", "",
                 Formula(0, 1, SpecialResult(0, 0)) + Record(biff::kString, Le16(4) + '\0' + "ab") +
                     Record(biff::kContinue, std::string("\x01", 1) + Le16('c') + Le16('d')),
                 0, 1, "text abcd"},
        CellCase{"FormulaTextWithoutString", "", Formula(0, 1, SpecialResult(0, 0)), 0, 1, "no result "},
        CellCase{"FormulaBoolean", "", Formula(0, 1, SpecialResult(1, 1)), 0, 1, "number 1"},
        CellCase{"FormulaError", "", Formula(0, 1, SpecialResult(2, 0x2A)), 0, 1, "no result #N/A"},
        CellCase{"FormulaEmptyText", "", Formula(0, 1, SpecialResult(3, 0)), 0, 1, "text "},
        CellCase{"FormulaInfinityIsNoResult", "", Formula(0, 1, F64(1.0 / 0.0)), 0, 1, "no result #NUM!"},
        CellCase{"DateFormat", kFormats, Record(biff::kNumber, Place(0, 0, 1) + F64(45322)), 0, 0, "text 2024-01-31"},
        CellCase{"TimeFormat", kFormats, Record(biff::kNumber, Place(0, 0, 2) + F64(0.5208333333)), 0, 0,
                 "text 12:30:00"},
        CellCase{"DateFrom1904", kFormats + Record(biff::kDateMode, Le16(1)),
                 Record(biff::kNumber, Place(0, 0, 1) + F64(43860)), 0, 0, "text 2024-01-31"},
        CellCase{"DateFormulaResult", kFormats, Formula(0, 0, F64(45322), 1), 0, 0, "text 2024-01-31"},
        CellCase{"NegativeNumberInDateFormatStaysANumber", kFormats, Record(biff::kNumber, Place(0, 0, 1) + F64(-3)),
                 0, 0, "number -3"},
        // The cells of a chart embedded in the sheet are not the sheet's.
        CellCase{"EmbeddedSubstreamSkipped", "",
                 Record(biff::kBof, Le16(0x0600) + Le16(0x0020) + std::string(12, '\0')) +
                     Record(biff::kNumber, Place(0, 0) + F64(9)) + Record(biff::kEof, "") +
                     Record(biff::kNumber, Place(1, 0) + F64(1)),
                 0, 0, "empty"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(XlsWorkbook, SheetRowsAndColumns) {
  const std::string cells = Record(biff::kNumber, Place(5, 2) + F64(1)) + Record(biff::kNumber, Place(7, 20) + F64(2)) +
                            Record(biff::kBlank, Place(9, 0));
  const XlsSheet decoded = DecodeXlsWorkbook(WorkbookStream("", cells), 9);
  ASSERT_EQ(decoded.status, XlsStatus::kOk);
  // Column U is not asked for and a formatted blank holds nothing: the sheet ends at row 6.
  EXPECT_EQ(decoded.sheet.RowCount(), 6);
  EXPECT_EQ(decoded.sheet.rows[0].size(), 9u);
}

TEST(XlsWorkbook, Biff5TextsInTheCodePage) {
  const std::string globals = Record(biff::kCodePage, Le16(932));
  const std::string cells = Record(biff::kLabel, Place(0, 0) + Le16(4) + "\x8A\xDB\x82\xA0") +
                            Record(biff::kNumber, Place(0, 1) + F64(2.5));
  const XlsSheet decoded = DecodeXlsWorkbook(WorkbookStream(globals, cells, 0x0500), 9);
  ASSERT_EQ(decoded.status, XlsStatus::kOk);
  EXPECT_EQ(decoded.sheet.At(0, 0).text, "丸あ");
  EXPECT_EQ(decoded.sheet.At(0, 1).number, 2.5);
}

struct RefusalCase {
  const char* name;
  std::string stream;
  XlsStatus status;
};
void PrintTo(const RefusalCase& c, std::ostream* os) { *os << c.name; }

class XlsRefusals : public ::testing::TestWithParam<RefusalCase> {};

TEST_P(XlsRefusals, Status) { EXPECT_EQ(DecodeXlsWorkbook(GetParam().stream, 9).status, GetParam().status); }

std::string WithoutTheLastByte(std::string s) {
  s.pop_back();
  return s;
}

INSTANTIATE_TEST_SUITE_P(
    Streams, XlsRefusals,
    ::testing::Values(
        RefusalCase{"Encrypted", WorkbookStream(Record(biff::kFilePass, Le16(1) + std::string(52, '\0')), ""),
                    XlsStatus::kEncrypted},
        RefusalCase{"Biff4", Record(biff::kBofBiff4, Le16(0) + Le16(0x10)), XlsStatus::kTooOld},
        RefusalCase{"Empty", "", XlsStatus::kDamaged},
        RefusalCase{"WorksheetCutShort", WithoutTheLastByte(WorkbookStream("", Record(biff::kNumber, Place(0, 0) + F64(1)))),
                    XlsStatus::kDamaged},
        RefusalCase{"SharedStringIndexPastTheTable", WorkbookStream("", Record(biff::kLabelSst, Place(0, 0) + Le32(3))),
                    XlsStatus::kDamaged},
        RefusalCase{"NumberRecordTooShort", WorkbookStream("", Record(biff::kNumber, Place(0, 0) + "abc")),
                    XlsStatus::kDamaged},
        RefusalCase{"ChartSheetOnly",
                    [] {
                      std::string s = WorkbookStream("", "");
                      s[s.find(std::string("\x06\x00Sheet1", 8)) - 1] = 2;  // the sheet type byte: chart
                      return s;
                    }(),
                    XlsStatus::kNoWorksheet}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace vx
