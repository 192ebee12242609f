// Which texts of the NC output screen and of the multi-piece layout a run
// cannot take: checked as typed, before START writes anything.
#pragma once

#include <string>
#include <vector>

#include "machining/nc_program.h"
#include "machining/piece_layout.h"
#include "shell/typed_field.h"

namespace vx {

// The NC output fields Text1 .. Text8 by index 0 .. 7. Every field takes a
// number or a blank text (which keeps its empty meaning: 0, no reverse
// program, G42); the output target takes only the codes 1, 2 and 3, the
// reverse-direction field 0 and 1, the compensation side 1 and 2.
inline constexpr int kNcFields = 8;
FieldProblem CheckNcField(int index, const std::string& text);

struct NcFieldIssue {
  int field;  // 0 .. 7
  FieldProblem problem;
};
// Every field START cannot take, in screen order.
std::vector<NcFieldIssue> CheckNcSettings(const NcSettings& settings);

// The four boxes of a piece row. Shifts and angle take a number or a blank
// text; the mirror code 0 (none), 1 (X), 2 (Y) or a blank text.
enum class PieceField { kSftX, kSftY, kKAngle, kMirX };
FieldProblem CheckPieceField(PieceField field, const std::string& text);

struct PieceFieldIssue {
  int piece;  // 0 .. 9
  PieceField field;
  FieldProblem problem;
};
// Every box of the ten rows that a drawing or a program cannot take, row by
// row in the order X shift, Y shift, angle, mirror (rows not in use as well:
// their texts are marked on the screen all the same).
std::vector<PieceFieldIssue> CheckPieceLayout(const PieceLayout& layout);

}  // namespace vx
