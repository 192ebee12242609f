// The property checks fuzz targets share: a failed check stops the run with a
// message, which libFuzzer and the replay program both report as a finding.
#pragma once

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "shell/table_file.h"

namespace vx::fuzz {

[[noreturn]] inline void Fail(const char* what) {
  std::fprintf(stderr, "fuzz property failed: %s\n", what);
  std::abort();
}

inline void Check(bool condition, const char* what) {
  if (!condition) Fail(what);
}

// True when the text holds no "nan" or "inf" written by a number formatter.
inline bool HasNoNonFinite(const std::string& text) {
  for (size_t i = 0; i + 3 <= text.size(); ++i) {
    const char a = static_cast<char>(text[i] | 0x20), b = static_cast<char>(text[i + 1] | 0x20),
               c = static_cast<char>(text[i + 2] | 0x20);
    if ((a == 'n' && b == 'a' && c == 'n') || (a == 'i' && b == 'n' && c == 'f')) return false;
  }
  return true;
}

// A table a stage wrote: no NaN or infinity in its file text, which loads
// back with the same count and reads back equal.
inline void CheckTableReadsBack(const ElementTable& table) {
  const std::string written = TableFileText(table);
  Check(HasNoNonFinite(written), "no NaN or infinity is written");
  ElementTable again;
  Check(LoadTableText(again, written) == LoadStatus::kOk, "the written table loads");
  Check(again.RowCount == table.RowCount, "the count reads back");
  Check(TableFileText(again) == written, "the table reads back equal");
}

}  // namespace vx::fuzz
