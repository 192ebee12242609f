// DXF and IGES export: exact entity texts, angles, separators, records and the IGES round trip.
#include <gtest/gtest.h>

#include "exchange/dxf_writer.h"
#include "exchange/exchange_messages.h"
#include "exchange/iges_reader.h"
#include "exchange/iges_writer.h"
#include "exchange_test_support.h"

namespace vx {
namespace {

using test::Joined;

// Rows 1..n of (x, y, code, p1), P2 0.
ElementTable Table(std::vector<std::array<double, 4>> rows) {
  ElementTable t;
  int r = 0;
  for (const auto& row : rows) {
    ++r;
    t.X[r] = row[0];
    t.Y[r] = row[1];
    t.Code[r] = row[2];
    t.P1[r] = row[3];
    t.P2[r] = 0.0;
  }
  t.RowCount = r;
  t.X[r + 1] = 0.999;
  t.Code[r + 1] = 99.0;
  return t;
}

const std::string kTemplate = Joined({"  0", "SECTION", "  2", "ENTITIES", "  0", "ENDSEC", "  0", "EOF"});

std::string Export(const ElementTable& t) {
  std::string out;
  const ExchangeResult result = DxfExportText(t, kTemplate, "schelt.dxs", out);
  EXPECT_TRUE(result.ok) << result.message;
  return out;
}

std::string Entities(const std::string& out) {
  const std::string head = "  0\r\nSECTION\r\n  2\r\nENTITIES\r\n";
  const std::string tail = "  0\r\nENDSEC\r\n  0\r\nEOF\r\n";
  EXPECT_EQ(out.substr(0, head.size()), head);
  EXPECT_EQ(out.substr(out.size() - tail.size()), tail);
  return out.substr(head.size(), out.size() - head.size() - tail.size());
}

TEST(DxfWriterTest, TwoJoinedSegmentsGiveTwoLinesWithHandles) {
  const ElementTable t = Table({{0, 0, 0, 0}, {12.5, 0, 0, 0}, {12.5, -0.25, 0, 0}});
  EXPECT_EQ(Entities(Export(t)),
            Joined({"  0", "LINE", "  5", "100", "100", "AcDbEntity", "  8", "0", "100", "AcDbLine", " 10", " 0 ", " 20",
                    " 0 ", " 11", " 12.5 ", " 21", " 0 ", "  0", "LINE", "  5", "101", "100", "AcDbEntity", "  8", "0",
                    "100", "AcDbLine", " 10", " 12.5 ", " 20", " 0 ", " 11", " 12.5 ", " 21", "-.25 "}));
}

TEST(DxfWriterTest, ArcAnglesExchangedForClockwise) {
  const std::vector<std::string> ccw = {"  0", "ARC", "  5", "100", "100", "AcDbEntity", "  8", "0", "100",
                                        "AcDbCircle", " 10", " 0 ", " 20", " 0 ", " 40", " 5 ", "100", "AcDbArc",
                                        " 50", " 0 ", " 51", " 90 "};
  EXPECT_EQ(Entities(Export(Table({{5, 0, 0, 0}, {0, 0, 8, 5}, {0, 5, 0, 0}}))), Joined(ccw));
  std::vector<std::string> cw = ccw;
  cw[19] = " 90 ";
  cw[21] = " 0 ";
  EXPECT_EQ(Entities(Export(Table({{5, 0, 0, 0}, {0, 0, 8, -5}, {0, 5, 0, 0}}))), Joined(cw));
}

TEST(DxfWriterTest, FullCircleIsWrittenAsACircleNotAnEmptyArc) {
  // An imported round hole: start and end at (80, 10), clockwise after a marker.
  const std::vector<std::string> circle = {"  0", "CIRCLE", "  5", "100", "100", "AcDbEntity", "  8", "0",
                                           "100", "AcDbCircle", " 10", " 75 ", " 20", " 10 ", " 40", " 5 "};
  EXPECT_EQ(Entities(Export(Table({{80, 10, 0, 0}, {75, 10, 8, -5}, {80, 10, 0, 0}}))), Joined(circle));
  EXPECT_EQ(Entities(Export(Table({{80, 10, 0, 0}, {75, 10, 8, 5}, {80, 10, 0, 0}}))), Joined(circle));
}

struct AngleCase {
  double qx, qy, expected;
};

TEST(DxfWriterTest, AnglesOfPointsAroundTheCentre) {
  for (const AngleCase& c : {AngleCase{1, -3, -90}, AngleCase{1, 5, 90}, AngleCase{0, 2, 134.999999},
                             AngleCase{3, 1, 0}, AngleCase{-1, 1, 180}, AngleCase{2, 2, 45.000001}}) {
    EXPECT_DOUBLE_EQ(ExportArcAngle(1, 1, c.qx, c.qy), c.expected) << c.qx << "," << c.qy;
  }
}

TEST(DxfWriterTest, NoSegmentIntoOrOutOfASeparator) {
  // The separator's P1 holds a stale value: it is still no arc centre.
  const ElementTable t = Table({{0, 0, 0, 0}, {1, 0, 0, 0}, {888, 0, 88, 7}, {5, 5, 0, 0}, {6, 5, 0, 0}});
  const std::string entities = Entities(Export(t));
  EXPECT_EQ(entities.find("ARC"), std::string::npos);
  EXPECT_EQ(entities.find("888"), std::string::npos);
  size_t lines = 0;
  for (size_t at = entities.find("LINE\r\n"); at != std::string::npos; at = entities.find("LINE\r\n", at + 1)) ++lines;
  EXPECT_EQ(lines, 2u);
  EXPECT_NE(entities.find(" 10\r\n 5 \r\n 20\r\n 5 \r\n 11\r\n 6 \r\n"), std::string::npos);
}

TEST(DxfWriterTest, ClosedContourGetsItsFinalLineAndOneEof) {
  const ElementTable t = Table({{0, 0, 0, 0}, {1, 0, 0, 0}, {1, 1, 0, 0}, {0, 0, 0, 0}});
  const std::string out = Export(t);
  EXPECT_NE(out.find("  5\r\n102\r\n"), std::string::npos);
  EXPECT_EQ(out.find("EOF"), out.rfind("EOF"));
}

TEST(DxfWriterTest, TemplateWithoutEntitiesStops) {
  std::string out = "unchanged";
  const ExchangeResult result = DxfExportText(Table({}), Joined({"  0", "SECTION", "  2", "HEADER", "  0", "ENDSEC"}),
                                              "schelt.dxs", out);
  EXPECT_FALSE(result.ok);
  EXPECT_EQ(result.message, exchange_text::TemplateWithoutEntities("schelt.dxs"));
  EXPECT_EQ(out, "unchanged");
}

TEST(IgesWriterTest, ParameterTextsOfLinesAndArcs) {
  EXPECT_EQ(IgesParameterTexts(Table({{0, 0, 0, 0}, {10, 0, 0, 0}, {10, 5, 0, 0}})),
            (std::vector<std::string>{"110, 0, 0,0, 10, 0,0;", "110, 10, 0,0, 10, 5,0;"}));
  EXPECT_EQ(IgesParameterTexts(Table({{5, 0, 0, 0}, {0, 0, 8, 5}, {0, 5, 0, 0}})),
            (std::vector<std::string>{"100,0.0, 0, 0, 5, 0, 0, 5;"}));
  EXPECT_EQ(IgesParameterTexts(Table({{0, 5, 0, 0}, {0, 0, 8, -5}, {5, 0, 0, 0}})),
            (std::vector<std::string>{"100,0.0, 0, 0, 5, 0, 0, 5;"}));
  EXPECT_EQ(IgesParameterTexts(Table({{-2.5, 0.5, 0, 0}, {1, 0, 0, 0}})),
            (std::vector<std::string>{"110,-2.5, .5,0, 1, 0,0;"}));
  EXPECT_TRUE(IgesParameterTexts(Table({})).empty());
  EXPECT_EQ(IgesParameterTexts(Table({{0, 0, 0, 0}, {1, 0, 0, 0}, {888, 0, 88, 7}, {5, 5, 0, 0}, {6, 5, 0, 0}})),
            (std::vector<std::string>{"110, 0, 0,0, 1, 0,0;", "110, 5, 5,0, 6, 5,0;"}));
}

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t end = text.find("\r\n"); end != std::string::npos; end = text.find("\r\n", start)) {
    lines.push_back(text.substr(start, end - start));
    start = end + 2;
  }
  EXPECT_EQ(start, text.size());
  return lines;
}

