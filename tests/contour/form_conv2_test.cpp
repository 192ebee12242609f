// The CONV-2 screen offscreen: caption, run on opening, closing opens the contour view.
#include <gtest/gtest.h>

#include "support/qt_app.h"

#include "support/qt_app.h"

#include <QApplication>
#include <QLabel>

#include "contour/contour_screens.h"
#include "contour/form_conv2.h"
#include "contour_check.h"
#include "machining/piece_layout.h"
#include "platform/file_dialog.h"
#include "shell/form_main.h"
#include "support/temp_folder.h"

namespace vx::test {
namespace {

struct Conv2ScreenFixture : ::testing::Test {
  static void SetUpTestSuite() { EnsureQApplication(); }
  TempFolder temp;
  ElementTable table;
  PieceLayout layout;
  InstallFolder folder{temp.Path()};
  ScreenManager screens;
  RecordingMessageBox messageBox;
  FixedFileDialog fileDialog{std::nullopt};
  AppContext context{table, layout, folder, screens, messageBox, fileDialog};
  int graphsOpened = 0;

  void SetUp() override {
    screens.SetContext(&context);
    RegisterContourScreens(screens);
    screens.Register(ScreenId::kGraph, [this](AppContext&) {
      ++graphsOpened;
      auto* graph = new QLabel("graph");
      graph->setAttribute(Qt::WA_DeleteOnClose);
      return graph;
    });
  }
  void TearDown() override {
    screens.CloseAll();
    QApplication::processEvents();
  }
};

TEST_F(Conv2ScreenFixture, OpeningConvertsClosesAndOpensTheContourView) {
  temp.Write(kElementFile, ElementFileText({{0, 0, 0, 0, 0}, {10, 0, 1, 90, 0}, {0, 10, 2, 180, 0}, {0, 0, 99, 0, 0}}));
  screens.Show(ScreenId::kConv2, Owner::kMenu);
  QApplication::processEvents();
  EXPECT_TRUE(temp.Exists(kContourFile));
  EXPECT_EQ(screens.Existing(ScreenId::kConv2), nullptr);  // closed and gone
  EXPECT_EQ(graphsOpened, 1);
  EXPECT_TRUE(messageBox.messages.empty());
}

TEST_F(Conv2ScreenFixture, CaptionButtonAndMessagesGoToTheBox) {
  Form_conv2 screen(context);
  EXPECT_EQ(screen.windowTitle(), QString("conv-2"));
  auto* button = screen.findChild<QPushButton*>("Command1");
  ASSERT_NE(button, nullptr);
  EXPECT_EQ(button->text(), QString::fromUtf8("実行"));
  screen.grab().save(VX_BINARY_DIR "/form_conv2.png");  // for a look by eye
  temp.Write(kElementFile, ElementFileText({{0, 0, 0, 0, 0}, {5, 0, 0, 0, 2}, {10, 0, 0, 0, 0}, {0, 0, 99, 0, 0}}));
  screen.setAttribute(Qt::WA_DeleteOnClose, false);
  button->click();
  EXPECT_EQ(screen.LastStatus(), Conv2Status::kOk);
  EXPECT_EQ(messageBox.messages, std::vector<std::string>{"CONV-2 エラー 交点No= 2 コーナＲが入らない。 "});
  EXPECT_EQ(graphsOpened, 1);
}

TEST_F(Conv2ScreenFixture, StoppedRunNotesThatTheContourFileIsAnOlderOne) {
  temp.Write(kContourFile, "1\r\n0,0,0,0,0\r\n,,99,,\r\n");  // left by an earlier run
  const std::string path = folder.PathOf(kContourFile);
  screens.Show(ScreenId::kConv2, Owner::kMenu);  // no element file: the run stops
  QApplication::processEvents();
  EXPECT_EQ(graphsOpened, 1);  // the contour view still follows, and says so
  EXPECT_EQ(context.contourNotice.Current(path),
            "CONV-2 が中止されたため、CON2TA.dat は今回の変換結果ではありません。");
  temp.Write(kElementFile, ElementFileText({{0, 0, 0, 0, 0}, {10, 0, 1, 90, 0}, {0, 10, 2, 180, 0}, {0, 0, 99, 0, 0}}));
  screens.Show(ScreenId::kConv2, Owner::kMenu);
  QApplication::processEvents();
  EXPECT_EQ(context.contourNotice.Current(path), "");
}

TEST_F(Conv2ScreenFixture, MenuButtonIsEnabled) {
  Form_main menu(screens);
  EXPECT_TRUE(menu.Cmd_conv2->isEnabled());
}

}  // namespace
}  // namespace vx::test
