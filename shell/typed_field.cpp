// Checks of the texts an operator types into the number fields of a screen.
#include "shell/typed_field.h"

#include <cmath>
#include <cstdlib>

#include "shell/number_text.h"

namespace vx {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

std::string WithoutBlanks(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (!IsBlank(c)) out += c;
  }
  return out;
}

}  // namespace

bool IsBlankText(const std::string& text) { return WithoutBlanks(text).empty(); }

FieldProblem CheckNumberField(const std::string& text) {
  std::string s = WithoutBlanks(text);
  if (s.empty()) return FieldProblem::kNone;
  if (!IsNumericText(s)) return FieldProblem::kNotNumber;
  // The exponent letter D of the numeric value is E to strtod.
  for (char& c : s) {
    if (c == 'd' || c == 'D') c = 'e';
  }
  return std::isfinite(std::strtod(s.c_str(), nullptr)) ? FieldProblem::kNone : FieldProblem::kNotNumber;
}

FieldProblem CheckCodeField(const std::string& text, std::initializer_list<double> codes) {
  const FieldProblem problem = CheckNumberField(text);
  if (problem != FieldProblem::kNone || IsBlankText(text)) return problem;
  const double value = NumericValue(text);
  for (double code : codes) {
    if (value == code) return FieldProblem::kNone;  // exact: typed codes are small whole numbers
  }
  return FieldProblem::kNotInList;
}

}  // namespace vx
