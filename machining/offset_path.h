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
// reported on box as "オフセット計算中 dataNO=" + row + "で交点ERROR".
// Every other vertex lies on both elements of the path that meet there
// (within 0.0005 mm):
// - an approach or exit line ends where it crosses the offset element within
//   its own length, the nearer crossing, and of two about as near the one on
//   its start hole's (end point's) side; without such a crossing it ends on the
//   offset arc where the ray from its centre through the contour vertex meets
//   it, or beside the contour vertex on an offset line;
// - an arc whose offset radius is exactly 0 (the offset equals its radius) is
//   still an arc for its neighbours, shrunk to its centre, which its row then
//   holds as a point;
// - two offset elements that no longer meet at a corner are joined by an arc
//   of radius |offset| about the contour vertex (about a point beside it where
//   the contour lies more than 0.0002 off its elements), inserted as two more
//   rows (its centre, then the start of the next element), or by a straight
//   line, one more row, where such an arc would be shorter than 0.0015 or
//   bulge from its chord by no more than the tolerance;
// - no crossing is taken where it would make an offset arc beside it turn
//   the other way round from its contour arc (by more than half a turn):
//   arcs fitted to a curve meet nearly tangent once rounded, and their offset
//   circles cross far along them. The elements are joined as if they did not
//   meet, and a lead line goes to the ray point;
// - a round hole (an arc that ends where it starts) stays one full turn: its
//   ends become one point when within 0.0005, an end ahead of the start moves
//   to it where a lead line joins, and between two contour elements the arc
//   is split in two (two more rows); so does an arc of more than half a turn
//   whose end a corner carried past its start.
// RowCount grows by the rows inserted. A sub-path that begins or ends on an
// arc (no approach or exit line) gets one more row, the point of the offset
// arc on the ray from its centre through the start or end point. Without room
// for new rows in the table the place is reported like a failed intersection
// and left as the joins made it.
// CurRow is left at RowCount or beyond.
void ComputeOffsetPath(ElementTable& table, double offset, MessageBox& box);

// The joins alone: each vertex from the slopes and rounded cosines of its two
// elements, the nearest touching point where they do not meet, no rows
// inserted. This is the path of earlier versions; ComputeOffsetPath keeps each
// of these vertices that lies on its elements. For comparisons in tests.
void JoinOffsetVertices(ElementTable& table, double offset, MessageBox& box);

}  // namespace vx
