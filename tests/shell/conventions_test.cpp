// The conventions every screen shares, offscreen: Esc, Enter, F1, Ctrl+O,
// Ctrl+Q, remembered window geometry, dropped drawings, quitting with work
// not stored, the lock of the install folder and the choice of language.
#include <gtest/gtest.h>

#include "support/qt_app.h"

#include <QApplication>
#include <QDropEvent>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QSettings>
#include <QTableWidget>
#include <QTest>
#include <QTextBrowser>
#include <QTranslator>
#include <QUrl>
#include <QVBoxLayout>
#include <sys/wait.h>
#include <unistd.h>

#include "machining/piece_layout.h"
#include "platform/file_dialog.h"
#include "platform/message_box.h"
#include "shell/app_context.h"
#include "shell/form_main.h"
#include "shell/help_window.h"
#include "shell/instance_lock.h"
#include "shell/language.h"
#include "shell/screen_conventions.h"
#include "support/temp_folder.h"

namespace vx {
namespace {

// A stand-in screen named as a real one, with a text box, two buttons and a grid.
class FakeScreen : public QWidget, public HoldsUnsavedWork {
 public:
  FakeScreen(const char* name, const char* defaultButton) {
    setObjectName(name);
    setAttribute(Qt::WA_DeleteOnClose);
    auto* layout = new QVBoxLayout(this);
    box = new QLineEdit(this);
    grid = new QTableWidget(2, 2, this);
    action = new QPushButton("action", this);
    action->setObjectName(defaultButton);
    other = new QPushButton("other", this);
    for (QWidget* w : std::initializer_list<QWidget*>{box, grid, action, other}) layout->addWidget(w);
    connect(action, &QPushButton::clicked, this, [this] { ++actionClicks; });
    connect(other, &QPushButton::clicked, this, [this] { ++otherClicks; });
  }
  bool HasUnsavedWork() const override { return unsaved; }
  bool ConfirmDiscard() override {
    ++asked;
    return letGo;
  }

  QLineEdit* box;
  QTableWidget* grid;
  QPushButton* action;
  QPushButton* other;
  int actionClicks = 0, otherClicks = 0, asked = 0;
  bool unsaved = false, letGo = false;
};

struct ConventionsFixture : ::testing::Test {
  static void SetUpTestSuite() { test::EnsureQApplication(); }
  void SetUp() override {
    screens.SetContext(&context);
    screens.SetSettings(&settings);
    screens.Register(ScreenId::kNc, [this](AppContext&) { return nc = new FakeScreen("Form_nc", "cmdSTART"); });
    screens.Register(ScreenId::kCon2amd,
                     [this](AppContext&) { return table = new FakeScreen("Form_con2amd", "CmdSave"); });
    screens.SetDrawingOpener([this](const std::string& path) { opened.push_back(path); });
  }
  void TearDown() override {
    screens.CloseAll();
    test::Settle();
  }
  FakeScreen* ShowNc() { return static_cast<FakeScreen*>(screens.Show(ScreenId::kNc, Owner::kNone)); }

