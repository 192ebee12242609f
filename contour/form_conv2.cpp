// The CONV-2 screen: converts the element file as soon as it opens, then closes.
#include "contour/form_conv2.h"

#include <QCloseEvent>
#include <QShowEvent>

#include "platform/qt_services.h"
#include "shell/screen_manager.h"

namespace vx {

Form_conv2::Form_conv2(AppContext& context) : m_context(context) {
  setObjectName("Form_conv2");
  setWindowTitle("conv-2");
  setAttribute(Qt::WA_DeleteOnClose);
  resize(240, 120);
  Command1 = new QPushButton(tr("実行"), this);
  Command1->setObjectName("Command1");
  Command1->setGeometry(70, 40, 100, 32);
  connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
}

void Form_conv2::Command1_Click() {
  m_lastStatus = RunConv2(m_context.table, m_context.folder, m_context.messageBox);
  // A stopped run leaves the contour file as it was: the contour view that
  // follows says so rather than showing an older contour as the result.
  if (m_lastStatus == Conv2Status::kOk) {
    m_context.contourNotice.Clear();
  } else {
    m_context.contourNotice.Set(ToStdString(tr("CONV-2 が中止されたため、CON2TA.dat は今回の変換結果ではありません。")),
                                m_context.folder.PathOf(kContourFile));
  }
  close();
}

void Form_conv2::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  // The conversion runs once, when the screen first opens.
  if (m_ranOnOpen) return;
  m_ranOnOpen = true;
  Command1_Click();
}

void Form_conv2::closeEvent(QCloseEvent* event) {
  QWidget::closeEvent(event);
  // Closing, for whatever reason, opens the contour view.
  m_context.screens.Show(ScreenId::kGraph, Owner::kNone);
}

}  // namespace vx
