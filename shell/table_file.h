// Loading and storing the element table as a table file (CONDTA.dat, CON2TA.dat).
#pragma once

#include <string>

#include "shell/element_table.h"

namespace vx {

enum class LoadStatus {
  kOk,
  kMissing,        // the file could not be opened
  kShort,          // ended or broke before row N + 1; the rows read so far are kept
  kBadCount,       // no count line, or a count that is not a whole number in 0..1999:
                   // the table is untouched
};

// Layout: count N on line 1, then rows 1..N + 1, each "X,Y,Code,P1,P2" with an
// empty value written as nothing; lines end in CR LF.
//
// LoadTable reads the count into RowCount and rows 1..RowCount + 1 into the
// table, using CurRow as its loop variable. On a short or broken file it stops
// at the failing field and keeps what was read. A missing count line or a count
// outside 0..1999 leaves the table untouched and RowCount unchanged.
LoadStatus LoadTable(ElementTable& table, const std::string& path);

// The same reader on text in memory.
LoadStatus LoadTableText(ElementTable& table, const std::string& text);

// The file text SaveTable writes for rows 1..RowCount + 1.
std::string TableFileText(const ElementTable& table);

// Writes the table whole or not at all (temporary file in the same folder,
// renamed over the target). Returns false, and leaves any old file as it was,
// when the folder is missing, the file cannot be written or RowCount is
// outside 0..1999. CurRow is left at N + 2 either way on success.
bool SaveTable(ElementTable& table, const std::string& path);

const char* LoadStatusText(LoadStatus status);

}  // namespace vx
