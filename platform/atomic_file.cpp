// Writing a file whole or not at all, durably, on POSIX systems and on Windows.
#include "platform/atomic_file.h"

#include <filesystem>
#include <fstream>
#include <sstream>
#include <system_error>

#include "platform/file_path.h"

#ifdef _WIN32
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#else
#include <fcntl.h>
#include <unistd.h>
#include <cerrno>
#endif

namespace vx {

namespace fs = std::filesystem;

namespace {

#ifdef _WIN32

// Writes the bytes to a new file and flushes them to the disk.
bool WriteDurably(const fs::path& path, const std::string& bytes) {
  const HANDLE file = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                                    nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  bool ok = true;
  size_t done = 0;
  while (ok && done < bytes.size()) {
    const DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 30));
    DWORD written = 0;
    ok = ::WriteFile(file, bytes.data() + done, chunk, &written, nullptr) && written > 0;
    done += written;
  }
  ok = ok && ::FlushFileBuffers(file);
  return ::CloseHandle(file) && ok;
}

// Replaces target by temp. A reader (a virus scanner, an editor, the
// machine's transfer program) may hold the target open for a moment: the
// replace is tried again for about two seconds before it is given up.
bool ReplaceFile(const fs::path& temp, const fs::path& target) {
  constexpr int kAttempts = 40;
  constexpr DWORD kPauseMs = 50;
  for (int attempt = 0; attempt < kAttempts; ++attempt) {
    if (::MoveFileExW(temp.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return true;
    const DWORD error = ::GetLastError();
    if (error != ERROR_ACCESS_DENIED && error != ERROR_SHARING_VIOLATION && error != ERROR_LOCK_VIOLATION) {
      return false;
    }
    ::Sleep(kPauseMs);
  }
  return false;
}

// MOVEFILE_WRITE_THROUGH already returns only after the rename is on the disk.
void FlushFolder(const fs::path&) {}

#else

bool WriteDurably(const fs::path& path, const std::string& bytes) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  if (fd < 0) return false;
  bool ok = true;
  size_t done = 0;
  while (ok && done < bytes.size()) {
    const ssize_t written = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (written < 0 && errno == EINTR) continue;
    ok = written > 0;
    if (ok) done += static_cast<size_t>(written);
  }
  ok = ok && ::fsync(fd) == 0;
  return ::close(fd) == 0 && ok;
}

bool ReplaceFile(const fs::path& temp, const fs::path& target) {
  std::error_code ec;
  fs::rename(temp, target, ec);
  return !ec;
}

// The rename itself reaches the disk only when the folder is flushed.
void FlushFolder(const fs::path& folder) {
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

#endif

}  // namespace

bool WriteFileAtomically(const std::string& path, const std::string& bytes) {
  const fs::path target = PathFromUtf8(path);
  std::error_code ec;
  const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
  if (!fs::is_directory(folder, ec) || fs::is_directory(target, ec)) return false;
  const fs::path temp = folder / PathFromUtf8("." + Utf8FromPath(target.filename()) + ".vxtmp");
  if (!WriteDurably(temp, bytes) || !ReplaceFile(temp, target)) {
    fs::remove(temp, ec);
    return false;
  }
  FlushFolder(folder);
  return true;
}

bool ReadWholeFile(const std::string& path, std::string& bytes) {
  const fs::path file = PathFromUtf8(path);
  std::error_code ec;
  if (fs::is_directory(file, ec)) return false;
  std::ifstream in(file, std::ios::binary);
  if (!in) return false;
  std::ostringstream buffer;
  buffer << in.rdbuf();
  if (in.bad()) return false;
  bytes = buffer.str();
  return true;
}

}  // namespace vx
