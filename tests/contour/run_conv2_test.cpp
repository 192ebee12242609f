// CONV-2 on the install folder's files and through vexline-cli: the contour file, stops and the end-to-end check.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "cli/command.h"
#include "contour/conv2.h"
#include "contour_check.h"
#include "support/temp_folder.h"

namespace vx::test {
namespace {

const ElementRow kEndRow{0, 0, 99, 0, 0};

struct Conv2Files : ::testing::Test {
  TempFolder temp;
  InstallFolder folder{temp.Path()};
  std::unique_ptr<ElementTable> table = std::make_unique<ElementTable>();
  RecordingMessageBox box;

  void WriteElements(const std::vector<ElementRow>& rows) { temp.Write(kElementFile, ElementFileText(rows)); }
};

TEST_F(Conv2Files, WritesTheContourFileWithItsEndRow) {
  WriteElements({{0, 0, 0, 0, 0}, {10, 0, 1, 90, 0}, {0, 10, 2, 180, 0}, kEndRow});
  EXPECT_EQ(RunConv2(*table, folder, box), Conv2Status::kOk);
  EXPECT_TRUE(box.messages.empty());
  EXPECT_EQ(temp.Read(kContourFile),
            "4\r\n0,0,0,0,0\r\n10,0,0,0,0\r\n10,10,0,0,0\r\n0,10,2,0,0\r\n0,0,99,0,0\r\n");
}

TEST_F(Conv2Files, ElementFileNameIsMatchedWithoutRegardToCase) {
  temp.Write("ConDTA.dat", ElementFileText({{0, 0, 0, 0, 0}, {5, 0, 0, 0, 0}, kEndRow}));
  EXPECT_EQ(RunConv2(*table, folder, box), Conv2Status::kOk);
  EXPECT_EQ(temp.Read(kContourFile), "2\r\n0,0,0,0,0\r\n5,0,0,0,0\r\n0,0,99,0,0\r\n");
}

TEST_F(Conv2Files, MissingElementFileStopsWithAMessageAndLeavesTheContourFile) {
  temp.Write(kContourFile, "old");
  EXPECT_EQ(RunConv2(*table, folder, box), Conv2Status::kMissingInput);
  EXPECT_EQ(box.messages, std::vector<std::string>{"CONV-2 エラー CONDTA.dat がありません"});
  EXPECT_EQ(temp.Read(kContourFile), "old");
}

TEST_F(Conv2Files, ShortElementFileStopsWithAMessage) {
  temp.Write(kElementFile, "3\r\n0,0,0,0,0\r\n");
  EXPECT_EQ(RunConv2(*table, folder, box), Conv2Status::kBadInput);
  EXPECT_EQ(box.messages, std::vector<std::string>{"CONV-2 エラー CONDTA.dat が正しくありません"});
  EXPECT_FALSE(temp.Exists(kContourFile));
}

TEST_F(Conv2Files, TableOverflowStopsWithoutWritingTheContourFile) {
  // 700 zigzag corners of radius 1: every corner adds two rows.
  std::vector<ElementRow> rows;
  for (int k = 0; k < 700; ++k) rows.push_back({10.0 * k, (k % 2) * 10.0, 0, 0, k == 0 ? 0.0 : 1.0});
  rows.push_back(kEndRow);
  WriteElements(rows);
  temp.Write(kContourFile, "old");
  EXPECT_EQ(RunConv2(*table, folder, box), Conv2Status::kOverflow);
  ASSERT_EQ(box.messages.size(), 1u);
  EXPECT_NE(box.messages[0].find(conv2_reason::kTableFull), std::string::npos) << box.messages[0];
  EXPECT_EQ(box.messages[0].rfind(kConv2MessagePrefix, 0), 0u);
  EXPECT_EQ(temp.Read(kContourFile), "old");
}

TEST_F(Conv2Files, ListWithoutEndRowThatWouldPassTheCountLimitIsNotWritten) {
  std::vector<ElementRow> rows;
  for (int k = 0; k < 1998; ++k) rows.push_back({static_cast<double>(k), (k % 2) * 1.0, 0, 0, 0});
  WriteElements(rows);
  EXPECT_EQ(RunConv2(*table, folder, box), Conv2Status::kOverflow);
  EXPECT_EQ(box.messages, std::vector<std::string>{ConstructionMessage(2001, conv2_reason::kTableFull)});
  EXPECT_FALSE(temp.Exists(kContourFile));
}

TEST_F(Conv2Files, ListWithoutEndRowCarriesFourRowsBeyondTheContour) {
  WriteElements({{0, 0, 0, 0, 0}, {10, 0, 0, 0, 0}, {10, 10, 0, 0, 0}, {0, 10, 0, 0, 0}});
  EXPECT_EQ(RunConv2(*table, folder, box), Conv2Status::kOk);
  EXPECT_TRUE(box.messages.empty());
  EXPECT_EQ(temp.Read(kContourFile),
            "7\r\n0,0,0,0,0\r\n10,0,0,0,0\r\n10,10,0,0,0\r\n0,10,0,0,0\r\n,,,,\r\n,,,,\r\n,,,,\r\n,,,,\r\n");
}

TEST_F(Conv2Files, ParallelLinesAtRowTwelveAreReportedWithThatRow) {
  // Eleven rows that insert nothing, then a second horizontal leaving line.
  std::vector<ElementRow> rows;
  for (int k = 0; k < 10; ++k) rows.push_back({static_cast<double>(k), (k % 2) * 1.0, 0, 0, 0});
  rows.push_back({20, 5, 1, 0, 0});
  rows.push_back({30, 8, 1, 0, 0});
  rows.push_back({0, -5, 0, 0, 0});
  rows.push_back(kEndRow);
  WriteElements(rows);
  EXPECT_EQ(RunConv2(*table, folder, box), Conv2Status::kOk);
  EXPECT_EQ(box.messages, std::vector<std::string>{"CONV-2 エラー 交点No= 12 平行線で交点無し"});
  EXPECT_TRUE(temp.Exists(kContourFile));
}

TEST_F(Conv2Files, UnwritableContourFileIsReported) {
  WriteElements({{0, 0, 0, 0, 0}, {5, 0, 0, 0, 0}, kEndRow});
  // A folder in the place of the contour file cannot be replaced by a file.
  std::filesystem::create_directory(temp.File(kContourFile));
  EXPECT_EQ(RunConv2(*table, folder, box), Conv2Status::kWriteFailed);
  EXPECT_EQ(box.messages, std::vector<std::string>{"CONV-2 エラー CON2TA.dat に書き込めません"});
}

// A small part with lines, a clockwise circle arc joined by (C) corners on
// both sides, a corner radius, ending where it started.
TEST_F(Conv2Files, EndToEndPartBecomesAClosedContourWithoutMessages) {
  WriteElements({{-20, 0, 1, 0, 0},
                 {0, 0, 5, 0, 1},
                 {0, 0, 8, -10, -1},
                 {0, 0, 5, 0, 1},
                 {30, 8, 2, 0, 0},
                 {30, 0, 0, 0, 3},
                 {-20, 0, 0, 0, 0},
                 kEndRow});
  ASSERT_EQ(RunConv2(*table, folder, box), Conv2Status::kOk);
  EXPECT_TRUE(box.messages.empty());
  // Read back what was stored, as the next stage does.
  ElementTable stored;
  ASSERT_EQ(LoadTable(stored, folder.PathOf(kContourFile)), LoadStatus::kOk);
  EXPECT_EQ(static_cast<double>(stored.Code[stored.RowCount + 1]), 99);
  std::vector<Row> rows;
  int arcs = 0;
  for (int i = 1; i <= stored.RowCount; ++i) {
    rows.push_back({stored.X[i], stored.Y[i], stored.Code[i], stored.P1[i], stored.P2[i]});
    if (rows.back().p1 != 0) ++arcs;
  }
  EXPECT_EQ(arcs, 4);  // two (C) corners, the circle, the corner radius
  ExpectConsistentChain(rows, 1e-4);
  EXPECT_NEAR(Length(rows.front().At() - rows.back().At()), 0, 1e-9);
  // Each corner arc touches what it joins.
  ASSERT_EQ(rows.size(), 13u);
  ExpectArcTangentToSegment(rows, 3, 1, 2, 1e-4);
  ExpectArcTangentToCircle(rows, 3, 5, 1e-4);
  ExpectArcTangentToCircle(rows, 7, 5, 1e-4);
  ExpectArcTangentToSegment(rows, 7, 8, 9, 1e-4);
  ExpectArcTangentToSegment(rows, 11, 9, 10, 1e-4);
  ExpectArcTangentToSegment(rows, 11, 12, 13, 1e-4);
}


TEST_F(Conv2Files, Convert2CommandExitsZeroWithMessagesAndOneOnAStop) {
  PieceLayout layout;
  RecordingProgressLines progress;
  std::ostringstream out, err;
  cli::Context context{*table, layout, folder, box, progress, out, err};
  EXPECT_EQ(cli::RunCli({"convert2"}, context), cli::kExitFailure);
  EXPECT_EQ(box.messages, std::vector<std::string>{"CONV-2 エラー CONDTA.dat がありません"});
  EXPECT_FALSE(temp.Exists(kContourFile));

  box.messages.clear();
  WriteElements({{0, 0, 0, 0, 0}, {5, 0, 0, 0, 2}, {10, 0, 0, 0, 0}, kEndRow});
  EXPECT_EQ(cli::RunCli({"convert2"}, context), cli::kExitOk);
  EXPECT_EQ(box.messages.size(), 1u);
  EXPECT_TRUE(temp.Exists(kContourFile));
  EXPECT_EQ(cli::RunCli({"convert2", "extra"}, context), cli::kExitUsage);
}

}  // namespace
}  // namespace vx::test
