// The NC output screen: machining settings, START, and the output channels.
#pragma once

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QWidget>
#include <array>
#include <functional>
#include <memory>

#include "machining/nc_output.h"

class QPrinter;

namespace vx {

struct AppContext;
class ProgressSurface;

class Form_nc : public QWidget {
 public:
  explicit Form_nc(AppContext& context);
  ~Form_nc() override;

  std::array<QLabel*, 8> Label{};    // Label1 .. Label8
  std::array<QLineEdit*, 8> Text{};  // Text1 .. Text8
  QPushButton* cmdSTART = nullptr;
  QPushButton* Command1 = nullptr;
  ProgressSurface* Surface = nullptr;  // where the screen prints on itself

  // Where a printed listing goes; by default the system print dialog is shown
  // once per START and its printer receives every listing of that START.
  void SetPrinterSource(std::function<NcPrinter(int index, double programNumber)> source) {
    m_printerSource = std::move(source);
  }

  // The outcome of the last START (for callers that drive the screen).
  NcStartOutcome LastOutcome() const { return m_lastOutcome; }

  void cmdSTART_Click();
  void Command1_Click();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  NcSettings Settings() const;
  NcPrinter SystemPrinter(int index);

  AppContext& m_context;
  std::function<NcPrinter(int, double)> m_printerSource;
  std::unique_ptr<QPrinter> m_printer;
  NcStartOutcome m_lastOutcome = NcStartOutcome::kDone;
};

}  // namespace vx
