// The four exchange screens: DXF and IGES import, DXF and IGES export.
#pragma once

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QWidget>
#include <string>

#include "platform/qt_services.h"
#include "shell/app_context.h"
#include "shell/screen_manager.h"

namespace vx {

void RegisterExchangeScreens(ScreenManager& screens);

// An import screen (Form_dxfconv2, Form_igesconv2): Dload chooses the file
// and resets the three options, Start imports it into CON2TA.dat and closes
// the screen; closing it (after an import, or by the operator) shows the
// contour view. An orderly stop is shown in a message box and the screen
// stays open.
class ImportScreen : public QWidget {
  Q_OBJECT
 public:
  enum class Kind { kDxf, kIges };
  ImportScreen(AppContext& context, Kind kind);

  void Dload_Click();
  void Start_Click();
  // Takes path as the file to import, as a choice in Dload's dialog does:
  // the options are reset and Start becomes the default button.
  void ChooseFile(const std::string& path);

  QPushButton* Dload = nullptr;
  QPushButton* CmdRecent = nullptr;  // "最近の図面": the drawings chosen before
  QPushButton* Start = nullptr;
  QLabel* Lbl_ISUM = nullptr;
  QLabel* Lbl_IMAR = nullptr;
  QLabel* Lbl_IENX = nullptr;
  QLineEdit* Txt_ISUM = nullptr;
  QLineEdit* Txt_IMAR = nullptr;
  QLineEdit* Txt_IENX = nullptr;
  QLabel* Label_msg = nullptr;
  // The drawing chosen (by Dload, the recent drawings, Ctrl+O or a drop):
  // seen before Start reads it.
  QLabel* LabelFile = nullptr;
  ProgressSurface* Surface = nullptr;

  // The file chosen with Dload (empty before).
  const std::string& FileName() const { return m_fileName; }

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  // The option labels and their texts: the ones of the last completed
  // import of this kind when they are remembered, else the defaults ("1",
  // "2" or "4", "0").
  void ResetOptions();
  void FillRecentMenu();
  QString SettingsGroup() const;

  AppContext& m_context;
  Kind m_kind;
  std::string m_fileName;
  bool m_imported = false;
};

// An export screen (Form_dxfW, Form_igesW): CmdStart loads CON2TA.dat, asks
// for the output file, writes it and closes the screen. A missing contour
// file or template, a cancelled dialog or an unwritable file is shown in a
// message box, nothing is written and the screen stays open.
class ExportScreen : public QWidget {
  Q_OBJECT
 public:
  enum class Kind { kDxf, kIges };
  ExportScreen(AppContext& context, Kind kind);

  void CmdStart_Click();

  QPushButton* CmdStart = nullptr;
  ProgressSurface* Surface = nullptr;

 private:
  AppContext& m_context;
  Kind m_kind;
};

}  // namespace vx
