// A drawing surface with a user coordinate system in millimetres.
#pragma once

#include <string>

namespace vx {

// Colour by index into the 16-colour palette (0 black, 3 cyan, 9 light blue,
// 10 light green, 12 light red, 15 bright white, ...).
struct PaletteColour {
  unsigned char r, g, b;
};
PaletteColour PaletteEntry(int index);

class Surface {
 public:
  virtual ~Surface() = default;
  // The user window: X runs from left to left + width, Y from top to top + height
  // (height negative: Y grows upwards).
  virtual void SetScale(double left, double top, double width, double height) = 0;
  virtual void Clear() = 0;
  // Palette index used by the following Point, Line and Circle calls.
  virtual void SetColour(int paletteIndex) = 0;
  virtual void Point(double x, double y) = 0;
  virtual void Line(double x1, double y1, double x2, double y2) = 0;
  // Circle of the given radius in user units around (x, y).
  virtual void Circle(double x, double y, double radius) = 0;
};

}  // namespace vx
