// vexline: the desktop program. Opens the main menu and nothing else.
//
//   vexline [--lang=ja|en]
//
// The language is taken from --lang, else from VEXLINE_LANG, else from the
// choice made on the main menu; Japanese when none is given. Window sizes and
// each screen's last settings are kept in the user's settings file, or in the
// file VEXLINE_SETTINGS names.
#include <QApplication>
#include <QDir>
#include <QSettings>
#include <cstdio>
#include <memory>

#include "calculator/calculator_screens.h"
#include "contour/contour_screens.h"
#include "display/display_screens.h"
#include "entry/entry_screens.h"
#include "exchange/exchange_screens.h"
#include "machining/machining_screens.h"
#include "platform/qt_services.h"
#include "shell/app_context.h"
#include "shell/embedded_files.h"
#include "shell/form_main.h"
#include "shell/instance_lock.h"
#include "shell/language.h"

namespace {

std::unique_ptr<QSettings> OpenSettings() {
  const QString path = qEnvironmentVariable("VEXLINE_SETTINGS");
  if (!path.isEmpty()) return std::make_unique<QSettings>(path, QSettings::IniFormat);
  return std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope, "Vexline", "Vexline");
}

}  // namespace

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  QApplication::setApplicationName("Vexline");
  const std::unique_ptr<QSettings> settings = OpenSettings();
  const vx::UiLanguage language = vx::ChooseLanguage(QApplication::arguments(), qgetenv("VEXLINE_LANG"),
                                                     settings->value(vx::kLanguageKey));
  vx::InstallLanguage(language, application);
  vx::InstallFontSubstitutions();
  vx::KeepFileNumberFormat();
  vx::FollowActiveWindows();

  vx::QtMessageBox messageBox;
  const vx::InstallFolder folder = vx::InstallFolder::FromEnvironment();
  QDir().mkpath(vx::ToQString(folder.Folder()));
  // Two programs on one folder would overwrite each other's working files.
  vx::InstanceLock lock(folder.Folder());
  if (lock.TryLock() == vx::InstanceLock::Result::kHeldByAnother) {
    const std::string text =
        vx::ToStdString(vx::AlreadyRunningText(vx::ToQString(folder.Folder()), lock.HolderProcess()));
    std::fprintf(stderr, "%s\n", text.c_str());  // for a start from a terminal
    messageBox.Show(text);
    return 1;
  }
  folder.EnsureInstalled(vx::VxEmbeddedFiles());

  vx::ElementTable table;
  vx::PieceLayout layout;
  vx::ScreenManager screens;
  screens.SetSettings(settings.get());
  vx::QtFileDialog fileDialog;
  vx::AppContext context{table, layout, folder, screens, messageBox, fileDialog};
  screens.SetContext(&context);
  screens.RestoreSharedSettings();
  vx::RegisterEntryScreens(screens);
  vx::RegisterContourScreens(screens);
  vx::RegisterMachiningScreens(screens);
  vx::RegisterDisplayScreens(screens);
  vx::RegisterCalculatorScreens(screens);
  vx::RegisterExchangeScreens(screens);

  vx::Form_main menu(screens);
  menu.ShowLanguage(language);
  screens.SetMenu(&menu);
  messageBox.SetOwner(&menu);
  menu.show();
  return QApplication::exec();
}
