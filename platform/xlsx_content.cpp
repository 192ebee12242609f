// .xlsx parts walked with our XML reader: the first worksheet's cells
// with their shared strings and the number formats that make a date.
#include "platform/xlsx_content.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <map>
#include <optional>
#include <unordered_map>
#include <utility>
#include <vector>

#include "platform/number_formats.h"
#include "platform/xml_walk.h"

namespace vx {

namespace {

constexpr long long kMaxColumn = 16384;  // the format's own limits
constexpr long long kMaxRow = 1048576;

// Thrown by a handler to end the walk as damage.
struct Malformed {};

// An absent (empty) part is read as one without content.
template <typename Handler>
bool Parse(const std::string& xml, Handler& handler) {
  return xml.empty() || WalkXml(xml, handler);
}

bool IsTrue(std::string_view value) { return value == "1" || value == "true"; }

// A decimal number filling the whole text, or nothing.
std::optional<double> WholeNumber(const std::string& text) {
  if (text.empty()) return std::nullopt;
  char* end = nullptr;
  const double value = std::strtod(text.c_str(), &end);
  if (end != text.c_str() + text.size() || !std::isfinite(value) || text.find_first_of("xXnN") != std::string::npos) {
    return std::nullopt;  // no hexadecimal, NaN or infinity
  }
  return value;
}

// A whole non-negative number, or nothing.
std::optional<size_t> Index(const std::string& text) {
  if (text.empty() || text.size() > 12) return std::nullopt;
  size_t value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + static_cast<size_t>(c - '0');
  }
  return value;
}

void AppendCodePoint(uint32_t cp, std::string& out) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | cp >> 6);
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | cp >> 12);
    out += static_cast<char>(0x80 | (cp >> 6 & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

bool IsHex(char c) { return std::isxdigit(static_cast<unsigned char>(c)) != 0; }

// Texts in .xlsx write characters XML cannot hold as "_x000D_" (and a
// literal "_x" as "_x005F_x"); the text with those read back. A lone
// surrogate becomes U+FFFD.
std::string Unescaped(const std::string& text) {
  if (text.find("_x") == std::string::npos) return text;
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '_' && i + 6 < text.size() && text[i + 1] == 'x' && IsHex(text[i + 2]) && IsHex(text[i + 3]) &&
        IsHex(text[i + 4]) && IsHex(text[i + 5]) && text[i + 6] == '_') {
      const auto cp = static_cast<uint32_t>(std::strtoul(text.substr(i + 2, 4).c_str(), nullptr, 16));
      AppendCodePoint(cp >= 0xD800 && cp <= 0xDFFF ? 0xFFFD : cp, out);
      i += 6;
    } else {
      out += text[i];
    }
  }
  return out;
}

// A1-style cell reference ("B7") as 0-based row and column.
bool ParseReference(std::string_view ref, long long& row, long long& column) {
  size_t at = 0;
  column = 0;
  row = 0;
  for (; at < ref.size() && std::isalpha(static_cast<unsigned char>(ref[at])); ++at) {
    column = column * 26 + (std::toupper(static_cast<unsigned char>(ref[at])) - 'A' + 1);
    if (column > kMaxColumn) return false;
  }
  const size_t digits = at;
  for (; at < ref.size() && std::isdigit(static_cast<unsigned char>(ref[at])); ++at) {
    row = row * 10 + (ref[at] - '0');
    if (row > kMaxRow) return false;
  }
  if (digits == 0 || at == digits || at != ref.size() || row == 0) return false;
  --row;
  --column;
  return true;
}

// Relationships of one part: id to type and target.
struct Relationship {
  std::string type, target;
};

class RelationshipsHandler : public XmlHandler {
 public:
  std::map<std::string, Relationship> byId;
  std::vector<Relationship> inOrder;
  void attribute(const XmlAttribute& attr) override {
    if (attr.name == "Id") m_id = std::string(attr.value);
    if (attr.name == "Type") m_current.type = std::string(attr.value);
    if (attr.name == "Target") m_current.target = std::string(attr.value);
  }
  void start_element(const XmlElement& element) override {
    if (element.name == "Relationship") {
      byId.emplace(m_id, m_current);
      inOrder.push_back(m_current);
    }
    m_id.clear();
    m_current = {};
  }

