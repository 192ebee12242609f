// The main menu: the title and one button per stage.
#include "shell/form_main.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "platform/message_box.h"
#include "shell/app_context.h"

namespace vx {

Form_main::Form_main(ScreenManager& screens) : m_screens(screens) {
  setObjectName("Form_main");
  setWindowTitle("Vexline");
  auto* layout = new QVBoxLayout(this);
  Label1 = new QLabel(tr("ＶＥＸＬＩＮＥ　ワイヤーカット　プログラミング"), this);
  Label1->setObjectName("Label1");
  Label1->setAlignment(Qt::AlignCenter);
  QFont titleFont(QString::fromUtf8("ＭＳ Ｐゴシック"), 16);
  titleFont.setBold(true);
  Label1->setFont(titleFont);
  layout->addWidget(Label1);

  auto* grid = new QGridLayout;
  layout->addLayout(grid);
  auto place = [grid](QPushButton* button, int index) { grid->addWidget(button, index / 2, index % 2); };
  int i = 0;
  place(Cmd_datain = AddButton("Cmd_datain", tr("データーイン"), ScreenId::kDatain, Owner::kMenu), i++);
  place(Cmd_conv1 = AddButton("Cmd_conv1", tr("データコンバート１"), ScreenId::kConv0, Owner::kMenu), i++);
  place(Cmd_conv2 = AddButton("Cmd_conv2", tr("データコンバート２"), ScreenId::kConv2, Owner::kMenu), i++);
  place(Cmd_con2amd = AddButton("Cmd_con2amd", tr("ｺﾝﾊﾞｰﾄﾃﾞｰﾀｰ　訂正"), ScreenId::kCon2amd, Owner::kMenu), i++);
  place(Cmd_graph = AddButton("Cmd_graph", tr("グラフィック"), ScreenId::kGraph, Owner::kMenu), i++);
  place(Cmd_nc = AddButton("Cmd_nc", tr("NC 出力"), ScreenId::kNc, Owner::kMenu), i++);
  place(Cmd_tasuko = AddButton("Cmd_tasuko", tr("多数個とり"), ScreenId::kGraTasu, Owner::kNone), i++);
  place(Cmd_cal = AddButton("Cmd_cal", tr("計算プログラム"), ScreenId::kCalcu, Owner::kMenu), i++);
  place(Cmd_dxf = AddButton("Cmd_dxf", tr("DXF 読込"), ScreenId::kDxfConv2, Owner::kMenu), i++);
  place(Cmd_iges = AddButton("Cmd_iges", tr("IGES読込"), ScreenId::kIgesConv2, Owner::kMenu), i++);
  place(Cmd_dxfW = AddButton("Cmd_dxfW", tr("DXF 書込"), ScreenId::kDxfW, Owner::kMenu), i++);
  place(Cmd_igesW = AddButton("Cmd_igesW", tr("IGES書込"), ScreenId::kIgesW, Owner::kMenu), i++);
  Cmd_end = new QPushButton(tr("終了"), this);
  Cmd_end->setObjectName("Cmd_end");
  Cmd_end->setMinimumHeight(36);
  layout->addWidget(Cmd_end);
  connect(Cmd_end, &QPushButton::clicked, this, &QWidget::close);

  // Both names stay as written whatever the language, so that either reader finds them.
  auto* language = new QHBoxLayout;
  language->addStretch(1);
  auto* languageCaption = new QLabel(QString::fromUtf8("言語 / Language:"), this);
  languageCaption->setObjectName("LabelLanguage");
  language->addWidget(languageCaption);
  CmbLanguage = new QComboBox(this);
  CmbLanguage->setObjectName("CmbLanguage");
  CmbLanguage->addItem(QString::fromUtf8("日本語"), LanguageCode(UiLanguage::kJapanese));
  CmbLanguage->addItem(QStringLiteral("English"), LanguageCode(UiLanguage::kEnglish));
  languageCaption->setBuddy(CmbLanguage);
  language->addWidget(CmbLanguage);
  layout->addLayout(language);
  connect(CmbLanguage, &QComboBox::activated, this, [this](int index) {
    m_screens.Remember(kLanguageKey, CmbLanguage->itemData(index));
    if (m_screens.Context() != nullptr) {
      m_screens.Context()->messageBox.Show("言語は次に起動したときから変わります。\nThe language changes at the next start.");
    }
  });
  UpdateButtons();
}

void Form_main::ShowLanguage(UiLanguage language) {
  CmbLanguage->setCurrentIndex(CmbLanguage->findData(LanguageCode(language)));
}

QPushButton* Form_main::AddButton(const char* name, const QString& caption, ScreenId id, Owner owner) {
  auto* button = new QPushButton(caption, this);
  button->setObjectName(name);
  button->setMinimumSize(200, 36);
  m_targets[button] = id;
  // The conversion screens may close themselves while they open; a show that
  // ends that way is not a failure of the menu.
  connect(button, &QPushButton::clicked, this, [this, id, owner] { m_screens.Show(id, owner); });
  return button;
}

void Form_main::UpdateButtons() {
  for (auto& [button, id] : m_targets) button->setEnabled(m_screens.IsRegistered(id));
}

void Form_main::closeEvent(QCloseEvent* event) {
  // Closing the menu ends the program: every screen closes with it, once the
  // operator has let go of work not stored yet.
  if (!m_screens.ConfirmQuit()) {
    event->ignore();
    return;
  }
  m_screens.CloseAll();
  event->accept();
  QApplication::quit();
}

}  // namespace vx
