// The XML reader of zipped workbook parts: what it reports, what it refuses.
#include <gtest/gtest.h>

#include <string>

#include "platform/xml_walk.h"

namespace vx {
namespace {

// Every call as one line: "<ns:name", "@ns:name=value", ">ns:name" (end), "'text".
class Transcript : public XmlHandler {
 public:
  std::string lines;
  void attribute(const XmlAttribute& a) override { lines += "@" + Name(a.ns, a.name) + "=" + std::string(a.value) + "\n"; }
  void start_element(const XmlElement& e) override { lines += "<" + Name(e.ns, e.name) + "\n"; }
  void end_element(const XmlElement& e) override { lines += ">" + Name(e.ns, e.name) + "\n"; }
  void characters(std::string_view text) override { lines += "'" + std::string(text) + "\n"; }

 private:
  static std::string Name(std::string_view ns, std::string_view name) {
    return ns.empty() ? std::string(name) : std::string(ns) + ":" + std::string(name);
  }
};

TEST(XmlWalk, ReportsElementsAttributesAndText) {
  const std::pair<std::string, const char*> cases[] = {
      {"\xEF\xBB\xBF<?xml version=\"1.0\"?>\n<!DOCTYPE a [<!ENTITY x \"y\">]><!-- c --><a/>\n", "<a\n>a\n"},
      {"<t:c t:v='1' x = \"a&lt;b&amp;&quot;&apos;&gt;\">x&#65;&#x3042;<b/>y</t:c>",
       "@t:v=1\n@x=a<b&\"'>\n<t:c\n'xA\xE3\x81\x82\n<b\n>b\n'y\n>t:c\n"},
      {"<a><![CDATA[<&>]]></a>", "<a\n'<&>\n>a\n"},
      {"<a>&#0;&#xD800;</a>", "<a\n'\xEF\xBF\xBD\xEF\xBF\xBD\n>a\n"},
      {"<a>x>y</a>", "<a\n'x>y\n>a\n"},
  };
  for (const auto& [xml, events] : cases) {
    Transcript transcript;
    EXPECT_TRUE(WalkXml(xml, transcript)) << xml;
    EXPECT_EQ(transcript.lines, events) << xml;
  }
}

TEST(XmlWalk, RefusesWhatIsNotWellFormed) {
  const std::string deep = std::string(kMaxXmlDepth + 1, 'x');
  std::string nested;
  for (char c : deep) nested += std::string("<") + c + ">";
  const std::string cases[] = {
      "",
      "   ",
      "text",
      "<a>",
      "<a></b>",
      "<a><b></a></b>",
      "<a/><b/>",
      "<a/>text",
      "<a x=\"1></a>",
      "<a x=1></a>",
      "<a x></a>",
      "<a x=\"<\"/>",
      "<a>&nbsp;</a>",
      "<a>&#x110000;</a>",
      "<a>&#xZ;</a>",
      "<a>& b</a>",
      "<a><!-- open</a>",
      "<a><![CDATA[open</a>",
      "<a><?pi open</a>",
      "<",
      "<a",
      "<a/",
      "</a>",
      "<a></a",
      "<![CDATA[x]]><a/>",
      "<a/><!DOCTYPE a>",
      nested,
  };
  for (const std::string& xml : cases) {
    Transcript transcript;
    EXPECT_FALSE(WalkXml(xml, transcript)) << xml;
  }
}

TEST(XmlWalk, AHandlerRefusesByThrowing) {
  struct Refusing : XmlHandler {
    void start_element(const XmlElement& e) override {
      if (e.name == "bad") throw 1;
    }
  } refusing;
  EXPECT_TRUE(WalkXml("<a><good/></a>", refusing));
  EXPECT_FALSE(WalkXml("<a><bad/></a>", refusing));
}

TEST(XmlWalk, ValidUtf8ReplacesWhatIsNoCharacter) {
  const std::pair<std::string, std::string> cases[] = {
      {"abc", "abc"},
      {"\xE3\x81\x82", "\xE3\x81\x82"},
      {"\xF0\x9F\x98\x80", "\xF0\x9F\x98\x80"},
      {"a\xFF" "b", "a\xEF\xBF\xBD" "b"},
      {"\xC0\xAF", "\xEF\xBF\xBD\xEF\xBF\xBD"},  // overlong
      {"\xED\xA0\x80", "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD"},  // a surrogate
      {"\xE3\x81", "\xEF\xBF\xBD\xEF\xBF\xBD"},  // cut short
  };
  for (const auto& [in, out] : cases) EXPECT_EQ(ValidUtf8(in), out) << in;
}

}  // namespace
}  // namespace vx
