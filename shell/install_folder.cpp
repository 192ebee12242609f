// The install folder that holds every working file.
#include "shell/install_folder.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "platform/atomic_file.h"

namespace vx {

namespace fs = std::filesystem;

namespace {

#ifdef _WIN32
constexpr char kSeparator = '\\';
#else
constexpr char kSeparator = '/';
#endif

std::string Lower(std::string s) {
  std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return std::tolower(c); });
  return s;
}

// The entry of folder whose name equals name without regard to case.
std::string MatchInFolder(const fs::path& folder, const std::string& name) {
  std::error_code ec;
  if (fs::exists(folder / name, ec)) return (folder / name).string();
  const std::string wanted = Lower(name);
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    if (Lower(it->path().filename().string()) == wanted) return it->path().string();
  }
  return (folder / name).string();
}

}  // namespace

InstallFolder InstallFolder::FromEnvironment() {
  if (const char* home = std::getenv("VEXLINE_HOME"); home != nullptr && *home != '\0') {
    return InstallFolder(home);
  }
#ifdef _WIN32
  const char* programFiles = std::getenv("ProgramFiles");
  return InstallFolder(std::string(programFiles ? programFiles : "C:\\Program Files") + "\\Vexline\\");
#else
  const char* userHome = std::getenv("HOME");
  return InstallFolder(std::string(userHome ? userHome : ".") + "/Vexline/");
#endif
}

InstallFolder::InstallFolder(std::string folder) : m_folder(std::move(folder)) {
  if (m_folder.empty()) m_folder = ".";
  const char last = m_folder.back();
  if (last != '/' && last != '\\') m_folder += kSeparator;
}

std::string InstallFolder::PathOf(const std::string& name) const {
  // Each part of a relative name ("sample/dxf") is matched in turn.
  fs::path current(m_folder);
  const fs::path relative(name);
  for (auto part = relative.begin(); part != relative.end(); ++part) {
    current = fs::path(MatchInFolder(current, part->string()));
  }
  return current.string();
}

InstallFolder::InstallResult InstallFolder::EnsureInstalled(const std::vector<EmbeddedFile>& files) const {
  InstallResult result;
  std::error_code ec;
  fs::create_directories(m_folder, ec);
  if (!fs::is_directory(m_folder, ec)) {
    result.ok = false;
    return result;
  }
  bool entryWorkbookKept = false;
  for (const char* name : kEntryWorkbookOtherFormats) entryWorkbookKept = entryWorkbookKept || fs::exists(PathOf(name), ec);
  for (const EmbeddedFile& file : files) {
    const std::string target = PathOf(file.relativePath);
    if (fs::exists(target, ec)) continue;
    if (entryWorkbookKept && Lower(file.relativePath) == Lower(kEntryWorkbook)) continue;
    fs::create_directories(fs::path(target).parent_path(), ec);
    const std::string bytes(reinterpret_cast<const char*>(file.data), file.size);
    if (!WriteFileAtomically(target, bytes)) {
      result.ok = false;
      continue;
    }
    result.added.push_back(file.relativePath);
  }
  return result;
}

}  // namespace vx
