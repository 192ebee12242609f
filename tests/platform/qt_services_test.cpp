// The Qt drawing surfaces: what lies far off the device never reaches Qt,
// and what is drawn on the device stays as it was.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
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

}  // namespace
}  // namespace vx
