// Text lines that a screen prints on its own surface while it works.
#pragma once

#include <string>
#include <vector>

namespace vx {

class ProgressLines {
 public:
  virtual ~ProgressLines() = default;
  // Prints one line (UTF-8) below the previous ones.
  virtual void Print(const std::string& line) = 0;
  // Clears the surface; the next line starts at the top again.
  virtual void Clear() {}
};

class RecordingProgressLines : public ProgressLines {
 public:
  void Print(const std::string& line) override { lines.push_back(line); }
  void Clear() override { lines.clear(); }
  std::vector<std::string> lines;
};

// Writes each line on standard output (the command-line front end).
class ConsoleProgressLines : public ProgressLines {
 public:
  void Print(const std::string& line) override;
};

}  // namespace vx