TEST(IgesWriterTest, CompleteFileLayout) {
  const ElementTable t = Table({{0, 0, 0, 0}, {10, 0, 0, 0}, {10, 5, 0, 0}});
  const std::vector<std::string> lines = SplitLines(IgesExportText(t, "a.igs", "20261208.120000"));
  for (const std::string& line : lines) EXPECT_EQ(line.size(), 80u) << line;
  const std::vector<std::string> tail(lines.end() - 7, lines.end());
  EXPECT_EQ(tail[0], "     110       1       0       1       0       0       0       000000000D0000001");
  EXPECT_EQ(tail[1], "     110       0       0       1       0                               0D0000002");
  EXPECT_EQ(tail[4], "110, 0, 0,0, 10, 0,0;                                                  1P0000001");
  EXPECT_EQ(tail[5], "110, 10, 0,0, 10, 5,0;                                                 3P0000002");
  EXPECT_EQ(tail[6].substr(0, 32), "S0000001G0000003D0000004P0000002");
  EXPECT_EQ(tail[6].substr(72), "T0000001");
}

TEST(IgesWriterTest, JapaneseFileNameStaysPlainAsciiInTheGlobalSection) {
  const ElementTable t = Table({{0, 0, 0, 0}, {10, 0, 0, 0}});
  const std::string text = IgesExportText(t, "部品.igs", "20261208.120000");
  for (unsigned char c : text) EXPECT_TRUE(c == '\r' || c == '\n' || (c >= 0x20 && c <= 0x7e)) << int(c);
  for (const std::string& line : SplitLines(text)) EXPECT_EQ(line.size(), 80u) << line;
  EXPECT_NE(text.find("10H______.igs"), std::string::npos);
}

