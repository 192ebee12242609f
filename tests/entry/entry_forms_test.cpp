// The entry screens offscreen: texts, grid contents, the chain to CONV-2,
// corrections of the contour file; screenshots go into the build folder.
#include <gtest/gtest.h>

#include "support/qt_app.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QTest>
#include <chrono>
#include <filesystem>

#include "entry/entry_forms.h"
#include "entry/entry_screens.h"
#include "platform/file_dialog.h"
#include "platform/message_box.h"
#include "platform/workbook_reader.h"
#include "shell/form_main.h"
#include "shell/screen_manager.h"
#include "support/temp_folder.h"

// QSpontaneKeyEvent, the one class Qt lets mark an event as coming from the
// window system, is its test library's; here it stands for the window manager.

namespace vx {
namespace {

const std::string kSource = VX_SOURCE_DIR;

struct EntryFixture : ::testing::Test {
  static void SetUpTestSuite() { test::EnsureQApplication(); }
  void SetUp() override {
    screens.SetContext(&context);
    RegisterEntryScreens(screens);
  }
  void TearDown() override {
    screens.CloseAll();
    Settle();
  }
  static void Settle() { test::Settle(); }
  template <typename Condition>
  static bool WaitFor(Condition condition, int milliseconds = 2000) {
    return test::WaitFor(condition, milliseconds);
  }
  void CopyIn(const std::string& source, const std::string& name) {
    std::filesystem::copy_file(kSource + source, temp.File(name), std::filesystem::copy_options::overwrite_existing);
  }
  static QString Cell(const QTableWidget* grid, int row, int column) {
    const QTableWidgetItem* item = grid->item(row, column);
    return item ? item->text() : QString();
  }
  static void Screenshot(QWidget* screen, const char* file) {
    screen->grab().save(QString(VX_BINARY_DIR) + "/" + file);
  }

