// Zipped workbooks (.xlsx and .ods) from bytes: the package checks, our XML
// reader and the sheet readers give a sheet whose cells are empty, finite
// numbers or valid UTF-8, or a reason; nothing crashes, hangs or runs out of
// memory.
//
// The first byte chooses what the rest is: 0 the package itself; 1 the
// content.xml of an .ods package; 2, 3, 4 the sheet, styles or shared strings
// part of an .xlsx package (the other parts from a small template). A
// package of fuzzed bytes rarely unpacks, so modes 1 to 4 put the fuzzed XML
// in a sound package, where the XML reading is reached.
#include <zlib.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "fuzz/workbook_check.h"
#include "platform/orcus_reader.h"

namespace {

std::string Le16(unsigned v) { return {static_cast<char>(v & 0xFF), static_cast<char>(v >> 8 & 0xFF)}; }
std::string Le32(uint32_t v) { return Le16(v & 0xFFFF) + Le16(v >> 16); }

// A zip package of stored (uncompressed) entries.
std::string StoredZip(const std::vector<std::pair<std::string, std::string>>& parts) {
  std::string body, directory;
  for (const auto& [name, content] : parts) {
    const uint32_t crc = static_cast<uint32_t>(crc32(0, reinterpret_cast<const Bytef*>(content.data()),
                                                     static_cast<uInt>(content.size())));
    const uint32_t size = static_cast<uint32_t>(content.size());
    const std::string common = Le16(20) + Le16(0) + Le16(0) + Le16(0) + Le16(0) + Le32(crc) + Le32(size) + Le32(size) +
                               Le16(static_cast<unsigned>(name.size())) + Le16(0);
    directory += Le32(0x02014b50) + Le16(20) + common + Le16(0) + Le16(0) + Le16(0) + Le32(0) +
                 Le32(static_cast<uint32_t>(body.size())) + name;
    body += Le32(0x04034b50) + common + name + content;
  }
  return body + directory + Le32(0x06054b50) + Le16(0) + Le16(0) + Le16(static_cast<unsigned>(parts.size())) +
         Le16(static_cast<unsigned>(parts.size())) + Le32(static_cast<uint32_t>(directory.size())) +
         Le32(static_cast<uint32_t>(body.size())) + Le16(0);
}

const char* const kContentTypes =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?><Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
    "<Default Extension=\"xml\" ContentType=\"application/xml\"/>"
    "<Default Extension=\"rels\" ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
    "<Override PartName=\"/xl/workbook.xml\" ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml\"/>"
    "<Override PartName=\"/xl/styles.xml\" ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.styles+xml\"/>"
    "<Override PartName=\"/xl/worksheets/sheet1.xml\" ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml\"/>"
    "<Override PartName=\"/xl/sharedStrings.xml\" ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.sharedStrings+xml\"/>"
    "</Types>";
const char* const kRootRels =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?><Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
    "<Relationship Id=\"rId1\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument\" "
    "Target=\"xl/workbook.xml\"/></Relationships>";
const char* const kWorkbook =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?><workbook xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" "
    "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\"><sheets>"
    "<sheet name=\"Sheet1\" sheetId=\"1\" r:id=\"rId1\"/></sheets></workbook>";
const char* const kWorkbookRels =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?><Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
    "<Relationship Id=\"rId1\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/worksheet\" Target=\"worksheets/sheet1.xml\"/>"
    "<Relationship Id=\"rId2\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/sharedStrings\" Target=\"sharedStrings.xml\"/>"
    "<Relationship Id=\"rId3\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/styles\" Target=\"styles.xml\"/>"
    "</Relationships>";
const char* const kSheet =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?><worksheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\">"
    "<sheetData><row r=\"1\"><c r=\"A1\" t=\"s\"><v>0</v></c><c r=\"B1\" s=\"1\"><v>45322</v></c>"
    "<c r=\"C1\" t=\"b\"><f>1&lt;2</f><v>1</v></c></row></sheetData></worksheet>";
const char* const kStyles =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?><styleSheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\">"
    "<numFmts count=\"1\"><numFmt numFmtId=\"164\" formatCode=\"yyyy/mm/dd\"/></numFmts>"
    "<cellXfs count=\"2\"><xf numFmtId=\"0\"/><xf numFmtId=\"164\"/></cellXfs></styleSheet>";
const char* const kStrings =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?><sst xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" "
    "count=\"1\" uniqueCount=\"1\"><si><t>(  D  )</t></si></sst>";
const char* const kManifest =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?><manifest:manifest xmlns:manifest=\"urn:oasis:names:tc:opendocument:xmlns:manifest:1.0\">"
    "<manifest:file-entry manifest:full-path=\"/\" manifest:media-type=\"application/vnd.oasis.opendocument.spreadsheet\"/>"
    "<manifest:file-entry manifest:full-path=\"content.xml\" manifest:media-type=\"text/xml\"/></manifest:manifest>";

std::string Package(uint8_t mode, const std::string& part) {
  if (mode == 1) {
    return StoredZip({{"mimetype", "application/vnd.oasis.opendocument.spreadsheet"},
                      {"META-INF/manifest.xml", kManifest},
                      {"content.xml", part}});
  }
  return StoredZip({{"[Content_Types].xml", kContentTypes},
                    {"_rels/.rels", kRootRels},
                    {"xl/workbook.xml", kWorkbook},
                    {"xl/_rels/workbook.xml.rels", kWorkbookRels},
                    {"xl/worksheets/sheet1.xml", mode == 2 ? part : kSheet},
                    {"xl/styles.xml", mode == 3 ? part : kStyles},
                    {"xl/sharedStrings.xml", mode == 4 ? part : kStrings}});
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace vx;
  constexpr int kColumns = 9;
  if (size == 0) return 0;
  const uint8_t mode = data[0] % 5;
  const std::string rest(reinterpret_cast<const char*>(data + 1), size - 1);
  const std::string bytes = mode == 0 ? rest : Package(mode, rest);
  fuzz::CheckWorksheet(ReadZipWorkbook(bytes, kColumns), kColumns);
  return 0;
}
