// Conversion 1 on DATAIN sheets built in LibreOffice Calc as operators build
// them (tests/entry/data/operator, see make_operator_workbooks.py), each
// saved as .xls, .xlsx and .ods, and on the same sheet saved by Gnumeric and
// openpyxl: every format of a sheet gives the same element file or message.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

#include "entry/conversion1.h"
#include "platform/sheet_dump.h"
#include "platform/workbook_reader.h"
#include "support/temp_folder.h"

namespace vx {
namespace {

const std::string kOperator = std::string(VX_SOURCE_DIR) + "/tests/entry/data/operator/";

// Lines joined with CR LF, as the element file has them.
std::string Lines(const std::vector<const char*>& lines) {
  std::string text;
  for (const char* line : lines) text += std::string(line) + "\r\n";
  return text;
}

// Formulas of every kind (arithmetic, references within and across sheets,
// SQRT/SIN/PI/DEGREES, IF, text and boolean results, an empty text, a
// filled-down block, array formulas over one and two cells), a code cell as
// a formula, a merged range, a hidden row, a date, a percentage and an
// amount of money, texts with leading blanks, a comment; sheet row 2 and the
// row after the end hold #DIV/0!, which are never taken. The filled-down
// block counts its codes up (9 to 12: four unrecognised rows).
const std::string kElements = Lines({
    "18",
    "15.5,42,0,0,1.4142135623731",  // =10+5.5, =Calc.A1*2, =SQRT(2)
    "0,42,1,45,1.5",                 // =C3, code =0+1, =DEGREES(ATAN(1)), =IF(B3>10;1.5;0)
    "31.4159265358979,10,2,-33.333,1",  // =PI()*10, =SIN(RADIANS(30))*20, =-ROUND(100/3;3), =1<2
    "32.4159265358979,5,0,0,2",      // the first row of the filled-down block
    "1.5,0,0,0,2.5",                 // ="1.5mm", ="", =" 2.5"
    "93.8318530717959,15.75,0,0,0",  // {=SUM(B3:B5*2)}, the first cell of {=B3:B4+0.25}
    "7,0.25,0,0,0",                  // merged A13:B13 (B13 keeps its 7), the array's second cell
    "1,2,0,0,0.5",                   // a hidden row
    "2024,0.5,0,0,1234.5",           // 2024-01-31 by its text, 50 %, ￥1,234.50
    "12.5,0,0,0,15",                 // "  12.5", "\u30003" (a full-width blank is no blank), "1.5e1"
    "42,-1.73205080756888,8,-7.75,1",  // a circle: =Calc.B2, =-Calc.C2, code =0*1, =-B3/2, =IF(TRUE();1;2)
    "0,0,88,0,0",                    // code =80+8
    "5,5,1,-90,0",                   // code 100 with R =2.5
    "5,5,8,2.5,1",
    "5,5,3,0,2.5",
    "5,5,8,2.5,1",
    "5,5,2,90,0",
    "0,0,99,0,0",  // code =100-1 replaces the separator of the code-100 rows
    ",,,,",
});

// Gnumeric leaves out what a merged range covers: B13 is empty there.
std::string GnumericOds() {
  std::string text = kElements;
  const std::string merged = "\r\n7,0.25,0,0,0\r\n";
  text.replace(text.find(merged), merged.size(), "\r\n0,0.25,0,0,0\r\n");
  return text;
}

std::string Refused(const std::string& workbook, const char* cell, const std::string& why) {
  return workbook + " の " + cell + " は計算結果がありません（" + why + "）。ConDTA.dat は書き込みません。";
}
const char* const kNotSaved = "結果が保存されていません。表計算アプリケーションで再計算して保存し直してください";

struct OperatorCase {
  std::string name;
  std::string workbook;     // file in tests/entry/data/operator
  std::string elementFile;  // when it converts
  std::string why;          // else: the refused cell's reason (the cell is in `cell`)
  const char* cell = "";
};
void PrintTo(const OperatorCase& c, std::ostream* os) { *os << c.name; }

class OperatorWorkbooks : public ::testing::TestWithParam<OperatorCase> {};

TEST_P(OperatorWorkbooks, ConvertAsSaved) {
  const OperatorCase& c = GetParam();
  const std::string extension = std::filesystem::path(c.workbook).extension().string();
  if (extension != ".xls" && !ZippedWorkbooksReadable()) GTEST_SKIP() << "built without .xlsx and .ods";
  const std::string name = "DATAIN" + extension;
  test::TempFolder temp;
  temp.Write("CONDTA.dat", "old");
  std::filesystem::copy_file(kOperator + c.workbook, temp.File(name));
  ElementTable table;
  const Conversion1Result result = RunConv1(table, InstallFolder(temp.Path()), WorkbookReader());
  EXPECT_EQ(result.workbook.name, name);
  if (c.why.empty()) {
    ASSERT_TRUE(result.ok) << result.message;
    EXPECT_EQ(temp.Read("CONDTA.dat"), c.elementFile);
  } else {
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.message, Refused(name, c.cell, c.why));
    EXPECT_EQ(temp.Read("CONDTA.dat"), "old");
  }
}

std::vector<OperatorCase> Cases() {
  std::vector<OperatorCase> cases;
  for (const char* extension : {".xls", ".xlsx", ".ods"}) {
    const std::string ext = extension;
    auto add = [&](const std::string& base, std::string elementFile, std::string why, const char* cell) {
      cases.push_back({base + "_" + ext.substr(1), base + ext, std::move(elementFile), std::move(why), cell});
    };
    add("elements", kElements, "", "");
    // An error result in a cell the row takes stops the conversion naming it;
    // the =1/0 in the angle of the point row before it is not taken.
    add("error_div0", "", "計算エラー #DIV/0!", "C4");
    add("error_value", "", "計算エラー #VALUE!", "C4");
    add("error_na", "", "計算エラー #N/A", "C4");
    add("error_num", "", ext == ".ods" ? "計算エラー Err:502" : "計算エラー #VALUE!", "C4");  // =SQRT(-1)
    add("error_name", "", "計算エラー #NAME?", "C4");
    add("error_ref", "", "計算エラー #REF!", "C4");  // the cell referred to was deleted
    add("error_code", "", "計算エラー #N/A", "D4");
    // Gnumeric: .xls as LibreOffice's; .ods without what a merge covers;
    // .xlsx with the empty text result ="" saved without a value.
    add("gnumeric_elements", ext == ".ods" ? GnumericOds() : kElements, ext == ".xlsx" ? kNotSaved : "",
        ext == ".xlsx" ? "C11" : "");
  }
  // openpyxl writes formulas without results.
  cases.push_back({"OpenpyxlFormulasWithoutResults", "openpyxl_formulas.xlsx", "", kNotSaved, "C3"});
  return cases;
}

INSTANTIATE_TEST_SUITE_P(Saved, OperatorWorkbooks, ::testing::ValuesIn(Cases()),
                         [](const auto& info) { return info.param.name; });

// 2000 element rows (formulas in column B) pass the limit of 1999 in every format.
TEST(OperatorWorkbooksLong, TwoThousandRowsAreRefused) {
  for (const char* extension : {".xls", ".xlsx", ".ods"}) {
    if (std::string(extension) != ".xls" && !ZippedWorkbooksReadable()) continue;
    const std::string name = std::string("DATAIN") + extension;
    test::TempFolder temp;
    std::filesystem::copy_file(kOperator + "long_2000" + extension, temp.File(name));
    ElementTable table;
    const Conversion1Result result = RunConv1(table, InstallFolder(temp.Path()), WorkbookReader());
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.message, name + " のデータが多すぎます：エレメントは 1999 行までです（シート 2002 行目で超えました）。"
                                     "ConDTA.dat は書き込みません。");
    EXPECT_FALSE(std::filesystem::exists(temp.File("CONDTA.dat"))) << extension;
  }
}

