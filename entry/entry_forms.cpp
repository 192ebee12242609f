// The screens of shape entry: the entry sheet, conversion 1 and the contour table.
#include "entry/entry_forms.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QMessageBox>
#include <QShowEvent>
#include <QUndoCommand>
#include <QVBoxLayout>
#include <algorithm>
#include <optional>

#include "entry/contour_table_edit.h"
#include "entry/conversion1.h"
#include "platform/atomic_file.h"
#include "platform/logic_texts.h"
#include "platform/message_box.h"
#include "platform/qt_services.h"
#include "shell/screen_manager.h"

namespace vx {

namespace {

// The entry rules, shown as written (the blanks are full-width spaces).
const char* const kDatainLabels[6] = {
    QT_TRANSLATE_NOOP("vx::Form_datain", "DORN　DATA-IN　へようこそ。"),
    QT_TRANSLATE_NOOP("vx::Form_datain", "下の表でダブルクリックすると、ＥＸＣＥＬが起動します。"),
    QT_TRANSLATE_NOOP("vx::Form_datain", "[DATA-IN ﾙｰﾙ]　[ D ]への入力　　　点（point）=８：[ C ]ｺｰﾅR"),
    QT_TRANSLATE_NOOP("vx::Form_datain", "　線（出る）=１：[ A ]角度[ C ]ｺｰﾅR　　(　)(C)=5：線と線（円）の間のｺｰﾅR"),
    QT_TRANSLATE_NOOP("vx::Form_datain", "　線（入る）=2：[ A ]角度[ C ]ｺｰﾅR　　平行線=3：[ A ]角度[ B ]移動量"),
    QT_TRANSLATE_NOOP("vx::Form_datain", "　円=0：[ R ]±半径[ S ]入り方出方"),
};

constexpr int kSheetColumns = 9;      // A..I, the columns conversion 1 reads
constexpr int kSheetMinRows = 30;     // a sheet view shows at least this many rows
constexpr int kContourColumns = 5;    // X, Y, Code, P1, P2
const char* const kProblemStyle = "color: #b00000;";
const char* const kDoneStyle = "color: #006000;";

QTableWidget* NewGrid(QWidget* parent, const char* name) {
  auto* grid = new QTableWidget(parent);
  grid->setObjectName(name);
  grid->horizontalHeader()->setDefaultSectionSize(80);
  grid->verticalHeader()->setDefaultSectionSize(20);
  return grid;
}

QLabel* NewStatusLabel(QWidget* parent) {
  auto* label = new QLabel(parent);
  label->setObjectName("LabelStatus");
  label->setStyleSheet(kProblemStyle);
  label->setWordWrap(true);
  return label;
}

QString OpenFailedText(const QString& path) {
  return QCoreApplication::translate("vx::DocumentGrid", "表計算アプリケーションで開けませんでした：%1").arg(path);
}

}  // namespace

// ---------------------------------------------------------------- Form_datain

Form_datain::Form_datain(AppContext& context) : m_context(context) {
  setObjectName("Form_datain");
  setWindowTitle(tr("データーイン"));
  setAttribute(Qt::WA_DeleteOnClose);
  auto* layout = new QVBoxLayout(this);
  for (int i = 0; i < 6; ++i) {
    Labels[i] = new QLabel(tr(kDatainLabels[i]), this);
    Labels[i]->setObjectName(QString("Label%1").arg(i + 1));
    layout->addWidget(Labels[i]);
  }
  Labels[0]->setFont(DesignFont(QString::fromUtf8("ＭＳ Ｐゴシック"), 14));
  OLE1 = NewGrid(this, "OLE1");
  OLE1->setEditTriggers(QAbstractItemView::NoEditTriggers);
  OnGridDoubleClick(*OLE1, [this] { OLE1_DblClick(); });
  layout->addWidget(OLE1, 1);
  LabelStatus = NewStatusLabel(this);
  layout->addWidget(LabelStatus);
  Command1 = new QPushButton(tr("終了：コンバートへ"), this);
  Command1->setObjectName("Command1");
  connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
  layout->addWidget(Command1, 0, Qt::AlignRight);
  resize(900, 640);

  m_watch = new FileChangeWatch([this] { return ToQString(FindEntryWorkbook(m_context.folder).path); },
                                [this] { Reload(); }, this);
  Reload();
}

void Form_datain::Reload() {
  const EntryWorkbook workbook = FindEntryWorkbook(m_context.folder);
  m_watch->MarkSeen();  // before reading: a change while reading is then seen again
  const WorksheetResult read = m_reader.ReadFirstWorksheet(workbook.path, kSheetColumns);
  ShowWorksheet(*OLE1, read.sheet ? *read.sheet : Worksheet(), kSheetColumns, kSheetMinRows);
  if (read.sheet) {
    LabelStatus->clear();
    LabelStatus->hide();
  } else {
    LabelStatus->setText(LogicText(WorkbookProblemText(read, workbook.path, workbook.name)));
    LabelStatus->show();
  }
}

void Form_datain::OLE1_DblClick() {
  const QString path = ToQString(FindEntryWorkbook(m_context.folder).path);
  if (!openDocument(path)) m_context.messageBox.Show(ToStdString(OpenFailedText(path)));
}

void Form_datain::Command1_Click() { m_context.screens.Show(ScreenId::kConv0, Owner::kNone); }

// ----------------------------------------------------------------- Form_conv0

Form_conv0::Form_conv0(AppContext& context) : m_context(context) {
  setObjectName("Form_conv0");
  setWindowTitle(tr("データコンバート１"));
  setAttribute(Qt::WA_DeleteOnClose);
  auto* layout = new QVBoxLayout(this);
  Label1 = new QLabel(this);
  Label1->setObjectName("Label1");
  Label1->setWordWrap(true);
  layout->addWidget(Label1);
  Command1 = new QPushButton(tr("コンバート開始"), this);
  Command1->setObjectName("Command1");
  connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
  layout->addWidget(Command1);
  resize(420, 120);
}

bool Form_conv0::Command1_Click() {
  const Conversion1Result result = RunConv1(m_context.table, m_context.folder, m_reader);
  m_lastRunOk = result.ok;
  Label1->setText(result.ok ? LogicText(WorkbookReadText(result.workbook)) + "\n" + ToQString(result.elementFile)
                            : LogicText(result.message));
  if (!result.ok) m_context.messageBox.Show(result.message);
  QMetaObject::invokeMethod(this, &QWidget::close, Qt::QueuedConnection);
  return result.ok;
}

void Form_conv0::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (!event->spontaneous()) Command1_Click();
}

