// The vexline-cli commands of the calculator stages.
#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QPainter>
#include <ostream>
#include <sstream>

#include "calculator/calculator.h"
#include "calculator/calculator_drawing.h"
#include "cli/command.h"
#include "cli/gui_support.h"
#include "platform/atomic_file.h"
#include "platform/qt_services.h"

namespace vx::cli {
namespace {

// Size in pixels of the drawing area pictured by --png.
constexpr int kPictureWidth = 800;
constexpr int kPictureHeight = 500;
constexpr int kTwipsPerPixel = 15;

// Splits "X,Y,D,A,B,C,R,S" into the eight texts of a grid row.
bool ParseRow(const std::string& text, CalcGridRow& row) {
  std::vector<std::string> fields;
  std::string field;
  std::istringstream in(text);
  while (std::getline(in, field, ',')) fields.push_back(field);
  if (!text.empty() && text.back() == ',') fields.emplace_back();
  if (fields.size() != 8) return false;
  row = CalcGridRow{fields[0], fields[1], fields[2], fields[3], fields[4], fields[5], fields[6], fields[7]};
  return true;
}

// The drawing area as a PNG image, written whole or not at all.
bool WritePicture(const std::string& path, const Calculator& calc) {
  EnsureGuiApplication();
  QImage image(kPictureWidth, kPictureHeight, QImage::Format_RGB32);
  {
    QPainter painter(&image);
    PainterSurface surface(painter, kPictureWidth, kPictureHeight);
    CalcView view;
    view.pictureWidthTwips = kPictureWidth * kTwipsPerPixel;
    view.pictureHeightTwips = kPictureHeight * kTwipsPerPixel;
    CalcRedraw(surface, view, calc.grid, calc.answers);
  }
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  if (!image.save(&buffer, "PNG")) return false;
  return WriteFileAtomically(path, std::string(bytes.constData(), static_cast<size_t>(bytes.size())));
}

int RunCalc(const std::string& usage, const Args& args, Context& context) {
  Calculator calc;
  for (int r = 0; r < 3; ++r) {
    if (!ParseRow(args.positional[r], calc.grid[r])) {
      context.err << "vexline-cli calc: ROW" << r + 1 << " must have eight fields X,Y,D,A,B,C,R,S: \""
                  << args.positional[r] << "\"\n"
                  << usage << "\n";
      return kExitUsage;
    }
  }
  calc.Calculate();
  if (args.Has("png")) {
    const std::string path = args.Value("png", "");
    if (path.empty() || !WritePicture(path, calc)) {
      context.err << "vexline-cli calc: cannot write the picture " << path << "\n";
      return kExitFailure;
    }
  }
  const CalcAnswers& a = calc.answers;
  context.out << "ansX=" << a.ansX << "\n"
              << "ansY=" << a.ansY << "\n"
              << "ansA=" << a.ansA << "\n"
              << "ansR=" << a.ansR << "\n"
              << "ansRem=" << a.ansRem << "\n";
  return kExitOk;
}

}  // namespace

void RegisterCalculatorCommands(CommandTable& table) {
  CommandSpec command;
  command.name = "calc";
  command.arguments = "ROW1 ROW2 ROW3";
  command.summary = "the geometry calculator's calculate button";
  command.description =
      "Each ROW is the eight texts of one input grid row in grid order X,Y,D,A,B,C,R,S\n"
      "(for example 0,0,8,,,,, or 10,0,0,,,,5,1 or ,,99,,,,,). Prints the five answer\n"
      "labels ansX, ansY, ansA, ansR and ansRem, one line each, as NAME=TEXT.";
  command.minPositional = 3;
  command.maxPositional = 3;
  command.options = {{"png", "FILE", "also write a picture of the calculator's drawing (PNG)"}};
  command.run = [usage = UsageLine(command)](const Args& args, Context& context) { return RunCalc(usage, args, context); };
  table.Add(std::move(command));
}

}  // namespace vx::cli
