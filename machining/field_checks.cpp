// Which texts of the NC output screen and of the multi-piece layout a run cannot take.
#include "machining/field_checks.h"

namespace vx {

FieldProblem CheckNcField(int index, const std::string& text) {
  switch (index) {
    case 3:
      return CheckCodeField(text, {1, 2, 3});  // file, printer, both
    case 6:
      return CheckCodeField(text, {0, 1});  // reverse-direction program: no, yes
    case 7:
      return CheckCodeField(text, {1, 2});  // G41, G42
    default:
      return CheckNumberField(text);
  }
}

std::vector<NcFieldIssue> CheckNcSettings(const NcSettings& settings) {
  const std::string* texts[kNcFields] = {&settings.programNumber, &settings.m21Offset, &settings.m23Offset,
                                         &settings.outputTarget,  &settings.speed,     &settings.wireOffset,
                                         &settings.reverse,       &settings.side};
  std::vector<NcFieldIssue> issues;
  for (int k = 0; k < kNcFields; ++k) {
    const FieldProblem problem = CheckNcField(k, *texts[k]);
    if (problem != FieldProblem::kNone) issues.push_back({k, problem});
  }
  return issues;
}

FieldProblem CheckPieceField(PieceField field, const std::string& text) {
  return field == PieceField::kMirX ? CheckCodeField(text, {0, 1, 2}) : CheckNumberField(text);
}

std::vector<PieceFieldIssue> CheckPieceLayout(const PieceLayout& layout) {
  std::vector<PieceFieldIssue> issues;
  for (int k = 0; k < PieceLayout::kPieces; ++k) {
    const PieceRow& row = layout.Row(k);
    const std::pair<PieceField, const std::string*> boxes[] = {{PieceField::kSftX, &row.sftX},
                                                               {PieceField::kSftY, &row.sftY},
                                                               {PieceField::kKAngle, &row.kAngle},
                                                               {PieceField::kMirX, &row.mirX}};
    for (const auto& [field, text] : boxes) {
      const FieldProblem problem = CheckPieceField(field, *text);
      if (problem != FieldProblem::kNone) issues.push_back({k, field, problem});
    }
  }
  return issues;
}

}  // namespace vx
