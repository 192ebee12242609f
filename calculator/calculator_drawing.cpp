// The calculator's drawing area: its view rules and the drawing of input and answer.
#include "calculator/calculator_drawing.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "calculator/line_math.h"
#include "shell/degree.h"
#include "shell/number_text.h"

namespace vx {
namespace {

// One drawing unit is 59 twips at 100 %.
constexpr double kTwipsPerUnit = 59;
// Clipping box of a drawn input line and the vertical extent of vertical lines.
constexpr double kLineReach = 500;
constexpr double kVerticalBottom = -250;
constexpr double kVerticalTop = 800;
constexpr double kAxisHalf = 10;       // half length of the origin cross
constexpr double kPointCircle = 1;     // radius of the circle marking an input point
constexpr double kAnswerMarkHalf = 1;  // half side of the answer point's square

bool Finite(double a, double b) { return std::isfinite(a) && std::isfinite(b); }

// The pen of the drawing: "S" plots a dot in black and starts there, "L" draws
// from the current point in the pen colour.
class CalcPen {
 public:
  explicit CalcPen(Surface& surface) : m_surface(surface) {}
  void SetColour(int index) { m_colour = index; }
  void Start(double x, double y) {
    m_surface.SetColour(kCalcAxesColour);
    m_surface.Point(x, y);
    m_x = x;
    m_y = y;
  }
  void LineTo(double x, double y) {
    m_surface.SetColour(m_colour);
    Segment(m_x, m_y, x, y);
    m_x = x;
    m_y = y;
  }
  // A line that does not move the pen; skipped when an end is not finite.
  void Segment(double x1, double y1, double x2, double y2) {
    m_surface.SetColour(m_colour);
    if (Finite(x1, y1) && Finite(x2, y2)) m_surface.Line(x1, y1, x2, y2);
  }
  void Circle(double x, double y, double r) {
    m_surface.SetColour(m_colour);
    if (Finite(x, y) && std::isfinite(r)) m_surface.Circle(x, y, r);
  }
  void Box(double x, double y, double half) {
    Segment(x - half, y - half, x + half, y - half);
    Segment(x + half, y - half, x + half, y + half);
    Segment(x + half, y + half, x - half, y + half);
    Segment(x - half, y + half, x - half, y - half);
  }

 private:
  Surface& m_surface;
  int m_colour = kCalcAxesColour;
  double m_x = 0, m_y = 0;
};

// True when the text, blanks removed, starts with a number (the code field of
// a drawn row: "8", " 8", "08" and "8x" are all 8; "" and "x" are no code).
bool HasLeadingNumber(const std::string& text) {
  std::string s;
  for (char c : text) {
    if (c != ' ' && c != '\t') s += c;
  }
  size_t i = 0;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
  if (i < s.size() && s[i] == '.') ++i;
  return i < s.size() && std::isdigit(static_cast<unsigned char>(s[i]));
}

// The input line of a code 1, 2 or 3 row, B used for all three codes.
void DrawInputLine(CalcPen& pen, const CalcGridRow& row) {
  const double a = NumericValue(row.inpA);
  const double b = NumericValue(row.inpB);
  if (IsVertical(a)) {
    if (!IsNumericText(row.inpX) || !IsNumericText(row.inpA)) return;
    const double x = VerticalLineX(NumericValue(row.inpX), a, b);
    pen.Segment(x, kVerticalBottom, x, kVerticalTop);
    return;
  }
  const auto [m, k] = LineSlope(NumericValue(row.inpX), NumericValue(row.inpY), a, b);
  // Each end at x = +-500, pulled in to y = +500 (first end) or y = -500
  // (second end) where the line leaves the box there.
  double x1 = kLineReach, y1 = m * kLineReach + k;
  if (std::abs(y1) > kLineReach) {
    y1 = kLineReach;
    x1 = (kLineReach - k) / m;
  }
  double x2 = -kLineReach, y2 = -kLineReach * m + k;
  if (std::abs(y2) > kLineReach) {
    y2 = -kLineReach;
    x2 = (-kLineReach - k) / m;
  }
  pen.Segment(x1, y1, x2, y2);
}

void DrawInputRow(CalcPen& pen, const CalcGridRow& row) {
  if (!HasLeadingNumber(row.inpD)) return;  // empty: end row
  const double code = NumericValue(row.inpD);
  const bool pointOrCircle = code == 8 || code == 0;
  if (pointOrCircle && (!IsNumericText(row.inpX) || !IsNumericText(row.inpY))) return;
  if (code == 8) {
    pen.Circle(NumericValue(row.inpX), NumericValue(row.inpY), kPointCircle);
  } else if (code == 1 || code == 2 || code == 3) {
    DrawInputLine(pen, row);
  } else if (code == 0) {
    pen.Circle(NumericValue(row.inpX), NumericValue(row.inpY), std::abs(NumericValue(row.inpR)));
  }
}

void DrawAnswers(CalcPen& pen, const CalcAnswers& answers) {
  const double x = NumericValue(answers.ansX);
  const double y = NumericValue(answers.ansY);
  if (!answers.ansR.empty()) {
    const double r = std::abs(NumericValue(answers.ansR));
    if (r == 0) {
      pen.Box(x, y, kAnswerMarkHalf);
    } else {
      pen.Circle(x, y, r);
    }
  }
  if (!answers.ansA.empty()) {
    const double a = NumericValue(answers.ansA);
    if (IsVertical(a)) {
      pen.Segment(x, kVerticalBottom, x, kVerticalTop);
    } else {
      const double m = TanDeg(a);
      const double k = y - m * x;
      pen.Segment(-kLineReach, -kLineReach * m + k, kLineReach, kLineReach * m + k);
    }
  }
  if (!answers.ansX.empty()) pen.Box(x, y, kAnswerMarkHalf);
}

}  // namespace

CalcScale CalcViewScale(const CalcView& view) {
  const double zoom = view.ZoomFactor();
  CalcScale scale{};
  scale.width = view.pictureWidthTwips / kTwipsPerUnit / zoom;
  scale.height = -view.pictureHeightTwips / kTwipsPerUnit / zoom;
  // Whole-number arithmetic, as the scroll steps are: 20 units across, 16 down.
  const long h = view.hScroll, v = view.vScroll;
  const long max = CalcView::kScrollMax;
  scale.left = static_cast<double>((max - h) * (-1000) / max + 550);
  scale.top = static_cast<double>((max - v) * 800 / max - 250);
  return scale;
}

std::string CalcStatusText(const CalcView& view) {
  const CalcScale scale = CalcViewScale(view);
  // The surface holds its window in single precision, and the sum of two single
  // values is single as well.
  const float bottom = static_cast<float>(scale.top) + static_cast<float>(scale.height);
  return "X=" + SingleText(scale.left) + ".Y=" + SingleText(bottom);
}

void CalcRedraw(Surface& surface, const CalcView& view, const CalcGrid& grid, const CalcAnswers& answers) {
  const CalcScale scale = CalcViewScale(view);
  surface.SetScale(scale.left, scale.top, scale.width, scale.height);
  surface.Clear();
  CalcPen pen(surface);
  pen.SetColour(kCalcAxesColour);
  pen.Start(-kAxisHalf, 0);
  pen.LineTo(kAxisHalf, 0);
  pen.Start(0, -kAxisHalf);
  pen.LineTo(0, kAxisHalf);
  pen.SetColour(kCalcInputColour);
  for (const CalcGridRow& row : grid) DrawInputRow(pen, row);
  pen.SetColour(kCalcAnswerColour);
  DrawAnswers(pen, answers);
}

}  // namespace vx
