// The contour file as a grid of texts, and the check that a corrected grid
// still has the table-file layout before it is stored.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace vx {

using TextGrid = std::vector<std::vector<std::string>>;

// Splits table-file text into lines (CR LF or LF) and comma-separated fields,
// as a spreadsheet shows a comma-separated file: the count line is row 0.
// A final line end does not start another row.
TextGrid TableFileCells(const std::string& text);

struct ContourTableCheck {
  bool ok = false;
  std::string message;   // when not ok: what is wrong, with the grid row (1-based) and column
  std::string fileText;  // when ok: the file text to store (numbers in their stored form)
};

// True when the grid is laid out as the stages read a table file: the count
// alone on row 1, then exactly N + 1 rows of five fields (a reader takes the
// fields one after another, so a padded count line or a short row shifts every
// field after it).
bool HasTableFileLayout(const TextGrid& grid);

// A spreadsheet application saves the table as comma-separated text with the
// count line padded by empty fields and an empty last row left out. When the
// grid holds a valid count and rows 1..N but no row N + 1, adds that row empty
// and returns true; otherwise leaves the grid as it is.
bool AddDroppedLastRow(TextGrid& grid);

// Checks a corrected grid: row 1 holds the count N, a whole number 0..1999,
// and nothing else; rows 2 .. N + 2 hold at most five fields X, Y, Code, P1,
// P2, each a number or empty (blanks around a field are ignored); rows after
// them are empty. Missing fields of a row are empty values.
ContourTableCheck CheckContourTable(const TextGrid& grid);

// The count line kept in step with rows inserted into or deleted from the
// grid (grid rows 0-based, row 0 the count line). Rows 1 .. N + 1 are the
// table of a count N: a row inserted at one of them (the rows from there on
// move down) adds one to the count, each deleted one takes one away, not
// below 0. Rows after the table leave the count alone, and so does a count
// line that holds no valid count. Returns the new count text, or nothing when
// the count does not change.
std::optional<std::string> CountAfterInsert(const std::string& countText, std::size_t gridRow);
std::optional<std::string> CountAfterDelete(const std::string& countText, const std::vector<std::size_t>& gridRows);

}  // namespace vx
