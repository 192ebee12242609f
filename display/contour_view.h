// The contour view without a window: drawing scale, view origin, panning,
// zoom, and the drawing of the contour, its offset path and the placed pieces.
#pragma once

#include <ctime>
#include <memory>
#include <string>
#include <vector>

#include "machining/piece_layout.h"
#include "platform/message_box.h"
#include "platform/printer.h"
#include "platform/surface.h"
#include "shell/element_table.h"
#include "shell/number_text.h"
#include "shell/table_file.h"

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
  bool operator==(const ScrollValues& other) const { return h == other.h && v == other.v; }
};

// Zoom factors the wheel and the fit reach (the slider stays at 10 .. 500 %):
// 10 % to 20000 %, from a sheet of several metres down to a part of a
// millimetre across the window.
inline constexpr double kMinZoomFactor = 0.1;
inline constexpr double kMaxZoomFactor = 200;
// One notch of the mouse wheel zooms by this factor.
inline constexpr double kWheelZoomStep = 1.25;

// The smallest box around the points drawn (empty until a point is added).
struct Extents {
  bool empty = true;
  double minX = 0, minY = 0, maxX = 0, maxY = 0;
  void Add(double x, double y);
};

// The length of one chain of a redraw: the piece (0 .. 9) and the chain within
// the piece (0, 1, ... in the order of the separators).
struct ChainLength {
  int piece = 0;
  int chain = 0;
  double length = 0;
};

// The two scales of the printed sheet: the drawing at 1:1, or the drawing
// scaled to fill the page; either way centred in the room below the title block.
enum class SheetScale { kTrueScale, kFitToPage };

