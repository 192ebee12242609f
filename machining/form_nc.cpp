// The NC output screen: machining settings, START, and the output channels.
#include "machining/form_nc.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QPrintDialog>
#include <QPrinter>
#include <QVBoxLayout>

#include "machining/field_checks.h"
#include "machining/form_gra_tasu.h"
#include "platform/qt_services.h"
#include "shell/app_context.h"
#include "shell/field_marks.h"
#include "shell/number_text.h"
#include "shell/screen_manager.h"

namespace vx {

namespace {

// Captions and initial texts of the eight settings (labels 1 to 5 are set
// when the screen opens, 6 to 8 are those of the design; here all alike).
struct Field {
  const char* caption;
  const char* initial;
};

const std::array<Field, 8> kFields = {{
    {QT_TRANSLATE_NOOP("vx::Form_nc", "プログラム No=?  :"), "1"},
    {QT_TRANSLATE_NOOP("vx::Form_nc", "M21 ｵﾌｾｯﾄ=? :"), "-0.4"},
    {QT_TRANSLATE_NOOP("vx::Form_nc", "M23 ｵﾌｾｯﾄ=? :"), "-0.4"},
    {QT_TRANSLATE_NOOP("vx::Form_nc", "NC OUT [  FD:1  ﾌﾟﾘﾝﾀ-:2  ﾄﾞﾁﾗﾆﾓ:3  ]  :"), "1"},
    {QT_TRANSLATE_NOOP("vx::Form_nc", "平均速度　Ｆ=? :"), "0"},
    {QT_TRANSLATE_NOOP("vx::Form_nc", "オフセット　　　　　　左：＋"), "0"},
    {QT_TRANSLATE_NOOP("vx::Form_nc", "　パンチ加工　　　逆方向加工"), "0"},
    {QT_TRANSLATE_NOOP("vx::Form_nc", " 　G41＝1左　 G42＝2右"), "2"},
}};

// How messages name the eight boxes, and the codes a code box takes.
const char* const kFieldNames[8] = {
    QT_TRANSLATE_NOOP("vx::Form_nc", "プログラム No"), QT_TRANSLATE_NOOP("vx::Form_nc", "M21 オフセット"),
    QT_TRANSLATE_NOOP("vx::Form_nc", "M23 オフセット"), QT_TRANSLATE_NOOP("vx::Form_nc", "NC OUT"),
    QT_TRANSLATE_NOOP("vx::Form_nc", "平均速度 F"),     QT_TRANSLATE_NOOP("vx::Form_nc", "オフセット"),
    QT_TRANSLATE_NOOP("vx::Form_nc", "逆方向加工"),     QT_TRANSLATE_NOOP("vx::Form_nc", "G41/G42"),
};
const char* const kFieldCodes[8] = {"", "", "", "1, 2, 3", "", "", "0, 1", "1, 2"};

// Where the text of box k is kept between runs (Text6, the offset, is read
// back at the program's start as the offset of the contour view and this screen).
QString RememberedKey(int k) { return QStringLiteral("nc/Text%1").arg(k + 1); }

}  // namespace

Form_nc::Form_nc(AppContext& context) : m_context(context) {
  setObjectName("Form_nc");
  setWindowTitle(tr("NC 出力"));
  setFont(DesignFont(QString::fromUtf8("ＭＳ Ｐゴシック"), 10));
  auto* layout = new QVBoxLayout(this);
  auto* grid = new QGridLayout;
  layout->addLayout(grid);
  for (int k = 0; k < 8; ++k) {
    Label[k] = new QLabel(tr(kFields[k].caption), this);
    Label[k]->setObjectName(QString("Label%1").arg(k + 1));
    Text[k] = new QLineEdit(QString::fromUtf8(kFields[k].initial), this);
    Text[k]->setObjectName(QString("Text%1").arg(k + 1));
    Text[k]->setMaximumWidth(120);
    grid->addWidget(Label[k], k, 0);
    grid->addWidget(Text[k], k, 1);
  }
  // The settings of the last completed START, except the offset, which is
  // the one the contour view shows: one setting for both boxes.
  for (int k = 0; k < 8; ++k) {
    if (k != 5) Text[k]->setText(m_context.screens.Remembered(RememberedKey(k), Text[k]->text()).toString());
  }
  Text[5]->setText(ToQString(m_context.wireOffset));
  for (int k = 0; k < 8; ++k) {
    connect(Text[k], &QLineEdit::textChanged, this, [this, k] {
      if (k == 5) m_context.wireOffset = ToStdString(Text[5]->text());
      CheckField(k);
    });
    CheckField(k);
  }
  Surface = new ProgressSurface(this);
  Surface->setObjectName("Surface");
  Surface->setMinimumHeight(48);
  layout->addWidget(Surface);
  auto* buttons = new QHBoxLayout;
  layout->addLayout(buttons);
  cmdSTART = new QPushButton("START", this);
  cmdSTART->setObjectName("cmdSTART");
  Command1 = new QPushButton(tr("終了(キャンセル）"), this);
  Command1->setObjectName("Command1");
  buttons->addWidget(cmdSTART);
  buttons->addWidget(Command1);
  connect(cmdSTART, &QPushButton::clicked, this, [this] { cmdSTART_Click(); });
  connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
  // Every opening starts from the initial texts: the screen is a new one each time.
  setAttribute(Qt::WA_DeleteOnClose);
  m_printerSource = [this](int index, double) { return SystemPrinter(index); };
  // A contour file left from before a stopped conversion or import is said
  // before START writes a program from it.
  const std::string notice = m_context.contourNotice.Current(m_context.folder.PathOf(kContourFile));
  if (!notice.empty()) Surface->Print(ToStdString(tr("注意: %1").arg(ToQString(notice))));
}

QString Form_nc::FieldMessage(int k) const {
  const QString text = Text[k]->text();
  return FieldProblemMessage(CheckNcField(k, ToStdString(text)), tr(kFieldNames[k]), text,
                             QString::fromUtf8(kFieldCodes[k]));
}

void Form_nc::CheckField(int k) {
  MarkField(Text[k], CheckNcField(k, ToStdString(Text[k]->text())), FieldMessage(k));
}

bool Form_nc::FieldsAccepted() {
  for (int k = 0; k < 8; ++k) {
    const QString message = FieldMessage(k);
    if (message.isEmpty()) continue;
    m_context.messageBox.Show(ToStdString(message));
    Text[k]->setFocus();
    Text[k]->selectAll();
    return false;
  }
  const std::vector<PieceFieldIssue> pieces = CheckPieceLayout(m_context.layout);
  if (!pieces.empty()) {
    m_context.messageBox.Show(ToStdString(Form_gra_tasu::IssueMessage(m_context.layout, pieces.front())));
    return false;
  }
  return true;
}

QString Form_nc::SummaryLine(const NcStartResult& result) {
  QStringList parts;
  if (!result.filesWritten.empty()) {
    QStringList files;
    for (const std::string& file : result.filesWritten) files << ToQString(file);
    parts << tr("書き込んだファイル: %1").arg(files.join(", "));
  }
  if (!result.listingsPrinted.empty()) {
    QStringList listings;
    for (const NcListing& listing : result.listingsPrinted) {
      listings << tr("プログラム No %1 → %2").arg(ToQString(ShortestText(listing.programNumber)),
                                                ToQString(listing.printer));
    }
    parts << tr("印刷: %1").arg(listings.join(", "));
  }
  if (parts.isEmpty()) return tr("NC出力: NC OUT が 1, 2, 3 のどれでもないため、書き込みも印刷もしていません。");
  return tr("NC出力: %1").arg(parts.join(QString::fromUtf8("　")));
}

Form_nc::~Form_nc() = default;

NcSettings Form_nc::Settings() const {
  auto text = [this](int k) { return ToStdString(Text[k]->text()); };
  NcSettings settings;
  settings.programNumber = text(0);
  settings.m21Offset = text(1);
  settings.m23Offset = text(2);
  settings.outputTarget = text(3);
  settings.speed = text(4);
  settings.wireOffset = text(5);
  settings.reverse = text(6);
  settings.side = text(7);
  return settings;
}

NcPrinter Form_nc::SystemPrinter(int index) {
  if (index == 0 || !m_printer) {
    // The operator chooses the printer once; the reverse program follows on it.
    m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    QPrintDialog dialog(m_printer.get(), this);
    if (dialog.exec() != QDialog::Accepted) return NcPrinter{};
  }
  return NcPrinter{QtPrinter::ToPrinter(m_printer.get()), ToStdString(PrinterName(*m_printer))};
}

QString Form_nc::PrinterName(const QPrinter& printer) {
  // "Print to file" has no printer name: the file is where the listing went.
  if (printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty()) {
    return printer.outputFileName();
  }
  return printer.printerName();
}

void Form_nc::cmdSTART_Click() {
  if (!FieldsAccepted()) return;
  NcOutputServices services{m_context.table,  m_context.layout,     m_context.folder, m_context.messageBox,
                            *Surface,         m_context.fileDialog, m_printerSource};
  cmdSTART->setEnabled(false);
  const NcStartResult result = RunNcStart(Settings(), services);
  cmdSTART->setEnabled(true);
  m_lastOutcome = result.outcome;
  // Every file written and listing printed is named, also when a later
  // program of the same START failed.
  if (result.outcome == NcStartOutcome::kDone || !result.filesWritten.empty() || !result.listingsPrinted.empty()) {
    const QString line = SummaryLine(result);
    Surface->Print(ToStdString(line));
    m_context.messageBox.Show(ToStdString(line));
  }
  // After a failure or a cancelled printer the settings stay for another try.
  if (result.outcome != NcStartOutcome::kDone) return;
  for (int k = 0; k < 8; ++k) m_context.screens.Remember(RememberedKey(k), Text[k]->text());
  close();
}

void Form_nc::Command1_Click() { close(); }

void Form_nc::closeEvent(QCloseEvent* event) {
  // Closing returns to the main menu.
  for (QWidget* window : QApplication::topLevelWidgets()) {
    if (window->objectName() == "Form_main" && window != this) {
      window->show();
      window->raise();
      window->activateWindow();
    }
  }
  event->accept();
}

}  // namespace vx
