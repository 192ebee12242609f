// Zipped workbooks over liborcus: the package checked first, then the
// library's import filter feeding our own factory.
#include "platform/orcus_reader.h"

#include <orcus/format_detection.hpp>
#include <orcus/orcus_ods.hpp>
#include <orcus/orcus_xlsx.hpp>
#include <orcus/spreadsheet/import_interface.hpp>
#include <zlib.h>


#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <optional>
#include <stdexcept>
#include <unordered_map>
#include <vector>

#include "platform/child_process.h"
#include "platform/number_formats.h"
#include "platform/stored_results.h"

namespace vx {

namespace {

namespace ss = orcus::spreadsheet;
namespace iface = orcus::spreadsheet::iface;

// Limits of what is handed to the library: a workbook of element rows is a
// few kilobytes; these only keep a damaged or hostile package from using up
// memory or time.
constexpr uint64_t kMaxUnpackedBytes = 100u << 20;  // all entries together
constexpr size_t kMaxEntries = 10000;
constexpr size_t kMaxCellCalls = 4000000;  // cells the library may report in all

// Thrown from the factory to stop the library when a sheet is too large.
struct TooManyCells {};

uint32_t Le32(const std::string& b, size_t at) {
  return static_cast<uint32_t>(static_cast<unsigned char>(b[at])) |
         static_cast<uint32_t>(static_cast<unsigned char>(b[at + 1])) << 8 |
         static_cast<uint32_t>(static_cast<unsigned char>(b[at + 2])) << 16 |
         static_cast<uint32_t>(static_cast<unsigned char>(b[at + 3])) << 24;
}
uint16_t Le16(const std::string& b, size_t at) {
  return static_cast<uint16_t>(static_cast<unsigned char>(b[at]) | static_cast<unsigned char>(b[at + 1]) << 8);
}

// The package unpacked by hand before the library sees it: the central
// directory is read, every entry must lie inside the file, be stored or
// deflated, unpack to exactly its stated size with its stated checksum, and
// the entries together stay under kMaxUnpackedBytes. The library's own zip
// reading hands on what it could unpack of a damaged entry and its XML parser
// then runs past the end of it (an assertion ends the program), so only
// packages that unpack cleanly are given to it. XML parts must also be UTF-8:
// a name cut inside a multi-byte character ends it the same way.
class Package {
 public:
  // False when the package is damaged; the parts that unpacked cleanly can
  // still be read (an encrypted package's manifest is plain).
  bool Unpack(const std::string& bytes);
  // The content of a part, or empty when there is no such part.
  std::string Part(const std::string& name) const {
    const auto found = m_parts.find(name);
    return found == m_parts.end() ? std::string() : found->second;
  }

