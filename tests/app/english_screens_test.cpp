// Every screen in English, offscreen: no Japanese text left on a control, a
// menu or a window title, and a picture of each screen in both languages
// (in the build folder, screens-ja/ and screens-en/; run with
// QT_SCALE_FACTOR=2 for the 200 % pictures).
#include <gtest/gtest.h>

#include "support/qt_app.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QMainWindow>
#include <QMenuBar>
#include <QTableWidget>
#include <QTranslator>

#include "calculator/calculator_screens.h"
#include "contour/contour_screens.h"
#include "display/display_screens.h"
#include "entry/entry_screens.h"
#include "exchange/exchange_screens.h"
#include "machining/machining_screens.h"
#include "platform/file_dialog.h"
#include "platform/message_box.h"
#include "shell/app_context.h"
#include "shell/embedded_files.h"
#include "shell/form_main.h"
#include "support/temp_folder.h"

namespace vx {
namespace {

bool HasJapanese(const QString& text) {
  for (const QChar c : text) {
    const char16_t u = c.unicode();
    if ((u >= 0x3000 && u <= 0x9fff) || (u >= 0xff00 && u <= 0xffef)) return true;
  }
  return false;
}

// Texts an operator reads on the window, apart from the data it shows.
QStringList TextsOf(QWidget* window) {
  QStringList texts{window->windowTitle()};
  for (auto* label : window->findChildren<QLabel*>()) {
    if (label->objectName() != "LabelLanguage") texts << label->text();  // written in both languages
  }
  for (auto* button : window->findChildren<QAbstractButton*>()) texts << button->text() << button->toolTip();
  for (auto* box : window->findChildren<QGroupBox*>()) texts << box->title();
  for (auto* action : window->findChildren<QAction*>()) texts << action->text() << action->toolTip();
  for (auto* menu : window->findChildren<QMenu*>()) texts << menu->title();
  for (auto* list : window->findChildren<QListWidget*>()) {
    for (int i = 0; i < list->count(); ++i) texts << list->item(i)->text();
  }
  for (auto* grid : window->findChildren<QTableWidget*>()) {
    for (int i = 0; i < grid->columnCount(); ++i) {
      if (grid->horizontalHeaderItem(i)) texts << grid->horizontalHeaderItem(i)->text();
    }
  }
  return texts;
}

struct ScreensFixture : ::testing::Test {
  static void SetUpTestSuite() { test::EnsureQApplication(); }
  void SetUp() override {
    ASSERT_TRUE(folder.EnsureInstalled(VxEmbeddedFiles()).ok);
    screens.SetContext(&context);
    RegisterEntryScreens(screens);
    RegisterContourScreens(screens);
    RegisterMachiningScreens(screens);
    RegisterDisplayScreens(screens);
    RegisterCalculatorScreens(screens);
    RegisterExchangeScreens(screens);
  }
  void TearDown() override {
    screens.CloseAll();
    test::Settle();
  }

  // Opens every screen (conversion 1 and CONV-2 run and close by themselves,
  // so their pictures are taken as they open), calls back with each.
  template <typename Visit>
  void EveryScreen(Visit visit) {
    Form_main menu(screens);
    screens.SetMenu(&menu);
    menu.show();
    visit(&menu);
    // The sample workbook through conversion 1 and CONV-2: a contour to show.
    menu.Cmd_conv1->click();
    ASSERT_TRUE(test::WaitFor([this] { return screens.Existing(ScreenId::kGraph) != nullptr; }, 5000));
    const ScreenId ids[] = {ScreenId::kDatain, ScreenId::kCon2amd, ScreenId::kGraph,    ScreenId::kNc,
                            ScreenId::kGraTasu, ScreenId::kCalcu,  ScreenId::kDxfConv2, ScreenId::kIgesConv2,
                            ScreenId::kDxfW,    ScreenId::kIgesW};
    for (const ScreenId id : ids) {
      QWidget* screen = screens.Show(id, Owner::kNone);
      ASSERT_NE(screen, nullptr);
      test::Settle();
      visit(screen);
    }
    for (const ScreenId id : {ScreenId::kConv0, ScreenId::kConv2}) visit(screens.Instance(id));
    screens.ShowHelp(screens.Existing(ScreenId::kNc));
    visit(screens.Help());
    screens.CloseAll();
  }

  static void Picture(QWidget* screen, const char* language) {
    const QString folder = QString(VX_BINARY_DIR "/screens-%1-%2x").arg(language).arg(screen->devicePixelRatioF());
    QDir().mkpath(folder);
    screen->grab().save(folder + "/" + screen->objectName() + ".png");
  }

  test::TempFolder temp;
  InstallFolder folder{temp.Path()};
  ElementTable table;
  PieceLayout layout;
  ScreenManager screens;
  RecordingMessageBox messageBox;
  FixedFileDialog fileDialog{std::nullopt};
  AppContext context{table, layout, folder, screens, messageBox, fileDialog};
};

TEST_F(ScreensFixture, JapanesePictures) {
  EveryScreen([](QWidget* screen) { Picture(screen, "ja"); });
}

TEST_F(ScreensFixture, EnglishLeavesNoJapaneseTextOnAnyScreen) {
  QTranslator english;
  ASSERT_TRUE(english.load("vexline_en", ":/i18n"));
  QCoreApplication::installTranslator(&english);
  EveryScreen([](QWidget* screen) {
    Picture(screen, "en");
    for (const QString& text : TextsOf(screen)) {
      EXPECT_FALSE(HasJapanese(text)) << screen->objectName().toStdString() << ": " << text.toStdString();
    }
  });
  QCoreApplication::removeTranslator(&english);
}

}  // namespace
}  // namespace vx
