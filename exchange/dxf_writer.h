// Writing the contour table as a DXF file built on the template schelt.dxs.
#pragma once

#include <string>

#include "exchange/entity_list.h"
#include "shell/element_table.h"

namespace vx {

// Angle in degrees of point (qx, qy) seen from centre (cx, cy): 90 or -90
// straight above or below (exact x comparison), else AtnDeg of the slope,
// plus 180 left of the centre. Lies in [-90, 270).
double ExportArcAngle(double cx, double cy, double qx, double qy);

// A number line: a blank or "-", the shortest text without a zero before the
// point, and one trailing blank (12.5 -> " 12.5 ", -0.25 -> "-.25 ").
std::string DxfNumberLine(double value);

// The DXF text of rows 1..RowCount: the template up to and including its line
// "ENTITIES", one LINE per straight segment and one ARC per arc-centre row
// (handles from 100; a CIRCLE for an arc that ends where it starts), the
// template after it without its last line, then
// "EOF". Lines end in CR LF. No segment is drawn into or out of a separator
// row (Code 88), which is never taken as an arc centre. Stops when the
// template has no "ENTITIES" line followed by at least one more line.
ExchangeResult DxfExportText(const ElementTable& table, const std::string& templateText,
                             const std::string& templateName, std::string& out);

}  // namespace vx