 private:
  enum class EntryStatus { kOk, kBadContent, kBadDirectory };
  EntryStatus Entry(const std::string& bytes, size_t central, size_t& next, uint64_t& unpacked);
  std::map<std::string, std::string> m_parts;
};

bool IsUtf8(const std::string& text) {
  for (size_t i = 0; i < text.size();) {
    const auto c = static_cast<unsigned char>(text[i]);
    const size_t length = c < 0x80 ? 1 : (c & 0xE0) == 0xC0 ? 2 : (c & 0xF0) == 0xE0 ? 3 : (c & 0xF8) == 0xF0 ? 4 : 0;
    if (length == 0 || i + length > text.size()) return false;
    for (size_t k = 1; k < length; ++k) {
      if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return false;
    }
    i += length;
  }
  return true;
}

bool EndsWith(const std::string& text, const char* tail) {
  const size_t n = std::strlen(tail);
  return text.size() >= n && text.compare(text.size() - n, n, tail) == 0;
}

Package::EntryStatus Package::Entry(const std::string& bytes, size_t central, size_t& next, uint64_t& unpacked) {
  constexpr size_t kCentralHeader = 46;
  constexpr size_t kLocalHeader = 30;
  if (central + kCentralHeader > bytes.size() || Le32(bytes, central) != 0x02014b50) return EntryStatus::kBadDirectory;
  const uint16_t method = Le16(bytes, central + 10);
  const uint32_t crc = Le32(bytes, central + 16);
  const uint64_t packed = Le32(bytes, central + 20);
  const uint64_t size = Le32(bytes, central + 24);
  const size_t nameLength = Le16(bytes, central + 28);
  const size_t extra = Le16(bytes, central + 30) + static_cast<size_t>(Le16(bytes, central + 32));
  const uint64_t local = Le32(bytes, central + 42);
  next = central + kCentralHeader + nameLength + extra;
  if (next > bytes.size()) return EntryStatus::kBadDirectory;
  unpacked += size;
  if (size > kMaxUnpackedBytes || unpacked > kMaxUnpackedBytes) return EntryStatus::kBadDirectory;
  if (method != 0 && method != 8) return EntryStatus::kBadContent;
  if (local + kLocalHeader > bytes.size() || Le32(bytes, static_cast<size_t>(local)) != 0x04034b50) {
    return EntryStatus::kBadContent;
  }
  const uint64_t start = local + kLocalHeader + Le16(bytes, static_cast<size_t>(local) + 26) +
                         static_cast<uint64_t>(Le16(bytes, static_cast<size_t>(local) + 28));
  if (start + packed > bytes.size()) return EntryStatus::kBadContent;
  std::string name = bytes.substr(central + kCentralHeader, nameLength);
  std::string content;
  if (method == 0) {
    if (packed != size) return EntryStatus::kBadContent;
    content = bytes.substr(static_cast<size_t>(start), static_cast<size_t>(size));
  } else {
    content.assign(static_cast<size_t>(size), '\0');
    z_stream stream{};
    if (inflateInit2(&stream, -MAX_WBITS) != Z_OK) return EntryStatus::kBadContent;
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(bytes.data() + start));
    stream.avail_in = static_cast<uInt>(packed);
    stream.next_out = reinterpret_cast<Bytef*>(content.data());
    stream.avail_out = static_cast<uInt>(size);
    const int status = inflate(&stream, Z_FINISH);
    const bool whole = status == Z_STREAM_END && stream.total_out == size;
    inflateEnd(&stream);
    if (!whole) return EntryStatus::kBadContent;
  }
  if (crc32(0, reinterpret_cast<const Bytef*>(content.data()), static_cast<uInt>(content.size())) != crc) {
    return EntryStatus::kBadContent;
  }
  if ((EndsWith(name, ".xml") || EndsWith(name, ".rels")) && !IsUtf8(content)) return EntryStatus::kBadContent;
  m_parts[std::move(name)] = std::move(content);
  return EntryStatus::kOk;
}

bool Package::Unpack(const std::string& bytes) {
  constexpr size_t kEndRecord = 22;
  constexpr size_t kMaxComment = 0xFFFF;
  if (bytes.size() < kEndRecord) return false;
  size_t end = std::string::npos;
  const size_t lowest = bytes.size() > kEndRecord + kMaxComment ? bytes.size() - kEndRecord - kMaxComment : 0;
  for (size_t at = bytes.size() - kEndRecord + 1; at-- > lowest;) {
    if (Le32(bytes, at) == 0x06054b50) {
      end = at;
      break;
    }
  }
  if (end == std::string::npos) return false;
  const size_t entries = Le16(bytes, end + 10);
  const uint64_t directoryStart = Le32(bytes, end + 16);
  if (entries == 0 || entries > kMaxEntries || directoryStart > end) return false;
  uint64_t unpacked = 0;
  size_t at = static_cast<size_t>(directoryStart);
  bool sound = true;
  for (size_t i = 0; i < entries; ++i) {
    size_t next = 0;
    const EntryStatus status = Entry(bytes, at, next, unpacked);
    if (status == EntryStatus::kBadDirectory) return false;
    sound = sound && status == EntryStatus::kOk;
    at = next;
  }
  return sound;
}

// An OpenDocument package whose manifest lists encryption data holds
// encrypted parts: it was saved with a password.
bool OdsIsEncrypted(const Package& package) {
  return package.Part("META-INF/manifest.xml").find("encryption-data") != std::string::npos;
}

class SharedStrings : public iface::import_shared_strings {
 public:
  std::vector<std::string> items;