  test::TempFolder temp;
  ElementTable table;
  PieceLayout layout;
  InstallFolder folder{temp.Path()};
  ScreenManager screens;
  RecordingMessageBox messageBox;
  FixedFileDialog fileDialog{std::nullopt};
  AppContext context{table, layout, folder, screens, messageBox, fileDialog};
};

TEST_F(EntryFixture, EntryScreenShowsTheRulesAndTheFirstWorksheet) {
  CopyIn("/install/DATAIN.xls", "DATAIN.xls");
  auto* screen = dynamic_cast<Form_datain*>(screens.Show(ScreenId::kDatain, Owner::kNone));
  ASSERT_NE(screen, nullptr);
  const char* texts[6] = {
      "DORN　DATA-IN　へようこそ。",
      "下の表でダブルクリックすると、ＥＸＣＥＬが起動します。",
      "[DATA-IN ﾙｰﾙ]　[ D ]への入力　　　点（point）=８：[ C ]ｺｰﾅR",
      "　線（出る）=１：[ A ]角度[ C ]ｺｰﾅR　　(　)(C)=5：線と線（円）の間のｺｰﾅR",
      "　線（入る）=2：[ A ]角度[ C ]ｺｰﾅR　　平行線=3：[ A ]角度[ B ]移動量",
      "　円=0：[ R ]±半径[ S ]入り方出方",
  };
  for (int i = 0; i < 6; ++i) {
    const auto* label = screen->findChild<QLabel*>(QString("Label%1").arg(i + 1));
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->text(), QString::fromUtf8(texts[i]));
  }
  EXPECT_EQ(screen->Command1->text(), QString::fromUtf8("終了：コンバートへ"));
  const QTableWidget* grid = screen->OLE1;
  EXPECT_EQ(grid->columnCount(), 9);
  EXPECT_EQ(grid->horizontalHeaderItem(3)->text(), "D");
  EXPECT_EQ(Cell(grid, 0, 3), "(  D  )");
  EXPECT_EQ(Cell(grid, 2, 1), "20");     // sheet row 3: the start hole
  EXPECT_EQ(Cell(grid, 6, 1), "90");     // sheet row 7: the 45 degree line
  EXPECT_EQ(Cell(grid, 6, 4), "45");
  EXPECT_EQ(Cell(grid, 10, 7), "-15");   // the arc
  EXPECT_EQ(Cell(grid, 6, 5), "");       // empty cells stay empty
  // The hint on the skipped row runs on over the empty cells beside it, as in
  // the spreadsheet, instead of being cut off.
  EXPECT_EQ(Cell(grid, 1, 0), QString::fromUtf8("例：この行は読み込まれません"));
  EXPECT_GT(grid->columnSpan(1, 0), 1);
  EXPECT_EQ(grid->columnSpan(0, 0), 1);  // "No" fits its cell
  EXPECT_TRUE(screen->LabelStatus->isHidden());
  Screenshot(screen, "Form_datain.png");
}

TEST_F(EntryFixture, EntryGridFollowsTheFileAndOpensIt) {
  CopyIn("/tests/entry/data/onlyrow2.xls", "DATAIN.xls");
  auto* screen = dynamic_cast<Form_datain*>(screens.Show(ScreenId::kDatain, Owner::kNone));
  ASSERT_NE(screen, nullptr);
  EXPECT_EQ(Cell(screen->OLE1, 1, 0), "only row");
  QStringList opened;
  screen->openDocument = [&opened](const QString& path) {
    opened << path;
    return true;
  };
  screen->OLE1_DblClick();
  EXPECT_EQ(opened, QStringList{QString::fromStdString(temp.File("DATAIN.xls"))});

  // Saved over by the spreadsheet application: a new file replaces the old one.
  CopyIn("/tests/entry/data/codes.xls", "DATAIN.tmp");
  std::filesystem::rename(temp.File("DATAIN.tmp"), temp.File("DATAIN.xls"));
  EXPECT_TRUE(WaitFor([&] { return Cell(screen->OLE1, 1, 0) == "skipped"; }));

  std::filesystem::remove(temp.File("DATAIN.xls"));
  EXPECT_TRUE(WaitFor([&] { return screen->LabelStatus->isVisible(); }));
  EXPECT_EQ(Cell(screen->OLE1, 1, 0), "");
  screen->openDocument = [](const QString&) { return false; };
  screen->OLE1_DblClick();
  ASSERT_EQ(messageBox.messages.size(), 1u);
  EXPECT_EQ(messageBox.messages[0], "表計算アプリケーションで開けませんでした：" + temp.File("DATAIN.xls"));
}

TEST_F(EntryFixture, FinishButtonConvertsClosesAndOpensConv2) {
  CopyIn("/install/DATAIN.xls", "DATAIN.xls");
  int conv2Shown = 0;
  screens.Register(ScreenId::kConv2, [&conv2Shown](AppContext&) {
    ++conv2Shown;
    return new QLabel("conv-2");
  });
  auto* entry = dynamic_cast<Form_datain*>(screens.Show(ScreenId::kDatain, Owner::kNone));
  ASSERT_NE(entry, nullptr);
  entry->Command1->click();
  Settle();
  EXPECT_TRUE(temp.Exists("CONDTA.dat"));
  EXPECT_EQ(table.RowCount, 13);
  EXPECT_EQ(screens.Existing(ScreenId::kConv0), nullptr);  // closed itself
  EXPECT_EQ(conv2Shown, 1);
  EXPECT_TRUE(entry->isVisible());  // the entry screen stays open
  EXPECT_TRUE(messageBox.messages.empty());
}

TEST_F(EntryFixture, RefusedConversionDoesNotChainAndReopeningConvertsAgain) {
  int conv2Shown = 0;
  screens.Register(ScreenId::kConv2, [&conv2Shown](AppContext&) {
    ++conv2Shown;
    return new QLabel("conv-2");
  });
  auto* conv0 = dynamic_cast<Form_conv0*>(screens.Show(ScreenId::kConv0, Owner::kNone));
  ASSERT_NE(conv0, nullptr);
  EXPECT_EQ(conv0->Command1->text(), QString::fromUtf8("コンバート開始"));
  Screenshot(conv0, "Form_conv0.png");
  Settle();
  ASSERT_EQ(messageBox.messages.size(), 1u);
  EXPECT_EQ(messageBox.messages[0], "DATAIN.xls が見つかりません：" + temp.File("DATAIN.xls"));
  EXPECT_FALSE(temp.Exists("CONDTA.dat"));
  EXPECT_EQ(screens.Existing(ScreenId::kConv0), nullptr);
  EXPECT_EQ(conv2Shown, 0);

  CopyIn("/tests/entry/data/noend.xls", "DATAIN.xls");  // fixed; opened again
  screens.Show(ScreenId::kConv0, Owner::kNone);
  Settle();
  EXPECT_EQ(table.RowCount, 3);
  EXPECT_EQ(screens.Existing(ScreenId::kConv0), nullptr);
  EXPECT_EQ(conv2Shown, 1);
}

// Damaged and password-protected workbooks of each format: the entry screen
// says why it shows nothing, conversion 1 ends at once with a message naming
// the file, writes nothing and does not chain on.
TEST_F(EntryFixture, UnreadableWorkbooksAreRefusedQuickly) {
  const std::pair<const char*, const char*> cases[] = {
      {"damaged/truncated.xls", "ブックが壊れています"},
      {"damaged/library_overread.xlsx", "ブックが壊れています"},
      {"damaged/library_null_style.ods", "ブックが壊れています"},
      {"password.xls", "ブックがパスワードで保護されています。パスワードを付けずに保存し直してください"},
      {"password.ods", "ブックがパスワードで保護されています。パスワードを付けずに保存し直してください"},
  };
  int conv2Shown = 0;
  screens.Register(ScreenId::kConv2, [&conv2Shown](AppContext&) {
    ++conv2Shown;
    return new QLabel("conv-2");
  });
  for (const auto& [file, why] : cases) {
    for (const char* old : {"DATAIN.xls", "DATAIN.xlsx", "DATAIN.ods"}) std::filesystem::remove(temp.File(old));
    const std::string name = "DATAIN" + std::filesystem::path(file).extension().string();
    if (name != "DATAIN.xls" && !ZippedWorkbooksReadable()) continue;
    CopyIn(std::string("/tests/entry/data/") + file, name);
    const std::string message = name + " を読み込めません（" + why + "）：" + temp.File(name);
    const auto start = std::chrono::steady_clock::now();
    auto* entry = dynamic_cast<Form_datain*>(screens.Show(ScreenId::kDatain, Owner::kNone));
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(entry->LabelStatus->text().toStdString(), message) << file;
    messageBox.messages.clear();
    screens.Show(ScreenId::kConv0, Owner::kNone);
    Settle();
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5)) << file;
    EXPECT_EQ(messageBox.messages, std::vector<std::string>{message}) << file;
    EXPECT_FALSE(temp.Exists("CONDTA.dat")) << file;
    screens.CloseAll();
    Settle();
  }
  EXPECT_EQ(conv2Shown, 0);
}

