// Reading the drawing entities of a DXF text into an entity list of lines and arcs.
#pragma once

#include <string>

#include "exchange/entity_list.h"

namespace vx {

// Reads the model space of DXF file text into the list (emptied first):
// LINE, ARC, CIRCLE, LWPOLYLINE and 2D POLYLINE (bulges and closed flag),
// 3D POLYLINE as lines, ELLIPSE and SPLINE fitted with arcs within 0.001 mm,
// and INSERT / MINSERT with their blocks expanded (nested, scaled, mirrored,
// rotated). Extrusion (0, 0, -1) is read as seen from above. Circles and
// arcs of radius exactly 0.222 are start markers. Every other entity type is
// counted in list.skipped; entities of paper space are left out.
// Stops with a message on binary DXF, DWG, text that is not DXF, a file that
// ends inside its ENTITIES section, entities not parallel to the XY plane,
// missing or external blocks, splines given by fit points only, more than
// 1000 entities or 200 markers after expansion. `fileName` names the file in
// messages.
ExchangeResult ReadDxfText(const std::string& text, EntityList& list, const std::string& fileName = {});

}  // namespace vx
