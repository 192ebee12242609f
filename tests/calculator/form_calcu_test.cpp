// The calculator screen offscreen: its controls, the two buttons, the view
// controls and a picture of a solved three-point circle.
#include <gtest/gtest.h>

#include "support/qt_app.h"

#include <QApplication>
#include <QImage>
#include <QPixmap>
#include <QScreen>
#include <QScrollBar>

#include "calculator/calculator_guide.h"
#include "calculator/calculator_screens.h"
#include "calculator/form_calcu.h"
#include "machining/piece_layout.h"
#include "platform/file_dialog.h"
#include "platform/message_box.h"
#include "shell/app_context.h"
#include "shell/field_marks.h"
#include "shell/form_main.h"

namespace vx {
namespace {

struct CalcuFixture : ::testing::Test {
  static void SetUpTestSuite() { test::EnsureQApplication(); }
  void Type(Form_calcu& form, int row, const char* x, const char* y, const char* d) {
    form.inpX[row]->setText(x);
    form.inpY[row]->setText(y);
    form.inpD[row]->setText(d);
  }
};

TEST_F(CalcuFixture, OpensWithItsCaptionsGridAndGuide) {
  Form_calcu form;
  EXPECT_EQ(form.windowTitle(), "calculate");
  EXPECT_EQ(form.objectName(), "Form_calcu");
  EXPECT_EQ(form.butStart->text(), QString::fromUtf8("計算"));
  EXPECT_EQ(form.butCLR->text(), QString::fromUtf8("クリア"));
  EXPECT_EQ(form.findChild<QLineEdit*>("inpD(2)"), form.inpD[2]);
  EXPECT_NE(form.findChild<QLabel*>("ansRem"), nullptr);
  for (int r = 0; r < 3; ++r) {
    EXPECT_EQ(form.inpX[r]->text(), "0.000");
    EXPECT_EQ(form.inpY[r]->text(), "0.000");
    EXPECT_EQ(form.inpD[r]->text(), "");
  }
  const std::vector<std::string> guide = CalcGuideLines();
  ASSERT_EQ(form.List1->count(), 84);
  EXPECT_EQ(form.List1->item(0)->text(), QString::fromUtf8("1.1 ２点の角度"));
  EXPECT_EQ(form.List1->item(80)->text(), QString::fromUtf8("      3 x,y, 3,A,B"));
  EXPECT_EQ(form.List1->item(6)->text(), "      ");
  EXPECT_EQ(form.List1->currentRow(), 5);
  bool headerFound = false;
  for (QLabel* label : form.findChildren<QLabel*>()) {
    headerFound |= label->text() ==
                   QString::fromUtf8("      [  X  ]        [  Y  ]    [  D  ]      [  A  ]        [  B  ]      [  C  ]     [  R  ]    [ S ]");
  }
  EXPECT_TRUE(headerFound);
  EXPECT_EQ(form.Slider1->value(), 100);
  EXPECT_EQ(form.HScroll1->value(), 20);
  EXPECT_EQ(form.VScroll1->value(), 30);
  EXPECT_EQ(form.HScroll1->maximum(), 50);
}

// Pixels of the drawing area in the input colour (light blue) and the answer colour (light red).
std::pair<int, int> BlueAndRed(Form_calcu& form) {
  const QImage picture = form.Picture1->grab().toImage();
  int blue = 0, red = 0;
  for (int y = 0; y < picture.height(); ++y) {
    for (int x = 0; x < picture.width(); ++x) {
      const QColor c = picture.pixelColor(x, y);
      red += c.red() > 200 && c.green() < 80 && c.blue() < 80;
      blue += c.blue() > 200 && c.red() < 80 && c.green() < 80;
    }
  }
  return {blue, red};
}

TEST_F(CalcuFixture, ThreePointCircleIsSolvedAndDrawn) {
  Form_calcu form;
  form.resize(900, 720);
  form.show();
  Type(form, 0, "0", "0", "8");
  Type(form, 1, "10", "0", "8");
  Type(form, 2, "0", "10", "8");
  form.butStart->click();
  EXPECT_EQ(form.ansX->text(), "5");
  EXPECT_EQ(form.ansY->text(), "5");
  EXPECT_EQ(form.ansR->text(), "7.0711");
  EXPECT_EQ(form.ansA->text(), "");
  EXPECT_EQ(form.ansRem->text(), "");
  // Scroll the origin near the top-left corner and zoom in, so that the
  // circle is large enough to see (zooming keeps the top-left corner).
  form.HScroll1->setValue(22);
  form.VScroll1->setValue(33);
  form.Slider1->setValue(300);
  const QPixmap shot = form.grab();
  shot.save(VX_BINARY_DIR "/calculator_three_points.png");
  const auto [blue, red] = BlueAndRed(form);
  EXPECT_GT(red, 100) << "the answer circle in light red";
  EXPECT_GT(blue, 20) << "the input points in light blue";
}

TEST_F(CalcuFixture, ClearButtonResetsGridAndClearsTheDrawing) {
  Form_calcu form;
  form.resize(900, 720);
  form.show();
  Type(form, 0, "1", "2", "8");
  Type(form, 1, "20", "10", "8");
  form.inpD[2]->setText("99");
  form.butStart->click();
  EXPECT_GT(BlueAndRed(form).first, 10);
  EXPECT_GT(BlueAndRed(form).second, 10);
  form.butCLR->click();
  for (int r = 0; r < 3; ++r) {
    EXPECT_EQ(form.inpX[r]->text(), "0.000");
    EXPECT_EQ(form.inpD[r]->text(), r == 2 ? "99" : "");
    EXPECT_EQ(form.inpA[r]->text(), "");
  }
  for (QLabel* label : {form.ansX, form.ansY, form.ansA, form.ansR, form.ansRem}) EXPECT_EQ(label->text(), "");
  EXPECT_EQ(BlueAndRed(form), (std::pair<int, int>{0, 0}));
}

TEST_F(CalcuFixture, FieldHoldingNoNumberIsNamedAndMarked) {
  Form_calcu form;
  Type(form, 0, "abc", "0", "8");
  Type(form, 1, "10", "0", "8");
  form.inpD[2]->setText("99");
  form.butStart->click();
  EXPECT_EQ(form.ansRem->text(), QString::fromUtf8("1行目のXが数値でない"));
  EXPECT_TRUE(IsMarked(form.inpX[0]));
  EXPECT_EQ(form.inpX[0]->toolTip(), QString::fromUtf8("1行目のXが数値でない"));
  form.inpX[0]->setText("0");
  form.butStart->click();
  EXPECT_EQ(form.ansA->text(), "0");
  EXPECT_FALSE(IsMarked(form.inpX[0]));
}

TEST_F(CalcuFixture, ClearTakesTheMarkOffTheBoxItReset) {
  Form_calcu form;
  Type(form, 0, "abc", "0", "8");
  form.butStart->click();
  ASSERT_TRUE(IsMarked(form.inpX[0]));
  form.butCLR->click();
  EXPECT_EQ(form.inpX[0]->text(), "0.000");
  EXPECT_FALSE(IsMarked(form.inpX[0]));
  EXPECT_EQ(form.inpX[0]->toolTip(), "");
  EXPECT_EQ(form.ansRem->text(), "");
}

TEST_F(CalcuFixture, WindowFitsSmallScreens) {
  // 1366 x 768 at 100 % and 1920 x 1080 at 200 % (960 x 540 in the window's
  // own pixels), less a task bar and the window frame.
  for (const QSize screen : {QSize(1366, 700), QSize(940, 480)}) {
    Form_calcu form;
    EXPECT_LE(form.minimumSize().width(), screen.width());
    EXPECT_LE(form.minimumSize().height(), screen.height());
    form.resize(screen);
    form.show();
    QApplication::processEvents();
    EXPECT_EQ(form.size(), screen);
    // The drawing keeps its room; what the band does not show it scrolls to.
    EXPECT_GE(form.DrawingPane->height(), 120);
    EXPECT_GE(form.Picture1->height(), 60);
    EXPECT_EQ(form.DrawingPane->y() + form.DrawingPane->height(), screen.height());
    const QWidget* band = form.BandArea->widget();
    const bool bandFits = band->minimumSizeHint().width() <= form.BandArea->viewport()->width();
    EXPECT_EQ(form.BandArea->horizontalScrollBar()->maximum() > 0, !bandFits) << screen.width();
    form.grab().save(QString(VX_BINARY_DIR "/calculator_%1x%2.png").arg(screen.width()).arg(screen.height()));
  }
  // Opened on a screen of its own, the window never exceeds it.
  Form_calcu form;
  const QSize room = QGuiApplication::primaryScreen()->availableGeometry().size();
  EXPECT_LE(form.width(), std::max(room.width(), 360));
  EXPECT_LE(form.height(), std::max(room.height(), 300));
}

TEST_F(CalcuFixture, WrongOrderMessageInTheRemarkLabel) {
  Form_calcu form;
  form.inpD[0]->setText("2");
  form.inpD[1]->setText("1");
  form.inpD[2]->setText("99");
  form.butStart->click();
  EXPECT_EQ(form.ansRem->text(), QString::fromUtf8("入力順違いで計算出来ない"));
}

TEST_F(CalcuFixture, SliderZeroBecomesTenAndScrollWritesStatus) {
  Form_calcu form;
  form.show();
  form.Slider1->setValue(0);
  EXPECT_EQ(form.Slider1->value(), 10);
  EXPECT_EQ(form.Label1->text(), "10%");
  EXPECT_EQ(form.View().zoomPercent, 10);
  form.Slider1->setValue(100);
  form.HScroll1->setValue(21);
  EXPECT_EQ(form.View().hScroll, 21);
  EXPECT_TRUE(form.StatusPanel1->text().startsWith("X=-30.Y="));
}

TEST_F(CalcuFixture, MenuButtonOpensTheCalculator) {
  ElementTable table;
  PieceLayout layout;
  InstallFolder folder{"/tmp/vexline-calcu-test"};
  ScreenManager screens;
  RecordingMessageBox messageBox;
  FixedFileDialog fileDialog{std::nullopt};
  AppContext context{table, layout, folder, screens, messageBox, fileDialog};
  screens.SetContext(&context);
  RegisterCalculatorScreens(screens);
  Form_main menu(screens);
  screens.SetMenu(&menu);
  EXPECT_TRUE(menu.Cmd_cal->isEnabled());
  menu.Cmd_cal->click();
  QWidget* screen = screens.Existing(ScreenId::kCalcu);
  ASSERT_NE(screen, nullptr);
  EXPECT_EQ(screen->objectName(), "Form_calcu");
  screen->close();
}

}  // namespace
}  // namespace vx
