// Reading the line (110) and arc (100) entities of a fixed-column IGES text into an entity list.
#pragma once

#include <string>

#include "exchange/entity_list.h"

namespace vx {

// Reads IGES file text (80-column records, section letter in column 73)
// until its end or its T line. Only entities whose directory entry has line
// font pattern 1 are taken; parameter records are joined over several P
// lines. yxOrder turns every arc point (x, y) into (y, -x); lines are never
// turned. Stops on a directory sequence number above 5000, a record of more
// than ten fields or more than 1000 entities.
ExchangeResult ReadIgesText(const std::string& text, bool yxOrder, EntityList& list);

}  // namespace vx
