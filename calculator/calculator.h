// The geometry calculator: input grid, internal rows, dispatch and solvers.
#pragma once

#include <array>
#include <optional>
#include <string>

namespace vx {

// Texts of one input grid row, in grid order X, Y, D, A, B, C, R, S.
struct CalcGridRow {
  std::string inpX = "0.000", inpY = "0.000";
  std::string inpD, inpA, inpB, inpC, inpR, inpS;
};

// The three rows of the input grid (index 0, 1, 2) as typed.
using CalcGrid = std::array<CalcGridRow, 3>;

// The five answer labels, exactly as shown (empty or a number text or a message).
struct CalcAnswers {
  std::string ansX, ansY, ansA, ansR, ansRem;
};

// One internal row. Kinds follow the element file: 0 point, 1 line leaving the
// point, 2 line entering it, 3 parallel line, 5 value row, 8 circle, 99 end.
struct CalcRow {
  double InX = 0, InY = 0, InKind = 0, InMain = 0, InAux = 0;
};

// Messages the calculator writes into ansRem.
inline constexpr const char* kMsgWrongOrder = "入力順違いで計算出来ない";
inline constexpr const char* kMsgNoLineCrossing = "交点が求められませんでした。";
inline constexpr const char* kMsgLineMissesCircle = "交点無し??";
inline constexpr const char* kMsgCirclesApart = "交点無し?";
inline constexpr const char* kMsgNoSolutionAngle = "交点無し!!";
inline constexpr const char* kMsgChordsHorizontal = "求められませんでした。!!";
inline constexpr const char* kMsgCollinear = "求められない";
// Constructions without a defined answer.
inline constexpr const char* kMsgSameCentre = "中心が同じで計算出来ない";
inline constexpr const char* kMsgZeroRadius = "半径0で計算出来ない";
inline constexpr const char* kMsgNoTangent = "接線が引けない";
inline constexpr const char* kMsgThirdLineVertical = "3行目が垂直線で計算出来ない";
inline constexpr const char* kMsgThirdCodeNotNumber = "3行目のDが数値でない";
inline constexpr const char* kMsgNotFinite = "計算出来ない";

// A field of the input grid: its row (0 .. 2) and its column letter X, Y, A,
// B, C, R or S.
struct CalcField {
  int row = 0;
  char column = 'X';
};
// The message for a field that holds no number: "2行目のAが数値でない".
std::string NonNumberMessage(const CalcField& field);
// The first field, row by row in grid order, that the problem reads as a
// number but that holds text that is neither blank nor one number (a blank
// field counts as 0). Rows 0 and 1 always take part, row 2 in three-row mode.
// A row reads X and Y (a row of no known code is a point), a line also A,
// a parallel line A and B, a circle R and S; a value row reads C alone.
std::optional<CalcField> FindNonNumberField(const CalcGrid& grid, bool threeRows);

// Result of one two-line solve: the corner when found, and the slope m and
// intercept k of both lines (of a vertical line they are left at 0).
struct LineLineResult {
  bool found = false;
  double x = 0, y = 0;
  double m1 = 0, k1 = 0, m2 = 0, k2 = 0;
};

// The calculator's own values: it never touches the element table or a file.
class Calculator {
 public:
  CalcGrid grid;
  CalcAnswers answers;
  std::array<CalcRow, 4> in;  // rows 1..3; index 0 unused
  int TwoRowMode = 1;         // 1 when the third row is not an element
  int HoldAnswer = 0;         // 1: ShowAnswerPoint writes nothing
  int FirstVertical = 0;      // set by every two-line solve

  // The calculate button: ClearAnswers, ReadInputs, SolveDispatch. A label that
  // would show a value that is not finite is never written: all answers are
  // emptied and ansRem says kMsgNotFinite instead. A field the problem reads
  // that holds no number stops before the solvers with NonNumberMessage in
  // ansRem (and the field in nonNumberField).
  void Calculate();
  std::optional<CalcField> nonNumberField;
  // The clear button: X and Y "0.000", other fields empty, row 2 code "99",
  // answers empty.
  void Clear();

  void ClearAnswers();
  // Fills rows 1..3 from the grid and sets TwoRowMode. Returns false (with
  // kMsgThirdCodeNotNumber in ansRem) when the third row's code is neither
  // empty nor a number.
  bool ReadInputs();
  void SolveDispatch();
  // Unless HoldAnswer is 1: ansX and ansY = x and y rounded to 4 places.
  void ShowAnswerPoint(double x, double y);

  // Angle and intersection solvers.
  void PointAngleSolve();
  void TangentAngleSolve();
  LineLineResult LineLineSolve(int firstRow = 1);
  void LineCircleSolve();
  void TwoCircleSolve();

  // Tangent-circle solvers.
  void PointCircleTangentCircle();
  void TangentLineTangentCircle();
  void LineCircleTangentCircle();
  void ThreePointCircle();
  void ThreeLineCircle();

 private:
  void SetNumber(std::string& label, double value);
  void SwapRows(int a, int b);
  bool m_notFinite = false;
};

// Direction angle in degrees of the vector (dx, dy) of length d > 0, by the
// arcsine of dy / d with the quadrant corrected for dx < 0 (dx = 0 counts as
// non-negative): (1, 0) -> 0, (0, 1) -> 90, (-1, 0) -> 180, (-1, -1) -> -135.
double DirectionAngle(double dx, double dy, double d);

// AsinDeg with the arguments exactly 1 and -1 answered as 90 and -90.
double AsinDegEnds(double sine);

}  // namespace vx