TEST(IgesWriterTest, RoundTripKeepsTheContourAndContinuesLongRecords) {
  // Long coordinates make the arc record longer than 64 columns.
  const ElementTable t = Table({{-123.456789012345, 0.1, 0, 0},
                                {-100.123456789012, 22.2222222222222, 0, 0},
                                {-100.123456789012, 0.111111111111111, 8, -21.9999999999999},
                                {-78.1234567890123, 0.1, 0, 0}});
  const std::string text = IgesExportText(t, "a.igs", "20261208.120000");
  EntityList list;
  ASSERT_TRUE(ReadIgesText(text, false, list).ok);
  ASSERT_EQ(list.count, 2);
  EXPECT_EQ(test::EntityText(list.entity[1]),
            test::EntityText(test::Line(-123.456789012345, 0.1, -100.123456789012, 22.2222222222222)));
  // The clockwise arc comes back counter-clockwise from the far end.
  const Entity& arc = list.entity[2];
  EXPECT_DOUBLE_EQ(arc.X1, -78.1234567890123);
  EXPECT_DOUBLE_EQ(arc.Y1, 0.1);
  EXPECT_DOUBLE_EQ(arc.X2, -100.123456789012);
  EXPECT_DOUBLE_EQ(arc.Y2, 22.2222222222222);
  EXPECT_DOUBLE_EQ(arc.CY, 0.111111111111111);
  EXPECT_GT(arc.R, 0);
  size_t continued = 0;
  for (const std::string& line : SplitLines(text)) {
    if (line[72] == 'P' && line.find(';') == std::string::npos) ++continued;
  }
  EXPECT_EQ(continued, 2u);  // both records run past column 64
}

}  // namespace
}  // namespace vx
