// Qt without a window for the commands that draw pictures or print.
#include "cli/gui_support.h"

#include <QApplication>
#include <cstdlib>

#include "platform/qt_services.h"

namespace vx::cli {

void EnsureGuiApplication() {
  if (QCoreApplication::instance() != nullptr) return;
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
  static int argc = 1;
  static char name[] = "vexline-cli";
  static char* argv[] = {name, nullptr};
  new QApplication(argc, argv);  // lives until the process ends
  InstallFontSubstitutions();
}

}  // namespace vx::cli
