// The contour view without a window: scale, origin, panning, zoom and drawing.
#include "display/contour_view.h"

#include <algorithm>
#include <cassert>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <limits>

#include "machining/offset_path.h"
#include "machining/piece_transforms.h"
#include "shell/contour_codes.h"
#include "shell/number_text.h"
#include "shell/table_file.h"

namespace vx {

namespace {

// The value of pi the drawing code uses with the radian functions.
constexpr double kDrawingPi = 3.1415926;

// Origin constants of the screen window.
constexpr int kScreenLeftShift = 550;
constexpr int kScreenTopShift = 250;
// The printable window of the landscape sheet at 100 %, in millimetres.
constexpr double kSheetWidth = 281.0231;
constexpr double kSheetHeight = -200.8719;
// Room of the drawing on the sheet: 10 mm in from the sides and the bottom,
// 30 mm from the top (the title block stands above it).
constexpr double kSheetSideMargin = 10;
constexpr double kSheetTopMargin = 30;
// A fitted drawing is never printed larger than this many millimetres per unit.
constexpr double kMaxSheetScale = 1000;
// The window of a sheet at this scale still spans some 1e302 units.
constexpr double kMinSheetScale = 1e-300;
// Share of the window the fitted drawing leaves free on each side.
constexpr double kFitMargin = 0.05;

// (200 - h) * -1000 / 200 + shift: the difference in 16-bit integers, the product
// in 32-bit integers, the rest in doubles. Scroll values stay within 0..200, so
// neither can overflow.
double OriginLeft(int h, int shift) {
  assert(h >= 0 && h <= kScrollMax);
  const std::int16_t difference = static_cast<std::int16_t>(kScrollMax - h);
  const std::int32_t product = static_cast<std::int32_t>(difference) * static_cast<std::int32_t>(-1000);
  return product / 200.0 + shift;
}

// (200 - v) * 800 / 200 - shift, with the same integer steps.
double OriginTop(int v, int shift) {
  assert(v >= 0 && v <= kScrollMax);
  const std::int16_t difference = static_cast<std::int16_t>(kScrollMax - v);
  const std::int32_t product = static_cast<std::int32_t>(difference) * static_cast<std::int32_t>(800);
  return product / 200.0 - shift;
}

// Coordinates go to the surface and the printer in single precision; one
// beyond its range is kept at the largest single value of its sign, so that
// the devices never see an infinite coordinate. NaN is the caller's to skip.
float Single(double value) {
  constexpr double kMost = std::numeric_limits<float>::max();
  return static_cast<float>(std::clamp(value, -kMost, kMost));
}

int ClampScroll(int value) { return std::clamp(value, 0, kScrollMax); }

int RoundScroll(double value) {
  if (!std::isfinite(value)) return value > 0 ? kScrollMax : 0;
  const double rounded = RoundHalfEven(std::clamp(value, -1.0, kScrollMax + 1.0), 0);
  return ClampScroll(static_cast<int>(rounded));
}

// Angle of the direction (dx, dy) in degrees, by the view's case order: the
// axis directions exactly, otherwise the arctangent (+180 when dx < 0). A zero
// vector takes the first case, 0.
double DirectionAngle(double dx, double dy) {
  // Exact comparisons with 0 pick the axis cases, as the drawing has always done.
  if (dx >= 0 && dy == 0) return 0;
  if (dx < 0 && dy == 0) return 180;
  if (dx == 0 && dy > 0) return 90;
  if (dy < 0 && dx == 0) return -90;
  double angle = std::atan(dy / dx) * 180 / kDrawingPi;
  if (dx < 0) angle += 180;
  return angle;
}

// Reads a cell of a row that may lie past the end of the table as empty.
double CellAt(const ElementTable::Column& column, int row) {
  if (row < 0 || row > ElementTable::kLastRow) return 0;
  return column[static_cast<size_t>(row)];
}

}  // namespace

void Extents::Add(double x, double y) {
  if (!std::isfinite(x) || !std::isfinite(y)) return;
  if (empty) {
    minX = maxX = x;
    minY = maxY = y;
    empty = false;
    return;
  }
  minX = std::min(minX, x);
  maxX = std::max(maxX, x);
  minY = std::min(minY, y);
  maxY = std::max(maxY, y);
}

SheetLayout SheetFor(const Extents& extents, SheetScale mode) {
  const double roomWidth = kSheetWidth - 2 * kSheetSideMargin;
  const double roomHeight = -kSheetHeight - kSheetTopMargin - kSheetSideMargin;
  double cx = 0, cy = 0, scale = 1;
  if (!extents.empty) {
    // Halves first: the sum and the difference of two large coordinates may
    // lie beyond the range of numbers where their halves do not.
    cx = extents.minX / 2 + extents.maxX / 2;
    cy = extents.minY / 2 + extents.maxY / 2;
    const double w = extents.maxX / 2 - extents.minX / 2;
    const double h = extents.maxY / 2 - extents.minY / 2;
    if (mode == SheetScale::kFitToPage && (w > 0 || h > 0)) {
      scale = std::min(w > 0 ? roomWidth / 2 / w : kMaxSheetScale, h > 0 ? roomHeight / 2 / h : kMaxSheetScale);
      // A drawing wider than the window's numbers can hold at its scale is
      // printed at the smallest scale they can.
      scale = std::clamp(scale, kMinSheetScale, kMaxSheetScale);
    }
  }
  // The room's centre on the paper, in millimetres from the top-left corner.
  const double paperX = kSheetSideMargin + roomWidth / 2;
  const double paperY = kSheetTopMargin + roomHeight / 2;
  SheetLayout sheet;
  sheet.scale = scale;
  sheet.window.width = kSheetWidth / scale;
  sheet.window.height = kSheetHeight / scale;
  sheet.window.left = cx - paperX / scale;
  sheet.window.top = cy + paperY / scale;
  return sheet;
}

std::string ScaleText(double scale) {
  if (!(scale > 0) || !std::isfinite(scale)) return "1:1";
  if (scale >= 1) return ShortestText(RoundHalfEven(scale, 3)) + ":1";
  return "1:" + ShortestText(RoundHalfEven(1 / scale, 3));
}

WindowSizeTwips EnforceMinimumWindowSize(WindowSizeTwips size) {
  if (size.width < 4000) size.width = 4500;
  if (size.height < 4500) size.height = 5000;
  return size;
}

std::string ShortDateText(std::time_t when) {
  std::tm local{};
#ifdef _WIN32
  localtime_s(&local, &when);
#else
  localtime_r(&when, &local);
#endif
  char buffer[32];
  std::strftime(buffer, sizeof buffer, "%Y/%m/%d", &local);
  return buffer;
}

PictureSize PictureSizeFor(int innerWidth, int innerHeight, int statusAllowance) {
  PictureSize size;
  size.width = std::max(0, innerWidth - kScrollBarPixels);
  size.height = std::max(0, innerHeight - kScrollBarPixels - kTopBandPixels - statusAllowance);
  return size;
}

ArcSweep ArcAngles(double dx0, double dy0, double dx1, double dy1, double p1) {
  double a0 = DirectionAngle(dx0, dy0);
  if (a0 > 0 && p1 < 0) a0 -= 360;
  if (a0 < 0 && p1 > 0) a0 += 360;
  double a1 = DirectionAngle(dx1, dy1);
  // Non-strict comparisons here, strict ones for the start: an end equal to the
  // start gives a full circle.
  if (a1 >= 0 && p1 < 0) a1 -= 360;
  if (a1 <= 0 && p1 > 0) a1 += 360;
  if (a1 < 0 && a0 < 0 && a0 <= a1) a1 -= 360;
  if (a1 > 0 && a0 > 0 && a0 >= a1) a1 += 360;
  // About 5 degrees at R = 10, 39.3 at R = 1; negative for clockwise arcs.
  return ArcSweep{a0, a1, std::atan(1 / p1) * 50};
}

int AcceptedZoomValue(int sliderValue) {
  const int value = std::clamp(sliderValue, 0, kZoomMax);
  return value == 0 ? 10 : value;
}

void ContourView::SetZoomPercent(int sliderValue) { m_zoomFactor = AcceptedZoomValue(sliderValue) / 100.0; }

void ContourView::SetScroll(ScrollValues values) {
  m_scroll.h = ClampScroll(values.h);
  m_scroll.v = ClampScroll(values.v);
}

void ContourView::SetDrawingScale(double widthTwips, double heightTwips) {
  m_widthTwips = widthTwips;
  m_heightTwips = heightTwips;
  m_window.width = (widthTwips / kTwipsPerUnit) / m_zoomFactor;
  m_window.height = (heightTwips / -kTwipsPerUnit) / m_zoomFactor;
}

void ContourView::SetViewOrigin() {
  m_window.left = OriginLeft(m_scroll.h, kScreenLeftShift) / m_zoomFactor;
  m_window.top = OriginTop(m_scroll.v, kScreenTopShift) / m_zoomFactor;
  m_followsScroll = true;
}

void ContourView::Layout(double widthTwips, double heightTwips) {
  SetDrawingScale(widthTwips, heightTwips);
  if (m_followsScroll) SetViewOrigin();
}

void ContourView::ZoomToSlider(int sliderValue) {
  if (m_followsScroll) {
    SetZoomPercent(sliderValue);
    Layout(m_widthTwips, m_heightTwips);
    return;
  }
  ZoomAbout(0, 0, AcceptedZoomValue(sliderValue) / 100.0);
}

void ContourView::ZoomAbout(double x, double y, double zoomFactor) {
  if (!std::isfinite(zoomFactor)) return;
  const double zoom = std::clamp(zoomFactor, kMinZoomFactor, kMaxZoomFactor);
  const double ratio = m_zoomFactor / zoom;
  m_window.left = x - (x - m_window.left) * ratio;
  m_window.top = y - (y - m_window.top) * ratio;
  m_zoomFactor = zoom;
  SetDrawingScale(m_widthTwips, m_heightTwips);
  m_followsScroll = false;
}

void ContourView::MoveWindow(double dx, double dy) {
  if (!std::isfinite(dx) || !std::isfinite(dy)) return;
  m_window.left += dx;
  m_window.top += dy;
  m_followsScroll = false;
}

bool ContourView::FitToWindow() {
  if (m_extents.empty || m_widthTwips <= 0 || m_heightTwips <= 0) return false;
  const double unitsWide = m_widthTwips / kTwipsPerUnit;  // at 100 %
  const double unitsHigh = m_heightTwips / kTwipsPerUnit;
  const double w = (m_extents.maxX - m_extents.minX) * (1 + 2 * kFitMargin);
  const double h = (m_extents.maxY - m_extents.minY) * (1 + 2 * kFitMargin);
  double zoom = m_zoomFactor;  // a single point keeps the zoom and is centred
  if (w > 0 || h > 0) zoom = std::min(w > 0 ? unitsWide / w : kMaxZoomFactor, h > 0 ? unitsHigh / h : kMaxZoomFactor);
  m_zoomFactor = std::clamp(zoom, kMinZoomFactor, kMaxZoomFactor);
  SetDrawingScale(m_widthTwips, m_heightTwips);
  m_window.left = (m_extents.minX + m_extents.maxX) / 2 - m_window.width / 2;
  m_window.top = (m_extents.minY + m_extents.maxY) / 2 - m_window.height / 2;
  m_followsScroll = false;
  return true;
}

ScrollValues ContourView::NearestScroll() const {
  // The inverse of SetViewOrigin's formulas.
  const double h = kScrollMax - (m_window.left * m_zoomFactor - kScreenLeftShift) * 200 / (-1000);
  const double v = kScrollMax - (m_window.top * m_zoomFactor + kScreenTopShift) * 200 / 800;
  return ScrollValues{RoundScroll(h), RoundScroll(v)};
}

std::pair<double, double> ContourView::WorldAt(double px, double py, double pixelWidth, double pixelHeight) const {
  if (pixelWidth <= 0 || pixelHeight <= 0) return {m_window.left, m_window.top};
  return {m_window.left + px / pixelWidth * m_window.width, m_window.top + py / pixelHeight * m_window.height};
}

ScrollValues ContourView::PanByClick(double x, double y) {
  m_window.left = m_window.left - x;
  m_window.top = m_window.top - y;
  return NearestScroll();
}

std::string ContourView::StatusText() const {
  // The surface holds its window in single precision, and the sum of two single
  // values is single as well.
  const float bottom = static_cast<float>(m_window.top) + static_cast<float>(m_window.height);
  return "X=" + SingleText(m_window.left) + ".Y=" + SingleText(bottom);
}

void ContourView::Redraw(Surface& surface, ElementTable& table, const PieceLayout& layout,
                         const std::string& contourPath) {
  m_surface = &surface;
  surface.SetScale(m_window.left, m_window.top, m_window.width, m_window.height);
  surface.Clear();
  // The origin cross, 20 units across.
  m_penColour = kAxesColour;
  PenTo('S', -10, 0);
  PenTo('L', 10, 0);
  PenTo('S', 0, -10);
  PenTo('L', 0, 10);
  m_extents = Extents{};
  m_chains.clear();
  m_loadStatus = LoadStatus::kOk;
  for (int k = 0; k < PieceLayout::kPieces && layout.InUse(k); ++k) {
    LoadPiece(table, contourPath, k);
    PlacePiece(table, layout, k);
    m_piece = k;
    m_tracking = true;
    DrawPiece(table);
    m_tracking = false;
  }
  m_perimeterLabel = ShortestText(RoundHalfEven(TotalPerimeter(), 1));
  m_surface = nullptr;  // the caller's surface does not outlive the redraw
}

double ContourView::TotalPerimeter() const {
  double total = 0;
  for (const ChainLength& chain : m_chains) total += chain.length;
  return total;
}

void ContourView::LoadPiece(ElementTable& table, const std::string& contourPath, int k) {
  if (k > 0 && m_loadedOk) {
    // What LoadTable of the unchanged file does: rows 1..N + 1 and the row variables.
    const ElementTable& loaded = *m_loaded;
    const size_t last = static_cast<size_t>(loaded.RowCount) + 1;
    for (ElementTable::Column ElementTable::*column :
         {&ElementTable::X, &ElementTable::Y, &ElementTable::Code, &ElementTable::P1, &ElementTable::P2}) {
      std::copy((loaded.*column).begin() + 1, (loaded.*column).begin() + last + 1, (table.*column).begin() + 1);
    }
    table.RowCount = loaded.RowCount;
    table.CurRow = loaded.CurRow;
    return;
  }
  // A missing or broken file leaves the table as it is; what it holds is drawn,
  // and every piece reads the file again.
  m_loadStatus = LoadTable(table, contourPath);
  m_loadedOk = m_loadStatus == LoadStatus::kOk;
  if (m_loadedOk) {
    if (!m_loaded) m_loaded = std::make_unique<ElementTable>();
    *m_loaded = table;
  }
}

void ContourView::DrawPiece(ElementTable& table) {
  m_offsetAmount = NumericValue(m_offsetText);
  m_penColour = kContourColour;
  DrawContour(table);
  if (m_offsetAmount != 0) {
    ComputeOffsetPath(table, m_offsetAmount, *m_box);
    m_penColour = kOffsetColour;
    DrawContour(table);
  }
  // The chains of the path the wire follows: the last pass drawn.
  for (size_t c = 0; c < m_passChains.size(); ++c) {
    m_chains.push_back(ChainLength{m_piece, static_cast<int>(c), m_passChains[c]});
  }
  m_perimeterLabel = ShortestText(RoundHalfEven(m_perimeter, 1));
}

void ContourView::DrawContour(ElementTable& table) {
  auto point = [&table](int row) { return std::pair<double, double>{CellAt(table.X, row), CellAt(table.Y, row)}; };
  m_passChains.clear();
  PenTo('S', point(1).first, point(1).second);
  const int last = table.RowCount;  // the bound is read once
  for (table.CurRow = 2; table.CurRow <= last; ++table.CurRow) {
    int row = table.CurRow;
    const double code = CellAt(table.Code, row);
    if (code == kEndCode) break;  // the end row met inside the chain
    if (code == kSeparatorCode) {
      // Further separators and chains of a single point draw nothing.
      auto separatorAt = [&table, last](int r) { return r <= last && CellAt(table.Code, r) == kSeparatorCode; };
      while (row + 1 <= last && (separatorAt(row + 1) || separatorAt(row + 2))) ++row;
      // A separator at the very end has no chain after it.
      if (row + 2 > last || row + 2 > ElementTable::kLastRow) break;
      m_passChains.push_back(m_perimeter);  // the chain before the separator ends
      table.CurRow = ++row;
      PenTo('S', point(row).first, point(row).second);
      table.CurRow = ++row;
      // A chain that begins with an arc (an imported circle) has its centre
      // here: the arc below starts from the chain's first point, and a line
      // to the centre would be drawn and measured where nothing is cut.
      if (CellAt(table.P1, row) == 0) PenTo('L', point(row).first, point(row).second);
    }
    if (CellAt(table.P1, row) != 0) {
      DrawArc(table, row);
    } else {
      PenTo('L', point(row).first, point(row).second);
      MarkVertex(point(row).first, point(row).second);
    }
  }
  m_passChains.push_back(m_perimeter);
}

void ContourView::DrawArc(const ElementTable& table, int r) {
  const double cx = CellAt(table.X, r);
  const double cy = CellAt(table.Y, r);
  const double signedRadius = CellAt(table.P1, r);
  const double radius = std::fabs(signedRadius);
  const ArcSweep sweep = ArcAngles(CellAt(table.X, r - 1) - cx, CellAt(table.Y, r - 1) - cy,
                                   CellAt(table.X, r + 1) - cx, CellAt(table.Y, r + 1) - cy, signedRadius);
  const double span = sweep.end - sweep.start;
  double step = sweep.step;
  if (step == 0 || !std::isfinite(step) || !std::isfinite(span)) return;
  if (std::fabs(step) < kMinArcStepDegrees) {
    // A radius above 50 km: the step would fall below the rounding of the angle
    // and leave it where it is. An arc sweeping less than one step is its chord.
    if (std::fabs(span) < kMinArcStepDegrees) return;
    step = std::copysign(kMinArcStepDegrees, step);
  }
  // A radius of kilometres would take more chords than any drawing resolves.
  if (std::fabs(span) > kMaxArcSteps * std::fabs(step)) step = span / kMaxArcSteps;
  // Bounds and step are read once; the loop ends when theta passes the end,
  // after kMaxArcSteps + 1 points at the latest.
  int points = 0;
  for (double theta = sweep.start; (step > 0 ? theta <= sweep.end : theta >= sweep.end) && points <= kMaxArcSteps;
       theta += step, ++points) {
    PenTo('L', cx + radius * std::cos(kDrawingPi * theta / 180), cy + radius * std::sin(kDrawingPi * theta / 180));
  }
}

void ContourView::Track(double x, double y) {
  if (m_tracking) m_extents.Add(x, y);
}

void ContourView::Plot(double x, double y) {
  if (std::isnan(x) || std::isnan(y)) return;  // an offset path that broke down: nothing to plot
  Track(x, y);
  const float fx = Single(x);
  const float fy = Single(y);
  if (m_printing && m_printer != nullptr) {
    m_printer->Point(fx, fy);
    m_printerX = fx;
    m_printerY = fy;
  }
  if (m_surface != nullptr) {
    // The surface's foreground colour: black.
    m_surface->SetColour(kAxesColour);
    m_surface->Point(fx, fy);
  }
  m_surfaceX = fx;
  m_surfaceY = fy;
}

void ContourView::PenTo(char kind, double x, double y) {
  if (std::isnan(x) || std::isnan(y)) {
    // An offset path that broke down: no point, no segment, no length.
    if (kind == 'S') m_perimeter = 0;
    return;
  }
  if (kind == 'S') {
    Plot(x, y);
    m_perimeter = 0;
  } else {
    Track(x, y);
    const float fx = Single(x);
    const float fy = Single(y);
    if (m_printing && m_printer != nullptr) {
      m_printer->Line(m_printerX, m_printerY, fx, fy);
      m_printerX = fx;
      m_printerY = fy;
    }
    if (m_surface != nullptr) {
      m_surface->SetColour(m_penColour);
      m_surface->Line(m_surfaceX, m_surfaceY, fx, fy);
    }
    m_surfaceX = fx;
    m_surfaceY = fy;
    m_perimeter += std::sqrt((x - m_prevX) * (x - m_prevX) + (y - m_prevY) * (y - m_prevY));
  }
  m_prevX = x;
  m_prevY = y;
}

void ContourView::MarkVertex(double x, double y) { Plot(x, y); }

void ContourView::MeasureExtents(ElementTable& table, const PieceLayout& layout, const std::string& contourPath) {
  // On no surface and with its messages held back: the redraw that follows
  // shows each message once.
  RecordingMessageBox quiet;
  MessageBox* box = m_box;
  m_box = &quiet;
  NullSurface none;
  Redraw(none, table, layout, contourPath);
  m_box = box;
}

bool ContourView::FitToDrawing(ElementTable& table, const PieceLayout& layout, const std::string& contourPath) {
  MeasureExtents(table, layout, contourPath);
  return FitToWindow();
}

bool ContourView::PrintSheet(Surface& surface, Printer& printer, ElementTable& table, const PieceLayout& layout,
                             const std::string& contourPath, const std::string& dateText, SheetScale mode) {
  // A first redraw finds the extents that place the drawing on the sheet.
  MeasureExtents(table, layout, contourPath);
  m_sheet = SheetFor(m_extents, mode);
  printer.SaveSettings();
  printer.SetLandscape(true);
  printer.SetPrintableArea(kSheetWidth, -kSheetHeight);
  const ViewWindow& sheet = m_sheet.window;
  printer.SetScale(sheet.left, sheet.top, sheet.width, sheet.height);
  printer.SetColour(kAxesColour);  // the sheet is drawn in one colour
  m_printer = &printer;
  m_printing = true;
  Redraw(surface, table, layout, contourPath);
  m_printing = false;
  m_printer = nullptr;
  PrintTitleBlock(printer, dateText);
  const bool printed = printer.EndDocument();
  printer.RestoreSettings();
  return printed;
}

void ContourView::PrintTitleBlock(Printer& printer, const std::string& dateText) {
  // Distances on the paper in millimetres, divided by the scale to stay in place.
  const double z = m_sheet.scale;
  const ViewWindow& sheet = m_sheet.window;
  printer.SetFont("ＭＳ　Ｐゴシック", 16);
  printer.Text(sheet.left + 10 / z, sheet.top - 10 / z, "　ＶＥＸＬＩＮＥ");
  printer.SetFont("ＭＳ　Ｐゴシック", 11);
  printer.Text(sheet.left + 40 / z, sheet.top - 20 / z,
               "周長  " + ShortestText(RoundHalfEven(TotalPerimeter(), 2)) + " m/m");
  if (m_chains.size() > 1) {
    // Each chain beside the sum, as many as one line of the title block holds.
    constexpr size_t kChainsShown = 8;
    std::string line;
    for (size_t i = 0; i < m_chains.size() && i < kChainsShown; ++i) {
      line += (i == 0 ? "(" : "  ") + ChainName(m_chains, i) + ": " +
              ShortestText(RoundHalfEven(m_chains[i].length, 2));
    }
    if (m_chains.size() > kChainsShown) line += "  ...";
    line += ")";
    printer.Text(sheet.left + 40 / z, sheet.top - 25 / z, line);
  }
  printer.Text(sheet.left + sheet.width - 40 / z, sheet.top - 10 / z, "Date  " + dateText);
  printer.Text(sheet.left + sheet.width - 40 / z, sheet.top - 20 / z, "Scale  " + ScaleText(m_sheet.scale));
}

std::string ChainName(const std::vector<ChainLength>& chains, size_t index) {
  const ChainLength& chain = chains.at(index);
  const bool severalPieces = !chains.empty() && chains.back().piece != chains.front().piece;
  const std::string number = std::to_string(chain.chain + 1);
  return severalPieces ? std::to_string(chain.piece + 1) + "-" + number : number;
}

}  // namespace vx
