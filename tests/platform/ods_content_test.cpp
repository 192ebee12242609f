// The first sheet of an OpenDocument content.xml, from inline XML.
#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "platform/ods_content.h"
#include "platform/sheet_dump.h"

namespace vx {
namespace {

// content.xml with the given first table rows, and a second table that must not be read.
std::string Content(const std::string& rows) {
  return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>"
         "<office:document-content xmlns:office=\"urn:oasis:names:tc:opendocument:xmlns:office:1.0\" "
         "xmlns:table=\"urn:oasis:names:tc:opendocument:xmlns:table:1.0\" "
         "xmlns:text=\"urn:oasis:names:tc:opendocument:xmlns:text:1.0\" "
         "xmlns:calcext=\"urn:org:documentfoundation:names:experimental:calc:xmlns:calcext:1.0\" "
         "xmlns:draw=\"urn:oasis:names:tc:opendocument:xmlns:drawing:1.0\">"
         "<office:body><office:spreadsheet><table:table table:name=\"DATAIN\">"
         "<table:table-column table:number-columns-repeated=\"9\"/>" +
         rows +
         "</table:table><table:table table:name=\"Other\"><table:table-row>"
         "<table:table-cell office:value-type=\"float\" office:value=\"999\"/></table:table-row></table:table>"
         "</office:spreadsheet></office:body></office:document-content>";
}

std::string Float(const char* value) {
  return std::string("<table:table-cell office:value-type=\"float\" office:value=\"") + value + "\"/>";
}

struct OdsCase {
  const char* name;
  std::string rows;
  const char* cells;  // DumpSheet of the result
};
void PrintTo(const OdsCase& c, std::ostream* os) { *os << c.name; }

class OdsContent : public ::testing::TestWithParam<OdsCase> {};

TEST_P(OdsContent, Cells) {
  const std::optional<Worksheet> sheet = ReadOdsContent(Content(GetParam().rows), 9);
  ASSERT_TRUE(sheet);
  EXPECT_EQ(test::DumpSheet(*sheet), GetParam().cells);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, OdsContent,
    ::testing::Values(
        // A merge covers cells that keep their places (and what they hold);
        // the cells after it stay in their columns.
        OdsCase{"MergedCellsKeepTheirPlaces",
                "<table:table-row><table:table-cell table:number-columns-spanned=\"2\" office:value-type=\"string\">"
                "<text:p>merged</text:p></table:table-cell>"
                "<table:covered-table-cell office:value-type=\"float\" office:value=\"7\"><text:p>7</text:p>"
                "</table:covered-table-cell>" +
                    Float("0.25") + Float("8") +
                    "</table:table-row>"
                    "<table:table-row><table:covered-table-cell table:number-columns-repeated=\"3\"/>" +
                    Float("8") + "</table:table-row>",
                "A1 text merged\nB1 number 7\nC1 number 0.25\nD1 number 8\nD2 number 8\n"},
        OdsCase{"RepeatedRowsAndCells",
                "<table:table-row table:number-rows-repeated=\"2\"><table:table-cell/>"
                "<table:table-cell office:value-type=\"float\" office:value=\"1.5\" "
                "table:number-columns-repeated=\"2\"/></table:table-row>"
                "<table:table-row table:number-rows-repeated=\"3\"><table:table-cell "
                "table:number-columns-repeated=\"9\"/></table:table-row><table:table-row>" +
                    Float("4") + "</table:table-row>",
                "B1 number 1.5\nC1 number 1.5\nB2 number 1.5\nC2 number 1.5\nA6 number 4\n"},
        OdsCase{"PercentCurrencyAndNumbers",
                "<table:table-row><table:table-cell office:value-type=\"percentage\" office:value=\"0.5\">"
                "<text:p>50%</text:p></table:table-cell><table:table-cell office:value-type=\"currency\" "
                "office:currency=\"JPY\" office:value=\"1234.5\"><text:p>￥1,234.50</text:p></table:table-cell>"
                "<table:table-cell office:value-type=\"float\" office:value=\"-2.5E-3\"/>"
                "<table:table-cell office:value-type=\"float\" office:value=\"abc\"><text:p>abc</text:p>"
                "</table:table-cell></table:table-row>",
                "A1 number 0.5\nB1 number 1234.5\nC1 number -0.0025\nD1 text abc\n"},
        OdsCase{"DatesTimesBooleans",
                "<table:table-row><table:table-cell office:value-type=\"date\" office:date-value=\"2024-01-31\"/>"
                "<table:table-cell office:value-type=\"date\" office:date-value=\"2024-01-31T12:30:59.6\"/>"
                "<table:table-cell office:value-type=\"time\" office:time-value=\"PT36H30M00S\"/>"
                "<table:table-cell office:value-type=\"boolean\" office:boolean-value=\"true\"/>"
                "<table:table-cell office:value-type=\"boolean\" office:boolean-value=\"false\"/>"
                "<table:table-cell office:value-type=\"date\" office:date-value=\"31.1.2024\">"
                "<text:p>31.1.2024</text:p></table:table-cell></table:table-row>",
                "A1 text 2024-01-31\nB1 text 2024-01-31 12:31:00\nC1 text 12:30:00\nD1 number 1\nE1 number 0\n"
                "F1 text 31.1.2024\n"},
        // Blanks are stored as text:s elements; a comment is no content of its cell.
        OdsCase{"TextWithBlanksParagraphsAndComments",
                "<table:table-row><table:table-cell office:value-type=\"string\"><text:p><text:s text:c=\"2\"/>"
                "12.5<text:s/>mm</text:p></table:table-cell><table:table-cell office:value-type=\"string\">"
                "<office:annotation><text:p>note 99</text:p></office:annotation><text:p>a<text:span>b</text:span>"
                "<text:tab/>c</text:p><text:p>d</text:p></table:table-cell>"
                "<table:table-cell office:value-type=\"float\" office:value=\"3\"><office:annotation>"
                "<text:p>7</text:p></office:annotation><text:p>3</text:p></table:table-cell></table:table-row>",
                "A1 text   12.5 mm\nB1 text ab\tc\nd\nC1 number 3\n"},
        // Formula cells by their stored results; an error shown as text by
        // some producers is an error too, where a typed text is not.
        OdsCase{"FormulaResults",
                "<table:table-row>"
                "<table:table-cell table:formula=\"of:=&quot;1.5mm&quot;\" office:value-type=\"string\" "
                "office:string-value=\"1.5mm\"><text:p>1.5mm</text:p></table:table-cell>"
                "<table:table-cell table:formula=\"of:=&quot;&quot;\"><text:p/></table:table-cell>"
                "<table:table-cell table:formula=\"of:=1/0\" office:value-type=\"float\" office:value=\"0\" "
                "calcext:value-type=\"error\"><text:p>#DIV/0!</text:p></table:table-cell>"
                "<table:table-cell table:formula=\"of:=1/0\" office:value-type=\"string\" "
                "office:string-value=\"#DIV/0!\"><text:p>#DIV/0!</text:p></table:table-cell>"
                "<table:table-cell office:value-type=\"string\"><text:p>#DIV/0!</text:p></table:table-cell>"
                "<table:table-cell table:formula=\"of:=1+1\" office:value-type=\"float\"/>"
                "<table:table-cell table:formula=\"of:=SQRT(-1)\"><text:p>Err:502</text:p></table:table-cell>"
                "<table:table-cell table:formula=\"of:=1&lt;2\" office:value-type=\"boolean\" "
                "office:boolean-value=\"true\"/><table:table-cell table:formula=\"of:=2+3\" "
                "office:value-type=\"float\" office:value=\"5\"/></table:table-row>",
                "A1 text 1.5mm\nB1 text \nC1 error #DIV/0!\nD1 error #DIV/0!\nE1 text #DIV/0!\nF1 error \n"
                "G1 error Err:502\nH1 number 1\nI1 number 5\n"},
        // A character reference to a surrogate is no character.
        OdsCase{"TextsAreValidUtf8",
                "<table:table-row><table:table-cell office:value-type=\"string\"><text:p>a&#xD800;b&#x1F600;"
                "</text:p></table:table-cell></table:table-row>",
                "A1 text a\xEF\xBF\xBD" "b\xF0\x9F\x98\x80\n"},
        // Repeats far past the kept rows and columns only move the position.
        OdsCase{"HugeRepeatsAreBounded",
                "<table:table-row table:number-rows-repeated=\"1048570\"><table:table-cell "
                "table:number-columns-repeated=\"16384\"/></table:table-row>"
                "<table:table-row table:number-rows-repeated=\"99999999999999999999\">" +
                    Float("1") + "</table:table-row><table:table-row>" + Float("2") + "</table:table-row>",
                ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(OdsContentLimits, ContentInHugeRepeatsStopsAtTheLastKeptRow) {
  const auto start = std::chrono::steady_clock::now();
  const std::optional<Worksheet> sheet = ReadOdsContent(
      Content("<table:table-row table:number-rows-repeated=\"1000000000\">" + Float("8") +
              "<table:table-cell office:value-type=\"float\" office:value=\"9\" "
              "table:number-columns-repeated=\"1000000000\"/></table:table-row>"),
      9);
  ASSERT_TRUE(sheet);
  EXPECT_EQ(sheet->RowCount(), WorksheetBuilder::kMaxRows);
  EXPECT_EQ(sheet->At(WorksheetBuilder::kMaxRows - 1, 0).number, 8);
  EXPECT_EQ(sheet->At(WorksheetBuilder::kMaxRows - 1, 8).number, 9);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
}

TEST(OdsContentLimits, MalformedXmlGivesNoSheet) {
  for (const std::string& xml : {Content("<table:table-row><table:table-cell></table:table-row>"),
                                 Content("").substr(0, 300), std::string("not xml")}) {
    EXPECT_FALSE(ReadOdsContent(xml, 9)) << xml;
  }
}

}  // namespace
}  // namespace vx