void Form_conv0::closeEvent(QCloseEvent* event) {
  event->accept();
  if (m_lastRunOk && !QCoreApplication::closingDown()) {
    m_context.screens.Show(ScreenId::kConv2, Owner::kNone);
  }
}

// --------------------------------------------------------------- Form_con2amd

namespace {

// The names of the five fields, as the messages of the check name them;
// further columns by their number, as "6 列目" names them.
void SetContourHeadings(QTableWidget& grid, int columns, int rows) {
  static const char* const kFieldNames[kContourColumns] = {"X", "Y", "Code", "P1", "P2"};
  grid.setColumnCount(columns);
  grid.setRowCount(rows);
  QStringList names;
  for (int column = 0; column < columns; ++column) {
    names << (column < kContourColumns ? QString::fromLatin1(kFieldNames[column]) : QString::number(column + 1));
  }
  grid.setHorizontalHeaderLabels(names);
  QStringList numbers;
  for (int row = 0; row < rows; ++row) numbers << QString::number(row + 1);
  grid.setVerticalHeaderLabels(numbers);
}

// One step of the undo history: what it does and how it is taken back.
class GridCommand : public QUndoCommand {
 public:
  GridCommand(const QString& text, std::function<void()> doIt, std::function<void()> undoIt, bool done)
      : QUndoCommand(text), m_do(std::move(doIt)), m_undo(std::move(undoIt)), m_skipFirst(done) {}
  void redo() override {
    if (m_skipFirst) {
      m_skipFirst = false;  // the change is on the grid already
      return;
    }
    m_do();
  }
  void undo() override { m_undo(); }

 private:
  std::function<void()> m_do, m_undo;
  bool m_skipFirst;
};

// Columns no narrower than this: a short value stays easy to click.
constexpr int kMinColumnPixels = 56;

}  // namespace

