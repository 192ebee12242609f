// Work in a child process: its bytes come back whole; an abort, an exception
// or a hang end only the child.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <stdexcept>
#include <thread>

#include "platform/child_process.h"

namespace vx {
namespace {

TEST(ChildProcess, BytesComeBackWhole) {
  const std::string big(300000, 'x');  // more than a pipe holds at once
  const auto received = RunInChildProcess([&big] { return big + "end"; }, 10);
  ASSERT_TRUE(received);
  EXPECT_EQ(*received, big + "end");
}

TEST(ChildProcess, AbortExceptionAndHangEndOnlyTheChild) {
  if (!ChildProcessesAvailable()) GTEST_SKIP() << "no child processes on this platform";
  EXPECT_FALSE(RunInChildProcess([]() -> std::string { std::abort(); }, 10));
  EXPECT_FALSE(RunInChildProcess([]() -> std::string { throw std::runtime_error("x"); }, 10));
  const auto start = std::chrono::steady_clock::now();
  EXPECT_FALSE(RunInChildProcess(
      []() -> std::string {
        std::this_thread::sleep_for(std::chrono::seconds(30));
        return "late";
      },
      1));
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));
}

}  // namespace
}  // namespace vx
