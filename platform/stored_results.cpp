// Stored formula results read from sheet XML with liborcus's SAX parser.
#include "platform/stored_results.h"

#include <orcus/sax_parser.hpp>

#include <algorithm>
#include <cctype>
#include <optional>

namespace vx {

namespace {

constexpr long long kKeptColumns = 64;
constexpr long long kMaxBlankRun = 1000;  // blanks one text:s element may stand for

// A repeat count attribute: at least 1; huge counts only move the position.
long long RepeatCount(std::string_view value) {
  long long count = 0;
  for (char c : value) {
    if (c < '0' || c > '9') return 1;
    count = count * 10 + (c - '0');
    if (count > (1LL << 40)) break;
  }
  return count < 1 ? 1 : count;
}

bool IsErrorText(std::string_view text) {
  return (!text.empty() && text[0] == '#') || text.substr(0, 4) == "Err:";
}

// Walks the first table:table of content.xml, tracking row and column through
// repeats and covered cells, and keeps the results of formula cells and the
// texts of text cells (with their runs of blanks, which the library drops).
class OdsHandler : public orcus::sax_handler {
 public:
  StoredResults results;

  void attribute(const orcus::sax::parser_attribute& attr) {
    m_attributes.emplace_back(std::string(attr.ns) + ":" + std::string(attr.name), std::string(attr.value));
  }
  void start_element(const orcus::sax::parser_element& element) {
    const std::string name = std::string(element.ns) + ":" + std::string(element.name);
    if (name == "table:table") {
      ++m_tables;
    } else if (m_tables == 1 && name == "table:table-row") {
      m_rowRepeat = RepeatCount(Attribute("table:number-rows-repeated"));
      m_column = 0;
    } else if (m_tables == 1 && (name == "table:table-cell" || name == "table:covered-table-cell")) {
      m_columnRepeat = RepeatCount(Attribute("table:number-columns-repeated"));
      m_cell.reset();
      if (!Attribute("table:formula").empty() || Attribute("office:value-type") == "string") StartFormulaCell();
    } else if (m_cell && name == "text:p") {
      if (m_paragraphs++ > 0) m_text += '\n';
    } else if (m_cell && name == "text:s") {
      // A run of blanks is stored as one element with its count.
      const long long count = RepeatCount(Attribute("text:c"));
      m_text.append(static_cast<size_t>(std::min<long long>(count, kMaxBlankRun)), ' ');
    } else if (m_cell && name == "text:tab") {
      m_text += '\t';
    } else if (m_cell && name == "text:line-break") {
      m_text += '\n';
    }
    m_attributes.clear();
  }
  void end_element(const orcus::sax::parser_element& element) {
    const std::string name = std::string(element.ns) + ":" + std::string(element.name);
    if (name == "table:table") {
      ++m_tablesEnded;
    } else if (m_tables == 1 && m_tablesEnded == 0 && name == "table:table-row") {
      m_row += m_rowRepeat;
    } else if (m_tables == 1 && m_tablesEnded == 0 &&
               (name == "table:table-cell" || name == "table:covered-table-cell")) {
      if (m_cell) EndFormulaCell();
      m_column += m_columnRepeat;
    }
  }
  void characters(std::string_view value, bool) {
    if (m_cell) m_text += value;
  }

 private:
  std::string Attribute(const std::string& name) const {
    for (const auto& [key, value] : m_attributes) {
      if (key == name) return value;
    }
    return {};
  }
  void StartFormulaCell() {
    if (m_tablesEnded > 0 || m_row >= WorksheetBuilder::kMaxRows || m_column >= kKeptColumns) return;
    std::string type = Attribute("calcext:value-type");
    if (type.empty()) type = Attribute("office:value-type");
    m_cell = type;
    m_stringValue = Attribute("office:string-value");
    m_hasStringValue = !m_stringValue.empty();
    m_boolean = Attribute("office:boolean-value");
    m_text.clear();
    m_paragraphs = 0;
  }
  void EndFormulaCell() {
    const std::string& type = *m_cell;
    std::optional<SheetCell> cell;
    if (type == "error") {
      cell = SheetCell::NoResult(m_text.empty() ? std::string("#VALUE!") : m_text);
    } else if (type == "boolean") {
      cell = SheetCell::Number(m_boolean == "true" || m_boolean == "1" ? 1 : 0);
    } else if (type == "string") {
      cell = SheetCell::Text(m_hasStringValue ? m_stringValue : m_text);
    } else if (type.empty()) {
      // No type: the result is the shown text (an empty text result is stored so).
      cell = IsErrorText(m_text) ? SheetCell::NoResult(m_text) : SheetCell::Text(m_text);
    }
    // Numbers, dates and times come through the library itself.
    if (cell) results[{m_row, m_column}] = *cell;
    m_cell.reset();
  }

