// Arc blocks as a controller reads them: start, end and centre at three
// decimals, the start and the end equally far from the centre; and a sweep of
// random contours through the whole NC generation.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "machining/nc_program.h"
#include "random_contours.h"
#include "shell/table_file.h"
#include "support/temp_folder.h"

namespace vx {
namespace {

constexpr double kPi = 3.14159265358979323846;

double Read3(double v) { return std::round(v * 1000) / 1000; }  // no ties in these cases

// How much farther from the centre the start lies than the end, all as the
// block's texts give them.
double RadiusGap(Vec2 start, Vec2 end, double i, double j) {
  const Vec2 s{Read3(start.x), Read3(start.y)}, e{Read3(end.x), Read3(end.y)};
  const Vec2 c{s.x + i, s.y + j};
  return std::fabs(std::hypot(s.x - c.x, s.y - c.y) - std::hypot(e.x - c.x, e.y - c.y));
}

Vec2 OnCircle(Vec2 c, double r, double degrees) {
  return {c.x + r * std::cos(degrees * kPi / 180), c.y + r * std::sin(degrees * kPi / 180)};
}

struct ArcCase {
  const char* name;
  Vec2 start, centre, end;
  std::string i, j;
};

std::ostream& operator<<(std::ostream& out, const ArcCase& c) { return out << c.name; }

class ArcCentreCases : public ::testing::TestWithParam<ArcCase> {};

TEST_P(ArcCentreCases, OffsetsAreWholeThousandthsAndTheRadiusAgrees) {
  const ArcCase& c = GetParam();
  const ArcOffsets ij = ArcCentreOffsets(c.start, c.centre, c.end);
  EXPECT_EQ(FormatCoord(ij.i), c.i);
  EXPECT_EQ(FormatCoord(ij.j), c.j);
  EXPECT_LE(RadiusGap(c.start, c.end, ij.i, ij.j), kArcRadiusTolerance + 1e-12);
  // The centre the controller uses stays close to the true one.
  EXPECT_LE(std::hypot(Read3(c.start.x) + ij.i - c.centre.x, Read3(c.start.y) + ij.j - c.centre.y), 0.004);
}

const Vec2 kNearOrigin{0.0002, 0.0006};

INSTANTIATE_TEST_SUITE_P(
    Cases, ArcCentreCases,
    ::testing::Values(
        ArcCase{"WholeNumbers", {10, 0}, {10, 5}, {15, 5}, "0.", "5."},
        ArcCase{"FullCircle", {4.5, 0}, {0, 0}, {4.5, 0}, "-4.5", "0."},
        // Each rounded by itself, start and end would be 0.0016 apart in their
        // distance from the centre; the centre moves by a grid step instead.
        ArcCase{"RoundingAloneBreaksTheRadius", OnCircle(kNearOrigin, 2, 105), kNearOrigin,
                OnCircle(kNearOrigin, 2, 330), ".518", "-1.931"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ArcCentreOffsets, TheBrokenCaseReallyBreaksWhenRoundedAlone) {
  const Vec2 s = OnCircle(kNearOrigin, 2, 105), e = OnCircle(kNearOrigin, 2, 330);
  EXPECT_GT(RadiusGap(s, e, Read3(kNearOrigin.x - s.x), Read3(kNearOrigin.y - s.y)), 0.0015);
}

// An imported arc of radius 3.5e16: thousandths of its centre would overflow
// the grid's whole numbers, so its offsets are the plain differences.
TEST(ArcCentreOffsets, BeyondTheGridGivesThePlainDifferences) {
  const ArcOffsets ij = ArcCentreOffsets({0, 0}, {-2.49999999999995e16, 2.50000000000005e16}, {1000, 1000});
  EXPECT_EQ(FormatCoord(ij.i), "-24999999999999500.");
  EXPECT_EQ(FormatCoord(ij.j), "25000000000000500.");
  const double infinity = std::numeric_limits<double>::infinity();
  EXPECT_FALSE(std::isfinite(ArcCentreOffsets({0, 0}, {infinity, 0}, {1, 1}).i));
  // Such an arc is one block with those offsets, whatever its turn.
  const std::vector<ArcMove> moves =
      ArcMoves({0, 0}, {-2.49999999999995e16, 2.50000000000005e16}, {1000, 1000}, -3.5e16);
  ASSERT_EQ(moves.size(), 1u);
  EXPECT_FALSE(moves[0].straight);
  EXPECT_EQ(FormatCoord(moves[0].ij.i), "-24999999999999500.");
  EXPECT_EQ(ArcMoves({0, 0}, {infinity, 0}, {1, 1}, 5).size(), 1u);
}

// --- Arcs the controller would read otherwise ---------------------------------

// The moves of one arc as the program writes them, blank-separated.
std::string MovesText(const std::vector<ArcMove>& moves, double radius) {
  std::string text;
  for (const ArcMove& m : moves) {
    if (!text.empty()) text += " ";
    text += m.straight ? "G01" : (radius > 0 ? "G03" : "G02");
    text += "X" + FormatCoord(m.end.x) + "Y" + FormatCoord(m.end.y);
    if (!m.straight) text += "I" + FormatCoord(m.ij.i) + "J" + FormatCoord(m.ij.j);
  }
  return text;
}

struct MoveCase {
  const char* name;
  Vec2 start, centre, end;
  double radius;
  std::string moves;
};

std::ostream& operator<<(std::ostream& out, const MoveCase& c) { return out << c.name; }

class ArcMoveCases : public ::testing::TestWithParam<MoveCase> {};

TEST_P(ArcMoveCases, Blocks) {
  const MoveCase& c = GetParam();
  EXPECT_EQ(MovesText(ArcMoves(c.start, c.centre, c.end, c.radius), c.radius), c.moves);
}

// A nearly full arc of radius 1.648 whose ends lie 0.018 apart.
const Vec2 kNearlyFullCentre{2.301, 7.4};
const Vec2 kNearlyFullStart{3.7835968346, 8.1195905962};
const Vec2 kNearlyFullEnd{3.7913846718, 8.1033189391};

INSTANTIATE_TEST_SUITE_P(
    Cases, ArcMoveCases,
    ::testing::Values(
        MoveCase{"QuarterArcIsOneBlock", {10, 0}, {10, 5}, {15, 5}, 5, "G03X15.Y5.I0.J5."},
        MoveCase{"FullCircleIsOneBlock", {4.5, 0}, {0, 0}, {4.5, 0}, 4.5, "G03X4.5Y0.I-4.5J0."},
        MoveCase{"ClockwiseQuarterIsOneBlock", {15, 5}, {10, 5}, {10, 0}, -5, "G02X10.Y0.I-5.J0."},
        // An offset within 0.003 of the contour's radius: a controller reads
        // the block as an arc of radius 0 and stops.
        MoveCase{"ArcOfTwoThousandthsIsAStraightMove", {0.002, 0}, {0, 0}, {0, 0.002}, 0.002, "G01X0.Y.002"},
        MoveCase{"ArcOfANearlyEqualOffsetIsAStraightMove", {10.0004, 5}, {10, 5}, {9.9996, 5}, -0.0004,
                 "G01X10.Y5."},
        // Its ends round to one point: written as an arc it is a full circle.
        MoveCase{"SliverWhoseEndsRoundToOnePointIsAStraightMove", {5, 0}, {0, 0}, {4.999999996, 0.0002}, 5,
                 "G01X5.Y0."},
        // The end of an arc of a drawing rounded to 1 decimal lies 0.05 off its
        // circle: the block closes with its centre on the ends' bisector,
        // (10.025, 5.025), 5.02506 from both.
        MoveCase{"ArcOfARoundedDrawingClosesByItsCentre", {10, 0}, {10, 5}, {15.05, 5}, 5,
                 "G03X15.05Y5.I.025J5.025"},
        // Three quarters with its end 0.05 off the circle: one closed block
        // would take the centre 0.035 away and the far side with it; two
        // halves, the first on the circle, the second closed by its centre
        // (9.975, 4.991), 5.0247 and 5.0250 from its ends.
        MoveCase{"ThreeQuartersOfARoundedDrawingIsWrittenInTwoHalves", {10, 0}, {10, 5}, {4.95, 5}, 5,
                 "G03X13.536Y8.536I0.J5. G03X4.95Y5.I-3.561J-3.545"},
        // A table whose arc ends at its own centre: the block would have no
        // turn, and halving it would never end.
        MoveCase{"ArcEndingAtItsCentreIsAStraightMove", {-0.2, 0.9797958971}, {0, 0}, {0, 0}, 1, "G01X0.Y0."},
        // One block would take the centre 0.088 away (the only grid point that
        // closes the rounded ends), so the far side of the circle too.
        MoveCase{"NearlyFullArcIsWrittenInTwoHalves", kNearlyFullStart, kNearlyFullCentre, kNearlyFullEnd, 1.648,
                 "G03X.814Y6.689I-1.483J-.72 G03X3.791Y8.103I1.487J.711"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ArcMoves, OneBlockForTheNearlyFullArcWouldMoveItsCentre) {
  const ArcOffsets ij = ArcCentreOffsets(kNearlyFullStart, kNearlyFullCentre, kNearlyFullEnd);
  const Vec2 read{Read3(kNearlyFullStart.x) + ij.i, Read3(kNearlyFullStart.y) + ij.j};
  EXPECT_GT(Distance(read, kNearlyFullCentre), 0.05);
}

// The turn from a to b about c in the direction of travel, (0, 2 pi].
double Turn(Vec2 a, Vec2 b, Vec2 c, bool ccw) {
  if (a.x == b.x && a.y == b.y) return 2 * kPi;  // exact: a full circle
  double t = std::atan2(Cross(a - c, b - c), Dot(a - c, b - c));
  if (!ccw) t = -t;
  return t > 0 ? t : t + 2 * kPi;
}

// Random arcs of every size and turn, as the controller reads their blocks:
// each block closes, none is of radius 0, the blocks turn as far as the arc
// (a sliver never as a full circle, a nearly full arc never as a sliver) and
// keep to it; a straight move only for an arc too small to write.
TEST(ArcMoves, BlocksReadAsTheArc) {
  std::mt19937 rng(1313);
  auto uniform = [&rng](double lo, double hi) { return std::uniform_real_distribution<double>(lo, hi)(rng); };
  int straight = 0, split = 0;
  for (int k = 0; k < 40000; ++k) {
    const double radius = std::pow(10.0, uniform(-4, 4.7)) * (uniform(0, 1) < 0.5 ? 1 : -1);
    const Vec2 c{uniform(-100, 100), uniform(-100, 100)};
    const double a0 = uniform(0, 2 * kPi);
    const int kind = k % 4;
    // Turns: ordinary, slivers, nearly full, full.
    double turn = kind == 0 ? uniform(0.01, 6.2)
                : kind == 1 ? std::pow(10.0, uniform(-7, -2))
                : kind == 2 ? 2 * kPi - std::pow(10.0, uniform(-7, -1.5))
                            : 2 * kPi;
    const double way = radius > 0 ? 1 : -1, r = std::fabs(radius);
    const Vec2 s = OnCircle(c, r, a0 * 180 / kPi);
    const Vec2 e = kind == 3 ? s : OnCircle(c, r, (a0 + way * turn) * 180 / kPi);
    turn = Turn(s, e, c, radius > 0);  // as the arc's own points give it
    const std::vector<ArcMove> moves = ArcMoves(s, c, e, radius);
    ASSERT_FALSE(moves.empty());
    const ArcMove& last = moves.back();
    ASSERT_EQ(Read3(last.end.x), Read3(e.x)) << k;
    ASSERT_EQ(Read3(last.end.y), Read3(e.y)) << k;
    if (moves.size() == 1 && moves[0].straight) {
      ++straight;
      // Too small a radius, or a sliver no longer than the rounding.
      EXPECT_TRUE(r < kMinArcRadius || Distance(s, e) < 0.0015) << k << " r " << radius << " turn " << turn;
      continue;
    }
    if (moves.size() > 1) ++split;
    double read = 0;
    Vec2 at{Read3(s.x), Read3(s.y)};
    for (const ArcMove& m : moves) {
      ASSERT_FALSE(m.straight) << k;
      const Vec2 to{Read3(m.end.x), Read3(m.end.y)}, centre{at.x + m.ij.i, at.y + m.ij.j};
      const double r1 = Distance(at, centre), r2 = Distance(to, centre);
      EXPECT_LE(std::fabs(r1 - r2), kArcRadiusTolerance + 1e-9) << k << " r " << radius;
      EXPECT_GE(std::min(r1, r2), 0.002) << k << " r " << radius;
      // A block of more than half a turn keeps its centre near the true one.
      const double blockTurn = Turn(at, to, centre, radius > 0);
      if (blockTurn > kPi) {
        EXPECT_LE(Distance(centre, c), 0.002 + 1e-9) << k << " r " << radius;
      }
      read += blockTurn;
      at = to;
    }
    const double allowed = std::max(0.02, 0.012 / r);  // the rounding's share of the turn
    EXPECT_NEAR(read, turn, allowed) << k << " r " << radius << " turn " << turn << " blocks " << moves.size();
  }
  EXPECT_GT(straight, 1000);
  EXPECT_GT(split, 30);
}

// Random arcs whose end lies off their circle by up to 0.0707 (a drawing
// rounded to 1 or 2 decimals, written without offset): every block closes,
// and the arc the blocks describe strays from the circle by no more than the
// end does, plus what rounding alone allows (a block of more than half a turn
// whose centre had to move would carry its far side away).
TEST(ArcMoves, BlocksOfArcsWithAnEndOffTheCircleClose) {
  std::mt19937 rng(2626);
  auto uniform = [&rng](double lo, double hi) { return std::uniform_real_distribution<double>(lo, hi)(rng); };
  // A block of more than half a turn may keep a centre 0.002 off the true
  // one, on the far side from its start, whose rounding (up to 0.0007) and
  // the centre's own change the radius as well.
  constexpr double kStrayOfRounding = 0.005;
  int closedByCentre = 0;
  for (int k = 0; k < 20000; ++k) {
    const double r = std::pow(10.0, uniform(-0.3, 3)), way = uniform(0, 1) < 0.5 ? 1 : -1;
    const Vec2 c{uniform(-100, 100), uniform(-100, 100)};
    const double a0 = uniform(0, 360), turn = uniform(1, 359);
    const Vec2 s = OnCircle(c, r, a0);
    const double off = k % 2 == 0 ? 0.005 : 0.05;  // rounding at 2 or at 1 decimal
    const Vec2 e = OnCircle(c, r, a0 + way * turn) + Vec2{uniform(-off, off), uniform(-off, off)};
    const double stray = std::fabs(Distance(e, c) - r);
    const std::vector<ArcMove> moves = ArcMoves(s, c, e, way * r);
    Vec2 at{Read3(s.x), Read3(s.y)};
    for (const ArcMove& m : moves) {
      ASSERT_FALSE(m.straight) << k;
      const Vec2 to{Read3(m.end.x), Read3(m.end.y)}, centre{at.x + m.ij.i, at.y + m.ij.j};
      const double r1 = Distance(at, centre), r2 = Distance(to, centre);
      ASSERT_LE(std::fabs(r1 - r2), kArcRadiusTolerance + 1e-9) << k << " r " << r << " stray " << stray;
      const double blockTurn = Turn(at, to, centre, way > 0);
      if (Distance(centre, c) > 0.002) ++closedByCentre;
      // Points along the block as the controller cuts it.
      for (int q = 1; q < 8; ++q) {
        const double t = way * blockTurn * q / 8;
        const Vec2 a = at - centre;
        const Vec2 p = centre + Vec2{a.x * std::cos(t) - a.y * std::sin(t), a.x * std::sin(t) + a.y * std::cos(t)};
        EXPECT_LE(std::fabs(Distance(p, c) - r), stray + kStrayOfRounding) << k << " r " << r << " turn " << turn;
      }
      at = to;
    }
    EXPECT_EQ(at.x, Read3(e.x)) << k;  // exact: both read from the same text
    EXPECT_EQ(at.y, Read3(e.y)) << k;
  }
  EXPECT_GT(closedByCentre, 5000);
}

// --- The fast arc check over random contours ----------------------------------

struct ArcCount {
  int arcs = 0;
  double worst = 0;
};

// Every arc block of the program: the gap between its start and end radius
// as written. Coordinates follow the program from block to block.
ArcCount CheckArcs(const std::string& program, std::vector<std::string>& faults) {
  ArcCount count;
  Vec2 at;
  size_t pos = 0;
  while (pos < program.size()) {
    const size_t end = program.find("\r\n", pos);
    const std::string line = program.substr(pos, end - pos);
    pos = end + 2;
    auto word = [&line](char letter, double& value) {
      const size_t k = line.find(letter);
      if (k == std::string::npos) return false;
      value = std::atof(line.c_str() + k + 1);
      return true;
    };
    Vec2 to;
    if (!word('X', to.x) || !word('Y', to.y)) continue;
    if (line.find("G02") != std::string::npos || line.find("G03") != std::string::npos) {
      double i = 0, j = 0;
      word('I', i);
      word('J', j);
      const Vec2 c{at.x + i, at.y + j};
      const double gap = std::fabs(std::hypot(at.x - c.x, at.y - c.y) - std::hypot(to.x - c.x, to.y - c.y));
      ++count.arcs;
      count.worst = std::max(count.worst, gap);
      if (gap > kArcRadiusTolerance + 1e-9) faults.push_back(line + " gap " + std::to_string(gap));
    }
    at = to;
  }
  return count;
}

TEST(NcArcSweep, EveryArcBlockClosesAfterRounding) {
  test::RandomContours random(1303);
  test::TempFolder temp;
  const std::string path = temp.File("CON2TA.dat");
  int arcs = 0;
  for (int k = 0; k < 300; ++k) {
    ElementTable table = test::MakeTable(random.Next());
    ASSERT_TRUE(SaveTable(table, path));
    PieceLayout layout;
    const int pieces = random.Pick({1, 1, 2, 3});
    for (int p = 0; p < pieces; ++p) {
      layout.Row(p) = {std::to_string(random.Uniform(-60, 60)), std::to_string(random.Uniform(-60, 60)),
                       random.Uniform(0, 1) < 0.5 ? "" : std::to_string(random.Uniform(-180, 180)),
                       random.Uniform(0, 1) < 0.3 ? std::to_string(random.Pick({1, 2})) : ""};
    }
    NcSettings settings;
    settings.wireOffset = std::to_string(random.Pick({-1, 1}) * std::round(random.Uniform(0.001, 0.5) * 1000) / 1000);
    RecordingMessageBox box;
    RecordingProgressLines screen;
    NcGenerator generator(table, layout, path, box, screen);
    for (int reverse : {0, 1}) {
      NcChannels channels;
      channels.toFile = true;
      generator.GenerateProgram(settings, 1 + reverse, 1, reverse, channels);
      std::vector<std::string> faults;
      arcs += CheckArcs(channels.fileText, faults).arcs;
      for (const std::string& f : faults) ADD_FAILURE() << "contour " << k << " offset " << settings.wireOffset << ": " << f;
      if (!faults.empty()) return;
    }
  }
  EXPECT_GT(arcs, 2000);
}

}  // namespace
}  // namespace vx
