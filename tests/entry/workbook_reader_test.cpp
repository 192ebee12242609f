// The workbook reader on workbooks saved by LibreOffice Calc: cells by kind, headings, end.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "platform/workbook_bytes.h"
#include "platform/workbook_reader.h"
#include "support/temp_folder.h"

namespace vx {
namespace {

const std::string kData = std::string(VX_SOURCE_DIR) + "/tests/entry/data/";

TEST(WorkbookReader, FirstWorksheetWithCellKinds) {
  const WorksheetResult read = WorkbookReader().ReadFirstWorksheet(kData + "noend.xls", 9);
  ASSERT_TRUE(read.sheet) << read.problem;
  const Worksheet& sheet = *read.sheet;
  ASSERT_EQ(sheet.RowCount(), 6);  // heading row + five records
  EXPECT_TRUE(sheet.At(0, 3).IsText());
  EXPECT_EQ(sheet.At(0, 3).text, "(  D  )");
  EXPECT_TRUE(sheet.At(1, 1).IsEmpty());           // the empty skipped record
  EXPECT_TRUE(sheet.At(2, 1).IsText());            // "12.5mm" stays text
  EXPECT_EQ(sheet.At(2, 1).text, "12.5mm");
  EXPECT_TRUE(sheet.At(2, 3).IsNumber());
  EXPECT_DOUBLE_EQ(sheet.At(2, 3).number, 8.0);
  EXPECT_DOUBLE_EQ(sheet.At(4, 3).number, 8.5);
  EXPECT_EQ(sheet.At(3, 4).text, "45°");
  EXPECT_TRUE(sheet.At(5, 8).IsEmpty());
  EXPECT_TRUE(sheet.At(6, 0).IsEmpty());           // past the last row
  EXPECT_TRUE(sheet.At(0, 20).IsEmpty());          // past the columns asked for
}

TEST(WorkbookReader, QuotedNumberIsTextAndEmptyRowsInsideStay) {
  const WorksheetResult read = WorkbookReader().ReadFirstWorksheet(kData + "gaps.xls", 9);
  ASSERT_TRUE(read.sheet) << read.problem;
  EXPECT_EQ(read.sheet->RowCount(), 11);
  EXPECT_TRUE(read.sheet->At(9, 3).IsText());
  EXPECT_EQ(read.sheet->At(9, 3).text, "8");
  EXPECT_TRUE(read.sheet->At(3, 3).IsEmpty());
}

TEST(WorkbookReader, MissingAndUnreadableFilesAreReported) {
  test::TempFolder temp;
  const WorksheetResult missing = WorkbookReader().ReadFirstWorksheet(temp.Path() + "none.xls", 9);
  EXPECT_FALSE(missing.sheet);
  EXPECT_TRUE(missing.missing);

  const std::string text = temp.File("text.xls");
  temp.Write("text.xls", "0,0,8\n");
  const WorksheetResult broken = WorkbookReader().ReadFirstWorksheet(text, 9);
  EXPECT_FALSE(broken.sheet);
  EXPECT_FALSE(broken.missing);
  EXPECT_EQ(broken.problem, "ブック（.xls、.xlsx、.ods）ではありません");

  temp.Write("new.xls", std::string("PK\x03\x04", 4) + std::string(100, 'x'));
  EXPECT_EQ(WorkbookReader().ReadFirstWorksheet(temp.File("new.xls"), 9).problem,
            ZippedWorkbooksReadable() ? "ブックが壊れています" : workbook_problem::kNoZipSupport);

  // A damaged workbook: the container's signature followed by garbage.
  temp.Write("damaged.xls", std::string("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8) + std::string(600, '\x7f'));
  const WorksheetResult damaged = WorkbookReader().ReadFirstWorksheet(temp.File("damaged.xls"), 9);
  EXPECT_FALSE(damaged.sheet);
  EXPECT_EQ(damaged.problem, "ブックが壊れています");
}

std::string FileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

struct ProblemCase {
  const char* name;
  std::string bytes;
  const char* problem;
};
void PrintTo(const ProblemCase& c, std::ostream* os) { *os << c.name; }

class WorkbookProblems : public ::testing::TestWithParam<ProblemCase> {};

TEST_P(WorkbookProblems, Refused) {
  const WorksheetResult read = ReadWorkbookBytes(GetParam().bytes, 9);
  EXPECT_FALSE(read.sheet);
  EXPECT_FALSE(read.missing);
  // A build without .xlsx and .ods refuses every zip package with its own message.
  const bool zipped = GetParam().bytes.compare(0, 4, "PK\x03\x04", 4) == 0;
  EXPECT_EQ(read.problem, zipped && !ZippedWorkbooksReadable() ? workbook_problem::kNoZipSupport : GetParam().problem);
}

// A newer workbook saved with a password: a compound file holding the encrypted package.
std::string EncryptedPackage() {
  test::CompoundBuilder builder;
  builder.streams = {{"EncryptionInfo", std::string(200, 'i')}, {"EncryptedPackage", std::string(3000, 'p')}};
  return builder.Build();
}

const char* const kPassword = "ブックがパスワードで保護されています。パスワードを付けずに保存し直してください";
const char* const kDamaged = "ブックが壊れています";

INSTANTIATE_TEST_SUITE_P(
    Files, WorkbookProblems,
    ::testing::Values(
        ProblemCase{"PasswordXls", FileBytes(kData + "password.xls"), kPassword},
        ProblemCase{"PasswordOds", FileBytes(kData + "password.ods"), kPassword},
        ProblemCase{"PasswordXlsx", EncryptedPackage(), kPassword},
        ProblemCase{"TruncatedXls", FileBytes(kData + "damaged/truncated.xls"), kDamaged},
        ProblemCase{"ScrambledXls", FileBytes(kData + "damaged/scrambled.xls"), kDamaged},
        ProblemCase{"TruncatedXlsx", FileBytes(kData + "damaged/truncated.xlsx"), kDamaged},
        ProblemCase{"TruncatedOds", FileBytes(kData + "damaged/truncated.ods"), kDamaged},
        // A part whose compressed data is damaged: the library hands on what
        // it could unpack and its XML parser stops the program on it.
        ProblemCase{"DamagedDeflateOds", FileBytes(kData + "damaged/bad_deflate.ods"), kDamaged},
        // Sound XML in an order the library's style reader does not expect:
        // one of its assertions fails, in the child process that reads it.
        ProblemCase{"LibraryAssertionOds", FileBytes(kData + "damaged/library_assertion.ods"), kDamaged},
        ProblemCase{"LibraryNullStyleOds", FileBytes(kData + "damaged/library_null_style.ods"), kDamaged},
        ProblemCase{"LibraryReadsPastTheSheetXlsx", FileBytes(kData + "damaged/library_overread.xlsx"), kDamaged},
        ProblemCase{"CompoundFileOfAnotherKind", [] {
                      test::CompoundBuilder builder;
                      builder.streams = {{"WordDocument", std::string(100, 'w')}};
                      return builder.Build();
                    }(), "ブック（.xls、.xlsx、.ods）ではありません"},
        ProblemCase{"ZipOfAnotherKind", FileBytes(std::string(VX_SOURCE_DIR) + "/tests/entry/data/zip_of_text.zip"),
                    "ブック（.xls、.xlsx、.ods）ではありません"},
        // Excel 4.0 wrote its stream bare, without the container.
        ProblemCase{"BareBiff4", FileBytes(std::string(VX_SOURCE_DIR) + "/tests/entry/real/biff4_no_format_no_window2.xls"),
                    "Excel 4.0 以前の形式です。Excel 97-2003 形式で保存し直してください"}),
    [](const auto& info) { return std::string(info.param.name); });

// The same sheets saved by LibreOffice as .xls, .xlsx and .ods read the same:
// formula results of every kind, references to another sheet, shared formulas.
TEST(WorkbookReader, TheThreeFormatsReadAlike) {
  if (!ZippedWorkbooksReadable()) GTEST_SKIP() << "built without .xlsx and .ods";
  for (const char* name : {"formulas", "formula_error", "results"}) {
    const WorksheetResult xls = WorkbookReader().ReadFirstWorksheet(kData + name + ".xls", 9);
    ASSERT_TRUE(xls.sheet) << name << ": " << xls.problem;
    for (const char* ext : {".xlsx", ".ods"}) {
      const WorksheetResult other = WorkbookReader().ReadFirstWorksheet(kData + name + ext, 9);
      ASSERT_TRUE(other.sheet) << name << ext << ": " << other.problem;
      ASSERT_EQ(other.sheet->RowCount(), xls.sheet->RowCount()) << name << ext;
      for (int row = 0; row < xls.sheet->RowCount(); ++row) {
        for (int column = 0; column < 9; ++column) {
          const SheetCell& a = xls.sheet->At(row, column);
          const SheetCell& b = other.sheet->At(row, column);
          const std::string where = std::string(name) + ext + " " + char('A' + column) + std::to_string(row + 1);
          EXPECT_EQ(a.kind, b.kind) << where;
          // The newer formats store numbers to 15 significant digits.
          EXPECT_NEAR(a.number, b.number, 1e-14 * std::abs(a.number)) << where;
          EXPECT_EQ(a.text, b.text) << where;
        }
      }
    }
  }
}

TEST(WorkbookReader, ContentDecidesTheFormat) {
  if (!ZippedWorkbooksReadable()) GTEST_SKIP() << "built without .xlsx and .ods";
  test::TempFolder temp;
  std::filesystem::copy_file(kData + "formulas.xlsx", temp.File("DATAIN.xls"));
  std::filesystem::copy_file(kData + "formulas.ods", temp.File("book.xlsx"));
  for (const char* name : {"DATAIN.xls", "book.xlsx"}) {
    const WorksheetResult read = WorkbookReader().ReadFirstWorksheet(temp.File(name), 9);
    ASSERT_TRUE(read.sheet) << name << ": " << read.problem;
    EXPECT_EQ(read.sheet->At(2, 1).number, 15.5) << name;
  }
}

TEST(WorkbookReader, ResultsCrossFromTheChildProcessWhole) {
  WorksheetResult result;
  result.sheet = Worksheet();
  result.sheet->rows = {{SheetCell::Text("(  D  )"), SheetCell::Number(-12.5), {}},
                        {SheetCell::NoResult("#DIV/0!"), SheetCell::Text("")}};
  const std::string bytes = SerializeWorksheetResult(result);
  WorksheetResult back;
  ASSERT_TRUE(DeserializeWorksheetResult(bytes, back));
  ASSERT_TRUE(back.sheet);
  ASSERT_EQ(back.sheet->RowCount(), 2);
  EXPECT_EQ(back.sheet->At(0, 0).text, "(  D  )");
  EXPECT_EQ(back.sheet->At(0, 1).number, -12.5);
  EXPECT_TRUE(back.sheet->At(0, 2).IsEmpty());
  EXPECT_TRUE(back.sheet->At(1, 0).IsNoResult());
  EXPECT_EQ(back.sheet->At(1, 0).text, "#DIV/0!");
  // Anything short of the whole is no result at all.
  for (size_t cut = 0; cut < bytes.size(); ++cut) EXPECT_FALSE(DeserializeWorksheetResult(bytes.substr(0, cut), back));
}

TEST(SheetRecords, HeadingIsNoRecordAndEndStays) {
  Worksheet sheet;
  sheet.rows = {{SheetCell::Text("h")}, {SheetCell::Number(1)}, {}};
  SheetRecords records(sheet);
  ASSERT_FALSE(records.AtEnd());
  EXPECT_EQ(records.SheetRow(), 2);
  EXPECT_DOUBLE_EQ(records.Field(0).number, 1.0);
  records.MoveNext();
  EXPECT_TRUE(records.Field(0).IsEmpty());
  records.MoveNext();
  EXPECT_TRUE(records.AtEnd());
  records.MoveNext();
  EXPECT_TRUE(records.AtEnd());
}

}  // namespace
}  // namespace vx
