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
  Q_OBJECT

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

  // The message that names box k (0 .. 7) when START cannot take its text;
  // empty when it can.
  QString FieldMessage(int k) const;
  // The one line that names every file written and every listing printed by
  // a START (or says that nothing was written).
  static QString SummaryLine(const NcStartResult& result);
  // How the summary names a printer: its name, or the file when it prints to one.
  static QString PrinterName(const QPrinter& printer);

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  NcSettings Settings() const;
  NcPrinter SystemPrinter(int index);
  // Marks box k as its text stands.
  void CheckField(int k);
  // False, after a message naming the first box START cannot take (here or in
  // the multi-piece layout), when START must not run.
  bool FieldsAccepted();

  AppContext& m_context;
  std::function<NcPrinter(int, double)> m_printerSource;
  std::unique_ptr<QPrinter> m_printer;
  NcStartOutcome m_lastOutcome = NcStartOutcome::kDone;
};

}  // namespace vx
