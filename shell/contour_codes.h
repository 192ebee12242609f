// The Code values a reader of a contour file (CON2TA.dat) looks at.
#pragma once

namespace vx {

// No segment joins the rows on either side; the next row starts a new
// sub-path at its start point.
inline constexpr double kSeparatorCode = 88;
// The end row after the contour.
inline constexpr double kEndCode = 99;

}  // namespace vx
