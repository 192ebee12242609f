// Arc blocks as a controller reads them: start, end and centre at three
// decimals, the start and the end equally far from the centre; and a sweep of
// random contours through the whole NC generation.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <cstdlib>
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
