// Work in a forked child, its result passed back through a pipe.
#include "platform/child_process.h"

#include <chrono>

#if defined(__unix__) || defined(__APPLE__)
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#define VX_CHILD_PROCESSES 1
#endif

namespace vx {

#ifdef VX_CHILD_PROCESSES

namespace {

// In the child: runs the work, writes its bytes, and ends without running
// the parent's exit handlers.
[[noreturn]] void ChildMain(const std::function<std::string()>& work, int output) {
  const int null = open("/dev/null", O_WRONLY);
  if (null >= 0) {
    dup2(null, STDOUT_FILENO);
    dup2(null, STDERR_FILENO);
  }
  int status = 0;
  try {
    const std::string out = work();
    for (size_t at = 0; at < out.size();) {
      const ssize_t n = write(output, out.data() + at, out.size() - at);
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) {
        status = 2;
        break;
      }
      at += static_cast<size_t>(n);
    }
  } catch (...) {
    status = 3;
  }
  _exit(status);
}

// In the parent: everything the child writes until it closes its end, or
// false when the deadline passes first.
bool ReceiveAll(int input, std::chrono::steady_clock::time_point deadline, std::string& received) {
  for (;;) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0) return false;
    pollfd wait{input, POLLIN, 0};
    const int ready = poll(&wait, 1, static_cast<int>(left.count()));
    if (ready < 0 && errno == EINTR) continue;
    if (ready == 0) return false;
    if (ready < 0) return true;  // the pipe failed: what came so far is judged by the caller
    char buffer[65536];
    const ssize_t n = read(input, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return true;
    received.append(buffer, static_cast<size_t>(n));
  }
}

}  // namespace

bool ChildProcessesAvailable() { return true; }

std::optional<std::string> RunInChildProcess(const std::function<std::string()>& work, int timeoutSeconds) {
  int channel[2];
  if (pipe(channel) != 0) return work();
  const pid_t child = fork();
  if (child < 0) {
    close(channel[0]);
    close(channel[1]);
    return work();
  }
  if (child == 0) {
    close(channel[0]);
    ChildMain(work, channel[1]);
  }
  close(channel[1]);
  std::string received;
  const bool ended =
      ReceiveAll(channel[0], std::chrono::steady_clock::now() + std::chrono::seconds(timeoutSeconds), received);
  close(channel[0]);
  if (!ended) kill(child, SIGKILL);
  int status = 0;
  while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
  }
  if (!ended || !WIFEXITED(status) || WEXITSTATUS(status) != 0) return std::nullopt;
  return received;
}

#else

bool ChildProcessesAvailable() { return false; }

std::optional<std::string> RunInChildProcess(const std::function<std::string()>& work, int) { return work(); }

#endif

}  // namespace vx
