// The CONV-2 screen: converts the element file as soon as it opens, then closes.
#pragma once

#include <QPushButton>
#include <QWidget>

#include "contour/conv2.h"
#include "shell/app_context.h"

namespace vx {

class Form_conv2 : public QWidget {
  Q_OBJECT
 public:
  explicit Form_conv2(AppContext& context);

  QPushButton* Command1 = nullptr;  // "実行": runs the conversion again

  // Runs CONV-2 on the install folder's files and closes the screen.
  void Command1_Click();
  // Status of the last run (kOk before the first one).
  Conv2Status LastStatus() const { return m_lastStatus; }

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  AppContext& m_context;
  bool m_ranOnOpen = false;
  Conv2Status m_lastStatus = Conv2Status::kOk;
};

}  // namespace vx
