// The BIFF5/BIFF8 workbook stream into the cells of its first worksheet.
#include "platform/xls_workbook.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <map>
#include <vector>

#include "platform/biff_records.h"
#include "platform/number_formats.h"

namespace vx {

namespace {

constexpr uint16_t kSheetTypeWorksheet = 0;  // BOUNDSHEET's sheet type byte
constexpr uint16_t kTableOp = 0x0236;        // may stand between FORMULA and STRING
constexpr uint16_t kFormulaSpecial = 0xFFFF;  // bytes 6-7 of a result that is not a number
constexpr size_t kMaxNesting = 64;           // substreams inside a worksheet (embedded charts)

struct BoundSheet {
  uint32_t offset = 0;
  uint8_t type = 0;
};

class XlsDecoder {
 public:
  XlsDecoder(std::string_view stream, int columnCount) : m_stream(stream), m_builder(columnCount) {}

  XlsSheet Decode();

 private:
  XlsStatus Globals();
  XlsStatus ReadWorksheet(uint32_t offset);
  bool Cell(const BiffRecord& record, BiffTokenizer& records);
  bool Formula(BiffCursor& cursor, uint16_t row, uint16_t column, uint16_t xf, BiffTokenizer& records);
  bool ReadSst(BiffCursor cursor);
  bool Text(BiffCursor& cursor, int lengthBytes, std::string& text);
  SheetCell NumberCell(double value, uint16_t xf) const;

