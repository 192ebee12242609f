// The DXF reader on inline file texts: group codes, passes, markers, polylines, limits.
#include "exchange/dxf_reader.h"

#include <gtest/gtest.h>

#include <cmath>

#include "exchange/exchange_messages.h"
#include "exchange_test_support.h"

namespace vx {
namespace {

using test::EntityText;
using test::Joined;

std::vector<std::string> Entities(std::vector<std::string> body) {
  std::vector<std::string> lines = {"  0", "SECTION", "  2", "ENTITIES"};
  lines.insert(lines.end(), body.begin(), body.end());
  lines.insert(lines.end(), {"  0", "ENDSEC", "  0", "EOF"});
  return lines;
}

EntityList Read(const std::string& text) {
  EntityList list;
  const ExchangeResult result = ReadDxfText(text, list, "t.dxf");
  EXPECT_TRUE(result.ok) << result.message;
  return list;
}

std::vector<std::string> LineEntity(const char* x1, const char* y1, const char* x2, const char* y2) {
  return {"  0", "LINE", "  8", "0", " 10", x1, " 20", y1, " 30", "0", " 11", x2, " 21", y2, " 31", "0"};
}

std::vector<std::string> Cat(std::vector<std::vector<std::string>> parts) {
  std::vector<std::string> all;
  for (auto& p : parts) all.insert(all.end(), p.begin(), p.end());
  return all;
}

TEST(DxfReaderTest, LineFromItsFourCodes) {
  const EntityList list = Read(Joined(Entities(LineEntity("1.5", "2", "-3", "4.25"))));
  ASSERT_EQ(list.count, 1);
  EXPECT_EQ(EntityText(list.entity[1]), EntityText(test::Line(1.5, 2, -3, 4.25)));
}

TEST(DxfReaderTest, CodeWithoutLeadingBlanksIsNotRecognised) {
  const EntityList list = Read(Joined(Entities({"  0", "LINE", "10", "7", " 20", "2", " 11", "3", " 21", "4"})));
  ASSERT_EQ(list.count, 1);
  EXPECT_EQ(list.entity[1].X1, 0);
  EXPECT_EQ(list.entity[1].Y1, 2);
}

TEST(DxfReaderTest, LfOnlyFileReadsLikeCrLf) {
  const auto lines = Entities(Cat({LineEntity("0", "0", "10", "0"),
                                   {"  0", "ARC", " 10", "0", " 20", "0", " 40", "5", " 50", "0", " 51", "90"}}));
  const EntityList crlf = Read(Joined(lines));
  const EntityList lf = Read(Joined(lines, "\n"));
  const EntityList cr = Read(Joined(lines, "\r"));
  ASSERT_EQ(crlf.count, 2);
  ASSERT_EQ(lf.count, 2);
  ASSERT_EQ(cr.count, 2);
  for (int k = 1; k <= 2; ++k) {
    EXPECT_EQ(EntityText(lf.entity[k]), EntityText(crlf.entity[k]));
    EXPECT_EQ(EntityText(cr.entity[k]), EntityText(crlf.entity[k]));
  }
}

struct ArcCase {
  const char* name;
  std::vector<std::string> body;
  Entity expected;
};

void PrintTo(const ArcCase& c, std::ostream* os) { *os << c.name; }

class DxfArcTest : public ::testing::TestWithParam<ArcCase> {};

TEST_P(DxfArcTest, EndPointsFromCentreRadiusAndAngles) {
  const ArcCase& c = GetParam();
  const EntityList list = Read(Joined(Entities(c.body)));
  ASSERT_EQ(list.count, 1) << c.name;
  const Entity& e = list.entity[1];
  EXPECT_NEAR(e.X1, c.expected.X1, 1e-12);
  EXPECT_NEAR(e.Y1, c.expected.Y1, 1e-12);
  EXPECT_NEAR(e.X2, c.expected.X2, 1e-12);
  EXPECT_NEAR(e.Y2, c.expected.Y2, 1e-12);
  EXPECT_EQ(e.CX, c.expected.CX);
  EXPECT_EQ(e.CY, c.expected.CY);
  EXPECT_EQ(e.R, c.expected.R);
}

INSTANTIATE_TEST_SUITE_P(
    Arcs, DxfArcTest,
    ::testing::Values(
        ArcCase{"quarter", {"  0", "ARC", " 10", "0", " 20", "0", " 40", "5", " 50", "0", " 51", "90"},
                {5, 0, 0, 5, 0, 0, 5}},
        ArcCase{"minus ninety", {"  0", "ARC", " 10", "1", " 20", "1", " 40", "2", " 50", "-90", " 51", "180"},
                {1, -1, -1, 1, 1, 1, 2}},
        ArcCase{"circle", {"  0", "CIRCLE", " 10", "3", " 20", "4", " 40", "0.2220001"},
                {3.2220001, 4, 3.2220001, 4, 3, 4, 0.2220001}},
        ArcCase{"text reading ARC", {"  0", "TEXT", "  1", "ARC", " 10", "2", " 20", "0", " 40", "1"},
                {3, 0, 3, 0, 2, 0, 1}}),
    [](const auto& info) { return std::to_string(info.index); });

TEST(DxfReaderTest, StartAngleNinetyIsExact) {
  const EntityList list =
      Read(Joined(Entities({"  0", "ARC", " 10", "1.1", " 20", "2.2", " 40", "3.3", " 50", "90", " 51", "200"})));
  ASSERT_EQ(list.count, 1);
  EXPECT_EQ(list.entity[1].X1, 1.1);
  EXPECT_EQ(list.entity[1].Y1, 2.2 + 3.3);
}

TEST(DxfReaderTest, MarkerCircleGivesAMarkerAndNoEntity) {
  const EntityList list = Read(Joined(Entities(Cat({{"  0", "CIRCLE", " 10", "7", " 20", "8", " 40", "0.222"},
                                                    LineEntity("0", "0", "1", "0")}))));
  ASSERT_EQ(list.count, 1);
  EXPECT_EQ(EntityText(list.entity[1]), EntityText(test::Line(0, 0, 1, 0)));
  ASSERT_EQ(list.markerCount, 1);
  EXPECT_EQ(list.marker[1].x, 7);
  EXPECT_EQ(list.marker[1].y, 8);
}

TEST(DxfReaderTest, LinesOutsideEntitiesAreNeverEntities) {
  std::vector<std::string> lines = {"  0", "SECTION", "  2", "BLOCKS"};
  const auto inBlock = LineEntity("5", "5", "6", "6");
  lines.insert(lines.end(), inBlock.begin(), inBlock.end());
  lines.insert(lines.end(), {"  0", "ENDSEC"});
  const auto rest = Entities(LineEntity("0", "0", "1", "0"));
  lines.insert(lines.end(), rest.begin(), rest.end());
  const EntityList list = Read(Joined(lines));
  ASSERT_EQ(list.count, 1);
  EXPECT_EQ(list.entity[1].X2, 1);
}

TEST(DxfReaderTest, FourVertexPolylineClosesItself) {
  const EntityList list = Read(Joined(Entities({"  0", "LWPOLYLINE", " 90", "4", " 70", "0", " 10", "0", " 20", "0",
                                                " 10", "10", " 20", "0", " 10", "10", " 20", "5", " 10", "0", " 20",
                                                "5"})));
  ASSERT_EQ(list.count, 4);
  EXPECT_EQ(EntityText(list.entity[1]), EntityText(test::Line(0, 0, 10, 0)));
  EXPECT_EQ(EntityText(list.entity[2]), EntityText(test::Line(10, 0, 10, 5)));
  EXPECT_EQ(EntityText(list.entity[3]), EntityText(test::Line(10, 5, 0, 5)));
  EXPECT_EQ(EntityText(list.entity[4]), EntityText(test::Line(0, 5, 0, 0)));
}

TEST(DxfReaderTest, OpenAndClosedPolylinesOfThreeVertices) {
  const std::vector<std::string> vertices = {" 10", "0", " 20", "0", " 10", "4", " 20", "0", " 10", "4", " 20", "3"};
  std::vector<std::string> open = {"  0", "LWPOLYLINE", " 70", "0"};
  open.insert(open.end(), vertices.begin(), vertices.end());
  std::vector<std::string> closed = {"  0", "LWPOLYLINE", " 70", "1"};
  closed.insert(closed.end(), vertices.begin(), vertices.end());
  EXPECT_EQ(Read(Joined(Entities(open))).count, 2);
  const EntityList list = Read(Joined(Entities(closed)));
  ASSERT_EQ(list.count, 3);
  EXPECT_EQ(EntityText(list.entity[3]), EntityText(test::Line(4, 3, 0, 0)));
}

TEST(DxfReaderTest, BulgeGivesATrueArc) {
  // Half circles: bulge 1 from (0,0) to (10,0) runs counter-clockwise below
  // the chord about (5,0); bulge -0.5 gives a clockwise arc.
  const EntityList list =
      Read(Joined(Entities({"  0", "LWPOLYLINE", " 70", "0", " 10", "0", " 20", "0", " 42", "1", " 10", "10", " 20",
                            "0", " 42", "-0.5", " 10", "20", " 20", "0"})));
  ASSERT_EQ(list.count, 2);
  const Entity& half = list.entity[1];
  EXPECT_NEAR(half.CX, 5, 1e-12);
  EXPECT_NEAR(half.CY, 0, 1e-12);
  EXPECT_NEAR(half.R, 5, 1e-12);
  const Entity& cw = list.entity[2];
  EXPECT_LT(cw.R, 0);
  // The centre is at distance |R| from both ends, and the arc's included
  // angle is 4 atan(0.5).
  EXPECT_NEAR(std::hypot(cw.X1 - cw.CX, cw.Y1 - cw.CY), -cw.R, 1e-9);
  EXPECT_NEAR(std::hypot(cw.X2 - cw.CX, cw.Y2 - cw.CY), -cw.R, 1e-9);
  const double included = std::atan2(cw.Y2 - cw.CY, cw.X2 - cw.CX) - std::atan2(cw.Y1 - cw.CY, cw.X1 - cw.CX);
  EXPECT_NEAR(std::fabs(std::remainder(included, 4 * std::acos(0.0))), 4 * std::atan(0.5), 1e-9);
  EXPECT_LT(cw.CY, 0);  // clockwise eastwards: the centre lies on the right, below the chord
}

TEST(DxfReaderTest, MirroredArcsAndPolylinesAreReadAsSeenFromAbove) {
  // Extrusion (0, 0, -1): the drawing-plane x runs to the left. An arc about
  // (10, 5) from 0 to 90 degrees there runs from (-13, 5) clockwise up to
  // (-10, 8) seen from above, read as the counter-clockwise arc (-10, 8) to
  // (-13, 5); a bulged side turns clockwise.
  const EntityList list = Read(Joined(Entities(
      {"  0", "ARC", " 10", "10", " 20", "5", " 30", "0", " 40", "3", "210", "0", "220", "0", "230", "-1", " 50",
       "0", " 51", "90", "  0", "CIRCLE", " 10", "10", " 20", "5", " 40", "2", "230", "-1.0", "  0", "CIRCLE",
       " 10", "4", " 20", "4", " 40", "0.222", "230", "-1", "  0", "LWPOLYLINE", " 70", "0", "230", "-1", " 10",
       "0", " 20", "0", " 42", "1", " 10", "10", " 20", "0"})));
  ASSERT_EQ(list.count, 3);
  EXPECT_EQ(EntityText(list.entity[1]), EntityText(test::Arc(-10, 8, -13, 5, -10, 5, 3)));
  EXPECT_EQ(EntityText(list.entity[2]), EntityText(test::Arc(-8, 5, -8, 5, -10, 5, 2)));
  ASSERT_EQ(list.markerCount, 1);
  EXPECT_EQ(list.marker[1].x, -4);
  const Entity& side = list.entity[3];
  EXPECT_EQ(side.X2, -10);
  EXPECT_NEAR(side.CX, -5, 1e-12);
  EXPECT_NEAR(side.CY, 0, 1e-12);
  EXPECT_NEAR(side.R, -5, 1e-12);
}

struct StopCase {
  const char* name;
  std::string text;
  std::string message;
};

void PrintTo(const StopCase& c, std::ostream* os) { *os << c.name; }

std::string ManyCircles(int count, const char* radius) {
  std::vector<std::string> body;
  for (int i = 0; i < count; ++i) body.insert(body.end(), {"  0", "CIRCLE", " 10", "1", " 20", "1", " 40", radius});
  return Joined(Entities(body));
}

class DxfStopTest : public ::testing::TestWithParam<StopCase> {};

TEST_P(DxfStopTest, StopsWithAMessage) {
  EntityList list;
  const ExchangeResult result = ReadDxfText(GetParam().text, list, "t.dxf");
  EXPECT_FALSE(result.ok);
  EXPECT_EQ(result.message, GetParam().message);
}

INSTANTIATE_TEST_SUITE_P(
    Limits, DxfStopTest,
    ::testing::Values(StopCase{"truncated", Joined({"  0", "SECTION", "  2", "ENTITIES", "  0", "LINE", " 10"}),
                               exchange_text::DxfTruncated("t.dxf")},
                      StopCase{"truncated lf", Joined({"ENTITIES", "  0", "ARC", " 10", "1", " 20"}, "\n"),
                               exchange_text::DxfTruncated("t.dxf")},
                      StopCase{"entities", ManyCircles(1001, "1"), exchange_text::kTooManyEntities},
                      StopCase{"markers", ManyCircles(201, "0.222"), exchange_text::kTooManyMarkers}),
    [](const auto& info) { return std::to_string(info.index); });

TEST(DxfReaderTest, ExactlyTheLimitsAreRead) {
  EntityList list;
  EXPECT_TRUE(ReadDxfText(ManyCircles(1000, "1"), list).ok);
  EXPECT_EQ(list.count, 1000);
  EXPECT_TRUE(ReadDxfText(ManyCircles(200, "0.222"), list).ok);
  EXPECT_EQ(list.markerCount, 200);
}

TEST(DxfReaderTest, FileWithoutEntitiesGivesNothing) {
  EntityList list;
  EXPECT_TRUE(ReadDxfText(Joined({"  0", "SECTION", "  2", "HEADER", "  0", "ENDSEC", "  0", "EOF"}), list).ok);
  EXPECT_EQ(list.count, 0);
}

}  // namespace
}  // namespace vx
