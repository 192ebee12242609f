// The NC output screen and the multi-piece layout screen offscreen: texts
// typed, START pressed with the save dialog answered, screenshots saved.
#include <gtest/gtest.h>

#include "support/qt_app.h"

#include <QApplication>
#include <QKeyEvent>
#include <functional>

#include "contour_tables.h"
#include "machining/form_gra_tasu.h"
#include "machining/form_nc.h"
#include "machining/machining_screens.h"
#include "platform/qt_services.h"
#include "recording_printer.h"
#include "shell/app_context.h"
#include "shell/form_main.h"
#include "shell/table_file.h"
#include "support/temp_folder.h"

namespace vx {
namespace {

// Keeps every message and lets a test look at the screen while the box is up.
class WatchingMessageBox : public MessageBox {
 public:
  void Show(const std::string& text) override {
    messages.push_back(text);
    if (onShow) onShow();
  }
  std::vector<std::string> messages;
  std::function<void()> onShow;
};

void SaveScreenshot(QWidget* widget, const char* name) {
  widget->grab().save(QString(VX_BINARY_DIR) + "/" + name);
}

struct ScreensFixture : ::testing::Test {
  static void SetUpTestSuite() { test::EnsureQApplication(); }
  void SetUp() override {
    screens.SetContext(&context);
    RegisterMachiningScreens(screens);
    temp.Write("CON2TA.dat", TableFileText(test::MakeTable(test::ExampleSquare())));
  }
  void TearDown() override { screens.CloseAll(); }

  // Types text into a box as key presses, replacing what it held.
  static void Type(QLineEdit* box, const QString& text) {
    box->setFocus();
    box->selectAll();
    QKeyEvent erase(QEvent::KeyPress, Qt::Key_Delete, Qt::NoModifier);
    QApplication::sendEvent(box, &erase);
    for (const QChar c : text) {
      QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
      QApplication::sendEvent(box, &press);
    }
  }

