// The IGES writer: parameter texts of the contour's segments in fixed 80-column records.
#include "exchange/iges_writer.h"

#include <cstdio>

#include "shell/contour_codes.h"
#include "shell/number_text.h"

namespace vx {
namespace {

constexpr size_t kDataColumns = 72;   // S, G and D data columns
constexpr size_t kParamColumns = 64;  // P data columns

std::string Padded(std::string text, size_t width) {
  text.resize(width, ' ');
  return text;
}

// One 80-column record: data, section letter in column 73, sequence 74-80.
std::string Record(const std::string& data, char section, int sequence) {
  char tail[16];
  std::snprintf(tail, sizeof tail, "%c%07d", section, sequence);
  return Padded(data, kDataColumns) + tail + "\r\n";
}

std::string Field8(const std::string& text) {
  return std::string(text.size() < 8 ? 8 - text.size() : 0, ' ') + text;
}
std::string Field8(int value) { return Field8(std::to_string(value)); }

std::string Hollerith(const std::string& text) { return std::to_string(text.size()) + "H" + text; }

std::string n(double value) { return SignBlankText(value); }

std::string LineText(const ElementTable& t, int i) {
  return "110," + n(t.X[i - 1]) + "," + n(t.Y[i - 1]) + ",0," + n(t.X[i]) + "," + n(t.Y[i]) + ",0;";
}

std::string ArcText(const ElementTable& t, int i) {
  int s = i - 1, e = i + 1;
  if (static_cast<double>(t.P1[i]) < 0) SwapValues(s, e);
  return "100,0.0," + n(t.X[i]) + "," + n(t.Y[i]) + "," + n(t.X[s]) + "," + n(t.Y[s]) + "," + n(t.X[e]) + "," +
         n(t.Y[e]) + ";";
}

// Pieces of at most `width` columns, broken before a "," where possible.
std::vector<std::string> Split(const std::string& text, size_t width) {
  std::vector<std::string> pieces;
  size_t start = 0;
  while (text.size() - start > width) {
    size_t cut = text.rfind(',', start + width);
    if (cut == std::string::npos || cut <= start) cut = start + width;
    pieces.push_back(text.substr(start, cut - start));
    start = cut;
  }
  pieces.push_back(text.substr(start));
  return pieces;
}

// IGES text is ASCII: a byte outside printable ASCII (a Japanese file name,
// say) becomes "_", so every record stays 80 characters of plain text.
std::string AsciiOnly(const std::string& text) {
  std::string out = text;
  for (char& c : out) {
    const unsigned char u = static_cast<unsigned char>(c);
    if (u < 0x20 || u > 0x7e) c = '_';
  }
  return out;
}

std::string GlobalText(const std::string& fileName, const std::string& timestamp) {
  const std::string date = Hollerith(timestamp);
  return "1H,,1H;," + Hollerith("Vexline") + "," + Hollerith(AsciiOnly(fileName)) + "," + Hollerith("Vexline") + "," +
         Hollerith("Vexline IGES writer") + ",32,38,6,308,15," + Hollerith("Vexline") +
         ",1.0,2,2HMM,1,0.0," + date + ",1.0E-4,10000.0,,,11,0," + date + ";";
}

}  // namespace

std::vector<std::string> IgesParameterTexts(const ElementTable& table) {
  std::vector<std::string> texts;
  bool afterPoint = false;
  for (int i = 1; i <= table.RowCount; ++i) {
    // Deliberately exact: Code 88 alone marks a separator, whatever its P1
    // holds; it is neither a point nor an arc centre, and a new chain starts
    // after it (no segment into or out of it).
    if (static_cast<double>(table.Code[i]) == kSeparatorCode) {
      afterPoint = false;
      continue;
    }
    const bool pointRow = static_cast<double>(table.P1[i]) == 0;
    if (pointRow && afterPoint) texts.push_back(LineText(table, i));
    if (!pointRow && afterPoint) texts.push_back(ArcText(table, i));
    afterPoint = pointRow;
  }
  return texts;
}

std::string IgesExportText(const ElementTable& table, const std::string& fileName, const std::string& timestamp) {
  const std::vector<std::string> texts = IgesParameterTexts(table);
  std::string out;
  out += Record("Vexline contour", 'S', 1);
  int g = 0;
  for (const std::string& piece : Split(GlobalText(fileName, timestamp), kDataColumns)) out += Record(piece, 'G', ++g);
  std::string directory, parameters;
  int p = 0;
  for (size_t k = 0; k < texts.size(); ++k) {
    const int entry = static_cast<int>(2 * k + 1);
    const std::string type = texts[k].substr(0, 3);
    const std::vector<std::string> pieces = Split(texts[k], kParamColumns);
    const int first = p + 1;
    for (const std::string& piece : pieces) {
      parameters += Record(Padded(piece, kParamColumns) + Field8(entry), 'P', ++p);
    }
    // Entity type, parameter pointer, structure, line font pattern 1, level,
    // view, matrix, label display, status; then type, weight, colour,
    // parameter line count, form, two reserved, label, subscript.
    directory += Record(Field8(type) + Field8(first) + Field8(0) + Field8(1) + Field8(0) + Field8(0) + Field8(0) +
                            Field8(0) + "00000000",
                        'D', entry);
    directory += Record(Field8(type) + Field8(0) + Field8(0) + Field8(static_cast<int>(pieces.size())) + Field8(0) +
                            Field8("") + Field8("") + Field8("") + Field8(0),
                        'D', entry + 1);
  }
  out += directory + parameters;
  char terminate[64];
  std::snprintf(terminate, sizeof terminate, "S%07dG%07dD%07dP%07d", 1, g, static_cast<int>(2 * texts.size()), p);
  out += Record(terminate, 'T', 1);
  return out;
}

}  // namespace vx
