// How long one full redraw of the contour view takes for the largest contour
// (1999 rows of lines and arcs) placed ten times, with an offset path, into an
// offscreen image of the default window's drawing area.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <cmath>
#include <cstdlib>
#include <string>

#include "display/contour_view.h"
#include "platform/message_box.h"
#include "platform/qt_services.h"
#include "shell/table_file.h"
#include "support/temp_folder.h"

namespace vx {
namespace {

// A gear of 400 teeth, each an arc of radius about 3 around its tip, followed by
// 133 round holes of radius 2.5 behind separators: 1 + 1200 + 798 = 1999 rows.
ElementTable LargestContour() {
  ElementTable table;
  int row = 0;
  const auto add = [&table, &row](double x, double y, double code, double p1) {
    ++row;
    table.X[row] = x;
    table.Y[row] = y;
    table.Code[row] = code;
    table.P1[row] = p1;
    table.P2[row] = 0;
  };
  add(0, 0, 0, 0);  // start hole
  const int teeth = 400;
  const double pi = 3.14159265358979;
  for (int i = 0; i < teeth; ++i) {
    const double a = 2 * pi * i / teeth;
    const double b = 2 * pi * (i + 0.5) / teeth;
    const double c = 2 * pi * (i + 1) / teeth;
    const double radius = std::hypot(58 * std::cos(b) - 55 * std::cos(a), 58 * std::sin(b) - 55 * std::sin(a));
    add(55 * std::cos(a), 55 * std::sin(a), 0, 0);
    add(58 * std::cos(b), 58 * std::sin(b), 0, -radius);
    add(55 * std::cos(c), 55 * std::sin(c), 0, 0);
  }
  for (int h = 0; h < 133; ++h) {
    const double cx = -42 + 7 * (h % 12);
    const double cy = -42 + 7 * (h / 12);
    add(0, 0, 88, 0);
    add(cx, cy, 0, 0);         // start hole of the cut
    add(cx + 2.5, cy, 0, 0);   // on the circle
    add(cx, cy, 0, 2.5);       // full circle
    add(cx + 2.5, cy, 0, 0);
    add(cx, cy, 0, 0);         // back to the start hole
  }
  table.RowCount = row;
  table.Code[row + 1] = 99;
  return table;
}

void BM_FullRedrawTenPiecesWithOffset(benchmark::State& state) {
  test::TempFolder folder;
  ElementTable contour = LargestContour();
  if (contour.RowCount != ElementTable::kMaxCount || !SaveTable(contour, folder.File("CON2TA.dat"))) {
    state.SkipWithError("cannot write the contour");
    return;
  }
  PieceLayout layout;
  for (int k = 0; k < PieceLayout::kPieces; ++k) {
    layout.Row(k).sftX = std::to_string(130 * (k % 4));
    layout.Row(k).sftY = std::to_string(-130 * (k / 4));
    layout.Row(k).kAngle = k % 3 == 1 ? "30" : "";
    layout.Row(k).mirX = k % 3 == 2 ? "1" : "";
  }
  RecordingMessageBox box;
  ContourView view(box);
  view.SetOffsetText("0.2");
  view.SetZoomPercent(30);
  // The drawing area of the default 800 x 600 window.
  const PictureSize picture = PictureSizeFor(800, 600 - 24, kStatusBarPixels);
  view.SetDrawingScale(picture.width * kTwipsPerPixel, picture.height * kTwipsPerPixel);
  view.SetScroll({85, 131});
  view.SetViewOrigin();
  QImage image(picture.width, picture.height, QImage::Format_RGB32);
  ElementTable table;
  for (auto _ : state) {
    QPainter painter(&image);
    {
      // The surface draws its last runs when it goes; the painter must still be active then.
      BatchedPainterSurface surface(painter, picture.width, picture.height);
      view.Redraw(surface, table, layout, folder.File("CON2TA.dat"));
    }
    painter.end();
    benchmark::DoNotOptimize(image.constBits());
  }
  state.counters["perimeter"] = view.Perimeter();
  if (const char* out = std::getenv("VX_BENCHMARK_PNG")) image.save(QString::fromUtf8(out));
}
BENCHMARK(BM_FullRedrawTenPiecesWithOffset)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace vx

int main(int argc, char** argv) {
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QGuiApplication application(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
