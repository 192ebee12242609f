// The contour view without a window: scale, origin, panning, zoom and drawing.
#include "display/contour_view.h"

#include <algorithm>
#include <cassert>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "machining/offset_path.h"
#include "machining/piece_transforms.h"
#include "shell/contour_codes.h"
#include "shell/number_text.h"
#include "shell/table_file.h"

namespace vx {

namespace {

// The value of pi the drawing code uses with the radian functions.
constexpr double kDrawingPi = 3.1415926;

// Most steps one arc is drawn in: far more than a screen or a sheet resolves.
constexpr double kMaxArcSteps = 100000;

// Origin constants of the screen window and of the printed sheet: the sheet's
// window reaches 50 units further left and further up at the same scroll position.
constexpr int kScreenLeftShift = 550;
constexpr int kScreenTopShift = 250;
constexpr int kSheetLeftShift = 500;
constexpr int kSheetTopShift = 200;
// The printable window of the landscape sheet at 100 %, in millimetres.
constexpr double kSheetWidth = 281.0231;
constexpr double kSheetHeight = -200.8719;

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
  m_window.width = (widthTwips / kTwipsPerUnit) / m_zoomFactor;
  m_window.height = (heightTwips / -kTwipsPerUnit) / m_zoomFactor;
}

void ContourView::SetViewOrigin() {
  m_window.left = OriginLeft(m_scroll.h, kScreenLeftShift) / m_zoomFactor;
  m_window.top = OriginTop(m_scroll.v, kScreenTopShift) / m_zoomFactor;
}

ScrollValues ContourView::PanByClick(double x, double y) {
  m_window.left = m_window.left - x;
  m_window.top = m_window.top - y;
  // The inverse of SetViewOrigin's formulas.
  const double h = kScrollMax - (m_window.left * m_zoomFactor - kScreenLeftShift) * 200 / (-1000);
  const double v = kScrollMax - (m_window.top * m_zoomFactor + kScreenTopShift) * 200 / 800;
  return ScrollValues{RoundScroll(h), RoundScroll(v)};
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
  for (int k = 0; k < PieceLayout::kPieces && layout.InUse(k); ++k) {
    LoadPiece(table, contourPath, k);
    PlacePiece(table, layout, k);
    DrawPiece(table);
  }
  m_surface = nullptr;  // the caller's surface does not outlive the redraw
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
  m_loadedOk = LoadTable(table, contourPath) == LoadStatus::kOk;
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
    ComputeOffsetPath(table, m_offsetAmount, m_box);
    m_penColour = kOffsetColour;
    DrawContour(table);
  }
  m_perimeterLabel = ShortestText(RoundHalfEven(m_perimeter, 1));
}

void ContourView::DrawContour(ElementTable& table) {
  auto point = [&table](int row) { return std::pair<double, double>{CellAt(table.X, row), CellAt(table.Y, row)}; };
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
      table.CurRow = ++row;
      PenTo('S', point(row).first, point(row).second);
      table.CurRow = ++row;
      PenTo('L', point(row).first, point(row).second);
    }
    if (CellAt(table.P1, row) != 0) {
      DrawArc(table, row);
    } else {
      PenTo('L', point(row).first, point(row).second);
      MarkVertex(point(row).first, point(row).second);
    }
  }
}

void ContourView::DrawArc(const ElementTable& table, int r) {
  const double cx = CellAt(table.X, r);
  const double cy = CellAt(table.Y, r);
  const double signedRadius = CellAt(table.P1, r);
  const double radius = std::fabs(signedRadius);
  const ArcSweep sweep = ArcAngles(CellAt(table.X, r - 1) - cx, CellAt(table.Y, r - 1) - cy,
                                   CellAt(table.X, r + 1) - cx, CellAt(table.Y, r + 1) - cy, signedRadius);
  double step = sweep.step;
  // A radius of thousands of kilometres (a hand-edited or imported file) would
  // take billions of steps; no drawing needs more than kMaxArcSteps of them.
  if (std::fabs(sweep.end - sweep.start) > kMaxArcSteps * std::fabs(step)) {
    step = (sweep.end - sweep.start) / kMaxArcSteps;
  }
  if (step == 0 || !std::isfinite(step) || !std::isfinite(sweep.start) || !std::isfinite(sweep.end)) return;
  // Bounds and step are read once; the loop ends when theta passes the end.
  for (double theta = sweep.start; step > 0 ? theta <= sweep.end : theta >= sweep.end; theta += step) {
    PenTo('L', cx + radius * std::cos(kDrawingPi * theta / 180), cy + radius * std::sin(kDrawingPi * theta / 180));
  }
}

void ContourView::Plot(double x, double y) {
  const float fx = static_cast<float>(x);
  const float fy = static_cast<float>(y);
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
  if (kind == 'S') {
    Plot(x, y);
    m_perimeter = 0;
  } else {
    const float fx = static_cast<float>(x);
    const float fy = static_cast<float>(y);
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

ViewWindow ContourView::SheetWindow() const {
  ViewWindow sheet;
  sheet.width = kSheetWidth / m_zoomFactor;
  sheet.height = kSheetHeight / m_zoomFactor;
  sheet.left = OriginLeft(m_scroll.h, kSheetLeftShift) / m_zoomFactor;
  sheet.top = OriginTop(m_scroll.v, kSheetTopShift) / m_zoomFactor;
  return sheet;
}

bool ContourView::PrintSheet(Surface& surface, Printer& printer, ElementTable& table, const PieceLayout& layout,
                             const std::string& contourPath, const std::string& dateText) {
  printer.SaveSettings();
  printer.SetLandscape(true);
  printer.SetPrintableArea(kSheetWidth, -kSheetHeight);
  m_sheet = SheetWindow();
  printer.SetScale(m_sheet.left, m_sheet.top, m_sheet.width, m_sheet.height);
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
  // Distances on the paper in millimetres, divided by the zoom to stay in place.
  const double z = m_zoomFactor;
  printer.SetFont("ＭＳ　Ｐゴシック", 16);
  printer.Text(m_sheet.left + 10 / z, m_sheet.top - 10 / z, "　ＶＥＸＬＩＮＥ");
  printer.SetFont("ＭＳ　Ｐゴシック", 11);
  printer.Text(m_sheet.left + 40 / z, m_sheet.top - 20 / z,
               "周長  " + ShortestText(RoundHalfEven(m_perimeter, 2)) + " m/m");
  printer.Text(m_sheet.left + m_sheet.width - 40 / z, m_sheet.top - 10 / z, "Date  " + dateText);
}

}  // namespace vx
