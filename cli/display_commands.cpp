// The vexline-cli commands of the display stages: view and print.
#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QPainter>
#include <ctime>
#include <memory>
#include <ostream>

#include "cli/command.h"
#include "cli/gui_support.h"
#include "display/contour_view.h"
#include "platform/atomic_file.h"
#include "platform/qt_services.h"
#include "shell/table_file.h"
#include "shell/typed_field.h"

namespace vx::cli {

namespace {

// Height of the menu bar above the view's inner area, in pixels.
constexpr int kMenuBarPixels = 24;
constexpr int kLargestSide = 8000;  // a picture of at most 256 MB in memory

std::vector<OptionSpec> ViewOptions() {
  return {
      {"offset", "T", "the offset text box (wire offset, left positive); default \"0\""},
      {"zoom", "PERCENT", "the zoom slider, 0 to 500 (0 is taken as 10); default 100"},
      {"piece", "SX,SY,ANGLE,MIRROR", "a multi-piece layout row: shift X, shift Y, angle, mirror", true},
  };
}

int UsageError(Context& context, const std::string& command, const std::string& message, const std::string& usage) {
  context.err << "vexline-cli " << command << ": " << message << "\n" << usage << "\n";
  return kExitUsage;
}

// The slider value of a --zoom text: a whole number 0..500.
std::optional<int> ParseZoom(const std::string& text) {
  if (text.empty() || text.size() > 3 || text.find_first_not_of("0123456789") != std::string::npos) {
    return std::nullopt;
  }
  const int value = std::stoi(text);
  if (value > kZoomMax) return std::nullopt;
  return AcceptedZoomValue(value);
}

// "WIDTHxHEIGHT" in pixels.
std::optional<PictureSize> ParseSize(const std::string& text) {
  const size_t x = text.find_first_of("xX");
  if (x == std::string::npos) return std::nullopt;
  const std::string w = text.substr(0, x);
  const std::string h = text.substr(x + 1);
  for (const std::string& part : {w, h}) {
    if (part.empty() || part.size() > 4 || part.find_first_not_of("0123456789") != std::string::npos) {
      return std::nullopt;
    }
  }
  PictureSize size{std::stoi(w), std::stoi(h)};
  if (size.width < 1 || size.height < 1 || size.width > kLargestSide || size.height > kLargestSide) {
    return std::nullopt;
  }
  return size;
}

// Reads the options every display command shares into the view and the layout,
// and checks the contour file. Returns an exit status when the run must stop.
std::optional<int> PrepareView(const Args& args, Context& context, const CommandSpec& command, ContourView& view) {
  const std::optional<int> zoom = ParseZoom(args.Value("zoom", "100"));
  if (!zoom) return UsageError(context, command.name, "--zoom takes a whole number from 0 to 500", UsageLine(command));
  if (auto error = ApplyPieceOptions(args.Values("piece"), context.layout)) {
    return UsageError(context, command.name, *error, UsageLine(command));
  }
  const std::string offset = args.Value("offset", "0");
  if (CheckNumberField(offset) != FieldProblem::kNone) {
    return UsageError(context, command.name, "--offset \"" + offset + "\" is not a number", UsageLine(command));
  }
  const std::string path = context.folder.PathOf(kContourFile);
  ElementTable probe;
  const LoadStatus status = LoadTable(probe, path);
  if (status == LoadStatus::kMissing) {
    context.err << "vexline-cli " << command.name << ": the contour file is missing: " << path << "\n";
    return kExitFailure;
  }
  if (status == LoadStatus::kBadCount) {
    context.err << "vexline-cli " << command.name << ": the contour file is not a valid table file: " << path << "\n";
    return kExitFailure;
  }
  view.SetZoomPercent(*zoom);
  view.SetOffsetText(offset);
  return std::nullopt;
}

std::optional<std::string> PngBytes(const QImage& image) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  if (!buffer.open(QIODevice::WriteOnly) || !image.save(&buffer, "PNG")) return std::nullopt;
  return std::string(bytes.constData(), static_cast<size_t>(bytes.size()));
}

int RunView(const Args& args, Context& context, const CommandSpec& command) {
  ContourView view(context.messageBox);
  if (auto stop = PrepareView(args, context, command, view)) return *stop;
  const std::optional<PictureSize> window = ParseSize(args.Value("size", "800x600"));
  if (!window) return UsageError(context, command.name, "--size takes WIDTHxHEIGHT in pixels", UsageLine(command));
  // The window keeps its minimum size; the drawing area is what the layout leaves.
  const WindowSizeTwips twips =
      EnforceMinimumWindowSize({window->width * kTwipsPerPixel, window->height * kTwipsPerPixel});
  const PictureSize picture = PictureSizeFor(twips.width / kTwipsPerPixel,
                                             twips.height / kTwipsPerPixel - kMenuBarPixels, kStatusBarPixels);
  view.SetDrawingScale(picture.width * kTwipsPerPixel, picture.height * kTwipsPerPixel);
  view.SetViewOrigin();
  const std::string contourPath = context.folder.PathOf(kContourFile);
  if (args.Has("fit")) view.FitToDrawing(context.table, context.layout, contourPath);  // as 全体表示 does
  const bool wantPng = args.Has("png");
  std::string png;
  if (wantPng && picture.width > 0 && picture.height > 0) {
    EnsureGuiApplication();
    QImage image(picture.width, picture.height, QImage::Format_RGB32);
    {
      QPainter painter(&image);
      BatchedPainterSurface surface(painter, picture.width, picture.height);
      view.Redraw(surface, context.table, context.layout, contourPath);
    }
    const std::optional<std::string> bytes = PngBytes(image);
    if (!bytes) {
      context.err << "vexline-cli view: cannot make the picture\n";
      return kExitFailure;
    }
    png = *bytes;
  } else {
    NullSurface surface;
    view.Redraw(surface, context.table, context.layout, contourPath);
  }
  if (wantPng) {
    const std::string target = args.Value("png", "");
    if (png.empty() || !WriteFileAtomically(target, png)) {
      context.err << "vexline-cli view: cannot write " << target << "\n";
      return kExitFailure;
    }
  }
  context.out << "perimeter=" << view.PerimeterLabel() << "\n";
  return kExitOk;
}

int RunPrint(const Args& args, Context& context, const CommandSpec& command) {
  if (!args.Has("pdf") || args.Value("pdf", "").empty()) {
    return UsageError(context, command.name, "--pdf FILE is required", UsageLine(command));
  }
  ContourView view(context.messageBox);
  if (auto stop = PrepareView(args, context, command, view)) return *stop;
  const std::string target = args.Value("pdf", "");
  EnsureGuiApplication();
  std::unique_ptr<QtPrinter> printer = QtPrinter::ToPdf(target);
  if (!printer->IsAvailable()) {
    context.err << "vexline-cli print: cannot write " << target << "\n";
    return kExitFailure;
  }
  NullSurface screen;
  const SheetScale mode = args.Has("fit") ? SheetScale::kFitToPage : SheetScale::kTrueScale;
  const bool printed = view.PrintSheet(screen, *printer, context.table, context.layout,
                                       context.folder.PathOf(kContourFile), ShortDateText(std::time(nullptr)), mode);
  if (!printed) {
    context.err << "vexline-cli print: cannot write " << target << "\n";
    return kExitFailure;
  }
  return kExitOk;
}

}  // namespace

