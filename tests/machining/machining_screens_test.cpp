// The NC output screen and the multi-piece layout screen offscreen: texts
// typed, START pressed with the save dialog answered, screenshots saved.
#include <gtest/gtest.h>

#include <QPrinter>

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
#include "shell/field_marks.h"
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
  form->resize(520, 420);
  messageBox.onShow = [form] { SaveScreenshot(form, "form_nc_done.png"); };
  form->cmdSTART->click();
  messageBox.onShow = nullptr;
  EXPECT_EQ(chosen.last.initialPath, temp.Path() + "NC.dat");
  EXPECT_TRUE(out.Exists("PART12.NC"));
  EXPECT_TRUE(out.Exists("PART13.NC"));
  const std::string first = out.Read("PART12.NC");
  EXPECT_NE(first.find("N002G01X9.9Y5.G42FH22EH21H20\r\n"), std::string::npos);
  EXPECT_NE(out.Read("PART13.NC").find("N010G01X10.1Y5.G41FH22EH21H20\r\n"), std::string::npos);
  // One line names both files, in a box and on the screen.
  const std::string summary = "NC出力: 書き込んだファイル: " + out.Path() + "PART12.NC, " + out.Path() + "PART13.NC";
  EXPECT_EQ(messageBox.messages, std::vector<std::string>{summary});
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(alive.isNull());  // closed and gone: the next opening starts afresh
  EXPECT_EQ(screens.Existing(ScreenId::kNc), nullptr);
  auto* again = static_cast<Form_nc*>(screens.Show(ScreenId::kNc, Owner::kNone));
  EXPECT_EQ(again->Text[0]->text(), "1");
  EXPECT_EQ(again->Text[5]->text(), "0.1");  // the offset is the setting the contour view shares
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
    if (!seen.isEmpty()) return;  // the first box: the offset's
    seen = form->Surface->Lines();
    SaveScreenshot(form, "form_nc_working.png");
  };
  Type(form->Text[5], "0.1");
  form->cmdSTART->click();
  EXPECT_EQ(messageBox.messages, (std::vector<std::string>{"オフセット計算中 dataNO= 3で交点ERROR",
                                                         "NC出力: 書き込んだファイル: " + temp.Path() + "NC1.dat"}));
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
  EXPECT_EQ(messageBox.messages, std::vector<std::string>{"NC出力: 印刷: プログラム No 1 → " + pdf});
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

  QStringList asked;
  form->SetConfirm([&asked](const QString& question) {
    asked << question;
    return true;
  });
  form->Cmd_reset->click();
  EXPECT_EQ(asked.size(), 1);
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

// --- fields checked as typed ----------------------------------------------------

TEST_F(ScreensFixture, NcFieldsThatStartCannotTakeAreMarkedAndRefused) {
  struct Case {
    int box;
    const char* text;
    const char* message;
  };
  const Case cases[] = {
      {0, "abc", "プログラム No の「abc」は数値ではありません。数値を入力してください。"},
      {5, "O.1", "オフセット の「O.1」は数値ではありません。数値を入力してください。"},
      {7, "7", "G41/G42 の「7」は使えません。1, 2 のどれかを入力してください。"},
      {3, "9", "NC OUT の「9」は使えません。1, 2, 3 のどれかを入力してください。"},
      {6, "2", "逆方向加工 の「2」は使えません。0, 1 のどれかを入力してください。"},
      {4, "2x", "平均速度 F の「2x」は数値ではありません。数値を入力してください。"},
  };
  for (const Case& c : cases) {
    messageBox.messages.clear();
    auto* form = static_cast<Form_nc*>(screens.Show(ScreenId::kNc, Owner::kNone));
    QPointer<QWidget> alive(form);
    EXPECT_FALSE(IsMarked(form->Text[c.box]));
    Type(form->Text[c.box], QString::fromUtf8(c.text));
    EXPECT_TRUE(IsMarked(form->Text[c.box])) << c.text;
    EXPECT_EQ(form->Text[c.box]->toolTip(), QString::fromUtf8(c.message));
    if (c.box == 0) {
      form->resize(520, 420);
      SaveScreenshot(form, "form_nc_marked.png");
    }
    form->cmdSTART->click();
    EXPECT_EQ(messageBox.messages, std::vector<std::string>{c.message});
    EXPECT_FALSE(temp.Exists("NC1.dat")) << c.text;
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_FALSE(alive.isNull()) << "the screen stays for a correction";
    // Emptied, the box keeps its empty meaning and is no longer marked.
    Type(form->Text[c.box], "");
    EXPECT_FALSE(IsMarked(form->Text[c.box]));
    form->Command1->click();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }
}

