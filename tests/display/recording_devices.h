// A surface and a printer that keep every operation as a line of text.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "platform/printer.h"
#include "platform/surface.h"

namespace vx::test {

// A drawing operation with its coordinates.
struct DrawOp {
  char kind;  // 'P' point, 'L' line
  int colour;
  double x1, y1, x2, y2;
};

inline std::string Format(const char* pattern, double a, double b, double c = 0, double d = 0) {
  char buffer[160];
  std::snprintf(buffer, sizeof buffer, pattern, a, b, c, d);
  return buffer;
}

class RecordingSurface : public Surface {
 public:
  void SetScale(double left, double top, double width, double height) override {
    log.push_back(Format("scale %g %g %g %g", left, top, width, height));
  }
  void Clear() override {
    log.push_back("clear");
    ops.clear();
  }
  void SetColour(int paletteIndex) override { m_colour = paletteIndex; }
  void Point(double x, double y) override {
    ops.push_back({'P', m_colour, x, y, x, y});
    log.push_back(Format("P%.0f %g %g", m_colour, x, y));
  }
  void Line(double x1, double y1, double x2, double y2) override {
    ops.push_back({'L', m_colour, x1, y1, x2, y2});
    log.push_back(Format("L%.0f %g %g", m_colour, x2, y2) + Format(" from %g %g", x1, y1));
  }
  void Circle(double x, double y, double radius) override { log.push_back(Format("C %g %g %g", x, y, radius)); }

  std::vector<DrawOp> Lines(int colour) const {
    std::vector<DrawOp> lines;
    for (const DrawOp& op : ops) {
      if (op.kind == 'L' && op.colour == colour) lines.push_back(op);
    }
    return lines;
  }

  std::vector<std::string> log;
  std::vector<DrawOp> ops;

 private:
  int m_colour = 0;
};

class RecordingPrinter : public Printer {
 public:
  bool IsAvailable() const override { return true; }
  void SetLandscape(bool landscape) override { log.push_back(landscape ? "landscape" : "portrait"); }
  void SetScale(double left, double top, double width, double height) override {
    log.push_back(Format("scale %.7g %.7g %.7g %.7g", left, top, width, height));
    window = {left, top, width, height};
  }
  void SetColour(int paletteIndex) override { log.push_back("colour " + std::to_string(paletteIndex)); }
  void Point(double x, double y) override { ++points; }
  void Line(double x1, double y1, double x2, double y2) override { ++lines; }
  void SetFont(const std::string& name, double sizePoints) override {
    log.push_back("font " + name + " " + std::to_string(static_cast<int>(sizePoints)));
  }
  void Text(double x, double y, const std::string& text) override {
    log.push_back("text " + text);
    texts.push_back({x, y, text});
  }
  void TextLine(const std::string& text) override { log.push_back("line " + text); }
  bool EndDocument() override {
    log.push_back("end");
    return endResult;
  }
  void SaveSettings() override { log.push_back("save"); }
  void SetPrintableArea(double widthMm, double heightMm) override {
    log.push_back(Format("area %.7g %.7g", widthMm, heightMm));
  }
  void RestoreSettings() override { log.push_back("restore"); }

  struct Window {
    double left, top, width, height;
  } window{};
  struct Placed {
    double x, y;
    std::string text;
  };
  std::vector<Placed> texts;
  std::vector<std::string> log;
  int points = 0;
  int lines = 0;
  bool endResult = true;
};

}  // namespace vx::test
