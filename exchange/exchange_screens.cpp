// The exchange screens and their registration with the screen manager.
#include "exchange/exchange_screens.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QMenu>
#include <QVBoxLayout>

#include "exchange/exchange_jobs.h"
#include "exchange/exchange_messages.h"
#include "platform/file_dialog.h"
#include "platform/logic_texts.h"
#include "platform/message_box.h"
#include "shell/drawing_files.h"

namespace vx {
namespace {

constexpr const char* kAllFilesFilter = "すべてのファイル(*.*) |*.*";


// The import's report lines go onto the surface like progress lines; the
// screen remembers that there was something to read.
class ReportLines : public ProgressLines {
 public:
  explicit ReportLines(ProgressLines& surface) : m_surface(surface) {}
  void Print(const std::string& line) override {
    m_surface.Print(line);
    printed = true;
  }
  bool printed = false;

 private:
  ProgressLines& m_surface;
};

template <typename T>
T* Named(T* widget, const char* name) {
  widget->setObjectName(name);
  return widget;
}

}  // namespace

ImportScreen::ImportScreen(AppContext& context, Kind kind) : m_context(context), m_kind(kind) {
  const bool dxf = kind == Kind::kDxf;
  setObjectName(dxf ? "Form_dxfconv2" : "Form_igesconv2");
  setWindowTitle(dxf ? "DXF" : "IGES");
  setAttribute(Qt::WA_DeleteOnClose);
  resize(560, 360);
  auto* layout = new QVBoxLayout(this);
  Label_msg = Named(new QLabel(dxf ? tr(" ＤＸＦ　ディスケットをスロットへ入れて、ＤＸＦ読み込みを押して下さい｡ ")
                                   : tr(" ＩＧＳディスケットをスロットへ入れて、ＩＧＳ読み込みを押して下さい｡ "),
                               this),
                    "Label_msg");
  layout->addWidget(Label_msg);
  LabelFile = Named(new QLabel(this), "LabelFile");
  LabelFile->setWordWrap(true);
  LabelFile->setTextInteractionFlags(Qt::TextSelectableByMouse);
  LabelFile->hide();
  layout->addWidget(LabelFile);
  auto* grid = new QGridLayout;
  layout->addLayout(grid);
  Lbl_ISUM = Named(new QLabel(this), "Lbl_ISUM");
  Lbl_IMAR = Named(new QLabel(this), "Lbl_IMAR");
  Lbl_IENX = Named(new QLabel(this), "Lbl_IENX");
  Txt_ISUM = Named(new QLineEdit(this), "Txt_ISUM");
  Txt_IMAR = Named(new QLineEdit(this), "Txt_IMAR");
  Txt_IENX = Named(new QLineEdit(this), "Txt_IENX");
  grid->addWidget(Lbl_ISUM, 0, 0);
  grid->addWidget(Txt_ISUM, 0, 1);
  grid->addWidget(Lbl_IMAR, 1, 0);
  grid->addWidget(Txt_IMAR, 1, 1);
  grid->addWidget(Lbl_IENX, 2, 0);
  grid->addWidget(Txt_IENX, 2, 1);
  auto* buttons = new QHBoxLayout;
  layout->addLayout(buttons);
  Dload = Named(new QPushButton(dxf ? tr("DXF 読み込み") : tr("IGES読み込み"), this), "Dload");
  Start = Named(new QPushButton(tr("スタート"), this), "Start");
  CmdRecent = Named(new QPushButton(tr("最近の図面"), this), "CmdRecent");
  CmdRecent->setMenu(new QMenu(CmdRecent));
  connect(CmdRecent->menu(), &QMenu::aboutToShow, this, [this] { FillRecentMenu(); });
  buttons->addWidget(Dload);
  buttons->addWidget(CmdRecent);
  buttons->addWidget(Start);
  Surface = Named(new ProgressSurface(this), "Surface");
  Surface->setMinimumHeight(140);
  layout->addWidget(Surface, 1);
  ResetOptions();
  connect(Dload, &QPushButton::clicked, this, [this] { Dload_Click(); });
  connect(Start, &QPushButton::clicked, this, [this] { Start_Click(); });
}

QString ImportScreen::SettingsGroup() const {
  return m_kind == Kind::kDxf ? QStringLiteral("import-dxf/") : QStringLiteral("import-iges/");
}

void ImportScreen::Dload_Click() {
  const bool dxf = m_kind == Kind::kDxf;
  FileDialogRequest request;
  // The folder of the last drawing of this kind, else the samples.
  const QString folder = m_context.screens.Remembered(SettingsGroup() + "folder").toString();
  request.initialPath = !folder.isEmpty() && QDir(folder).exists()
                            ? ToStdString(QDir(folder).filePath(dxf ? "*.dxf" : "*.igs"))
                            : m_context.folder.Folder() + (dxf ? "sample/dxf/*.dxf" : "sample/iges/*.igs");
  request.filter = kAllFilesFilter;
  const std::optional<std::string> chosen = m_context.fileDialog.AskOpen(request);
  if (!chosen || chosen->empty()) {
    m_context.messageBox.Show(exchange_text::kNoFileChosen);
    return;
  }
  ChooseFile(*chosen);
}

void ImportScreen::ChooseFile(const std::string& path) {
  m_fileName = path;
  ResetOptions();
  Label_msg->setText(tr(" ファイルが決まりました。スタートを押して下さい｡ "));
  LabelFile->setText(tr("ファイル: %1").arg(QDir::toNativeSeparators(ToQString(path))));
  LabelFile->show();
  // Enter now starts the import.
  Dload->setDefault(false);
  Start->setDefault(true);
  const QFileInfo file(ToQString(path));
  m_context.screens.Remember(SettingsGroup() + "folder", file.absolutePath());
  m_context.screens.AddRecentDrawing(file.absoluteFilePath());
}

void ImportScreen::FillRecentMenu() {
  QMenu* menu = CmdRecent->menu();
  menu->clear();
  const DrawingKind kind = m_kind == Kind::kDxf ? DrawingKind::kDxf : DrawingKind::kIges;
  for (const QString& path : m_context.screens.RecentDrawings()) {
    if (DrawingKindOf(ToStdString(path)) != kind) continue;
    const QFileInfo file(path);
    QAction* action = menu->addAction(file.fileName() + QStringLiteral("  (") + QDir::toNativeSeparators(file.absolutePath()) + ")");
    action->setData(path);
    connect(action, &QAction::triggered, this, [this, path] { ChooseFile(ToStdString(path)); });
  }
  if (menu->isEmpty()) menu->addAction(tr("（ありません）"))->setEnabled(false);
}

void ImportScreen::ResetOptions() {
  const bool dxf = m_kind == Kind::kDxf;
  const auto remembered = [this](const char* key, const char* fallback) {
    return m_context.screens.Remembered(SettingsGroup() + key, QString::fromUtf8(fallback)).toString();
  };
  Lbl_ISUM->setText(tr(" ｽﾑｰｼﾞﾝｸﾞ処理しますか(1/0):"));
  Txt_ISUM->setText(remembered("smoothing", "1"));
  Lbl_IMAR->setText(tr(" 数値まるめ処理　桁数は   :"));
  Txt_IMAR->setText(remembered("rounding", dxf ? "2" : "4"));
  Lbl_IENX->setText(tr(" 円弧座標　XY=0 YX=1      :"));
  Txt_IENX->setText(remembered("arcOrder", "0"));
}

void ImportScreen::Start_Click() {
  if (m_fileName.empty()) {
    // Nothing was asked for: the contour file stays the one it was.
    m_context.messageBox.Show(exchange_text::kNoFileChosen);
    return;
  }
  Surface->Clear();  // a new try after a stop starts on a clean surface
  const ImportOptions options{ToStdString(Txt_ISUM->text()), ToStdString(Txt_IMAR->text()),
                              ToStdString(Txt_IENX->text())};
  ReportLines report(*Surface);
  const ExchangeResult result =
      m_kind == Kind::kDxf ? ImportDxfFile(m_fileName, options, m_context.table, m_context.folder, *Surface, &report)
                           : ImportIgesFile(m_fileName, options, m_context.table, m_context.folder, *Surface, &report);
  if (!result.ok) {
    // The contour view shown when this screen closes says that the contour
    // file is not the drawing asked for.
    m_context.contourNotice.Set(
        ToStdString((m_kind == Kind::kDxf ? tr("DXF 読込が中止されたため、CON2TA.dat は %1 の輪郭ではありません。")
                                          : tr("IGES読込が中止されたため、CON2TA.dat は %1 の輪郭ではありません。"))
                        .arg(ToQString(m_fileName))),
        m_context.folder.PathOf(kContourFile));
    m_context.messageBox.Show(result.message);
    return;
  }
  m_context.contourNotice.Clear();
  // The options of a completed import are the next import's.
  m_context.screens.Remember(SettingsGroup() + "smoothing", Txt_ISUM->text());
  m_context.screens.Remember(SettingsGroup() + "rounding", Txt_IMAR->text());
  m_context.screens.Remember(SettingsGroup() + "arcOrder", Txt_IENX->text());
  m_imported = true;
  if (report.printed) {
    // What was left out stays in view until the operator closes the screen
    // (which shows the contour view, as after every import).
    Label_msg->setText(LogicText(exchange_text::kCheckSkipped));
    return;
  }
  close();
}

void ImportScreen::closeEvent(QCloseEvent* event) {
  event->accept();
  // The contour view follows a completed import or the operator's own close;
  // not the closing of every screen when the program ends.
  if (m_imported || !m_context.screens.Ending()) m_context.screens.Show(ScreenId::kGraph, Owner::kNone);
}

ExportScreen::ExportScreen(AppContext& context, Kind kind) : m_context(context), m_kind(kind) {
  setObjectName(kind == Kind::kDxf ? "Form_dxfW" : "Form_igesW");
  setWindowTitle(kind == Kind::kDxf ? "DXF" : "IGES");
  setAttribute(Qt::WA_DeleteOnClose);
  resize(560, 240);
  auto* layout = new QVBoxLayout(this);
  CmdStart = Named(new QPushButton(tr("スタート"), this), "CmdStart");
  layout->addWidget(CmdStart);
  Surface = Named(new ProgressSurface(this), "Surface");
  Surface->setMinimumHeight(120);
  layout->addWidget(Surface, 1);
  connect(CmdStart, &QPushButton::clicked, this, [this] { CmdStart_Click(); });
}

void ExportScreen::CmdStart_Click() {
  const bool dxf = m_kind == Kind::kDxf;
  ExchangeResult result = LoadContourForExport(m_context.table, m_context.folder);
  if (!result.ok) {
    m_context.messageBox.Show(result.message);
    return;
  }
  FileDialogRequest request;
  // The folder of the last file written of this kind, else the samples.
  const QString settingsKey = dxf ? QStringLiteral("export-dxf/folder") : QStringLiteral("export-iges/folder");
  const QString folder = m_context.screens.Remembered(settingsKey).toString();
  request.initialPath = !folder.isEmpty() && QDir(folder).exists()
                            ? ToStdString(QDir(folder).filePath(dxf ? "*.dxf" : "*.igs"))
                            : m_context.folder.Folder() + (dxf ? "sample/dxf/*.dxf" : "sample/iges/*.igs");
  request.filter = kAllFilesFilter;
  const std::optional<std::string> chosen = m_context.fileDialog.AskSave(request);
  if (!chosen || chosen->empty()) {
    m_context.messageBox.Show(exchange_text::kNoFileChosen);
    return;
  }
  result = dxf ? WriteDxfExport(m_context.table, m_context.folder, *chosen) : WriteIgesExport(m_context.table, *chosen);
  if (!result.ok) {
    m_context.messageBox.Show(result.message);
    return;
  }
  m_context.screens.Remember(settingsKey, QFileInfo(ToQString(*chosen)).absolutePath());
  Surface->Print(exchange_text::kDataDiskEnd);
  close();
}

void RegisterExchangeScreens(ScreenManager& screens) {
  // A drawing opened by Ctrl+O or dropped on a window: its import screen
  // with the file chosen, waiting for Start.
  screens.SetDrawingOpener([&screens](const std::string& path) {
    const ScreenId id = DrawingKindOf(path) == DrawingKind::kIges ? ScreenId::kIgesConv2 : ScreenId::kDxfConv2;
    if (auto* screen = dynamic_cast<ImportScreen*>(screens.Show(id))) screen->ChooseFile(path);
  });
  screens.Register(ScreenId::kDxfConv2, [](AppContext& c) { return new ImportScreen(c, ImportScreen::Kind::kDxf); });
  screens.Register(ScreenId::kIgesConv2,
                   [](AppContext& c) { return new ImportScreen(c, ImportScreen::Kind::kIges); });
  screens.Register(ScreenId::kDxfW, [](AppContext& c) { return new ExportScreen(c, ExportScreen::Kind::kDxf); });
  screens.Register(ScreenId::kIgesW, [](AppContext& c) { return new ExportScreen(c, ExportScreen::Kind::kIges); });
}

}  // namespace vx