// A DATAIN.ods saved after the sample DATAIN.xls is what the entry screen
// shows and conversion 1 reads, formula results included; conversion 1's
// line names it.
TEST_F(EntryFixture, NewestWorkbookIsShownAndConverted) {
  CopyIn("/install/DATAIN.xls", "DATAIN.xls");
  std::filesystem::last_write_time(temp.File("DATAIN.xls"),
                                   std::filesystem::file_time_type::clock::now() - std::chrono::hours(1));
  CopyIn("/tests/entry/data/formulas.ods", "DATAIN.ods");
  int conv2Shown = 0;
  screens.Register(ScreenId::kConv2, [&conv2Shown](AppContext&) {
    ++conv2Shown;
    return new QLabel("conv-2");
  });
  auto* entry = dynamic_cast<Form_datain*>(screens.Show(ScreenId::kDatain, Owner::kNone));
  ASSERT_NE(entry, nullptr);
  EXPECT_EQ(Cell(entry->OLE1, 2, 1), "15.5");   // B3: =10+5.5
  EXPECT_EQ(Cell(entry->OLE1, 4, 2), "12.5mm");  // C5: a text result from another sheet
  EXPECT_TRUE(entry->LabelStatus->isHidden());
  Screenshot(entry, "Form_datain_ods.png");

  auto* conv0 = dynamic_cast<Form_conv0*>(screens.Show(ScreenId::kConv0, Owner::kNone));
  ASSERT_NE(conv0, nullptr);
  EXPECT_EQ(conv0->Label1->text().toStdString(),
            "DATAIN.ods を読み込みました：" + temp.File("DATAIN.ods") + "\n" + temp.File("CONDTA.dat"));
  Settle();
  EXPECT_EQ(table.RowCount, 8);
  EXPECT_EQ(conv2Shown, 1);
  EXPECT_TRUE(messageBox.messages.empty());
}