Form_con2amd::Form_con2amd(AppContext& context) : m_context(context) {
  setObjectName("Form_con2amd");
  setWindowTitle(tr("ｺﾝﾊﾞｰﾄﾃﾞｰﾀｰ　訂正"));
  setAttribute(Qt::WA_DeleteOnClose);
  auto* layout = new QVBoxLayout(this);
  Label1 = new QLabel(tr("ダブルクリックすると、表計算アプリケーションで開きます。"
                         "セルを選んで入力（または F2）すると、ここで訂正できます。「保存」で書き込みます。"),
                      this);
  Label1->setObjectName("Label1");
  Label1->setWordWrap(true);
  layout->addWidget(Label1);
  OLE1 = NewGrid(this, "OLE1");
  OLE1->setTextElideMode(Qt::ElideNone);
  // Cells made by typing into empty ones stand right-aligned like the numbers read.
  auto* prototype = new QTableWidgetItem;
  prototype->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
  OLE1->setItemPrototype(prototype);
  // A double click opens the spreadsheet application; typing or F2 edits a cell.
  OLE1->setEditTriggers(QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed);
  OnGridDoubleClick(*OLE1, [this] { OLE1_DblClick(); });
  connect(OLE1, &QTableWidget::itemChanged, this, [this](QTableWidgetItem* item) { CellChanged(item); });
  layout->addWidget(OLE1, 1);
  LabelStatus = NewStatusLabel(this);
  layout->addWidget(LabelStatus);

  UndoStack = new QUndoStack(this);
  layout->addLayout(BuildButtons());
  connect(CmdSave, &QPushButton::clicked, this, [this] { Save(); });
  connect(CmdReload, &QPushButton::clicked, this, [this] {
    if (m_edited && !confirmDiscard()) return;
    Reload();
  });
  connect(CmdInsertRow, &QPushButton::clicked, this, [this] { InsertRow(); });
  connect(CmdDeleteRow, &QPushButton::clicked, this, [this] { DeleteRows(); });
  resize(620, 640);

  confirmDiscard = [this] {
    return QMessageBox::question(this, windowTitle(),
                                 tr("訂正が保存されていません。この訂正を捨てますか？"),
                                 QMessageBox::Yes | QMessageBox::No, QMessageBox::No) == QMessageBox::Yes;
  };
  m_watch = new FileChangeWatch([this] { return FilePath(); }, [this] { FileChanged(); }, this);
  Reload();
}

QHBoxLayout* Form_con2amd::BuildButtons() {
  auto* buttons = new QHBoxLayout;
  auto addButton = [this, buttons](QPushButton*& button, const char* name, const QString& caption) {
    button = new QPushButton(caption, this);
    button->setObjectName(name);
    buttons->addWidget(button);
  };
  addButton(CmdInsertRow, "CmdInsertRow", tr("行挿入"));
  addButton(CmdDeleteRow, "CmdDeleteRow", tr("行削除"));
  addButton(CmdUndo, "CmdUndo", tr("元に戻す"));
  addButton(CmdRedo, "CmdRedo", tr("やり直し"));
  buttons->addStretch(1);
  addButton(CmdReload, "CmdReload", tr("再読込"));
  addButton(CmdSave, "CmdSave", tr("保存"));
  CmdUndo->setToolTip(tr("元に戻す (Ctrl+Z)"));
  CmdRedo->setToolTip(tr("やり直し (Ctrl+Y)"));
  CmdUndo->setEnabled(false);
  CmdRedo->setEnabled(false);
  connect(UndoStack, &QUndoStack::canUndoChanged, CmdUndo, &QWidget::setEnabled);
  connect(UndoStack, &QUndoStack::canRedoChanged, CmdRedo, &QWidget::setEnabled);
  connect(UndoStack, &QUndoStack::cleanChanged, this, [this] { UpdateEdited(); });
  connect(CmdUndo, &QPushButton::clicked, UndoStack, &QUndoStack::undo);
  connect(CmdRedo, &QPushButton::clicked, UndoStack, &QUndoStack::redo);
  // The keys work wherever the focus is in the window; a cell being edited
  // takes them for its own text first.
  auto* undoAction = new QAction(this);
  undoAction->setShortcuts(QKeySequence::Undo);
  connect(undoAction, &QAction::triggered, UndoStack, &QUndoStack::undo);
  auto* redoAction = new QAction(this);
  redoAction->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
  connect(redoAction, &QAction::triggered, UndoStack, &QUndoStack::redo);
  addActions({undoAction, redoAction});
  return buttons;
}

QString Form_con2amd::FilePath() const { return ToQString(m_context.folder.PathOf(kContourFile)); }

QStringList Form_con2amd::RowTexts(int row) const {
  QStringList texts;
  for (int column = 0; column < OLE1->columnCount(); ++column) {
    const QTableWidgetItem* item = OLE1->item(row, column);
    texts << (item ? item->text() : QString());
  }
  return texts;
}

