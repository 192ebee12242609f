// Import post-processing: rounding, tolerance, smoothing with markers, rows, saving.
#include "exchange/import_postprocess.h"

#include <gtest/gtest.h>

#include "exchange/exchange_messages.h"
#include "exchange_test_support.h"
#include "shell/table_file.h"
#include "support/temp_folder.h"

namespace vx {
namespace {

using test::Arc;
using test::Line;
using test::MakeList;
using test::RowTexts;

struct RoundCase {
  const char* name;
  double digits;
  double value;
  double expected;
};

void PrintTo(const RoundCase& c, std::ostream* os) { *os << c.name; }

class RoundingTest : public ::testing::TestWithParam<RoundCase> {};

TEST_P(RoundingTest, EverySevenValuesFloorOfScaledPlusHalf) {
  const RoundCase& c = GetParam();
  EntityList list = MakeList({Entity{c.value, c.value, c.value, c.value, c.value, c.value, c.value}});
  RoundEntities(list, c.digits);
  const Entity& e = list.entity[1];
  for (double v : {e.X1, e.Y1, e.X2, e.Y2, e.CX, e.CY, e.R}) EXPECT_DOUBLE_EQ(v, c.expected) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Digits, RoundingTest,
    ::testing::Values(RoundCase{"zero digits keep the value", 0, 1.23456, 1.23456},
                      RoundCase{"three digits", 3, 1.23456, 1.235},
                      RoundCase{"negative digits keep the value", -1, 1.23456, 1.23456},
                      RoundCase{"negative half goes up", 2, -0.125, -0.12},
                      RoundCase{"positive half goes up", 2, 0.375, 0.38},
                      RoundCase{"huge digit count keeps the value", 400, 1.5, 1.5}),
    [](const auto& info) { return std::to_string(info.index); });

TEST(JoinToleranceTest, ZeroDigitsGiveTheFixedTolerance) {
  EXPECT_DOUBLE_EQ(JoinTolerance(0), 0.0001);
  EXPECT_DOUBLE_EQ(JoinTolerance(2), 0.01);
  EXPECT_DOUBLE_EQ(JoinTolerance(3), 0.001);
  EXPECT_DOUBLE_EQ(JoinTolerance(-1), 10);
}

// Runs smoothing (when asked) and conversion; returns rows 1..N + 1.
std::vector<std::string> Rows(EntityList list, bool smooth, bool markers = false, double tolerance = 0.01) {
  if (smooth) SmoothEntities(list, tolerance, markers);
  ElementTable table;
  EXPECT_TRUE(ConvertEntitiesToRows(list, table).ok);
  return RowTexts(table, 1, table.RowCount + 1);
}

TEST(SmoothingTest, ScrambledSquareBecomesOneChainOfFivePoints) {
  // A square (10,10)-(20,10)-(20,20)-(10,20), sides scrambled and some reversed.
  EntityList list = MakeList({Line(20, 20, 20, 10), Line(10, 20, 10, 10), Line(10, 10, 20, 10), Line(10, 20, 20, 20)});
  EXPECT_EQ(Rows(list, true),
            (std::vector<std::string>{"20,20,0,0,0", "20,10,0,0,0", "10,10,0,0,0", "10,20,0,0,0", "20,20,0,0,0",
                                      "0.999,0,99,0,0"}));
}

TEST(SmoothingTest, SwitchOffKeepsFileOrderWithSeparators) {
  EntityList list = MakeList({Line(0, 0, 10, 0), Line(10, 5, 10, 0)});
  const std::vector<std::string> expected = {"0,0,0,0,0", "10,0,0,0,0", "888,0,88,0,0", "10,5,0,0,0", "10,0,0,0,0",
                                             "0.999,0,99,0,0"};
  EXPECT_EQ(Rows(list, false), expected);
  EXPECT_EQ(Rows(list, true), (std::vector<std::string>{"0,0,0,0,0", "10,0,0,0,0", "10,5,0,0,0", "0.999,0,99,0,0"}));
}

TEST(SmoothingTest, FirstStraightLineStoredBackwardsIsReversed) {
  // Entity 1 runs from the second entity's start outwards: it is turned round.
  EntityList list = MakeList({Line(0, 0, 10, 0), Line(0, 0, 0, 5)});
  EXPECT_EQ(Rows(list, true), (std::vector<std::string>{"10,0,0,0,0", "0,0,0,0,0", "0,5,0,0,0", "0.999,0,99,0,0"}));
  // The same with the second entity touching by its end.
  list = MakeList({Line(0, 0, 10, 0), Line(0, 5, 0, 0)});
  EXPECT_EQ(Rows(list, true), (std::vector<std::string>{"10,0,0,0,0", "0,0,0,0,0", "0,5,0,0,0", "0.999,0,99,0,0"}));
}

TEST(SmoothingTest, FirstArcStoredBackwardsIsNotCorrected) {
  EntityList list = MakeList({Arc(0, 5, 5, 0, 0, 0, -5), Line(0, 5, 0, 10)});
  SmoothEntities(list, 0.01, false);
  EXPECT_EQ(list.entity[1].X1, 0);
  EXPECT_EQ(list.entity[1].Y1, 5);
  EXPECT_EQ(list.entity[1].R, -5);
}

TEST(SmoothingTest, ArcFollowedByJoinedLineSharesItsEndPoint) {
  EntityList list = MakeList({Arc(5, 0, 0, 5, 0, 0, 5), Line(0, 5.004, -10, 5)});
  EXPECT_EQ(Rows(list, true), (std::vector<std::string>{"5,0,0,0,0", "0,0,8,5,-2", "0,5,0,0,0", "-10,5,0,0,0",
                                                        "0.999,0,99,0,0"}));
}

TEST(SmoothingTest, WithoutMarkersTheEntityAtTheOriginComesFirst) {
  // The second line ends at the origin: it is reversed and brought forward.
  EntityList list = MakeList({Line(20, 0, 30, 0), Line(10, 0, 0.1, 0.1)}, {});
  SmoothEntities(list, 0.01, true);
  EXPECT_EQ(test::EntityText(list.entity[1]), test::EntityText(Line(0.1, 0.1, 10, 0)));
}

TEST(SmoothingTest, MarkersStartOneChainEachInMarkerOrder) {
  // Two triangles; the markers name the second triangle first.
  EntityList list = MakeList({Line(0, 0, 10, 0), Line(10, 0, 0, 10), Line(0, 10, 0, 0),
                              Line(50, 0, 60, 0), Line(60, 0, 50, 10), Line(50, 10, 50, 0)},
                             {MarkerPoint{50, 10}, MarkerPoint{10, 0}});
  EXPECT_EQ(Rows(list, true, true),
            (std::vector<std::string>{"50,10,0,0,0", "60,0,0,0,0", "50,0,0,0,0", "50,10,0,0,0", "888,0,88,0,0",
                                      "10,0,0,0,0", "0,10,0,0,0", "0,0,0,0,0", "10,0,0,0,0", "0.999,0,99,0,0"}));
}

TEST(RowsTest, EqualRowsDifferingOnlyInP2KeepTheLaterRow) {
  ElementTable table;
  int n = 0;
  for (double p2 : {1.0, 2.0, 3.0}) ASSERT_TRUE(AppendContourRow(table, n, {1, 2, 0, 0, p2}));
  ASSERT_TRUE(AppendContourRow(table, n, {5, 2, 0, 0, 0}));
  EXPECT_EQ(n, 2);
  EXPECT_EQ(static_cast<double>(table.P2[1]), 3.0);
  EXPECT_EQ(static_cast<double>(table.X[2]), 5.0);
  ASSERT_TRUE(AppendContourRow(table, n, {5, 2, 8, 0, 0}));  // another Code: a new row
  EXPECT_EQ(n, 3);
}

TEST(RowsTest, RowsBeyondTheTerminatorKeepTheirContents) {
  ElementTable table;
  table.X[10] = 42.0;
  ASSERT_TRUE(ConvertEntitiesToRows(MakeList({Line(0, 0, 1, 0)}), table).ok);
  EXPECT_EQ(table.RowCount, 2);
  EXPECT_EQ(static_cast<double>(table.X[10]), 42.0);
}

TEST(RowsTest, JoinedEntitiesShareRowsUpToTheLimit) {
  // 1000 joined lines: 1001 point rows after the repeated ones are removed.
  EntityList list;
  for (int k = 1; k <= 1000; ++k) list.entity[++list.count] = Line(k - 1, 0, k, 0);
  ElementTable table;
  ASSERT_TRUE(ConvertEntitiesToRows(list, table).ok);
  EXPECT_EQ(table.RowCount, 1001);
  EXPECT_EQ(static_cast<double>(table.Code[1002]), 99.0);
}

TEST(RowsTest, TooManyRowsStopAndLeaveTheTableAlone) {
  EntityList list;
  // 3 rows and a separator each: 500 arcs make 1999 rows and still fit.
  for (int k = 1; k <= 500; ++k) list.entity[++list.count] = Arc(k, 0, k, 1, k, 0.5, 0.5);
  ElementTable table;
  ASSERT_TRUE(ConvertEntitiesToRows(list, table).ok);
  EXPECT_EQ(table.RowCount, 1999);
  list.entity[++list.count] = Arc(0, 9, 0, 8, 0, 8.5, 0.5);
  table = ElementTable();
  table.RowCount = 7;
  const ExchangeResult result = ConvertEntitiesToRows(list, table);
  EXPECT_FALSE(result.ok);
  EXPECT_EQ(result.message, exchange_text::kTooManyRows);
  EXPECT_EQ(table.RowCount, 7);
  EXPECT_TRUE(table.X[1].IsEmpty());
}

// Degenerate input: what rounding, smoothing and conversion make of entities
// of no length, short arcs, lone points and flat arcs.
struct DegenerateCase {
  const char* name;
  std::vector<Entity> entities;
  const char* digits;
  const char* smooth;
  std::vector<std::string> rows;  // rows 1..N + 1, or empty for a stop
  std::string message = {};       // the stop's message
};

void PrintTo(const DegenerateCase& c, std::ostream* os) { *os << c.name; }

class DegenerateTest : public ::testing::TestWithParam<DegenerateCase> {};

TEST_P(DegenerateTest, RowsOrStop) {
  const DegenerateCase& c = GetParam();
  EntityList list;
  for (const Entity& e : c.entities) list.entity[++list.count] = e;
  ElementTable table;
  RecordingProgressLines progress;
  const ExchangeResult result = PostProcessIntoTable(list, {c.smooth, c.digits, "0"}, false, table, progress);
  if (c.rows.empty()) {
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.message, c.message);
    EXPECT_EQ(table.RowCount, 0);
    return;
  }
  ASSERT_TRUE(result.ok) << result.message;
  EXPECT_EQ(RowTexts(table, 1, table.RowCount + 1), c.rows);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DegenerateTest,
    ::testing::Values(
        DegenerateCase{"line of no length after rounding is dropped",
                       {Line(0, 0, 10, 0), Line(30, 0, 30.001, 0.002), Line(20, 0, 25, 0)},
                       "2",
                       "0",
                       {"0,0,0,0,0", "10,0,0,0,0", "888,0,88,0,0", "20,0,0,0,0", "25,0,0,0,0", "0.999,0,99,0,0"}},
        DegenerateCase{"short arc whose ends meet after rounding is no full circle",
                       {Line(0, 0, 10, 0), Arc(5, 0.001, 5, 0.004, 0, 0.0025, 5)},
                       "2",
                       "0",
                       {"0,0,0,0,0", "10,0,0,0,0", "0.999,0,99,0,0"}},
        DegenerateCase{"almost full arc whose ends meet after rounding is a full circle",
                       {Arc(5, 0.001, 5, -0.001, 0, 0, 5)},
                       "2",
                       "0",
                       {"5,0,0,0,0", "0,0,8,5,-2", "5,0,0,0,0", "0.999,0,99,0,0"}},
        DegenerateCase{"lone points at the start, between chains and at the end are left out",
                       {Line(1, 1, 1, 1), Line(0, 0, 10, 0), Line(5, 5, 5, 5), Line(20, 0, 25, 0), Line(7, 7, 7, 7)},
                       "0",
                       "0",
                       {"0,0,0,0,0", "10,0,0,0,0", "888,0,88,0,0", "20,0,0,0,0", "25,0,0,0,0", "0.999,0,99,0,0"}},
        DegenerateCase{"nothing of any length is refused",
                       {Line(1, 1, 1.001, 1), Arc(3, 3, 3.002, 3, 3.001, 2, -1)},
                       "2",
                       "1",
                       {},
                       exchange_text::kAllZeroLength},
        DegenerateCase{"a flat arc of a huge radius is its chord",
                       {Arc(0, 0, 10, 0, 5, -9999999.99999875, -1e7)},
                       "0",
                       "0",
                       {"0,0,0,0,0", "10,0,0,0,0", "0.999,0,99,0,0"}},
        DegenerateCase{"a coordinate beyond the limit is refused",
                       {Line(0, 0, 2e7, 0)},
                       "2",
                       "1",
                       {},
                       exchange_text::kCoordinateRange}),
    [](const auto& info) { return std::to_string(info.index); });

TEST(SmoothingTest, FullCircleJoinedByItsStartStaysFull) {
  EntityList list = MakeList({Line(0, 0, 10, 0), Arc(10.004, 0, 10.004, 0, 15, 0, 4.996)});
  SmoothEntities(list, 0.01, false);
  EXPECT_EQ(test::EntityText(list.entity[2]), test::EntityText(Arc(10, 0, 10, 0, 15, 0, 4.996)));
}

TEST(SmoothingTest, ShortArcWhoseSnappedStartPassesItsEndBecomesALine) {
  // A counter-clockwise arc of 0.001 rad; the line before it ends beyond the
  // arc's end, so snapping would make it turn almost a full turn.
  EntityList list = MakeList({Line(0, 0.008, 5, 0.008), Arc(5, 0, 4.9999975, 0.005, 0, 0, 5)});
  SmoothEntities(list, 0.01, false);
  EXPECT_EQ(test::EntityText(list.entity[2]), test::EntityText(Line(5, 0.008, 4.9999975, 0.005)));
}

TEST(ReportTest, SkippedLineNamesEachTypeWithItsCount) {
  EntityList list;
  EXPECT_EQ(SkippedLine(list), "");
  for (const char* type : {"TEXT", "HATCH", "TEXT", "DIMENSION", "TEXT"}) list.CountSkipped(type);
  EXPECT_EQ(SkippedLine(list), "読み込まなかった図形: TEXT 3, HATCH 1, DIMENSION 1");
}

TEST(ReportTest, NothingButPaperSpaceNamesIt) {
  EntityList list;
  list.skipped.emplace_back(exchange_text::kPaperSpaceEntry, 4);
  ElementTable table;
  RecordingProgressLines progress;
  EXPECT_EQ(PostProcessIntoTable(list, {"1", "2", "0"}, true, table, progress).message,
            exchange_text::kPaperSpaceOnly);
}

struct PostProcessFixture : ::testing::Test {
  test::TempFolder folder;
  ElementTable table;
  RecordingProgressLines progress;
  std::string contour = folder.File("CON2TA.dat");
};

TEST_F(PostProcessFixture, SavesTheContourFileWithProgressLines) {
  EntityList list = MakeList({Line(0.004, 0, 10, 0), Line(10, 0, 10, 5.123)});
  ASSERT_TRUE(RunImportPostProcessing(list, {"1", "2", "0"}, true, table, contour, progress).ok);
  EXPECT_EQ(progress.lines, (std::vector<std::string>{exchange_text::kRounding, exchange_text::kSmoothing,
                                                      exchange_text::kDataDiskEnd}));
  EXPECT_EQ(folder.Read("CON2TA.dat"), "3\r\n0,0,0,0,0\r\n10,0,0,0,0\r\n10,5.12,0,0,0\r\n0.999,0,99,0,0\r\n");
}

TEST_F(PostProcessFixture, SmoothingRunsOnlyForTheValueOne) {
  for (const char* text : {"0", "2", "", "1.5"}) {
    progress.lines.clear();
    EntityList list = MakeList({Line(0, 0, 10, 0), Line(10, 5, 10, 0)});
    ASSERT_TRUE(RunImportPostProcessing(list, {text, "0", "0"}, true, table, contour, progress).ok);
    EXPECT_EQ(progress.lines, (std::vector<std::string>{exchange_text::kDataDiskEnd})) << text;
    EXPECT_EQ(RowTexts(table, 1, table.RowCount + 1),
              (std::vector<std::string>{"0,0,0,0,0", "10,0,0,0,0", "888,0,88,0,0", "10,5,0,0,0", "10,0,0,0,0",
                                        "0.999,0,99,0,0"}))
        << text;
  }
  EntityList list = MakeList({Line(0, 0, 10, 0), Line(10, 5, 10, 0)});
  ASSERT_TRUE(RunImportPostProcessing(list, {" 1", "0", "0"}, true, table, contour, progress).ok);
  EXPECT_EQ(table.RowCount, 3);
}

TEST_F(PostProcessFixture, ZeroDigitsJoinWithinTheFixedTolerance) {
  // d = 0: no rounding; 0.00005 apart joins, 0.0002 apart does not.
  EntityList list = MakeList({Line(0, 0, 10, 0), Line(10.00005, 0, 10, 5), Line(10.0002, 5, 20, 5)});
  ASSERT_TRUE(RunImportPostProcessing(list, {"1", "0", "0"}, false, table, contour, progress).ok);
  EXPECT_EQ(RowTexts(table, 1, table.RowCount),
            (std::vector<std::string>{"0,0,0,0,0", "10,0,0,0,0", "10,5,0,0,0", "888,0,88,0,0", "10.0002,5,0,0,0",
                                      "20,5,0,0,0"}));
}

TEST_F(PostProcessFixture, NonNumericSettingsMeanNoRoundingAndNoSmoothing) {
  EntityList list = MakeList({Line(0, 0, 1.23456, 0)});
  ASSERT_TRUE(RunImportPostProcessing(list, {"x", "", ""}, false, table, contour, progress).ok);
  EXPECT_EQ(progress.lines, (std::vector<std::string>{exchange_text::kDataDiskEnd}));
  EXPECT_EQ(ShortestText(table.X[2]), "1.23456");
}

TEST_F(PostProcessFixture, EmptyImportStopsWithoutWriting) {
  folder.Write("CON2TA.dat", "old");
  EntityList list;
  const ExchangeResult result = RunImportPostProcessing(list, {"1", "2", "0"}, true, table, contour, progress);
  EXPECT_FALSE(result.ok);
  EXPECT_EQ(result.message, exchange_text::kNoEntities);
  EXPECT_EQ(folder.Read("CON2TA.dat"), "old");
}

TEST_F(PostProcessFixture, UnwritableContourFileIsReported) {
  EntityList list = MakeList({Line(0, 0, 1, 0)});
  const std::string missing = folder.File("no/such/CON2TA.dat");
  const ExchangeResult result = RunImportPostProcessing(list, {"1", "2", "0"}, true, table, missing, progress);
  EXPECT_FALSE(result.ok);
  EXPECT_EQ(result.message, exchange_text::CannotWrite(missing));
  EXPECT_EQ(table.RowCount, 0);
}

}  // namespace
}  // namespace vx
