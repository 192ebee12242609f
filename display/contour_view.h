// The contour view without a window: drawing scale, view origin, panning,
// zoom, and the drawing of the contour, its offset path and the placed pieces.
#pragma once

#include <ctime>
#include <memory>
#include <string>

#include "machining/piece_layout.h"
#include "platform/message_box.h"
#include "platform/printer.h"
#include "platform/surface.h"
#include "shell/element_table.h"
#include "shell/number_text.h"

namespace vx {

// One drawing unit of the view is 59 twips at 100 % (not the true 56.7 twips of
// a millimetre); the screen is taken at 15 twips per pixel.
inline constexpr double kTwipsPerUnit = 59.0;
inline constexpr int kTwipsPerPixel = 15;

// Scroll bars run over 0..200, the zoom slider over 0..500 (0 is taken as 10).
inline constexpr int kScrollMax = 200;
inline constexpr int kZoomMax = 500;
inline constexpr int kStartHScroll = 80;
inline constexpr int kStartVScroll = 120;

// Palette indexes of the view.
inline constexpr int kAxesColour = 0;     // black origin cross
inline constexpr int kContourColour = 3;  // cyan contour
inline constexpr int kOffsetColour = 10;  // light green offset path

// The user window of a surface: X from left to left + width, Y from top to
// top + height (height negative: Y grows upwards).
struct ViewWindow {
  double left = 0;
  double top = 0;
  double width = 1;
  double height = -1;
};

struct ScrollValues {
  int h = 0;
  int v = 0;
};

// Minimum window size of the view in twips: a narrower window is widened to
// 4500, a lower one heightened to 5000.
struct WindowSizeTwips {
  int width = 0;
  int height = 0;
};
WindowSizeTwips EnforceMinimumWindowSize(WindowSizeTwips size);

// A surface that draws nothing: for a view whose drawing is not looked at
// (the perimeter alone).
class NullSurface : public Surface {
 public:
  void SetScale(double, double, double, double) override {}
  void Clear() override {}
  void SetColour(int) override {}
  void Point(double, double) override {}
  void Line(double, double, double, double) override {}
  void Circle(double, double, double) override {}
};

// The date of the printed sheet in the short form of the Japanese calendar
// settings, "yyyy/MM/dd" (2026/12/08), in local time.
std::string ShortDateText(std::time_t when);

// Size in pixels of the drawing area of a view window whose inner area
// (below the menu bar) is innerWidth x innerHeight pixels, by the layout rule:
// the width less the vertical scroll bar, the height less the control band,
// the horizontal scroll bar and the room kept for the status bar. Never negative.
struct PictureSize {
  int width = 0;
  int height = 0;
};
// Heights of the view's fixed parts, in pixels: the control band (the height of
// the button "終了:NC出力へ"), the scroll bars and the status bar.
inline constexpr int kTopBandPixels = 33;
inline constexpr int kScrollBarPixels = 17;
inline constexpr int kStatusBarPixels = 22;
PictureSize PictureSizeFor(int innerWidth, int innerHeight, int statusAllowance);

// The zoom slider value the view accepts: 0 becomes 10, values outside 0..500
// are kept at the nearest bound.
int AcceptedZoomValue(int sliderValue);

// The sweep DrawArc walks for an arc with signed radius p1 (positive:
// counter-clockwise) whose start and end lie at (dx0, dy0) and (dx1, dy1) from
// its centre: start and end angle in degrees and the step, atan(1 / p1) x 50
// degrees. The start angle is moved by 360 only when strictly on the wrong
// side of 0, the end angle also at 0, so an end equal to the start sweeps a
// full circle (0 to 360, or 0 to -360 clockwise).
// Bounds of the drawing of one arc. No arc is drawn in more than kMaxArcSteps
// chords (a full circle of radius below 500 keeps its own step; a larger one
// gets 3600 equal steps). A step finer than
// kMinArcStepDegrees (radius above 50 km) is taken as kMinArcStepDegrees, so
// the angle always moves on, and such an arc that sweeps less than that step
// is a line: nothing is drawn for it but the chord to its end point.
inline constexpr int kMaxArcSteps = 3600;
inline constexpr double kMinArcStepDegrees = 1e-6;

struct ArcSweep {
  double start;
  double end;
  double step;
};
ArcSweep ArcAngles(double dx0, double dy0, double dx1, double dy1, double p1);

class ContourView {
 public:
  // box receives the messages of the offset path computation.
  explicit ContourView(MessageBox& box) : m_box(box) {}