void Form_con2amd::SetCellText(int row, int column, const QString& text) {
  m_filling = true;
  if (QTableWidgetItem* item = OLE1->item(row, column)) {
    item->setText(text);
  } else if (!text.isEmpty()) {
    auto* created = new QTableWidgetItem(text);
    created->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    OLE1->setItem(row, column, created);
  }
  m_filling = false;
  m_shown[row][column] = text;
}

void Form_con2amd::SetRowTexts(int row, const QStringList& texts) {
  for (int column = 0; column < OLE1->columnCount(); ++column) SetCellText(row, column, texts.value(column));
}

QString Form_con2amd::CountText() const {
  const QTableWidgetItem* item = OLE1->rowCount() > 0 ? OLE1->item(0, 0) : nullptr;
  return item ? item->text() : QString();
}

void Form_con2amd::SetCount(const QString& text) {
  if (OLE1->rowCount() > 0) SetCellText(0, 0, text);
}

void Form_con2amd::InsertRowAt(int row, const QStringList& texts) {
  m_filling = true;
  OLE1->insertRow(row);
  m_filling = false;
  m_shown.insert(row, QStringList());
  for (int column = 0; column < OLE1->columnCount(); ++column) m_shown[row] << QString();
  SetRowTexts(row, texts);
}

void Form_con2amd::RemoveRowAt(int row) {
  m_filling = true;
  OLE1->removeRow(row);
  m_filling = false;
  m_shown.removeAt(row);
}

void Form_con2amd::GridChanged() {
  SetContourHeadings(*OLE1, OLE1->columnCount(), OLE1->rowCount());
  OLE1->resizeColumnsToContents();
  for (int column = 0; column < OLE1->columnCount(); ++column) {
    if (OLE1->columnWidth(column) < kMinColumnPixels) OLE1->setColumnWidth(column, kMinColumnPixels);
  }
}

void Form_con2amd::UpdateEdited() { m_edited = m_needsStoring || !UndoStack->isClean(); }

void Form_con2amd::CellChanged(QTableWidgetItem* item) {
  if (m_filling) return;
  const int row = item->row();
  const int column = item->column();
  const QString before = m_shown[row][column];
  const QString after = item->text();
  if (before == after) return;
  m_shown[row][column] = after;
  // A cell's old and new text, and the count that goes with neither: the
  // command finds the cell by its place, which every later step keeps.
  UndoStack->push(new GridCommand(
      tr("セルの訂正"), [this, row, column, after] { SetCellText(row, column, after); GridChanged(); },
      [this, row, column, before] { SetCellText(row, column, before); GridChanged(); }, true));
  GridChanged();
  UpdateEdited();
}

void Form_con2amd::InsertRow() {
  // Nothing goes above the count line: the first place is the table's row 1.
  const int row = OLE1->rowCount() == 0 ? 0 : std::max(1, OLE1->currentRow());
  const QString countBefore = CountText();
  const std::optional<std::string> counted = CountAfterInsert(ToStdString(countBefore), static_cast<size_t>(row));
  const QString countAfter = counted ? ToQString(*counted) : countBefore;
  const auto doIt = [this, row, countAfter] {
    InsertRowAt(row, QStringList());
    if (row > 0) SetCount(countAfter);
    GridChanged();
    OLE1->setCurrentCell(row, std::max(0, OLE1->currentColumn()));
  };
  const auto undoIt = [this, row, countBefore] {
    RemoveRowAt(row);
    if (row > 0) SetCount(countBefore);
    GridChanged();
  };
  UndoStack->push(new GridCommand(tr("行挿入"), doIt, undoIt, false));
  UpdateEdited();
}

void Form_con2amd::DeleteRows() {
  std::vector<size_t> rows;
  for (const QModelIndex& index : OLE1->selectionModel()->selectedIndexes()) rows.push_back(index.row());
  if (rows.empty() && OLE1->currentRow() >= 0) rows.push_back(OLE1->currentRow());
  std::sort(rows.begin(), rows.end());
  rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
  if (rows.empty()) return;
  if (rows.front() == 0) {
    m_context.messageBox.Show(ToStdString(tr("1 行目は件数の行のため削除できません。")));
    return;
  }
  const QString countBefore = CountText();
  const std::optional<std::string> counted = CountAfterDelete(ToStdString(countBefore), rows);
  const QString countAfter = counted ? ToQString(*counted) : countBefore;
  QList<QStringList> contents;
  for (const size_t row : rows) contents << RowTexts(static_cast<int>(row));
  const auto doIt = [this, rows, countAfter] {
    for (auto row = rows.rbegin(); row != rows.rend(); ++row) RemoveRowAt(static_cast<int>(*row));
    SetCount(countAfter);
    GridChanged();
  };
  const auto undoIt = [this, rows, contents, countBefore] {
    for (size_t i = 0; i < rows.size(); ++i) InsertRowAt(static_cast<int>(rows[i]), contents[static_cast<int>(i)]);
    SetCount(countBefore);
    GridChanged();
  };
  UndoStack->push(new GridCommand(tr("行削除"), doIt, undoIt, false));
  UpdateEdited();
}