  size_t append(std::string_view s) override {
    items.emplace_back(s);
    return items.size() - 1;
  }
  size_t add(std::string_view s) override {
    const auto found = m_index.find(std::string(s));
    if (found != m_index.end()) return found->second;
    const size_t index = append(s);
    m_index.emplace(std::string(s), index);
    return index;
  }
  void set_segment_font(size_t) override {}
  void set_segment_bold(bool) override {}
  void set_segment_italic(bool) override {}
  void set_segment_font_name(std::string_view) override {}
  void set_segment_font_size(double) override {}
  void set_segment_font_color(ss::color_elem_t, ss::color_elem_t, ss::color_elem_t, ss::color_elem_t) override {}
  void append_segment(std::string_view s) override { m_segments += s; }
  size_t commit_segments() override {
    const size_t index = append(m_segments);
    m_segments.clear();
    return index;
  }

 private:
  std::string m_segments;
  std::unordered_map<std::string, size_t> m_index;
};

// The cells the library reports, kept in order; strings are looked up when
// the library is done, since a package may carry them after its sheets.
struct PendingCell {
  long long row;
  long long column;
  SheetCell cell;
  bool sharedString = false;
  size_t stringId = 0;
};

class CellSink {
 public:
  explicit CellSink(bool keep) : m_keep(keep) {}
  void Put(long long row, long long column, SheetCell cell, bool shared = false, size_t id = 0) {
    if (++m_calls > kMaxCellCalls) throw TooManyCells();
    if (!m_keep || row < 0 || row >= WorksheetBuilder::kMaxRows || column < 0 || column >= kKeptColumns) return;
    m_latest[row * kKeptColumns + column] = cells.size();
    cells.push_back({row, column, std::move(cell), shared, id});
  }
  // The cell last put at a place, or null.
  const PendingCell* At(long long row, long long column) const {
    const auto found = m_latest.find(row * kKeptColumns + column);
    return found == m_latest.end() ? nullptr : &cells[found->second];
  }
  std::vector<PendingCell> cells;

 private:
  static constexpr long long kKeptColumns = 64;  // more than any reader asks for
  bool m_keep;
  size_t m_calls = 0;
  std::unordered_map<long long, size_t> m_latest;
};

// The text with every run of blanks cut to one blank.
std::string WithoutBlankRuns(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (c == ' ' && !out.empty() && out.back() == ' ') continue;
    out += c;
  }
  return out;
}

// A cell the library leaves to us to type: a whole decimal number is a
// number, anything else text.
SheetCell AutoCell(std::string_view s) {
  std::string text(s);
  char* end = nullptr;
  const double value = text.empty() ? 0.0 : std::strtod(text.c_str(), &end);
  if (!text.empty() && end == text.c_str() + text.size() && std::isfinite(value) &&
      text.find_first_of("xXnN") == std::string::npos) {  // no hexadecimal, NaN or infinity
    return SheetCell::Number(value);
  }
  return SheetCell::Text(std::move(text));
}

SheetCell NumberCell(double value) {
  return std::isfinite(value) ? SheetCell::Number(value) : SheetCell::Text("#NUM!");
}

class Formula : public iface::import_formula {
 public:
  explicit Formula(CellSink& sink) : m_sink(sink) {}
  void set_position(ss::row_t row, ss::col_t col) override {
    m_row = row;
    m_column = col;
    m_result = SheetCell::NoResult("");
  }
  void set_formula(ss::formula_grammar_t, std::string_view) override {}
  void set_shared_formula_index(size_t) override {}
  void set_result_string(std::string_view value) override {
    // An error result arrives as its text ("#DIV/0!", "#N/A", "Err:502").
    m_result = IsErrorText(value) ? SheetCell::NoResult(std::string(value)) : SheetCell::Text(std::string(value));
  }
  void set_result_value(double value) override {
    m_result = std::isfinite(value) ? SheetCell::Number(value) : SheetCell::NoResult("#NUM!");
  }
  void set_result_bool(bool value) override { m_result = SheetCell::Number(value ? 1 : 0); }
  void set_result_empty() override { m_result = SheetCell::Text(""); }
  void commit() override { m_sink.Put(m_row, m_column, m_result); }