  test::TempFolder temp;
  QSettings settings{QString::fromStdString(temp.File("settings.ini")), QSettings::IniFormat};
  ElementTable elements;
  PieceLayout layout;
  InstallFolder folder{temp.Path()};
  ScreenManager screens;
  RecordingMessageBox messageBox;
  FixedFileDialog fileDialog{temp.File("part.IGES")};
  AppContext context{elements, layout, folder, screens, messageBox, fileDialog};
  FakeScreen* nc = nullptr;
  FakeScreen* table = nullptr;
  std::vector<std::string> opened;
};

TEST_F(ConventionsFixture, EscClosesAScreenButNotTheMenu) {
  FakeScreen* screen = ShowNc();
  QTest::keyClick(screen->box, Qt::Key_Escape);
  test::Settle();
  EXPECT_EQ(screens.Existing(ScreenId::kNc), nullptr);

  Form_main menu(screens);
  screens.SetMenu(&menu);
  menu.show();
  QTest::keyClick(&menu, Qt::Key_Escape);
  EXPECT_TRUE(menu.isVisible());
}

TEST_F(ConventionsFixture, EnterPressesTheFocusedButtonElseTheDefaultOneNotFromAGrid) {
  FakeScreen* screen = ShowNc();
  EXPECT_TRUE(screen->action->isDefault());  // "cmdSTART" is the NC screen's default button
  struct Case {
    QWidget* focus;
    Qt::Key key;
    int actionClicks, otherClicks;
  };
  const Case cases[] = {
      {screen->box, Qt::Key_Return, 1, 0},    // from a text box: the default button
      {screen->box, Qt::Key_Enter, 2, 0},     // the keypad's Enter alike
      {screen->other, Qt::Key_Return, 2, 1},  // a button with the focus is pressed itself
      {screen->grid, Qt::Key_Return, 2, 1},   // a grid keeps Enter for itself
  };
  for (const Case& c : cases) {
    c.focus->setFocus();
    QTest::keyClick(c.focus, c.key, c.key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);
    EXPECT_EQ(screen->actionClicks, c.actionClicks) << c.focus->metaObject()->className();
    EXPECT_EQ(screen->otherClicks, c.otherClicks) << c.focus->metaObject()->className();
  }
  screen->action->setEnabled(false);
  screen->box->setFocus();
  QTest::keyClick(screen->box, Qt::Key_Return);
  EXPECT_EQ(screen->actionClicks, 2);
}

TEST_F(ConventionsFixture, F1ShowsTheHelpPageOfTheScreen) {
  FakeScreen* screen = ShowNc();
  QTest::keyClick(screen->box, Qt::Key_F1);
  auto* help = qobject_cast<QTextBrowser*>(screens.Help());
  ASSERT_NE(help, nullptr);
  EXPECT_TRUE(help->isVisible());
  EXPECT_EQ(help->source().toString(), "qrc:/help/ja/Form_nc.html");
  EXPECT_EQ(help->documentTitle(), QString::fromUtf8("NC 出力"));
  EXPECT_TRUE(help->toPlainText().contains("Ctrl+O"));
  help->grab().save(VX_BINARY_DIR "/help_Form_nc.png");
  // Esc closes the help window too; the menu's page stands in for a window without one.
  QTest::keyClick(help, Qt::Key_Escape);
  test::Settle();
  EXPECT_EQ(screens.Help(), nullptr);
  QWidget nameless;
  screens.ShowHelp(&nameless);
  EXPECT_EQ(qobject_cast<QTextBrowser*>(screens.Help())->source().toString(), "qrc:/help/ja/Form_main.html");
}

TEST_F(ConventionsFixture, EveryScreenHasAHelpPageInBothLanguages) {
  QTranslator english;
  ASSERT_TRUE(english.load("vexline_en", ":/i18n"));
  const char* const names[] = {"Form_main",     "Form_datain",    "Form_conv0", "Form_conv2",    "Form_con2amd",
                               "Form_graph",    "Form_nc",        "Form_gra_tasu", "Form_calcu", "Form_dxfconv2",
                               "Form_igesconv2", "Form_dxfW",     "Form_igesW"};
  for (const char* name : names) {
    EXPECT_EQ(HelpWindow::PagePath(name), QString(":/help/ja/") + name + ".html");
  }
  QCoreApplication::installTranslator(&english);
  for (const char* name : names) {
    EXPECT_EQ(HelpWindow::PagePath(name), QString(":/help/en/") + name + ".html");
  }
  QCoreApplication::removeTranslator(&english);
}

TEST_F(ConventionsFixture, CtrlOOpensTheChosenDrawingAndRefusesOtherFiles) {
  FakeScreen* screen = ShowNc();
  QTest::keyClick(screen->box, Qt::Key_O, Qt::ControlModifier);
  EXPECT_EQ(opened, std::vector<std::string>{temp.File("part.IGES")});
  EXPECT_EQ(fileDialog.last.initialPath, temp.Path() + "sample/");
  EXPECT_EQ(fileDialog.last.filter, "図面 (*.dxf *.igs *.iges)|*.dxf;*.igs;*.iges|すべてのファイル(*.*)|*.*");
  // The next dialog starts in the folder of the last drawing.
  QTest::keyClick(screen->box, Qt::Key_O, Qt::ControlModifier);
  EXPECT_EQ(fileDialog.last.initialPath, temp.Path());

  screens.OpenDrawing(temp.File("notes.txt"));
  EXPECT_EQ(opened.size(), 2u);
  ASSERT_EQ(messageBox.messages.size(), 1u);
  EXPECT_EQ(messageBox.messages[0], "DXF（.dxf）か IGES（.igs、.iges）の図面を選んでください：" + temp.File("notes.txt"));
}

TEST_F(ConventionsFixture, DroppedDrawingOpensItsImportOthersAreNotTaken) {
  Form_main menu(screens);
  screens.SetMenu(&menu);
  menu.show();
  EXPECT_TRUE(menu.acceptDrops());
  struct Case {
    QList<QUrl> urls;
    bool taken;
  };
  const Case cases[] = {
      {{QUrl::fromLocalFile(QString::fromStdString(temp.File("a.DXF")))}, true},
      {{QUrl::fromLocalFile(QString::fromStdString(temp.File("b.iges")))}, true},
      {{QUrl::fromLocalFile(QString::fromStdString(temp.File("c.xls")))}, false},
      {{QUrl("https://example.com/d.dxf")}, false},
      {{QUrl::fromLocalFile(QString::fromStdString(temp.File("e.dxf"))),
        QUrl::fromLocalFile(QString::fromStdString(temp.File("f.dxf")))},
       false},
  };
  std::vector<std::string> expected;
  for (const Case& c : cases) {
    QMimeData data;
    data.setUrls(c.urls);
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&menu, &enter);
    EXPECT_EQ(enter.isAccepted(), c.taken) << c.urls.front().toString().toStdString();
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&menu, &drop);
    if (c.taken) expected.push_back(c.urls.front().toLocalFile().toStdString());
  }
  EXPECT_EQ(opened, expected);
}

