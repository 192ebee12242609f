// The workbook reader on workbooks saved by LibreOffice Calc: cells by kind, headings, end.
#include <gtest/gtest.h>

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
  EXPECT_EQ(WorkbookReader().ReadFirstWorksheet(temp.File("new.xls"), 9).problem, "ブックが壊れています");

  // A damaged workbook: the container's signature followed by garbage.
  temp.Write("damaged.xls", std::string("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8) + std::string(600, '\x7f'));
  const WorksheetResult damaged = WorkbookReader().ReadFirstWorksheet(temp.File("damaged.xls"), 9);
  EXPECT_FALSE(damaged.sheet);
  EXPECT_EQ(damaged.problem, "ブックが壊れています");
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
