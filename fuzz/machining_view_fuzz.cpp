// The stages behind a contour file, on contour files from bytes: the view's
// redraw onto a recording surface, the printed sheet, and the NC program with
// its reverse program and listing, for the offset and pieces of the settings
// line. Every stage ends in a bounded number of drawing steps and blocks, no
// coordinate handed to a surface or printer is NaN or infinite, and no text
// written holds NaN or infinity.
//
// Settings (after '#', comma-separated, each optional): offset text, zoom
// slider value, horizontal and vertical scroll values, NC side (Text8), NC
// speed (Text5), then up to three pieces as four texts each (Sft_X, Sft_Y,
// K_Angle, Mir_X). Without them: offset 0.2, one untransformed piece.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>

#include "display/contour_view.h"
#include "fuzz/fuzz_check.h"
#include "fuzz/fuzz_input.h"
#include "machining/nc_program.h"
#include "machining/piece_layout.h"
#include "platform/message_box.h"
#include "platform/printer.h"
#include "platform/progress_lines.h"
#include "platform/surface.h"
#include "shell/number_text.h"
#include "shell/table_file.h"

namespace {

using vx::fuzz::Check;
using vx::fuzz::HasNoNonFinite;

void CheckPoint(double x, double y) { Check(std::isfinite(x) && std::isfinite(y), "a drawn point is finite"); }

class CountingSurface : public vx::Surface {
 public:
  void SetScale(double left, double top, double width, double height) override {
    CheckPoint(left, top);
    CheckPoint(width, height);
  }
  void Clear() override {}
  void SetColour(int) override {}
  void Point(double x, double y) override {
    CheckPoint(x, y);
    ++ops;
  }
  void Line(double x1, double y1, double x2, double y2) override {
    CheckPoint(x1, y1);
    CheckPoint(x2, y2);
    ++ops;
  }
  void Circle(double x, double y, double radius) override {
    CheckPoint(x, y);
    ++ops;
  }
  long ops = 0;
};

class CountingPrinter : public vx::Printer {
 public:
  bool IsAvailable() const override { return true; }
  void SetLandscape(bool) override {}
  void SetScale(double left, double top, double width, double height) override {
    CheckPoint(left, top);
    CheckPoint(width, height);
  }
  void SetColour(int) override {}
  void Point(double x, double y) override {
    CheckPoint(x, y);
    ++ops;
  }
  void Line(double x1, double y1, double x2, double y2) override {
    CheckPoint(x1, y1);
    CheckPoint(x2, y2);
    ++ops;
  }
  void SetFont(const std::string&, double) override {}
  void Text(double x, double y, const std::string& text) override {
    CheckPoint(x, y);
    Check(HasNoNonFinite(text), "no NaN or infinity on the sheet");
  }
  void TextLine(const std::string& text) override {
    Check(HasNoNonFinite(text), "no NaN or infinity in the listing");
    ++lines;
  }
  bool EndDocument() override { return true; }
  long ops = 0;
  long lines = 0;
};

class CheckingBox : public vx::MessageBox {
 public:
  void Show(const std::string& text) override { Check(HasNoNonFinite(text), "no NaN or infinity in a message"); }
};

// Most drawing operations one contour of rows 1..N can take: every row an arc
// of kMaxArcSteps + 1 segments, plus its chord and vertex mark.
long MostOpsPerContour(int rowCount) { return static_cast<long>(rowCount + 2) * (vx::kMaxArcSteps + 4); }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace vx;
  const fuzz::StageInput input = fuzz::SplitStageInput(data, size);
  ElementTable table;
  if (LoadTableText(table, input.tableText) != LoadStatus::kOk) return 0;
  const std::string path = fuzz::ScratchFolder() + "CON2TA.dat";
  Check(SaveTable(table, path), "the contour file is written");
  const int rowCount = table.RowCount;

  PieceLayout layout;
  for (int k = 0; k < 3; ++k) {
    const size_t at = 6 + 4 * static_cast<size_t>(k);
    if (at >= input.settings.size()) break;
    layout.Row(k) = PieceRow{input.Setting(at, ""), input.Setting(at + 1, ""), input.Setting(at + 2, ""),
                             input.Setting(at + 3, "")};
  }
  const int pieces = layout.PiecesInUse();
  const long mostOps = 4 + 2L * pieces * MostOpsPerContour(rowCount);

  CheckingBox box;
  ContourView view(box);
  view.SetOffsetText(input.Setting(0, "0.2"));
  // Slider and scroll values come from the controls, which keep them in range;
  // the view keeps them there as well.
  const double zoom = NumericValue(input.Setting(1, "100"));
  const double h = NumericValue(input.Setting(2, "80"));
  const double v = NumericValue(input.Setting(3, "120"));
  auto control = [](double value, int most) { return std::isfinite(value) && value > -1 && value < most + 1 ? static_cast<int>(value) : 0; };
  view.SetZoomPercent(control(zoom, kZoomMax));
  view.SetDrawingScale(700 * kTwipsPerPixel, 500 * kTwipsPerPixel);
  view.SetScroll({control(h, kScrollMax), control(v, kScrollMax)});
  view.SetViewOrigin();

  ElementTable working;
  CountingSurface surface;
  view.Redraw(surface, working, layout, path);
  Check(surface.ops <= mostOps, "a redraw takes bounded steps");
  Check(HasNoNonFinite(view.PerimeterLabel()), "no NaN or infinity in the perimeter");

  CountingSurface sheetScreen;
  CountingPrinter sheet;
  view.PrintSheet(sheetScreen, sheet, working, layout, path, "2026/12/08");
  Check(sheet.ops <= mostOps, "a printed sheet takes bounded steps");

  NcSettings settings;
  settings.wireOffset = input.Setting(0, "0.2");
  settings.side = input.Setting(4, "2");
  // The speed goes into its block as typed (exponent form included): only its
  // plain forms are tried here, so that the exponent check below is about the
  // numbers the program writes itself.
  settings.speed = input.Setting(5, "0");
  if (settings.speed.find_first_of("eEdD") != std::string::npos) settings.speed = "0";
  RecordingProgressLines screen;
  NcGenerator generator(working, layout, path, box, screen);
  for (int reverse = 0; reverse <= 1; ++reverse) {
    CountingPrinter listing;
    NcChannels channels;
    channels.toFile = true;
    channels.printer = &listing;
    generator.GenerateProgram(settings, 1 + reverse, 3, reverse, channels);
    Check(HasNoNonFinite(channels.fileText), "no NaN or infinity in an NC program");
    // A coordinate that is not a finite number would be written as "0.": the
    // generator must say so, and then the program is not stored. When it does
    // not, the table the last piece was written from holds finite values.
    bool finite = true;
    for (int r = 1; r <= working.RowCount && r <= ElementTable::kLastRow; ++r) {
      const double code = working.Code[static_cast<size_t>(r)];
      if (code == 99) break;     // nothing after it is written
      if (code == 88) continue;  // nor the separator itself
      finite = finite && std::isfinite(static_cast<double>(working.X[static_cast<size_t>(r)])) &&
               std::isfinite(static_cast<double>(working.Y[static_cast<size_t>(r)]));
    }
    Check(finite || generator.HasNonFiniteCoordinate(), "a coordinate that is not a number is noticed");
    Check(channels.fileText.find("E+") == std::string::npos && channels.fileText.find("E-") == std::string::npos,
          "no number in exponent form in an NC program");
    // Per piece a header of 9 blocks and per row at most one block and a header.
    Check(listing.lines <= 8 + pieces * (10L + 10L * (rowCount + 2)), "an NC program has bounded blocks");
  }
  return 0;
}