TEST_F(ConventionsFixture, WindowGeometryIsRememberedPerScreen) {
  FakeScreen* screen = ShowNc();
  screen->setGeometry(120, 90, 410, 333);
  screen->close();
  test::Settle();
  screen = ShowNc();
  EXPECT_EQ(screen->geometry(), QRect(120, 90, 410, 333));

  // Without a settings file nothing is kept (and nothing breaks).
  ScreenManager forgetful;
  forgetful.SetContext(&context);
  forgetful.Register(ScreenId::kNc, [](AppContext&) { return new FakeScreen("Form_nc", "cmdSTART"); });
  QWidget* fresh = forgetful.Show(ScreenId::kNc, Owner::kNone);
  EXPECT_NE(fresh->size(), QSize(410, 333));
  forgetful.CloseAll();
}

TEST_F(ConventionsFixture, WindowLargerThanTheScreenIsFittedOntoIt) {
  screens.Register(ScreenId::kCalcu, [](AppContext&) {
    auto* big = new FakeScreen("Form_calcu", "butStart");
    big->setGeometry(-300, 5000, 5000, 4000);
    return big;
  });
  QWidget* screen = screens.Show(ScreenId::kCalcu, Owner::kNone);
  const QRect room = screen->screen()->availableGeometry();
  EXPECT_TRUE(room.contains(screen->frameGeometry())) << room.width() << "x" << room.height();
  EXPECT_GT(screen->width(), room.width() / 2);
  // One that fits stays where and as large as it is.
  screens.Register(ScreenId::kNc, [](AppContext&) {
    auto* fits = new FakeScreen("Form_nc", "cmdSTART");
    fits->setGeometry(40, 50, 300, 200);
    return fits;
  });
  QWidget* fits = screens.Show(ScreenId::kNc, Owner::kNone);
  EXPECT_EQ(fits->geometry(), QRect(40, 50, 300, 200));
}

TEST_F(ConventionsFixture, QuittingAsksOnlyForUnsavedWorkAndNoKeepsEverything) {
  Form_main menu(screens);
  screens.SetMenu(&menu);
  menu.show();
  FakeScreen* screen = ShowNc();
  screens.Show(ScreenId::kCon2amd, Owner::kNone);
  table->unsaved = true;

  QTest::keyClick(screen->box, Qt::Key_Q, Qt::ControlModifier);  // "no": nothing closes
  EXPECT_EQ(table->asked, 1);
  EXPECT_EQ(screen->asked, 0);  // nothing unsaved there
  EXPECT_TRUE(menu.isVisible());
  EXPECT_TRUE(screens.Existing(ScreenId::kNc)->isVisible());

  table->letGo = true;
  menu.Cmd_end->click();
  test::Settle();
  EXPECT_FALSE(menu.isVisible());
  EXPECT_EQ(screens.Existing(ScreenId::kNc), nullptr);
  EXPECT_EQ(screens.Existing(ScreenId::kCon2amd), nullptr);
}

