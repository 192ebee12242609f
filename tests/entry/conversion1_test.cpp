// Conversion 1 on workbooks saved by LibreOffice Calc, and its orderly refusals.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <optional>
#include <vector>

#include "entry/conversion1.h"
#include "platform/file_path.h"
#include "platform/workbook_reader.h"
#include "shell/table_file.h"
#include "support/temp_folder.h"

namespace vx {
namespace {

const std::string kData = std::string(VX_SOURCE_DIR) + "/tests/entry/data/";

// An install folder holding one of the test workbooks as its DATAIN.xls.
struct Conversion1Fixture : ::testing::Test {
  test::TempFolder temp;
  InstallFolder folder{temp.Path()};
  ElementTable table;
  WorkbookReader reader;

  Conversion1Result Convert(const std::string& workbook, const std::string& asName = "DATAIN.xls") {
    std::filesystem::copy_file(kData + workbook, temp.File(asName));
    return RunConv1(table, folder, reader);
  }
};

struct GoldenCase {
  const char* name;
  const char* workbook;
  const char* elementFile;
};
void PrintTo(const GoldenCase& c, std::ostream* os) { *os << c.name; }

class Conversion1Golden : public Conversion1Fixture, public ::testing::WithParamInterface<GoldenCase> {};

TEST_P(Conversion1Golden, WritesTheElementFile) {
  const Conversion1Result result = Convert(GetParam().workbook);
  ASSERT_TRUE(result.ok) << result.message;
  EXPECT_EQ(temp.Read("CONDTA.dat"), GetParam().elementFile);
}

INSTANTIATE_TEST_SUITE_P(
    Workbooks, Conversion1Golden,
    ::testing::Values(
        // Sheet row 2 skipped; 8 <-> 0 swapped; code 100 with R = -5 gives six
        // rows; its trailing separator is replaced by the end row; nothing after 99.
        GoldenCase{"EveryCodeAndTheEndRule", "codes.xls",
                   "13\r\n"
                   "10,20,0,0,3\r\n"
                   "11,21,1,30,2.5\r\n"
                   "12,22,2,-45,1.5\r\n"
                   "13,23,3,60,4.25\r\n"
                   "0,0,5,0,0.5\r\n"
                   "15,25,8,-12.5,2\r\n"
                   "0,0,88,0,0\r\n"
                   "40,50,1,-90,0\r\n"
                   "40,50,8,-5,1\r\n"
                   "40,50,3,0,5\r\n"
                   "40,50,8,-5,1\r\n"
                   "40,50,2,90,0\r\n"
                   "0,0,99,0,0\r\n"
                   ",,,,\r\n"},
        // Four empty records are skipped; the fifth unrecognised one (a code
        // typed as text) ends the list with an end row although "d" follows.
        GoldenCase{"FifthUnrecognisedRowEndsTheList", "gaps.xls",
                   "4\r\n1,1,0,0,0\r\n2,2,0,0,0\r\n3,3,0,0,0\r\n0,0,99,0,0\r\n,,,,\r\n"},
        // No 99: the count is the last element row; text cells by their
        // leading number ("12.5mm" -> 12.5, "R2" -> 0); code 8.5 matches nothing.
        GoldenCase{"WithoutEndRowCountIsLastElement", "noend.xls",
                   "3\r\n12.5,7,0,0,0\r\n30,0,1,45,0\r\n0,20,0,0,0\r\n,,,,\r\n"},
        GoldenCase{"OnlyRowTwoGivesNoElement", "onlyrow2.xls", "0\r\n,,,,\r\n"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Conversion1Fixture, CodeHundredWithNegativeRadius) {
  ASSERT_TRUE(Convert("codes.xls").ok);
  EXPECT_EQ(table.RowCount, 13);
  EXPECT_EQ(table.CurRow, 15);  // SaveTable leaves it at N + 2
  // The parallel line is shifted by the absolute radius, both circles keep the sign.
  EXPECT_EQ(table.Code[10], Cell(3));
  EXPECT_EQ(table.P2[10], Cell(5));
  EXPECT_EQ(table.P1[9], Cell(-5));
  EXPECT_EQ(table.P1[11], Cell(-5));
}

TEST_F(Conversion1Fixture, WorkbookNameMatchedWithoutCase) {
  ASSERT_TRUE(Convert("noend.xls", "datain.XLS").ok);
  EXPECT_EQ(table.RowCount, 3);
}

// An install folder with a Japanese name, the workbook in each format: found,
// read and converted (on Windows the names reach the file system as UTF-16).
TEST(Conversion1Folders, JapaneseFolderName) {
  for (const char* workbook : {"noend.xls", "operator/elements.xlsx", "operator/elements.ods"}) {
    const std::string extension = std::filesystem::path(workbook).extension().string();
    if (extension != ".xls" && !ZippedWorkbooksReadable()) continue;
    test::TempFolder temp;
    const std::string home = temp.Path() + "\xE5\x8A\xA0\xE5\xB7\xA5\xE3\x83\x87\xE3\x83\xBC\xE3\x82\xBF";  // 加工データ
    std::filesystem::create_directories(PathFromUtf8(home));
    std::filesystem::copy_file(PathFromUtf8(kData + workbook), PathFromUtf8(home + "/DATAIN" + extension));
    const InstallFolder folder(home);
    ElementTable table;
    const Conversion1Result result = RunConv1(table, folder, WorkbookReader());
    ASSERT_TRUE(result.ok) << workbook << ": " << result.message;
    EXPECT_EQ(result.workbook.name, "DATAIN" + extension);
    EXPECT_TRUE(std::filesystem::exists(PathFromUtf8(folder.PathOf("CONDTA.dat")))) << workbook;
    EXPECT_EQ(table.RowCount, extension == ".xls" ? 3 : 18) << workbook;
  }
}

TEST_F(Conversion1Fixture, MissingWorkbookWritesNoElementFile) {
  table.RowCount = 7;
  const Conversion1Result result = RunConv1(table, folder, reader);
  EXPECT_FALSE(result.ok);
  EXPECT_EQ(result.message, "DATAIN.xls が見つかりません：" + temp.File("DATAIN.xls"));
  EXPECT_FALSE(temp.Exists("CONDTA.dat"));
  EXPECT_EQ(table.RowCount, 7);
}

TEST_F(Conversion1Fixture, UnreadableWorkbookLeavesTheOldElementFile) {
  temp.Write("DATAIN.xls", "No,X,Y\r\n1,0,0\r\n");
  temp.Write("CONDTA.dat", "old");
  const Conversion1Result result = RunConv1(table, folder, reader);
  EXPECT_FALSE(result.ok);
  EXPECT_EQ(result.message, "DATAIN.xls を読み込めません（ブック（.xls、.xlsx、.ods）ではありません）：" + temp.File("DATAIN.xls"));
  EXPECT_EQ(temp.Read("CONDTA.dat"), "old");
}

TEST_F(Conversion1Fixture, UnwritableElementFileIsReported) {
  std::filesystem::create_directory(temp.File("CONDTA.dat"));  // a folder in its place
  const Conversion1Result result = Convert("noend.xls");
  EXPECT_FALSE(result.ok);
  EXPECT_EQ(result.message, "ConDTA.dat を書き込めません：" + temp.File("CONDTA.dat"));
  EXPECT_EQ(table.RowCount, 0);
}

// A sheet of point records (code 8) after the heading and the skipped row,
// optionally closed by an end record.
Worksheet PointSheet(int points, bool withEnd, int codeOfLast = 8) {
  Worksheet sheet;
  sheet.rows.push_back({SheetCell::Text("No")});
  sheet.rows.push_back({});
  for (int i = 0; i < points; ++i) {
    sheet.rows.push_back({{}, SheetCell::Number(i), SheetCell::Number(0), SheetCell::Number(i + 1 == points ? codeOfLast : 8)});
  }
  if (withEnd) sheet.rows.push_back({{}, {}, {}, SheetCell::Number(99)});
  return sheet;
}

struct LimitCase {
  const char* name;
  Worksheet sheet;
  bool ok;
  int rowCount;
};
void PrintTo(const LimitCase& c, std::ostream* os) { *os << c.name; }

class Conversion1Limit : public ::testing::TestWithParam<LimitCase> {};

TEST_P(Conversion1Limit, AtMost1999Rows) {
  test::TempFolder temp;
  InstallFolder folder(temp.Path());
  FixedSpreadsheetReader reader(WorksheetResult{GetParam().sheet, false, ""});
  ElementTable table;
  const Conversion1Result result = RunConv1(table, folder, reader);
  EXPECT_EQ(result.ok, GetParam().ok) << result.message;
  EXPECT_EQ(table.RowCount, GetParam().rowCount);
  EXPECT_EQ(temp.Exists("CONDTA.dat"), GetParam().ok);
  if (!GetParam().ok) {
    EXPECT_NE(result.message.find("1999 行まで"), std::string::npos) << result.message;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Sheets, Conversion1Limit,
    ::testing::Values(LimitCase{"EndOnRow1999", PointSheet(1998, true), true, 1999},
                      LimitCase{"NoEndOn1999Points", PointSheet(1999, false), true, 1999},
                      LimitCase{"EndWouldBeRow2000", PointSheet(1999, true), false, 0},
                      LimitCase{"EndReplacesSeparatorOnRow1999", PointSheet(1999, true, 88), true, 1999},
                      LimitCase{"CodeHundredPastTheLimit", PointSheet(1995, false, 100), false, 0}),
    [](const auto& info) { return std::string(info.param.name); });

// A sheet of records given by their codes (an absent code is an empty cell),
// each at X = its sheet row, after the heading and the skipped row.
Worksheet CodeSheet(const std::vector<std::optional<double>>& codes) {
  Worksheet sheet;
  sheet.rows.push_back({SheetCell::Text("No")});
  sheet.rows.push_back({});
  for (const auto& code : codes) {
    const double x = static_cast<double>(sheet.rows.size() + 1);
    sheet.rows.push_back({{}, SheetCell::Number(x), {}, code ? SheetCell::Number(*code) : SheetCell()});
  }
  return sheet;
}

struct RuleCase {
  const char* name;
  std::vector<std::optional<double>> codes;
  const char* elementFile;
};
void PrintTo(const RuleCase& c, std::ostream* os) { *os << c.name; }

class Conversion1Rules : public ::testing::TestWithParam<RuleCase> {};

TEST_P(Conversion1Rules, ElementFile) {
  ElementTable table;
  ASSERT_TRUE(ConvertSheet(CodeSheet(GetParam().codes), table).ok);
  EXPECT_EQ(TableFileText(table), GetParam().elementFile);
}

INSTANTIATE_TEST_SUITE_P(
    Sheets, Conversion1Rules,
    ::testing::Values(
        // Only the one separator directly before the end is replaced.
        RuleCase{"TwoSeparatorsBeforeEndOnlyLastReplaced", {8, 88, 88, 99},
                 "3\r\n3,0,0,0,0\r\n0,0,88,0,0\r\n0,0,99,0,0\r\n,,,,\r\n"},
        // Numbers that are no code count like empty cells; the fifth ends the
        // list and its end row replaces the separator before it.
        RuleCase{"FifthUnrecognisedNumberReplacesTrailingSeparator", {8, 88, 4, 6, std::nullopt, 7, 99.5, 8},
                 "2\r\n3,0,0,0,0\r\n0,0,99,0,0\r\n,,,,\r\n"},
        // An end code as the first element gives a list of the end row alone.
        RuleCase{"EndAsFirstElement", {99, 8}, "1\r\n0,0,99,0,0\r\n,,,,\r\n"},
        // The counter is never reset: unrecognised rows anywhere add up.
        RuleCase{"CounterNeverReset", {std::nullopt, 8, std::nullopt, 1, std::nullopt, 8, std::nullopt, 8, std::nullopt, 8},
                 "5\r\n4,0,0,0,0\r\n6,0,1,0,0\r\n8,0,0,0,0\r\n10,0,0,0,0\r\n0,0,99,0,0\r\n,,,,\r\n"}),
    [](const auto& info) { return std::string(info.param.name); });

// The formula workbook saved by LibreOffice in each format, as the install
// folder's entry workbook: the element file is the same whichever is read.
// Formula results are taken as stored: numbers, a text by its leading number
// ("12.5mm" -> 12.5), TRUE -> 1, an empty text -> 0; a code cell "=0+1" is the
// code 1, a code cell with the text "8" none; the #DIV/0! in the skipped
// record and after the end is never taken.
class Conversion1Formulas : public Conversion1Fixture, public ::testing::WithParamInterface<const char*> {};

TEST_P(Conversion1Formulas, StoredResultsAreTaken) {
  if (std::string(GetParam()) != ".xls" && !ZippedWorkbooksReadable()) GTEST_SKIP() << "built without .xlsx and .ods";
  const std::string name = std::string("DATAIN") + GetParam();
  const Conversion1Result result = Convert(std::string("formulas") + GetParam(), name);
  ASSERT_TRUE(result.ok) << result.message;
  EXPECT_EQ(result.workbook.name, name);
  EXPECT_EQ(temp.Read("CONDTA.dat"),
            "8\r\n"
            "15.5,20,0,0,1.4142135623731\r\n"
            "35.5,0,1,14.142135623731,1\r\n"
            "42,12.5,2,-45,0\r\n"
            "43,21.5,0,0,0\r\n"
            "44,22,0,0,0\r\n"
            "45,22.5,0,0,0\r\n"
            "12.5,0.6667,8,-12.5,2\r\n"
            "0,0,99,0,0\r\n"
            ",,,,\r\n");
}

TEST_P(Conversion1Formulas, AnErrorResultStopsNamingTheCell) {
  if (std::string(GetParam()) != ".xls" && !ZippedWorkbooksReadable()) GTEST_SKIP() << "built without .xlsx and .ods";
  const std::string name = std::string("DATAIN") + GetParam();
  temp.Write("CONDTA.dat", "old");
  table.RowCount = 7;
  const Conversion1Result result = Convert(std::string("formula_error") + GetParam(), name);
  EXPECT_FALSE(result.ok);
  // The =NA() in column B of the corner row is not taken; the =1/0 of the point's Y is.
  EXPECT_EQ(result.message, name + " の C5 は計算結果がありません（計算エラー #DIV/0!）。ConDTA.dat は書き込みません。");
  EXPECT_EQ(temp.Read("CONDTA.dat"), "old");
  EXPECT_EQ(table.RowCount, 7);
}

INSTANTIATE_TEST_SUITE_P(Formats, Conversion1Formulas, ::testing::Values(".xls", ".xlsx", ".ods"),
                         [](const auto& info) { return std::string(info.param + 1); });

struct NoResultCase {
  const char* name;
  int code;
  int column;  // where the formula without a stored result stands
  const char* message;  // empty: the cell is not taken, the conversion goes on
  int secondColumn = 0;  // another such cell further right, when not 0
};
void PrintTo(const NoResultCase& c, std::ostream* os) { *os << c.name; }

class Conversion1NoResult : public ::testing::TestWithParam<NoResultCase> {};

TEST_P(Conversion1NoResult, OnlyCellsTakenCount) {
  Worksheet sheet;
  sheet.rows.push_back({SheetCell::Text("No")});
  sheet.rows.push_back({});
  std::vector<SheetCell> row(9);
  row[sheet_field::kCode] = SheetCell::Number(GetParam().code);
  row[static_cast<size_t>(GetParam().column)] = SheetCell::NoResult("");
  if (GetParam().secondColumn) row[static_cast<size_t>(GetParam().secondColumn)] = SheetCell::NoResult("#N/A");
  sheet.rows.push_back(row);
  ElementTable table;
  const SheetConversion converted = ConvertSheet(sheet, table, "DATAIN.ods");
  EXPECT_EQ(converted.ok, std::string(GetParam().message).empty());
  EXPECT_EQ(converted.problem, GetParam().message);
}

INSTANTIATE_TEST_SUITE_P(
    Cells, Conversion1NoResult,
    ::testing::Values(
        NoResultCase{"PointX", 8, sheet_field::kX,
                     "DATAIN.ods の B3 は計算結果がありません（結果が保存されていません。"
                     "表計算アプリケーションで再計算して保存し直してください）。ConDTA.dat は書き込みません。"},
        NoResultCase{"CircleWay", 0, sheet_field::kWay,
                     "DATAIN.ods の I3 は計算結果がありません（結果が保存されていません。"
                     "表計算アプリケーションで再計算して保存し直してください）。ConDTA.dat は書き込みません。"},
        NoResultCase{"CodeCell", 8, sheet_field::kCode,
                     "DATAIN.ods の D3 は計算結果がありません（結果が保存されていません。"
                     "表計算アプリケーションで再計算して保存し直してください）。ConDTA.dat は書き込みません。"},
        // Of two such cells in a row the leftmost is named.
        NoResultCase{"LeftmostOfTwo", 0, sheet_field::kX,
                     "DATAIN.ods の B3 は計算結果がありません（結果が保存されていません。"
                     "表計算アプリケーションで再計算して保存し直してください）。ConDTA.dat は書き込みません。",
                     sheet_field::kWay},
        NoResultCase{"CornerItemX", 5, sheet_field::kX, ""},
        NoResultCase{"PointAngle", 8, sheet_field::kAngle, ""},
        NoResultCase{"EndRowRadius", 99, sheet_field::kRadius, ""},
        NoResultCase{"ColumnA", 1, 0, ""}),
    [](const auto& info) { return std::string(info.param.name); });

struct NewestCase {
  const char* name;
  std::vector<std::pair<const char*, int>> files;  // name and age in minutes
  const char* chosen;
};
void PrintTo(const NewestCase& c, std::ostream* os) { *os << c.name; }

class EntryWorkbookChoice : public ::testing::TestWithParam<NewestCase> {};

TEST_P(EntryWorkbookChoice, NewestIsRead) {
  test::TempFolder temp;
  const auto now = std::filesystem::file_time_type::clock::now();
  for (const auto& [name, minutes] : GetParam().files) {
    temp.Write(name, "x");
    std::filesystem::last_write_time(temp.File(name), now - std::chrono::minutes(minutes));
  }
  const EntryWorkbook chosen = FindEntryWorkbook(InstallFolder(temp.Path()));
  EXPECT_EQ(chosen.name, GetParam().chosen);
  EXPECT_EQ(chosen.exists, !GetParam().files.empty());
  if (chosen.exists) {
    EXPECT_TRUE(std::filesystem::exists(chosen.path)) << chosen.path;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Folders, EntryWorkbookChoice,
    ::testing::Values(NewestCase{"None", {}, "DATAIN.xls"},
                      NewestCase{"XlsxAlone", {{"DATAIN.xlsx", 5}}, "DATAIN.xlsx"},
                      NewestCase{"NewXlsxBesideOldXls", {{"DATAIN.xls", 60}, {"DATAIN.xlsx", 1}}, "DATAIN.xlsx"},
                      NewestCase{"NewXlsBesideOldOds", {{"DATAIN.xls", 1}, {"DATAIN.ods", 60}}, "DATAIN.xls"},
                      NewestCase{"OdsNewestOfThree", {{"DATAIN.xls", 9}, {"DATAIN.xlsx", 5}, {"DATAIN.ods", 2}}, "DATAIN.ods"},
                      NewestCase{"NamesWithoutCase", {{"datain.XLS", 9}, {"Datain.Ods", 2}}, "DATAIN.ods"},
                      NewestCase{"TieGoesToXls", {{"DATAIN.ods", 3}, {"DATAIN.xls", 3}}, "DATAIN.xls"},
                      NewestCase{"OtherNamesIgnored", {{"DATAIN.xls", 9}, {"DATAIN2.xlsx", 1}, {"DATAIN.csv", 1}}, "DATAIN.xls"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SheetValue, NumbersTextAndEmptyCells) {
  EXPECT_EQ(SheetValue(SheetCell()), 0.0);
  EXPECT_EQ(SheetValue(SheetCell::Number(-2.5)), -2.5);
  EXPECT_EQ(SheetValue(SheetCell::Number(0.1 + 0.2)), 0.3);  // through its 15-digit text
  EXPECT_EQ(SheetValue(SheetCell::Text(" -3.5 mm")), -3.5);
  EXPECT_EQ(SheetValue(SheetCell::Text("R5")), 0.0);
}

}  // namespace
}  // namespace vx
