// The Qt application object and event helpers shared by the screen tests.
#pragma once

#include <QApplication>
#include <QElapsedTimer>

#include "platform/qt_services.h"

namespace vx::test {

// Creates the one application object of a test program (fonts mapped as in
// the desktop program) unless it exists.
inline void EnsureQApplication() {
  if (QApplication::instance() != nullptr) return;
  static int argc = 1;
  static char name[] = "vexline-test";
  static char* argv[] = {name, nullptr};
  new QApplication(argc, argv);  // lives until the test program ends
  InstallFontSubstitutions();
}

// Processes events until the condition holds or the time has passed.
template <typename Condition>
bool WaitFor(Condition condition, int milliseconds = 2000) {
  QElapsedTimer timer;
  timer.start();
  while (!condition() && timer.elapsed() < milliseconds) QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
  return condition();
}

// Runs queued calls and deferred deletes.
inline void Settle() {
  QCoreApplication::processEvents();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  QCoreApplication::processEvents();
}

}  // namespace vx::test