TEST_F(EntryFixture, ContourTableShowsCorrectsAndRefusesBrokenLayout) {
  const std::string original = "2\r\n0,0,0,0,0\r\n10,.5,0,0,0\r\n0,0,99,0,0\r\n";
  temp.Write("con2ta.dat", original);
  auto* screen = dynamic_cast<Form_con2amd*>(screens.Show(ScreenId::kCon2amd, Owner::kNone));
  ASSERT_NE(screen, nullptr);
  QTableWidget* grid = screen->OLE1;
  EXPECT_EQ(grid->rowCount(), 4);
  EXPECT_EQ(Cell(grid, 0, 0), "2");
  EXPECT_EQ(Cell(grid, 0, 1), "");
  EXPECT_EQ(Cell(grid, 2, 1), ".5");
  EXPECT_EQ(Cell(grid, 3, 2), "99");
  Screenshot(screen, "Form_con2amd.png");

  grid->item(2, 0)->setText("1O");  // a typing slip
  EXPECT_TRUE(screen->HasUnsavedEdits());
  EXPECT_FALSE(screen->Save());
  ASSERT_EQ(messageBox.messages.size(), 1u);
  EXPECT_EQ(messageBox.messages[0], "表の 3 行目の X「1O」は数値ではありません。保存しません。");
  EXPECT_EQ(temp.Read("con2ta.dat"), original);

  grid->item(2, 0)->setText("12");
  EXPECT_TRUE(screen->Save());
  EXPECT_EQ(temp.Read("con2ta.dat"), "2\r\n0,0,0,0,0\r\n12,0.5,0,0,0\r\n0,0,99,0,0\r\n");
  EXPECT_FALSE(screen->HasUnsavedEdits());

  QStringList opened;
  screen->openDocument = [&opened](const QString& path) {
    opened << path;
    return true;
  };
  screen->OLE1_DblClick();
  EXPECT_EQ(opened, QStringList{QString::fromStdString(temp.File("con2ta.dat"))});
}

TEST_F(EntryFixture, ContourTableSavedBySpreadsheetIsStoredInTableLayoutAgain) {
  // As LibreOffice Calc saves it: count line padded, empty row N + 1 left out.
  temp.Write("CON2TA.dat", "1,,,,\n5,6,0,0,0\n");
  auto* screen = dynamic_cast<Form_con2amd*>(screens.Show(ScreenId::kCon2amd, Owner::kNone));
  ASSERT_NE(screen, nullptr);
  EXPECT_EQ(screen->OLE1->rowCount(), 3);  // the empty row N + 1 is back
  EXPECT_TRUE(screen->LabelStatus->isVisibleTo(screen));
  EXPECT_TRUE(screen->LabelStatus->text().contains(QString::fromUtf8("表ファイルの形になっていない")));
  EXPECT_TRUE(screen->HasUnsavedEdits());
  Screenshot(screen, "Form_con2amd_spreadsheet_save.png");
  ASSERT_TRUE(screen->Save());
  EXPECT_EQ(temp.Read("CON2TA.dat"), "1\r\n5,6,0,0,0\r\n,,,,\r\n");
  EXPECT_FALSE(screen->HasUnsavedEdits());
  EXPECT_TRUE(messageBox.messages.empty());
}

TEST_F(EntryFixture, ContourTableKeepsUnsavedEditsWhenTheFileChanges) {
  temp.Write("CON2TA.dat", "0\r\n1,2,0,0,0\r\n");
  auto* screen = dynamic_cast<Form_con2amd*>(screens.Show(ScreenId::kCon2amd, Owner::kNone));
  ASSERT_NE(screen, nullptr);
  temp.Write("CON2TA.dat", "0\r\n3,4,0,0,0\r\n");
  EXPECT_TRUE(WaitFor([&] { return Cell(screen->OLE1, 1, 0) == "3"; }));
  screen->OLE1->item(1, 1)->setText("5");
  temp.Write("NC1.dat", "%\r\n");  // another file of the folder: no warning
  EXPECT_FALSE(WaitFor([&] { return screen->LabelStatus->isVisible(); }, 700));
  temp.Write("CON2TA.dat", "0\r\n6,7,0,0,0\r\n");
  EXPECT_TRUE(WaitFor([&] { return screen->LabelStatus->isVisible(); }));
  EXPECT_EQ(Cell(screen->OLE1, 1, 1), "5");

  // Closed by the operator: asked first; "no" keeps the window and the corrections.
  int asked = 0;
  screen->confirmDiscard = [&asked] { return ++asked > 1; };
  QCloseEvent byOperator;
  QSpontaneKeyEvent::setSpontaneous(&byOperator);
  QCoreApplication::instance()->notify(screen, &byOperator);  // keeps the mark
  EXPECT_FALSE(byOperator.isAccepted());
  EXPECT_EQ(Cell(screen->OLE1, 1, 1), "5");
  QCloseEvent again;
  QSpontaneKeyEvent::setSpontaneous(&again);
  QCoreApplication::instance()->notify(screen, &again);
  EXPECT_TRUE(again.isAccepted());
  EXPECT_EQ(asked, 2);
}

