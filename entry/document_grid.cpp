// The grids of the entry screens: file watching, sheet cells, double click.
#include "entry/document_grid.h"

#include <QDesktopServices>
#include <QCryptographicHash>
#include <QFile>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QHeaderView>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

#include "platform/qt_services.h"
#include "shell/number_text.h"

namespace vx {

DocumentOpener DesktopDocumentOpener() {
  return [](const QString& path) { return QDesktopServices::openUrl(QUrl::fromLocalFile(path)); };
}

DocumentOpener CommaSeparatedDocumentOpener() {
  return [](const QString& path) {
    for (const char* program : {"localc", "soffice", "libreoffice"}) {
      const QString found = QStandardPaths::findExecutable(program);
      if (found.isEmpty()) continue;
      // Comma-separated, UTF-8, from line 1: the table file's rows become sheet rows.
      return QProcess::startDetached(found, {"--calc", "--infilter=CSV:44,34,76,1", path});
    }
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
  };
}

namespace {
// A save is several file operations; they are taken as one change after this pause.
constexpr int kSettleMilliseconds = 250;
}  // namespace

FileChangeWatch::FileChangeWatch(std::function<QString()> pathOf, std::function<void()> changed, QObject* parent)
    : QObject(parent), m_pathOf(std::move(pathOf)), m_changed(std::move(changed)) {
  m_settle.setSingleShot(true);
  m_settle.setInterval(kSettleMilliseconds);
  connect(&m_settle, &QTimer::timeout, this, [this] {
    Rewatch();
    const QString signature = Signature();
    if (signature == m_signature) return;
    m_signature = signature;
    m_changed();
  });
  connect(&m_watcher, &QFileSystemWatcher::fileChanged, this, [this] { m_settle.start(); });
  connect(&m_watcher, &QFileSystemWatcher::directoryChanged, this, [this] { m_settle.start(); });
  MarkSeen();
}

void FileChangeWatch::MarkSeen() {
  m_signature = Signature();
  Rewatch();
}

QString FileChangeWatch::Signature() const {
  QFile file(m_pathOf());
  if (!file.open(QIODevice::ReadOnly)) return QString();
  // The working files are small; their contents tell a real change from a touch.
  return QString::fromLatin1(QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha1).toHex());
}

void FileChangeWatch::Rewatch() {
  if (!m_watcher.files().isEmpty()) m_watcher.removePaths(m_watcher.files());
  if (!m_watcher.directories().isEmpty()) m_watcher.removePaths(m_watcher.directories());
  const QFileInfo info(m_pathOf());
  if (info.dir().exists()) m_watcher.addPath(info.absolutePath());
  if (info.exists()) m_watcher.addPath(info.absoluteFilePath());
}

void SetSpreadsheetHeadings(QTableWidget& grid, int columns, int rows) {
  grid.setColumnCount(columns);
  grid.setRowCount(rows);
  QStringList letters;
  for (int column = 0; column < columns; ++column) letters << QString(QChar('A' + column % 26));
  grid.setHorizontalHeaderLabels(letters);
  QStringList numbers;
  for (int row = 0; row < rows; ++row) numbers << QString::number(row + 1);
  grid.setVerticalHeaderLabels(numbers);
}

namespace {
// Room a cell's text needs besides its own width (the grid's cell margins).
constexpr int kCellMarginPixels = 8;

// As a spreadsheet does, a text longer than its cell runs on over the empty
// cells to its right: the cell is widened over as many of them as it needs.
void RunTextOver(QTableWidget& grid, const Worksheet& sheet, int row, int column, int columns) {
  const int needed = grid.fontMetrics().horizontalAdvance(grid.item(row, column)->text()) + kCellMarginPixels;
  int width = grid.columnWidth(column);
  int span = 1;
  while (width < needed && column + span < columns && sheet.At(row, column + span).IsEmpty()) {
    width += grid.columnWidth(column + span);
    ++span;
  }
  if (span > 1) grid.setSpan(row, column, 1, span);
}
}  // namespace

void ShowWorksheet(QTableWidget& grid, const Worksheet& sheet, int columns, int minRows) {
  grid.clearSpans();
  grid.clearContents();
  SetSpreadsheetHeadings(grid, columns, std::max(sheet.RowCount(), minRows));
  for (int row = 0; row < sheet.RowCount(); ++row) {
    for (int column = 0; column < columns; ++column) {
      const SheetCell& cell = sheet.At(row, column);
      if (cell.IsEmpty()) continue;
      auto* item = new QTableWidgetItem(ToQString(cell.IsNumber() ? ShortestText(cell.number) : cell.text));
      item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
      if (cell.IsNumber()) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
      grid.setItem(row, column, item);
      if (cell.IsText()) RunTextOver(grid, sheet, row, column, columns);
    }
  }
}

namespace {
class DoubleClickFilter : public QObject {
 public:
  DoubleClickFilter(std::function<void()> handler, QObject* parent) : QObject(parent), m_handler(std::move(handler)) {}
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::MouseButtonDblClick) {
      m_handler();
      return true;
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  std::function<void()> m_handler;
};
}  // namespace

void OnGridDoubleClick(QTableWidget& grid, std::function<void()> handler) {
  grid.viewport()->installEventFilter(new DoubleClickFilter(std::move(handler), &grid));
}

}  // namespace vx
