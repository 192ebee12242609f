// What the entry screens show in place of an embedded spreadsheet document: a
// grid that follows a file on disk and opens it in the desktop's application.
#pragma once

#include <QFileSystemWatcher>
#include <QString>
#include <QTableWidget>
#include <QTimer>
#include <functional>

#include "platform/spreadsheet_reader.h"

namespace vx {

// Opens a file in the desktop's default application for it; false when none started.
using DocumentOpener = std::function<bool(const QString& path)>;
DocumentOpener DesktopDocumentOpener();
// Opens a comma-separated text file (whatever its extension) as a sheet in the
// spreadsheet application when LibreOffice is installed, else as the desktop's
// default opener does.
DocumentOpener CommaSeparatedDocumentOpener();

// Calls back shortly after a file was written, replaced, created or removed
// (a spreadsheet application saves by writing a new file over the old one, so
// the folder is watched as well as the file). Changes to other files of the
// folder, and writes that leave the contents as they were, do not call back.
class FileChangeWatch : public QObject {
 public:
  // pathOf names the file each time it is asked (a working file is found
  // without regard to case, so its spelling may change).
  FileChangeWatch(std::function<QString()> pathOf, std::function<void()> changed, QObject* parent);
  // Takes the file as it is now as seen; call just before reading it.
  void MarkSeen();

 private:
  void Rewatch();
  QString Signature() const;  // digest of the contents; empty when the file cannot be read
  QFileSystemWatcher m_watcher;
  QString m_signature;
  QTimer m_settle;
  std::function<QString()> m_pathOf;
  std::function<void()> m_changed;
};

// Spreadsheet column letters A, B, ... as the horizontal headings of a grid.
void SetSpreadsheetHeadings(QTableWidget& grid, int columns, int rows);

// Fills a read-only grid with the sheet's cells as the spreadsheet shows
// them: numbers in their shortest text, right-aligned; text as it is, running
// on over empty cells to its right when it is longer than its cell; empty
// cells empty. At least minRows rows are shown.
void ShowWorksheet(QTableWidget& grid, const Worksheet& sheet, int columns, int minRows);

// Calls back on a double click anywhere in the grid, on a cell or below the last row.
void OnGridDoubleClick(QTableWidget& grid, std::function<void()> handler);

}  // namespace vx
