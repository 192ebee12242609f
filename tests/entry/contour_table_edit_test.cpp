// Corrections of the contour file: what a corrected grid stores, and what it refuses.
#include <gtest/gtest.h>

#include "entry/contour_table_edit.h"

namespace vx {
namespace {

TEST(TableFileCells, CountLineFirstThenFiveFields) {
  const TextGrid grid = TableFileCells("2\r\n0,0,0,0,0\r\n5,.5,0,-2,0\r\n,,,,\r\n");
  ASSERT_EQ(grid.size(), 4u);
  EXPECT_EQ(grid[0], std::vector<std::string>{"2"});
  EXPECT_EQ(grid[2], (std::vector<std::string>{"5", ".5", "0", "-2", "0"}));
  EXPECT_EQ(grid[3], (std::vector<std::string>(5, "")));
  EXPECT_EQ(TableFileCells("1\n2").size(), 2u);
}

// The table file as LibreOffice Calc saves it back after opening it as
// comma-separated text: count line padded, empty row N + 1 left out, LF.
const char* const kSavedByCalc = "2,,,,\n87.9289317056946,1.46446585284728,0,0,0\n0.000001234567891,,99,,\n";

struct LayoutCase {
  const char* name;
  const char* text;
  bool layout;      // read correctly by the later stages as it is
  bool completed;   // an empty row N + 1 was added
  const char* stored;  // what a save then writes ("" when it is refused)
};
void PrintTo(const LayoutCase& c, std::ostream* os) { *os << c.name; }

class SpreadsheetSave : public ::testing::TestWithParam<LayoutCase> {};

TEST_P(SpreadsheetSave, DetectedAndCompleted) {
  TextGrid grid = TableFileCells(GetParam().text);
  EXPECT_EQ(HasTableFileLayout(grid), GetParam().layout);
  EXPECT_EQ(AddDroppedLastRow(grid), GetParam().completed);
  const ContourTableCheck check = CheckContourTable(grid);
  EXPECT_EQ(check.fileText, GetParam().stored) << check.message;
}

INSTANTIATE_TEST_SUITE_P(
    Texts, SpreadsheetSave,
    ::testing::Values(
        LayoutCase{"AsSaveTableWritesIt", "2\r\n0,0,0,0,0\r\n10,0,99,0,0\r\n,,,,\r\n", true, false,
                   "2\r\n0,0,0,0,0\r\n10,0,99,0,0\r\n,,,,\r\n"},
        LayoutCase{"SavedByCalc", kSavedByCalc, false, true,
                   "2\r\n87.9289317056946,1.46446585284728,0,0,0\r\n1.234567891E-06,,99,,\r\n,,,,\r\n"},
        // A padded count line with row N + 1 kept (it held data): no row is added.
        LayoutCase{"PaddedCountLineOnly", "1,,,,\n0,0,0,0,0\n5,5,0,0,0\n", false, false,
                   "1\r\n0,0,0,0,0\r\n5,5,0,0,0\r\n"},
        // A short row shifts every later field for the stages' reader.
        LayoutCase{"ShortRow", "1\r\n0,0,0\r\n,,,,\r\n", false, false, "1\r\n0,0,0,,\r\n,,,,\r\n"},
        // Rows missing inside the table are not made up.
        LayoutCase{"TwoRowsMissing", "3\n0,0,0,0,0\n1,1,0,0,0\n", false, false, ""}),
    [](const auto& info) { return std::string(info.param.name); });

struct StoredCase {
  const char* name;
  TextGrid grid;
  const char* fileText;
};
void PrintTo(const StoredCase& c, std::ostream* os) { *os << c.name; }

class CheckContourTableStores : public ::testing::TestWithParam<StoredCase> {};

TEST_P(CheckContourTableStores, FileText) {
  const ContourTableCheck check = CheckContourTable(GetParam().grid);
  ASSERT_TRUE(check.ok) << check.message;
  EXPECT_EQ(check.fileText, GetParam().fileText);
}

INSTANTIATE_TEST_SUITE_P(
    Grids, CheckContourTableStores,
    ::testing::Values(
        StoredCase{"AsLoaded", TableFileCells("1\r\n0,0,0,0,0\r\n,,,,\r\n"), "1\r\n0,0,0,0,0\r\n,,,,\r\n"},
        // Blanks around fields go, numbers take their stored form, missing
        // fields are empty, empty rows after row N + 1 are dropped.
        StoredCase{"NormalisedAndTrailingEmptyRowsDropped",
                   {{" 1 ", ""}, {" .5", "-0.250", "0"}, {}, {"", "", ""}, {}},
                   "1\r\n0.5,-0.25,0,,\r\n,,,,\r\n"},
        StoredCase{"CountZeroKeepsRowOne", {{"0"}, {"5"}}, "0\r\n5,,,,\r\n"}),
    [](const auto& info) { return std::string(info.param.name); });

struct RefusedCase {
  const char* name;
  TextGrid grid;
  const char* message;
};
void PrintTo(const RefusedCase& c, std::ostream* os) { *os << c.name; }

class CheckContourTableRefuses : public ::testing::TestWithParam<RefusedCase> {};

TEST_P(CheckContourTableRefuses, WithTheReason) {
  const ContourTableCheck check = CheckContourTable(GetParam().grid);
  EXPECT_FALSE(check.ok);
  EXPECT_EQ(check.message, GetParam().message);
  EXPECT_TRUE(check.fileText.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Grids, CheckContourTableRefuses,
    ::testing::Values(
        RefusedCase{"CountNotANumber", {{"abc"}, {}},
                    "表の 1 行目の件数「abc」が 0 から 1999 までの整数ではありません。保存しません。"},
        RefusedCase{"CountNotWhole", {{"1.5"}, {}, {}},
                    "表の 1 行目の件数「1.5」が 0 から 1999 までの整数ではありません。保存しません。"},
        RefusedCase{"CountPastTheTable", {{"2000"}},
                    "表の 1 行目の件数「2000」が 0 から 1999 までの整数ではありません。保存しません。"},
        RefusedCase{"MoreOnTheCountLine", {{"1", "2"}, {}, {}}, "表の 1 行目には件数だけを書いてください。保存しません。"},
        RefusedCase{"TooFewRows", {{"3"}, {"0"}, {"1"}},
                    "件数 3 には 4 行のデータが要りますが、2 行しかありません。保存しません。"},
        RefusedCase{"RowsPastTheCount", {{"1"}, {"0"}, {}, {"7"}},
                    "表の 4 行目は件数 1 の範囲（3 行目まで）の外にあります。件数を直してください。保存しません。"},
        RefusedCase{"FieldNotANumber", {{"1"}, {"0", "1O"}, {}},
                    "表の 2 行目の Y「1O」は数値ではありません。保存しません。"},
        RefusedCase{"SixthField", {{"1"}, {"0", "0", "0", "0", "0", "9"}, {}},
                    "表の 2 行目に 6 列目以降のデータがあります。保存しません。"}),
    [](const auto& info) { return std::string(info.param.name); });

struct CountCase {
  const char* name;
  const char* count;
  std::vector<size_t> rows;  // one row: an insertion there; else the rows deleted
  bool insert;
  std::optional<std::string> after;
};
void PrintTo(const CountCase& c, std::ostream* os) { *os << c.name; }

class CountInStep : public ::testing::TestWithParam<CountCase> {};

TEST_P(CountInStep, AfterInsertOrDelete) {
  const CountCase& c = GetParam();
  const std::optional<std::string> after =
      c.insert ? CountAfterInsert(c.count, c.rows.front()) : CountAfterDelete(c.count, c.rows);
  EXPECT_EQ(after, c.after);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, CountInStep,
    ::testing::Values(
        // Count 3: grid rows 1..4 are the table (three rows and the end row).
        CountCase{"InsertAtFirstRow", "3", {1}, true, "4"},
        CountCase{"InsertAboveTheEndRow", "3", {4}, true, "4"},
        CountCase{"InsertAfterTheEndRow", "3", {5}, true, std::nullopt},
        CountCase{"InsertAtTheCountLine", "3", {0}, true, std::nullopt},
        CountCase{"InsertWithBlanksAroundTheCount", " 3 ", {2}, true, "4"},
        CountCase{"InsertWithATypedSlip", "3O", {2}, true, std::nullopt},
        CountCase{"InsertAtTheLimit", "1999", {2}, true, std::nullopt},
        CountCase{"DeleteOneRow", "3", {2}, false, "2"},
        CountCase{"DeleteTheEndRow", "3", {4}, false, "2"},
        CountCase{"DeleteInAndAfterTheTable", "3", {1, 3, 5, 6}, false, "1"},
        CountCase{"DeleteOnlyAfterTheTable", "3", {5}, false, std::nullopt},
        CountCase{"DeleteTheWholeTable", "2", {1, 2, 3}, false, "0"},
        CountCase{"DeleteTheEndRowOfAnEmptyTable", "0", {1}, false, std::nullopt},
        CountCase{"DeleteWithAnInvalidCount", "-1", {1}, false, std::nullopt}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace vx
