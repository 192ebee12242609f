// File paths as UTF-8 text, and their form for the file system (wide names on Windows).
#pragma once

#include <filesystem>
#include <string>

namespace vx {

// Every path the program passes around is UTF-8 text; the file system gets
// it through these, so a folder named 加工データ works on every system.
std::filesystem::path PathFromUtf8(const std::string& utf8);
std::string Utf8FromPath(const std::filesystem::path& path);

// The value of an environment variable as UTF-8 (Windows keeps it in UTF-16);
// false when it is not set or empty.
bool EnvironmentUtf8(const char* name, std::string& value);

}  // namespace vx
