// Checks of the texts an operator types into the number fields of a screen.
#pragma once

#include <initializer_list>
#include <string>

namespace vx {

enum class FieldProblem {
  kNone,       // blank, or a number the field takes
  kNotNumber,  // something other than one decimal number
  kNotInList,  // a number, but not one of the field's codes
};

// True when the text holds nothing but blanks: the field keeps its empty
// meaning (0 for a number, "not in use" for a layout row, ...).
bool IsBlankText(const std::string& text);

// kNone for a blank text or one decimal number (blanks anywhere are ignored, as
// the numeric value of a text ignores them: " 1 2.5" is 12.5); kNotNumber for
// anything else, also for a number too large to hold ("1e999"), "O.1" (a letter
// O) or "12abc", whose leading number alone would be taken.
FieldProblem CheckNumberField(const std::string& text);

// As CheckNumberField, and a number must equal one of codes (kNotInList
// otherwise): "2" and " 2.0" are the code 2.
FieldProblem CheckCodeField(const std::string& text, std::initializer_list<double> codes);

}  // namespace vx