 private:
  std::string m_id;
  Relationship m_current;
};

bool EndsWith(const std::string& text, const char* tail) {
  const std::string t(tail);
  return text.size() >= t.size() && text.compare(text.size() - t.size(), t.size(), t) == 0;
}

// The sheets of workbook.xml in order (their relationship ids) and the date system.
class WorkbookHandler : public XmlHandler {
 public:
  std::vector<std::string> sheetIds;
  bool from1904 = false;
  void attribute(const XmlAttribute& attr) override {
    if (attr.name == "id" && !attr.ns.empty()) m_id = std::string(attr.value);
    if (attr.name == "date1904") m_1904 = IsTrue(attr.value);
  }
  void start_element(const XmlElement& element) override {
    if (element.name == "sheet") sheetIds.push_back(m_id);
    if (element.name == "workbookPr") from1904 = m_1904;
    m_id.clear();
    m_1904 = false;
  }

 private:
  std::string m_id;
  bool m_1904 = false;
};

// Each shared string: its text runs, without the phonetic readings.
class SharedStringsHandler : public XmlHandler {
 public:
  std::vector<std::string> items;
  void start_element(const XmlElement& element) override {
    if (element.name == "si") {
      m_inItem = true;
      m_text.clear();
    } else if (element.name == "rPh") {
      m_inPhonetic = true;
    } else if (m_inItem && !m_inPhonetic && element.name == "t") {
      m_inText = true;
    }
  }
  void end_element(const XmlElement& element) override {
    if (element.name == "si" && m_inItem) {
      items.push_back(Unescaped(m_text));
      m_text.clear();
      m_inItem = false;
    } else if (element.name == "rPh") {
      m_inPhonetic = false;
    } else if (element.name == "t") {
      m_inText = false;
    }
  }
  void characters(std::string_view value) override {
    if (m_inText) m_text += value;
  }

 private:
  std::string m_text;
  bool m_inItem = false, m_inPhonetic = false, m_inText = false;
};

// The number format of each cell format (cellXfs), and the codes of the
// workbook's own number formats: what tells a date cell from a number.
class StylesHandler : public XmlHandler {
 public:
  DateForm FormOf(size_t style) const {
    if (style >= m_cellFormats.size()) return DateForm::kNone;
    const size_t id = m_cellFormats[style];
    const auto custom = m_codes.find(id);
    return custom != m_codes.end() ? custom->second : BuiltInForm(static_cast<unsigned>(id));
  }
  void attribute(const XmlAttribute& attr) override {
    if (attr.name == "numFmtId") m_id = Index(std::string(attr.value)).value_or(0);
    if (attr.name == "formatCode") m_code = std::string(attr.value);
  }
  void start_element(const XmlElement& element) override {
    if (element.name == "numFmt") m_codes[m_id] = ClassifyFormatCode(m_code);
    if (element.name == "cellXfs") m_inCellFormats = true;
    if (m_inCellFormats && element.name == "xf") m_cellFormats.push_back(m_id);
    m_id = 0;
    m_code.clear();
  }
  void end_element(const XmlElement& element) override {
    if (element.name == "cellXfs") m_inCellFormats = false;
  }

 private:
  std::unordered_map<size_t, DateForm> m_codes;
  std::vector<size_t> m_cellFormats;
  bool m_inCellFormats = false;
  size_t m_id = 0;
  std::string m_code;
};

// The c elements of the worksheet: place, type, format, formula, value.
class SheetHandler : public XmlHandler {
 public:
  SheetHandler(int columnCount, const std::vector<std::string>& strings, const StylesHandler& styles, bool from1904)
      : builder(columnCount), m_strings(strings), m_styles(styles), m_1904(from1904) {}

