// The first worksheet of an .xlsx package, from inline XML parts.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "platform/sheet_dump.h"
#include "platform/xlsx_content.h"

namespace vx {
namespace {

using Parts = std::map<std::string, std::string>;

const char* const kMain = "http://schemas.openxmlformats.org/spreadsheetml/2006/main";
const char* const kRelationshipType = "http://schemas.openxmlformats.org/officeDocument/2006/relationships/";

std::string Relationships(const std::vector<std::pair<std::string, std::string>>& idTypeTarget) {
  std::string xml = "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">";
  int n = 0;
  for (const auto& [type, target] : idTypeTarget) {
    xml += "<Relationship Id=\"rId" + std::to_string(++n) + "\" Type=\"" + kRelationshipType + type +
           "\" Target=\"" + target + "\"/>";
  }
  return xml + "</Relationships>";
}

// A package of one worksheet with shared strings and styles, the sheet data given.
Parts Package(const std::string& sheetData, const std::string& sheetTarget = "worksheets/sheet1.xml") {
  Parts parts;
  parts["_rels/.rels"] = Relationships({{"officeDocument", "xl/workbook.xml"}});
  parts["xl/workbook.xml"] = std::string("<workbook xmlns=\"") + kMain +
                             "\" xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\">"
                             "<sheets><sheet name=\"DATAIN\" sheetId=\"1\" r:id=\"rId1\"/></sheets></workbook>";
  parts["xl/_rels/workbook.xml.rels"] =
      Relationships({{"worksheet", sheetTarget}, {"sharedStrings", "sharedStrings.xml"}, {"styles", "styles.xml"}});
  parts["xl/sharedStrings.xml"] =
      std::string("<sst xmlns=\"") + kMain +
      "\"><si><t>(  D  )</t></si><si><r><t>12</t></r><r><t xml:space=\"preserve\">.5 mm</t></r>"
      "<rPh sb=\"0\" eb=\"1\"><t>よみ</t></rPh></si><si><t>a_x000D_b_x005F_x0041_</t></si></sst>";
  parts["xl/styles.xml"] = std::string("<styleSheet xmlns=\"") + kMain +
                           "\"><numFmts><numFmt numFmtId=\"164\" formatCode=\"yyyy/mm/dd\"/>"
                           "<numFmt numFmtId=\"165\" formatCode=\"0.00%\"/></numFmts>"
                           "<cellStyleXfs><xf numFmtId=\"14\"/></cellStyleXfs>"
                           "<cellXfs><xf numFmtId=\"0\"/><xf numFmtId=\"164\"/><xf numFmtId=\"165\"/>"
                           "<xf numFmtId=\"20\"/></cellXfs></styleSheet>";
  parts["xl/worksheets/sheet1.xml"] =
      std::string("<worksheet xmlns=\"") + kMain + "\"><sheetData>" + sheetData + "</sheetData></worksheet>";
  return parts;
}

WorksheetResult Read(const Parts& parts) {
  return ReadXlsxParts(
      [&parts](const std::string& path) {
        const auto found = parts.find(path);
        return found == parts.end() ? std::string() : found->second;
      },
      9);
}

struct XlsxCase {
  const char* name;
  Parts parts;
  const char* cells;  // DumpSheet of the result
};
void PrintTo(const XlsxCase& c, std::ostream* os) { *os << c.name; }

class XlsxContent : public ::testing::TestWithParam<XlsxCase> {};

TEST_P(XlsxContent, Cells) {
  const WorksheetResult read = Read(GetParam().parts);
  ASSERT_TRUE(read.sheet) << read.problem;
  EXPECT_EQ(test::DumpSheet(*read.sheet), GetParam().cells);
}

Parts WithPart(Parts parts, const std::string& path, const std::string& content) {
  parts[path] = content;
  return parts;
}

// The first sheet is a chart sheet: the first worksheet is read.
Parts ChartSheetFirst() {
  Parts parts = Package("<row r=\"1\"><c r=\"A1\"><v>2</v></c></row>", "/xl/worksheets/sheet1.xml");
  parts["xl/workbook.xml"] = std::string("<workbook xmlns=\"") + kMain +
                             "\" xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\">"
                             "<workbookPr date1904=\"1\"/><sheets><sheet name=\"Chart\" sheetId=\"2\" r:id=\"rId4\"/>"
                             "<sheet name=\"DATAIN\" sheetId=\"1\" r:id=\"rId1\"/></sheets></workbook>";
  parts["xl/_rels/workbook.xml.rels"] =
      Relationships({{"worksheet", "/xl/worksheets/sheet1.xml"}, {"sharedStrings", "sharedStrings.xml"},
                     {"styles", "./styles.xml"}, {"chartsheet", "chartsheets/sheet1.xml"}});
  parts["xl/worksheets/sheet1.xml"] = std::string("<worksheet xmlns=\"") + kMain +
                                      "\"><sheetData><row r=\"1\"><c r=\"A1\" s=\"1\"><v>0</v></c></row>"
                                      "</sheetData></worksheet>";
  return parts;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, XlsxContent,
    ::testing::Values(
        XlsxCase{"SharedInlineAndResultTexts",
                 Package("<row r=\"1\"><c r=\"D1\" t=\"s\"><v>0</v></c></row>"
                         "<row r=\"3\"><c r=\"B3\" t=\"s\"><v>1</v></c><c r=\"C3\" t=\"inlineStr\"><is><t>  7</t>"
                         "<rPh><t>x</t></rPh></is></c><c r=\"D3\" t=\"str\"><f>\" 2.5\"</f><v> 2.5</v></c>"
                         "<c r=\"E3\" t=\"s\"><f>\"1.5mm\"</f><v>2</v></c><c r=\"F3\" t=\"str\"><f>\"\"</f><v></v></c>"
                         "</row>"),
                 "D1 text (  D  )\nB3 text 12.5 mm\nC3 text   7\nD3 text  2.5\nE3 text a\rb_x0041_\nF3 text \n"},
        XlsxCase{"NumbersDatesBooleansErrors",
                 Package("<row r=\"2\"><c r=\"A2\"><v>15.5</v></c><c r=\"B2\" s=\"1\"><v>45322</v></c>"
                         "<c r=\"C2\" s=\"2\"><v>0.5</v></c><c r=\"D2\" s=\"3\"><v>0.5208333333333334</v></c>"
                         "<c r=\"E2\" t=\"b\"><f>1&lt;2</f><v>1</v></c><c r=\"F2\" t=\"e\"><f>1/0</f><v>#DIV/0!</v>"
                         "</c><c r=\"G2\" t=\"e\"><v>#N/A</v></c><c r=\"H2\" t=\"d\"><v>2024-01-31T00:00:00</v></c>"
                         "<c r=\"I2\" s=\"99\"><v>-1E-3</v></c></row>"),
                 "A2 number 15.5\nB2 text 2024-01-31\nC2 number 0.5\nD2 text 12:30:00\nE2 number 1\n"
                 "F2 error #DIV/0!\nG2 text #N/A\nH2 text 2024-01-31\nI2 number -0.001\n"},
        // Formulas saved without their values (as some producers write them) have no stored result.
        XlsxCase{"FormulasWithoutValues",
                 Package("<row r=\"3\"><c r=\"B3\"><f>A3*2</f></c><c r=\"C3\"><f>A3*2</f><v></v></c>"
                         "<c r=\"D3\" t=\"b\"><f>TRUE()</f></c><c r=\"E3\" s=\"1\"/><c r=\"F3\" t=\"n\"><v>3</v></c>"
                         "</row>"),
                 "B3 error \nC3 error \nD3 error \nF3 number 3\n"},
        XlsxCase{"RowsAndCellsWithoutReferences",
                 Package("<row><c><v>1</v></c><c><v>2</v></c></row><row r=\"4\"><c r=\"C4\"><v>3</v></c><c>"
                         "<v>4</v></c></row><row><c><v>5</v></c></row>"),
                 "A1 number 1\nB1 number 2\nC4 number 3\nD4 number 4\nA5 number 5\n"},
        XlsxCase{"ChartSheetFirstAbsoluteTargets1904Dates", ChartSheetFirst(), "A1 text 1904-01-01\n"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(XlsxContentProblems, DamagedOrWithoutWorksheet) {
  const char* const kDamaged = "ブックが壊れています";
  const char* const kNoWorksheet = "ブックにワークシートがありません";
  const Parts sound = Package("<row r=\"1\"><c r=\"A1\"><v>1</v></c></row>");
  const std::pair<Parts, const char*> cases[] = {
      {WithPart(sound, "xl/worksheets/sheet1.xml", "<worksheet><sheetData><row><c><v>1</v></row>"), kDamaged},
      {Package("<row r=\"1\"><c r=\"A1\" t=\"s\"><v>3</v></c></row>"), kDamaged},   // no string 3
      {Package("<row r=\"1\"><c r=\"A1\" t=\"s\"><v>-1</v></c></row>"), kDamaged},
      {WithPart(sound, "xl/sharedStrings.xml", "<sst><si><t>a</si></sst>"), kDamaged},
      {WithPart(sound, "xl/workbook.xml", ""), kDamaged},
      {WithPart(sound, "xl/worksheets/sheet1.xml", ""), kDamaged},
      {WithPart(sound, "xl/_rels/workbook.xml.rels", Relationships({{"styles", "styles.xml"}})), kNoWorksheet},
  };
  for (const auto& [parts, problem] : cases) {
    const WorksheetResult read = Read(parts);
    EXPECT_FALSE(read.sheet);
    EXPECT_EQ(read.problem, problem);
  }
}

TEST(XlsxContentPaths, RelationshipTargets) {
  const char* const cases[][3] = {
      {"xl/", "worksheets/sheet1.xml", "xl/worksheets/sheet1.xml"},
      {"xl/", "/xl/worksheets/sheet1.xml", "xl/worksheets/sheet1.xml"},
      {"xl/", "./styles.xml", "xl/styles.xml"},
      {"xl/sub/", "../sharedStrings.xml", "xl/sharedStrings.xml"},
      {"", "xl/workbook.xml", "xl/workbook.xml"},
      {"xl/", "../../../x.xml", "x.xml"},
  };
  for (const auto& c : cases) EXPECT_EQ(ResolvePartPath(c[0], c[1]), c[2]) << c[0] << c[1];
}

}  // namespace
}  // namespace vx