  static bool IsErrorText(std::string_view value) {
    static const char* const kErrors[] = {"#NULL!", "#DIV/0!", "#VALUE!", "#REF!", "#NAME?", "#NUM!", "#N/A"};
    for (const char* error : kErrors) {
      if (value == error) return true;
    }
    return value.substr(0, 4) == "Err:";
  }

 private:
  CellSink& m_sink;
  long long m_row = 0, m_column = 0;
  SheetCell m_result;
};

class ArrayFormula : public iface::import_array_formula {
 public:
  explicit ArrayFormula(CellSink& sink) : m_sink(sink) {}
  void set_range(const ss::range_t&) override {}
  void set_formula(ss::formula_grammar_t, std::string_view) override {}
  void set_result_string(ss::row_t row, ss::col_t col, std::string_view value) override {
    m_sink.Put(row, col, Formula::IsErrorText(value) ? SheetCell::NoResult(std::string(value))
                                                     : SheetCell::Text(std::string(value)));
  }
  void set_result_value(ss::row_t row, ss::col_t col, double value) override {
    m_sink.Put(row, col, std::isfinite(value) ? SheetCell::Number(value) : SheetCell::NoResult("#NUM!"));
  }
  void set_result_bool(ss::row_t row, ss::col_t col, bool value) override {
    m_sink.Put(row, col, SheetCell::Number(value ? 1 : 0));
  }
  void set_result_empty(ss::row_t row, ss::col_t col) override { m_sink.Put(row, col, SheetCell::Text("")); }
  void commit() override {}

 private:
  CellSink& m_sink;
};

class Sheet : public iface::import_sheet {
 public:
  explicit Sheet(bool keep) : sink(keep), m_formula(sink), m_array(sink) {}

  iface::import_formula* get_formula() override { return &m_formula; }
  iface::import_array_formula* get_array_formula() override { return &m_array; }
  void set_auto(ss::row_t row, ss::col_t col, std::string_view s) override {
    sink.Put(row, col, AutoCell(s));
  }
  void set_string(ss::row_t row, ss::col_t col, ss::string_id_t id) override { sink.Put(row, col, {}, true, id); }
  void set_value(ss::row_t row, ss::col_t col, double value) override { sink.Put(row, col, NumberCell(value)); }
  void set_bool(ss::row_t row, ss::col_t col, bool value) override { sink.Put(row, col, SheetCell::Number(value ? 1 : 0)); }
  void set_date_time(ss::row_t row, ss::col_t col, int year, int month, int day, int hour, int minute,
                     double second) override {
    char buffer[64];
    const int s = std::isfinite(second) && second >= 0 && second < 61 ? static_cast<int>(std::lround(second)) : 0;
    if (hour == 0 && minute == 0 && s == 0) {
      std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d", year, month, day);
    } else {
      std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d %02d:%02d:%02d", year, month, day, hour, minute, s);
    }
    sink.Put(row, col, SheetCell::Text(buffer));
  }
  void set_format(ss::row_t row, ss::col_t col, size_t xf) override {
    if (row >= 0 && row < WorksheetBuilder::kMaxRows && col >= 0 && col < 64) formats[static_cast<long long>(row) * 64 + col] = xf;
  }
  void set_format(ss::row_t, ss::col_t, ss::row_t, ss::col_t, size_t) override {}
  void fill_down_cells(ss::row_t row, ss::col_t col, ss::row_t count) override {
    const PendingCell* source = sink.At(row, col);
    if (!source) return;
    const PendingCell copy = *source;
    for (ss::row_t i = 1; i <= count && row + static_cast<long long>(i) < WorksheetBuilder::kMaxRows; ++i) {
      sink.Put(row + static_cast<long long>(i), col, copy.cell, copy.sharedString, copy.stringId);
    }
  }
  ss::range_size_t get_sheet_size() const override { return {1048576, 16384}; }

  CellSink sink;
  std::unordered_map<long long, size_t> formats;  // cell format by row * 64 + column

 private:
  Formula m_formula;
  ArrayFormula m_array;
};

// Only what tells a date cell from a number: each cell format's number
// format, and the codes of the number formats. Everything else is dropped.
class Styles : public iface::import_styles {
 public:
  // The form of the number format of cell format xf.
  DateForm FormOf(size_t xf) const {
    if (xf >= m_xfFormats.size()) return DateForm::kNone;
    const size_t id = m_xfFormats[xf];
    const auto custom = m_codes.find(id);
    return custom != m_codes.end() ? custom->second : BuiltInForm(static_cast<unsigned>(id));
  }