void Form_con2amd::Reload() {
  const QString path = FilePath();
  m_watch->MarkSeen();  // before reading: a change while reading is then seen again
  std::string text;
  const bool read = ReadWholeFile(ToStdString(path), text);
  TextGrid cells = read ? TableFileCells(text) : TextGrid();
  // Saved back by the spreadsheet application, the file is no longer laid out
  // as the later stages read it: shown completed, to be stored again.
  const bool needsStoring = read && !HasTableFileLayout(cells);
  if (needsStoring) AddDroppedLastRow(cells);
  int columns = kContourColumns;
  for (const auto& row : cells) columns = std::max(columns, static_cast<int>(row.size()));
  m_filling = true;
  OLE1->clearContents();
  SetContourHeadings(*OLE1, columns, static_cast<int>(cells.size()));
  m_shown.clear();
  for (size_t row = 0; row < cells.size(); ++row) {
    QStringList texts;
    for (int column = 0; column < columns; ++column) {
      const QString cell = static_cast<size_t>(column) < cells[row].size() ? ToQString(cells[row][column]) : QString();
      texts << cell;
      if (cell.isEmpty()) continue;
      auto* item = new QTableWidgetItem(cell);
      item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
      OLE1->setItem(static_cast<int>(row), column, item);
    }
    m_shown << texts;
  }
  m_filling = false;
  GridChanged();
  // The history belongs to the grid that was read; a new reading starts a new one.
  UndoStack->clear();
  m_needsStoring = needsStoring;
  UpdateEdited();
  if (!read) {
    LabelStatus->setText(tr("CON2TA.dat がありません：%1").arg(path));
  } else if (needsStoring) {
    LabelStatus->setText(tr("CON2TA.dat は表ファイルの形になっていないため、後の段階で正しく読めません。"
                            "表を確かめて「保存」を押すと、表ファイルの形で書き込みます。"));
  } else {
    LabelStatus->clear();
  }
  LabelStatus->setStyleSheet(kProblemStyle);
  LabelStatus->setVisible(!read || needsStoring);
}

bool Form_con2amd::Save() {
  TextGrid grid(static_cast<size_t>(OLE1->rowCount()));
  for (int row = 0; row < OLE1->rowCount(); ++row) {
    for (int column = 0; column < OLE1->columnCount(); ++column) {
      const QTableWidgetItem* item = OLE1->item(row, column);
      grid[static_cast<size_t>(row)].push_back(item ? ToStdString(item->text()) : std::string());
    }
  }
  const ContourTableCheck check = CheckContourTable(grid);
  if (!check.ok) {
    m_context.messageBox.Show(check.message);
    return false;
  }
  const std::string path = ToStdString(FilePath());
  if (!WriteFileAtomically(path, check.fileText)) {
    m_context.messageBox.Show(ToStdString(tr("CON2TA.dat を書き込めません：%1").arg(ToQString(path))));
    return false;
  }
  Reload();
  LabelStatus->setText(tr("保存しました：%1").arg(FilePath()));
  LabelStatus->setStyleSheet(kDoneStyle);
  LabelStatus->show();
  return true;
}

void Form_con2amd::FileChanged() {
  if (!m_edited) {
    Reload();
    return;
  }
  // Unsaved corrections are not thrown away by a change made elsewhere.
  LabelStatus->setText(tr("CON2TA.dat がほかで変更されました。「再読込」で読み直すと、この画面の訂正は消えます。"));
  LabelStatus->setStyleSheet(kProblemStyle);
  LabelStatus->show();
}

void Form_con2amd::closeEvent(QCloseEvent* event) {
  if (!m_context.screens.Ending() && m_edited && !confirmDiscard()) {
    event->ignore();
    return;
  }
  event->accept();
}

void Form_con2amd::OLE1_DblClick() {
  const QString path = FilePath();
  if (!openDocument(path)) m_context.messageBox.Show(ToStdString(OpenFailedText(path)));
}

}  // namespace vx