TEST_F(ScreensFixture, BlankTargetWritesNothingAndSaysSo) {
  auto* form = static_cast<Form_nc*>(screens.Show(ScreenId::kNc, Owner::kNone));
  Type(form->Text[3], "");
  form->cmdSTART->click();
  EXPECT_FALSE(temp.Exists("NC1.dat"));
  EXPECT_EQ(messageBox.messages,
            std::vector<std::string>{"NC出力: NC OUT が 1, 2, 3 のどれでもないため、書き込みも印刷もしていません。"});
}

TEST_F(ScreensFixture, LayoutTextsStartCannotTakeStopTheNcOutput) {
  layout.Row(1) = PieceRow{"50", "0", "", "3"};
  auto* form = static_cast<Form_nc*>(screens.Show(ScreenId::kNc, Owner::kNone));
  form->cmdSTART->click();
  EXPECT_EQ(messageBox.messages,
            std::vector<std::string>{"２個目 ミラー の「3」は使えません。0, 1, 2 のどれかを入力してください。"});
  EXPECT_FALSE(temp.Exists("NC1.dat"));
}

TEST_F(ScreensFixture, NcOffsetIsTheOneTheContourViewShows) {
  context.wireOffset = "0.1";
  auto* form = static_cast<Form_nc*>(screens.Show(ScreenId::kNc, Owner::kNone));
  EXPECT_EQ(form->Text[5]->text(), "0.1");
  Type(form->Text[5], "-0.2");
  EXPECT_EQ(context.wireOffset, "-0.2");
  form->cmdSTART->click();
  EXPECT_NE(temp.Read("NC1.dat").find("N002G01X10.2Y5."), std::string::npos);  // outside the square: right of travel
}

TEST_F(ScreensFixture, NcScreenSaysWhenTheContourFileIsNotTheOneAskedFor) {
  context.contourNotice.Set("CONV-2 stopped", folder.PathOf(kContourFile));
  auto* form = static_cast<Form_nc*>(screens.Show(ScreenId::kNc, Owner::kNone));
  EXPECT_EQ(form->Surface->Lines(), QStringList{QString::fromUtf8("注意: CONV-2 stopped")});
  form->close();
  context.contourNotice.Clear();
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  form = static_cast<Form_nc*>(screens.Show(ScreenId::kNc, Owner::kNone));
  EXPECT_TRUE(form->Surface->Lines().isEmpty());
}

// The notice after a stopped CONV-2 is long; on the narrow NC screen it goes
// on over the next lines, and the surface grows to hold them (it was cut
// after "今回の変").
TEST_F(ScreensFixture, NcNoticeIsShownWholeOnTheNarrowScreen) {
  context.contourNotice.Set("CONV-2 が中止されたため、CON2TA.dat は今回の変換結果ではありません。",
                            folder.PathOf(kContourFile));
  auto* form = static_cast<Form_nc*>(screens.Show(ScreenId::kNc, Owner::kNone));
  test::Settle();
  const QFontMetrics metrics(form->Surface->font());
  const QString line = form->Surface->Lines().value(0);
  ASSERT_GT(metrics.horizontalAdvance(line), form->Surface->width());  // wider than the screen: it wraps
  EXPECT_GE(form->Surface->height(), form->Surface->TextHeight(form->Surface->width()));
  EXPECT_GE(form->Surface->height(), 2 * metrics.height());
  SaveScreenshot(form, "Form_nc_notice.png");
}