// Locks the folder in a child process that then ends without unlocking, as a crash does.
void LockAndDie(const std::string& folder) {
  const pid_t child = fork();
  if (child == 0) {
    InstanceLock lock(folder);
    _exit(lock.TryLock() == InstanceLock::Result::kLocked ? 0 : 1);
  }
  int status = 0;
  waitpid(child, &status, 0);
  ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
}

TEST(InstanceLock, SecondProgramOnTheFolderIsRefusedACrashedOneIsNot) {
  test::TempFolder temp;
  {
    InstanceLock first(temp.Path());
    ASSERT_EQ(first.TryLock(), InstanceLock::Result::kLocked);
    InstanceLock second(temp.Path());
    EXPECT_EQ(second.TryLock(), InstanceLock::Result::kHeldByAnother);
    EXPECT_EQ(second.HolderProcess(), QCoreApplication::applicationPid());
    test::TempFolder other;  // another install folder is free
    InstanceLock elsewhere(other.Path());
    EXPECT_EQ(elsewhere.TryLock(), InstanceLock::Result::kLocked);
  }
  InstanceLock afterEnd(temp.Path());  // released at the end of the run
  EXPECT_EQ(afterEnd.TryLock(), InstanceLock::Result::kLocked);
}

TEST(InstanceLock, LockLeftByACrashIsTakenOver) {
  test::TempFolder temp;
  LockAndDie(temp.Path());
  ASSERT_TRUE(temp.Exists("vexline.lock"));
  InstanceLock next(temp.Path());
  EXPECT_EQ(next.TryLock(), InstanceLock::Result::kLocked);
  InstanceLock missing(temp.Path() + "no/such/folder/");
  EXPECT_EQ(missing.TryLock(), InstanceLock::Result::kNotPossible);
  EXPECT_EQ(AlreadyRunningText("/x/", 42).toStdString(),
            "Vexline はこのインストールフォルダで既に動いています（プロセス 42）：/x/\n"
            "同じフォルダで二つ動かすと、互いのファイルを上書きします。動いている方をお使いください。");
}

TEST(Language, CommandLineBeforeEnvironmentBeforeSettingJapaneseByDefault) {
  struct Case {
    QStringList arguments;
    const char* environment;
    QVariant setting;
    UiLanguage expected;
  };
  const auto en = UiLanguage::kEnglish;
  const auto ja = UiLanguage::kJapanese;
  const Case cases[] = {
      {{"vexline"}, "", QVariant(), ja},
      {{"vexline"}, "", QVariant("en"), en},
      {{"vexline"}, "en", QVariant("ja"), en},
      {{"vexline"}, " EN ", QVariant(), en},
      {{"vexline", "--lang=ja"}, "en", QVariant("en"), ja},
      {{"vexline", "--lang", "en"}, "", QVariant(), en},
      {{"vexline", "--lang=fr"}, "", QVariant("en"), en},  // not a language: passed over
      {{"vexline", "--lang"}, "de", QVariant("xx"), ja},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ChooseLanguage(c.arguments, c.environment, c.setting), c.expected)
        << c.arguments.join(' ').toStdString() << " / " << c.environment;
  }
}

TEST(Language, JapaneseInstallsQtsOwnJapaneseTexts) {
  test::EnsureQApplication();
  const int before = QCoreApplication::instance()->findChildren<QTranslator*>().size();
  ASSERT_TRUE(InstallLanguage(UiLanguage::kJapanese, *QCoreApplication::instance()));
  // The standard buttons of the yes/no box and the file dialog.
  EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "&Yes"), QString::fromUtf8("はい(&Y)"));
  EXPECT_EQ(QCoreApplication::translate("QFileDialog", "&Open"), QString::fromUtf8("開く(&O)"));
  for (QTranslator* translator : QCoreApplication::instance()->findChildren<QTranslator*>()) {
    QCoreApplication::removeTranslator(translator);
    delete translator;
  }
  EXPECT_EQ(before, 0);
  EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "&Yes"), "&Yes");
}

}  // namespace
}  // namespace vx