TEST_F(EntryFixture, ContourTableWarningAfterASaveIsNotShownAsDone) {
  temp.Write("CON2TA.dat", "0\r\n1,2,0,0,0\r\n");
  auto* screen = dynamic_cast<Form_con2amd*>(screens.Show(ScreenId::kCon2amd, Owner::kNone));
  ASSERT_NE(screen, nullptr);
  const std::string problemStyle = screen->LabelStatus->styleSheet().toStdString();
  screen->OLE1->item(1, 1)->setText("5");
  ASSERT_TRUE(screen->Save());
  ASSERT_TRUE(WaitFor([&] { return screen->LabelStatus->text().startsWith(QString::fromUtf8("保存しました")); }));
  screen->OLE1->item(1, 1)->setText("6");
  temp.Write("CON2TA.dat", "0\r\n8,9,0,0,0\r\n");
  ASSERT_TRUE(WaitFor([&] { return screen->LabelStatus->text().contains(QString::fromUtf8("ほかで変更")); }));
  EXPECT_EQ(screen->LabelStatus->styleSheet().toStdString(), problemStyle);  // not the colour of "saved"
}

TEST_F(EntryFixture, ProgramEndClosesTheContourTableWithoutAsking) {
  temp.Write("CON2TA.dat", "0\r\n1,2,0,0,0\r\n");
  auto* screen = dynamic_cast<Form_con2amd*>(screens.Show(ScreenId::kCon2amd, Owner::kNone));
  ASSERT_NE(screen, nullptr);
  screen->OLE1->item(1, 1)->setText("5");
  int asked = 0;
  screen->confirmDiscard = [&asked] { return ++asked > 1; };
  screens.CloseAll();
  Settle();
  EXPECT_EQ(asked, 0);
  EXPECT_EQ(screens.Existing(ScreenId::kCon2amd), nullptr);
}

// The grid's texts row by row, the empty cells as "".
std::vector<std::string> Rows(const QTableWidget* grid) {
  std::vector<std::string> rows;
  for (int row = 0; row < grid->rowCount(); ++row) {
    QStringList cells;
    for (int column = 0; column < grid->columnCount(); ++column) {
      const QTableWidgetItem* item = grid->item(row, column);
      cells << (item ? item->text() : QString());
    }
    rows.push_back(cells.join(',').toStdString());
  }
  return rows;
}

