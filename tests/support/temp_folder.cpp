// A fresh folder for one test, removed with everything in it afterwards.
#include "support/temp_folder.h"

#include "platform/file_path.h"

#include <atomic>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

#ifdef _WIN32
#include <process.h>
#define getpid _getpid
#else
#include <unistd.h>
#endif

namespace vx::test {

namespace fs = std::filesystem;

TempFolder::TempFolder() {
  static std::atomic<int> counter{0};
  std::random_device seed;
  const fs::path path = fs::temp_directory_path() / ("vexline-test-" + std::to_string(getpid()) + "-" +
                                                     std::to_string(counter++) + "-" + std::to_string(seed() % 100000));
  fs::create_directories(path);
  m_path = Utf8FromPath(path) + "/";
}

TempFolder::~TempFolder() {
  std::error_code ec;
  fs::remove_all(PathFromUtf8(m_path), ec);
}

void TempFolder::Write(const std::string& name, const std::string& bytes) const {
  const fs::path path = PathFromUtf8(m_path + name);
  fs::create_directories(path.parent_path());
  std::ofstream out(path, std::ios::binary);
  out << bytes;
}

std::string TempFolder::Read(const std::string& name) const {
  std::ifstream in(PathFromUtf8(m_path + name), std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

bool TempFolder::Exists(const std::string& name) const { return fs::exists(PathFromUtf8(m_path + name)); }

}  // namespace vx::test
