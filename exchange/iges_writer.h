// Writing the contour table as an IGES file of line (110) and arc (100) entities.
#pragma once

#include <string>
#include <vector>

#include "shell/element_table.h"

namespace vx {

// The parameter texts of the segments of rows 1..RowCount, in row order:
// "110,x1,y1,0,x2,y2,0;" for a straight segment into a point row and
// "100,0.0,xc,yc,xs,ys,xe,ye;" for an arc (start and end exchanged for a
// clockwise arc, so the arc runs counter-clockwise from start to end).
// Numbers in the sign-blank form (" 10", "-2.5", " .5"). No segment is drawn
// into or out of a separator row (Code 88), nor is one taken as an arc centre.
std::vector<std::string> IgesParameterTexts(const ElementTable& table);

// A complete IGES file (Start, Global, Directory, Parameter and Terminate
// sections, 80-column records ending in CR LF) holding the segments of the
// table, each entity with line font pattern 1; a parameter text longer than
// 64 columns is continued on further P lines, broken before a ",".
// `fileName` and `timestamp` ("YYYYMMDD.HHMMSS") go into the global section.
std::string IgesExportText(const ElementTable& table, const std::string& fileName, const std::string& timestamp);

}  // namespace vx
