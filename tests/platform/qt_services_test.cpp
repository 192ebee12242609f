// The Qt back ends offscreen: which window a box belongs to, and progress
// lines that wrap.
#include <gtest/gtest.h>

#include "support/qt_app.h"

#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <QVBoxLayout>

#include "platform/qt_services.h"

namespace vx {
namespace {

struct QtServicesTest : ::testing::Test {
  static void SetUpTestSuite() { test::EnsureQApplication(); }
};

// A box shown while the operator works in a screen is that screen's: centred
// on it, without raising the main menu (its owner) above it.
TEST_F(QtServicesTest, MessageBoxBelongsToTheActiveWindow) {
  QWidget menu;
  menu.setObjectName("menu");
  QWidget screen;
  screen.setObjectName("screen");
  menu.show();
  screen.show();
  screen.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&screen));
  EXPECT_EQ(DialogParent(&menu), &screen);

  QtMessageBox box(&menu);
  QString parentName;
  QTimer::singleShot(0, [&] {
    QWidget* shown = QApplication::activeModalWidget();
    ASSERT_NE(shown, nullptr);
    parentName = shown->parentWidget() != nullptr ? shown->parentWidget()->objectName() : QString();
    static_cast<QMessageBox*>(shown)->accept();
  });
  box.Show("x");
  EXPECT_EQ(parentName, "screen");

  screen.close();
  menu.close();
  test::Settle();
  EXPECT_EQ(DialogParent(&menu), QApplication::activeWindow() != nullptr ? QApplication::activeWindow() : &menu);
}

// After a dialog of the screen closes, and before the window system gives the
// focus back, a box still belongs to the screen, not to the main menu.
TEST_F(QtServicesTest, MessageBoxAfterADialogClosedBelongsToTheScreenBeforeIt) {
  QWidget menu;
  QWidget screen;
  menu.show();
  screen.show();
  screen.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&screen));
  auto* dialog = new QWidget;
  dialog->show();
  dialog->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(dialog));
  delete dialog;
  test::Settle();
  EXPECT_EQ(DialogParent(&menu), &screen);
}

// A line wider than the surface goes on over the next lines; the surface
// grows to hold them and keeps its screen's minimum when they are short.
TEST_F(QtServicesTest, ProgressLinesWrapAndTheSurfaceGrows) {
  QWidget window;
  auto* layout = new QVBoxLayout(&window);
  auto* surface = new ProgressSurface(&window);
  surface->setMinimumHeight(40);
  layout->addWidget(surface);
  window.resize(200, 60);
  window.show();
  test::Settle();
  surface->Print("short");
  test::Settle();
  EXPECT_EQ(surface->minimumHeight(), 40);
  const std::string longLine = "CONV-2 が中止されたため、CON2TA.dat は今回の変換結果ではありません。";
  surface->Print(longLine);
  test::Settle();
  const QFontMetrics metrics(surface->font());
  EXPECT_GE(surface->TextHeight(surface->width()), 3 * metrics.height());  // the short line and two or more
  EXPECT_GE(surface->height(), surface->TextHeight(surface->width()));
  window.resize(2000, window.height());  // wide enough for one line each: no higher than it needs
  test::Settle();
  EXPECT_EQ(surface->TextHeight(surface->width()), 2 * metrics.height() + 8);
}

}  // namespace
}  // namespace vx
