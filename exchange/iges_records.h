// The lowest layer of the IGES reader: 80-column records, and the parameters of a
// record's text (Hollerith strings, numbers, the delimiters the global section declares).
#pragma once

#include <string>
#include <vector>

namespace vx {

// One 80-column record: the data columns 1-72, blank-padded (for a P record
// columns 65-72 hold the directory pointer), and the section letter of
// column 73 (S, G, D, P or T).
struct IgesRecord {
  char section = ' ';
  std::string data;  // exactly 72 characters
};

// The records of a file, by section, in file order. Records after the T
// record are never read.
struct IgesRecords {
  std::vector<IgesRecord> start, global, directory, parameter;
  bool terminated = false;  // a T record was met
  bool compressed = false;  // the compressed form (C in column 73 of the first record)
  bool binary = false;      // the binary form (a first byte "B")
};

// Splits file text into records. Lines may end in CR LF, LF or CR; a line
// longer than 80 characters holds a record in each of its 80-column pieces
// (a file written without line ends is one such line). A line or piece
// without a section letter in column 73 (blank, short, a trailing rest) is
// passed over.
IgesRecords SplitIgesRecords(const std::string& text);

// One parameter: its text with the surrounding blanks removed, or the
// characters of a Hollerith string (nH...).
struct IgesToken {
  std::string text;
  bool isString = false;
};

// The parameters of one record's text, up to its record delimiter (text after
// it, such as a comment, is not read). A record that runs to the end of the
// text without its delimiter ends there. Fails only on a Hollerith count that
// runs past the end of the text or is not a number of characters.
// cutStrings: every counted string ends at the first delimiter among its
// characters (a second reading of a global section whose counts are wrong).
struct IgesTokens {
  bool ok = true;
  std::vector<IgesToken> tokens;
};
IgesTokens TokenizeIgesParameters(const std::string& text, char parameterDelimiter, char recordDelimiter,
                                  bool cutStrings = false);

// The two delimiters of the global section and the text after them. The
// first two global parameters declare them as 1Hx or leave them empty
// (defaults "," and ";"). ok is false when those two parameters are malformed.
struct IgesDelimiters {
  bool ok = true;
  char parameter = ',';
  char record = ';';
  std::string rest;  // the global text from the third parameter on
};
IgesDelimiters ReadIgesDelimiters(const std::string& globalText);

// A real parameter: sign, digits with an optional point, an optional exponent
// in E or D; blanks around it allowed. An empty text gives the default.
// False for anything else, and for a value beyond the range of a double.
bool IgesReal(const IgesToken& token, double defaultValue, double& value);

// A whole-number parameter (an integer text, or a real text with no fraction)
// within +-kIgesMaxInteger; an empty text gives the default.
constexpr long kIgesMaxInteger = 1000000000;
bool IgesInteger(const IgesToken& token, long defaultValue, long& value);

}  // namespace vx
