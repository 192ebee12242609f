// Zipped workbooks over liborcus: the package checked first, then the
// library's import filter feeding our own factory.
#include "platform/orcus_reader.h"

#include <orcus/format_detection.hpp>
#include <orcus/orcus_ods.hpp>
#include <orcus/orcus_xlsx.hpp>
#include <orcus/spreadsheet/import_interface.hpp>
#include <orcus/zip_archive.hpp>
#include <orcus/zip_archive_stream.hpp>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <unordered_map>
#include <vector>

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

// The central directory read by hand: every entry lies inside the file, is
// stored or deflated, and the entries unpack to a bounded size in all.
bool ZipLooksSound(const std::string& bytes) {
  constexpr size_t kEndRecord = 22;
  constexpr size_t kMaxComment = 0xFFFF;
  constexpr size_t kCentralHeader = 46;
  constexpr size_t kLocalHeader = 30;
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
  const uint64_t directorySize = Le32(bytes, end + 12);
  const uint64_t directoryStart = Le32(bytes, end + 16);
  if (entries == 0 || entries > kMaxEntries || directoryStart + directorySize > end) return false;
  uint64_t unpacked = 0;
  size_t at = static_cast<size_t>(directoryStart);
  for (size_t i = 0; i < entries; ++i) {
    if (at + kCentralHeader > end || Le32(bytes, at) != 0x02014b50) return false;
    const uint16_t method = Le16(bytes, at + 10);
    const uint64_t packed = Le32(bytes, at + 20);
    const uint64_t size = Le32(bytes, at + 24);
    const size_t nameLength = Le16(bytes, at + 28);
    const size_t extra = Le16(bytes, at + 30) + static_cast<size_t>(Le16(bytes, at + 32));
    const uint64_t local = Le32(bytes, at + 42);
    if (method != 0 && method != 8) return false;
    if (local + kLocalHeader + packed > bytes.size() || Le32(bytes, static_cast<size_t>(local)) != 0x04034b50) {
      return false;
    }
    if (method == 0 && packed != size) return false;
    unpacked += size;
    if (unpacked > kMaxUnpackedBytes) return false;
    at += kCentralHeader + nameLength + extra;
  }
  return true;
}

// An OpenDocument package whose manifest lists encryption data holds
// encrypted parts: it was saved with a password.
bool OdsIsEncrypted(const std::string& bytes) {
  try {
    orcus::zip_archive_stream_blob stream(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
    orcus::zip_archive archive(&stream);
    archive.load();
    std::vector<unsigned char> manifest;
    if (!archive.read_file_entry("META-INF/manifest.xml", manifest)) return false;
    const std::string text(manifest.begin(), manifest.end());
    return text.find("encryption-data") != std::string::npos;
  } catch (...) {
    return false;
  }
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
  void set_format(ss::row_t, ss::col_t, size_t) override {}
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

 private:
  Formula m_formula;
  ArrayFormula m_array;
};

class Factory : public iface::import_factory {
 public:
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
  Sheet first{true};

 private:
  Sheet m_other{false};
  std::optional<std::string> m_firstName;
};

}  // namespace

bool HasZipSignature(const std::string& bytes) { return bytes.size() >= 4 && bytes.compare(0, 4, "PK\x03\x04") == 0; }

WorksheetResult ReadZipWorkbook(const std::string& bytes, int columnCount) {
  WorksheetResult result;
  if (!ZipLooksSound(bytes)) {
    result.problem = workbook_problem::kDamaged;
    return result;
  }
  if (OdsIsEncrypted(bytes)) {
    result.problem = workbook_problem::kPassword;
    return result;
  }
  const auto* blob = reinterpret_cast<const unsigned char*>(bytes.data());
  Factory factory;
  try {
    if (orcus::orcus_xlsx::detect(blob, bytes.size())) {
      orcus::orcus_xlsx filter(&factory);
      filter.read_stream(std::string_view(bytes));
    } else if (orcus::orcus_ods::detect(blob, bytes.size())) {
      orcus::orcus_ods filter(&factory);
      filter.read_stream(std::string_view(bytes));
    } else {
      result.problem = workbook_problem::kNotWorkbook;
      return result;
    }
  } catch (...) {
    // The library reports malformed parts by exceptions of its own; too many
    // cells stop it through ours.
    result.problem = workbook_problem::kDamaged;
    return result;
  }
  WorksheetBuilder builder(columnCount);
  for (PendingCell& cell : factory.first.sink.cells) {
    if (cell.sharedString) {
      const auto& items = factory.strings.items;
      cell.cell = SheetCell::Text(cell.stringId < items.size() ? items[cell.stringId] : std::string());
    }
    builder.Put(cell.row, cell.column, std::move(cell.cell));
  }
  result.sheet = builder.Finish();
  return result;
}

}  // namespace vx
