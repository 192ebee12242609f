// The XML reader of zipped workbook parts: one pass over the text, every
// read checked against its end.
#include "platform/xml_walk.h"

#include <algorithm>
#include <cstdint>
#include <new>
#include <vector>

namespace vx {

namespace {

void AppendCodePoint(uint32_t cp, std::string& out) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | cp >> 6);
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | cp >> 12);
    out += static_cast<char>(0x80 | (cp >> 6 & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | cp >> 18);
    out += static_cast<char>(0x80 | (cp >> 12 & 0x3F));
    out += static_cast<char>(0x80 | (cp >> 6 & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// Characters that end a name.
bool EndsName(char c) { return IsBlank(c) || c == '/' || c == '>' || c == '=' || c == '<' || c == '"' || c == '\''; }

class Walker {
 public:
  Walker(std::string_view xml, XmlHandler& handler) : m_xml(xml), m_handler(handler) {}

  bool Walk() {
    if (m_xml.substr(0, 3) == "\xEF\xBB\xBF") m_at = 3;  // byte order mark
    while (m_at < m_xml.size()) {
      if (m_xml[m_at] == '<') {
        if (!Markup()) return false;
      } else if (!Text()) {
        return false;
      }
    }
    return m_rootSeen && m_open.empty();
  }

 private:
  bool StartsWith(std::string_view text) const { return m_xml.substr(m_at, text.size()) == text; }

  // Moves past the next occurrence of end; false when there is none.
  bool SkipPast(std::string_view end) {
    const size_t found = m_xml.find(end, m_at);
    if (found == std::string_view::npos) return false;
    m_at = found + end.size();
    return true;
  }

  void SkipBlanks() {
    while (m_at < m_xml.size() && IsBlank(m_xml[m_at])) ++m_at;
  }

  bool Name(XmlElement& name) {
    const size_t start = m_at;
    while (m_at < m_xml.size() && !EndsName(m_xml[m_at])) ++m_at;
    if (m_at == start) return false;
    const std::string_view whole = m_xml.substr(start, m_at - start);
    const size_t colon = whole.find(':');
    name = colon == std::string_view::npos ? XmlElement{{}, whole}
                                           : XmlElement{whole.substr(0, colon), whole.substr(colon + 1)};
    return true;
  }

  // Text up to the next '<' with its references replaced; reported inside the root.
  bool Text() {
    const size_t end = std::min(m_xml.find('<', m_at), m_xml.size());
    const std::string_view raw = m_xml.substr(m_at, end - m_at);
    m_at = end;
    if (m_open.empty()) {
      for (char c : raw) {
        if (!IsBlank(c)) return false;  // text outside the root
      }
      return true;
    }
    if (!Decode(raw, m_text)) return false;
    m_handler.characters(m_text);
    return true;
  }

  bool Markup() {
    if (StartsWith("<?")) return SkipPast("?>");
    if (StartsWith("<!--")) return SkipPast("-->");
    if (StartsWith("<![CDATA[")) {
      const size_t start = m_at + 9;
      if (m_open.empty() || !SkipPast("]]>")) return false;
      m_handler.characters(m_xml.substr(start, m_at - 3 - start));
      return true;
    }
    if (StartsWith("<!")) return Doctype();
    if (StartsWith("</")) return EndTag();
    return StartTag();
  }

  // "<!DOCTYPE ...>" with an internal subset in brackets, passed over.
  bool Doctype() {
    if (m_rootSeen) return false;
    int brackets = 0;
    char quote = 0;
    for (m_at += 2; m_at < m_xml.size(); ++m_at) {
      const char c = m_xml[m_at];
      if (quote) {
        if (c == quote) quote = 0;
      } else if (c == '"' || c == '\'') {
        quote = c;
      } else if (c == '[') {
        ++brackets;
      } else if (c == ']') {
        --brackets;
      } else if (c == '>' && brackets <= 0) {
        ++m_at;
        return true;
      }
    }
    return false;
  }

  bool EndTag() {
    m_at += 2;
    const size_t nameStart = m_at;
    XmlElement name;
    if (!Name(name)) return false;
    const std::string_view written = m_xml.substr(nameStart, m_at - nameStart);
    SkipBlanks();
    if (m_at >= m_xml.size() || m_xml[m_at] != '>' || m_open.empty() || m_open.back() != written) return false;
    ++m_at;
    m_open.pop_back();
    m_handler.end_element(name);
    return true;
  }

  bool StartTag() {
    ++m_at;
    const size_t nameStart = m_at;
    XmlElement name;
    if (!Name(name)) return false;
    const std::string_view written = m_xml.substr(nameStart, m_at - nameStart);
    if (m_open.empty() && m_rootSeen) return false;  // a second root
    m_attributes.clear();
    m_values.clear();
    for (;;) {
      SkipBlanks();
      if (m_at >= m_xml.size()) return false;
      const char c = m_xml[m_at];
      if (c == '>' || (c == '/' && m_at + 1 < m_xml.size() && m_xml[m_at + 1] == '>')) {
        m_at += c == '>' ? 1 : 2;
        for (size_t i = 0; i < m_attributes.size(); ++i) {
          m_handler.attribute({m_attributes[i].ns, m_attributes[i].name, m_values[i]});
        }
        m_rootSeen = true;
        m_handler.start_element(name);
        if (c == '>') {
          if (m_open.size() >= static_cast<size_t>(kMaxXmlDepth)) return false;
          m_open.push_back(written);
        } else {
          m_handler.end_element(name);
        }
        return true;
      }
      if (!Attribute()) return false;
    }
  }

  bool Attribute() {
    XmlElement name;
    if (!Name(name)) return false;
    SkipBlanks();
    if (m_at >= m_xml.size() || m_xml[m_at] != '=') return false;
    ++m_at;
    SkipBlanks();
    if (m_at >= m_xml.size() || (m_xml[m_at] != '"' && m_xml[m_at] != '\'')) return false;
    const char quote = m_xml[m_at++];
    const size_t end = m_xml.find(quote, m_at);
    if (end == std::string_view::npos) return false;
    const std::string_view raw = m_xml.substr(m_at, end - m_at);
    m_at = end + 1;
    if (raw.find('<') != std::string_view::npos) return false;
    std::string value;
    if (!Decode(raw, value)) return false;
    m_attributes.push_back(name);
    m_values.push_back(std::move(value));
    return true;
  }

  // raw with its references replaced; false on an unknown or malformed one.
  static bool Decode(std::string_view raw, std::string& out) {
    out.clear();
    for (size_t i = 0; i < raw.size(); ++i) {
      if (raw[i] != '&') {
        out += raw[i];
        continue;
      }
      const size_t semicolon = raw.find(';', i);
      if (semicolon == std::string_view::npos || semicolon - i > 12) return false;
      const std::string_view entity = raw.substr(i + 1, semicolon - i - 1);
      i = semicolon;
      if (entity == "lt") {
        out += '<';
      } else if (entity == "gt") {
        out += '>';
      } else if (entity == "amp") {
        out += '&';
      } else if (entity == "quot") {
        out += '"';
      } else if (entity == "apos") {
        out += '\'';
      } else if (entity.size() >= 2 && entity[0] == '#') {
        const bool hex = entity[1] == 'x';
        uint32_t cp = 0;
        const std::string_view digits = entity.substr(hex ? 2 : 1);
        if (digits.empty()) return false;
        for (char d : digits) {
          const int v = d >= '0' && d <= '9' ? d - '0'
                        : hex && d >= 'a' && d <= 'f' ? d - 'a' + 10
                        : hex && d >= 'A' && d <= 'F' ? d - 'A' + 10
                                                      : -1;
          if (v < 0) return false;
          cp = cp * (hex ? 16 : 10) + static_cast<uint32_t>(v);
          if (cp > 0x10FFFF) return false;
        }
        // No character: a surrogate or zero; shown as the replacement character.
        AppendCodePoint(cp == 0 || (cp >= 0xD800 && cp <= 0xDFFF) ? 0xFFFD : cp, out);
      } else {
        return false;
      }
    }
    return true;
  }

  std::string_view m_xml;
  XmlHandler& m_handler;
  size_t m_at = 0;
  bool m_rootSeen = false;
  std::vector<std::string_view> m_open;  // elements open, as written
  std::vector<XmlElement> m_attributes;  // names of the tag being read
  std::vector<std::string> m_values;
  std::string m_text;
};

}  // namespace

bool WalkXml(std::string_view xml, XmlHandler& handler) {
  try {
    return Walker(xml, handler).Walk();
  } catch (const std::bad_alloc&) {
    throw;
  } catch (...) {
    return false;  // a handler's way of refusing what it reads
  }
}

std::string ValidUtf8(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size();) {
    const auto c = static_cast<unsigned char>(text[i]);
    const size_t length = c < 0x80 ? 1 : (c & 0xE0) == 0xC0 ? 2 : (c & 0xF0) == 0xE0 ? 3 : (c & 0xF8) == 0xF0 ? 4 : 0;
    uint32_t cp = length == 1 ? c : length == 2 ? (c & 0x1Fu) : length == 3 ? (c & 0x0Fu) : (c & 0x07u);
    bool sound = length > 0 && i + length <= text.size();
    for (size_t k = 1; sound && k < length; ++k) {
      const auto d = static_cast<unsigned char>(text[i + k]);
      sound = (d & 0xC0) == 0x80;
      cp = cp << 6 | (d & 0x3Fu);
    }
    // Overlong forms, surrogates and values past U+10FFFF are no characters.
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

void MakeTextsValidUtf8(Worksheet& sheet) {
  for (auto& row : sheet.rows) {
    for (SheetCell& cell : row) {
      if (!cell.text.empty()) cell.text = ValidUtf8(cell.text);
    }
  }
}

}  // namespace vx
