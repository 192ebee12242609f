// The IGES reader on the corpus of real, Open CASCADE-made and hand-made
// files (data/iges/corpus.txt), checked against Open CASCADE's reading of
// the same files (data/iges/oracle.txt): every line and arc the oracle draws
// is drawn within 0.01 mm, arcs in the same direction, other curves along
// their points, and nothing more than the manifest says.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "exchange/exchange_messages.h"
#include "exchange/iges_reader.h"
#include "iges_test_support.h"
#include "platform/atomic_file.h"

namespace vx {
namespace {

constexpr double kTolerance = 0.01;
const std::string kDir = std::string(VX_SOURCE_DIR) + "/tests/exchange/data/iges/";

struct Curve {
  char kind = 'L';           // L line, A arc (counter-clockwise from a to b), K any other curve
  std::vector<double> v;     // L: x1 y1 x2 y2; A: cx cy r x1 y1 x2 y2; K: length
  std::vector<std::pair<double, double>> points;  // K: points along it
};

struct OracleFile {
  bool failed = false;
  std::vector<Curve> curves;
};

std::map<std::string, OracleFile> LoadOracle() {
  std::map<std::string, OracleFile> files;
  std::ifstream in(kDir + "oracle.txt");
  std::string line, current;
  while (std::getline(in, line)) {
    std::istringstream s(line);
    std::string word;
    s >> word;
    OracleFile& f = files[current];
    if (word == "file") {
      s >> current;
    } else if (word == "fail") {
      f.failed = true;
    } else if (word == "L" || word == "A" || word == "K") {
      Curve c;
      c.kind = word[0];
      for (double v; s >> v;) c.v.push_back(v);
      f.curves.push_back(c);
    } else if (word == "P" && !f.curves.empty()) {
      double x = 0, y = 0;
      s >> x >> y;
      f.curves.back().points.emplace_back(x, y);
    }
  }
  return files;
}

struct ManifestLine {
  std::string file, expect, missing, extra;
};

std::string Trim(const std::string& t) {
  const size_t a = t.find_first_not_of(' '), b = t.find_last_not_of(' ');
  return a == std::string::npos ? std::string() : t.substr(a, b - a + 1);
}

std::vector<ManifestLine> LoadManifest() {
  std::vector<ManifestLine> lines;
  std::ifstream in(kDir + "corpus.txt");
  std::string line;
  while (std::getline(in, line)) {
    if (line.empty() || line[0] == '#') continue;
    std::vector<std::string> f;
    std::istringstream s(line);
    for (std::string part; std::getline(s, part, '|');) f.push_back(Trim(part));
    if (f.size() >= 4) lines.push_back({f[0], f[1], f[2], f[3]});
  }
  return lines;
}

double Hypot(double ax, double ay, double bx, double by) { return std::hypot(ax - bx, ay - by); }

double Length(const Curve& c) {
  if (c.kind == 'L') return Hypot(c.v[0], c.v[1], c.v[2], c.v[3]);
  if (c.kind == 'K') return c.v[0];
  double a = std::atan2((c.v[3] - c.v[0]) * (c.v[6] - c.v[1]) - (c.v[4] - c.v[1]) * (c.v[5] - c.v[0]),
                        (c.v[3] - c.v[0]) * (c.v[5] - c.v[0]) + (c.v[4] - c.v[1]) * (c.v[6] - c.v[1]));
  if (a <= 0) a += 2 * 3.14159265358979323846;
  return c.v[2] * a;
}

bool Near(double ax, double ay, double bx, double by) { return Hypot(ax, ay, bx, by) <= kTolerance; }

// Whether an entity is the oracle's line or arc (arcs in the same direction).
bool Matches(const Curve& c, const Entity& e) {
  if (c.kind == 'L') {
    return e.R == 0 && ((Near(c.v[0], c.v[1], e.X1, e.Y1) && Near(c.v[2], c.v[3], e.X2, e.Y2)) ||
                        (Near(c.v[0], c.v[1], e.X2, e.Y2) && Near(c.v[2], c.v[3], e.X1, e.Y1)));
  }
  if (e.R == 0 || !Near(c.v[0], c.v[1], e.CX, e.CY) || std::fabs(c.v[2] - std::fabs(e.R)) > kTolerance) return false;
  const bool ccw = e.R > 0;  // counter-clockwise from (X1, Y1): the oracle's a to b
  const double sx = ccw ? e.X1 : e.X2, sy = ccw ? e.Y1 : e.Y2, ex = ccw ? e.X2 : e.X1, ey = ccw ? e.Y2 : e.Y1;
  return Near(c.v[3], c.v[4], sx, sy) && Near(c.v[5], c.v[6], ex, ey);
}

struct Comparison {
  int missing = 0;
  double extra = 0;  // our length beyond the oracle curves we draw
};

Comparison Compare(const OracleFile& oracle, const EntityList& list) {
  std::vector<bool> used(static_cast<size_t>(list.count) + 1, false);
  Comparison result;
  double matchedLength = 0, ourLength = 0;
  for (int k = 1; k <= list.count; ++k) ourLength += test::LengthOf(list.entity[k]);
  for (const Curve& c : oracle.curves) {
    if (c.kind == 'K') continue;
    bool found = false;
    for (int k = 1; k <= list.count && !found; ++k) {
      if (!used[static_cast<size_t>(k)] && Matches(c, list.entity[k])) used[static_cast<size_t>(k)] = found = true;
    }
    if (found) {
      matchedLength += Length(c);
    } else {
      ++result.missing;
    }
  }
  for (const Curve& c : oracle.curves) {
    if (c.kind != 'K') continue;
    bool onUs = true;
    for (const auto& [x, y] : c.points) {
      double nearest = 1e300;
      for (int k = 1; k <= list.count; ++k) {
        if (!used[static_cast<size_t>(k)]) nearest = std::min(nearest, test::DistanceTo(list.entity[k], x, y));
      }
      onUs = onUs && nearest <= kTolerance;
    }
    if (onUs) {
      matchedLength += Length(c);
    } else {
      ++result.missing;
    }
  }
  result.extra = ourLength - matchedLength;
  return result;
}

TEST(IgesCorpusTest, EveryFileAsTheOracleReadsIt) {
  const std::map<std::string, OracleFile> oracle = LoadOracle();
  const std::vector<ManifestLine> manifest = LoadManifest();
  ASSERT_GE(manifest.size(), 40u);
  for (const ManifestLine& m : manifest) {
    SCOPED_TRACE(m.file);
    std::string text;
    ASSERT_TRUE(ReadWholeFile(kDir + m.file, text));
    EntityList list;
    const ExchangeResult result = ReadIgesText(text, false, list);
    if (m.expect == "not-planar" || m.expect == "surfaces") {
      EXPECT_EQ(result.message, m.expect == "not-planar" ? exchange_text::kIgesNotPlanar : exchange_text::kIgesSurfacesOnly);
      continue;
    }
    ASSERT_TRUE(result.ok) << result.message;
    if (m.expect == "empty") {
      EXPECT_EQ(list.count, 0);
      EXPECT_FALSE(list.skipped.empty());
      continue;
    }
    ASSERT_EQ(m.expect.rfind("import ", 0), 0u);
    EXPECT_EQ(list.count, std::stoi(m.expect.substr(7)));
    ASSERT_EQ(oracle.count(m.file), 1u);
    const OracleFile& o = oracle.at(m.file);
    const Comparison c = Compare(o, list);
    EXPECT_EQ(c.missing, std::stoi(m.missing));
    if (m.extra != "-") {
      EXPECT_NEAR(c.extra, std::stod(m.extra), kTolerance + 0.001 * list.count);
    }
  }
}

}  // namespace
}  // namespace vx
