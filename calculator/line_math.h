// Lines of the calculator's rows: a point, a direction angle and a left shift.
#pragma once

#include "shell/degree.h"

namespace vx {

// -1, 0 or 1.
inline double Sgn(double v) { return v > 0 ? 1.0 : (v < 0 ? -1.0 : 0.0); }

// Only the exact angles 90 and -90 are vertical; 270 is an ordinary (very
// steep) line to every solver.
inline bool IsVertical(double angleDeg) { return angleDeg == 90 || angleDeg == -90; }

// x of the vertical line through x0 at angle +-90, moved by shift to the left
// of its direction.
inline double VerticalLineX(double x0, double angleDeg, double shift) { return x0 - shift * Sgn(angleDeg); }

// y = m x + k of the non-vertical line through (x0, y0) at angleDeg, moved by
// shift to the left of its direction: m = TanDeg(A), k = y0 - m x0 + shift / CosDeg(A).
// Where CosDeg rounds to 0 (270, ...) k is not finite; callers guard the answer.
struct SlopeLine {
  double m, k;
};
inline SlopeLine LineSlope(double x0, double y0, double angleDeg, double shift) {
  const double m = TanDeg(angleDeg);
  return {m, y0 - m * x0 + shift / CosDeg(angleDeg)};
}

// Direction in degrees of the vector (dx, dy) of length d > 0 by the arc
// cosine: AcosDeg(dx / d), 90 for dx = 0, the quadrant corrected to (-180, 180],
// exactly -1 (pointing in -X) giving 180.
inline double ChordDirection(double dx, double dy, double d) {
  const double u = dx / d;
  double a = 0;
  if (dx == 0) {
    a = 90;
  } else if (u <= -1) {
    a = 180;
  } else if (u >= 1) {
    a = 0;
  } else {
    a = AcosDeg(u);
    if (a < 0) a += 180;
  }
  if (dy < 0) a = -a;
  return a;
}

}  // namespace vx