  std::string_view m_stream;
  WorksheetBuilder m_builder;
  bool m_biff8 = true;
  bool m_1904 = false;
  int m_codePage = 1252;
  std::vector<std::string> m_sst;
  std::vector<uint16_t> m_xfFormats;          // number format id of each XF record
  std::map<uint16_t, DateForm> m_formats;     // forms of the FORMAT records
  std::vector<BoundSheet> m_sheets;
};

XlsSheet XlsDecoder::Decode() {
  XlsSheet result;
  result.status = Globals();
  if (result.status != XlsStatus::kOk) return result;
  const BoundSheet* first = nullptr;
  for (const BoundSheet& sheet : m_sheets) {
    if (sheet.type == kSheetTypeWorksheet) {
      first = &sheet;
      break;
    }
  }
  if (!first) {
    result.status = XlsStatus::kNoWorksheet;
    return result;
  }
  result.status = ReadWorksheet(first->offset);
  if (result.status == XlsStatus::kOk) result.sheet = m_builder.Finish();
  return result;
}

bool XlsDecoder::Text(BiffCursor& cursor, int lengthBytes, std::string& text) {
  return m_biff8 ? cursor.UnicodeString(lengthBytes, text) : cursor.ByteString(lengthBytes, m_codePage, text);
}

XlsStatus XlsDecoder::Globals() {
  BiffTokenizer records(m_stream);
  BiffRecord record;
  if (!records.Next(record)) return XlsStatus::kDamaged;
  if (record.type == biff::kBofBiff2 || record.type == biff::kBofBiff3 || record.type == biff::kBofBiff4) {
    return XlsStatus::kTooOld;
  }
  BiffCursor bof(record.data);
  uint16_t version = 0, type = 0;
  if (record.type != biff::kBof || !bof.U16(version) || !bof.U16(type)) return XlsStatus::kDamaged;
  if (type != biff::kBofGlobals) return XlsStatus::kDamaged;
  m_biff8 = version != biff::kVersionBiff5;
  while (records.Next(record)) {
    BiffCursor cursor(record.data);
    switch (record.type) {
      case biff::kEof: return XlsStatus::kOk;
      case biff::kFilePass: return XlsStatus::kEncrypted;
      case biff::kCodePage: {
        uint16_t codePage = 0;
        if (cursor.U16(codePage)) m_codePage = codePage;
        break;
      }
      case biff::kDateMode: {
        uint16_t mode = 0;
        if (cursor.U16(mode)) m_1904 = mode == 1;
        break;
      }
      case biff::kFormat: {
        uint16_t id = 0;
        std::string code;
        if (cursor.U16(id) && Text(cursor, m_biff8 ? 2 : 1, code)) m_formats[id] = ClassifyFormatCode(code);
        break;
      }
      case biff::kXf: {
        uint16_t font = 0, format = 0;
        if (cursor.U16(font) && cursor.U16(format)) m_xfFormats.push_back(format);
        break;
      }
      case biff::kBoundSheet: {
        BoundSheet sheet;
        uint8_t visibility = 0;
        if (!cursor.U32(sheet.offset) || !cursor.U8(visibility) || !cursor.U8(sheet.type)) return XlsStatus::kDamaged;
        m_sheets.push_back(sheet);
        break;
      }
      case biff::kSst: {
        BiffRecord next;
        while (records.Peek(next) && next.type == biff::kContinue) {
          records.Next(next);
          cursor.AddContinue(next.data);
        }
        if (!m_biff8 || !ReadSst(cursor)) return XlsStatus::kDamaged;
        break;
      }
      default: break;
    }
  }
  return XlsStatus::kDamaged;  // the globals end without EOF
}

bool XlsDecoder::ReadSst(BiffCursor cursor) {
  uint32_t total = 0, unique = 0;
  if (!cursor.U32(total) || !cursor.U32(unique)) return false;
  // Each string takes at least three bytes, so the data bounds the count.
  for (uint32_t i = 0; i < unique; ++i) {
    if (cursor.AtEnd()) break;  // fewer strings than announced: the ones there are kept
    std::string text;
    if (!cursor.UnicodeString(2, text)) return false;
    m_sst.push_back(std::move(text));
  }
  return true;
}

SheetCell XlsDecoder::NumberCell(double value, uint16_t xf) const {
  if (!std::isfinite(value)) return SheetCell::Text(XlsErrorText(0x24));  // #NUM!
  DateForm form = DateForm::kNone;
  if (xf < m_xfFormats.size()) {
    const uint16_t id = m_xfFormats[xf];
    const auto custom = m_formats.find(id);
    form = custom != m_formats.end() ? custom->second : BuiltInForm(id);
  }
  std::string text;
  if (form != DateForm::kNone && DateText(value, m_1904, form, text)) return SheetCell::Text(text);
  return SheetCell::Number(value);
}

XlsStatus XlsDecoder::ReadWorksheet(uint32_t offset) {
  if (offset >= m_stream.size()) return XlsStatus::kDamaged;
  BiffTokenizer records(m_stream, offset);
  BiffRecord record;
  BiffCursor bof;
  uint16_t version = 0, type = 0;
  if (!records.Next(record) || record.type != biff::kBof) return XlsStatus::kDamaged;
  bof = BiffCursor(record.data);
  if (!bof.U16(version) || !bof.U16(type) || type != biff::kBofWorksheet) return XlsStatus::kDamaged;
  size_t depth = 0;  // substreams (embedded charts) inside the worksheet
  while (records.Next(record)) {
    if (record.type == biff::kBof) {
      if (++depth > kMaxNesting) return XlsStatus::kDamaged;
      continue;
    }
    if (record.type == biff::kEof) {
      if (depth == 0) return XlsStatus::kOk;
      --depth;
      continue;
    }
    if (depth == 0 && !Cell(record, records)) return XlsStatus::kDamaged;
  }
  return XlsStatus::kDamaged;  // the worksheet ends without EOF
}

bool XlsDecoder::Cell(const BiffRecord& record, BiffTokenizer& records) {
  BiffCursor cursor(record.data);
  uint16_t row = 0, column = 0, xf = 0;
  switch (record.type) {
    case biff::kNumber: {
      double value;
      if (!cursor.U16(row) || !cursor.U16(column) || !cursor.U16(xf) || !cursor.F64(value)) return false;
      m_builder.Put(row, column, NumberCell(value, xf));
      return true;
    }
    case biff::kRk: {
      uint32_t rk;
      if (!cursor.U16(row) || !cursor.U16(column) || !cursor.U16(xf) || !cursor.U32(rk)) return false;
      m_builder.Put(row, column, NumberCell(RkValue(rk), xf));
      return true;
    }
    case biff::kMulRk: {
      if (!cursor.U16(row) || !cursor.U16(column)) return false;
      // Six bytes per cell, then the last column.
      const size_t count = record.data.size() >= 6 ? (record.data.size() - 6) / 6 : 0;
      for (size_t i = 0; i < count; ++i) {
        uint32_t rk;
        if (!cursor.U16(xf) || !cursor.U32(rk)) return false;
        m_builder.Put(row, static_cast<long long>(column) + static_cast<long long>(i), NumberCell(RkValue(rk), xf));
      }
      return true;
    }
    case biff::kLabelSst: {
      uint32_t index;
      if (!cursor.U16(row) || !cursor.U16(column) || !cursor.U16(xf) || !cursor.U32(index)) return false;
      if (index >= m_sst.size()) return false;
      m_builder.Put(row, column, SheetCell::Text(m_sst[index]));
      return true;
    }
    case biff::kLabel:
    case biff::kRString: {
      std::string text;
      if (!cursor.U16(row) || !cursor.U16(column) || !cursor.U16(xf) || !Text(cursor, 2, text)) return false;
      m_builder.Put(row, column, SheetCell::Text(std::move(text)));
      return true;
    }
    case biff::kBoolErr: {
      uint8_t value, isError;
      if (!cursor.U16(row) || !cursor.U16(column) || !cursor.U16(xf) || !cursor.U8(value) || !cursor.U8(isError)) {
        return false;
      }
      m_builder.Put(row, column, isError ? SheetCell::Text(XlsErrorText(value)) : SheetCell::Number(value ? 1 : 0));
      return true;
    }
    case biff::kFormula:
      if (!cursor.U16(row) || !cursor.U16(column) || !cursor.U16(xf)) return false;
      return Formula(cursor, row, column, xf, records);
    case biff::kBlank:
    case biff::kMulBlank:
    default: return true;  // formatting only, or nothing a cell needs
  }
}

bool XlsDecoder::Formula(BiffCursor& cursor, uint16_t row, uint16_t column, uint16_t xf, BiffTokenizer& records) {
  unsigned char result[8];
  for (unsigned char& b : result) {
    uint8_t value;
    if (!cursor.U8(value)) return false;
    b = value;
  }
  const uint16_t marker = static_cast<uint16_t>(result[6] | result[7] << 8);
  if (marker != kFormulaSpecial) {
    uint64_t bits = 0;
    for (int i = 7; i >= 0; --i) bits = bits << 8 | result[i];
    double value;
    static_assert(sizeof value == sizeof bits, "IEEE double");
    std::memcpy(&value, &bits, sizeof value);
    m_builder.Put(row, column, std::isfinite(value) ? NumberCell(value, xf) : SheetCell::NoResult(XlsErrorText(0x24)));
    return true;
  }
  switch (result[0]) {
    case 0: {  // text: in the STRING record after it (shared and array formulas may come between)
      BiffRecord next;
      while (records.Peek(next) &&
             (next.type == biff::kSharedFormula || next.type == biff::kArray || next.type == kTableOp)) {
        records.Next(next);
      }
      if (!records.Peek(next) || next.type != biff::kString) {
        m_builder.Put(row, column, SheetCell::NoResult(""));
        return true;
      }
      records.Next(next);
      BiffCursor text(next.data);
      BiffRecord more;
      while (records.Peek(more) && more.type == biff::kContinue) {
        records.Next(more);
        text.AddContinue(more.data);
      }
      std::string value;
      if (!Text(text, 2, value)) return false;
      m_builder.Put(row, column, SheetCell::Text(std::move(value)));
      return true;
    }
    case 1: m_builder.Put(row, column, SheetCell::Number(result[2] ? 1 : 0)); return true;
    case 2: m_builder.Put(row, column, SheetCell::NoResult(XlsErrorText(result[2]))); return true;
    case 3: m_builder.Put(row, column, SheetCell::Text("")); return true;
    default: m_builder.Put(row, column, SheetCell::NoResult("")); return true;
  }
}

}  // namespace

std::string XlsErrorText(int code) {
  switch (code) {
    case 0x00: return "#NULL!";
    case 0x07: return "#DIV/0!";
    case 0x0F: return "#VALUE!";
    case 0x17: return "#REF!";
    case 0x1D: return "#NAME?";
    case 0x24: return "#NUM!";
    case 0x2A: return "#N/A";
    default: return "#ERR" + std::to_string(code) + "!";
  }
}

XlsSheet DecodeXlsWorkbook(std::string_view stream, int columnCount) {
  return XlsDecoder(stream, columnCount).Decode();
}

}  // namespace vx
