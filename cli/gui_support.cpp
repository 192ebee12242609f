// Qt without a window for the commands that draw pictures or print.
#include "cli/gui_support.h"

#include <QApplication>
#include <cstdlib>
#include <string>

#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

#include "platform/qt_services.h"

namespace vx::cli {

void EnsureGuiApplication() {
  if (QCoreApplication::instance() != nullptr) return;
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
  // Without a session (a batch job, a service), Qt warns on standard error
  // about the missing runtime folder; give it a private one instead, so that
  // standard error carries only the program's own messages.
#ifndef _WIN32
  if (std::getenv("XDG_RUNTIME_DIR") == nullptr) {
    const std::string runtime = "/tmp/vexline-runtime-" + std::to_string(::getuid());
    ::mkdir(runtime.c_str(), 0700);
    ::chmod(runtime.c_str(), 0700);
    ::setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
  }
#endif
  static int argc = 1;
  static char name[] = "vexline-cli";
  static char* argv[] = {name, nullptr};
  new QApplication(argc, argv);  // lives until the process ends
  InstallFontSubstitutions();
  KeepFileNumberFormat();
}

}  // namespace vx::cli
