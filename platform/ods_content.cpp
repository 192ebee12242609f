// OpenDocument content.xml: the first table's cells, walked with our XML
// reader, every position counted through repeats and merges.
#include "platform/ods_content.h"

#include "platform/number_formats.h"
#include "platform/xml_walk.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

namespace vx {

namespace {

constexpr long long kMaxBlankRun = 1000;     // blanks one text:s element may stand for
constexpr long long kFarPosition = 1LL << 50;  // positions saturate here: far past any kept cell

// A repeat count attribute: at least 1.
long long RepeatCount(std::string_view value) {
  long long count = 0;
  for (char c : value) {
    if (c < '0' || c > '9') return 1;
    count = count * 10 + (c - '0');
    if (count > kFarPosition) return kFarPosition;
  }
  return count < 1 ? 1 : count;
}

long long Advance(long long position, long long count) { return std::min(position + count, kFarPosition); }

// Error results as producers show them: LibreOffice's "Err:502" and the
// seven classic errors; loosely (any "#...") where a result has no type.
bool IsErrorText(std::string_view text, bool strict) {
  static const char* const kErrors[] = {"#NULL!", "#DIV/0!", "#VALUE!", "#REF!", "#NAME?", "#NUM!", "#N/A"};
  for (const char* error : kErrors) {
    if (text == error) return true;
  }
  return (!strict && !text.empty() && text[0] == '#') || text.substr(0, 4) == "Err:";
}

// A decimal number filling the whole text, or nothing.
std::optional<double> WholeNumber(const std::string& text) {
  if (text.empty()) return std::nullopt;
  char* end = nullptr;
  const double value = std::strtod(text.c_str(), &end);
  if (end != text.c_str() + text.size() || !std::isfinite(value) ||
      text.find_first_of("xXnN") != std::string::npos) {  // no hexadecimal, NaN or infinity
    return std::nullopt;
  }
  return value;
}

class ContentHandler : public XmlHandler {
 public:
  explicit ContentHandler(int columnCount) : builder(columnCount), m_columns(columnCount) {}

  WorksheetBuilder builder;

  void attribute(const XmlAttribute& attr) override {
    m_attributes.emplace_back(std::string(attr.ns) + ":" + std::string(attr.name), std::string(attr.value));
  }

  void start_element(const XmlElement& element) override {
    const std::string name = std::string(element.ns) + ":" + std::string(element.name);
    if (name == "table:table") {
      ++m_tables;
    } else if (InFirstTable() && name == "table:table-row") {
      m_rowRepeat = RepeatCount(Attribute("table:number-rows-repeated"));
      m_column = 0;
      m_rowCells.clear();
    } else if (InFirstTable() && (name == "table:table-cell" || name == "table:covered-table-cell")) {
      StartCell();
    } else if (m_inCell) {
      ++m_depth;  // 1: a child of the cell
      if (m_skip > 0 || name == "office:annotation" || element.ns == "draw") {
        ++m_skip;  // a comment or a drawing anchored in the cell: not its content
      } else if (m_depth == 1 && name == "text:p") {
        if (m_paragraphs++ > 0) m_text += '\n';
        m_inParagraph = true;
      } else if (m_inParagraph && name == "text:s") {
        const long long count = RepeatCount(Attribute("text:c"));  // a run of blanks as one element
        m_text.append(static_cast<size_t>(std::min(count, kMaxBlankRun)), ' ');
      } else if (m_inParagraph && name == "text:tab") {
        m_text += '\t';
      } else if (m_inParagraph && name == "text:line-break") {
        m_text += '\n';
      }
    }
    m_attributes.clear();
  }

  void end_element(const XmlElement& element) override {
    const std::string name = std::string(element.ns) + ":" + std::string(element.name);
    if (m_inCell && m_depth > 0) {
      if (m_skip > 0) --m_skip;
      if (--m_depth == 0) m_inParagraph = false;
    } else if (name == "table:table") {
      ++m_tablesEnded;
    } else if (InFirstTable() && name == "table:table-row") {
      EndRow();
    } else if (InFirstTable() && (name == "table:table-cell" || name == "table:covered-table-cell")) {
      EndCell();
    }
  }

  void characters(std::string_view value) override {
    if (m_inParagraph && m_skip == 0) m_text += value;
  }

 private:
  bool InFirstTable() const { return m_tables == 1 && m_tablesEnded == 0; }

