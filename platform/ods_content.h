// The cells of the first sheet of an OpenDocument spreadsheet, read from its
// content.xml part.
#pragma once

#include <optional>
#include <string_view>

#include "platform/spreadsheet_reader.h"

namespace vx {

// The first table:table of content.xml, columns 0..columnCount - 1, as the
// spreadsheet stored it: numbers (also percentages and currency amounts),
// texts with their blanks, booleans as 1 or 0, dates and times as their text
// ("2024-01-31", "12:30:00", "2024-01-31 12:30:00"), formula cells by their
// stored result (an error is kNoResult with its text). Cells covered by a
// merge keep their place (and any content they hold); repeated rows and
// cells are repeated. Nothing when the XML is malformed.
std::optional<Worksheet> ReadOdsContent(std::string_view contentXml, int columnCount);

}  // namespace vx