// The printer's window for one sheet and its scale (millimetres on the paper
// per drawing unit).
struct SheetLayout {
  ViewWindow window;
  double scale = 1;
};
// The sheet for a drawing with the given extents (empty: centred on the
// origin). The paper is 281.0231 x 200.8719 mm; the drawing is centred in the
// room 10 mm from the sides and the bottom and 30 mm from the top, where the
// title block stands. Fit to page scales the drawing to fill that room
// (a drawing of no width or height by its other side; a single point at 1:1).
SheetLayout SheetFor(const Extents& extents, SheetScale mode);
// "1:1", "2.5:1", "1:4": the scale as the sheet prints it (three decimals).
std::string ScaleText(double scale);
// How the perimeter lists name chain `index`: its number within the piece
// ("2"), with the piece before it when the chains come from several pieces
// ("3-2", piece 3, chain 2).
std::string ChainName(const std::vector<ChainLength>& chains, size_t index);

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
  explicit ContourView(MessageBox& box) : m_box(&box) {}

  // --- view state -------------------------------------------------------
  double ZoomFactor() const { return m_zoomFactor; }
  // Sets ZoomFactor = slider value / 100 (the slider value as accepted).
  void SetZoomPercent(int sliderValue);
  // True while the window is where the scroll bars put it (SetViewOrigin); a
  // zoom about a point, a drag or a fit moves it freely until the next
  // SetViewOrigin.
  bool FollowsScroll() const { return m_followsScroll; }
  ScrollValues Scroll() const { return m_scroll; }
  // Scroll values clamped to 0..200; the origin is not recomputed.
  void SetScroll(ScrollValues values);
  const ViewWindow& Window() const { return m_window; }
  double Perimeter() const { return m_perimeter; }
  // The text of the perimeter label: the length of every chain of the last
  // redraw added up (TotalPerimeter), rounded to 1 decimal (halves to even).
  // With one piece of one chain that is Perimeter.
  const std::string& PerimeterLabel() const { return m_perimeterLabel; }
  // The offset text box, read by every piece drawn.
  void SetOffsetText(const std::string& text) { m_offsetText = text; }
  const std::string& OffsetText() const { return m_offsetText; }

  // --- scale, origin, panning ------------------------------------------
  // Scale width and height from the drawing area's size in twips at the
  // current zoom: W / 59 / zoom and H / -59 / zoom. The size is kept for the
  // zooms and the fit below.
  void SetDrawingScale(double widthTwips, double heightTwips);
  // A new size of the drawing area: the scale, then the origin from the scroll
  // values while the window follows them; a freely moved window keeps its
  // top-left corner.
  void Layout(double widthTwips, double heightTwips);
  // The zoom slider: while the window follows the scroll values, ZoomFactor =
  // value / 100 and the origin from the scroll values (the world origin stays
  // in its place on the screen); a freely moved window is zoomed about the
  // world origin, which stays in its place just the same.
  void ZoomToSlider(int sliderValue);
  // Zooms to zoomFactor (kept within kMinZoomFactor .. kMaxZoomFactor) so that
  // the world point (x, y) stays where it is on the screen.
  void ZoomAbout(double x, double y, double zoomFactor);
  // Moves the window by (dx, dy) world units (a drag: the drawing moves the
  // other way).
  void MoveWindow(double dx, double dy);
  // Zoom and window that show the extents of the last redraw whole, centred,
  // with a margin of 5 % on each side. False (nothing changes) when the last
  // redraw drew no piece.
  bool FitToWindow();
  // FitToWindow for a drawing not drawn yet: a redraw on no surface, its
  // messages held back, finds the extents first.
  bool FitToDrawing(ElementTable& table, const PieceLayout& layout, const std::string& contourPath);
  // The scroll values nearest to the present window (rounded with halves to
  // even, kept within 0..200): where the scroll bars stand after a free move.
  ScrollValues NearestScroll() const;
  // The world point under the pixel (px, py) of a drawing area of the given
  // size in pixels.
  std::pair<double, double> WorldAt(double px, double py, double pixelWidth, double pixelHeight) const;
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

  // What the last redraw drew: the extents of the pieces and their offset
  // paths (not the origin cross), the length of every chain of the path the
  // wire follows (the offset path when an offset is set, else the contour),
  // and how the contour file loaded.
  const Extents& DrawnExtents() const { return m_extents; }
  const std::vector<ChainLength>& Chains() const { return m_chains; }
  double TotalPerimeter() const;
  LoadStatus LastLoadStatus() const { return m_loadStatus; }
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
  // Prints the drawing on one landscape sheet, at 1:1 or fitted to the page
  // (SheetFor; the screen's zoom and scroll position do not matter), with the
  // title block, then restores the printer's settings. The screen surface is
  // redrawn as well. Returns what the printer reports at the end of the
  // document (false: the output failed).
  bool PrintSheet(Surface& surface, Printer& printer, ElementTable& table, const PieceLayout& layout,
                  const std::string& contourPath, const std::string& dateText,
                  SheetScale mode = SheetScale::kTrueScale);
  // The sheet of the last print.
  const SheetLayout& Sheet() const { return m_sheet; }
  // Title, perimeter (2 decimals; every chain added up, then each chain when
  // there are several), scale and date at fixed places on the paper.
  void PrintTitleBlock(Printer& printer, const std::string& dateText);

 private:
  void Plot(double x, double y);
  // LoadTable for piece k of one redraw: the file is read for the first piece;
  // the later pieces get the same rows 1..N + 1 and row variables again.
  void LoadPiece(ElementTable& table, const std::string& contourPath, int k);
  // Starts a chain of the piece being drawn (kept in m_passChains).
  void Track(double x, double y);

  // Redraws on no surface with the messages held back, for the extents alone.
  void MeasureExtents(ElementTable& table, const PieceLayout& layout, const std::string& contourPath);

  MessageBox* m_box;
  double m_zoomFactor = 1.0;
  ScrollValues m_scroll{kStartHScroll, kStartVScroll};
  ViewWindow m_window;
  SheetLayout m_sheet;
  bool m_followsScroll = true;
  double m_widthTwips = 0, m_heightTwips = 0;  // the drawing area's size
  Extents m_extents;
  std::vector<ChainLength> m_chains;
  std::vector<double> m_passChains;  // chains of the DrawContour pass running now
  bool m_tracking = false;           // a piece is being drawn: its points count
  int m_piece = 0;
  LoadStatus m_loadStatus = LoadStatus::kOk;
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