  WorksheetBuilder builder;

  void attribute(const XmlAttribute& attr) override {
    if (attr.ns.empty()) m_attributes.emplace_back(std::string(attr.name), std::string(attr.value));
  }
  void start_element(const XmlElement& element) override {
    const std::string_view name = element.name;
    if (name == "row") {
      // A row without its number follows the one before.
      const std::optional<size_t> number = Index(Attribute("r"));
      m_row = number && *number >= 1 && *number <= static_cast<size_t>(kMaxRow) ? static_cast<long long>(*number) - 1
                                                                                 : m_row + 1;
      m_column = -1;
    } else if (name == "c") {
      StartCell();
    } else if (m_inCell && name == "f") {
      m_formula = true;
    } else if (m_inCell && name == "v") {
      m_inValue = true;
    } else if (m_inCell && name == "rPh") {
      m_inPhonetic = true;  // the reading of East Asian text, not the text
    } else if (m_inCell && !m_inPhonetic && name == "t") {
      m_inInline = true;
    }
    m_attributes.clear();
  }
  void end_element(const XmlElement& element) override {
    const std::string_view name = element.name;
    if (name == "v") {
      m_inValue = false;
    } else if (name == "t") {
      m_inInline = false;
    } else if (name == "rPh") {
      m_inPhonetic = false;
    } else if (name == "c" && m_inCell) {
      m_inCell = false;
      const SheetCell cell = Value();
      if (!cell.IsEmpty()) builder.Put(m_row, m_column, cell);
    }
  }
  void characters(std::string_view value) override {
    if (m_inValue) m_value += value;
    if (m_inInline) m_inline += value;
  }

 private:
  std::string Attribute(const char* name) const {
    for (const auto& [key, value] : m_attributes) {
      if (key == name) return value;
    }
    return {};
  }

  void StartCell() {
    // A cell without its reference follows the one before in its row.
    long long row = 0, column = 0;
    if (ParseReference(Attribute("r"), row, column)) {
      m_row = row;
      m_column = column;
    } else {
      ++m_column;
    }
    m_type = Attribute("t");
    m_style = Index(Attribute("s")).value_or(0);
    m_inCell = true;
    m_formula = false;
    m_value.clear();
    m_inline.clear();
  }

  SheetCell Value() const {
    if (m_type == "inlineStr") return SheetCell::Text(Unescaped(m_inline));
    if (m_type == "s") {
      // A shared string, also the text result of a formula as some producers store it.
      const std::optional<size_t> index = Index(m_value);
      if (!index && m_value.empty() && m_formula) return SheetCell::NoResult("");
      if (!index || *index >= m_strings.size()) throw Malformed();
      return SheetCell::Text(m_strings[*index]);
    }
    if (m_type == "str") return SheetCell::Text(Unescaped(m_value));
    if (m_type == "b") return m_value.empty() && m_formula ? SheetCell::NoResult("") : SheetCell::Number(IsTrue(m_value) ? 1 : 0);
    if (m_type == "e") {
      // An error result; typed into a cell, an error is a text like any other.
      const std::string error = m_value.empty() ? std::string("#VALUE!") : m_value;
      return m_formula ? SheetCell::NoResult(error) : SheetCell::Text(error);
    }
    if (m_type == "d") {
      const std::optional<std::string> date = IsoDateText(m_value);
      if (date) return SheetCell::Text(*date);
      return m_formula ? SheetCell::NoResult("") : SheetCell::Text(m_value);
    }
    // A number (type "n" or none).
    const std::optional<double> number = WholeNumber(m_value);
    if (!number) {
      if (m_formula) return SheetCell::NoResult("");  // saved without its value
      return m_value.empty() ? SheetCell() : SheetCell::Text(m_value);
    }
    std::string date;
    if (DateText(*number, m_1904, m_styles.FormOf(m_style), date)) return SheetCell::Text(date);
    return SheetCell::Number(*number);
  }

