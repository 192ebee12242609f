// The screens of shape entry: the entry sheet, conversion 1 and the contour table.
#include "entry/entry_forms.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QMessageBox>
#include <QShowEvent>
#include <QVBoxLayout>

#include "entry/contour_table_edit.h"
#include "entry/conversion1.h"
#include "platform/atomic_file.h"
#include "platform/message_box.h"
#include "platform/qt_services.h"
#include "shell/screen_manager.h"

namespace vx {

namespace {

// The entry rules, shown as written (the blanks are full-width spaces).
const char* const kDatainLabels[6] = {
    "DORN　DATA-IN　へようこそ。",
    "下の表でダブルクリックすると、ＥＸＣＥＬが起動します。",
    "[DATA-IN ﾙｰﾙ]　[ D ]への入力　　　点（point）=８：[ C ]ｺｰﾅR",
    "　線（出る）=１：[ A ]角度[ C ]ｺｰﾅR　　(　)(C)=5：線と線（円）の間のｺｰﾅR",
    "　線（入る）=2：[ A ]角度[ C ]ｺｰﾅR　　平行線=3：[ A ]角度[ B ]移動量",
    "　円=0：[ R ]±半径[ S ]入り方出方",
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
  return QString::fromUtf8("表計算アプリケーションで開けませんでした：") + path;
}

}  // namespace

// ---------------------------------------------------------------- Form_datain

Form_datain::Form_datain(AppContext& context) : m_context(context) {
  setObjectName("Form_datain");
  setWindowTitle(QString::fromUtf8("データーイン"));
  setAttribute(Qt::WA_DeleteOnClose);
  auto* layout = new QVBoxLayout(this);
  for (int i = 0; i < 6; ++i) {
    Labels[i] = new QLabel(QString::fromUtf8(kDatainLabels[i]), this);
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
  Command1 = new QPushButton(QString::fromUtf8("終了：コンバートへ"), this);
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
    LabelStatus->setText(ToQString(WorkbookProblemText(read, workbook.path, workbook.name)));
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
  setWindowTitle(QString::fromUtf8("データコンバート１"));
  setAttribute(Qt::WA_DeleteOnClose);
  auto* layout = new QVBoxLayout(this);
  Label1 = new QLabel(this);
  Label1->setObjectName("Label1");
  Label1->setWordWrap(true);
  layout->addWidget(Label1);
  Command1 = new QPushButton(QString::fromUtf8("コンバート開始"), this);
  Command1->setObjectName("Command1");
  connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
  layout->addWidget(Command1);
  resize(420, 120);
}

bool Form_conv0::Command1_Click() {
  const Conversion1Result result = RunConv1(m_context.table, m_context.folder, m_reader);
  m_lastRunOk = result.ok;
  Label1->setText(ToQString(result.ok ? WorkbookReadText(result.workbook) + "\n" + result.elementFile : result.message));
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

Form_con2amd::Form_con2amd(AppContext& context) : m_context(context) {
  setObjectName("Form_con2amd");
  setWindowTitle(QString::fromUtf8("ｺﾝﾊﾞｰﾄﾃﾞｰﾀｰ　訂正"));
  setAttribute(Qt::WA_DeleteOnClose);
  auto* layout = new QVBoxLayout(this);
  Label1 = new QLabel(QString::fromUtf8(
      "ダブルクリックすると、表計算アプリケーションで開きます。"
      "セルを選んで入力（または F2）すると、ここで訂正できます。「保存」で書き込みます。"), this);
  Label1->setObjectName("Label1");
  Label1->setWordWrap(true);
  layout->addWidget(Label1);
  OLE1 = NewGrid(this, "OLE1");
  // A double click opens the spreadsheet application; typing or F2 edits a cell.
  OLE1->setEditTriggers(QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed);
  OnGridDoubleClick(*OLE1, [this] { OLE1_DblClick(); });
  connect(OLE1, &QTableWidget::itemChanged, this, [this] {
    if (!m_filling) m_edited = true;
  });
  layout->addWidget(OLE1, 1);
  LabelStatus = NewStatusLabel(this);
  layout->addWidget(LabelStatus);

  auto* buttons = new QHBoxLayout;
  auto addButton = [this, buttons](QPushButton*& button, const char* name, const char* caption) {
    button = new QPushButton(QString::fromUtf8(caption), this);
    button->setObjectName(name);
    buttons->addWidget(button);
  };
  addButton(CmdInsertRow, "CmdInsertRow", "行挿入");
  addButton(CmdDeleteRow, "CmdDeleteRow", "行削除");
  buttons->addStretch(1);
  addButton(CmdReload, "CmdReload", "再読込");
  addButton(CmdSave, "CmdSave", "保存");
  layout->addLayout(buttons);
  connect(CmdSave, &QPushButton::clicked, this, [this] { Save(); });
  connect(CmdReload, &QPushButton::clicked, this, [this] { Reload(); });
  connect(CmdInsertRow, &QPushButton::clicked, this, [this] {
    const int row = std::max(0, OLE1->currentRow());
    OLE1->insertRow(row);
    SetSpreadsheetHeadings(*OLE1, OLE1->columnCount(), OLE1->rowCount());
    m_edited = true;
  });
  connect(CmdDeleteRow, &QPushButton::clicked, this, [this] {
    if (OLE1->currentRow() < 0) return;
    OLE1->removeRow(OLE1->currentRow());
    SetSpreadsheetHeadings(*OLE1, OLE1->columnCount(), OLE1->rowCount());
    m_edited = true;
  });
  resize(620, 640);

  confirmDiscard = [this] {
    return QMessageBox::question(this, windowTitle(),
                                 QString::fromUtf8("訂正が保存されていません。閉じると訂正は消えます。閉じますか？"),
                                 QMessageBox::Yes | QMessageBox::No, QMessageBox::No) == QMessageBox::Yes;
  };
  m_watch = new FileChangeWatch([this] { return FilePath(); }, [this] { FileChanged(); }, this);
  Reload();
}

QString Form_con2amd::FilePath() const { return ToQString(m_context.folder.PathOf(kContourFile)); }

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
  SetSpreadsheetHeadings(*OLE1, columns, static_cast<int>(cells.size()));
  for (size_t row = 0; row < cells.size(); ++row) {
    for (size_t column = 0; column < cells[row].size(); ++column) {
      if (cells[row][column].empty()) continue;
      auto* item = new QTableWidgetItem(ToQString(cells[row][column]));
      item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
      OLE1->setItem(static_cast<int>(row), static_cast<int>(column), item);
    }
  }
  m_filling = false;
  m_edited = needsStoring;
  if (!read) {
    LabelStatus->setText(QString::fromUtf8("CON2TA.dat がありません：") + path);
  } else if (needsStoring) {
    LabelStatus->setText(QString::fromUtf8(
        "CON2TA.dat は表ファイルの形になっていないため、後の段階で正しく読めません。"
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
    m_context.messageBox.Show("CON2TA.dat を書き込めません：" + path);
    return false;
  }
  Reload();
  LabelStatus->setText(QString::fromUtf8("保存しました：") + FilePath());
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
  LabelStatus->setText(QString::fromUtf8("CON2TA.dat がほかで変更されました。「再読込」で読み直すと、この画面の訂正は消えます。"));
  LabelStatus->setStyleSheet(kProblemStyle);
  LabelStatus->show();
}

void Form_con2amd::closeEvent(QCloseEvent* event) {
  if (event->spontaneous() && m_edited && !confirmDiscard()) {
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
