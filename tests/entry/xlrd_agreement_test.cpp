// Our reading of workbooks against xlrd's (Debian python3-xlrd): each
// NAME.xls or NAME.xlsx with a NAME.xlrd beside it (tests/entry/xlrd_dump.py
// writes them) must read to the same cells, in the same form.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>

#include "platform/workbook_reader.h"

namespace vx {
namespace {

constexpr int kColumns = 64;

// The number as xlrd_dump.py writes it: whole numbers plainly, others in the
// fewest of 15, 16 or 17 significant digits that read back exactly.
std::string NumberText(double value) {
  char buffer[64];
  if (value == std::trunc(value) && std::fabs(value) < 1e15) {
    std::snprintf(buffer, sizeof buffer, "%lld", static_cast<long long>(value));
    return buffer;
  }
  for (int precision = 15; precision <= 17; ++precision) {
    std::snprintf(buffer, sizeof buffer, "%.*g", precision, value);
    if (std::strtod(buffer, nullptr) == value) break;
  }
  return buffer;
}

std::string Escaped(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (c == '\\') out += "\\\\";
    else if (c == '\n') out += "\\n";
    else if (c == '\r') out += "\\r";
    else if (c == '\t') out += "\\t";
    else out += c;
  }
  return out;
}

std::string ColumnName(int column) {
  std::string name;
  for (++column; column > 0; column = (column - 1) / 26) name.insert(name.begin(), static_cast<char>('A' + (column - 1) % 26));
  return name;
}

std::string Dump(const WorksheetResult& read) {
  if (!read.sheet) return "refused\n";
  std::string out;
  for (int row = 0; row < read.sheet->RowCount(); ++row) {
    for (int column = 0; column < kColumns; ++column) {
      const SheetCell& cell = read.sheet->At(row, column);
      std::string text;
      switch (cell.kind) {
        case SheetCell::Kind::kEmpty: continue;
        case SheetCell::Kind::kNumber: text = "number " + NumberText(cell.number); break;
        case SheetCell::Kind::kText: text = "text " + Escaped(cell.text); break;
        case SheetCell::Kind::kNoResult: text = "error " + cell.text; break;
      }
      out += ColumnName(column) + std::to_string(row + 1) + " " + text + "\n";
    }
  }
  return out;
}

std::string FileText(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// Where xlrd and we part on purpose: the workbook and why.
const std::map<std::string, std::string> kKnownDifferences = {
    {"invalid_formula.xls", "xlrd 1.2 stops with an AttributeError on a formula it cannot parse; the cells are sound"},
    {"biff4_no_format_no_window2.xls", "an Excel 4.0 stream, which we refuse with a message"},
    {"elements.xlsx", "xlrd 1.2 strips the leading blank of the text result \" 2.5\" in G11 (the .xls and .ods of the "
                      "same sheet keep it, and so do we)"},
    {"gnumeric_elements.xlsx", "xlrd 1.2 strips the leading blanks of texts saved without xml:space=\"preserve\", "
                               "and reads the formula C11 saved without a value as empty (we: no stored result)"},
    {"openpyxl_formulas.xlsx", "xlrd 1.2 reads formulas saved without a value as empty (we: no stored result)"},
};

TEST(XlrdAgreement, EveryWorkbookReadsAsXlrdReadsIt) {
  int workbooks = 0, cells = 0;
  for (const char* folder : {"/tests/entry/data", "/tests/entry/data/operator", "/tests/entry/real"}) {
    for (const auto& entry : std::filesystem::directory_iterator(std::string(VX_SOURCE_DIR) + folder)) {
      const std::filesystem::path expectedPath = entry.path().string() + ".xlrd";
      if (!std::filesystem::exists(expectedPath)) continue;
      const std::string name = entry.path().filename().string();
      if (entry.path().extension() == ".xlsx" && !ZippedWorkbooksReadable()) continue;
      const std::string ours = Dump(WorkbookReader().ReadFirstWorksheet(entry.path().string(), kColumns));
      const std::string expected = FileText(expectedPath);
      if (kKnownDifferences.count(name)) {
        EXPECT_NE(ours, expected) << name << " now reads as xlrd reads it: take it off the list";
        continue;
      }
      EXPECT_EQ(ours, expected) << name;
      ++workbooks;
      for (char c : expected) cells += c == '\n';
    }
  }
  EXPECT_GE(workbooks, ZippedWorkbooksReadable() ? 20 : 15);
  std::printf("agree with xlrd: %d workbooks, %d cells\n", workbooks, cells);
}

}  // namespace
}  // namespace vx