  std::string Attribute(const std::string& name) const {
    for (const auto& [key, value] : m_attributes) {
      if (key == name) return value;
    }
    return {};
  }
  bool HasAttribute(const std::string& name) const {
    for (const auto& attribute : m_attributes) {
      if (attribute.first == name) return true;
    }
    return false;
  }

  void StartCell() {
    m_inCell = true;
    m_skip = 0;
    m_depth = 0;
    m_inParagraph = false;
    m_columnRepeat = RepeatCount(Attribute("table:number-columns-repeated"));
    m_formula = HasAttribute("table:formula");
    m_type = Attribute("calcext:value-type");
    if (m_type.empty()) m_type = Attribute("office:value-type");
    m_value = Attribute(m_type == "date"      ? "office:date-value"
                        : m_type == "time"    ? "office:time-value"
                        : m_type == "boolean" ? "office:boolean-value"
                        : m_type == "string"  ? "office:string-value"
                                              : "office:value");
    m_hasValue = !m_value.empty();
    m_text.clear();
    m_paragraphs = 0;
  }

  // The cell as stored: its value attribute by its type; the shown text where
  // there is no value attribute (a formula without a type shows its result).
  SheetCell Value() const {
    const SheetCell shown = m_text.empty() ? SheetCell() : SheetCell::Text(m_text);
    const SheetCell missing = m_formula ? SheetCell::NoResult("") : shown;
    if (m_type == "float" || m_type == "percentage" || m_type == "currency") {
      const std::optional<double> number = WholeNumber(m_value);
      return number ? SheetCell::Number(*number) : missing;
    }
    if (m_type == "date" || m_type == "time") {
      const std::optional<std::string> text = m_type == "date" ? IsoDateText(m_value) : IsoDurationTimeText(m_value);
      return text ? SheetCell::Text(*text) : missing;
    }
    if (m_type == "boolean") {
      if (!m_hasValue) return missing;
      return SheetCell::Number(m_value == "true" || m_value == "1" ? 1 : 0);
    }
    if (m_type == "string") {
      // Some producers store an error result as its text.
      const std::string& text = m_hasValue ? m_value : m_text;
      return m_formula && IsErrorText(text, true) ? SheetCell::NoResult(text) : SheetCell::Text(text);
    }
    if (m_type == "error") return SheetCell::NoResult(m_text.empty() ? std::string("#VALUE!") : m_text);
    if (m_formula) return IsErrorText(m_text, false) ? SheetCell::NoResult(m_text) : SheetCell::Text(m_text);
    return shown;  // no value type: an empty cell, or text some producer wrote without a type
  }

  void EndCell() {
    m_inCell = false;
    const SheetCell cell = Value();
    if (!cell.IsEmpty()) {
      const long long last = std::min<long long>(Advance(m_column, m_columnRepeat), m_columns);
      for (long long column = m_column; column < last; ++column) m_rowCells.emplace_back(column, cell);
    }
    m_column = Advance(m_column, m_columnRepeat);
  }

  void EndRow() {
    if (!m_rowCells.empty()) {
      const long long last = std::min<long long>(Advance(m_row, m_rowRepeat), WorksheetBuilder::kMaxRows);
      for (long long row = m_row; row < last; ++row) {
        for (const auto& [column, cell] : m_rowCells) builder.Put(row, column, cell);
      }
    }
    m_row = Advance(m_row, m_rowRepeat);
  }

  int m_columns;
  std::vector<std::pair<std::string, std::string>> m_attributes;
  int m_tables = 0, m_tablesEnded = 0;
  long long m_row = 0, m_column = 0, m_rowRepeat = 1, m_columnRepeat = 1;
  std::vector<std::pair<long long, SheetCell>> m_rowCells;  // the cells of the row being read
  bool m_inCell = false, m_formula = false, m_hasValue = false;
  int m_depth = 0;  // elements open inside the cell
  int m_skip = 0;   // of which inside a comment or drawing
  bool m_inParagraph = false;
  std::string m_type, m_value, m_text;
  int m_paragraphs = 0;
};

}  // namespace

std::optional<Worksheet> ReadOdsContent(std::string_view contentXml, int columnCount) {
  ContentHandler handler(columnCount);
  if (!WalkXml(contentXml, handler)) return std::nullopt;
  Worksheet sheet = handler.builder.Finish();
  MakeTextsValidUtf8(sheet);
  return sheet;
}

}  // namespace vx
