// Table files: exact layout, round trip and the failure cases of the loader.
#include <gtest/gtest.h>

#include "shell/table_file.h"
#include "support/temp_folder.h"

namespace vx {
namespace {

ElementTable ThreeElements() {
  ElementTable table;
  table.X[1] = 0, table.Y[1] = 0, table.Code[1] = 1, table.P1[1] = 0, table.P2[1] = 0;
  table.X[2] = 10, table.Y[2] = -0.5, table.Code[2] = 2, table.P1[2] = 90, table.P2[2] = 0;
  table.X[3] = 0, table.Y[3] = 0, table.Code[3] = 99, table.P1[3] = 0, table.P2[3] = 0;
  table.RowCount = 3;
  return table;
}

TEST(TableFile, ExactLayoutWithEmptyRowAfterTheCount) {
  ElementTable table = ThreeElements();
  EXPECT_EQ(TableFileText(table),
            "3\r\n0,0,1,0,0\r\n10,-0.5,2,90,0\r\n0,0,99,0,0\r\n,,,,\r\n");
}

TEST(TableFile, CountZeroStillCarriesRowOne) {
  ElementTable table;
  table.X[1] = 5;
  EXPECT_EQ(TableFileText(table), "0\r\n5,,,,\r\n");
  ElementTable loaded;
  ASSERT_EQ(LoadTableText(loaded, "0\r\n5,,,,\r\n"), LoadStatus::kOk);
  EXPECT_EQ(loaded.RowCount, 0);
  EXPECT_EQ(loaded.X[1], Cell(5));
  EXPECT_EQ(loaded.CurRow, 2);
}

TEST(TableFile, SaveAndLoadGiveBackTheSameRows) {
  test::TempFolder folder;
  ElementTable table = ThreeElements();
  table.P2[2] = 1.0 / 3.0;
  ASSERT_TRUE(SaveTable(table, folder.File("CON2TA.dat")));
  EXPECT_EQ(table.CurRow, 5);
  ElementTable loaded;
  loaded.X[4] = 77;  // row N + 1 is read back as empty
  ASSERT_EQ(LoadTable(loaded, folder.File("CON2TA.dat")), LoadStatus::kOk);
  EXPECT_EQ(loaded.RowCount, 3);
  EXPECT_EQ(loaded.CurRow, 5);
  for (int r = 1; r <= 4; ++r) {
    EXPECT_EQ(loaded.X[r], table.X[r]) << r;
    EXPECT_EQ(loaded.Y[r], table.Y[r]) << r;
    EXPECT_EQ(loaded.Code[r], table.Code[r]) << r;
    EXPECT_EQ(loaded.P1[r], table.P1[r]) << r;
  }
  EXPECT_NEAR(loaded.P2[2], 1.0 / 3.0, 1e-14);
  EXPECT_TRUE(loaded.X[4].IsEmpty());
}

TEST(TableFile, ReadsNumbersWithOrWithoutLeadingZeroAndOtherLineEnds) {
  ElementTable table;
  ASSERT_EQ(LoadTableText(table, "1\n.5,-.25,1,0.75,\n,,,,\n"), LoadStatus::kOk);
  EXPECT_DOUBLE_EQ(table.X[1], 0.5);
  EXPECT_DOUBLE_EQ(table.Y[1], -0.25);
  EXPECT_DOUBLE_EQ(table.P1[1], 0.75);
  EXPECT_TRUE(table.P2[1].IsEmpty());
}

TEST(TableFile, ShortFileKeepsWhatWasRead) {
  ElementTable table;
  table.X[3] = 42;  // older contents beyond the failure stay
  EXPECT_EQ(LoadTableText(table, "3\r\n1,2,3,4,5\r\n6,7\r\n"), LoadStatus::kShort);
  EXPECT_EQ(table.RowCount, 3);
  EXPECT_EQ(table.P2[1], Cell(5));
  EXPECT_EQ(table.Y[2], Cell(7));
  EXPECT_EQ(table.X[3], Cell(42));
}

TEST(TableFile, BrokenFieldStopsReading) {
  ElementTable table;
  EXPECT_EQ(LoadTableText(table, "1\r\n1,abc,3,4,5\r\n,,,,\r\n"), LoadStatus::kShort);
  EXPECT_EQ(table.X[1], Cell(1));
  EXPECT_TRUE(table.Y[1].IsEmpty());
}

TEST(TableFile, CountAboveTheTableIsRefusedUntouched) {
  ElementTable table;
  table.RowCount = 7;
  EXPECT_EQ(LoadTableText(table, "2000\r\n1,2,3,4,5\r\n"), LoadStatus::kBadCount);
  EXPECT_EQ(table.RowCount, 7);
  EXPECT_TRUE(table.X[1].IsEmpty());
  EXPECT_EQ(LoadTableText(table, "-1\r\n"), LoadStatus::kBadCount);
  EXPECT_EQ(LoadTableText(table, ""), LoadStatus::kBadCount);
  EXPECT_EQ(LoadTableText(table, "abc\r\n1,2,3,4,5\r\n"), LoadStatus::kBadCount);
  EXPECT_EQ(table.RowCount, 7);
}

TEST(TableFile, MissingFileAndUnwritableFolder) {
  test::TempFolder folder;
  ElementTable table = ThreeElements();
  EXPECT_EQ(LoadTable(table, folder.File("none.dat")), LoadStatus::kMissing);
  EXPECT_EQ(table.RowCount, 3);
  EXPECT_FALSE(SaveTable(table, folder.File("no/such/folder/CON2TA.dat")));
}

TEST(TableFile, FailedSaveLeavesTheOldFile) {
  test::TempFolder folder;
  folder.Write("CON2TA.dat", "old");
  ElementTable table = ThreeElements();
  table.RowCount = 2000;  // beyond the table: refused
  EXPECT_FALSE(SaveTable(table, folder.File("CON2TA.dat")));
  EXPECT_EQ(folder.Read("CON2TA.dat"), "old");
}

}  // namespace
}  // namespace vx
