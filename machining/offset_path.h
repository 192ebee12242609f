// The wire-centre path at a given offset from the contour in the element table.
#pragma once

#include "platform/message_box.h"
#include "shell/element_table.h"

namespace vx {

// Rewrites the contour of rows 1..RowCount in place into the wire-centre path:
// inner vertices moved, arc radii P1 -> P1 - offset; start and end points of
// every sub-path, separators, Code and P2 unchanged. A positive offset lies to
// the left of the direction of travel. Approach and exit lines (the first and
// last segment of every sub-path, sub-paths split by Code 88) stay unshifted.
// Two straight lines that do not meet leave their vertex in place and are
// reported on box as "オフセット計算中 dataNO=" + row + "で交点ERROR"; a line
// that misses a circle, or two circles that do not meet, take the nearest
// touching point without a message. CurRow is left at RowCount or beyond.
void ComputeOffsetPath(ElementTable& table, double offset, MessageBox& box);

}  // namespace vx
