// The contour view screen offscreen: captions, menus, zoom, panning, buttons,
// a screenshot and a printed sheet as PDF.
#include <gtest/gtest.h>

#include "support/qt_app.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPrinterInfo>

#include "display/display_screens.h"
#include "display/form_graph.h"
#include "platform/file_dialog.h"
#include "platform/message_box.h"
#include "platform/qt_services.h"
#include "shell/app_context.h"
#include "shell/table_file.h"
#include "support/temp_folder.h"

namespace vx {
namespace {

// A rectangle 40 x 30 with a rounded corner of radius 10, entered from a start hole.
const char* const kSampleContour =
    "10\r\n-5,5,0,0,0\r\n0,5,0,0,0\r\n0,0,0,0,0\r\n40,0,0,0,0\r\n40,20,0,0,0\r\n30,20,0,10,0\r\n"
    "30,30,0,0,0\r\n0,30,0,0,0\r\n0,5,0,0,0\r\n-5,5,0,0,0\r\n0,0,99,0,0\r\n";

struct GraphFixture : ::testing::Test {
  static void SetUpTestSuite() { test::EnsureQApplication(); }
  void SetUp() override {
    folder.Write("CON2TA.dat", kSampleContour);
    screens.SetContext(&context);
    RegisterDisplayScreens(screens);
  }
  void TearDown() override { screens.CloseAll(); }

  Form_graph* Open() {
    auto* form = dynamic_cast<Form_graph*>(screens.Show(ScreenId::kGraph, Owner::kNone));
    EXPECT_NE(form, nullptr);
    QApplication::processEvents();
    return form;
  }

