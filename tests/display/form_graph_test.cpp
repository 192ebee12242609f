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
#include <QWheelEvent>

#include "display/display_screens.h"
#include "display/form_graph.h"
#include "platform/file_dialog.h"
#include "platform/message_box.h"
#include "platform/qt_services.h"
#include "shell/app_context.h"
#include "shell/field_marks.h"
#include "shell/table_file.h"
#include "support/temp_folder.h"

namespace vx {
namespace {

// A rectangle 40 x 30 with a rounded corner of radius 10, entered from a start hole.
const char* const kSampleContour =
    "10\r\n-5,5,0,0,0\r\n0,5,0,0,0\r\n0,0,0,0,0\r\n40,0,0,0,0\r\n40,20,0,0,0\r\n30,20,0,10,0\r\n"
    "30,30,0,0,0\r\n0,30,0,0,0\r\n0,5,0,0,0\r\n-5,5,0,0,0\r\n0,0,99,0,0\r\n";

// Counts what reaches the printer.
struct RecordingPrinterForGraph : Printer {
  bool IsAvailable() const override { return true; }
  void SetLandscape(bool) override {}
  void SetScale(double, double, double, double) override {}
  void SetColour(int) override {}
  void Point(double, double) override {}
  void Line(double, double, double, double) override { ++lines; }
  void SetFont(const std::string&, double) override {}
  void Text(double, double, const std::string&) override {}
  void TextLine(const std::string&) override {}
  bool EndDocument() override { return true; }
  int lines = 0;
};

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

void Mouse(QWidget* widget, QEvent::Type type, QPointF at, Qt::MouseButton button, Qt::MouseButtons held) {
  QMouseEvent event(type, at, widget->mapToGlobal(at), button, held, Qt::NoModifier);
  QApplication::sendEvent(widget, &event);
}

// The wheel turned by `angle` eighths of a degree (120: one notch) at a point.
void Wheel(QWidget* widget, QPointF at, int angle) {
  QWheelEvent event(at, widget->mapToGlobal(at), QPoint(), QPoint(0, angle), Qt::NoButton, Qt::NoModifier,
                    Qt::NoScrollPhase, false);
  QApplication::sendEvent(widget, &event);
}

// The world point under a pixel of the drawing area.
std::pair<double, double> WorldUnder(Form_graph* form, QPointF pixel) {
  return form->View().WorldAt(pixel.x(), pixel.y(), form->Picture1->width(), form->Picture1->height());
}

// A mouse button pressed and let go at the same place.
void Click(QWidget* widget, QPointF at, Qt::MouseButton button = Qt::LeftButton) {
  QMouseEvent press(QEvent::MouseButtonPress, at, widget->mapToGlobal(at), button, button, Qt::NoModifier);
  QApplication::sendEvent(widget, &press);
  QMouseEvent release(QEvent::MouseButtonRelease, at, widget->mapToGlobal(at), button, Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(widget, &release);
}

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
  Click(form->Picture1, origin);
  EXPECT_EQ(form->HScroll1->value(), kStartHScroll);
  EXPECT_EQ(form->VScroll1->value(), kStartVScroll);
  EXPECT_NEAR(form->View().Window().left, -50, 1e-6);
  EXPECT_TRUE(form->StatusPanel1->text().startsWith("X=-50.Y="));
  // Click 20 units right of the origin and 20 units up: the window follows in scroll steps.
  const QPointF point((20 - start.left) / start.width * form->Picture1->width(),
                      (20 - start.top) / start.height * form->Picture1->height());
  Click(form->Picture1, point, Qt::RightButton);  // any button
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
  EXPECT_EQ(form->Label4->text(), "291.4");  // both pieces
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

// --- zoom about the cursor, drag, fit, cursor coordinates ---------------------------

TEST_F(GraphFixture, WheelZoomsAboutTheCursor) {
  Form_graph* form = Open();
  const QPointF at(200, 150);
  const auto before = WorldUnder(form, at);
  Wheel(form->Picture1, at, 120);
  EXPECT_DOUBLE_EQ(form->View().ZoomFactor(), 1.25);
  EXPECT_EQ(form->Label1->text(), "125%");
  EXPECT_EQ(form->Slider1->value(), 125);
  const auto after = WorldUnder(form, at);
  EXPECT_NEAR(after.first, before.first, 1e-9);
  EXPECT_NEAR(after.second, before.second, 1e-9);
  // The status text follows the moved window; the scroll bars stand near it.
  EXPECT_EQ(form->StatusPanel1->text(), ToQString(form->View().StatusText()));
  EXPECT_EQ(form->HScroll1->value(), form->View().NearestScroll().h);
  // Two notches back, then far beyond the slider's range: the zoom stops at 20000 %.
  Wheel(form->Picture1, at, -240);
  EXPECT_DOUBLE_EQ(form->View().ZoomFactor(), 0.8);
  for (int i = 0; i < 60; ++i) Wheel(form->Picture1, at, 120);
  EXPECT_DOUBLE_EQ(form->View().ZoomFactor(), kMaxZoomFactor);
  EXPECT_EQ(form->Label1->text(), "20000%");
  EXPECT_EQ(form->Slider1->value(), 500);
  // The slider then zooms about the origin from where the window is.
  form->Slider1->setValue(100);
  EXPECT_EQ(form->Label1->text(), "100%");
  EXPECT_DOUBLE_EQ(form->View().ZoomFactor(), 1);
}

TEST_F(GraphFixture, DragMovesTheDrawingWithTheMouseAndRedrawsOnceAtTheEnd) {
  // The offset path of this contour reports a missing intersection at every redraw.
  folder.Write("CON2TA.dat", "5\r\n-5,0,0,0,0\r\n0,0,0,0,0\r\n10,0,0,0,0\r\n10,20,0,0,0\r\n0,20,0,0,0\r\n,,99,,\r\n");
  Form_graph* form = Open();
  form->Text1->setText("1");
  messageBox.messages.clear();
  const QPointF from(100, 100), to(160, 130);
  const auto grabbed = WorldUnder(form, from);
  Mouse(form->Picture1, QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton);
  for (int step = 1; step <= 6; ++step) {
    Mouse(form->Picture1, QEvent::MouseMove, from + (to - from) * step / 6.0, Qt::NoButton, Qt::LeftButton);
  }
  EXPECT_TRUE(form->Picture1->Dragging());
  EXPECT_TRUE(messageBox.messages.empty()) << "no redraw while dragging";
  // The cursor stays on the point it grabbed.
  EXPECT_EQ(form->CursorPanel->text(),
            QString("カーソル X=%1 Y=%2").arg(grabbed.first, 0, 'f', 3).arg(grabbed.second, 0, 'f', 3));
  Mouse(form->Picture1, QEvent::MouseButtonRelease, to, Qt::LeftButton, Qt::NoButton);
  EXPECT_FALSE(form->Picture1->Dragging());
  EXPECT_EQ(messageBox.messages.size(), 1u);
  // The point grabbed is under the mouse; the window is not snapped to the scroll steps.
  const auto dropped = WorldUnder(form, to);
  EXPECT_NEAR(dropped.first, grabbed.first, 1e-9);
  EXPECT_NEAR(dropped.second, grabbed.second, 1e-9);
  EXPECT_FALSE(form->View().FollowsScroll());
  // A scroll bar brings the window back onto its steps.
  form->HScroll1->setValue(form->HScroll1->value() + 1);
  EXPECT_TRUE(form->View().FollowsScroll());
}

TEST_F(GraphFixture, FitShowsTheWholeDrawing) {
  Form_graph* form = Open();
  ASSERT_NE(form->fitToWindow, nullptr);
  EXPECT_EQ(form->fitToWindow->text(), Utf8("全体表示(&F)"));
  EXPECT_EQ(form->fitToWindow->shortcuts(),
            (QList<QKeySequence>{QKeySequence(QStringLiteral("Ctrl+F")), QKeySequence(Qt::Key_Home)}));
  form->fitToWindow->trigger();
  const Extents& drawn = form->View().DrawnExtents();
  ASSERT_FALSE(drawn.empty);
  // The sample's box, -5..40 by 0..30, lies inside the drawing area with its margin.
  const ViewWindow& w = form->View().Window();
  EXPECT_GT(drawn.minX, w.left);
  EXPECT_LT(drawn.maxX, w.left + w.width);
  EXPECT_LT(drawn.maxY, w.top);
  EXPECT_GT(drawn.minY, w.top + w.height);
  EXPECT_EQ(form->Label1->text(), QString::number(std::lround(form->View().ZoomFactor() * 100)) + "%");
  EXPECT_GT(form->View().ZoomFactor(), 2);  // a part 45 mm wide fills a window of some 200 mm
  form->grab().save(QString::fromUtf8(VX_BINARY_DIR "/form_graph_fit.png"));
}

TEST_F(GraphFixture, CursorCoordinatesBesideTheStatusText) {
  Form_graph* form = Open();
  const QPointF at(123, 77);
  Mouse(form->Picture1, QEvent::MouseMove, at, Qt::NoButton, Qt::NoButton);
  const auto [x, y] = WorldUnder(form, at);
  EXPECT_EQ(form->CursorPanel->text(), QString("カーソル X=%1 Y=%2").arg(x, 0, 'f', 3).arg(y, 0, 'f', 3));
  EXPECT_TRUE(form->StatusPanel1->text().startsWith("X=-50.Y="));  // the corner text stays
  QEvent leave(QEvent::Leave);
  QApplication::sendEvent(form->Picture1, &leave);
  EXPECT_EQ(form->CursorPanel->text(), "");
}

TEST_F(GraphFixture, PerimeterShowsEveryDigitAndEveryChain) {
  // A square of side 25881763.8: the sum runs to eleven digits.
  folder.Write("CON2TA.dat", "5\r\n0,0,0,0,0\r\n25881763.8,0,0,0,0\r\n25881763.8,25881763.8,0,0,0\r\n"
                             "0,25881763.8,0,0,0\r\n0,0,0,0,0\r\n,,99,,\r\n");
  Form_graph* form = Open();
  EXPECT_EQ(form->Label4->text(), "103527055.2");
  EXPECT_GE(form->Label4->width(), form->Label4->fontMetrics().horizontalAdvance("103527055.2"));
  EXPECT_EQ(form->UnitCaption->x(), form->Label4->x() + form->Label4->width());
  EXPECT_EQ(form->ChainsPanel->text(), "");  // one chain: the sum says it all
  // Two pieces: the sum, and each chain in the status bar and the label's tooltip.
  folder.Write("CON2TA.dat", kSampleContour);
  layout.Row(1).sftX = "60";
  form->Redraw();
  EXPECT_EQ(form->Label4->text(), "291.4");
  EXPECT_EQ(form->ChainsPanel->text(), Utf8("2 本:  1-1: 145.7  2-1: 145.7"));
  EXPECT_EQ(form->Label4->toolTip(), "1-1: 145.7\n2-1: 145.7");
  // Too narrow for both entries: whole entries only, and how many are left.
  const int room = form->ChainsPanel->fontMetrics().horizontalAdvance(Utf8("2 本:  1-1: 145.7  ほか 1 本")) + 2;
  EXPECT_EQ(form->ChainsText(room), Utf8("2 本:  1-1: 145.7  ほか 1 本"));
  EXPECT_EQ(form->ChainsText(10), Utf8("2 本:  ほか 2 本"));
}

TEST_F(GraphFixture, NoticeOverTheDrawingWhenTheContourFileIsNotTheOneAskedFor) {
  const std::string path = install.PathOf(kContourFile);
  context.contourNotice.Set("CONV-2 が中止されたため、CON2TA.dat は今回の変換結果ではありません。", path);
  Form_graph* form = Open();
  EXPECT_TRUE(form->NoticeLabel->isVisible());
  EXPECT_EQ(form->NoticeLabel->text(), Utf8("CONV-2 が中止されたため、CON2TA.dat は今回の変換結果ではありません。"));
  form->grab().save(QString::fromUtf8(VX_BINARY_DIR "/form_graph_notice.png"));
  // Set while the view stays open (a stop leaves the file as it was): the
  // view says so when it comes to the front.
  context.contourNotice.Clear();
  form->Redraw();
  EXPECT_FALSE(form->NoticeLabel->isVisible());
  context.contourNotice.Set("stopped again", path);
  QApplication::setActiveWindow(nullptr);
  QApplication::setActiveWindow(form);
  QApplication::processEvents();
  EXPECT_TRUE(form->NoticeLabel->isVisible());
  EXPECT_EQ(form->NoticeLabel->text(), "stopped again");
  // A new contour file ends the notice.
  folder.Write("CON2TA.dat", "1\r\n0,0,0,0,0\r\n10,0,0,0,0\r\n,,99,,\r\n");
  form->Redraw();
  EXPECT_FALSE(form->NoticeLabel->isVisible());
  // A missing file is said too: the drawing is what the table held before.
  std::remove(path.c_str());
  form->Redraw();
  EXPECT_TRUE(form->NoticeLabel->isVisible());
  EXPECT_EQ(form->NoticeLabel->text(),
            Utf8("CON2TA.dat がありません: ") + ToQString(path) + Utf8("。表示はその前に読んだ内容です。"));
}

TEST_F(GraphFixture, OffsetBoxIsMarkedAndTheNcButtonAndThePrintRefuse) {
  screens.Register(ScreenId::kNc, [](AppContext&) { return new QWidget(); });
  Form_graph* form = Open();
  form->Text1->setText("O.1");
  EXPECT_EQ(context.wireOffset, "O.1");
  EXPECT_TRUE(IsMarked(form->Text1));
  const std::string message = "オフセット の「O.1」は数値ではありません。数値を入力してください。";
  form->Command1->click();
  EXPECT_EQ(messageBox.messages, std::vector<std::string>{message});
  EXPECT_EQ(screens.Existing(ScreenId::kNc), nullptr);
  EXPECT_TRUE(form->isVisible());
  RecordingPrinterForGraph printer;
  EXPECT_FALSE(form->PrintTo(printer, SheetScale::kFitToPage));
  EXPECT_EQ(messageBox.messages.size(), 2u);
  EXPECT_EQ(printer.lines, 0);
  form->Text1->setText("0.1");
  EXPECT_FALSE(IsMarked(form->Text1));
  form->Command1->click();
  EXPECT_NE(screens.Existing(ScreenId::kNc), nullptr);
}

TEST_F(GraphFixture, OffsetIsTheSettingTheNcOutputShares) {
  context.wireOffset = "0.5";
  Form_graph* form = Open();
  EXPECT_EQ(form->Text1->text(), "0.5");
  EXPECT_EQ(form->View().OffsetText(), "0.5");
  // Changed on the NC output screen while the view stayed open.
  context.wireOffset = "-0.25";
  QApplication::setActiveWindow(nullptr);
  QApplication::setActiveWindow(form);
  QApplication::processEvents();
  EXPECT_EQ(form->Text1->text(), "-0.25");
  EXPECT_EQ(form->View().OffsetText(), "-0.25");
}

TEST_F(GraphFixture, SheetFittedToThePageAsPdf) {
  Form_graph* form = Open();
  ASSERT_NE(form->printFitted, nullptr);
  EXPECT_EQ(form->printFitted->text(), Utf8("ページに合わせて印刷(&G)"));
  const std::string pdf = VX_BINARY_DIR "/contour_sheet_fitted.pdf";
  QFile::remove(QString::fromStdString(pdf));
  std::unique_ptr<QtPrinter> printer = QtPrinter::ToPdf(pdf);
  EXPECT_TRUE(form->PrintTo(*printer, SheetScale::kFitToPage));
  EXPECT_GT(form->View().Sheet().scale, 3);  // 45 mm across, some 160 mm of room downwards
  QFile file(QString::fromStdString(pdf));
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_TRUE(file.read(4) == "%PDF");
}

}  // namespace
}  // namespace vx
