// Reading the LINE, LWPOLYLINE, ARC and CIRCLE entities of a DXF text into an entity list.
#pragma once

#include <string>

#include "exchange/entity_list.h"

namespace vx {

// Reads the ENTITIES section of DXF file text into the list (which must be
// empty). Group codes are taken only in the three-character right-aligned
// form ("  0", " 10", ...). Lines end in CR LF or CR; a text in which no line
// "ENTITIES" is found that way is read again with LF as the line end.
// Circles and arcs of radius exactly 0.222 become start markers.
// An LWPOLYLINE gives one entity per side; a vertex with a bulge gives an arc.
// Arcs, circles and polylines drawn with the extrusion direction (0, 0, -1)
// (mirrored in CAD) are read as seen from above: x mirrored, arcs turned.
// Stops (nothing usable) on a file that ends inside an entity, more than
// 1000 entities or more than 200 markers; `fileName` names the file in messages.
ExchangeResult ReadDxfText(const std::string& text, EntityList& list, const std::string& fileName = {});

}  // namespace vx
