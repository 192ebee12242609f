// The wire offset path of real imported drawings: curves fitted with chains of
// arcs that meet nearly tangent once rounded to 2 decimals. Every offset arc
// turns about as far as its contour arc; a crossing of two offset circles far
// along them made a few degrees of contour into a nearly full circle.
#include <gtest/gtest.h>

#include <cmath>
#include <sstream>
#include <string>

#include "exchange/exchange_jobs.h"
#include "machining/offset_path.h"
#include "platform/message_box.h"
#include "platform/progress_lines.h"
#include "shell/table_file.h"
#include "support/temp_folder.h"

namespace vx {
namespace {

constexpr double kPi = 3.14159265358979323846;

struct Drawing {
  const char* file;
  int arcs;  // at least this many arcs in the contour, so the sweep means something
};

void PrintTo(const Drawing& drawing, std::ostream* os) { *os << drawing.file; }

class ImportedOffset : public ::testing::TestWithParam<Drawing> {};

// Sweep in [0, 2 pi) from `from` to `to` about centre, the way the radius's sign says.
double Sweep(double cx, double cy, double fx, double fy, double tx, double ty, double radius) {
  const double a = std::atan2(fy - cy, fx - cx), b = std::atan2(ty - cy, tx - cx);
  double turn = radius > 0 ? b - a : a - b;
  while (turn < 0) turn += 2 * kPi;
  while (turn >= 2 * kPi) turn -= 2 * kPi;
  return turn;
}

TEST_P(ImportedOffset, EveryArcTurnsAsOnTheContour) {
  test::TempFolder folder;
  InstallFolder install(folder.Path());
  ElementTable contour;
  RecordingProgressLines progress;
  const std::string path = std::string(VX_SOURCE_DIR "/tests/exchange/data/dxf/") + GetParam().file;
  ASSERT_TRUE(ImportDxfFile(path, ImportOptions{"1", "2", "0"}, contour, install, progress).ok) << path;
  ASSERT_EQ(LoadTable(contour, install.PathOf(kContourFile)), LoadStatus::kOk);
  int arcs = 0;
  for (int r = 1; r <= contour.RowCount; ++r) arcs += double(contour.P1[r]) != 0;
  ASSERT_GE(arcs, GetParam().arcs);
  for (const double offset : {0.15, -0.15, 0.3, -0.3}) {
    ElementTable t = contour;
    RecordingMessageBox box;
    ComputeOffsetPath(t, offset, box);
    // Arcs of the path matched to the contour by their centre and the radius
    // offset; arcs shrunk past their centre and round holes are left out.
    int checked = 0;
    for (int r = 2; r < t.RowCount; ++r) {
      const double radius = t.P1[r];
      if (radius == 0) continue;
      bool candidate = false, alike = false;
      double onPath = 0, onContour = 0;
      for (int c = 2; c < contour.RowCount && !alike; ++c) {
        if (double(contour.P1[c]) == 0 || double(contour.X[c]) != t.X[r] || double(contour.Y[c]) != t.Y[r]) continue;
        if (std::fabs(double(contour.P1[c]) - offset - radius) > 1e-9 || (radius > 0) != (contour.P1[c] > 0)) continue;
        if (std::hypot(contour.X[c - 1] - contour.X[c + 1], contour.Y[c - 1] - contour.Y[c + 1]) < 1e-6) continue;
        candidate = true;
        onContour = Sweep(contour.X[c], contour.Y[c], contour.X[c - 1], contour.Y[c - 1], contour.X[c + 1],
                          contour.Y[c + 1], radius);
        onPath = Sweep(t.X[r], t.Y[r], t.X[r - 1], t.Y[r - 1], t.X[r + 1], t.Y[r + 1], radius);
        alike = std::fabs(onPath - onContour) < kPi;
      }
      checked += alike;
      if (candidate && !alike) {
        ADD_FAILURE() << GetParam().file << " offset " << offset << ": path row " << r << " turns " << onPath
                      << " where its contour arc turns " << onContour;
      }
    }
    EXPECT_GE(checked, GetParam().arcs / 2) << GetParam().file << " offset " << offset;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Drawings, ImportedOffset,
    ::testing::Values(Drawing{"dxf2gcode_solidworks_wiele.dxf", 60}, Drawing{"dxf2gcode_inventor_2004.dxf", 100},
                      Drawing{"dxf2gcode_autocad_ellipse_arcs_turned_block.dxf", 40}, Drawing{"splines.dxf", 40},
                      Drawing{"inkscape_r14_robo.dxf", 40}),
    [](const auto& info) {
      std::string name = info.param.file;
      for (char& ch : name) {
        if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
      }
      return name;
    });

}  // namespace
}  // namespace vx
