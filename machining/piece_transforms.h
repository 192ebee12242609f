// Placing a piece of the multi-piece layout: shift, rotation, mirror, row reversal.
#pragma once

#include "machining/piece_layout.h"
#include "shell/element_table.h"

namespace vx {

// All transforms work in place on rows 1..RowCount, every row alike (points,
// arc centres, separators), with CurRow as loop variable.

// X += numeric value of Sft_X(k), Y += numeric value of Sft_Y(k) (empty counts as 0).
void ApplyShift(ElementTable& table, const PieceLayout& layout, int k);

// Turns the rows counter-clockwise by the numeric value of K_Angle(k) degrees
// about the origin: c = CosDeg(-a), s = SinDeg(-a), X' = cX + sY, Y' = cY - sX.
void ApplyRotation(ElementTable& table, const PieceLayout& layout, int k);

enum class MirrorAxis { kX = 1, kY = 2 };

// Negates X (kX) or Y (kY) of every row, then ReverseRows.
void ApplyMirror(ElementTable& table, MirrorAxis axis);

// Exchanges all five columns of row i and row RowCount - i + 1 for
// i = 1 while i <= RowCount / 2 (real division); an odd middle row stays.
void ReverseRows(ElementTable& table);

// Steps 3 to 5 of placing piece k on a freshly loaded contour: shift when
// Sft_X(k) is not empty, rotation when K_Angle(k) is not empty, mirror when
// Mir_X(k) reads 1 or 2 (a text that is not a number is no mirror).
void PlacePiece(ElementTable& table, const PieceLayout& layout, int k);

}  // namespace vx
