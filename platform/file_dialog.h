// The common open and save dialogs.
#pragma once

#include <optional>
#include <string>

namespace vx {

struct FileDialogRequest {
  std::string title;
  std::string initialPath;  // folder, or folder + proposed file name
  std::string filter;       // "DXF (*.dxf)|*.dxf" style text as the screen gives it
};

class FileDialog {
 public:
  virtual ~FileDialog() = default;
  // The chosen path, or nothing when the operator cancelled.
  virtual std::optional<std::string> AskOpen(const FileDialogRequest& request) = 0;
  virtual std::optional<std::string> AskSave(const FileDialogRequest& request) = 0;
};

// Answers every request with a fixed path (or cancels when it is empty).
class FixedFileDialog : public FileDialog {
 public:
  explicit FixedFileDialog(std::optional<std::string> answer) : m_answer(std::move(answer)) {}
  std::optional<std::string> AskOpen(const FileDialogRequest& request) override {
    last = request;
    return m_answer;
  }
  std::optional<std::string> AskSave(const FileDialogRequest& request) override {
    last = request;
    return m_answer;
  }
  FileDialogRequest last;

 private:
  std::optional<std::string> m_answer;
};

}  // namespace vx