  void set_font_count(size_t) override {}
  void set_font_bold(bool) override {}
  void set_font_italic(bool) override {}
  void set_font_name(std::string_view) override {}
  void set_font_size(double) override {}
  void set_font_underline(ss::underline_t) override {}
  void set_font_underline_width(ss::underline_width_t) override {}
  void set_font_underline_mode(ss::underline_mode_t) override {}
  void set_font_underline_type(ss::underline_type_t) override {}
  void set_font_underline_color(ss::color_elem_t, ss::color_elem_t, ss::color_elem_t, ss::color_elem_t) override {}
  void set_font_color(ss::color_elem_t, ss::color_elem_t, ss::color_elem_t, ss::color_elem_t) override {}
  void set_strikethrough_style(ss::strikethrough_style_t) override {}
  void set_strikethrough_type(ss::strikethrough_type_t) override {}
  void set_strikethrough_width(ss::strikethrough_width_t) override {}
  void set_strikethrough_text(ss::strikethrough_text_t) override {}
  size_t commit_font() override { return m_fonts++; }
  void set_fill_count(size_t) override {}
  void set_fill_pattern_type(ss::fill_pattern_t) override {}
  void set_fill_fg_color(ss::color_elem_t, ss::color_elem_t, ss::color_elem_t, ss::color_elem_t) override {}
  void set_fill_bg_color(ss::color_elem_t, ss::color_elem_t, ss::color_elem_t, ss::color_elem_t) override {}
  size_t commit_fill() override { return m_fills++; }
  void set_border_count(size_t) override {}
  void set_border_style(ss::border_direction_t, ss::border_style_t) override {}
  void set_border_color(ss::border_direction_t, ss::color_elem_t, ss::color_elem_t, ss::color_elem_t,
                        ss::color_elem_t) override {}
  void set_border_width(ss::border_direction_t, double, orcus::length_unit_t) override {}
  size_t commit_border() override { return m_borders++; }
  void set_cell_hidden(bool) override {}
  void set_cell_locked(bool) override {}
  void set_cell_print_content(bool) override {}
  void set_cell_formula_hidden(bool) override {}
  size_t commit_cell_protection() override { return m_protections++; }
  void set_number_format_count(size_t) override {}
  void set_number_format_identifier(size_t id) override { m_formatId = id; }
  void set_number_format_code(std::string_view code) override { m_formatCode = std::string(code); }
  size_t commit_number_format() override {
    const size_t index = m_formats++;
    m_codes[m_formatId ? *m_formatId : index] = ClassifyFormatCode(m_formatCode);
    m_formatId.reset();
    m_formatCode.clear();
    return index;
  }
  void set_cell_xf_count(size_t) override {}
  void set_cell_style_xf_count(size_t) override {}
  void set_dxf_count(size_t) override {}
  void set_xf_font(size_t) override {}
  void set_xf_fill(size_t) override {}
  void set_xf_border(size_t) override {}
  void set_xf_protection(size_t) override {}
  void set_xf_number_format(size_t id) override { m_xfFormat = id; }
  void set_xf_style_xf(size_t) override {}
  void set_xf_apply_alignment(bool) override {}
  void set_xf_horizontal_alignment(ss::hor_alignment_t) override {}
  void set_xf_vertical_alignment(ss::ver_alignment_t) override {}
  size_t commit_cell_xf() override {
    m_xfFormats.push_back(m_xfFormat);
    m_xfFormat = 0;
    return m_xfFormats.size() - 1;
  }
  size_t commit_cell_style_xf() override {
    m_xfFormat = 0;
    return m_styleXfs++;
  }
  size_t commit_dxf() override {
    m_xfFormat = 0;
    return m_dxfs++;
  }
  void set_cell_style_count(size_t) override {}
  void set_cell_style_name(std::string_view) override {}
  void set_cell_style_xf(size_t) override {}
  void set_cell_style_builtin(size_t) override {}
  void set_cell_style_parent_name(std::string_view) override {}
  size_t commit_cell_style() override { return m_cellStyles++; }