void RegisterDisplayCommands(CommandTable& table) {
  CommandSpec view;
  view.name = "view";
  view.summary = "the contour view: perimeter of the drawn chains, optionally a picture";
  view.description =
      "Draws CON2TA.dat as the contour view does (every piece of the layout, with the offset path when an offset "
      "is given) and prints perimeter=TEXT, the text of the perimeter label: every chain drawn added up.";
  view.options = ViewOptions();
  view.options.push_back({"png", "FILE", "write a picture of the drawing area"});
  view.options.push_back({"size", "WIDTHxHEIGHT", "window size in pixels; default 800x600"});
  view.options.push_back({"fit", "", "show the whole drawing, as 全体表示 (Home) does, instead of the zoom's window"});
  view.run = [command = view](const Args& args, Context& context) { return RunView(args, context, command); };
  table.Add(view);

  CommandSpec print;
  print.name = "print";
  print.summary = "the contour view's print item: the printed sheet as a one-page PDF";
  print.description =
      "Prints the drawing of CON2TA.dat on one landscape sheet at 1:1, centred below the title block (with --fit "
      "scaled to fill the page), with the title block, into the PDF file given by --pdf. The zoom does not "
      "change the sheet.";
  print.options = ViewOptions();
  print.options.insert(print.options.begin(), {"pdf", "FILE", "the PDF file to write", false, true});
  print.options.push_back({"fit", "", "scale the drawing to fit the page instead of 1:1"});
  print.run = [command = print](const Args& args, Context& context) { return RunPrint(args, context, command); };
  table.Add(print);
}

}  // namespace vx::cli
