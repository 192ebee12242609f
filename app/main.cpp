// vexline: the desktop program. Opens the main menu and nothing else.
#include <QApplication>

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

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  QApplication::setApplicationName("Vexline");
  vx::InstallFontSubstitutions();
  vx::KeepFileNumberFormat();

  vx::ElementTable table;
  vx::PieceLayout layout;
  const vx::InstallFolder folder = vx::InstallFolder::FromEnvironment();
  folder.EnsureInstalled(vx::VxEmbeddedFiles());

  vx::ScreenManager screens;
  vx::QtMessageBox messageBox;
  vx::QtFileDialog fileDialog;
  vx::AppContext context{table, layout, folder, screens, messageBox, fileDialog};
  screens.SetContext(&context);
  vx::RegisterEntryScreens(screens);
  vx::RegisterContourScreens(screens);
  vx::RegisterMachiningScreens(screens);
  vx::RegisterDisplayScreens(screens);
  vx::RegisterCalculatorScreens(screens);
  vx::RegisterExchangeScreens(screens);

  vx::Form_main menu(screens);
  screens.SetMenu(&menu);
  messageBox.SetOwner(&menu);
  menu.show();
  return QApplication::exec();
}