// A listing printed to a file (the print dialog's "print to file") is named
// by that file in the summary line, not by an empty printer name.
TEST_F(ScreensFixture, ListingPrintedToAFileIsNamedByTheFile) {
  QPrinter printer;
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(QString::fromStdString(temp.File("listing.pdf")));
  EXPECT_EQ(Form_nc::PrinterName(printer).toStdString(), temp.File("listing.pdf"));
  NcStartResult result;
  result.listingsPrinted.push_back(NcListing{7, ToStdString(Form_nc::PrinterName(printer))});
  EXPECT_EQ(Form_nc::SummaryLine(result).toStdString(),
            "NC出力: 印刷: プログラム No 7 → " + temp.File("listing.pdf"));
}

TEST_F(ScreensFixture, LayoutResetAsksWhenRowsWouldBeLost) {
  auto* form = static_cast<Form_gra_tasu*>(screens.Show(ScreenId::kGraTasu, Owner::kNone));
  QStringList asked;
  bool answer = false;
  form->SetConfirm([&](const QString& question) {
    asked << question;
    return answer;
  });
  // Nothing to lose: no question.
  form->Cmd_reset->click();
  EXPECT_TRUE(asked.isEmpty());
  Type(form->Sft_X[1], "50");
  form->Cmd_reset->click();  // answered No
  ASSERT_EQ(asked.size(), 1);
  EXPECT_EQ(asked[0], QString::fromUtf8("多数個とりの 10 行をすべて消して、１個目を 0, 0 に戻します。よろしいですか？"));
  EXPECT_EQ(layout.Row(1).sftX, "50");
  answer = true;
  form->Cmd_reset->click();
  EXPECT_EQ(layout.Row(1).sftX, "");
}

TEST_F(ScreensFixture, LayoutMarksBoxesAndRefusesToDraw) {
  int shown = 0;
  screens.Register(ScreenId::kGraph, [&shown](AppContext&) {
    ++shown;
    return new QWidget;
  });
  auto* form = static_cast<Form_gra_tasu*>(screens.Show(ScreenId::kGraTasu, Owner::kNone));
  struct Case {
    QLineEdit* box;
    const char* text;
    const char* message;  // empty: taken
  };
  const Case cases[] = {
      {form->Mir_X[0], "3", "１個目 ミラー の「3」は使えません。0, 1, 2 のどれかを入力してください。"},
      {form->Mir_X[0], "0", ""},
      {form->K_Angle[2], "9O", "３個目 回転 角度 の「9O」は数値ではありません。数値を入力してください。"},
      {form->K_Angle[2], "", ""},
      {form->Sft_Y[9], "abc", "10個目 sft Y の「abc」は数値ではありません。数値を入力してください。"},
      {form->Sft_Y[9], " -1.5 ", ""},
  };
  for (const Case& c : cases) {
    messageBox.messages.clear();
    Type(c.box, QString::fromUtf8(c.text));
    const bool refused = *c.message != '\0';
    EXPECT_EQ(IsMarked(c.box), refused) << c.text;
    const int before = shown;
    form->Cmd_描画->click();
    if (refused) {
      EXPECT_EQ(messageBox.messages, std::vector<std::string>{c.message});
      EXPECT_EQ(shown, before);
    } else {
      EXPECT_TRUE(messageBox.messages.empty()) << c.text;
      EXPECT_NE(screens.Existing(ScreenId::kGraph), nullptr);
    }
  }
  form->resize(560, 520);
  Type(form->Mir_X[3], "5");
  SaveScreenshot(form, "form_gra_tasu_marked.png");
}

}  // namespace
}  // namespace vx
