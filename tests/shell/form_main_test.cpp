// The main menu offscreen: captions, disabled unbuilt screens, single instances.
#include <gtest/gtest.h>

#include "support/qt_app.h"

#include <QApplication>
#include <QLabel>

#include "machining/piece_layout.h"
#include "platform/file_dialog.h"
#include "platform/message_box.h"
#include "shell/app_context.h"
#include "shell/form_main.h"

namespace vx {
namespace {

struct MenuFixture : ::testing::Test {
  static void SetUpTestSuite() { test::EnsureQApplication(); }
  ElementTable table;
  PieceLayout layout;
  InstallFolder folder{"/tmp/vexline-menu-test"};
  ScreenManager screens;
  RecordingMessageBox messageBox;
  FixedFileDialog fileDialog{std::nullopt};
  AppContext context{table, layout, folder, screens, messageBox, fileDialog};
};

TEST_F(MenuFixture, ThirteenButtonsWithTheirCaptions) {
  screens.SetContext(&context);
  Form_main menu(screens);
  const std::vector<std::pair<QPushButton*, const char*>> buttons = {
      {menu.Cmd_datain, "データーイン"},   {menu.Cmd_conv1, "データコンバート１"},
      {menu.Cmd_conv2, "データコンバート２"}, {menu.Cmd_con2amd, "ｺﾝﾊﾞｰﾄﾃﾞｰﾀｰ　訂正"},
      {menu.Cmd_graph, "グラフィック"},     {menu.Cmd_nc, "NC 出力"},
      {menu.Cmd_tasuko, "多数個とり"},      {menu.Cmd_cal, "計算プログラム"},
      {menu.Cmd_dxf, "DXF 読込"},          {menu.Cmd_iges, "IGES読込"},
      {menu.Cmd_dxfW, "DXF 書込"},         {menu.Cmd_igesW, "IGES書込"},
      {menu.Cmd_end, "終了"},
  };
  for (const auto& [button, caption] : buttons) {
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->text(), QString::fromUtf8(caption));
  }
  EXPECT_TRUE(menu.Cmd_end->isEnabled());
}

TEST_F(MenuFixture, UnbuiltScreensAreDisabledBuiltOnesEnabled) {
  screens.SetContext(&context);
  screens.Register(ScreenId::kCalcu, [](AppContext&) { return new QLabel("calc"); });
  Form_main menu(screens);
  EXPECT_TRUE(menu.Cmd_cal->isEnabled());
  EXPECT_FALSE(menu.Cmd_iges->isEnabled() && !screens.IsRegistered(ScreenId::kIgesConv2));
}

TEST_F(MenuFixture, PressingTwiceShowsTheSameSingleInstance) {
  screens.SetContext(&context);
  int created = 0;
  screens.Register(ScreenId::kDatain, [&created](AppContext&) {
    ++created;
    return new QLabel("entry");
  });
  Form_main menu(screens);
  screens.SetMenu(&menu);
  menu.show();
  menu.Cmd_datain->click();
  QWidget* first = screens.Existing(ScreenId::kDatain);
  menu.Cmd_datain->click();
  EXPECT_EQ(created, 1);
  EXPECT_EQ(screens.Existing(ScreenId::kDatain), first);
  EXPECT_EQ(first->parentWidget(), &menu);  // owned by the menu
  EXPECT_TRUE(first->isVisible());
}

TEST_F(MenuFixture, LayoutScreenIsShownWithoutOwnerAndRecreatedAfterDelete) {
  screens.SetContext(&context);
  screens.Register(ScreenId::kGraTasu, [](AppContext&) { return new QLabel("layout"); });
  Form_main menu(screens);
  screens.SetMenu(&menu);
  menu.Cmd_tasuko->click();
  QWidget* screen = screens.Existing(ScreenId::kGraTasu);
  ASSERT_NE(screen, nullptr);
  EXPECT_EQ(screen->parentWidget(), nullptr);
  delete screen;
  EXPECT_EQ(screens.Existing(ScreenId::kGraTasu), nullptr);
  EXPECT_NE(screens.Show(ScreenId::kGraTasu, Owner::kNone), nullptr);
  delete screens.Existing(ScreenId::kGraTasu);
}

}  // namespace
}  // namespace vx