  test::TempFolder folder;
  InstallFolder install{folder.Path()};
  ElementTable table;
  PieceLayout layout;
  ScreenManager screens;
  RecordingMessageBox messageBox;
  FixedFileDialog fileDialog{std::nullopt};
  AppContext context{table, layout, install, screens, messageBox, fileDialog};
};

QString Utf8(const char* text) { return QString::fromUtf8(text); }

TEST_F(GraphFixture, ControlsAndMenusCarryTheirCaptions) {
  Form_graph* form = Open();
  ASSERT_NE(form, nullptr);
  EXPECT_EQ(form->objectName(), "Form_graph");
  EXPECT_EQ(form->OffsetCaption->text(), Utf8("オフセット　　左＋"));
  EXPECT_EQ(form->Text1->text(), "0");
  EXPECT_EQ(form->Command2->text(), Utf8("多数個とり"));
  EXPECT_EQ(form->Command1->text(), Utf8("終了:NC出力へ"));
  EXPECT_EQ(form->PerimeterCaption->text(), Utf8("周長"));
  EXPECT_EQ(form->UnitCaption->text(), Utf8("　mm"));
  EXPECT_EQ(form->Label1->text(), "100%");
  EXPECT_EQ(form->StatusPanel1->width(), 4000 / 15);

  struct Item {
    QAction* action;
    const char* caption;
    const char* shortcut;
    bool checked;
  };
  const Item items[] = {
      {form->menufile[6], "プリンタの設定(&R)", "Ctrl+R", false}, {form->menufile[7], "印刷(&P)", "Ctrl+P", false},
      {form->menufile[9], "終了(&E)", "Ctrl+E", false},           {form->menuview[0], "スケール表示(&V)", "", true},
      {form->menuview[2], "ステータスバー(&B)", "Ctrl+B", true},  {form->menuview[9], "ズーム(&Z)", "", false},
      {form->menuzoom[0], "縮小(&S)", "Ctrl+S", false},           {form->menuzoom[1], "拡大(&L)", "Ctrl+L", false},
      {form->helpVersion, "DORN-VXL Version 6.0.1", "", false},
  };
  for (const Item& item : items) {
    ASSERT_NE(item.action, nullptr) << item.caption;
    EXPECT_EQ(item.action->text(), Utf8(item.caption));
    EXPECT_EQ(item.action->shortcut().toString(), Utf8(item.shortcut)) << item.caption;
    EXPECT_EQ(item.action->isChecked(), item.checked) << item.caption;
  }
  EXPECT_TRUE(form->menufile[8]->isSeparator());
  QStringList menus;
  for (QAction* action : form->menuBar()->actions()) menus << action->text();
  EXPECT_EQ(menus, (QStringList{Utf8("ファイル(&F)"), Utf8("表示(&V)"), Utf8("オプション(&O)"), Utf8("ヘルプ(&F)")}));
}

TEST_F(GraphFixture, LayoutFillsTheWindowBelowTheBand) {
  Form_graph* form = Open();
  form->resize(900, 700);
  QApplication::processEvents();
  const int inner = form->centralWidget()->height();
  EXPECT_EQ(form->Picture1->y(), form->Command1->height());
  EXPECT_EQ(form->Picture1->height(),
            inner - form->HScroll1->height() - form->Command1->height() - form->StatusBar1->height());
  EXPECT_EQ(form->VScroll1->x(), form->Picture1->width());
  EXPECT_EQ(form->HScroll1->y(), form->Picture1->y() + form->Picture1->height());
  // Without the room for the status bar the drawing area reaches under it.
  form->menuview[2]->trigger();
  EXPECT_FALSE(form->menuview[2]->isChecked());
  EXPECT_EQ(form->Picture1->height(), inner - form->HScroll1->height() - form->Command1->height());
  EXPECT_TRUE(form->StatusBar1->isVisible());
  // Too small a window is enlarged.
  form->resize(200, 200);
  QApplication::processEvents();
  EXPECT_EQ(form->width(), 300);
  EXPECT_EQ(form->height(), 5000 / 15);
}

TEST_F(GraphFixture, SliderAtZeroBecomesTenAndTheZoomItemsStepBy20) {
  Form_graph* form = Open();
  form->Slider1->setValue(0);
  EXPECT_EQ(form->Slider1->value(), 10);
  EXPECT_EQ(form->Label1->text(), "10%");
  EXPECT_DOUBLE_EQ(form->View().ZoomFactor(), 0.1);
  form->menuzoom[1]->trigger();
  EXPECT_EQ(form->Label1->text(), "30%");
  form->menuzoom[0]->trigger();
  form->menuzoom[0]->trigger();
  EXPECT_EQ(form->Slider1->value(), 10);  // 10 - 20 stops at 0, which is taken as 10
  form->menuview[0]->trigger();
  EXPECT_FALSE(form->Slider1->isEnabled());
}

TEST_F(GraphFixture, ClickPansByScrollStepsAndWritesTheStatus) {
  Form_graph* form = Open();
  EXPECT_TRUE(form->StatusPanel1->text().startsWith("X=-50.Y=")) << "shown from the start";
  const ViewWindow start = form->View().Window();
  // Click on the world origin: nothing moves.
  const QPointF origin((0 - start.left) / start.width * form->Picture1->width(),
                       (0 - start.top) / start.height * form->Picture1->height());
  QMouseEvent press(QEvent::MouseButtonPress, origin, form->Picture1->mapToGlobal(origin), Qt::LeftButton,
                    Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(form->Picture1, &press);
  EXPECT_EQ(form->HScroll1->value(), kStartHScroll);
  EXPECT_EQ(form->VScroll1->value(), kStartVScroll);
  EXPECT_NEAR(form->View().Window().left, -50, 1e-6);
  EXPECT_TRUE(form->StatusPanel1->text().startsWith("X=-50.Y="));
  // Click 20 units right of the origin and 20 units up: the window follows in scroll steps.
  const QPointF point((20 - start.left) / start.width * form->Picture1->width(),
                      (20 - start.top) / start.height * form->Picture1->height());
  QMouseEvent press2(QEvent::MouseButtonPress, point, form->Picture1->mapToGlobal(point), Qt::LeftButton,
                     Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(form->Picture1, &press2);
  EXPECT_EQ(form->HScroll1->value(), 76);
  EXPECT_EQ(form->VScroll1->value(), 125);
  EXPECT_DOUBLE_EQ(form->View().Window().left, -70);
  EXPECT_DOUBLE_EQ(form->View().Window().top, 50);
  EXPECT_TRUE(form->StatusPanel1->text().startsWith("X=-70.Y="));
}

TEST_F(GraphFixture, OffsetAndTwoPiecesScreenshot) {
  layout.Row(1).sftX = "-50";
  layout.Row(1).sftY = "-40";
  layout.Row(1).mirX = "1";
  Form_graph* form = Open();
  form->Text1->setText("1");
  const QImage drawing = form->Picture1->Image();
  int cyan = 0, green = 0;
  for (int y = 0; y < drawing.height(); ++y) {
    for (int x = 0; x < drawing.width(); ++x) {
      const QRgb pixel = drawing.pixel(x, y);
      if (pixel == PaletteQColor(kContourColour).rgb()) ++cyan;
      if (pixel == PaletteQColor(kOffsetColour).rgb()) ++green;
    }
  }
  EXPECT_GT(green, 100);
  form->grab().save(QString::fromUtf8(VX_BINARY_DIR "/form_graph.png"));
  // Without an offset only the contour is drawn, in cyan.
  form->Text1->setText("0");
  cyan = green = 0;
  const QImage contour = form->Picture1->Image();
  for (int y = 0; y < contour.height(); ++y) {
    for (int x = 0; x < contour.width(); ++x) {
      const QRgb pixel = contour.pixel(x, y);
      if (pixel == PaletteQColor(kContourColour).rgb()) ++cyan;
      if (pixel == PaletteQColor(kOffsetColour).rgb()) ++green;
    }
  }
  EXPECT_GT(cyan, 100);
  EXPECT_EQ(green, 0);
  EXPECT_EQ(form->Label4->text(), "145.7");
  form->grab().save(QString::fromUtf8(VX_BINARY_DIR "/form_graph_contour.png"));
}

TEST_F(GraphFixture, DraggingAScrollBarOrTheSliderRedrawsOnceAtRelease) {
  // The entry line runs on in the direction of the first side: the offset path
  // reports the missing intersection at every redraw.
  folder.Write("CON2TA.dat", "5\r\n-5,0,0,0,0\r\n0,0,0,0,0\r\n10,0,0,0,0\r\n10,20,0,0,0\r\n0,20,0,0,0\r\n,,99,,\r\n");
  Form_graph* form = Open();
  form->Text1->setText("1");
  ASSERT_EQ(messageBox.messages.size(), 1u);
  struct Drag {
    QAbstractSlider* control;
    int from, to;
  };
  for (const Drag& drag : {Drag{form->HScroll1, 81, 90}, Drag{form->VScroll1, 121, 130}, Drag{form->Slider1, 110, 200}}) {
    messageBox.messages.clear();
    drag.control->setSliderDown(true);
    for (int position = drag.from; position <= drag.to; ++position) drag.control->setSliderPosition(position);
    EXPECT_TRUE(messageBox.messages.empty()) << drag.control->objectName().toStdString();
    drag.control->setSliderDown(false);
    EXPECT_EQ(drag.control->value(), drag.to);
    EXPECT_EQ(messageBox.messages.size(), 1u) << drag.control->objectName().toStdString();
  }
  // h = 90, v = 130 at 200 %: the window follows the released values.
  EXPECT_DOUBLE_EQ(form->View().Window().left, 0);
  EXPECT_DOUBLE_EQ(form->View().Window().top, 15);
}

// An imported side from (0, 0) to (1000, 1000) with bulge 1e-14: an arc of
// radius 3.5e16 whose sweep is below one drawing step. The view shows it as
// its chord at once, with or without an offset, and prints it.
TEST_F(GraphFixture, ArcOfHugeRadiusShowsAsItsChord) {
  folder.Write("CON2TA.dat",
               "3\r\n0,0,0,0,0\r\n-2.49999999999995E+16,2.50000000000005E+16,0,3.53553390593274E+16,0\r\n"
               "1000,1000,0,0,0\r\n,,99,,\r\n");
  QElapsedTimer timer;
  timer.start();
  Form_graph* form = Open();
  ASSERT_NE(form, nullptr);
  EXPECT_EQ(form->Label4->text(), "1414.2");
  form->Text1->setText("0.1");
  const QImage drawing = form->Picture1->Image();
  // The path of a single side is the side itself: green over the cyan.
  int drawn = 0;
  for (int y = 0; y < drawing.height(); ++y) {
    for (int x = 0; x < drawing.width(); ++x) {
      const QRgb pixel = drawing.pixel(x, y);
      drawn += pixel == PaletteQColor(kContourColour).rgb() || pixel == PaletteQColor(kOffsetColour).rgb();
    }
  }
  EXPECT_GT(drawn, 200);
  std::unique_ptr<QtPrinter> printer = QtPrinter::ToPdf(folder.File("sheet.pdf"));
  EXPECT_TRUE(form->PrintTo(*printer));
  EXPECT_LT(timer.elapsed(), 10000);
  form->grab().save(QString::fromUtf8(VX_BINARY_DIR "/form_graph_huge_arc.png"));
}

TEST_F(GraphFixture, PrintedSheetAsPdf) {
  Form_graph* form = Open();
  form->Text1->setText("1");
  const std::string pdf = VX_BINARY_DIR "/contour_sheet.pdf";
  QFile::remove(QString::fromStdString(pdf));
  std::unique_ptr<QtPrinter> printer = QtPrinter::ToPdf(pdf);
  EXPECT_TRUE(form->PrintTo(*printer));
  QFile file(QString::fromStdString(pdf));
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_TRUE(file.read(4) == "%PDF");
  EXPECT_TRUE(messageBox.messages.empty());
}

TEST_F(GraphFixture, FailedPrintSaysSo) {
  Form_graph* form = Open();
  std::unique_ptr<QtPrinter> printer = QtPrinter::ToPdf(folder.File("missing-folder/sheet.pdf"));
  EXPECT_FALSE(form->PrintTo(*printer));
  ASSERT_EQ(messageBox.messages.size(), 1u);
  EXPECT_EQ(messageBox.messages[0], "印刷できませんでした。");
  EXPECT_FALSE(folder.Exists("missing-folder/sheet.pdf"));
}

TEST_F(GraphFixture, ActivationRedrawsAContourFileRewrittenMeanwhile) {
  Form_graph* form = Open();
  EXPECT_EQ(form->Label4->text(), "145.7");
  folder.Write("CON2TA.dat", "5\r\n0,0,0,0,0\r\n10,0,0,0,0\r\n10,20,0,0,0\r\n0,20,0,0,0\r\n0,0,0,0,0\r\n,,99,,\r\n");
  QApplication::setActiveWindow(nullptr);
  QApplication::setActiveWindow(form);
  QApplication::processEvents();
  EXPECT_EQ(form->Label4->text(), "60");
}

TEST_F(GraphFixture, PrintItemWithoutAPrinterSaysSo) {
  if (!QPrinterInfo::availablePrinters().isEmpty()) GTEST_SKIP() << "a printer is installed";
  Form_graph* form = Open();
  form->menufile[7]->trigger();
  ASSERT_EQ(messageBox.messages.size(), 1u);
  EXPECT_EQ(messageBox.messages[0], "使用できるプリンタがありません。プリンタの設定を確認してください。");
}

TEST_F(GraphFixture, ButtonsOpenTheNcScreenAndTheLayout) {
  screens.Register(ScreenId::kNc, [](AppContext&) { return new QWidget(); });
  screens.Register(ScreenId::kGraTasu, [](AppContext&) { return new QWidget(); });
  Form_graph* form = Open();
  form->Command2->click();
  ASSERT_NE(screens.Existing(ScreenId::kGraTasu), nullptr);
  EXPECT_TRUE(screens.Existing(ScreenId::kGraTasu)->isVisible());
  EXPECT_TRUE(form->isVisible());
  form->Command1->click();
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_EQ(screens.Existing(ScreenId::kGraph), nullptr);
  ASSERT_NE(screens.Existing(ScreenId::kNc), nullptr);
  EXPECT_TRUE(screens.Existing(ScreenId::kNc)->isVisible());
}

}  // namespace
}  // namespace vx
