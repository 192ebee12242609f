// The whole desktop program offscreen: the menu with every screen, and the
// chain from conversion 1 through CONV-2 to the contour view and NC output.
#include <gtest/gtest.h>

#include "support/qt_app.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QSettings>
#include <QTest>
#include <QTextBrowser>
#include <QUrl>

#include "calculator/calculator_screens.h"
#include "contour/contour_screens.h"
#include "display/display_screens.h"
#include "display/form_graph.h"
#include "machining/form_nc.h"
#include "entry/entry_screens.h"
#include "exchange/exchange_screens.h"
#include "machining/machining_screens.h"
#include "platform/file_dialog.h"
#include "platform/message_box.h"
#include "shell/app_context.h"
#include "shell/embedded_files.h"
#include "shell/form_main.h"
#include "shell/table_file.h"
#include "support/temp_folder.h"

namespace vx {
namespace {

struct AppFixture : ::testing::Test {
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
    screens.SetMenu(&menu);
    menu.UpdateButtons();
    menu.show();
  }
  void TearDown() override {
    screens.CloseAll();
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }
  template <typename Condition>
  static bool WaitFor(Condition condition, int milliseconds = 5000) {
    return test::WaitFor(condition, milliseconds);
  }
  bool Visible(ScreenId id) const {
    QWidget* screen = screens.Existing(id);
    return screen != nullptr && screen->isVisible();
  }

