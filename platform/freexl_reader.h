// The workbook reader over libfreexl (binary .xls, BIFF5 and BIFF8).
#pragma once

#include "platform/spreadsheet_reader.h"

namespace vx {

class FreeXlReader : public SpreadsheetReader {
 public:
  WorksheetResult ReadFirstWorksheet(const std::string& path, int columnCount) const override;
};

}  // namespace vx
