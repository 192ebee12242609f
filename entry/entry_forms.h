// The screens of shape entry: the entry sheet, conversion 1 and the contour table.
#pragma once

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QUndoStack>
#include <QWidget>
#include <array>
#include <functional>

#include "entry/document_grid.h"
#include "platform/workbook_reader.h"
#include "shell/app_context.h"
#include "shell/screen_manager.h"

namespace vx {

class FileChangeWatch;

// The entry screen: the rules in six labels, the first worksheet of the entry
// workbook (the newest of DATAIN.xls, .xlsx and .ods: the one conversion 1
// reads) in a read-only grid that follows the file, a double click that opens
// the workbook in the spreadsheet application, and the finish button.
class Form_datain : public QWidget {
  Q_OBJECT
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
  Q_OBJECT
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
// (typing or F2), rows inserted and deleted with the count kept in step,
// every change undone and redone, and the grid saved back; a grid that would
// break the table-file layout is refused with the reason and the file stays
// as it was.
class Form_con2amd : public QWidget, public HoldsUnsavedWork {
  Q_OBJECT
 public:
  explicit Form_con2amd(AppContext& context);

  QLabel* Label1 = nullptr;             // how to correct
  QTableWidget* OLE1 = nullptr;
  QPushButton* CmdSave = nullptr;       // "保存"
  QPushButton* CmdReload = nullptr;     // "再読込"
  QPushButton* CmdInsertRow = nullptr;  // "行挿入"
  QPushButton* CmdDeleteRow = nullptr;  // "行削除"
  QPushButton* CmdUndo = nullptr;       // "元に戻す" (Ctrl+Z)
  QPushButton* CmdRedo = nullptr;       // "やり直し" (Ctrl+Y)
  QLabel* LabelStatus = nullptr;
  QUndoStack* UndoStack = nullptr;
  DocumentOpener openDocument = CommaSeparatedDocumentOpener();

  // Asked when corrections not saved would be thrown away (closing the
  // window, reading the file again, ending the program); true lets them go.
  std::function<bool()> confirmDiscard;

  void Reload();
  // Stores the grid when it keeps the layout; returns whether it was stored.
  bool Save();
  void OLE1_DblClick();
  // Inserts an empty row above the current one (below the count line at the
  // top); the count follows when the row lies within the table.
  void InsertRow();
  // Deletes the rows of the selected cells; the count follows. The count
  // line itself is not deleted (a message says so).
  void DeleteRows();
  bool HasUnsavedEdits() const { return m_edited; }

  bool HasUnsavedWork() const override { return m_edited; }
  bool ConfirmDiscard() override { return confirmDiscard(); }

 protected:
  // A close by the operator with unsaved corrections asks first; the
  // program's own closing of every screen at its end does not.
  void closeEvent(QCloseEvent* event) override;

 private:
  QHBoxLayout* BuildButtons();  // the buttons below the grid and the undo keys
  void FileChanged();
  QString FilePath() const;
  // The grid's cells as texts, and back (without recording an edit).
  QStringList RowTexts(int row) const;
  void SetRowTexts(int row, const QStringList& texts);
  void SetCellText(int row, int column, const QString& text);
  void CellChanged(QTableWidgetItem* item);
  void InsertRowAt(int row, const QStringList& texts);
  void RemoveRowAt(int row);
  void SetCount(const QString& text);
  QString CountText() const;
  void GridChanged();
  void UpdateEdited();

  AppContext& m_context;
  FileChangeWatch* m_watch = nullptr;
  QList<QStringList> m_shown;  // the texts of the grid as last recorded
  bool m_needsStoring = false;
  bool m_edited = false;
  bool m_filling = false;
};

}  // namespace vx
