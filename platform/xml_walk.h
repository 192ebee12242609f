// A small XML reader for the parts of zipped workbooks: walks a document in
// memory and reports its elements, attributes and text to a handler.
#pragma once

#include <string>
#include <string_view>

#include "platform/spreadsheet_reader.h"

namespace vx {

// A name as written, split at its first ':' ("table:table-cell": ns "table",
// name "table-cell"; "row": ns empty).
struct XmlElement {
  std::string_view ns;
  std::string_view name;
};
struct XmlAttribute {
  std::string_view ns;
  std::string_view name;
  std::string_view value;  // with its character and entity references replaced
};

// What a walk reports; each call's views are valid during the call only.
// For an element: its attributes one by one, then start_element; its
// content; then end_element (also for an empty element "<a/>").
class XmlHandler {
 public:
  virtual ~XmlHandler() = default;
  virtual void attribute(const XmlAttribute&) {}
  virtual void start_element(const XmlElement&) {}
  virtual void end_element(const XmlElement&) {}
  // Text inside the root element, references replaced (CDATA as it stands).
  virtual void characters(std::string_view) {}
};

// Walks the document with the handler. False, as soon as it is met, when the
// text is not well-formed XML as far as this reader looks: a tag, comment,
// CDATA section or processing instruction not closed, an end tag that does
// not close the element opened last, an unknown entity, no root element or
// one left open, text or a second element outside the root, or elements
// nested deeper than kMaxXmlDepth. A DOCTYPE is passed over (its entities are
// not read). Every read stays inside the text.
constexpr int kMaxXmlDepth = 256;
bool WalkXml(std::string_view xml, XmlHandler& handler);

// The text with every byte sequence that is no UTF-8 character replaced by
// U+FFFD.
std::string ValidUtf8(const std::string& text);

// Every text of the sheet as valid UTF-8.
void MakeTextsValidUtf8(Worksheet& sheet);

}  // namespace vx
