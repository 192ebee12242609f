// DXF text as a stream of (group code, value) pairs, every read bounds-checked.
#pragma once

#include <cstddef>
#include <string_view>

namespace vx {

// One pair: the group code (an integer whatever its blanks: "0", "  0",
// " 10 ") and its value line with blanks and tabs trimmed at both ends. The
// value views the text handed to the tokenizer, which must outlive it.
struct DxfPair {
  int code = 0;
  std::string_view value;
  size_t line = 0;  // line number of the code line, from 1
};

enum class DxfTokenStatus {
  kPair,         // a pair was read
  kEnd,          // the text ends where a code line would begin
  kBadCode,      // a code line that is not an integer group code
  kMissingValue  // the text ends after a code line
};

// Reads pairs one after the other. Lines end in CR LF, LF or CR alone (mixed
// endings are fine); a UTF-8 byte order mark at the start is passed over, and
// so are comments (group 999). Blank lines at the very end are the end.
class DxfTokenizer {
 public:
  explicit DxfTokenizer(std::string_view text);

  DxfTokenStatus Next(DxfPair& pair);
  // The pair is handed out again by the next call of Next.
  void PushBack(const DxfPair& pair);
  // Line number of the last code line read (or where reading stopped).
  size_t Line() const { return m_line; }

 private:
  bool TakeLine(std::string_view& line);
  bool OnlyBlanksLeft() const;

  std::string_view m_text;
  size_t m_pos = 0;
  size_t m_line = 0;
  DxfPair m_pushed;
  bool m_hasPushed = false;
};

// True for the sentinel that opens a binary DXF file.
bool IsBinaryDxf(std::string_view text);
// True for the version mark that opens a DWG drawing ("AC1015", "AC1.50", ...).
bool IsDwg(std::string_view text);

enum class DxfNumber {
  kOk,          // the number read (0 for an empty value)
  kNotANumber,  // text that is no number, or a number with text after it
  kOutOfRange   // beyond the range of a double, or of the integer asked for
};

// The number of a value line ("12.5", "-.5", "1E+03", blanks around it
// ignored; 0 when the value is empty). A value that is not wholly a number
// ("1,5" written with a decimal comma, "1.#QNAN", "abc") is refused rather
// than read as its leading digits, which would move geometry silently.
DxfNumber DxfReal(std::string_view value, double& out);

// An integer value (flags, counts) within lo..hi: the number, truncated; 0
// when the value is empty. Out of range when it lies outside lo..hi, so a
// value like 1e30 is never converted.
DxfNumber DxfInteger(std::string_view value, long lo, long hi, long& out);

}  // namespace vx
