// The Qt back ends: the drawing surfaces (what lies far off the device never
// reaches Qt, and what is drawn on the device stays as it was), which window a
// box belongs to, and progress lines that wrap.
#include <gtest/gtest.h>

#include <QImage>
#include <QMessageBox>
#include <QPainter>
#include <QTest>
#include <QTimer>
#include <QVBoxLayout>
#include <cmath>
#include <limits>
#include <ostream>

#include "platform/qt_services.h"
#include "support/qt_app.h"

namespace vx {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

struct ClipCase {
  const char* name;
  QLineF segment;
  bool kept;
  QLineF expected;  // when kept
};

std::ostream& operator<<(std::ostream& out, const ClipCase& c) { return out << c.name; }

class ClipToDeviceReachTest : public ::testing::TestWithParam<ClipCase> {};

// A device of 100 x 50: its reach runs from -100 to 200 in x and -100 to 150 in y.
TEST_P(ClipToDeviceReachTest, KeepsThePartWithinReach) {
  const ClipCase& c = GetParam();
  QLineF segment = c.segment;
  ASSERT_EQ(ClipToDeviceReach(segment, 100, 50), c.kept);
  if (!c.kept) return;
  EXPECT_NEAR(segment.x1(), c.expected.x1(), 1e-9);
  EXPECT_NEAR(segment.y1(), c.expected.y1(), 1e-9);
  EXPECT_NEAR(segment.x2(), c.expected.x2(), 1e-9);
  EXPECT_NEAR(segment.y2(), c.expected.y2(), 1e-9);
}

INSTANTIATE_TEST_SUITE_P(
    Segments, ClipToDeviceReachTest,
    ::testing::Values(ClipCase{"Inside", QLineF(10, 10, 90, 40), true, QLineF(10, 10, 90, 40)},
                      ClipCase{"OutToTheRight", QLineF(50, 25, 1e30, 25), true, QLineF(50, 25, 200, 25)},
                      ClipCase{"AcrossFromFarToFar", QLineF(-1e30, 25, 1e30, 25), true, QLineF(-100, 25, 200, 25)},
                      ClipCase{"DiagonalKeepsItsDirection", QLineF(0, 0, 1e20, 1e20), true,
                               QLineF(0, 0, 150, 150)},
                      ClipCase{"WhollyBeside", QLineF(300, 0, 400, 40), false, QLineF()},
                      ClipCase{"PassingACornerOutside", QLineF(150, -200, 250, -50), false, QLineF()},
                      ClipCase{"APointInside", QLineF(5, 5, 5, 5), true, QLineF(5, 5, 5, 5)},
                      ClipCase{"APointOutside", QLineF(-500, 5, -500, 5), false, QLineF()},
                      ClipCase{"NotANumber", QLineF(kNaN, 5, 10, 5), false, QLineF()},
                      ClipCase{"Infinite", QLineF(0, 5, std::numeric_limits<double>::infinity(), 5), false,
                               QLineF()}),
    [](const ::testing::TestParamInfo<ClipCase>& info) { return std::string(info.param.name); });

TEST(WithinDeviceReach, TakesTheDeviceAndAsMuchAgainOnEverySide) {
  EXPECT_TRUE(WithinDeviceReach(QPointF(-100, 150), 100, 50));
  EXPECT_FALSE(WithinDeviceReach(QPointF(-100.5, 0), 100, 50));
  EXPECT_FALSE(WithinDeviceReach(QPointF(0, 1e30), 100, 50));
  EXPECT_FALSE(WithinDeviceReach(QPointF(kNaN, 0), 100, 50));
}

QImage Drawn(void (*draw)(Surface&)) {
  QImage image(100, 50, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  {
    BatchedPainterSurface surface(painter, 100, 50);
    surface.SetScale(0, 50, 100, -50);  // one unit per pixel, Y upwards
    draw(surface);
  }
  painter.end();
  return image;
}

// A line from far off the device to far off on the other side draws the same
// pixels as the same line from just outside to just outside.
TEST(BatchedPainterSurface, FarEndsDrawTheSamePixelsAsNearOnes) {
  test::EnsureQApplication();
  const QImage far = Drawn([](Surface& s) {
    s.SetColour(0);
    s.Line(-1e30, 20, 3e38, 20);
    s.Line(-1e12, -1e12, 1e12, 1e12);
    s.Point(1e30, 1e30);
  });
  const QImage near = Drawn([](Surface& s) {
    s.SetColour(0);
    s.Line(-100, 20, 200, 20);
    s.Line(-100, -100, 150, 150);
  });
  EXPECT_EQ(far, near);
  EXPECT_NE(near.pixel(50, 30), QColor(Qt::white).rgb());
}

struct QtServicesTest : ::testing::Test {
  // The program follows the windows from its start; so do these tests, so
  // that each one run alone sees the focus moves it makes.
  static void SetUpTestSuite() {
    test::EnsureQApplication();
    FollowActiveWindows();
  }
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
  FollowActiveWindows();  // as the desktop program does at its start
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
