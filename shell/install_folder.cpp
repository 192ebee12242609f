// The install folder that holds every working file.
#include "shell/install_folder.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "platform/atomic_file.h"
#include "platform/file_path.h"

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

// The name of the entry of folder that equals name, exactly or else without
// regard to case; name itself when there is none. The folder is read even
// where the file system ignores case (Windows), so that the spelling on the
// disk is the one answered.
std::string MatchInFolder(const std::string& folder, const std::string& name) {
  std::error_code ec;
  const std::string wanted = Lower(name);
  std::string caseBlind;
  for (fs::directory_iterator it(PathFromUtf8(folder), ec), end; !ec && it != end; it.increment(ec)) {
    const std::string entry = Utf8FromPath(it->path().filename());
    if (entry == name) return entry;
    if (caseBlind.empty() && Lower(entry) == wanted) caseBlind = entry;
  }
  return caseBlind.empty() ? name : caseBlind;
}

// The separator a folder text already uses, else the system's own.
char SeparatorOf(const std::string& folder) {
  const bool slash = folder.find('/') != std::string::npos;
  const bool backslash = folder.find('\\') != std::string::npos;
  if (slash != backslash) return slash ? '/' : '\\';
  return kSeparator;
}

}  // namespace

InstallFolder InstallFolder::FromEnvironment() {
  std::string home;
  if (EnvironmentUtf8("VEXLINE_HOME", home)) return InstallFolder(home);
#ifdef _WIN32
  std::string programFiles;
  if (!EnvironmentUtf8("ProgramFiles", programFiles)) programFiles = "C:\\Program Files";
  return InstallFolder(programFiles + "\\Vexline\\");
#else
  std::string userHome;
  if (!EnvironmentUtf8("HOME", userHome)) userHome = ".";
  return InstallFolder(userHome + "/Vexline/");
#endif
}

InstallFolder::InstallFolder(std::string folder) : m_folder(std::move(folder)) {
  if (m_folder.empty()) m_folder = ".";
  const char last = m_folder.back();
  if (last != '/' && last != '\\') m_folder += SeparatorOf(m_folder);
}

std::string InstallFolder::PathOf(const std::string& name) const {
  // Each part of a relative name ("sample/dxf") is matched in turn and joined
  // with the folder's own separator.
  const char separator = m_folder.back();
  std::string current = m_folder;
  size_t start = 0;
  while (start <= name.size()) {
    size_t end = name.find_first_of("/\\", start);
    if (end == std::string::npos) end = name.size();
    const std::string part = name.substr(start, end - start);
    if (!part.empty()) {
      if (current.back() != '/' && current.back() != '\\') current += separator;
      current += MatchInFolder(current, part);
    }
    start = end + 1;
  }
  return current;
}

InstallFolder::InstallResult InstallFolder::EnsureInstalled(const std::vector<EmbeddedFile>& files) const {
  InstallResult result;
  std::error_code ec;
  fs::create_directories(PathFromUtf8(m_folder), ec);
  if (!fs::is_directory(PathFromUtf8(m_folder), ec)) {
    result.ok = false;
    return result;
  }
  bool entryWorkbookKept = false;
  for (const char* name : kEntryWorkbookOtherFormats) {
    entryWorkbookKept = entryWorkbookKept || fs::exists(PathFromUtf8(PathOf(name)), ec);
  }
  for (const EmbeddedFile& file : files) {
    const std::string target = PathOf(file.relativePath);
    if (fs::exists(PathFromUtf8(target), ec)) continue;
    if (entryWorkbookKept && Lower(file.relativePath) == Lower(kEntryWorkbook)) continue;
    fs::create_directories(PathFromUtf8(target).parent_path(), ec);
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