  const std::vector<std::string>& m_strings;
  const StylesHandler& m_styles;
  bool m_1904;
  std::vector<std::pair<std::string, std::string>> m_attributes;
  long long m_row = -1, m_column = -1;
  std::string m_type, m_value, m_inline;
  size_t m_style = 0;
  bool m_inCell = false, m_inValue = false, m_formula = false, m_inInline = false, m_inPhonetic = false;
};

// The folder of a part path, with its separator ("xl/" of "xl/workbook.xml").
std::string FolderOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

// The relationships part of a part ("xl/_rels/workbook.xml.rels").
std::string RelationshipsOf(const std::string& path) {
  return FolderOf(path) + "_rels/" + path.substr(FolderOf(path).size()) + ".rels";
}

// The target of the first relationship of a type (by the end of its type URI).
std::string TargetOfType(const RelationshipsHandler& relationships, const char* typeTail, const std::string& folder) {
  for (const Relationship& relationship : relationships.inOrder) {
    if (EndsWith(relationship.type, typeTail)) return ResolvePartPath(folder, relationship.target);
  }
  return {};
}

WorksheetResult Damaged() {
  WorksheetResult result;
  result.problem = workbook_problem::kDamaged;
  return result;
}

}  // namespace

std::string ResolvePartPath(const std::string& folder, const std::string& target) {
  const std::string whole = !target.empty() && target[0] == '/' ? target.substr(1) : folder + target;
  std::vector<std::string> segments;
  size_t start = 0;
  while (start <= whole.size()) {
    const size_t slash = std::min(whole.find('/', start), whole.size());
    const std::string segment = whole.substr(start, slash - start);
    if (segment == "..") {
      if (!segments.empty()) segments.pop_back();
    } else if (!segment.empty() && segment != ".") {
      segments.push_back(segment);
    }
    start = slash + 1;
  }
  std::string path;
  for (const std::string& segment : segments) path += (path.empty() ? "" : "/") + segment;
  return path;
}

WorksheetResult ReadXlsxParts(const PackagePart& part, int columnCount) {
  // The workbook part, named by the package's own relationships.
  RelationshipsHandler root;
  if (!Parse(part("_rels/.rels"), root)) return Damaged();
  std::string workbookPath = TargetOfType(root, "/officeDocument", "");
  if (workbookPath.empty()) workbookPath = "xl/workbook.xml";
  const std::string workbookXml = part(workbookPath);
  WorkbookHandler workbook;
  if (workbookXml.empty() || !Parse(workbookXml, workbook)) return Damaged();
  RelationshipsHandler relationships;
  if (!Parse(part(RelationshipsOf(workbookPath)), relationships)) return Damaged();
  const std::string folder = FolderOf(workbookPath);

  // The first sheet that is a worksheet (not a chart sheet).
  std::string sheetPath;
  for (const std::string& id : workbook.sheetIds) {
    const auto found = relationships.byId.find(id);
    if (found != relationships.byId.end() && EndsWith(found->second.type, "/worksheet")) {
      sheetPath = ResolvePartPath(folder, found->second.target);
      break;
    }
  }
  if (sheetPath.empty()) {
    WorksheetResult result;
    result.problem = workbook_problem::kNoWorksheet;
    return result;
  }

  SharedStringsHandler strings;
  StylesHandler styles;
  const std::string stringsPath = TargetOfType(relationships, "/sharedStrings", folder);
  const std::string stylesPath = TargetOfType(relationships, "/styles", folder);
  if ((!stringsPath.empty() && !Parse(part(stringsPath), strings)) ||
      (!stylesPath.empty() && !Parse(part(stylesPath), styles))) {
    return Damaged();
  }
  const std::string sheetXml = part(sheetPath);
  SheetHandler sheet(columnCount, strings.items, styles, workbook.from1904);
  if (sheetXml.empty() || !Parse(sheetXml, sheet)) return Damaged();
  WorksheetResult result;
  result.sheet = sheet.builder.Finish();
  MakeTextsValidUtf8(*result.sheet);
  return result;
}

}  // namespace vx
