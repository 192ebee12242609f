// Reading the plane curves of a fixed-column IGES file into an entity list.
#pragma once

#include <string>

#include "exchange/entity_list.h"

namespace vx {

// Reads IGES file text (80-column records with the section letter in column
// 73, with or without line ends) into the entity list, in millimetres by the
// model units of the global section.
//
// Read: lines (110), circular arcs (100), composite curves (102), copious
// data as polylines (106 forms 1-3, 11-13, 63), conic arcs (104), parametric
// splines (112) and rational B-splines (126) as tangent arcs within
// 0.001 mm, subfigure instances (408 of a 308 definition, nested; the copy's
// origin lands on the instance's offset) and rectangular and circular arrays
// of copies (412, 414, with their do-don't lists), each
// through its transformation matrix chain (124). Left out: line fonts other
// than 0 and 1 (solid) and than definitions (304 form 2) whose pattern shows
// every segment, annotation and parameter-space entities, physically
// dependent entities (read through their composite curve or subfigure, or
// part of a surface), members of composite curves and subfigure definitions
// (read through them, once), and every other type; what is left out is
// counted in list.skipped as "TYPE n". yxOrder turns every circular arc
// point (x, y) of type 100 into (y, -x) before any transform; nothing else
// is turned.
//
// Stops with a message on: a file that is not fixed-column ASCII IGES, an
// unknown unit, geometry off one plane parallel to XY (within 0.01 mm), a
// model of surfaces and solids alone, malformed entries, matrix chains or
// nesting that loop or run deeper than 16, a directory number above 5000 of
// an entry read, and more than 1000 entities.
ExchangeResult ReadIgesText(const std::string& text, bool yxOrder, EntityList& list);

}  // namespace vx
