// The modal message box with an OK button, as the stages see it.
#pragma once

#include <string>
#include <vector>

namespace vx {

class MessageBox {
 public:
  virtual ~MessageBox() = default;
  // Shows text (UTF-8) and returns when the operator has pressed OK.
  virtual void Show(const std::string& text) = 0;
};

// Keeps every message in order; for tests and for callers that decide later.
class RecordingMessageBox : public MessageBox {
 public:
  void Show(const std::string& text) override { messages.push_back(text); }
  std::vector<std::string> messages;
};

// Writes each message as one line on standard error (the command-line front end).
class ConsoleMessageBox : public MessageBox {
 public:
  void Show(const std::string& text) override;
};

}  // namespace vx
