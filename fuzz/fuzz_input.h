// How the fuzz targets of the stages behind the table files read their bytes:
// a table file, optionally followed by a line starting with '#' that holds
// the settings a screen would give (comma-separated texts). The part before
// that line is a CONDTA.dat or CON2TA.dat as it would lie in the install
// folder, so a finding reproduces with the command-line program.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>
#include <system_error>
#include <vector>

namespace vx::fuzz {

struct StageInput {
  std::string tableText;
  std::vector<std::string> settings;  // the texts after '#', empty when there is none

  // Setting i, or the fallback when the input has fewer.
  std::string Setting(size_t i, const std::string& fallback) const {
    return i < settings.size() ? settings[i] : fallback;
  }
};

inline StageInput SplitStageInput(const uint8_t* data, size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  StageInput input;
  size_t marker = bytes.rfind("\n#");
  if (marker == std::string::npos) {
    input.tableText = bytes;
    return input;
  }
  input.tableText = bytes.substr(0, marker + 1);
  std::string field;
  for (size_t i = marker + 2; i < bytes.size(); ++i) {
    const char c = bytes[i];
    if (c == ',' || c == '\n' || c == '\r') {
      input.settings.push_back(field);
      field.clear();
    } else {
      field += c;
    }
  }
  input.settings.push_back(field);
  return input;
}

// A private folder of this process for the files a stage reads, ending in
// '/'; removed with its files when the process ends.
inline const std::string& ScratchFolder() {
  struct Folder {
    std::string path;
    Folder() {
      std::error_code error;
      std::filesystem::path base = std::filesystem::temp_directory_path(error);
      if (error) base = ".";
      std::random_device seed;
      std::mt19937_64 pick((static_cast<uint64_t>(seed()) << 32) ^ seed());
      for (int attempt = 0; attempt < 100 && path.empty(); ++attempt) {
        const std::filesystem::path candidate = base / ("vxfuzz." + std::to_string(pick()));
        if (std::filesystem::create_directory(candidate, error)) path = candidate.string() + "/";
      }
      if (path.empty()) std::abort();
    }
    ~Folder() {
      std::error_code error;
      std::filesystem::remove_all(path, error);
    }
  };
  static const Folder folder;
  return folder.path;
}

}  // namespace vx::fuzz
