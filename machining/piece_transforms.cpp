// Placing a piece of the multi-piece layout: shift, rotation, mirror, row reversal.
#include "machining/piece_transforms.h"

#include "shell/degree.h"
#include "shell/number_text.h"

namespace vx {

void ApplyShift(ElementTable& table, const PieceLayout& layout, int k) {
  const double dx = NumericValue(layout.Row(k).sftX);
  const double dy = NumericValue(layout.Row(k).sftY);
  for (table.CurRow = 1; table.CurRow <= table.RowCount; ++table.CurRow) {
    const int r = table.CurRow;
    table.X[r] = table.X[r] + dx;
    table.Y[r] = table.Y[r] + dy;
  }
}

void ApplyRotation(ElementTable& table, const PieceLayout& layout, int k) {
  const double a = NumericValue(layout.Row(k).kAngle);
  const double c = CosDeg(-a);
  const double s = SinDeg(-a);
  for (table.CurRow = 1; table.CurRow <= table.RowCount; ++table.CurRow) {
    const int r = table.CurRow;
    const double x = table.X[r];
    const double y = table.Y[r];
    table.X[r] = c * x + s * y;
    table.Y[r] = c * y - s * x;
  }
}

void ApplyMirror(ElementTable& table, MirrorAxis axis) {
  for (table.CurRow = 1; table.CurRow <= table.RowCount; ++table.CurRow) {
    const int r = table.CurRow;
    if (axis == MirrorAxis::kX) {
      table.X[r] = -table.X[r];
    } else {
      table.Y[r] = -table.Y[r];
    }
  }
  ReverseRows(table);
}

void ReverseRows(ElementTable& table) {
  for (int i = 1; i <= table.RowCount / 2.0; ++i) {
    const int j = table.RowCount - i + 1;
    SwapValues(table.X[i], table.X[j]);
    SwapValues(table.Y[i], table.Y[j]);
    SwapValues(table.Code[i], table.Code[j]);
    SwapValues(table.P1[i], table.P1[j]);
    SwapValues(table.P2[i], table.P2[j]);
  }
}

void PlacePiece(ElementTable& table, const PieceLayout& layout, int k) {
  const PieceRow& row = layout.Row(k);
  if (!row.sftX.empty()) ApplyShift(table, layout, k);
  if (!row.kAngle.empty()) ApplyRotation(table, layout, k);
  // The mirror code is compared as a number only when the text is one.
  if (IsNumericText(row.mirX)) {
    const double code = NumericValue(row.mirX);
    if (code == 1) ApplyMirror(table, MirrorAxis::kX);
    if (code == 2) ApplyMirror(table, MirrorAxis::kY);
  }
}

}  // namespace vx