 private:
  std::vector<size_t> m_xfFormats;
  std::unordered_map<size_t, DateForm> m_codes;
  std::optional<size_t> m_formatId;
  std::string m_formatCode;
  size_t m_xfFormat = 0;
  size_t m_fonts = 0, m_fills = 0, m_borders = 0, m_protections = 0, m_formats = 0;
  size_t m_styleXfs = 0, m_dxfs = 0, m_cellStyles = 0;
};

// The workbook's date system: 1904-01-01 as day 0 instead of 1899-12-30.
class GlobalSettings : public iface::import_global_settings {
 public:
  bool from1904 = false;
  void set_origin_date(int year, int, int) override { from1904 = year == 1904; }
  void set_default_formula_grammar(ss::formula_grammar_t grammar) override { m_grammar = grammar; }
  ss::formula_grammar_t get_default_formula_grammar() const override { return m_grammar; }
  void set_character_set(orcus::character_set_t) override {}

 private:
  ss::formula_grammar_t m_grammar = ss::formula_grammar_t::unknown;
};

// Cell addresses in A1 notation ("B7", "$B$7", "Sheet1.B7", "'A b'!B7"), as
// the library asks for them to place cells. Anything else is an address the
// library cannot use: it is told so by an exception, which ends the read.
class ReferenceResolver : public iface::import_reference_resolver {
 public:
  ss::src_address_t resolve_address(std::string_view address) override {
    // The sheet part, when there is one, ends at the last '.' or '!'.
    const size_t sheetEnd = address.find_last_of(".!");
    if (sheetEnd != std::string_view::npos) address.remove_prefix(sheetEnd + 1);
    size_t at = 0;
    long long column = 0, row = 0;
    if (at < address.size() && address[at] == '$') ++at;
    const size_t lettersStart = at;
    for (; at < address.size() && std::isalpha(static_cast<unsigned char>(address[at])); ++at) {
      column = column * 26 + (std::toupper(static_cast<unsigned char>(address[at])) - 'A' + 1);
      if (column > kMaxColumns) throw std::invalid_argument("column out of range");
    }
    if (at < address.size() && address[at] == '$') ++at;
    const size_t digitsStart = at;
    for (; at < address.size() && std::isdigit(static_cast<unsigned char>(address[at])); ++at) {
      row = row * 10 + (address[at] - '0');
      if (row > kMaxRows) throw std::invalid_argument("row out of range");
    }
    if (at == lettersStart || at == digitsStart || digitsStart == lettersStart || at != address.size() || row == 0) {
      throw std::invalid_argument("not a cell address");
    }
    return {0, static_cast<ss::row_t>(row - 1), static_cast<ss::col_t>(column - 1)};
  }
  ss::src_range_t resolve_range(std::string_view range) override {
    const size_t colon = range.find(':');
    if (colon == std::string_view::npos) {
      const ss::src_address_t single = resolve_address(range);
      return {single, single};
    }
    return {resolve_address(range.substr(0, colon)), resolve_address(range.substr(colon + 1))};
  }

 private:
  static constexpr long long kMaxColumns = 16384;   // the newer formats' limits
  static constexpr long long kMaxRows = 1048576;
};

class Factory : public iface::import_factory {
 public:
  iface::import_reference_resolver* get_reference_resolver(ss::formula_ref_context_t) override { return &m_resolver; }
  iface::import_styles* get_styles() override { return &styles; }
  iface::import_global_settings* get_global_settings() override { return &settings; }
  iface::import_shared_strings* get_shared_strings() override { return &strings; }
  iface::import_sheet* append_sheet(ss::sheet_t index, std::string_view name) override {
    if (index == 0 && !m_firstName) {
      m_firstName = std::string(name);
      return &first;
    }
    return &m_other;
  }
  iface::import_sheet* get_sheet(std::string_view name) override {
    return m_firstName && name == *m_firstName ? &first : &m_other;
  }
  iface::import_sheet* get_sheet(ss::sheet_t index) override { return index == 0 ? &first : &m_other; }
  void finalize() override {}

  SharedStrings strings;
  Styles styles;
  GlobalSettings settings;
  Sheet first{true};

