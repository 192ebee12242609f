// Whether the contour file is the contour the operator last asked for.
#include "shell/contour_notice.h"

#include <filesystem>
#include <system_error>

namespace vx {

namespace fs = std::filesystem;

std::string ContourNotice::FileStamp(const std::string& path) {
  std::error_code ec;
  if (!fs::exists(path, ec) || ec) return "-";
  const auto size = fs::file_size(path, ec);
  const std::string sizeText = ec ? "?" : std::to_string(size);
  const auto time = fs::last_write_time(path, ec);
  const std::string timeText = ec ? "?" : std::to_string(time.time_since_epoch().count());
  return sizeText + "/" + timeText;
}

void ContourNotice::Set(const std::string& reason, const std::string& contourPath) {
  m_reason = reason;
  m_path = contourPath;
  m_stamp = FileStamp(contourPath);
}

void ContourNotice::Clear() {
  m_reason.clear();
  m_path.clear();
  m_stamp.clear();
}

std::string ContourNotice::Current(const std::string& contourPath) const {
  if (m_reason.empty() || contourPath != m_path || FileStamp(contourPath) != m_stamp) return {};
  return m_reason;
}

}  // namespace vx
