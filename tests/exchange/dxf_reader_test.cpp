// The DXF reader on inline file texts: entity types, blocks, markers, skipped counts and refusals.
#include "exchange/dxf_reader.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

#include "exchange/curve_fit.h"
#include "exchange/exchange_messages.h"
#include "exchange/import_postprocess.h"
#include "exchange_test_support.h"

namespace vx {
namespace {

using test::Arc;
using test::EntityText;
using test::Joined;
using test::Line;
using Lines = std::vector<std::string>;

// A DXF text: the blocks (when any) and the entities, each in its section.
std::string Dxf(const Lines& entities, const Lines& blocks = {}, const std::string& end = "\r\n") {
  Lines lines = {"  0", "SECTION", "  2", "HEADER", "  9", "$ACADVER", "  1", "AC1009", "  0", "ENDSEC"};
  if (!blocks.empty()) {
    lines.insert(lines.end(), {"  0", "SECTION", "  2", "BLOCKS"});
    lines.insert(lines.end(), blocks.begin(), blocks.end());
    lines.insert(lines.end(), {"  0", "ENDSEC"});
  }
  lines.insert(lines.end(), {"  0", "SECTION", "  2", "ENTITIES"});
  lines.insert(lines.end(), entities.begin(), entities.end());
  lines.insert(lines.end(), {"  0", "ENDSEC", "  0", "EOF"});
  return Joined(lines, end);
}

Lines Cat(std::vector<Lines> parts) {
  Lines all;
  for (auto& p : parts) all.insert(all.end(), p.begin(), p.end());
  return all;
}

Lines LineEntity(const char* x1, const char* y1, const char* x2, const char* y2) {
  return {"  0", "LINE", "  8", "0", " 10", x1, " 20", y1, " 30", "0", " 11", x2, " 21", y2, " 31", "0"};
}

Lines Block(const char* name, const char* baseX, const char* baseY, const Lines& entities) {
  Lines lines = {"  0", "BLOCK", "  8", "0", "  2", name, " 70", "0", " 10", baseX, " 20", baseY, " 30", "0"};
  lines.insert(lines.end(), entities.begin(), entities.end());
  lines.insert(lines.end(), {"  0", "ENDBLK", "  8", "0"});
  return lines;
}

struct ReadCase {
  const char* name;
  std::string text;
  std::vector<Entity> expected;
  std::vector<MarkerPoint> markers = {};
  std::string skipped = {};  // the report line
};

void PrintTo(const ReadCase& c, std::ostream* os) { *os << c.name; }

class DxfReadTest : public ::testing::TestWithParam<ReadCase> {};

TEST_P(DxfReadTest, EntitiesMarkersAndWhatWasLeftOut) {
  const ReadCase& c = GetParam();
  EntityList list;
  const ExchangeResult result = ReadDxfText(c.text, list, "t.dxf");
  ASSERT_TRUE(result.ok) << result.message;
  ASSERT_EQ(list.count, static_cast<int>(c.expected.size()));
  for (int k = 1; k <= list.count; ++k) {
    const Entity& got = list.entity[k];
    const Entity& want = c.expected[k - 1];
    const double tol = 1e-9;
    EXPECT_TRUE(std::fabs(got.X1 - want.X1) < tol && std::fabs(got.Y1 - want.Y1) < tol &&
                std::fabs(got.X2 - want.X2) < tol && std::fabs(got.Y2 - want.Y2) < tol &&
                std::fabs(got.CX - want.CX) < tol && std::fabs(got.CY - want.CY) < tol &&
                std::fabs(got.R - want.R) < tol)
        << "entity " << k << ": " << EntityText(got) << " expected " << EntityText(want);
  }
  ASSERT_EQ(list.markerCount, static_cast<int>(c.markers.size()));
  for (int m = 1; m <= list.markerCount; ++m) {
    EXPECT_NEAR(list.marker[m].x, c.markers[m - 1].x, 1e-12);
    EXPECT_NEAR(list.marker[m].y, c.markers[m - 1].y, 1e-12);
  }
  EXPECT_EQ(SkippedLine(list), c.skipped);
}

const Lines kSquareBlock = Block("SQ", "0", "0", Cat({LineEntity("0", "0", "2", "0"),
                                                        {"  0", "ARC", " 10", "2", " 20", "1", " 40", "1", " 50",
                                                         "-90", " 51", "90"}}));

INSTANTIATE_TEST_SUITE_P(
    Entities, DxfReadTest,
    ::testing::Values(
        ReadCase{"codes in any alignment, values trimmed",
                 Dxf({"0", "LINE", "10 ", " 1.5 ", "20", "2", "  11", "-3", "21", "4.25\t"}),
                 {Line(1.5, 2, -3, 4.25)}},
        ReadCase{"lf line ends", Dxf(LineEntity("0", "0", "1", "0"), {}, "\n"), {Line(0, 0, 1, 0)}},
        ReadCase{"cr line ends", Dxf(LineEntity("0", "0", "1", "0"), {}, "\r"), {Line(0, 0, 1, 0)}},
        ReadCase{"a text reading ARC is a text",
                 Dxf({"  0", "TEXT", "  1", "ARC", " 10", "2", " 20", "0", " 40", "1", "  0", "TEXT", "  1", "x",
                      "  0", "HATCH", "  2", "SOLID"}),
                 {},
                 {},
                 "読み込まなかった図形: TEXT 2, HATCH 1"},
        ReadCase{"quarter arc", Dxf({"  0", "ARC", " 10", "0", " 20", "0", " 40", "5", " 50", "0", " 51", "90"}),
                 {Arc(5, 0, 0, 5, 0, 0, 5)}},
        ReadCase{"arc across zero degrees",
                 Dxf({"  0", "ARC", " 10", "1", " 20", "1", " 40", "2", " 50", "-90", " 51", "180"}),
                 {Arc(1, -1, -1, 1, 1, 1, 2)}},
        ReadCase{"marker circle and a circle just larger",
                 Dxf({"  0", "CIRCLE", " 10", "7", " 20", "8", " 40", "0.222", "  0", "CIRCLE", " 10", "3", " 20", "4",
                      " 40", "0.2220001"}),
                 {Arc(3.2220001, 4, 3.2220001, 4, 3, 4, 0.2220001)},
                 {MarkerPoint{7, 8}}},
        ReadCase{"open four-vertex polyline is not closed",
                 Dxf({"  0", "LWPOLYLINE", " 90", "4", " 70", "0", " 10", "0", " 20", "0", " 10", "10", " 20", "0",
                      " 10", "10", " 20", "5", " 10", "0", " 20", "5"}),
                 {Line(0, 0, 10, 0), Line(10, 0, 10, 5), Line(10, 5, 0, 5)}},
        ReadCase{"closed polyline of three vertices",
                 Dxf({"  0", "LWPOLYLINE", " 90", "3", " 70", "1", " 10", "0", " 20", "0", " 10", "4", " 20", "0",
                      " 10", "4", " 20", "3"}),
                 {Line(0, 0, 4, 0), Line(4, 0, 4, 3), Line(4, 3, 0, 0)}},
        ReadCase{"closed two-vertex polyline of two half circles",
                 Dxf({"  0", "LWPOLYLINE", " 90", "2", " 70", "129", " 10", "0", " 20", "0", " 42", "1", " 10", "10",
                      " 20", "0", " 42", "1"}),
                 {Arc(0, 0, 10, 0, 5, 0, 5), Arc(10, 0, 0, 0, 5, 0, 5)}},
        ReadCase{"R12 polyline with a clockwise bulge, closed, frame point left out",
                 Dxf({"  0", "POLYLINE", " 66", "1", " 10", "0", " 20", "0", " 30", "0", " 70", "1",
                      "  0", "VERTEX", " 10", "0", " 20", "0", " 42", "-1",
                      "  0", "VERTEX", " 10", "99", " 20", "99", " 70", "16",
                      "  0", "VERTEX", " 10", "0", " 20", "10",
                      "  0", "SEQEND", "  0", "LINE", " 10", "5", " 20", "5", " 11", "6", " 21", "5"}),
                 {Arc(0, 0, 0, 10, 0, 5, -5), Line(0, 10, 0, 0), Line(5, 5, 6, 5)}},
        ReadCase{"3D polyline as lines, meshes counted",
                 Dxf({"  0", "POLYLINE", " 70", "8", "  0", "VERTEX", " 10", "1", " 20", "1", " 30", "5", " 70",
                      "32", "  0", "VERTEX", " 10", "2", " 20", "1", " 30", "7", " 70", "32", "  0", "SEQEND",
                      "  0", "POLYLINE", " 70", "16", "  0", "VERTEX", " 10", "1", " 20", "1", " 70", "64", "  0",
                      "SEQEND", "  0", "POLYLINE", " 70", "64", "  0", "VERTEX", " 10", "1", " 20", "1", " 70",
                      "192", "  0", "SEQEND"}),
                 {Line(1, 1, 2, 1)},
                 {},
                 "読み込まなかった図形: POLYLINE (MESH) 1, POLYLINE (POLYFACE) 1"},
        ReadCase{"paper space left out and counted",
                 Dxf(Cat({LineEntity("0", "0", "1", "0"),
                          {"  0", "LINE", " 67", "1", " 10", "0", " 20", "0", " 11", "9", " 21", "9"}})),
                 {Line(0, 0, 1, 0)},
                 {},
                 "読み込まなかった図形: ペーパー空間の図形 1"},
        ReadCase{"invisible entities left out and counted, a hidden tilted light symbol too",
                 Dxf(Cat({LineEntity("0", "0", "1", "0"),
                          {"  0", "LINE", " 60", "1", " 10", "0", " 20", "0", " 11", "9", " 21", "9"},
                          {"  0", "INSERT", " 60", "1", "  2", "P", " 10", "0", " 20", "0", "210", "-0.0022", "220",
                           "-0.0016", "230", "0.999996"},
                          {"  0", "LINE", " 60", "0", " 10", "1", " 20", "0", " 11", "1", " 21", "1"}}),
                     Block("P", "0", "0", LineEntity("0", "0", "0", "5"))),
                 {Line(0, 0, 1, 0), Line(1, 0, 1, 1)},
                 {},
                 "読み込まなかった図形: 非表示の図形 2"},
        ReadCase{"entities written into the model space block are model space",
                 Dxf(LineEntity("0", "0", "1", "0"),
                     Cat({Block("*Model_Space", "0", "0", LineEntity("1", "0", "1", "1")),
                          Block("*Paper_Space", "0", "0", LineEntity("5", "5", "6", "6"))})),
                 {Line(0, 0, 1, 0), Line(1, 0, 1, 1)}},
        ReadCase{"insert moved, scaled by 2 and turned a quarter",
                 Dxf({"  0", "INSERT", "  2", "sq", " 10", "10", " 20", "0", " 41", "2", " 42", "2", " 50", "90"},
                     kSquareBlock),
                 // The block's line (0,0)-(2,0) and its right half circle about (2,1).
                 {Line(10, 0, 10, 4), Arc(10, 4, 6, 4, 8, 4, 2)}},
        ReadCase{"insert mirrored in x: the arc is read from its other end",
                 Dxf({"  0", "INSERT", "  2", "SQ", " 10", "0", " 20", "0", " 41", "-1"}, kSquareBlock),
                 {Line(0, 0, -2, 0), Arc(-2, 2, -2, 0, -2, 1, 1)}},
        ReadCase{"insert seen from below (extrusion -Z)",
                 Dxf({"  0", "INSERT", "  2", "SQ", " 10", "5", " 20", "0", "230", "-1"}, kSquareBlock),
                 {Line(-5, 0, -7, 0), Arc(-7, 2, -7, 0, -7, 1, 1)}},
        ReadCase{"nested blocks and a base point",
                 Dxf({"  0", "INSERT", "  2", "OUTER", " 10", "100", " 20", "0"},
                     Cat({Block("INNER", "1", "1", LineEntity("1", "1", "2", "1")),
                          Block("OUTER", "0", "0",
                                {"  0", "INSERT", "  2", "INNER", " 10", "0", " 20", "5", " 50", "180"})})),
                 {Line(100, 5, 99, 5)}},
        ReadCase{"minsert of two columns and two rows, attributes counted",
                 Dxf({"  0", "INSERT", " 66", "1", "  2", "P", " 10", "0", " 20", "0", " 70", "2", " 71", "2",
                      " 44", "10", " 45", "20", "  0", "ATTRIB", "  1", "LINE", "  0", "SEQEND"},
                     Block("P", "0", "0", LineEntity("0", "0", "1", "0"))),
                 {Line(0, 0, 1, 0), Line(10, 0, 11, 0), Line(0, 20, 1, 20), Line(10, 20, 11, 20)},
                 {},
                 "読み込まなかった図形: ATTRIB 1"},
        ReadCase{"marker inside a turned block",
                 Dxf({"  0", "INSERT", "  2", "M", " 10", "3", " 20", "4", " 50", "30"},
                     Block("M", "0", "0", {"  0", "CIRCLE", " 10", "0", " 20", "0", " 40", "0.222"})),
                 {},
                 {MarkerPoint{3, 4}}},
        ReadCase{"a side of a tiny bulge is a straight line, not an arc kilometres wide",
                 Dxf({"  0", "LWPOLYLINE", " 70", "0", " 10", "0", " 20", "0", " 42", "1e-14", " 10", "1000", " 20",
                      "1000"}),
                 {Line(0, 0, 1000, 1000)}},
        ReadCase{"the frame of an MTEXT is part of the text",
                 Dxf({"  0", "MTEXT", "  5", "1A", "  1", "text", "1001", "ACAD", "1000",
                      "ACAD_MTEXT_TEXT_BORDERS_BEGIN", "1005", "9F", "1000", "ACAD_MTEXT_TEXT_BORDERS_END", "  0",
                      "LWPOLYLINE", "  5", "9F", " 70", "1", " 10", "0", " 20", "0", " 10", "5", " 20", "0", " 10",
                      "5", " 20", "5", "  0", "LWPOLYLINE", "  5", "A0", " 10", "0", " 20", "0", " 10", "1", " 20",
                      "0"}),
                 {Line(0, 0, 1, 0)},
                 {},
                 "読み込まなかった図形: MTEXT 1, MTEXT FRAME 1"},
        ReadCase{"points drawn as lines of no length are no entities",
                 Dxf(Cat({LineEntity("3", "3", "3", "3"), {"  0", "POINT", " 10", "1", " 20", "1"}})),
                 {},
                 {},
                 "読み込まなかった図形: POINT 1"},
        ReadCase{"a file cut after its ENTITIES section still reads",
                 Joined({"0", "SECTION", "2", "ENTITIES", "0", "LINE", "10", "0", "20", "0", "11", "1", "21", "0",
                         "0", "ENDSEC", "0", "SECTION", "2", "OBJECTS", "0", "DICTIONARY", "5"},
                        "\n"),
                 {Line(0, 0, 1, 0)}}),
    [](const auto& info) { return std::to_string(info.index); });

struct StopCase {
  const char* name;
  std::string text;
  std::string message;
};

void PrintTo(const StopCase& c, std::ostream* os) { *os << c.name; }

class DxfStopTest : public ::testing::TestWithParam<StopCase> {};

TEST_P(DxfStopTest, StopsWithAMessageNamingTheCause) {
  EntityList list;
  const ExchangeResult result = ReadDxfText(GetParam().text, list, "t.dxf");
  EXPECT_FALSE(result.ok);
  EXPECT_EQ(result.message, GetParam().message);
}

std::string ManyCircles(int count, const char* radius) {
  Lines body;
  for (int i = 0; i < count; ++i) body.insert(body.end(), {"  0", "CIRCLE", " 10", "1", " 20", "1", " 40", radius});
  return Dxf(body);
}

INSTANTIATE_TEST_SUITE_P(
    Refusals, DxfStopTest,
    ::testing::Values(
        StopCase{"binary", std::string("AutoCAD Binary DXF\r\n\x1a\0", 22) + "xx", exchange_text::DxfBinary("t.dxf")},
        StopCase{"dwg", "AC1015\0\0\0", exchange_text::DxfIsDwg("t.dxf")},
        StopCase{"not dxf", "%PDF-1.4\n", exchange_text::DxfNotDxf("t.dxf")},
        StopCase{"cut inside an entity", Joined({"  0", "SECTION", "  2", "ENTITIES", "  0", "LINE", " 10"}),
                 exchange_text::DxfTruncated("t.dxf")},
        StopCase{"cut inside the section", Joined({"0", "SECTION", "2", "ENTITIES", "0", "LINE", "10", "1"}, "\n"),
                 exchange_text::DxfTruncated("t.dxf")},
        StopCase{"cut before the entities", Joined({"0", "SECTION", "2", "HEADER", "9", "$ACADVER"}),
                 exchange_text::DxfTruncated("t.dxf")},
        StopCase{"whole file without entities",
                 Joined({"  0", "SECTION", "  2", "HEADER", "  0", "ENDSEC", "  0", "EOF"}),
                 exchange_text::DxfNoEntitiesSection("t.dxf")},
        StopCase{"a code line that is no code", Dxf({"  0", "LINE", "abc", "1"}),
                 exchange_text::DxfBadCode("t.dxf", 17)},
        StopCase{"flag beyond every integer", Dxf({"  0", "LWPOLYLINE", " 70", "1e30", " 10", "0", " 20", "0"}),
                 exchange_text::DxfBadNumber("t.dxf", 18)},
        StopCase{"coordinate beyond a double", Dxf({"  0", "LINE", " 10", "1e999"}),
                 exchange_text::DxfBadNumber("t.dxf", 18)},
        StopCase{"coordinate with a decimal comma",
                 Dxf(Cat({LineEntity("0", "0", "1", "0"), LineEntity("1", "0", "1,5", "2")})),
                 exchange_text::DxfNotANumber("t.dxf", 42)},
        StopCase{"radius printed as not-a-number", Dxf({"  0", "CIRCLE", " 10", "0", " 20", "0", " 40", "-1.#IND"}),
                 exchange_text::DxfNotANumber("t.dxf", 22)},
        StopCase{"missing block", Dxf({"  0", "INSERT", "  2", "NONE"}), exchange_text::DxfMissingBlock("NONE")},
        StopCase{"block inserting itself",
                 Dxf({"  0", "INSERT", "  2", "A"}, Block("A", "0", "0", {"  0", "INSERT", "  2", "a"})),
                 exchange_text::DxfBlockCycle("a")},
        StopCase{"external block",
                 Dxf({"  0", "INSERT", "  2", "X"},
                     {"  0", "BLOCK", "  2", "X", " 70", "4", "  1", "part.dwg", "  0", "ENDBLK"}),
                 exchange_text::DxfExternalBlock("X")},
        StopCase{"insert of scale 0", Dxf({"  0", "INSERT", "  2", "P", " 41", "0"}, Block("P", "0", "0", {})),
                 exchange_text::DxfFlatInsert(39)},
        StopCase{"arc in a tilted plane",
                 Dxf({"  0", "ARC", " 10", "0", " 20", "0", " 40", "1", "210", "1", "220", "0", "230", "0"}),
                 exchange_text::DxfNotInPlane("ARC", 15)},
        StopCase{"spline of two fit points and no tangents",
                 Dxf({"  0", "SPLINE", " 70", "8", " 71", "3", " 74", "2", " 11", "0", " 21", "0", " 11", "1", " 21",
                      "1"}),
                 exchange_text::DxfBadCurve("SPLINE", 15)},
        StopCase{"spline whose knots do not fit",
                 Dxf({"  0", "SPLINE", " 71", "2", " 40", "0", " 40", "1", " 10", "0", " 20", "0", " 10", "1", " 20",
                      "1", " 10", "2", " 20", "0"}),
                 exchange_text::DxfBadCurve("SPLINE", 15)},
        StopCase{"entities", ManyCircles(1001, "1"), exchange_text::kTooManyEntities},
        StopCase{"entities after expansion",
                 Dxf({"  0", "INSERT", "  2", "P", " 70", "501", " 44", "1"},
                     Block("P", "0", "0", Cat({LineEntity("0", "0", "0", "1"), LineEntity("0", "1", "0", "2")}))),
                 exchange_text::kTooManyEntities},
        StopCase{"markers", ManyCircles(201, "0.222"), exchange_text::kTooManyMarkers}),
    [](const auto& info) { return std::to_string(info.index); });

TEST(DxfReaderTest, ExactlyTheLimitsAreRead) {
  EntityList list;
  EXPECT_TRUE(ReadDxfText(ManyCircles(1000, "1"), list).ok);
  EXPECT_EQ(list.count, 1000);
  EXPECT_TRUE(ReadDxfText(ManyCircles(200, "0.222"), list).ok);
  EXPECT_EQ(list.markerCount, 200);
}

TEST(DxfReaderTest, StartAngleNinetyIsExact) {
  EntityList list;
  ASSERT_TRUE(ReadDxfText(Dxf({"  0", "ARC", " 10", "1.1", " 20", "2.2", " 40", "3.3", " 50", "90", " 51", "200"}),
                          list)
                  .ok);
  ASSERT_EQ(list.count, 1);
  EXPECT_EQ(list.entity[1].X1, 1.1);
  EXPECT_EQ(list.entity[1].Y1, 2.2 + 3.3);
}

TEST(DxfReaderTest, MirroredArcsAndPolylinesAreReadAsSeenFromAbove) {
  // Extrusion (0, 0, -1): the drawing-plane x runs to the left. An arc about
  // (10, 5) from 0 to 90 degrees there runs from (-13, 5) clockwise up to
  // (-10, 8) seen from above, read as the counter-clockwise arc (-10, 8) to
  // (-13, 5); a bulged side turns clockwise.
  EntityList list;
  ASSERT_TRUE(ReadDxfText(Dxf({"  0", "ARC", " 10", "10", " 20", "5", " 30", "0", " 40", "3", "210", "0", "220", "0",
                               "230", "-1", " 50", "0", " 51", "90", "  0", "CIRCLE", " 10", "10", " 20", "5", " 40",
                               "2", "230", "-1.0", "  0", "CIRCLE", " 10", "4", " 20", "4", " 40", "0.222", "230",
                               "-1", "  0", "LWPOLYLINE", " 70", "0", "230", "-1", " 10", "0", " 20", "0", " 42", "1",
                               " 10", "10", " 20", "0"}),
                          list)
                  .ok);
  ASSERT_EQ(list.count, 3);
  EXPECT_EQ(EntityText(list.entity[1]), EntityText(Arc(-10, 8, -13, 5, -10, 5, 3)));
  EXPECT_EQ(EntityText(list.entity[2]), EntityText(Arc(-8, 5, -8, 5, -10, 5, 2)));
  ASSERT_EQ(list.markerCount, 1);
  EXPECT_EQ(list.marker[1].x, -4);
  const Entity& side = list.entity[3];
  EXPECT_EQ(side.X2, -10);
  EXPECT_NEAR(side.CX, -5, 1e-12);
  EXPECT_NEAR(side.CY, 0, 1e-12);
  EXPECT_NEAR(side.R, -5, 1e-12);
}

// Curves become chains of arcs: each arc starts where the previous ends, and
// points sampled along every arc lie on the true curve within the fitting
// tolerance (checked against the curve's own equation).
struct CurveCase {
  const char* name;
  std::string text;
  std::function<double(double, double)> distance;  // distance of (x, y) from the true curve, roughly
  bool closed;
};

void PrintTo(const CurveCase& c, std::ostream* os) { *os << c.name; }

class DxfCurveTest : public ::testing::TestWithParam<CurveCase> {};

TEST_P(DxfCurveTest, ArcsFollowTheCurve) {
  const CurveCase& c = GetParam();
  EntityList list;
  const ExchangeResult result = ReadDxfText(c.text, list);
  ASSERT_TRUE(result.ok) << result.message;
  ASSERT_GE(list.count, 2);
  for (int k = 1; k <= list.count; ++k) {
    const Entity& e = list.entity[k];
    if (k > 1) {
      EXPECT_EQ(e.X1, list.entity[k - 1].X2);
      EXPECT_EQ(e.Y1, list.entity[k - 1].Y2);
    }
    for (int i = 0; i <= 8; ++i) {
      const double f = i / 8.0;
      double x = e.X1 + f * (e.X2 - e.X1), y = e.Y1 + f * (e.Y2 - e.Y1);
      if (e.R != 0) {
        const double a1 = std::atan2(e.Y1 - e.CY, e.X1 - e.CX);
        double sweep = ArcSweep(e);
        const double a = a1 + (e.R > 0 ? 1 : -1) * f * sweep;
        x = e.CX + std::fabs(e.R) * std::cos(a);
        y = e.CY + std::fabs(e.R) * std::sin(a);
      }
      EXPECT_LT(c.distance(x, y), 0.0011) << c.name << " entity " << k << " at " << f;
    }
  }
  const Entity& last = list.entity[list.count];
  EXPECT_EQ(c.closed, last.X2 == list.entity[1].X1 && last.Y2 == list.entity[1].Y1);
}

// Distance from (x, y) to the curve point(t), t in [t0, t1]: a coarse search
// refined by ternary search about the nearest sample.
double CurveDistance(const std::function<std::pair<double, double>(double)>& point, double t0, double t1, double x,
                     double y) {
  auto dist = [&](double t) {
    const auto p = point(t);
    return std::hypot(x - p.first, y - p.second);
  };
  constexpr int kSamples = 4000;
  const double step = (t1 - t0) / kSamples;
  double bestT = t0;
  for (int i = 0; i <= kSamples; ++i) {
    if (dist(t0 + i * step) < dist(bestT)) bestT = t0 + i * step;
  }
  double lo = std::max(t0, bestT - step), hi = std::min(t1, bestT + step);
  for (int i = 0; i < 100; ++i) {
    const double m1 = lo + (hi - lo) / 3, m2 = hi - (hi - lo) / 3;
    if (dist(m1) < dist(m2)) {
      hi = m2;
    } else {
      lo = m1;
    }
  }
  return dist((lo + hi) / 2);
}

// An axis-aligned ellipse about (cx, cy) with semi-axes a (x) and b (y).
std::function<double(double, double)> EllipseDistance(double cx, double cy, double a, double b) {
  return [=](double x, double y) {
    return CurveDistance([=](double t) { return std::pair<double, double>{cx + a * std::cos(t), cy + b * std::sin(t)}; },
                         0, 2 * 3.14159265358979, x, y);
  };
}

// A quadratic Bezier (0,0) (10,10) (20,0).
double ParabolaDistance(double x, double y) {
  return CurveDistance([](double t) { return std::pair<double, double>{20 * t, 20 * t * (1 - t)}; }, 0, 1, x, y);
}

INSTANTIATE_TEST_SUITE_P(
    Curves, DxfCurveTest,
    ::testing::Values(
        CurveCase{"full ellipse",
                  Dxf({"  0", "ELLIPSE", " 10", "5", " 20", "5", " 11", "20", " 21", "0", " 40", "0.5", " 41", "0",
                       " 42", "6.283185307179586"}),
                  EllipseDistance(5, 5, 20, 10), true},
        CurveCase{"full ellipse whose end is written a hair past a whole turn",
                  Dxf({"  0", "ELLIPSE", " 10", "5", " 20", "5", " 11", "20", " 21", "0", " 40", "0.5", " 41", "0",
                       " 42", "6.283185308"}),
                  EllipseDistance(5, 5, 20, 10), true},
        CurveCase{"arc of a whole turn and a hair in a block stretched twice in x",
                  Dxf({"  0", "INSERT", "  2", "C", " 41", "2"},
                      Block("C", "0", "0",
                            {"  0", "ARC", " 10", "0", " 20", "0", " 40", "3", " 50", "-90", " 51", "270.0000001"})),
                  EllipseDistance(0, 0, 6, 3), true},
        CurveCase{"ellipse arc seen from below",
                  Dxf({"  0", "ELLIPSE", " 10", "0", " 20", "0", " 11", "0", " 21", "8", " 40", "0.25", " 41", "0.5",
                       " 42", "2", "230", "-1"}),
                  EllipseDistance(0, 0, 2, 8), false},
        CurveCase{"circle in a block stretched twice in x",
                  Dxf({"  0", "INSERT", "  2", "C", " 41", "2"},
                      Block("C", "0", "0", {"  0", "CIRCLE", " 10", "0", " 20", "0", " 40", "3"})),
                  EllipseDistance(0, 0, 6, 3), true},
        CurveCase{"quadratic spline",
                  Dxf({"  0", "SPLINE", " 70", "8", " 71", "2", " 72", "6", " 73", "3", " 40", "0", " 40", "0", " 40",
                       "0", " 40", "1", " 40", "1", " 40", "1", " 10", "0", " 20", "0", " 10", "10", " 20", "10",
                       " 10", "20", " 20", "0"}),
                  ParabolaDistance, false},
        CurveCase{"spline of fit points, mirrored in a block: the cubic through them",
                  Dxf({"  0", "INSERT", "  2", "F", " 41", "-1"},
                      Block("F", "0", "0",
                            {"  0", "SPLINE", " 70", "8", " 71", "3", " 74", "3", " 11", "0", " 21", "0", " 11", "10",
                             " 21", "10", " 11", "20", " 21", "0", " 12", "1", " 22", "0", " 13", "0", " 23", "-1"})),
                  // The case "given end tangents" of the curve fitting, mirrored in x.
                  [](double x, double y) {
                    const ParametricCurve curve = [] {
                      const CurveVec s{1, 0}, e{0, -1};
                      return FitPointCurve({{0, 0}, {10, 10}, {20, 0}}, &s, &e);
                    }();
                    return CurveDistance(
                        [&curve](double u) {
                          const CurveVec p = curve.at(u).point;
                          return std::pair<double, double>{-p.x, p.y};
                        },
                        0, 1, x, y);
                  },
                  false},
        CurveCase{"spline stored without knots has clamped uniform ones",
                  Dxf({"  0", "SPLINE", " 70", "8", " 71", "2", " 72", "0", " 73", "3", " 10", "0", " 20", "0",
                       " 10", "10", " 20", "10", " 10", "20", " 20", "0"}),
                  ParabolaDistance, false},
        CurveCase{"rational quadratic spline: a quarter circle",
                  Dxf({"  0", "SPLINE", " 70", "12", " 71", "2", " 40", "0", " 40", "0", " 40", "0", " 40", "1",
                       " 40", "1", " 40", "1", " 41", "1", " 41", "0.7071067811865476", " 41", "1", " 10", "10",
                       " 20", "0", " 10", "10", " 20", "10", " 10", "0", " 20", "10"}),
                  [](double x, double y) { return std::fabs(std::hypot(x, y) - 10); }, false}),
    [](const auto& info) { return std::to_string(info.index); });

}  // namespace
}  // namespace vx