 private:
  Sheet m_other{false};
  ReferenceResolver m_resolver;
  std::optional<std::string> m_firstName;
};

}  // namespace

namespace {

// Runs the library's import filter for the package's format into the
// factory, and reads the results it leaves out; the problem text, or empty.
std::string Import(const std::string& bytes, const Package& package, Factory& factory, StoredResults& stored) {
  const auto* blob = reinterpret_cast<const unsigned char*>(bytes.data());
  try {
    if (orcus::orcus_xlsx::detect(blob, bytes.size())) {
      orcus::orcus_xlsx filter(&factory);
      filter.read_stream(std::string_view(bytes));
      const std::string sheet = XlsxFirstSheetPart(package.Part("xl/workbook.xml"),
                                                   package.Part("xl/_rels/workbook.xml.rels"));
      if (!sheet.empty()) stored = XlsxStoredResults(package.Part(sheet));
    } else if (orcus::orcus_ods::detect(blob, bytes.size())) {
      orcus::orcus_ods filter(&factory);
      filter.read_stream(std::string_view(bytes));
      stored = OdsStoredResults(package.Part("content.xml"));
    } else {
      return workbook_problem::kNotWorkbook;
    }
  } catch (...) {
    // The library reports malformed parts by exceptions of its own; too many
    // cells stop it through ours.
    return workbook_problem::kDamaged;
  }
  return {};
}

// The first sheet's cells as the factory collected them, completed: shared
// strings looked up, results and texts the library left out or shortened
// taken from the sheet's XML, numbers in date formats given as their text.
Worksheet SheetOf(Factory& factory, const StoredResults& stored, int columnCount) {
  WorksheetBuilder builder(columnCount);
  for (PendingCell& cell : factory.first.sink.cells) {
    if (cell.sharedString) {
      const auto& items = factory.strings.items;
      cell.cell = SheetCell::Text(cell.stringId < items.size() ? items[cell.stringId] : std::string());
    }
    if ((cell.cell.IsNoResult() && cell.cell.text.empty()) || cell.cell.IsText()) {
      const auto found = stored.find({cell.row, cell.column});
      // A text only where it is the library's own with its blanks back.
      if (found != stored.end() && (!cell.cell.IsText() || (found->second.IsText() &&
                                                             WithoutBlankRuns(found->second.text) ==
                                                                 WithoutBlankRuns(cell.cell.text)))) {
        cell.cell = found->second;
      }
    }
    const auto format = factory.first.formats.find(cell.row * 64 + cell.column);
    std::string date;
    if (cell.cell.IsNumber() && format != factory.first.formats.end() &&
        DateText(cell.cell.number, factory.settings.from1904, factory.styles.FormOf(format->second), date)) {
      cell.cell = SheetCell::Text(date);
    }
    builder.Put(cell.row, cell.column, std::move(cell.cell));
  }
  return builder.Finish();
}

}  // namespace

WorksheetResult ReadZipWorkbook(const std::string& bytes, int columnCount) {
  WorksheetResult result;
  Package package;
  const bool sound = package.Unpack(bytes);
  if (OdsIsEncrypted(package)) {
    result.problem = workbook_problem::kPassword;
    return result;
  }
  if (!sound) {
    result.problem = workbook_problem::kDamaged;
    return result;
  }
  Factory factory;
  StoredResults stored;
  result.problem = Import(bytes, package, factory, stored);
  if (result.problem.empty()) result.sheet = SheetOf(factory, stored, columnCount);
  return result;
}

WorksheetResult ReadZipWorkbookGuarded(const std::string& bytes, int columnCount, int timeoutSeconds) {
  if (!ChildProcessesAvailable()) return ReadZipWorkbook(bytes, columnCount);
  const std::optional<std::string> received = RunInChildProcess(
      [&bytes, columnCount] { return SerializeWorksheetResult(ReadZipWorkbook(bytes, columnCount)); }, timeoutSeconds);
  WorksheetResult result;
  if (!received || !DeserializeWorksheetResult(*received, result)) {
    result = WorksheetResult();
    result.problem = workbook_problem::kDamaged;
  }
  return result;
}

}  // namespace vx
