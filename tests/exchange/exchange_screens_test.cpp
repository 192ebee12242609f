// The exchange screens offscreen: captions, defaults, dialogs, chaining and stops.
#include "exchange/exchange_screens.h"

#include <gtest/gtest.h>

#include "support/qt_app.h"

#include <QApplication>
#include <QDir>
#include <QMenu>
#include <QPointer>
#include <QSettings>
#include <QTest>
#include <filesystem>

#include "exchange/exchange_messages.h"
#include "machining/piece_layout.h"
#include "platform/file_dialog.h"
#include "platform/message_box.h"
#include "shell/embedded_files.h"
#include "support/temp_folder.h"

namespace vx {
namespace {

struct ScreenFixture : ::testing::Test {
  static void SetUpTestSuite() { test::EnsureQApplication(); }
  void SetUp() override {
    screens.SetContext(&context);
    RegisterExchangeScreens(screens);
    screens.Register(ScreenId::kGraph, [](AppContext&) {
      auto* view = new QLabel("view");
      view->setObjectName("Form_graph");
      return view;
    });
  }
  void TearDown() override { screens.CloseAll(); }

  test::TempFolder temp;
  ElementTable table;
  PieceLayout layout;
  InstallFolder folder{temp.Path()};
  QSettings settings{QString::fromStdString(temp.File("settings.ini")), QSettings::IniFormat};
  ScreenManager screens;
  RecordingMessageBox messageBox;
  FixedFileDialog fileDialog{temp.File("drawing.dxf")};
  AppContext context{table, layout, folder, screens, messageBox, fileDialog};
};

const char* kSquare =
    "  0\r\nSECTION\r\n  2\r\nENTITIES\r\n  0\r\nLINE\r\n 10\r\n0\r\n 20\r\n0\r\n 11\r\n10\r\n 21\r\n0\r\n"
    "  0\r\nLINE\r\n 10\r\n10\r\n 20\r\n5\r\n 11\r\n10\r\n 21\r\n0.004\r\n  0\r\nENDSEC\r\n  0\r\nEOF\r\n";

TEST_F(ScreenFixture, DxfImportChoosesImportsClosesAndShowsTheView) {
  temp.Write("drawing.dxf", kSquare);
  auto* screen = static_cast<ImportScreen*>(screens.Show(ScreenId::kDxfConv2));
  ASSERT_NE(screen, nullptr);
  EXPECT_EQ(screen->objectName(), "Form_dxfconv2");
  EXPECT_EQ(screen->Label_msg->text(),
            QString::fromUtf8(" ＤＸＦ　ディスケットをスロットへ入れて、ＤＸＦ読み込みを押して下さい｡ "));
  EXPECT_EQ(screen->Dload->text(), QString::fromUtf8("DXF 読み込み"));
  EXPECT_EQ(screen->Start->text(), QString::fromUtf8("スタート"));
  screen->Txt_IMAR->setText("7");
  screen->Dload->click();
  EXPECT_EQ(fileDialog.last.initialPath, temp.Path() + "sample/dxf/*.dxf");
  EXPECT_EQ(fileDialog.last.filter, "すべてのファイル(*.*) |*.*");
  EXPECT_EQ(screen->Lbl_ISUM->text(), QString::fromUtf8(" ｽﾑｰｼﾞﾝｸﾞ処理しますか(1/0):"));
  EXPECT_EQ(screen->Lbl_IMAR->text(), QString::fromUtf8(" 数値まるめ処理　桁数は   :"));
  EXPECT_EQ(screen->Lbl_IENX->text(), QString::fromUtf8(" 円弧座標　XY=0 YX=1      :"));
  EXPECT_EQ(screen->Txt_ISUM->text(), "1");
  EXPECT_EQ(screen->Txt_IMAR->text(), "2");
  EXPECT_EQ(screen->Txt_IENX->text(), "0");
  EXPECT_EQ(screen->Label_msg->text(), QString::fromUtf8(" ファイルが決まりました。スタートを押して下さい｡ "));
  const QStringList expectedLines = {QString::fromUtf8(exchange_text::kDxfLoading),
                                     QString::fromUtf8(exchange_text::kRounding),
                                     QString::fromUtf8(exchange_text::kSmoothing),
                                     QString::fromUtf8(exchange_text::kDataDiskEnd)};
  screen->grab().save(VX_BINARY_DIR "/exchange_dxfconv2.png");  // for a look by eye
  QPointer<ImportScreen> alive(screen);
  screen->Start->click();
  ASSERT_FALSE(alive.isNull());  // deleted once the event loop runs
  EXPECT_EQ(screen->Surface->Lines(), expectedLines);
  EXPECT_FALSE(screen->isVisible());
  QApplication::processEvents();
  EXPECT_EQ(screens.Existing(ScreenId::kDxfConv2), nullptr);
  ASSERT_NE(screens.Existing(ScreenId::kGraph), nullptr);
  EXPECT_TRUE(screens.Existing(ScreenId::kGraph)->isVisible());
  EXPECT_TRUE(messageBox.messages.empty());
  EXPECT_EQ(temp.Read("CON2TA.dat"), "3\r\n0,0,0,0,0\r\n10,0,0,0,0\r\n10,5,0,0,0\r\n0.999,0,99,0,0\r\n");
}

TEST_F(ScreenFixture, DxfImportThatLeftSomethingOutStaysOpenUntilClosed) {
  std::string text = kSquare;
  text.replace(text.find("  0\r\nENDSEC"), 0, "  0\r\nTEXT\r\n  1\r\nARC\r\n  0\r\nHATCH\r\n  2\r\nSOLID\r\n");
  temp.Write("drawing.dxf", text);
  auto* screen = static_cast<ImportScreen*>(screens.Show(ScreenId::kDxfConv2));
  ASSERT_NE(screen, nullptr);
  screen->Dload->click();
  screen->Start->click();
  EXPECT_EQ(screen->Surface->Lines(),
            (QStringList{QString::fromUtf8(exchange_text::kDxfLoading),
                         QString::fromUtf8("読み込まなかった図形: TEXT 1, HATCH 1"),
                         QString::fromUtf8(exchange_text::kRounding), QString::fromUtf8(exchange_text::kSmoothing),
                         QString::fromUtf8(exchange_text::kDataDiskEnd)}));
  EXPECT_EQ(screen->Label_msg->text(), QString::fromUtf8(exchange_text::kCheckSkipped));
  EXPECT_TRUE(screen->isVisible());
  screen->grab().save(VX_BINARY_DIR "/exchange_dxfconv2_skipped.png");  // for a look by eye
  EXPECT_EQ(temp.Read("CON2TA.dat"), "3\r\n0,0,0,0,0\r\n10,0,0,0,0\r\n10,5,0,0,0\r\n0.999,0,99,0,0\r\n");
  screen->close();
  QApplication::processEvents();
  ASSERT_NE(screens.Existing(ScreenId::kGraph), nullptr);
  EXPECT_TRUE(screens.Existing(ScreenId::kGraph)->isVisible());
}

TEST_F(ScreenFixture, IgesImportDefaultsAndCancelledDialog) {
  auto* screen = static_cast<ImportScreen*>(screens.Show(ScreenId::kIgesConv2));
  ASSERT_NE(screen, nullptr);
  EXPECT_EQ(screen->objectName(), "Form_igesconv2");
  EXPECT_EQ(screen->Dload->text(), QString::fromUtf8("IGES読み込み"));
  screen->Dload->click();
  EXPECT_EQ(fileDialog.last.initialPath, temp.Path() + "sample/iges/*.igs");
  EXPECT_EQ(screen->Txt_IMAR->text(), "4");
  screen->grab().save(VX_BINARY_DIR "/exchange_igesconv2.png");  // for a look by eye
  FixedFileDialog cancel{std::nullopt};
  AppContext cancelling{table, layout, folder, screens, messageBox, cancel};
  ImportScreen other(cancelling, ImportScreen::Kind::kIges);
  other.Dload->click();
  EXPECT_EQ(messageBox.messages, std::vector<std::string>{exchange_text::kNoFileChosen});
  // Closed with every screen at the end of the program: no contour view.
  screens.CloseAll();
  EXPECT_EQ(screens.Existing(ScreenId::kGraph), nullptr);
}

TEST_F(ScreenFixture, ImportStopKeepsTheScreenOpenAndWritesNothing) {
  temp.Write("drawing.dxf", "  0\r\nSECTION\r\n  2\r\nENTITIES\r\n  0\r\nLINE\r\n 10\r\n");
  auto* screen = static_cast<ImportScreen*>(screens.Show(ScreenId::kDxfConv2));
  screen->Dload->click();
  screen->Start->click();
  EXPECT_EQ(messageBox.messages, std::vector<std::string>{exchange_text::DxfTruncated(temp.File("drawing.dxf"))});
  EXPECT_EQ(screens.Existing(ScreenId::kDxfConv2), screen);
  EXPECT_FALSE(temp.Exists("CON2TA.dat"));
  // The contour view that follows the screen's closing says so.
  EXPECT_EQ(context.contourNotice.Current(folder.PathOf("CON2TA.dat")),
            "DXF 読込が中止されたため、CON2TA.dat は " + temp.File("drawing.dxf") + " の輪郭ではありません。");
  // A completed import ends the notice.
  temp.Write("drawing.dxf", "  0\r\nSECTION\r\n  2\r\nENTITIES\r\n  0\r\nLINE\r\n  8\r\n0\r\n 10\r\n0\r\n 20\r\n0\r\n"
                           " 11\r\n10\r\n 21\r\n0\r\n  0\r\nENDSEC\r\n  0\r\nEOF\r\n");
  screen->Start->click();
  EXPECT_TRUE(temp.Exists("CON2TA.dat"));
  EXPECT_EQ(context.contourNotice.Current(folder.PathOf("CON2TA.dat")), "");
}

TEST_F(ScreenFixture, DxfExportWritesTheFileAndCloses) {
  temp.Write("CON2TA.dat", "2\r\n0,0,0,0,0\r\n10,0,0,0,0\r\n0.999,0,99,0,0\r\n");
  temp.Write("schelt.dxs", "  0\r\nSECTION\r\n  2\r\nENTITIES\r\n  0\r\nENDSEC\r\n  0\r\nEOF\r\n");
  FixedFileDialog save{temp.File("out.dxf")};
  AppContext saving{table, layout, folder, screens, messageBox, save};
  auto* screen = new ExportScreen(saving, ExportScreen::Kind::kDxf);
  EXPECT_EQ(screen->objectName(), "Form_dxfW");
  EXPECT_EQ(screen->CmdStart->text(), QString::fromUtf8("スタート"));
  screen->show();
  screen->CmdStart->click();
  EXPECT_EQ(save.last.initialPath, temp.Path() + "sample/dxf/*.dxf");
  EXPECT_TRUE(messageBox.messages.empty());
  const std::string out = temp.Read("out.dxf");
  EXPECT_NE(out.find("LINE\r\n  5\r\n100\r\n"), std::string::npos);
  EXPECT_EQ(out.substr(out.size() - 5), "EOF\r\n");
}

TEST_F(ScreenFixture, ExportStopsWithMessages) {
  // No contour file.
  FixedFileDialog save{temp.File("out.dxf")};
  AppContext saving{table, layout, folder, screens, messageBox, save};
  ExportScreen dxf(saving, ExportScreen::Kind::kDxf);
  dxf.CmdStart->click();
  // No template.
  temp.Write("CON2TA.dat", "2\r\n0,0,0,0,0\r\n10,0,0,0,0\r\n0.999,0,99,0,0\r\n");
  dxf.CmdStart->click();
  // Unwritable IGES output.
  FixedFileDialog bad{temp.File("missing/out.igs")};
  AppContext badContext{table, layout, folder, screens, messageBox, bad};
  ExportScreen iges(badContext, ExportScreen::Kind::kIges);
  EXPECT_EQ(iges.objectName(), "Form_igesW");
  iges.CmdStart->click();
  iges.grab().save(VX_BINARY_DIR "/exchange_igesW.png");  // for a look by eye
  EXPECT_EQ(bad.last.initialPath, temp.Path() + "sample/iges/*.igs");
  EXPECT_EQ(messageBox.messages,
            (std::vector<std::string>{exchange_text::NoContourFile(temp.File("CON2TA.dat")),
                                      exchange_text::NoTemplate(temp.File("schelt.dxs")),
                                      exchange_text::CannotWrite(temp.File("missing/out.igs"))}));
  EXPECT_FALSE(temp.Exists("out.dxf"));
}

TEST_F(ScreenFixture, DrawingOpenedElsewhereWaitsForStartAndItsChoicesAreRemembered) {
  screens.SetSettings(&settings);
  temp.Write("drawing.dxf", kSquare);
  temp.Write("die.IGS", "");
  // As Ctrl+O and a dropped file do: the import screen with the file chosen.
  screens.OpenDrawing(temp.File("drawing.dxf"));
  auto* dxf = static_cast<ImportScreen*>(screens.Existing(ScreenId::kDxfConv2));
  ASSERT_NE(dxf, nullptr);
  EXPECT_TRUE(dxf->isVisible());
  EXPECT_EQ(dxf->FileName(), temp.File("drawing.dxf"));
  EXPECT_EQ(dxf->Label_msg->text(), QString::fromUtf8(" ファイルが決まりました。スタートを押して下さい｡ "));
  EXPECT_TRUE(dxf->Start->isDefault());
  EXPECT_FALSE(dxf->Dload->isDefault());
  EXPECT_TRUE(temp.Exists("drawing.dxf"));
  dxf->Txt_IMAR->setText("3");
  dxf->Txt_IMAR->setFocus();
  QTest::keyClick(dxf->Txt_IMAR, Qt::Key_Return);  // Enter starts the import
  test::Settle();
  EXPECT_EQ(screens.Existing(ScreenId::kDxfConv2), nullptr);
  EXPECT_TRUE(messageBox.messages.empty());
  // Rounded to three digits the second line no longer meets the first.
  EXPECT_EQ(temp.Read("CON2TA.dat"),
            "5\r\n0,0,0,0,0\r\n10,0,0,0,0\r\n888,0,88,0,0\r\n10,5,0,0,0\r\n10,0.004,0,0,0\r\n0.999,0,99,0,0\r\n");

  screens.OpenDrawing(temp.File("die.IGS"));
  auto* iges = static_cast<ImportScreen*>(screens.Existing(ScreenId::kIgesConv2));
  ASSERT_NE(iges, nullptr);
  EXPECT_EQ(iges->Txt_IMAR->text(), "4");  // the IGES screen keeps its own options
  iges->CmdRecent->menu()->aboutToShow();
  ASSERT_EQ(iges->CmdRecent->menu()->actions().size(), 1);
  EXPECT_EQ(iges->CmdRecent->menu()->actions()[0]->data().toString().toStdString(), temp.File("die.IGS"));

  // A new DXF screen: the last options and folder, and the recent drawing to choose again.
  auto* again = static_cast<ImportScreen*>(screens.Show(ScreenId::kDxfConv2));
  again->CmdRecent->menu()->aboutToShow();
  const QList<QAction*> recent = again->CmdRecent->menu()->actions();
  ASSERT_EQ(recent.size(), 1);
  EXPECT_EQ(recent[0]->text().toStdString(), "drawing.dxf  (" + temp.Path().substr(0, temp.Path().size() - 1) + ")");
  recent[0]->trigger();
  EXPECT_EQ(again->FileName(), temp.File("drawing.dxf"));
  EXPECT_EQ(again->Txt_IMAR->text(), "3");
  again->Dload->click();
  EXPECT_EQ(fileDialog.last.initialPath, temp.Path() + "*.dxf");
  std::filesystem::remove(temp.File("drawing.dxf"));  // gone files leave the list
  again->CmdRecent->menu()->aboutToShow();
  ASSERT_EQ(again->CmdRecent->menu()->actions().size(), 1);
  EXPECT_FALSE(again->CmdRecent->menu()->actions()[0]->isEnabled());
  EXPECT_EQ(again->CmdRecent->menu()->actions()[0]->text(), QString::fromUtf8("（ありません）"));
}

// A drawing chosen by a drop, Ctrl+O or the recent list is named on the
// screen before Start reads it.
TEST_F(ScreenFixture, ChosenDrawingIsNamedOnTheScreen) {
  temp.Write("drawing.dxf", kSquare);
  auto* screen = static_cast<ImportScreen*>(screens.Show(ScreenId::kDxfConv2));
  ASSERT_NE(screen, nullptr);
  EXPECT_FALSE(screen->LabelFile->isVisible());
  screens.OpenDrawing(temp.File("drawing.dxf"));
  EXPECT_TRUE(screen->LabelFile->isVisible());
  EXPECT_EQ(screen->LabelFile->text().toStdString(),
            "ファイル: " + QDir::toNativeSeparators(QString::fromStdString(temp.File("drawing.dxf"))).toStdString());
}

// Start before any file is chosen says so and leaves the contour file, and
// what the contour view says of it, as they were.
TEST_F(ScreenFixture, StartWithoutAFileLeavesTheContourAsItWas) {
  temp.Write("CON2TA.dat", "0\r\n1,2,0,0,0\r\n");
  auto* screen = static_cast<ImportScreen*>(screens.Show(ScreenId::kIgesConv2));
  ASSERT_NE(screen, nullptr);
  screen->Start->click();
  EXPECT_EQ(messageBox.messages, std::vector<std::string>{exchange_text::kNoFileChosen});
  EXPECT_EQ(context.contourNotice.Current(folder.PathOf(kContourFile)), "");
  EXPECT_EQ(temp.Read("CON2TA.dat"), "0\r\n1,2,0,0,0\r\n");
  EXPECT_TRUE(screen->isVisible());
}

TEST_F(ScreenFixture, ExportStartsInTheFolderOfTheLastFileWritten) {
  screens.SetSettings(&settings);
  ASSERT_TRUE(folder.EnsureInstalled(VxEmbeddedFiles()).ok);
  temp.Write("CON2TA.dat", "1\r\n0,0,0,0,0\r\n10,0,99,0,0\r\n");
  std::filesystem::create_directories(temp.File("jobs"));
  FixedFileDialog answer{temp.File("jobs/part.dxf")};
  AppContext answering{table, layout, folder, screens, messageBox, answer};
  ExportScreen first(answering, ExportScreen::Kind::kDxf);
  first.CmdStart->click();
  EXPECT_EQ(answer.last.initialPath, temp.Path() + "sample/dxf/*.dxf");
  ASSERT_TRUE(temp.Exists("jobs/part.dxf")) << (messageBox.messages.empty() ? "" : messageBox.messages[0]);
  ExportScreen second(answering, ExportScreen::Kind::kDxf);
  second.CmdStart->click();
  EXPECT_EQ(answer.last.initialPath, temp.File("jobs/*.dxf"));
}

}  // namespace
}  // namespace vx