  std::vector<std::pair<std::string, std::string>> m_attributes;
  int m_tables = 0, m_tablesEnded = 0;
  long long m_row = 0, m_column = 0, m_rowRepeat = 1, m_columnRepeat = 1;
  std::optional<std::string> m_cell;  // the value type of the formula cell being read
  std::string m_stringValue, m_boolean, m_text;
  bool m_hasStringValue = false;
  int m_paragraphs = 0;
};

// A1-style cell reference ("B7") as 0-based row and column.
bool ParseReference(std::string_view ref, long long& row, long long& column) {
  size_t at = 0;
  column = 0;
  row = 0;
  for (; at < ref.size() && std::isalpha(static_cast<unsigned char>(ref[at])); ++at) {
    column = column * 26 + (std::toupper(static_cast<unsigned char>(ref[at])) - 'A' + 1);
    if (column > 16384) return false;
  }
  const size_t digits = at;
  for (; at < ref.size() && std::isdigit(static_cast<unsigned char>(ref[at])); ++at) {
    row = row * 10 + (ref[at] - '0');
    if (row > 1048576) return false;
  }
  if (digits == 0 || at == digits || at != ref.size() || row == 0) return false;
  --row;
  --column;
  return true;
}

// The c elements of a worksheet part: type, formula and stored value.
class XlsxHandler : public orcus::sax_handler {
 public:
  StoredResults results;

  void attribute(const orcus::sax::parser_attribute& attr) {
    if (attr.name == "r") m_reference = std::string(attr.value);
    if (attr.name == "t") m_type = std::string(attr.value);
  }
  void start_element(const orcus::sax::parser_element& element) {
    if (element.name == "c") {
      m_inCell = ParseReference(m_reference, m_row, m_column);
      m_cellType = m_type;
      m_formula = false;
      m_value.clear();
    } else if (m_inCell && element.name == "f") {
      m_formula = true;
    } else if (m_inCell && element.name == "v") {
      m_inValue = true;
    }
    m_reference.clear();
    m_type.clear();
  }
  void end_element(const orcus::sax::parser_element& element) {
    if (element.name == "v") {
      m_inValue = false;
    } else if (element.name == "c" && m_inCell) {
      m_inCell = false;
      if (!m_formula || m_row >= WorksheetBuilder::kMaxRows || m_column >= kKeptColumns) return;
      if (m_cellType == "b") {
        results[{m_row, m_column}] = SheetCell::Number(m_value == "1" || m_value == "true" ? 1 : 0);
      } else if (m_cellType == "e") {
        results[{m_row, m_column}] = SheetCell::NoResult(m_value.empty() ? std::string("#VALUE!") : m_value);
      } else if (m_cellType == "str") {
        results[{m_row, m_column}] = SheetCell::Text(m_value);
      }
    }
  }
  void characters(std::string_view value, bool) {
    if (m_inValue) m_value += value;
  }

 private:
  std::string m_reference, m_type, m_cellType, m_value;
  bool m_inCell = false, m_inValue = false, m_formula = false;
  long long m_row = 0, m_column = 0;
};

// The first sheet's relationship id in workbook.xml, then its target in the rels part.
class FirstSheetHandler : public orcus::sax_handler {
 public:
  std::string id;
  void attribute(const orcus::sax::parser_attribute& attr) {
    if (attr.name == "id" && !attr.ns.empty()) m_id = std::string(attr.value);
  }
  void start_element(const orcus::sax::parser_element& element) {
    if (element.name == "sheet" && id.empty()) id = m_id;
    m_id.clear();
  }

 private:
  std::string m_id;
};

class RelationshipHandler : public orcus::sax_handler {
 public:
  explicit RelationshipHandler(std::string id) : m_wanted(std::move(id)) {}
  std::string target;
  void attribute(const orcus::sax::parser_attribute& attr) {
    if (attr.name == "Id") m_id = std::string(attr.value);
    if (attr.name == "Target") m_target = std::string(attr.value);
  }
  void start_element(const orcus::sax::parser_element& element) {
    if (element.name == "Relationship" && m_id == m_wanted && target.empty()) target = m_target;
    m_id.clear();
    m_target.clear();
  }

 private:
  std::string m_wanted, m_id, m_target;
};

template <typename Handler>
void Parse(std::string_view xml, Handler& handler) {
  try {
    orcus::sax_parser<Handler> parser(xml.data(), xml.size(), handler);
    parser.parse();
  } catch (...) {
    // Malformed XML: what was read before the fault stands.
  }
}

}  // namespace

StoredResults OdsStoredResults(std::string_view contentXml) {
  OdsHandler handler;
  Parse(contentXml, handler);
  return std::move(handler.results);
}

StoredResults XlsxStoredResults(std::string_view sheetXml) {
  XlsxHandler handler;
  Parse(sheetXml, handler);
  return std::move(handler.results);
}

std::string XlsxFirstSheetPart(std::string_view workbookXml, std::string_view relationshipsXml) {
  FirstSheetHandler sheets;
  Parse(workbookXml, sheets);
  if (sheets.id.empty()) return {};
  RelationshipHandler relationships(sheets.id);
  Parse(relationshipsXml, relationships);
  std::string target = relationships.target;
  if (target.empty()) return {};
  // Targets are relative to xl/, or absolute from the package root.
  return target[0] == '/' ? target.substr(1) : "xl/" + target;
}

}  // namespace vx
