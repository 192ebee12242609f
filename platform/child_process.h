// Running a piece of work in a child process, so that a library that ends
// the program on bad input (an assertion, a crash) or never finishes ends
// only the child.
#pragma once

#include <functional>
#include <optional>
#include <string>

namespace vx {

// Whether this platform has child processes made by forking (not Windows).
bool ChildProcessesAvailable();

// Runs work in a forked child and returns the bytes it produced. Nothing
// when the child does not end normally (a signal, an exception, an exit
// status other than 0), or has not ended after timeoutSeconds (it is then
// killed). The child's standard output and error go nowhere. Where
// ChildProcessesAvailable() is false, work runs in this process.
std::optional<std::string> RunInChildProcess(const std::function<std::string()>& work, int timeoutSeconds);

}  // namespace vx