TEST_F(EntryFixture, ContourTableKeepsTheCountInStepAndUndoesEveryStep) {
  temp.Write("CON2TA.dat", "2\r\n0,0,0,0,0\r\n87.9289317056946,-1.46446585284728,0,0,0\r\n0,0,99,0,0\r\n");
  auto* screen = dynamic_cast<Form_con2amd*>(screens.Show(ScreenId::kCon2amd, Owner::kNone));
  ASSERT_NE(screen, nullptr);
  QTableWidget* grid = screen->OLE1;
  screen->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(screen));
  // Headed as the messages name the fields; every value shown whole.
  QStringList headings;
  for (int column = 0; column < grid->columnCount(); ++column) headings << grid->horizontalHeaderItem(column)->text();
  EXPECT_EQ(headings, QStringList({"X", "Y", "Code", "P1", "P2"}));
  const QFontMetrics metrics(grid->font());
  EXPECT_GE(grid->columnWidth(0), metrics.horizontalAdvance("87.9289317056946"));
  EXPECT_GE(grid->columnWidth(1), metrics.horizontalAdvance("-1.46446585284728"));
  const std::vector<std::string> loaded = {"2,,,,", "0,0,0,0,0", "87.9289317056946,-1.46446585284728,0,0,0",
                                           "0,0,99,0,0"};
  EXPECT_EQ(Rows(grid), loaded);

  // Insert above row 3, type a point into it as the operator does, delete row 2.
  grid->setCurrentCell(2, 0);
  screen->CmdInsertRow->click();
  const std::vector<std::string> inserted = {"3,,,,", "0,0,0,0,0", ",,,,", "87.9289317056946,-1.46446585284728,0,0,0",
                                             "0,0,99,0,0"};
  EXPECT_EQ(Rows(grid), inserted);
  grid->setCurrentCell(2, 0);
  grid->setFocus();
  QTest::keyClick(grid, Qt::Key_5, Qt::NoModifier);  // the first key opens the cell's editor
  QWidget* editor = QApplication::focusWidget();
  ASSERT_NE(editor, grid);
  QTest::keyClicks(editor, "0");
  QTest::keyClick(editor, Qt::Key_Return);
  Settle();  // the editor hands its text over once the events run
  grid->setItem(2, 1, new QTableWidgetItem("12.5"));  // a new cell, as pasting makes one
  grid->setCurrentCell(1, 3);
  screen->CmdDeleteRow->click();
  const std::vector<std::string> edited = {"2,,,,", "50,12.5,,,", "87.9289317056946,-1.46446585284728,0,0,0",
                                           "0,0,99,0,0"};
  EXPECT_EQ(Rows(grid), edited);
  EXPECT_TRUE(screen->HasUnsavedEdits());
  Screenshot(screen, "Form_con2amd_edited.png");

  // Ctrl+Z takes back one step at a time, Ctrl+Y does it again.
  const std::vector<std::vector<std::string>> undone = {
      {"3,,,,", "0,0,0,0,0", "50,12.5,,,", "87.9289317056946,-1.46446585284728,0,0,0", "0,0,99,0,0"},
      {"3,,,,", "0,0,0,0,0", "50,,,,", "87.9289317056946,-1.46446585284728,0,0,0", "0,0,99,0,0"},
      inserted, loaded};
  for (const auto& expected : undone) {
    QTest::keyClick(grid, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(Rows(grid), expected);
  }
  EXPECT_FALSE(screen->HasUnsavedEdits());  // back to the file as read
  EXPECT_FALSE(screen->CmdUndo->isEnabled());
  for (int i = 0; i < 4; ++i) QTest::keyClick(grid, Qt::Key_Y, Qt::ControlModifier);
  EXPECT_EQ(Rows(grid), edited);
  EXPECT_TRUE(screen->HasUnsavedEdits());
  screen->CmdUndo->click();
  screen->CmdRedo->click();
  EXPECT_EQ(Rows(grid), edited);

  // The count line is never deleted; the table saves as it stands.
  grid->setRangeSelected(QTableWidgetSelectionRange(0, 0, 1, 0), true);
  screen->CmdDeleteRow->click();
  EXPECT_EQ(Rows(grid), edited);
  ASSERT_EQ(messageBox.messages.size(), 1u);
  EXPECT_EQ(messageBox.messages[0], "1 行目は件数の行のため削除できません。");
  ASSERT_TRUE(screen->Save());
  EXPECT_EQ(temp.Read("CON2TA.dat"), "2\r\n50,12.5,,,\r\n87.9289317056946,-1.46446585284728,0,0,0\r\n0,0,99,0,0\r\n");
  EXPECT_FALSE(screen->HasUnsavedEdits());
}

TEST_F(EntryFixture, ContourTableAsksBeforeReadingOverCorrectionsAndOnEsc) {
  temp.Write("CON2TA.dat", "0\r\n1,2,0,0,0\r\n");
  auto* screen = dynamic_cast<Form_con2amd*>(screens.Show(ScreenId::kCon2amd, Owner::kNone));
  ASSERT_NE(screen, nullptr);
  int asked = 0;
  bool letGo = false;
  screen->confirmDiscard = [&] {
    ++asked;
    return letGo;
  };
  screen->CmdReload->click();  // nothing to lose: no question
  EXPECT_EQ(asked, 0);
  screen->OLE1->item(1, 1)->setText("5");
  screen->CmdReload->click();
  EXPECT_EQ(asked, 1);
  EXPECT_EQ(Cell(screen->OLE1, 1, 1), "5");
  QTest::keyClick(screen->OLE1, Qt::Key_Escape);  // Esc asks as the window's close button does
  EXPECT_EQ(asked, 2);
  EXPECT_TRUE(screen->isVisible());
  letGo = true;
  screen->CmdReload->click();
  EXPECT_EQ(Cell(screen->OLE1, 1, 1), "2");
  EXPECT_FALSE(screen->HasUnsavedEdits());
}

TEST_F(EntryFixture, MenuButtonsOfTheEntryScreensAreEnabled) {
  Form_main menu(screens);
  EXPECT_TRUE(menu.Cmd_datain->isEnabled());
  EXPECT_TRUE(menu.Cmd_conv1->isEnabled());
  EXPECT_TRUE(menu.Cmd_con2amd->isEnabled());
}

}  // namespace
}  // namespace vx
