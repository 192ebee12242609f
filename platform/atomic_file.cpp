// Writing a file whole or not at all.
#include "platform/atomic_file.h"

#include <filesystem>
#include <fstream>
#include <sstream>
#include <system_error>

namespace vx {

namespace fs = std::filesystem;

bool WriteFileAtomically(const std::string& path, const std::string& bytes) {
  const fs::path target(path);
  std::error_code ec;
  const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
  if (!fs::is_directory(folder, ec) || fs::is_directory(target, ec)) return false;
  const fs::path temp = folder / ("." + target.filename().string() + ".vxtmp");
  {
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    if (!out) return false;
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.flush();
    if (!out) {
      out.close();
      fs::remove(temp, ec);
      return false;
    }
  }
  fs::rename(temp, target, ec);
  if (ec) {
    fs::remove(temp, ec);
    return false;
  }
  return true;
}

bool ReadWholeFile(const std::string& path, std::string& bytes) {
  std::error_code ec;
  if (fs::is_directory(path, ec)) return false;
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  std::ostringstream buffer;
  buffer << in.rdbuf();
  if (in.bad()) return false;
  bytes = buffer.str();
  return true;
}

}  // namespace vx
