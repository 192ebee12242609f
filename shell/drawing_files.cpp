// Drawings for import told apart by their names, and the list of recent ones.
#include "shell/drawing_files.h"

#include <algorithm>
#include <cctype>

namespace vx {

DrawingKind DrawingKindOf(const std::string& path) {
  const std::size_t dot = path.find_last_of('.');
  const std::size_t separator = path.find_last_of("/\\");
  if (dot == std::string::npos || (separator != std::string::npos && dot < separator)) return DrawingKind::kNone;
  std::string extension = path.substr(dot + 1);
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  if (extension == "dxf") return DrawingKind::kDxf;
  if (extension == "igs" || extension == "iges") return DrawingKind::kIges;
  return DrawingKind::kNone;
}

std::vector<std::string> WithRecent(const std::vector<std::string>& list, const std::string& path, std::size_t limit) {
  std::vector<std::string> result;
  if (!path.empty()) result.push_back(path);
  for (const std::string& entry : list) {
    if (result.size() >= limit) break;
    if (!entry.empty() && entry != path) result.push_back(entry);
  }
  if (result.size() > limit) result.resize(limit);
  return result;
}

}  // namespace vx