  test::TempFolder temp;
  InstallFolder folder{temp.Path()};
  ElementTable table;
  PieceLayout layout;
  ScreenManager screens;
  RecordingMessageBox messageBox;
  FixedFileDialog fileDialog{std::nullopt};
  AppContext context{table, layout, folder, screens, messageBox, fileDialog};
  Form_main menu{screens};
};

TEST_F(AppFixture, EveryMenuButtonHasItsScreen) {
  for (QPushButton* button : menu.findChildren<QPushButton*>()) {
    EXPECT_TRUE(button->isEnabled()) << button->objectName().toStdString();
  }
}

TEST_F(AppFixture, SampleWorkbookRunsThroughToTheContourViewAndNcOutput) {
  menu.Cmd_conv1->click();
  ASSERT_TRUE(WaitFor([this] { return Visible(ScreenId::kGraph); })) << "the contour view did not open";
  EXPECT_TRUE(messageBox.messages.empty()) << messageBox.messages.front();

  // CONV-2 left a closed contour: the chain starts and ends in the start hole,
  // and the approach line reaches the outline at (0, 20).
  ElementTable contour;
  ASSERT_EQ(LoadTable(contour, folder.PathOf(kContourFile)), LoadStatus::kOk);
  ASSERT_GT(contour.RowCount, 4);
  EXPECT_EQ(contour.Code[contour.RowCount + 1], Cell(99));
  EXPECT_NEAR(contour.X[1], contour.X[contour.RowCount], 1e-9);
  EXPECT_NEAR(contour.Y[1], contour.Y[contour.RowCount], 1e-9);
  EXPECT_EQ(contour.X[1], Cell(20));
  EXPECT_EQ(contour.X[2], Cell(0));
  EXPECT_EQ(contour.Y[2], Cell(20));

  auto* view = qobject_cast<Form_graph*>(screens.Existing(ScreenId::kGraph));
  ASSERT_NE(view, nullptr);
  EXPECT_FALSE(view->Label4->text().isEmpty());
  view->Text1->setText("0.5");
  layout.Row(1) = PieceRow{"130", "0", "", ""};
  view->resize(900, 650);
  WaitFor([] { return false; }, 300);
  view->grab().save(QString::fromUtf8(VX_BINARY_DIR "/app_sample_view.png"));
  EXPECT_TRUE(messageBox.messages.empty());

  view->Command1->click();  // "終了:NC出力へ"
  ASSERT_TRUE(WaitFor([this] { return Visible(ScreenId::kNc); }));
  EXPECT_FALSE(Visible(ScreenId::kGraph));
}

// An imported side of bulge 1e-14 from (0, 0) to (1000, 1000) (radius 3.5e16):
// the menu's "グラフィック" shows it at once, the program stays responsive.
TEST_F(AppFixture, HugeRadiusArcShowsInTheContourViewWithoutFreezing) {
  temp.Write("CON2TA.dat",
             "3\r\n0,0,0,0,0\r\n-2.49999999999995E+16,2.50000000000005E+16,0,3.53553390593274E+16,0\r\n"
             "1000,1000,0,0,0\r\n,,99,,\r\n");
  QElapsedTimer timer;
  timer.start();
  menu.Cmd_graph->click();
  ASSERT_TRUE(WaitFor([this] { return Visible(ScreenId::kGraph); })) << "the contour view did not open";
  auto* view = qobject_cast<Form_graph*>(screens.Existing(ScreenId::kGraph));
  ASSERT_NE(view, nullptr);
  EXPECT_EQ(view->Label4->text(), "1414.2");
  view->grab().save(QString::fromUtf8(VX_BINARY_DIR "/app_huge_arc_view.png"));
  // An offset, zooming and panning redraw it as quickly.
  view->Text1->setText("0.1");
  view->Slider1->setValue(500);
  view->HScroll1->setValue(0);
  EXPECT_FALSE(view->Label4->text().isEmpty());
  EXPECT_LT(timer.elapsed(), 10000);
}

TEST_F(AppFixture, DrawingDroppedOnTheContourViewOpensItsImportWaitingForStart) {
  menu.Cmd_graph->click();
  ASSERT_TRUE(Visible(ScreenId::kGraph));
  QWidget* view = screens.Existing(ScreenId::kGraph);
  EXPECT_TRUE(view->acceptDrops());
  const QString drawing = QString::fromStdString(folder.Folder() + "sample/dxf/plate.dxf");
  QMimeData data;
  data.setUrls({QUrl::fromLocalFile(drawing)});
  QDragEnterEvent enter(QPoint(20, 20), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(view, &enter);
  EXPECT_TRUE(enter.isAccepted());
  QDropEvent drop(QPointF(20, 20), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(view, &drop);
  auto* import = dynamic_cast<ImportScreen*>(screens.Existing(ScreenId::kDxfConv2));
  ASSERT_NE(import, nullptr);
  EXPECT_TRUE(import->isVisible());
  EXPECT_EQ(import->FileName(), drawing.toStdString());
  // Enter on the import screen starts it; the view then shows the new contour.
  import->Start->setFocus();
  QTest::keyClick(import->Txt_ISUM, Qt::Key_Return);
  ASSERT_TRUE(WaitFor([this] { return screens.Existing(ScreenId::kDxfConv2) == nullptr; }));
  EXPECT_TRUE(Visible(ScreenId::kGraph));
  EXPECT_TRUE(messageBox.messages.empty()) << messageBox.messages.front();
  ElementTable contour;
  ASSERT_EQ(LoadTable(contour, folder.PathOf(kContourFile)), LoadStatus::kOk);
  EXPECT_GT(contour.RowCount, 4);
}

TEST_F(AppFixture, F1OnEveryScreenShowsItsOwnHelpPage) {
  const std::vector<std::pair<QPushButton*, ScreenId>> buttons = {
      {menu.Cmd_datain, ScreenId::kDatain}, {menu.Cmd_con2amd, ScreenId::kCon2amd}, {menu.Cmd_graph, ScreenId::kGraph},
      {menu.Cmd_nc, ScreenId::kNc},         {menu.Cmd_tasuko, ScreenId::kGraTasu},  {menu.Cmd_cal, ScreenId::kCalcu},
      {menu.Cmd_dxf, ScreenId::kDxfConv2},  {menu.Cmd_iges, ScreenId::kIgesConv2},  {menu.Cmd_dxfW, ScreenId::kDxfW},
      {menu.Cmd_igesW, ScreenId::kIgesW}};
  for (const auto& [button, id] : buttons) {
    button->click();
    QWidget* screen = screens.Existing(id);
    ASSERT_NE(screen, nullptr) << button->objectName().toStdString();
    QTest::keyClick(screen, Qt::Key_F1);
    auto* help = qobject_cast<QTextBrowser*>(screens.Help());
    ASSERT_NE(help, nullptr);
    EXPECT_EQ(help->source().toString(), "qrc:/help/ja/" + screen->objectName() + ".html");
    // Esc closes the screen again (the layout screen only hides: its rows live on).
    QTest::keyClick(screen, Qt::Key_Escape);
    EXPECT_FALSE(Visible(id)) << screen->objectName().toStdString();
  }
  QTest::keyClick(&menu, Qt::Key_F1);
  EXPECT_EQ(qobject_cast<QTextBrowser*>(screens.Help())->source().toString(), "qrc:/help/ja/Form_main.html");
}

TEST_F(AppFixture, NcSettingsAndTheViewsChecksAreKeptForTheNextRun) {
  QSettings settings(QString::fromStdString(temp.File("settings.ini")), QSettings::IniFormat);
  screens.SetSettings(&settings);
  menu.Cmd_conv1->click();  // a contour to write
  ASSERT_TRUE(WaitFor([this] { return Visible(ScreenId::kGraph); }));
  auto* view = qobject_cast<Form_graph*>(screens.Existing(ScreenId::kGraph));
  view->menuview[2]->trigger();  // the status bar's room given up
  view->Text1->setText("0.1");
  view->close();

  FixedFileDialog answer{temp.File("JOB.NC")};
  AppContext answering{table, layout, folder, screens, messageBox, answer};
  answering.wireOffset = context.wireOffset;
  screens.SetContext(&answering);
  auto* nc = dynamic_cast<Form_nc*>(screens.Show(ScreenId::kNc));
  ASSERT_NE(nc, nullptr);
  EXPECT_EQ(nc->Text[5]->text(), "0.1");  // the offset the view showed
  nc->Text[0]->setText("7");
  nc->Text[7]->setText("1");
  nc->Text[0]->setFocus();
  QTest::keyClick(nc->Text[0], Qt::Key_Return);  // Enter presses START
  ASSERT_TRUE(WaitFor([this] { return screens.Existing(ScreenId::kNc) == nullptr; }));
  EXPECT_TRUE(temp.Exists("JOB7.NC"));

  // The next run: a new context, the settings read back.
  ElementTable nextTable;
  PieceLayout nextLayout;
  AppContext next{nextTable, nextLayout, folder, screens, messageBox, answer};
  screens.SetContext(&next);
  screens.RestoreSharedSettings();
  EXPECT_EQ(next.wireOffset, "0.1");
  nc = dynamic_cast<Form_nc*>(screens.Show(ScreenId::kNc));
  ASSERT_NE(nc, nullptr);
  const QStringList expected = {"7", "-0.4", "-0.4", "1", "0", "0.1", "0", "1"};
  for (int k = 0; k < 8; ++k) EXPECT_EQ(nc->Text[k]->text(), expected[k]) << "Text" << k + 1;
  nc->Command1->click();  // cancelled: nothing new kept
  view = qobject_cast<Form_graph*>(screens.Show(ScreenId::kGraph));
  ASSERT_NE(view, nullptr);
  EXPECT_TRUE(view->menuview[0]->isChecked());
  EXPECT_FALSE(view->menuview[2]->isChecked());
  screens.CloseAll();
  screens.SetContext(&context);
  screens.SetSettings(nullptr);
}

}  // namespace
}  // namespace vx