  // --- view state -------------------------------------------------------
  double ZoomFactor() const { return m_zoomFactor; }
  // Sets ZoomFactor = slider value / 100 (the slider value as accepted).
  void SetZoomPercent(int sliderValue);
  ScrollValues Scroll() const { return m_scroll; }
  // Scroll values clamped to 0..200; the origin is not recomputed.
  void SetScroll(ScrollValues values);
  const ViewWindow& Window() const { return m_window; }
  double Perimeter() const { return m_perimeter; }
  // The text of the perimeter label: Perimeter rounded to 1 decimal (halves to even).
  const std::string& PerimeterLabel() const { return m_perimeterLabel; }
  // The offset text box, read by every piece drawn.
  void SetOffsetText(const std::string& text) { m_offsetText = text; }
  const std::string& OffsetText() const { return m_offsetText; }

  // --- scale, origin, panning ------------------------------------------
  // Scale width and height from the drawing area's size in twips at the
  // current zoom: W / 59 / zoom and H / -59 / zoom.
  void SetDrawingScale(double widthTwips, double heightTwips);
  // Scale left and top from the scroll values: (5h - 450) / zoom and
  // (550 - 4v) / zoom, with 200 - h in 16-bit and the product in 32-bit integers.
  void SetViewOrigin();
  // Moves the window so that the world point (x, y) becomes the origin and
  // returns the scroll values that match the new window (rounded with halves
  // to even, kept within 0..200). The caller sets the scroll bars to them; a
  // changed value runs the scroll handling (SetViewOrigin), which snaps the pan.
  ScrollValues PanByClick(double x, double y);
  // "X=" + left + ".Y=" + (top + height): the lower-left corner of the window,
  // the sum taken in single precision.
  std::string StatusText() const;

  // --- drawing --------------------------------------------------------
  // Clears the surface, draws the origin cross, then for every piece in use
  // loads the contour file, places the piece and draws it with its offset path.
  // The table ends holding the last piece drawn.
  void Redraw(Surface& surface, ElementTable& table, const PieceLayout& layout, const std::string& contourPath);

  // Draws the contour in the table (cyan) and, for a non-zero offset, its offset
  // path (light green, computed in place in the table); updates the label text.
  void DrawPiece(ElementTable& table);
  // Draws rows 1..RowCount as chains; Code 88 separates chains, Code 99 ends.
  void DrawContour(ElementTable& table);
  // Draws the arc whose centre is row r, from row r - 1 to row r + 1, in steps
  // of atan(1 / P1) x 50 degrees (positive P1: counter-clockwise); a start equal
  // to the end gives a full circle. The chord to the end point is left to the
  // caller. At most kMaxArcSteps + 1 segments, whatever the numbers.
  void DrawArc(const ElementTable& table, int r);
  // kind 'S' starts a chain at (x, y) and restarts the perimeter; kind 'L'
  // draws a segment to (x, y) in the pen colour and adds its length.
  void PenTo(char kind, double x, double y);
  // Plots the point (x, y) and makes it the current point; the perimeter and
  // the pen colour stay.
  void MarkVertex(double x, double y);

  // --- printed sheet ----------------------------------------------------
  // Prints the drawing on one landscape sheet at a true scale of ZoomFactor with
  // the title block, then restores the printer's settings. The screen surface
  // is redrawn as well. Returns what the printer reports at the end of the
  // document (false: the output failed).
  bool PrintSheet(Surface& surface, Printer& printer, ElementTable& table, const PieceLayout& layout,
                  const std::string& contourPath, const std::string& dateText);
  // The sheet's window at the current scroll values and zoom.
  ViewWindow SheetWindow() const;
  // Title, perimeter (2 decimals) and date at fixed places on the paper.
  void PrintTitleBlock(Printer& printer, const std::string& dateText);

 private:
  void Plot(double x, double y);
  // LoadTable for piece k of one redraw: the file is read for the first piece;
  // the later pieces get the same rows 1..N + 1 and row variables again.
  void LoadPiece(ElementTable& table, const std::string& contourPath, int k);

  MessageBox& m_box;
  double m_zoomFactor = 1.0;
  ScrollValues m_scroll{kStartHScroll, kStartVScroll};
  ViewWindow m_window;
  ViewWindow m_sheet;
  std::string m_offsetText = "0";
  double m_offsetAmount = 0;
  int m_penColour = 0;
  double m_perimeter = 0;
  std::string m_perimeterLabel;
  double m_prevX = 0, m_prevY = 0;         // the last point passed to PenTo
  double m_surfaceX = 0, m_surfaceY = 0;   // current point of the surface
  double m_printerX = 0, m_printerY = 0;   // current point of the printer
  bool m_printing = false;
  Surface* m_surface = nullptr;
  Printer* m_printer = nullptr;
  std::unique_ptr<ElementTable> m_loaded;  // the table as the file loaded it
  bool m_loadedOk = false;
};

}  // namespace vx
