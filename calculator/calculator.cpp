// Reading the calculator's input rows, choosing a solver and showing answers.
#include "calculator/calculator.h"

#include <cmath>
#include <utility>

#include "shell/number_text.h"
#include "shell/typed_field.h"

namespace vx {
namespace {

// Places of the answer point shown by ShowAnswerPoint.
constexpr int kPointPlaces = 4;

// Fills one internal row from a grid row. Codes are compared as text: " 8" or
// "08" is no code, and the row keeps its cleared kind 0 (a point).
void ReadRow(const CalcGridRow& text, CalcRow& row) {
  row.InX = NumericValue(text.inpX);
  row.InY = NumericValue(text.inpY);
  const std::string& code = text.inpD;
  if (code == "8") {
    row.InKind = 0;
    row.InMain = 0;
    row.InAux = 0;
  } else if (code == "1" || code == "2") {
    row.InKind = code == "1" ? 1 : 2;
    row.InMain = NumericValue(text.inpA);
    row.InAux = 0;  // a plain line has no shift, whatever B holds
  } else if (code == "3") {
    row.InKind = 3;
    row.InMain = NumericValue(text.inpA);
    row.InAux = NumericValue(text.inpB);
  } else if (code == "5") {
    row.InKind = 5;
    row.InMain = 0;
    row.InAux = NumericValue(text.inpC);
  } else if (code == "0") {
    row.InKind = 8;
    row.InMain = NumericValue(text.inpR);
    row.InAux = NumericValue(text.inpS);
  }
}

// Kinds are small whole numbers stored as doubles; compared exactly.
bool Is(double kind, double code) { return kind == code; }
bool IsLine13(double kind) { return kind == 1 || kind == 3; }

}  // namespace

std::string NonNumberMessage(const CalcField& field) {
  return std::to_string(field.row + 1) + "行目の" + std::string(1, field.column) + "が数値でない";
}

std::optional<CalcField> FindNonNumberField(const CalcGrid& grid, bool threeRows) {
  for (int r = 0; r < (threeRows ? 3 : 2); ++r) {
    const CalcGridRow& row = grid[static_cast<size_t>(r)];
    const std::string& code = row.inpD;
    std::string columns = "XY";  // a point, and a row of no known code read as one
    if (code == "1" || code == "2") columns = "XYA";
    if (code == "3") columns = "XYAB";
    if (code == "0") columns = "XYRS";
    if (code == "5") columns = "C";
    for (char column : columns) {
      const std::string* text = nullptr;
      switch (column) {
        case 'X': text = &row.inpX; break;
        case 'Y': text = &row.inpY; break;
        case 'A': text = &row.inpA; break;
        case 'B': text = &row.inpB; break;
        case 'C': text = &row.inpC; break;
        case 'R': text = &row.inpR; break;
        default: text = &row.inpS; break;
      }
      if (CheckNumberField(*text) != FieldProblem::kNone) return CalcField{r, column};
    }
  }
  return std::nullopt;
}

void Calculator::Calculate() {
  ClearAnswers();
  m_notFinite = false;
  HoldAnswer = 0;
  nonNumberField.reset();
  if (ReadInputs()) {
    // Read as its leading number, "abc" would be a 0 that no message explains.
    nonNumberField = FindNonNumberField(grid, TwoRowMode == 0);
    if (nonNumberField) {
      answers.ansRem = NonNumberMessage(*nonNumberField);
    } else {
      SolveDispatch();
    }
  }
  HoldAnswer = 0;
  if (m_notFinite) {
    answers = CalcAnswers{};
    answers.ansRem = kMsgNotFinite;
  }
}

void Calculator::Clear() {
  for (CalcGridRow& row : grid) row = CalcGridRow{};
  grid[2].inpD = "99";
  ClearAnswers();
  nonNumberField.reset();  // the box it named holds "0.000" or nothing now
}

void Calculator::ClearAnswers() {
  for (int r = 1; r <= 3; ++r) in[r] = CalcRow{};
  TwoRowMode = 1;
  answers = CalcAnswers{};
}

bool Calculator::ReadInputs() {
  for (int r = 0; r < 3; ++r) ReadRow(grid[r], in[r + 1]);
  const std::string& third = grid[2].inpD;
  if (third.empty()) {
    TwoRowMode = 1;
    return true;
  }
  // The third code is read as a complete number: 0 <= v < 10 makes a third
  // element row ("5", "8"); "99" keeps two rows. A text that is no number
  // cannot be sorted either way and is reported.
  if (!IsNumericText(third)) {
    answers.ansRem = kMsgThirdCodeNotNumber;
    return false;
  }
  const double v = NumericValue(third);
  if (v >= 0 && v < 10) TwoRowMode = 0;
  return true;
}

void Calculator::SwapRows(int a, int b) { std::swap(in[a], in[b]); }

void Calculator::SolveDispatch() {
  const double k1 = in[1].InKind, k2 = in[2].InKind, k3 = in[3].InKind;
  if (TwoRowMode == 1) {
    if (Is(k1, 0) && Is(k2, 0)) {
      PointAngleSolve();
    } else if ((Is(k1, 8) && Is(k2, 8)) || (Is(k1, 8) && Is(k2, 0)) || (Is(k1, 0) && Is(k2, 8))) {
      TangentAngleSolve();
    } else if (IsLine13(k1) && (Is(k2, 2) || Is(k2, 3))) {
      LineLineSolve(1);
    } else if (Is(k1, 8) && Is(k2, 3)) {
      SwapRows(1, 2);
      LineCircleSolve();
    } else if (IsLine13(k1) && Is(k2, 8)) {
      LineCircleSolve();
    } else {
      answers.ansRem = kMsgWrongOrder;
    }
    return;
  }
  if (Is(k2, 5)) {
    if (Is(k1, 8)) {
      TwoCircleSolve();
      return;
    }
    if (IsLine13(k1) && Is(k3, 8)) {
      LineCircleTangentCircle();
      return;
    }
    if (Is(k1, 0) && Is(k3, 8)) {
      PointCircleTangentCircle();
      return;
    }
  }
  if (Is(k1, 0) || Is(k2, 0)) {
    ThreePointCircle();
  } else {
    ThreeLineCircle();
  }
}

void Calculator::ShowAnswerPoint(double x, double y) {
  if (HoldAnswer == 1) return;
  SetNumber(answers.ansX, RoundHalfEven(x, kPointPlaces));
  SetNumber(answers.ansY, RoundHalfEven(y, kPointPlaces));
}

void Calculator::SetNumber(std::string& label, double value) {
  if (!std::isfinite(value)) {
    m_notFinite = true;
    return;
  }
  // A rounded negative zero is shown as 0.
  label = ShortestText(value == 0 ? 0.0 : value);
}

}  // namespace vx