// Beyond the element file: the three formats of each sheet read to the same
// cells (numbers to 15 significant digits, which the newer formats keep),
// except the error texts LibreOffice writes in .ods ("Err:502").
TEST(OperatorWorkbooksCells, TheThreeFormatsReadAlike) {
  if (!ZippedWorkbooksReadable()) GTEST_SKIP() << "built without .xlsx and .ods";
  for (const char* name : {"elements", "error_div0", "error_value", "error_na", "error_num", "error_name",
                           "error_ref", "error_code", "long_2000"}) {
    const WorksheetResult xls = WorkbookReader().ReadFirstWorksheet(kOperator + name + ".xls", 9);
    ASSERT_TRUE(xls.sheet) << name << ": " << xls.problem;
    const std::string expected = test::DumpSheet(*xls.sheet);
    for (const char* extension : {".xlsx", ".ods"}) {
      const WorksheetResult other = WorkbookReader().ReadFirstWorksheet(kOperator + name + extension, 9);
      ASSERT_TRUE(other.sheet) << name << extension << ": " << other.problem;
      std::string dump = test::DumpSheet(*other.sheet);
      if (std::string(name) == "error_num" && std::string(extension) == ".ods") {
        dump.replace(dump.find("Err:502"), 7, "#VALUE!");
      }
      EXPECT_EQ(dump, expected) << name << extension;
    }
  }
}

}  // namespace
}  // namespace vx
