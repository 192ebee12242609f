// Placing pieces: shift, rotation about the origin, mirror with row reversal,
// and which layout rows are pieces.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "contour_tables.h"
#include "machining/piece_layout.h"
#include "machining/piece_transforms.h"

namespace vx {
namespace {

using test::MakeTable;
using test::Row;

std::vector<Row> RowsOf(const ElementTable& t) {
  std::vector<Row> rows;
  for (int r = 1; r <= t.RowCount; ++r) {
    rows.push_back({t.X[r], t.Y[r], t.P1[r], static_cast<int>(static_cast<double>(t.Code[r]))});
  }
  return rows;
}

void ExpectRows(const ElementTable& t, const std::vector<Row>& expected) {
  const std::vector<Row> rows = RowsOf(t);
  ASSERT_EQ(rows.size(), expected.size());
  for (size_t k = 0; k < rows.size(); ++k) {
    EXPECT_NEAR(rows[k].x, expected[k].x, 1e-9) << "row " << k + 1 << " " << rows[k];
    EXPECT_NEAR(rows[k].y, expected[k].y, 1e-9) << "row " << k + 1 << " " << rows[k];
    EXPECT_EQ(rows[k].p1, expected[k].p1) << "row " << k + 1;
    EXPECT_EQ(rows[k].code, expected[k].code) << "row " << k + 1;
  }
}

PieceLayout LayoutWithRow0(PieceRow row) {
  PieceLayout layout;
  layout.Row(0) = std::move(row);
  return layout;
}

struct PlaceCase {
  const char* name;
  PieceRow row;
  std::vector<Row> input;
  std::vector<Row> expected;
};

class PlacePieceCases : public ::testing::TestWithParam<PlaceCase> {};

TEST_P(PlacePieceCases, Rows) {
  ElementTable t = MakeTable(GetParam().input);
  PlacePiece(t, LayoutWithRow0(GetParam().row), 0);
  ExpectRows(t, GetParam().expected);
}

const std::vector<Row> kArcPath = {{0, 0}, {10, 0}, {10, -5, -5}, {15, -5}, {0, 0, 0, 88}, {20, 0}};

INSTANTIATE_TEST_SUITE_P(
    Cases, PlacePieceCases,
    ::testing::Values(
        PlaceCase{"Untouched", {"0", "0", "", ""}, kArcPath, kArcPath},
        PlaceCase{"ShiftEveryRowAlike",
                  {"1.5", "-2", "", ""},
                  kArcPath,
                  {{1.5, -2}, {11.5, -2}, {11.5, -7, -5}, {16.5, -7}, {1.5, -2, 0, 88}, {21.5, -2}}},
        PlaceCase{"EmptyYShiftCountsAsZero", {"3", "", "", ""}, {{1, 1}, {2, 2}}, {{4, 1}, {5, 2}}},
        PlaceCase{"YShiftAloneIsIgnored", {"", "7", "", ""}, {{1, 1}, {2, 2}}, {{1, 1}, {2, 2}}},
        PlaceCase{"RotationAfterShift", {"10", "0", "90", ""}, {{0, 0}, {5, 0}}, {{0, 10}, {0, 15}}},
        PlaceCase{"RotationAboutTheOrigin", {"", "", "180", ""}, {{1, 2}, {3, -4}}, {{-1, -2}, {-3, 4}}},
        PlaceCase{"MirrorXReversesTheRows",
                  {"", "", "", "1"},
                  kArcPath,
                  {{-20, 0}, {0, 0, 0, 88}, {-15, -5}, {-10, -5, -5}, {-10, 0}, {0, 0}}},
        PlaceCase{"MirrorYReversesTheRows",
                  {"", "", "", "2"},
                  {{1, 2}, {3, 4}, {5, 6}},
                  {{5, -6}, {3, -4}, {1, -2}}},
        PlaceCase{"MirrorCodeThreeIsNone", {"", "", "", "3"}, {{1, 2}, {3, 4}}, {{1, 2}, {3, 4}}},
        PlaceCase{"MirrorTextNotANumberIsNone", {"", "", "", "1x"}, {{1, 2}, {3, 4}}, {{1, 2}, {3, 4}}},
        PlaceCase{"MirrorTextWithBlanks", {"", "", "", " 1 "}, {{1, 2}, {3, 4}}, {{-3, 4}, {-1, 2}}},
        PlaceCase{"ShiftRotateThenMirror", {"10", "0", "90", "2"}, {{0, 0}, {5, 0}}, {{0, -15}, {0, -10}}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ReverseRows, OddCountKeepsTheMiddleRowAndEveryColumnMoves) {
  ElementTable t = MakeTable({{1, 1}, {2, 2, 3}, {3, 3}, {4, 4, 0, 88}, {5, 5}});
  t.P2[1] = 7;
  ReverseRows(t);
  ExpectRows(t, {{5, 5}, {4, 4, 0, 88}, {3, 3}, {2, 2, 3}, {1, 1}});
  EXPECT_EQ(static_cast<double>(t.P2[5]), 7.0);
  EXPECT_EQ(static_cast<double>(t.Code[6]), 99.0);  // the end row is not part of it
}

TEST(ReverseRows, EvenCount) {
  ElementTable t = MakeTable({{1, 1}, {2, 2}, {3, 3}, {4, 4}});
  ReverseRows(t);
  ExpectRows(t, {{4, 4}, {3, 3}, {2, 2}, {1, 1}});
}

TEST(PieceLayout, PiecesStopAtTheFirstUnusedRow) {
  PieceLayout layout;
  EXPECT_EQ(layout.PiecesInUse(), 1);  // the initial rows: piece 0 unshifted
  layout.Row(1).sftY = "5";
  EXPECT_EQ(layout.PiecesInUse(), 1);  // the Y shift alone does not count
  layout.Row(1) = PieceRow{};
  layout.Row(2).kAngle = "45";
  EXPECT_EQ(layout.PiecesInUse(), 1);  // row 1 empty: row 2 is ignored
  layout.Row(1).mirX = "0";
  EXPECT_EQ(layout.PiecesInUse(), 3);
  layout.Row(0) = PieceRow{"", "0", "", ""};
  EXPECT_EQ(layout.PiecesInUse(), 0);
  layout.Reset();
  EXPECT_EQ(layout.Row(0).sftX, "0");
  EXPECT_EQ(layout.Row(0).sftY, "0");
  EXPECT_EQ(layout.Row(2).kAngle, "");
  EXPECT_EQ(layout.PiecesInUse(), 1);
}

}  // namespace
}  // namespace vx
