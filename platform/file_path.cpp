// File paths as UTF-8 text, and their form for the file system (wide names on Windows).
#include "platform/file_path.h"

#include <cstdlib>

namespace vx {

// u8path and u8string convert between UTF-8 and the native encoding: the
// identity on POSIX systems, UTF-16 on Windows (where a plain std::string
// path would be read in the ANSI code page).
std::filesystem::path PathFromUtf8(const std::string& utf8) { return std::filesystem::u8path(utf8); }

std::string Utf8FromPath(const std::filesystem::path& path) { return path.u8string(); }

bool EnvironmentUtf8(const char* name, std::string& value) {
#ifdef _WIN32
  const std::wstring wideName = std::filesystem::path(name).wstring();
  const wchar_t* wide = ::_wgetenv(wideName.c_str());
  if (wide == nullptr || *wide == L'\0') return false;
  value = Utf8FromPath(std::filesystem::path(wide));
#else
  const char* text = std::getenv(name);
  if (text == nullptr || *text == '\0') return false;
  value = text;
#endif
  return true;
}

}  // namespace vx
