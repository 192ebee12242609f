// A printer that keeps the listing lines, for the NC output tests.
#pragma once

#include <string>
#include <vector>

#include "platform/printer.h"

namespace vx::test {

class RecordingPrinter : public Printer {
 public:
  bool IsAvailable() const override { return available; }
  void SetLandscape(bool) override {}
  void SetScale(double, double, double, double) override {}
  void SetColour(int) override {}
  void Point(double, double) override {}
  void Line(double, double, double, double) override {}
  void SetFont(const std::string&, double) override {}
  void Text(double, double, const std::string& text) override { lines.push_back(text); }
  void TextLine(const std::string& text) override { lines.push_back(text); }
  bool EndDocument() override {
    ++ended;
    return endSucceeds;
  }

  void Abort() override { ++aborted; }

  bool available = true;
  bool endSucceeds = true;
  int ended = 0;
  int aborted = 0;
  std::vector<std::string> lines;
};

// Hands every call on to a recording printer that outlives it.
class ForwardingPrinter : public Printer {
 public:
  explicit ForwardingPrinter(RecordingPrinter& target) : m_target(target) {}
  bool IsAvailable() const override { return m_target.IsAvailable(); }
  void SetLandscape(bool landscape) override { m_target.SetLandscape(landscape); }
  void SetScale(double l, double t, double w, double h) override { m_target.SetScale(l, t, w, h); }
  void SetColour(int index) override { m_target.SetColour(index); }
  void Point(double x, double y) override { m_target.Point(x, y); }
  void Line(double x1, double y1, double x2, double y2) override { m_target.Line(x1, y1, x2, y2); }
  void SetFont(const std::string& name, double size) override { m_target.SetFont(name, size); }
  void Text(double x, double y, const std::string& text) override { m_target.Text(x, y, text); }
  void TextLine(const std::string& text) override { m_target.TextLine(text); }
  bool EndDocument() override { return m_target.EndDocument(); }
  void Abort() override { m_target.Abort(); }

 private:
  RecordingPrinter& m_target;
};

}  // namespace vx::test
