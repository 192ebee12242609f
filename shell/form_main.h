// The main menu: the title and one button per stage.
#pragma once

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QWidget>
#include <map>

#include "shell/language.h"
#include "shell/screen_manager.h"

namespace vx {

class Form_main : public QWidget {
  Q_OBJECT
 public:
  explicit Form_main(ScreenManager& screens);

  QLabel* Label1 = nullptr;
  QPushButton* Cmd_datain = nullptr;
  QPushButton* Cmd_conv1 = nullptr;
  QPushButton* Cmd_conv2 = nullptr;
  QPushButton* Cmd_con2amd = nullptr;
  QPushButton* Cmd_graph = nullptr;
  QPushButton* Cmd_nc = nullptr;
  QPushButton* Cmd_tasuko = nullptr;
  QPushButton* Cmd_cal = nullptr;
  QPushButton* Cmd_dxf = nullptr;
  QPushButton* Cmd_iges = nullptr;
  QPushButton* Cmd_dxfW = nullptr;
  QPushButton* Cmd_igesW = nullptr;
  QPushButton* Cmd_end = nullptr;
  // The language of the screens, taking effect at the next start.
  QComboBox* CmbLanguage = nullptr;

  // Enables each button whose screen is built into this program.
  void UpdateButtons();
  // Shows the language this run uses in the language box.
  void ShowLanguage(UiLanguage language);

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  QPushButton* AddButton(const char* name, const QString& caption, ScreenId id, Owner owner);

  ScreenManager& m_screens;
  std::map<QPushButton*, ScreenId> m_targets;
};

}  // namespace vx
