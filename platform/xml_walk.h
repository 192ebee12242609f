// Walking XML in memory with liborcus's SAX parser, checked for what that
// parser leaves unchecked.
#pragma once

#include <orcus/sax_parser.hpp>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/spreadsheet_reader.h"

namespace vx {

namespace xml_walk_detail {

// Passes the parser's calls on to the handler and keeps the open elements:
// an end tag must close the element opened last.
template <typename Handler>
class CheckedHandler : public orcus::sax_handler {
 public:
  struct Mismatch {};
  explicit CheckedHandler(Handler& handler) : m_handler(handler) {}

  void attribute(const orcus::sax::parser_attribute& attr) { m_handler.attribute(attr); }
  void start_element(const orcus::sax::parser_element& element) {
    m_open.push_back(std::string(element.ns) + ":" + std::string(element.name));
    ++m_elements;
    m_handler.start_element(element);
  }
  void end_element(const orcus::sax::parser_element& element) {
    if (m_open.empty() || m_open.back() != std::string(element.ns) + ":" + std::string(element.name)) throw Mismatch();
    m_open.pop_back();
    m_handler.end_element(element);
  }
  void characters(std::string_view value, bool transient) { m_handler.characters(value, transient); }
  // A whole document: a root element, closed.
  bool Whole() const { return m_open.empty() && m_elements > 0; }

 private:
  Handler& m_handler;
  std::vector<std::string> m_open;
  size_t m_elements = 0;
};

}  // namespace xml_walk_detail

// Walks the XML with the handler (attribute, start_element, end_element,
// characters as orcus::sax_handler has them). False when the XML is
// malformed: the parser's own faults, an end tag that does not close the
// element opened last, no root element, or the text ending inside one; and
// when the handler throws. The parser can read past the end of some
// malformed texts (an attribute value left open): callers that take XML from
// outside run it in a child process.
template <typename Handler>
bool WalkXml(std::string_view xml, Handler& handler) {
  xml_walk_detail::CheckedHandler<Handler> checked(handler);
  try {
    orcus::sax_parser<xml_walk_detail::CheckedHandler<Handler>> parser(xml.data(), xml.size(), checked);
    parser.parse();
  } catch (...) {
    return false;
  }
  return checked.Whole();
}

// The text with every byte sequence that is no UTF-8 character (a character
// reference to a surrogate decodes to one) replaced by U+FFFD.
inline std::string ValidUtf8(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size();) {
    const auto c = static_cast<unsigned char>(text[i]);
    size_t length = c < 0x80 ? 1 : (c & 0xE0) == 0xC0 ? 2 : (c & 0xF0) == 0xE0 ? 3 : (c & 0xF8) == 0xF0 ? 4 : 0;
    uint32_t cp = length == 1 ? c : length == 2 ? (c & 0x1Fu) : length == 3 ? (c & 0x0Fu) : (c & 0x07u);
    bool sound = length > 0 && i + length <= text.size();
    for (size_t k = 1; sound && k < length; ++k) {
      const auto d = static_cast<unsigned char>(text[i + k]);
      sound = (d & 0xC0) == 0x80;
      cp = cp << 6 | (d & 0x3Fu);
    }
    // Overlong forms, surrogates and values past U+10FFFF are not characters.
    sound = sound && !(length == 2 && cp < 0x80) && !(length == 3 && cp < 0x800) && !(length == 4 && cp < 0x10000) &&
            !(cp >= 0xD800 && cp <= 0xDFFF) && cp <= 0x10FFFF;
    if (sound) {
      out.append(text, i, length);
      i += length;
    } else {
      out += "\xEF\xBF\xBD";
      ++i;
    }
  }
  return out;
}

// Every text of the sheet as valid UTF-8.
inline void MakeTextsValidUtf8(Worksheet& sheet) {
  for (auto& row : sheet.rows) {
    for (SheetCell& cell : row) {
      if (!cell.text.empty()) cell.text = ValidUtf8(cell.text);
    }
  }
}

}  // namespace vx
