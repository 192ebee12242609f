// The printer as the stages see it: millimetre coordinates with a movable origin.
#pragma once

#include <string>

namespace vx {

class Printer {
 public:
  virtual ~Printer() = default;
  // False when no printer can be used (none installed, output not writable).
  virtual bool IsAvailable() const = 0;
  virtual void SetLandscape(bool landscape) = 0;
  // The user window in millimetres, as Surface::SetScale.
  virtual void SetScale(double left, double top, double width, double height) = 0;
  virtual void SetColour(int paletteIndex) = 0;
  virtual void Point(double x, double y) = 0;
  virtual void Line(double x1, double y1, double x2, double y2) = 0;
  virtual void SetFont(const std::string& name, double sizePoints) = 0;
  // Prints text with its top-left corner at (x, y) in user units; afterwards the
  // current position is at the start of the next line.
  virtual void Text(double x, double y, const std::string& text) = 0;
  // Prints text as the next line of a listing (below the previous one).
  virtual void TextLine(const std::string& text) = 0;
  // Ends the page and the document; returns false when the output failed.
  virtual bool EndDocument() = 0;
  // Drops the document instead of ending it: nothing reaches the paper or the
  // output file.
  virtual void Abort() {}
  // Keeps the orientation, window and font until RestoreSettings puts them
  // back (one level), so that a print leaves the printer as it found it.
  virtual void SaveSettings() {}
  // Centres a printable area of the given size in millimetres on the page, so
  // that a window of the same size maps onto the paper at true scale. Call
  // after SetLandscape and before anything is drawn.
  virtual void SetPrintableArea(double widthMm, double heightMm) {}
  virtual void RestoreSettings() {}
};

}  // namespace vx
