// The IGES reader from file text to entity list: fonts, status, units,
// matrices, every curve type, subfigures, the drawing's plane and the limits.
#include "exchange/iges_reader.h"

#include <gtest/gtest.h>

#include <cmath>

#include "exchange/exchange_messages.h"
#include "exchange/iges_writer.h"
#include "exchange_test_support.h"
#include "iges_test_support.h"

namespace vx {
namespace {

using test::EntityText;
using test::IgesFile;
using test::IgesGlobal;
using test::IgesTestEntity;

EntityList Read(const std::string& text, bool yx = false) {
  EntityList list;
  const ExchangeResult result = ReadIgesText(text, yx, list);
  EXPECT_TRUE(result.ok) << result.message;
  return list;
}

std::string Stop(const std::string& text) {
  EntityList list;
  const ExchangeResult result = ReadIgesText(text, false, list);
  EXPECT_EQ(list.count, 0);
  return result.ok ? "ok" : result.message;
}

std::string Texts(const EntityList& list) {
  std::string out;
  for (int k = 1; k <= list.count; ++k) out += EntityText(list.entity[k]) + ";";
  return out;
}

std::string Skipped(const EntityList& list) {
  std::string out;
  for (const auto& [type, count] : list.skipped) out += type + " " + std::to_string(count) + ";";
  return out;
}

// The largest distance of the entities' points from a curve given as the
// distance function f, and whether the entities form one chain.
double WorstDistance(const EntityList& list, const std::function<double(double, double)>& f) {
  double worst = 0;
  for (int k = 1; k <= list.count; ++k) {
    for (int i = 0; i <= 16; ++i) {
      const auto [x, y] = test::PointOf(list.entity[k], i / 16.0);
      worst = std::max(worst, f(x, y));
    }
  }
  return worst;
}

bool Chained(const EntityList& list) {
  for (int k = 2; k <= list.count; ++k) {
    if (list.entity[k].X1 != list.entity[k - 1].X2 || list.entity[k].Y1 != list.entity[k - 1].Y2) return false;
  }
  return true;
}

IgesTestEntity Line(const std::string& params, long font = 1, const std::string& status = "00000000") {
  return IgesTestEntity{110, params, font, status};
}

// The design's own cases, on files as the old reader's writer laid them out.
TEST(IgesReaderTest, SolidLineIsReadOtherFontsAreLeftOutAndCounted) {
  const std::string line = "1.5,2.,0.,-3,4.25,0.";
  EXPECT_EQ(Texts(Read(IgesFile({Line(line, 1)}))), EntityText(test::Line(1.5, 2, -3, 4.25)) + ";");
  EXPECT_EQ(Texts(Read(IgesFile({Line(line, 0)}))), EntityText(test::Line(1.5, 2, -3, 4.25)) + ";")
      << "no font given is a solid line";
  for (long font : {2L, 4L, -5L}) {
    const EntityList list = Read(IgesFile({Line(line, font)}));
    EXPECT_EQ(list.count, 0) << font;
    EXPECT_EQ(Skipped(list), "TYPE 110 1;") << font;
  }
}

TEST(IgesReaderTest, LineFontDefinitionsThatShowEverySegmentAreSolid) {
  // The line's font points to the definition at DE 3: M segments, their
  // lengths, and the display pattern (a bit for each segment, 1 shown).
  struct Case {
    long form;
    const char* definition;
    bool solid;
  };
  const Case cases[] = {{2, "1,1.,1H1", true},          {2, "4,1.,1.,1.,1.,1HF", true},
                        {2, "2,2.,1.,1H1", false},       {2, "5,2.,1.,2.,1.,2.,2H16", false},
                        {1, "1,0,1.,1.", false},         {2, "1,1.,1HX", false},
                        {2, "3,1.,1.,1.,2H07", true}};
  for (const Case& c : cases) {
    const EntityList list = Read(IgesFile({Line("0.,0.,0.,1.,0.,0.", -3), {304, c.definition, 1, "00000200", 0, c.form}}));
    EXPECT_EQ(list.count, c.solid ? 1 : 0) << c.definition;
  }
}

TEST(IgesReaderTest, RecordOverTwoParameterLines) {
  // The second line's text follows the first.
  std::string text = IgesFile({Line("10.,20.,0.,30.,40.,0.")});
  const size_t p = text.find("110,10.,20.,0.,30.,40.,0.;");
  text.replace(p, 80, test::IgesParameterRecord("110,10.,20.,0.,", 1, 1) + "\r\n" +
                          test::IgesParameterRecord("30.,40.,0.;", 1, 2));
  EXPECT_EQ(Texts(Read(text)), EntityText(test::Line(10, 20, 30, 40)) + ";");
}

TEST(IgesReaderTest, ArcInXyAndYxOrderLinesNeverTurned) {
  const std::string text = IgesFile({{100, "0.,0.,0.,5.,0.,0.,5."}, Line("1.,2.,0.,3.,4.,0.")});
  EXPECT_EQ(Texts(Read(text)), EntityText(test::Arc(5, 0, 0, 5, 0, 0, 5)) + ";" + EntityText(test::Line(1, 2, 3, 4)) + ";");
  EXPECT_EQ(Texts(Read(text, true)),
            EntityText(test::Arc(0, -5, 5, 0, 0, 0, 5)) + ";" + EntityText(test::Line(1, 2, 3, 4)) + ";");
}

TEST(IgesReaderTest, FullCircleStaysFullShortArcStaysShort) {
  const EntityList list = Read(IgesFile({{100, "0.,1.,1.,3.,1.,3.,1."}, {100, "0.,0.,0.,10.,0.,9.99999995,0.001"}}));
  ASSERT_EQ(list.count, 2);
  EXPECT_EQ(EntityText(list.entity[1]), EntityText(test::Arc(3, 1, 3, 1, 1, 1, 2)));
  EXPECT_GT(list.entity[2].R, 0);
  EXPECT_NE(list.entity[2].Y2, list.entity[2].Y1);
}

TEST(IgesReaderTest, ArcEndingWithinRoundingOfItsStartIsAFullCircle) {
  // A circle of radius 10 about (0, 0) from (10, 0), its end written as the
  // writer computed it; and arcs that really are short.
  struct Case {
    const char* name;
    const char* end;
    bool full;
  };
  const Case cases[] = {{"the same point", "10.,0.", true},
                        {"sin(2 pi) ahead", "10.,2.4492935982947064E-15", true},
                        {"sin(2 pi) behind", "10.,-2.4492935982947064E-15", true},
                        {"single precision ahead", "9.999999,8.742278E-07", true},
                        {"single precision behind", "10.000001,-8.742278E-07", true},
                        {"a micrometre", "9.99999995,0.001", false},
                        {"a degree", "9.998477,0.1745241", false}};
  for (const Case& c : cases) {
    const EntityList list = Read(IgesFile({{100, std::string("0.,0.,0.,10.,0.,") + c.end}}));
    ASSERT_EQ(list.count, 1) << c.name;
    const Entity& e = list.entity[1];
    EXPECT_GT(e.R, 0) << c.name;
    EXPECT_EQ(e.X2 == e.X1 && e.Y2 == e.Y1, c.full) << c.name;
    if (!c.full) {
      EXPECT_LT(test::TurnOf(e), 0.02) << c.name;
    }
  }
  // An ellipse x^2/16 + y^2/4 = 1 from (4, 0) to a point a rounding away: one closed chain.
  const EntityList ellipse = Read(IgesFile({{104, "1.,0.,4.,0.,0.,-16.,0.,4.,0.,4.,1.E-12"}}));
  ASSERT_GT(ellipse.count, 3);
  EXPECT_TRUE(Chained(ellipse));
  EXPECT_EQ(ellipse.entity[ellipse.count].X2, ellipse.entity[1].X1);
  EXPECT_EQ(ellipse.entity[ellipse.count].Y2, ellipse.entity[1].Y1);
  EXPECT_NEAR(ellipse.entity[1].X1, 4, 1e-12);
  EXPECT_NEAR(ellipse.entity[1].Y1, 0, 1e-12);
}

TEST(IgesReaderTest, StatusDecidesWhatIsDrawing) {
  const std::string l = "0.,0.,0.,1.,0.,0.";
  const EntityList list = Read(IgesFile({Line(l, 1, "00000100"),   // annotation
                                         Line(l, 1, "00000500"),   // parameter space
                                         Line(l, 1, "00010000"),   // physically dependent: no parent here, left out
                                         Line(l, 1, "01000600"),   // blanked construction geometry: drawn
                                         {212, "1,1,1.,1.,0.,0.,0.,0,0,0.,0.,0.,1HA"},
                                         {116, "1.,2.,0."},
                                         {124, "1.,0.,0.,0.,0.,1.,0.,0.,0.,0.,1.,0."},
                                         {406, "1,1"}}));
  EXPECT_EQ(list.count, 1);
  EXPECT_EQ(Skipped(list), "TYPE 110 3;TYPE 212 1;TYPE 116 1;");
}

TEST(IgesReaderTest, GroupsAreDrawingWhateverTheirEntriesFlagsSurfaceEdgesAreCounted) {
  const std::string dependent = "00010000";
  struct Case {
    const char* name;
    std::vector<IgesTestEntity> entities;
    int count;
    const char* skipped;
  };
  const Case cases[] = {
      {"a group of dependent lines",
       {Line("0.,0.,0.,1.,0.,0.", 1, dependent), Line("1.,0.,0.,1.,1.,0.", 1, dependent), {402, "2,1,3", 1, "00000000", 0, 7}},
       2,
       ""},
      {"an ordered group of an independent line, read once",
       {Line("0.,0.,0.,1.,0.,0."), {402, "1,1", 1, "00000000", 0, 15}},
       1,
       ""},
      {"a view's list of what it shows is no group",
       {Line("0.,0.,0.,1.,0.,0.", 1, dependent), {402, "1,1", 1, "00000000", 0, 3}},
       0,
       "TYPE 110 1;"},
      {"the edge of a surface beside a drawn line",
       {Line("0.,0.,0.,1.,0.,0."), {126, "1,1,0,0,1,0,0.,0.,1.,1.,1.,1.,0.,0.,5.,1.,0.,5.,0.,1.", 1, dependent},
        {144, "1,1,0,3"}},
       1,
       "TYPE 144 1;TYPE 126 1;"},
  };
  for (const Case& c : cases) {
    const EntityList list = Read(IgesFile(c.entities));
    EXPECT_EQ(list.count, c.count) << c.name;
    EXPECT_EQ(Skipped(list), c.skipped) << c.name;
  }
}

TEST(IgesReaderTest, ModelUnitsInMillimetres) {
  struct Case {
    const char* flag;
    const char* name;
    double x;
  };
  const Case cases[] = {{"1", "INCH", 25.4}, {"4", "FT", 304.8}, {"10", "CM", 10},     {"6", "M", 1000},
                        {"8", "MIL", 0.0254}, {"9", "UM", 0.001}, {"3", "IN", 25.4},  {"2", "MM", 1}};
  for (const Case& c : cases) {
    const EntityList list = Read(IgesFile({Line("1.,2.,0.,0.,0.,0.")}, IgesGlobal(c.flag, c.name)));
    ASSERT_EQ(list.count, 1) << c.name;
    EXPECT_DOUBLE_EQ(list.entity[1].X1, c.x) << c.name;
    EXPECT_DOUBLE_EQ(list.entity[1].Y1, 2 * c.x) << c.name;
  }
}

TEST(IgesReaderTest, MatricesAndTheirChains) {
  const std::string quarterTurn = "0.,-1.,0.,10.,1.,0.,0.,20.,0.,0.,1.,0.";  // (x, y) -> (10 - y, 20 + x)
  const std::string mirrorX = "-1.,0.,0.,0.,0.,1.,0.,0.,0.,0.,1.,0.";
  IgesTestEntity turned = Line("1.,0.,0.,2.,0.,0.");
  turned.matrix = 3;
  EXPECT_EQ(Texts(Read(IgesFile({turned, {124, quarterTurn}}))), EntityText(test::Line(10, 21, 10, 22)) + ";");
  // The line's own matrix first, then the matrix's matrix.
  IgesTestEntity first{124, quarterTurn};
  first.matrix = 5;
  EXPECT_EQ(Texts(Read(IgesFile({turned, first, {124, mirrorX}}))), EntityText(test::Line(-10, 21, -10, 22)) + ";");
  // A mirror turns the arc round: counter-clockwise becomes clockwise.
  IgesTestEntity arc{100, "0.,0.,0.,5.,0.,0.,5."};
  arc.matrix = 3;
  EXPECT_EQ(Texts(Read(IgesFile({arc, {124, mirrorX}}))), EntityText(test::Arc(-5, 0, 0, 5, 0, 0, -5)) + ";");
  // Seen from below (half a turn about X) the arc runs clockwise as well.
  EXPECT_EQ(Texts(Read(IgesFile({arc, {124, "1.,0.,0.,0.,0.,-1.,0.,0.,0.,0.,-1.,0."}}))),
            EntityText(test::Arc(5, 0, 0, -5, 0, 0, -5)) + ";");
}

TEST(IgesReaderTest, BrokenReferencesStopWithTheEntry) {
  IgesTestEntity line = Line("0.,0.,0.,1.,0.,0.");
  line.matrix = 3;
  IgesTestEntity loop{124, "1.,0.,0.,0.,0.,1.,0.,0.,0.,0.,1.,0."};
  loop.matrix = 3;
  EXPECT_EQ(Stop(IgesFile({line, loop})), exchange_text::IgesBadEntry(1, 110, exchange_text::kIgesMatrixChain));
  EXPECT_EQ(Stop(IgesFile({line, {116, "1.,2.,0."}})), exchange_text::IgesBadEntry(1, 110, exchange_text::kIgesBadReference));
  EXPECT_EQ(Stop(IgesFile({Line("0.,0.,x,1.,0.,0.")})),
            "ＩＧＥＳのディレクトリ番号 1（TYPE 110）: パラメータが読めません。読み込みを中止しました。");
  EXPECT_EQ(Stop(IgesFile({Line("0.,0.,0.,1.,0.")})), exchange_text::IgesBadEntry(1, 110, exchange_text::kIgesBadParameters));
  EXPECT_EQ(Stop(IgesFile({Line("0.,0.,0.,20000000.,0.,0.")})),
            exchange_text::IgesBadEntry(1, 110, exchange_text::kIgesOutOfRange));
}

TEST(IgesReaderTest, OnePlaneParallelToXy) {
  EXPECT_EQ(Read(IgesFile({Line("0.,0.,7.,1.,0.,7."), {100, "7.,0.,0.,1.,0.,0.,1."}})).count, 2);
  EXPECT_EQ(Stop(IgesFile({Line("0.,0.,0.,1.,0.,0."), Line("0.,0.,5.,1.,0.,5.")})), exchange_text::kIgesNotPlanar);
  EXPECT_EQ(Stop(IgesFile({Line("0.,0.,0.,1.,0.,1.")})), exchange_text::kIgesNotPlanar);
  // An arc tilted by 30 degrees about X.
  IgesTestEntity tilted{100, "0.,0.,0.,5.,0.,0.,5."};
  tilted.matrix = 3;
  EXPECT_EQ(Stop(IgesFile({tilted, {124, "1.,0.,0.,0.,0.,0.866025,-0.5,0.,0.,0.5,0.866025,0."}})),
            exchange_text::kIgesNotPlanar);
  EXPECT_EQ(Stop(IgesFile({{144, "1,1,0,3"}, {128, "1,1,1,1,0,0,1,0,0"}})), exchange_text::kIgesSurfacesOnly);
  const EntityList mixed = Read(IgesFile({{144, "1,1,0,3"}, Line("0.,0.,0.,1.,0.,0.")}));
  EXPECT_EQ(mixed.count, 1);
  EXPECT_EQ(Skipped(mixed), "TYPE 144 1;");
}

TEST(IgesReaderTest, CompositeCurveReadOnceThroughItsMembers) {
  for (const char* memberStatus : {"00010000", "00000000"}) {
    const EntityList list = Read(IgesFile({Line("0.,0.,0.,10.,0.,0.", 1, memberStatus),
                                           {100, "0.,10.,5.,10.,0.,10.,10.", 1, memberStatus},
                                           {102, "2,1,3"}}));
    EXPECT_EQ(Texts(list), EntityText(test::Line(0, 0, 10, 0)) + ";" + EntityText(test::Arc(10, 0, 10, 10, 10, 5, 5)) + ";")
        << memberStatus;
  }
  const EntityList dashed = Read(IgesFile({Line("0.,0.,0.,10.,0.,0.", 1, "00010000"), {102, "1,1", 2}}));
  EXPECT_EQ(Skipped(dashed), "TYPE 102 1;");
}

TEST(IgesReaderTest, CopiousDataAsPolylines) {
  struct Case {
    const char* name;
    long form;
    const char* params;
    int count;
    const char* skipped;
  };
  const Case cases[] = {{"path in a plane", 11, "1,4,2.,0.,0.,1.,0.,1.,1.,0.,1.", 3, ""},
                        {"closed planar curve", 63, "1,4,0.,0.,0.,1.,0.,1.,1.,0.,1.", 4, ""},
                        {"closed curve ending at its start", 63, "1,4,0.,0.,0.,1.,0.,1.,1.,0.,0.", 3, ""},
                        {"points", 1, "1,3,0.,0.,0.,1.,0.,2.,0.", 2, ""},
                        {"points with z", 2, "2,2,0.,0.,3.,1.,1.,3.", 1, ""},
                        {"repeated point", 12, "2,3,0.,0.,0.,0.,0.,0.,1.,0.,0.", 1, ""},
                        {"witness line", 40, "1,2,0.,0.,0.,1.,0.", 0, "TYPE 106 1;"}};
  for (const Case& c : cases) {
    const EntityList list = Read(IgesFile({{106, c.params, 1, "00000000", 0, c.form}}));
    EXPECT_EQ(list.count, c.count) << c.name;
    EXPECT_TRUE(Chained(list)) << c.name;
    EXPECT_EQ(Skipped(list), c.skipped) << c.name;
  }
  EXPECT_EQ(Stop(IgesFile({{106, "2,2,0.,0.,0.,1.,1.,3.", 1, "00000000", 0, 12}})), exchange_text::kIgesNotPlanar);
  EXPECT_EQ(Stop(IgesFile({{106, "1,5,0.,0.,0.,1.,0.", 1, "00000000", 0, 11}})),
            exchange_text::IgesBadEntry(1, 106, exchange_text::kIgesBadParameters));
}

TEST(IgesReaderTest, ConicArcsWithinTheFittingTolerance) {
  // x^2/16 + y^2/4 = 1 (A = 1, C = 4, F = -16), moved to z = 2.
  auto ellipse = [](double x, double y) {
    // Distance to the ellipse to first order: |f| / |grad f|.
    return std::fabs(x * x / 16 + y * y / 4 - 1) / std::hypot(x / 8, y / 2);
  };
  const EntityList full = Read(IgesFile({{104, "1.,0.,4.,0.,0.,-16.,2.,4.,0.,4.,0.", 1, "00000000", 0, 1}}));
  EXPECT_GT(full.count, 3);
  EXPECT_LE(WorstDistance(full, ellipse), 0.001);
  EXPECT_TRUE(Chained(full));
  EXPECT_EQ(full.entity[full.count].X2, full.entity[1].X1);
  // Counter-clockwise from (4, 0) to (-4, 0): the upper half.
  const EntityList half = Read(IgesFile({{104, "1.,0.,4.,0.,0.,-16.,0.,4.,0.,-4.,0."}}));
  EXPECT_LE(WorstDistance(half, ellipse), 0.001);
  EXPECT_GT(test::PointOf(half.entity[(half.count + 1) / 2], 0.5).second, 1.0);
  // A circle written as a conic stays one exact arc.
  EXPECT_EQ(Texts(Read(IgesFile({{104, "1.,0.,1.,0.,0.,-25.,0.,5.,0.,0.,5."}}))),
            EntityText(test::Arc(5, 0, 0, 5, 0, 0, 5)) + ";");
  // y = x^2 / 4 from (2, 1) to (-2, 1), and x^2/4 - y^2/9 = 1 from (2, 0) up.
  const EntityList parabola = Read(IgesFile({{104, "1.,0.,0.,0.,-4.,0.,0.,2.,1.,-2.,1.", 1, "00000000", 0, 3}}));
  EXPECT_LE(WorstDistance(parabola, [](double x, double y) { return std::fabs(y - x * x / 4) / std::hypot(x / 2, 1); }),
            0.001);
  EXPECT_EQ(parabola.entity[1].X1, 2);
  EXPECT_EQ(parabola.entity[parabola.count].X2, -2);
  const EntityList hyperbola = Read(IgesFile({{104, "0.25,0.,-0.1111111111111111,0.,0.,-1.,0.,2.,0.,3.0861612696304874,3.5256035809314045"}}));
  EXPECT_LE(WorstDistance(hyperbola,
                          [](double x, double y) {
                            return std::fabs(x * x / 4 - y * y / 9 - 1) / std::hypot(x / 2, 2 * y / 9);
                          }),
            0.001);
  EXPECT_EQ(hyperbola.entity[1].X1, 2);
  EXPECT_NEAR(hyperbola.entity[hyperbola.count].Y2, 3.5256035809314045, 1e-12);
  EXPECT_EQ(Stop(IgesFile({{104, "1.,0.,4.,0.,0.,16.,0.,4.,0.,4.,0."}})),
            exchange_text::IgesBadEntry(1, 104, exchange_text::kIgesBadCurve));
}

TEST(IgesReaderTest, BSplinesAndParametricSplines) {
  // A full circle of radius 10 about (0, 0) as a rational quadratic B-spline
  // with nine control points.
  const double w = std::sqrt(0.5);
  const std::string ws = std::to_string(w);
  const std::string circle = "8,2,1,1,0,0,0.,0.,0.,1.,1.,2.,2.,3.,3.,4.,4.,4.,1.," + ws + ",1.," + ws + ",1.," + ws +
                             ",1.," + ws + ",1.,10.,0.,0.,10.,10.,0.,0.,10.,0.,-10.,10.,0.,-10.,0.,0.,-10.,-10.,0.,"
                             "0.,-10.,0.,10.,-10.,0.,10.,0.,0.,0.,4.,0.,0.,1.";
  const EntityList list = Read(IgesFile({{126, circle}}));
  EXPECT_LE(WorstDistance(list, [](double x, double y) { return std::fabs(std::hypot(x, y) - 10); }), 0.001);
  EXPECT_TRUE(Chained(list));
  EXPECT_EQ(list.entity[1].X1, 10);
  EXPECT_EQ(list.entity[list.count].X2, 10);
  // The circle is one full circle, as a quarter of it written the same way
  // is one arc, and the same quarter run backwards one clockwise arc.
  const std::string quarter = "2,2,1,0,0,0,0.,0.,0.,1.,1.,1.,1.," + ws + ",1.,10.,0.,0.,10.,10.,0.,0.,10.,0.,0.,1.";
  const std::string backwards = "2,2,1,0,0,0,0.,0.,0.,1.,1.,1.,1.," + ws + ",1.,0.,10.,0.,10.,10.,0.,10.,0.,0.,0.,1.";
  const std::pair<EntityList, Entity> circular[] = {{list, test::Arc(10, 0, 10, 0, 0, 0, 10)},
                                                    {Read(IgesFile({{126, quarter}})), test::Arc(10, 0, 0, 10, 0, 0, 10)},
                                                    {Read(IgesFile({{126, backwards}})), test::Arc(0, 10, 10, 0, 0, 0, -10)}};
  for (const auto& [read, arc] : circular) {
    ASSERT_EQ(read.count, 1) << EntityText(arc);
    const Entity& e = read.entity[1];
    EXPECT_TRUE(e.X1 == arc.X1 && e.Y1 == arc.Y1 && e.X2 == arc.X2 && e.Y2 == arc.Y2) << EntityText(e);
    EXPECT_NEAR(e.CX, arc.CX, 1e-6);
    EXPECT_NEAR(e.CY, arc.CY, 1e-6);
    EXPECT_NEAR(e.R, arc.R, 1e-6);
  }
  // Degree 1: a polyline; only the part from V(0) = 0.5 to V(1) = 2.
  const EntityList polyline = Read(IgesFile({{126, "2,1,1,0,1,0,0.,0.,1.,2.,2.,1.,1.,1.,0.,0.,0.,4.,0.,0.,4.,3.,0.,0.5,2."}}));
  EXPECT_EQ(Texts(polyline), EntityText(test::Line(2, 0, 4, 0)) + ";" + EntityText(test::Line(4, 0, 4, 3)) + ";");
  EXPECT_EQ(Stop(IgesFile({{126, "2,1,1,0,1,0,0.,2.,1.,2.,2.,1.,1.,1.,0.,0.,0.,4.,0.,0.,4.,3.,0.,0.,2."}})),
            exchange_text::IgesBadEntry(1, 126, exchange_text::kIgesBadCurve));
  // 112: two cubic segments, (s, s^3) and then (1 + s, 1 + 3 s), tangent where they meet.
  const std::string segments = "0.,1.,0.,0.,0.,0.,0.,1.,0.,0.,0.,0.,1.,1.,0.,0.,1.,3.,0.,0.,0.,0.,0.,0.";
  const EntityList cubic = Read(IgesFile({{112, "3,1,2,2,0.,1.,2.," + segments + ",2.,4.,0.,1.,3.,0.,0.,0.,0.,0.,0.,0."}}));
  EXPECT_EQ(cubic.entity[1].X1, 0);
  EXPECT_EQ(cubic.entity[cubic.count].X2, 2);
  EXPECT_EQ(cubic.entity[cubic.count].Y2, 4);
  EXPECT_TRUE(Chained(cubic));
}

TEST(IgesReaderTest, ParametricSplineSegmentsThatDoNotQuiteMeetStayOneChain) {
  // Two straight segments, (s, 0) and (1 + s, g): the second starts g above
  // the end of the first, as a writer that prints few digits leaves them.
  struct Case {
    const char* gap;
    std::vector<Entity> expected;
  };
  const Case cases[] = {
      {"0.", {test::Line(0, 0, 1, 0), test::Line(1, 0, 2, 0)}},
      {"0.0005", {test::Line(0, 0, 1, 0), test::Line(1, 0, 2, 0.0005)}},
      {"0.1", {test::Line(0, 0, 1, 0), test::Line(1, 0, 1, 0.1), test::Line(1, 0.1, 2, 0.1)}},
  };
  for (const Case& c : cases) {
    const std::string segments =
        std::string("0.,1.,0.,0.,0.,0.,0.,0.,0.,0.,0.,0.,1.,1.,0.,0.,") + c.gap + ",0.,0.,0.,0.,0.,0.,0.";
    std::string expected;
    for (const Entity& e : c.expected) expected += EntityText(e) + ";";
    EXPECT_EQ(Texts(Read(IgesFile({{112, "3,1,2,2,0.,1.,2.," + segments}}))), expected) << c.gap;
  }
}

TEST(IgesReaderTest, CurveSmallerThanTheToleranceIsOneLineNotHundredsOfPieces) {
  // A rational quadratic 2 microinches across (0.0000508 mm).
  const EntityList list = Read(IgesFile({{126, "2,2,1,0,0,0,0,0,0,1,1,1,1,0.5,1,0,0,0,1,1,0,2,0,0,0,1,0,0,1"}},
                                        IgesGlobal("11", "UIN")));
  EXPECT_EQ(Texts(list), EntityText(test::Line(0, 0, 5.08e-5, 0)) + ";");
}

TEST(IgesReaderTest, SubfiguresPlacedScaledAndNested) {
  // 308 A holds a line and an arc; 308 B places A at (1, 2) at half size;
  // the instance of B at (10, 20) doubles it, so A appears at (12, 24) at full size.
  const std::string dependent = "00010200";
  const EntityList list = Read(IgesFile({Line("0.,0.,0.,1.,0.,0.", 1, dependent),
                                         {100, "0.,0.,0.,1.,0.,0.,1.", 1, dependent},
                                         {308, "0,1HA,2,1,3", 1, "00000200"},
                                         {408, "5,1.,2.,0.,0.5", 1, dependent},
                                         {308, "1,1HB,1,7", 1, "00000200"},
                                         {408, "9,10.,20.,0.,2."}}));
  EXPECT_EQ(Texts(list), EntityText(test::Line(12, 24, 13, 24)) + ";" + EntityText(test::Arc(13, 24, 12, 25, 12, 24, 1)) + ";");
  // A definition that holds an instance of itself.
  EXPECT_EQ(Stop(IgesFile({{308, "0,1HA,1,3", 1, "00000200"}, {408, "1,0.,0.,0.,1.", 1, "00010200"}, {408, "1,0.,0.,0."}})),
            exchange_text::IgesBadEntry(3, 408, exchange_text::kIgesNestingTooDeep));
  EXPECT_EQ(Stop(IgesFile({Line("0.,0.,0.,1.,0.,0."), {408, "1,0.,0.,0.,1."}})),
            exchange_text::IgesBadEntry(3, 408, exchange_text::kIgesBadReference));
}

TEST(IgesReaderTest, SubfigureCopiesLandTheirOriginOnTheirOffsetAndArraysRepeatThem) {
  // A definition holding one line (0, 0)-(1, 0), and copies of it; the
  // instance's matrix turns the copy about its origin, which lands on the
  // instance's offset (the matrix's own translation adds to it).
  const IgesTestEntity line = Line("0.,0.,0.,1.,0.,0.", 1, "00010200");
  const IgesTestEntity definition{308, "0,1HA,1,1", 1, "00000200"};
  IgesTestEntity turned{408, "3,10.,20.,0.,2."};
  turned.matrix = 7;
  struct Case {
    const char* name;
    std::vector<IgesTestEntity> entities;
    std::vector<Entity> expected;
  };
  const Case cases[] = {
      {"instance turned by its matrix",
       {line, definition, turned, {124, "0.,-1.,0.,0.,1.,0.,0.,0.,0.,0.,1.,0."}},
       {test::Line(10, 20, 10, 22)}},
      {"instance whose matrix moves it as well",
       {line, definition, turned, {124, "0.,-1.,0.,5.,1.,0.,0.,0.,0.,0.,1.,0."}},
       {test::Line(15, 20, 15, 22)}},
      {"rectangular array of 2 x 2 without its third position",
       {line, definition, {412, "3,1.,0.,0.,0.,2,2,5.,3.,0.,1,1,3"}},
       {test::Line(0, 0, 1, 0), test::Line(5, 0, 6, 0), test::Line(5, 3, 6, 3)}},
      {"rectangular array turned a quarter, at twice the size",
       {line, definition, {412, "3,2.,1.,1.,0.,2,1,5.,0.,1.5707963267948966,0,"}},
       {test::Line(1, 1, 1, 3), test::Line(1, 6, 1, 8)}},
      {"circular array of a plain line, only its first and third positions",
       {line, {414, "1,3,10.,0.,0.,5.,0.,2.0943951023931957,2,0,1,3"}},
       {test::Line(15, 0, 16, 0), test::Line(7.5, -4.33013, 8.5, -4.33013)}},
  };
  for (const Case& c : cases) {
    std::string expected;
    for (const Entity& e : c.expected) expected += EntityText(e) + ";";
    EXPECT_EQ(Texts(Read(IgesFile(c.entities))), expected) << c.name;
  }
  EXPECT_EQ(Stop(IgesFile({line, definition, {412, "3,1.,0.,0.,0.,100000,100000,1.,1.,0.,0,"}})),
            exchange_text::kIgesTooLarge);
}

TEST(IgesReaderTest, RecordsWithoutLineEndsAndDeclaredDelimiters) {
  const std::vector<IgesTestEntity> entities{Line("1.,2.,0.,3.,4.,0."), {100, "0.,0.,0.,5.,0.,0.,5."}};
  const std::string expected = Texts(Read(IgesFile(entities)));
  EXPECT_EQ(Texts(Read(IgesFile(entities, IgesGlobal(), ""))), expected);
  EXPECT_EQ(Texts(Read(IgesFile(entities, IgesGlobal(), "\n"))), expected);
  EXPECT_EQ(Texts(Read(IgesFile(entities, IgesGlobal(), "\r"))), expected);
  const std::vector<IgesTestEntity> slashed{Line("1./2./0./3./4./0."), {100, "0./0./0./5./0./0./5."}};
  EXPECT_EQ(Texts(Read(IgesFile(slashed, IgesGlobal("2", "MM", '/', '#'), "\r\n", '/', '#'))), expected);
}

TEST(IgesReaderTest, GlobalSectionWhoseStringCountTakesInTheNextParameter) {
  // The file name counted 15 takes in ",4Htest": the parameters after it
  // slide by one, a string lands where the precisions belong, and the
  // section is read again with the strings ending at their first delimiter.
  std::string global = IgesGlobal("1", "INCH");
  global.replace(global.find("8Htest.igs"), 10, "15Htest.igs,4Htest");
  const EntityList list = Read(IgesFile({Line("1.,2.,0.,0.,0.,0.")}, global));
  ASSERT_EQ(list.count, 1);
  EXPECT_DOUBLE_EQ(list.entity[1].X1, 25.4);
}

TEST(IgesReaderTest, LimitsCountedAfterExpansion) {
  std::vector<IgesTestEntity> many(1001, Line("1.,2.,0.,3.,4.,0."));
  EXPECT_EQ(Stop(IgesFile(many)), exchange_text::kTooManyEntities);
  many.resize(1000);
  EXPECT_EQ(Read(IgesFile(many)).count, 1000);
  // Ten lines placed 101 times.
  std::vector<IgesTestEntity> placed(10, Line("1.,2.,0.,3.,4.,0.", 1, "00010200"));
  placed.push_back({308, "0,1HA,10,1,3,5,7,9,11,13,15,17,19", 1, "00000200"});
  for (int i = 0; i < 101; ++i) placed.push_back({408, "21,0.,0.,0.,1."});
  EXPECT_EQ(Stop(IgesFile(placed)), exchange_text::kTooManyEntities);
  // A drawn entry numbered above 5000 stops; an annotation there does not.
  std::vector<IgesTestEntity> numbered(2500, IgesTestEntity{212, "0", 1, "00000100"});
  numbered.push_back(Line("1.,2.,0.,3.,4.,0."));
  EXPECT_EQ(Stop(IgesFile(numbered)), exchange_text::kIgesSequenceLimit);
  numbered.back() = IgesTestEntity{212, "0", 1, "00000100"};
  numbered.insert(numbered.begin(), Line("1.,2.,0.,3.,4.,0."));
  EXPECT_EQ(Skipped(Read(IgesFile(numbered))), "TYPE 212 2501;");
}

TEST(IgesReaderTest, DrawingOfManyNotesIsNotTooLarge) {
  // A line and more notes than the bound on subfigure copies, each read once
  // (written record by record: IgesFile would take seconds for 600000).
  constexpr long kNotes = 200001;
  const std::string head = IgesFile({Line("1.,2.,0.,3.,4.,0.")}, IgesGlobal(), "");
  const size_t d = head.find("     110"), p = head.find("110,1.");
  std::string text = head.substr(0, p);
  text.reserve(static_cast<size_t>(kNotes) * 240 + head.size());
  text.erase(d + 160);  // the line's two D records stay; its P record follows the notes' D records
  for (long k = 1; k <= kNotes; ++k) {
    text += test::IgesRecord("     212" + test::IgesField8(std::to_string(k + 1)) + "       0       1       0       0"
                             "       0       000000100", 'D', 2 * k + 1);
    text += test::IgesRecord("     212       0       0       1       0", 'D', 2 * k + 2);
  }
  text += test::IgesParameterRecord("110,1.,2.,0.,3.,4.,0.;", 1, 1);
  for (long k = 1; k <= kNotes; ++k) text += test::IgesParameterRecord("212,0;", 2 * k + 1, k + 1);
  text += test::IgesRecord("S0000001G0000005", 'T', 1);
  const EntityList list = Read(text);
  EXPECT_EQ(list.count, 1);
  EXPECT_EQ(Skipped(list), "TYPE 212 200001;");
}

TEST(IgesReaderTest, SubfiguresThatDrawNothingStillEnd) {
  // Each of 500 instances of B places A 500 times; A is empty.
  std::vector<IgesTestEntity> nest{{308, "0,1HA,0", 1, "00000200"}};
  std::string members;
  for (int i = 0; i < 500; ++i) {
    nest.push_back({408, "1,0.,0.,0.,1.", 1, "00010200"});
    members += "," + std::to_string(test::IgesPointer(nest.size() - 1));
  }
  nest.push_back({308, "0,1HB,500" + members, 1, "00000200"});
  const long b = test::IgesPointer(nest.size() - 1);
  for (int i = 0; i < 500; ++i) nest.push_back({408, std::to_string(b) + ",0.,0.,0.,1."});
  EXPECT_EQ(Stop(IgesFile(nest)), exchange_text::kIgesTooLarge);
  // A polyline of 2000 equal points (no length) placed 2000 times.
  std::string points = "1,2000,0.";
  for (int i = 0; i < 2000; ++i) points += ",1.,1.";
  std::vector<IgesTestEntity> heavy{{106, points, 1, "00010200", 0, 11}, {308, "0,1HA,1,1", 1, "00000200"}};
  for (int i = 0; i < 2000; ++i) heavy.push_back({408, "3,0.,0.,0.,1."});
  EXPECT_EQ(Stop(IgesFile(heavy)), exchange_text::kIgesTooLarge);
}

TEST(IgesReaderTest, ExportedContourReadsBack) {
  ElementTable table;
  // (0, 0) -> (10, 0), then a counter-clockwise arc about (10, 5) to (10, 10).
  const double rows[][5] = {{0, 0, 0, 0, 0}, {10, 0, 0, 0, 0}, {10, 5, 8, 5, -2}, {10, 10, 0, 0, 0}, {0.999, 0, 99, 0, 0}};
  for (int r = 0; r < 5; ++r) {
    table.X[r + 1] = rows[r][0];
    table.Y[r + 1] = rows[r][1];
    table.Code[r + 1] = rows[r][2];
    table.P1[r + 1] = rows[r][3];
    table.P2[r + 1] = rows[r][4];
  }
  table.RowCount = 4;
  EXPECT_EQ(Texts(Read(IgesExportText(table, "part.igs", "20250101.000000"))),
            EntityText(test::Line(0, 0, 10, 0)) + ";" + EntityText(test::Arc(10, 0, 10, 10, 10, 5, 5)) + ";");
}

}  // namespace
}  // namespace vx
