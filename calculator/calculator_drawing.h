// The calculator's drawing area: its view rules and the drawing of input and answer.
#pragma once

#include <string>

#include "calculator/calculator.h"
#include "platform/surface.h"

namespace vx {

// Palette indexes of the drawing.
constexpr int kCalcAxesColour = 0;
constexpr int kCalcInputColour = 9;
constexpr int kCalcAnswerColour = 12;

// Scroll and zoom state of the drawing area. Scroll values run 0..50, the zoom
// slider 0..500 (percent; 0 is taken as 10).
struct CalcView {
  static constexpr int kScrollMax = 50;
  static constexpr int kStartH = 20;
  static constexpr int kStartV = 30;
  static constexpr int kZoomMax = 500;
  static constexpr int kZoomMin = 10;  // what a slider value of 0 becomes

  int hScroll = kStartH;
  int vScroll = kStartV;
  int zoomPercent = 100;
  double pictureWidthTwips = 9000;
  double pictureHeightTwips = 6000;

  double ZoomFactor() const { return zoomPercent / 100.0; }
};

// The user window of the drawing area: scale width W / 59 / zoom and height
// -H / 59 / zoom; left = 20h - 450 and top = 550 - 16v, not divided by the
// zoom, so zooming keeps the top-left corner where it is.
struct CalcScale {
  double left, top, width, height;
};
CalcScale CalcViewScale(const CalcView& view);

// Status text of a scroll change: "X=" left ".Y=" bottom, each as
// single-precision shortest text ("X=-50.Y=-31.69492").
std::string CalcStatusText(const CalcView& view);

// Clears the surface and draws the origin cross (colour 0), the three input
// rows as typed (colour 9) and the answer (colour 12). Reads the grid texts and
// answer labels only; a row whose X, Y (or the X and A of a vertical line) are
// not complete numbers is not drawn.
void CalcRedraw(Surface& surface, const CalcView& view, const CalcGrid& grid, const CalcAnswers& answers);

}  // namespace vx
