// The screens of shape entry: the entry sheet, conversion 1 and the contour table.
#pragma once

#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QWidget>
#include <array>
#include <functional>

#include "entry/document_grid.h"
#include "platform/workbook_reader.h"
#include "shell/app_context.h"

namespace vx {

class FileChangeWatch;

// The entry screen: the rules in six labels, the first worksheet of the entry
// workbook (the newest of DATAIN.xls, .xlsx and .ods: the one conversion 1
// reads) in a read-only grid that follows the file, a double click that opens
// the workbook in the spreadsheet application, and the finish button.
class Form_datain : public QWidget {
 public:
  explicit Form_datain(AppContext& context);

  std::array<QLabel*, 6> Labels{};  // Label1 .. Label6
  QTableWidget* OLE1 = nullptr;
  QPushButton* Command1 = nullptr;
  QLabel* LabelStatus = nullptr;    // why the grid is empty, when it is
  DocumentOpener openDocument = DesktopDocumentOpener();

  // Reads the entry workbook again into the grid.
  void Reload();
  void OLE1_DblClick();
  void Command1_Click();

 private:
  AppContext& m_context;
  WorkbookReader m_reader;
  FileChangeWatch* m_watch = nullptr;
};

// Conversion 1: converts as soon as it is shown and closes itself; its
// closing opens CONV-2. A refused run shows the reason and closes without
// handing on to CONV-2, so an old element file is not taken for the new one;
// opening the screen again converts again.
class Form_conv0 : public QWidget {
 public:
  explicit Form_conv0(AppContext& context);

  QPushButton* Command1 = nullptr;  // "コンバート開始"
  QLabel* Label1 = nullptr;         // the result of the last run

  // Runs conversion 1, then closes the screen (queued, so a caller inside
  // show() sees it open first). Returns whether the run succeeded.
  bool Command1_Click();

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  AppContext& m_context;
  WorkbookReader m_reader;
  bool m_lastRunOk = true;
};

// The contour table view: CON2TA.dat as a grid (count line first, then rows
// of X, Y, Code, P1, P2) that follows the file on disk and opens it in the
// spreadsheet application on a double click. Cells can be edited in place
// (typing or F2) and saved back; a grid that would break the table-file
// layout is refused with the reason and the file stays as it was.
class Form_con2amd : public QWidget {
 public:
  explicit Form_con2amd(AppContext& context);

  QLabel* Label1 = nullptr;             // how to correct
  QTableWidget* OLE1 = nullptr;
  QPushButton* CmdSave = nullptr;       // "保存"
  QPushButton* CmdReload = nullptr;     // "再読込"
  QPushButton* CmdInsertRow = nullptr;  // "行挿入"
  QPushButton* CmdDeleteRow = nullptr;  // "行削除"
  QLabel* LabelStatus = nullptr;
  DocumentOpener openDocument = CommaSeparatedDocumentOpener();

  // Asked when the operator closes the window with unsaved corrections;
  // true lets it close (the corrections are dropped).
  std::function<bool()> confirmDiscard;

  void Reload();
  // Stores the grid when it keeps the layout; returns whether it was stored.
  bool Save();
  void OLE1_DblClick();
  bool HasUnsavedEdits() const { return m_edited; }

 protected:
  // A close by the operator with unsaved corrections asks first; the
  // program's own closing of every screen at its end does not.
  void closeEvent(QCloseEvent* event) override;

 private:
  void FileChanged();
  QString FilePath() const;

  AppContext& m_context;
  FileChangeWatch* m_watch = nullptr;
  bool m_edited = false;
  bool m_filling = false;
};

}  // namespace vx