  test::TempFolder temp;
  ElementTable table;
  PieceLayout layout;
  InstallFolder folder{temp.Path()};
  ScreenManager screens;
  WatchingMessageBox messageBox;
  FixedFileDialog fileDialog{std::nullopt};
  AppContext context{table, layout, folder, screens, messageBox, fileDialog};
};

TEST_F(ScreensFixture, NcScreenInitialTextsAndCaptions) {
  auto* form = static_cast<Form_nc*>(screens.Show(ScreenId::kNc, Owner::kNone));
  ASSERT_NE(form, nullptr);
  EXPECT_EQ(form->objectName(), "Form_nc");
  const std::vector<const char*> captions = {"プログラム No=?  :", "M21 ｵﾌｾｯﾄ=? :", "M23 ｵﾌｾｯﾄ=? :",
                                             "NC OUT [  FD:1  ﾌﾟﾘﾝﾀ-:2  ﾄﾞﾁﾗﾆﾓ:3  ]  :", "平均速度　Ｆ=? :",
                                             "オフセット　　　　　　左：＋", "　パンチ加工　　　逆方向加工",
                                             " 　G41＝1左　 G42＝2右"};
  const std::vector<const char*> texts = {"1", "-0.4", "-0.4", "1", "0", "0", "0", "2"};
  for (int k = 0; k < 8; ++k) {
    auto* label = form->findChild<QLabel*>(QString("Label%1").arg(k + 1));
    auto* text = form->findChild<QLineEdit*>(QString("Text%1").arg(k + 1));
    ASSERT_NE(label, nullptr);
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(label->text(), QString::fromUtf8(captions[k]));
    EXPECT_EQ(text->text(), QString::fromUtf8(texts[k]));
  }
  EXPECT_EQ(form->findChild<QPushButton*>("cmdSTART")->text(), "START");
  EXPECT_EQ(form->findChild<QPushButton*>("Command1")->text(), QString::fromUtf8("終了(キャンセル）"));
  form->resize(520, 420);
  SaveScreenshot(form, "form_nc.png");
}

TEST_F(ScreensFixture, StartWritesTheProgramAndTheScreenCloses) {
  test::TempFolder out;
  FixedFileDialog chosen{out.Path() + "PART.NC"};
  AppContext ownContext{table, layout, folder, screens, messageBox, chosen};
  screens.SetContext(&ownContext);
  auto* form = static_cast<Form_nc*>(screens.Show(ScreenId::kNc, Owner::kNone));
  QPointer<QWidget> alive(form);
  Type(form->Text[0], "12");
  Type(form->Text[5], "0.1");
  Type(form->Text[6], "1");
  form->cmdSTART->click();
  EXPECT_EQ(chosen.last.initialPath, temp.Path() + "NC.dat");
  EXPECT_TRUE(out.Exists("PART12.NC"));
  EXPECT_TRUE(out.Exists("PART13.NC"));
  const std::string first = out.Read("PART12.NC");
  EXPECT_NE(first.find("N002G01X9.9Y5.G42FH22EH21H20\r\n"), std::string::npos);
  EXPECT_NE(out.Read("PART13.NC").find("N010G01X10.1Y5.G41FH22EH21H20\r\n"), std::string::npos);
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(alive.isNull());  // closed and gone: the next opening starts afresh
  EXPECT_EQ(screens.Existing(ScreenId::kNc), nullptr);
  auto* again = static_cast<Form_nc*>(screens.Show(ScreenId::kNc, Owner::kNone));
  EXPECT_EQ(again->Text[0]->text(), "1");
  EXPECT_EQ(again->Text[5]->text(), "0");
}

TEST_F(ScreensFixture, ScreenPrintsOnItselfWhileItWorks) {
  // A collinear vertex makes the offset stop with a box while the program is
  // being written: the screen shows its line at that moment.
  temp.Write("CON2TA.dat", TableFileText(test::MakeTable(
                               {{5, 5}, {5, 0}, {10, 0}, {15, 0}, {15, 10}, {0, 10}, {0, 0}, {5, 0}, {5, 5}})));
  auto* form = static_cast<Form_nc*>(screens.Show(ScreenId::kNc, Owner::kNone));
  form->resize(520, 420);
  QStringList seen;
  messageBox.onShow = [&] {
    seen = form->Surface->Lines();
    SaveScreenshot(form, "form_nc_working.png");
  };
  Type(form->Text[5], "0.1");
  form->cmdSTART->click();
  EXPECT_EQ(messageBox.messages, std::vector<std::string>{"オフセット計算中 dataNO= 3で交点ERROR"});
  EXPECT_EQ(seen, QStringList{QString::fromUtf8("[ ｵﾝﾗｲﾝ ﾁｭｳ!!   ｼﾊﾞﾗｸ ｵﾏﾁ ｸﾀﾞｻｲ｡ ] ")});
  EXPECT_TRUE(temp.Exists("NC1.dat"));  // cancelled dialog: the preset name
}

TEST_F(ScreensFixture, PrinterTargetGoesToThePdfAndNoDialog) {
  FixedFileDialog never{"/nonexistent/never.dat"};
  AppContext ownContext{table, layout, folder, screens, messageBox, never};
  screens.SetContext(&ownContext);
  auto* form = static_cast<Form_nc*>(screens.Show(ScreenId::kNc, Owner::kNone));
  const std::string pdf = temp.Path() + "listing.pdf";
  form->SetPrinterSource([pdf](int, double) { return NcPrinter{QtPrinter::ToPdf(pdf), pdf}; });
  QPointer<QWidget> alive(form);
  Type(form->Text[3], "2");
  form->cmdSTART->click();
  EXPECT_EQ(never.last.filter, "");
  EXPECT_TRUE(temp.Exists("listing.pdf"));
  EXPECT_FALSE(temp.Exists("NC1.dat"));
  EXPECT_TRUE(messageBox.messages.empty());
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(alive.isNull());  // the screen closes after printing
}

TEST_F(ScreensFixture, CancelledPrinterKeepsTheScreenAndWritesNothing) {
  auto* form = static_cast<Form_nc*>(screens.Show(ScreenId::kNc, Owner::kNone));
  QPointer<QWidget> alive(form);
  form->SetPrinterSource([](int, double) { return NcPrinter{}; });
  Type(form->Text[3], "3");
  form->cmdSTART->click();
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  ASSERT_FALSE(alive.isNull());
  EXPECT_EQ(form->LastOutcome(), NcStartOutcome::kCancelled);
  EXPECT_FALSE(temp.Exists("NC1.dat"));
  EXPECT_EQ(form->Text[3]->text(), "3");
}

TEST_F(ScreensFixture, ExitButtonReturnsToTheMenu) {
  Form_main menu(screens);
  screens.SetMenu(&menu);
  menu.show();
  menu.Cmd_nc->click();
  EXPECT_TRUE(menu.Cmd_nc->isEnabled());
  EXPECT_TRUE(menu.Cmd_tasuko->isEnabled());
  auto* form = static_cast<Form_nc*>(screens.Existing(ScreenId::kNc));
  ASSERT_NE(form, nullptr);
  menu.hide();
  form->Command1->click();
  EXPECT_TRUE(menu.isVisible());
  EXPECT_FALSE(temp.Exists("NC1.dat"));
  screens.SetMenu(nullptr);
}

TEST_F(ScreensFixture, LayoutScreenEditsTheSharedRowsAndKeepsThemWhenClosed) {
  auto* form = static_cast<Form_gra_tasu*>(screens.Show(ScreenId::kGraTasu, Owner::kNone));
  ASSERT_NE(form, nullptr);
  EXPECT_EQ(form->parentWidget(), nullptr);
  EXPECT_EQ(form->Label1[0]->text(), QString::fromUtf8("１個目"));
  EXPECT_EQ(form->Label1[9]->text(), QString::fromUtf8("10個目"));
  EXPECT_EQ(form->findChild<QPushButton*>("Cmd_reset")->text(), QString::fromUtf8("データ　リセット"));
  EXPECT_EQ(form->findChild<QPushButton*>(QString::fromUtf8("Cmd_描画"))->text(), QString::fromUtf8("描画へ戻る"));
  EXPECT_EQ(form->Sft_X[0]->text(), "0");
  EXPECT_EQ(form->Sft_Y[1]->text(), "");
  Type(form->findChild<QLineEdit*>("Sft_X(1)"), "50");
  Type(form->K_Angle[1], "90");
  Type(form->Mir_X[2], "1");
  EXPECT_EQ(layout.Row(1).sftX, "50");
  EXPECT_EQ(layout.Row(1).kAngle, "90");
  EXPECT_EQ(layout.PiecesInUse(), 3);
  form->resize(560, 520);
  SaveScreenshot(form, "form_gra_tasu.png");

  form->close();
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  ASSERT_EQ(screens.Existing(ScreenId::kGraTasu), form);  // hidden, not deleted
  EXPECT_EQ(screens.Show(ScreenId::kGraTasu, Owner::kNone), form);
  EXPECT_EQ(form->Sft_X[1]->text(), "50");

  form->Cmd_reset->click();
  EXPECT_EQ(layout.Row(1).sftX, "");
  EXPECT_EQ(layout.Row(2).mirX, "");
  EXPECT_EQ(layout.Row(0).sftX, "0");
  EXPECT_EQ(layout.Row(0).sftY, "0");
  EXPECT_EQ(form->K_Angle[1]->text(), "");
  EXPECT_EQ(table.CurRow, 10);
}

TEST_F(ScreensFixture, TypedPiecesReachTheNcProgram) {
  auto* layoutScreen = static_cast<Form_gra_tasu*>(screens.Show(ScreenId::kGraTasu, Owner::kNone));
  Type(layoutScreen->Sft_X[1], "50");
  Type(layoutScreen->Sft_Y[1], "0");
  auto* form = static_cast<Form_nc*>(screens.Show(ScreenId::kNc, Owner::kNone));
  form->cmdSTART->click();
  EXPECT_NE(temp.Read("NC1.dat").find("N009G00X55.Y5.\r\n"), std::string::npos);
}

TEST_F(ScreensFixture, DrawingButtonShowsTheContourView) {
  int shown = 0;
  screens.Register(ScreenId::kGraph, [&shown](AppContext&) {
    ++shown;
    return new QWidget;
  });
  auto* form = static_cast<Form_gra_tasu*>(screens.Show(ScreenId::kGraTasu, Owner::kNone));
  form->Cmd_描画->click();
  EXPECT_EQ(shown, 1);
  EXPECT_NE(screens.Existing(ScreenId::kGraph), nullptr);
  EXPECT_TRUE(form->isVisible());
}

}  // namespace
}  // namespace vx
