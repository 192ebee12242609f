// The contour view screen Form_graph.
#include "display/form_graph.h"

#include <QApplication>
#include <QAbstractButton>
#include <QDateTime>
#include <QFileInfo>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QResizeEvent>
#include <QShowEvent>
#include <QSignalBlocker>
#include <QWheelEvent>
#include <cmath>
#include <ctime>

#include "platform/qt_services.h"
#include "shell/field_marks.h"
#include "shell/screen_manager.h"
#include "shell/typed_field.h"

namespace vx {

namespace {

// Texts of the screen.
const char* const kOffsetCaption = QT_TRANSLATE_NOOP("vx::Form_graph", "オフセット　　左＋");
const char* const kLayoutButton = QT_TRANSLATE_NOOP("vx::Form_graph", "多数個とり");
const char* const kFinishButton = QT_TRANSLATE_NOOP("vx::Form_graph", "終了:NC出力へ");
const char* const kPerimeterCaption = QT_TRANSLATE_NOOP("vx::Form_graph", "周長");
const char* const kUnitCaption = QT_TRANSLATE_NOOP("vx::Form_graph", "　mm");
// Shown when the print item finds no printer to use, and when the output fails.
const char* const kNoPrinterMessage =
    QT_TRANSLATE_NOOP("vx::Form_graph", "使用できるプリンタがありません。プリンタの設定を確認してください。");
const char* const kPrintFailedMessage = QT_TRANSLATE_NOOP("vx::Form_graph", "印刷できませんでした。");

// Where the view menu's two check marks are kept between runs.
const char* const kScaleShownKey = "graph/scaleShown";
const char* const kStatusBarKey = "graph/statusBar";

// Width of the status bar's first panel: 4000 twips.
constexpr int kStatusPanelPixels = 4000 / kTwipsPerPixel;
// The perimeter label's width as the band was laid out; it grows with its text.
constexpr int kPerimeterLabelPixels = 72;
constexpr int kPerimeterLabelX = 652;
// The notice over the drawing: dark red on light yellow, seen at once.
const char* const kNoticeStyle =
    "QLabel { background-color: #fff4c0; color: #a00000; border: 1px solid #a00000; padding: 3px; }";

template <typename T>
T* Named(T* widget, const char* name) {
  widget->setObjectName(name);
  return widget;
}

}  // namespace

GraphPicture::GraphPicture(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setCursor(Qt::CrossCursor);
}

void GraphPicture::FitImage() {
  // As many pixels as the screen shows: sharp lines at any scaling; the
  // drawing itself works in the widget's own pixels.
  const qreal ratio = devicePixelRatioF();
  const QSize pixels = (QSizeF(size()) * ratio).toSize();
  if (m_image.size() == pixels && m_image.devicePixelRatio() == ratio) return;
  m_image = QImage(pixels, QImage::Format_RGB32);
  m_image.setDevicePixelRatio(ratio);
}

void GraphPicture::paintEvent(QPaintEvent*) {
  // The last drawing, moved along while it is dragged; every event that
  // changes it redraws it explicitly.
  QPainter painter(this);
  painter.fillRect(rect(), PaletteQColor(15));
  if (!m_image.isNull()) painter.drawImage(m_dragging ? m_dragBy : QPointF(0, 0), m_image);
}

void GraphPicture::mousePressEvent(QMouseEvent* event) {
  m_pressed = true;
  m_dragging = false;
  m_pressAt = event->position();
  m_dragBy = QPointF();
}

void GraphPicture::mouseMoveEvent(QMouseEvent* event) {
  if (m_pressed) {
    m_dragBy = event->position() - m_pressAt;
    if (!m_dragging && m_dragBy.manhattanLength() >= QApplication::startDragDistance()) m_dragging = true;
    if (m_dragging) update();
  }
  if (onCursor) onCursor(event->position());
}

void GraphPicture::mouseReleaseEvent(QMouseEvent* event) {
  if (!m_pressed) return;
  m_pressed = false;
  const QPointF movedBy = event->position() - m_pressAt;
  if (m_dragging) {
    if (onDrag) onDrag(movedBy);
    m_dragging = false;
    update();
  } else if (onMouseDown) {
    onMouseDown(m_pressAt);
  }
}

void GraphPicture::wheelEvent(QWheelEvent* event) {
  if (onWheel) onWheel(event->position(), event->angleDelta().y());
  event->accept();
}

void GraphPicture::leaveEvent(QEvent* event) {
  QWidget::leaveEvent(event);
  if (onCursor) onCursor(std::nullopt);
}

Form_graph::Form_graph(AppContext& context) : m_context(context), m_view(context.messageBox) {
  setObjectName("Form_graph");
  setWindowTitle(tr("グラフィック"));
  setAttribute(Qt::WA_DeleteOnClose);
  m_loading = true;
  m_inner = new QWidget(this);
  setCentralWidget(m_inner);
  BuildControlBand(m_inner);

  Picture1 = Named(new GraphPicture(m_inner), "Picture1");
  Picture1->setMouseTracking(true);
  // Clicked, the drawing takes the keys (Home fits it; the offset box keeps Home for its text).
  Picture1->setFocusPolicy(Qt::ClickFocus);
  Picture1->onMouseDown = [this](QPointF pixel) { Picture1_MouseDown(pixel); };
  Picture1->onDrag = [this](QPointF movedBy) { Picture1_Drag(movedBy); };
  Picture1->onWheel = [this](QPointF pixel, int angle) { Picture1_Wheel(pixel, angle); };
  Picture1->onCursor = [this](std::optional<QPointF> pixel) { Picture1_Cursor(pixel); };
  NoticeLabel = Named(new QLabel(Picture1), "NoticeLabel");
  NoticeLabel->setStyleSheet(QString::fromUtf8(kNoticeStyle));
  NoticeLabel->setWordWrap(true);
  NoticeLabel->hide();
  HScroll1 = Named(new QScrollBar(Qt::Horizontal, m_inner), "HScroll1");
  VScroll1 = Named(new QScrollBar(Qt::Vertical, m_inner), "VScroll1");
  for (QScrollBar* bar : {HScroll1, VScroll1}) {
    bar->setRange(0, kScrollMax);
    bar->setPageStep(10);
    bar->setSingleStep(1);
    // A dragged thumb changes the value when it is let go, as the arrows and the
    // track do at once: the offset path's messages come once, not at every step.
    bar->setTracking(false);
  }
  HScroll1->setFixedHeight(kScrollBarPixels);
  VScroll1->setFixedWidth(kScrollBarPixels);
  HScroll1->setValue(kStartHScroll);
  VScroll1->setValue(kStartVScroll);
  connect(HScroll1, &QScrollBar::valueChanged, this, [this](int) { ScrollChanged(); });
  connect(VScroll1, &QScrollBar::valueChanged, this, [this](int) { ScrollChanged(); });

  StatusBar1 = Named(new QStatusBar(m_inner), "StatusBar1");
  StatusBar1->setSizeGripEnabled(false);
  StatusBar1->setFixedHeight(kStatusBarPixels);
  StatusPanel1 = Named(new QLabel(StatusBar1), "Panel1");
  StatusPanel1->setFixedWidth(kStatusPanelPixels);
  StatusBar1->addWidget(StatusPanel1);
  CursorPanel = Named(new QLabel(StatusBar1), "CursorPanel");
  const QString widest = tr("カーソル X=%1 Y=%2").arg("-8888.888", "-8888.888");
  CursorPanel->setMinimumWidth(CursorPanel->fontMetrics().horizontalAdvance(widest) + 8);
  StatusBar1->addWidget(CursorPanel);
  ChainsPanel = Named(new QLabel(StatusBar1), "ChainsPanel");
  ChainsPanel->setMinimumWidth(1);
  StatusBar1->addWidget(ChainsPanel, 1);
  m_topBand = Command1->height();
  m_statusAllowance = StatusBar1->height();

  BuildMenus();
  m_view.SetScroll({HScroll1->value(), VScroll1->value()});
  resize(800, 600);
  m_loading = false;
}

Form_graph::~Form_graph() = default;

void Form_graph::BuildControlBand(QWidget* inner) {
  // Each control stands at its design place and width; a caption or button
  // whose text needs more room (another language, a larger font) takes it,
  // and the controls after it move along.
  int next = 0;
  const auto place = [&next](QWidget* widget, int x, int width, int height) {
    x = std::max(x, next);
    const bool text = qobject_cast<QLabel*>(widget) != nullptr || qobject_cast<QAbstractButton*>(widget) != nullptr;
    const int needed = text ? widget->sizeHint().width() : 0;
    const int grown = std::max(width, needed);
    widget->setGeometry(x, (kTopBandPixels - height) / 2, grown, height);
    next = x + grown + (grown > width ? 4 : 0);
  };
  OffsetCaption = Named(new QLabel(tr(kOffsetCaption), inner), "Label2");
  place(OffsetCaption, 4, 120, 22);
  // The offset is one setting with the NC output's offset box.
  Text1 = Named(new QLineEdit(ToQString(m_context.wireOffset), inner), "Text1");
  place(Text1, 126, 70, 24);
  m_view.SetOffsetText(m_context.wireOffset);
  MarkField(Text1, CheckNumberField(m_context.wireOffset), OffsetMessage());
  connect(Text1, &QLineEdit::textChanged, this, [this](const QString& text) { Text1_Change(text); });
  Slider1 = Named(new QSlider(Qt::Horizontal, inner), "Slider1");
  Slider1->setRange(0, kZoomMax);
  Slider1->setSingleStep(10);
  Slider1->setPageStep(20);
  Slider1->setValue(100);
  Slider1->setTracking(false);  // zooms when the handle is let go, like the scroll bars
  place(Slider1, 202, 150, 24);
  connect(Slider1, &QSlider::valueChanged, this, [this](int value) { Slider1_Change(value); });
  Label1 = Named(new QLabel(QString::fromUtf8("100%"), inner), "Label1");
  place(Label1, 356, 44, 22);
  Command2 = Named(new QPushButton(tr(kLayoutButton), inner), "Command2");
  place(Command2, 404, 92, kTopBandPixels);
  connect(Command2, &QPushButton::clicked, this,
          [this] { m_context.screens.Show(ScreenId::kGraTasu, Owner::kNone); });
  Command1 = Named(new QPushButton(tr(kFinishButton), inner), "Command1");
  place(Command1, 500, 112, kTopBandPixels);
  connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
  PerimeterCaption = Named(new QLabel(tr(kPerimeterCaption), inner), "Label3");
  place(PerimeterCaption, 620, 32, 22);
  Label4 = Named(new QLabel(inner), "Label4");
  Label4->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  place(Label4, kPerimeterLabelX, kPerimeterLabelPixels, 22);
  m_perimeterLabelX = Label4->x();
  UnitCaption = Named(new QLabel(tr(kUnitCaption), inner), "Label5");
  place(UnitCaption, kPerimeterLabelX + kPerimeterLabelPixels, 40, 22);
}

void Form_graph::BuildMenus() {
  QMenu* file = menuBar()->addMenu(tr("ファイル(&F)"));
  file->setObjectName("menufile");
  menufile[6] = file->addAction(tr("プリンタの設定(&R)"), QKeySequence(QStringLiteral("Ctrl+R")), this,
                                [this] {
                                  if (!m_printer) m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
                                  QPrintDialog dialog(m_printer.get(), this);
                                  // It chooses the printer; the print items print.
                                  dialog.setWindowTitle(tr("プリンタの設定"));
                                  dialog.exec();
                                });
  menufile[7] = file->addAction(tr("印刷(&P)"), QKeySequence(QStringLiteral("Ctrl+P")), this,
                                [this] { menufile_Print(SheetScale::kTrueScale); });
  printFitted = file->addAction(tr("ページに合わせて印刷(&G)"), QKeySequence(QStringLiteral("Ctrl+Shift+P")), this,
                                [this] { menufile_Print(SheetScale::kFitToPage); });
  printFitted->setObjectName("printFitted");
  menufile[8] = file->addSeparator();
  menufile[9] = file->addAction(tr("終了(&E)"), QKeySequence(QStringLiteral("Ctrl+E")), this,
                                [this] { close(); });

  QMenu* view = menuBar()->addMenu(tr("表示(&V)"));
  view->setObjectName("menuview");
  menuview[0] = view->addAction(tr("スケール表示(&V)"));
  menuview[0]->setCheckable(true);
  // Both view items start as they were left (checked the first time).
  menuview[0]->setChecked(m_context.screens.Remembered(kScaleShownKey, true).toBool());
  Slider1->setEnabled(menuview[0]->isChecked());
  connect(menuview[0], &QAction::triggered, this, [this](bool checked) {
    Slider1->setEnabled(checked);
    m_context.screens.Remember(kScaleShownKey, checked);
  });
  menuview[2] = view->addAction(tr("ステータスバー(&B)"));
  menuview[2]->setShortcut(QKeySequence(QStringLiteral("Ctrl+B")));
  menuview[2]->setCheckable(true);
  menuview[2]->setChecked(m_context.screens.Remembered(kStatusBarKey, true).toBool());
  m_statusAllowance = menuview[2]->isChecked() ? StatusBar1->height() : 0;
  connect(menuview[2], &QAction::triggered, this, [this](bool checked) {
    // Only the room kept for the bar changes; the bar itself stays.
    m_statusAllowance = checked ? StatusBar1->height() : 0;
    m_context.screens.Remember(kStatusBarKey, checked);
    LayoutView();
  });
  QMenu* zoom = view->addMenu(tr("ズーム(&Z)"));
  zoom->setObjectName("menuzoom");
  menuview[9] = zoom->menuAction();
  menuzoom[0] = zoom->addAction(tr("縮小(&S)"), QKeySequence(QStringLiteral("Ctrl+S")), this,
                                [this] { Slider1->setValue(Slider1->value() - 20); });
  menuzoom[1] = zoom->addAction(tr("拡大(&L)"), QKeySequence(QStringLiteral("Ctrl+L")), this,
                                [this] { Slider1->setValue(Slider1->value() + 20); });
  fitToWindow = zoom->addAction(tr("全体表示(&F)"), this, [this] { FitToWindow(); });
  fitToWindow->setObjectName("fitToWindow");
  fitToWindow->setShortcuts({QKeySequence(QStringLiteral("Ctrl+F")), QKeySequence(Qt::Key_Home)});

  menuBar()->addMenu(tr("オプション(&O)"))->setObjectName("menuoption");
  QMenu* help = menuBar()->addMenu(tr("ヘルプ(&F)"));
  help->setObjectName("menuhelp");
  helpVersion = help->addAction(QString::fromUtf8("DORN-VXL Version 6.0.1"));
}

void Form_graph::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  if (m_loading || isMinimized()) return;
  const WindowSizeTwips twips{width() * kTwipsPerPixel, height() * kTwipsPerPixel};
  const WindowSizeTwips wanted = EnforceMinimumWindowSize(twips);
  if (wanted.width != twips.width || wanted.height != twips.height) {
    resize(wanted.width / kTwipsPerPixel, wanted.height / kTwipsPerPixel);
    return;  // the resize comes back here
  }
  LayoutView();
}

void Form_graph::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  LayoutView();
  // The start window's corner is shown from the first showing on; afterwards
  // only scrolling and clicks write it (zoom and resize do not).
  if (StatusPanel1->text().isEmpty()) StatusPanel1->setText(ToQString(m_view.StatusText()));
}

void Form_graph::changeEvent(QEvent* event) {
  QMainWindow::changeEvent(event);
  // Another screen may have rewritten the contour file or the piece rows while
  // this one stayed open (CONV-2, an import, the layout's button). A redraw on
  // every activation would repeat the offset path's messages each time their
  // box closes, so only a changed source is drawn again.
  if (event->type() != QEvent::ActivationChange || !isActiveWindow() || m_loading) return;
  // The NC output may have changed the offset they share: the box shows it
  // (and its change draws again).
  if (Text1->text() != ToQString(m_context.wireOffset)) {
    Text1->setText(ToQString(m_context.wireOffset));
    return;
  }
  if (DrawnFrom() != m_drawnFrom) {
    Redraw();
  } else {
    ShowNotice();  // a run that stopped meanwhile left the file as it was
  }
}

QString Form_graph::DrawnFrom() const {
  const QFileInfo file(ToQString(m_context.folder.PathOf(kContourFile)));
  QString text = file.exists() ? QString::number(file.lastModified().toMSecsSinceEpoch()) + "/" +
                                     QString::number(file.size())
                               : QStringLiteral("-");
  for (int k = 0; k < PieceLayout::kPieces; ++k) {
    const PieceRow& row = m_context.layout.Row(k);
    text += "|" + ToQString(row.sftX) + "," + ToQString(row.sftY) + "," + ToQString(row.kAngle) + "," +
            ToQString(row.mirX);
  }
  return text;
}

void Form_graph::LayoutView() {
  if (m_loading || isMinimized()) return;
  const int innerWidth = m_inner->width();
  const int innerHeight = m_inner->height();
  const PictureSize picture = PictureSizeFor(innerWidth, innerHeight, m_statusAllowance);
  Picture1->setGeometry(0, m_topBand, picture.width, picture.height);
  HScroll1->setGeometry(0, m_topBand + picture.height, picture.width, kScrollBarPixels);
  VScroll1->setGeometry(picture.width, m_topBand, kScrollBarPixels, picture.height);
  StatusBar1->setGeometry(0, innerHeight - StatusBar1->height(), innerWidth, StatusBar1->height());
  StatusBar1->raise();
  NoticeLabel->setFixedWidth(std::max(40, picture.width - 8));
  ShowZoom();
  m_view.Layout(picture.width * kTwipsPerPixel, picture.height * kTwipsPerPixel);
  // The drawing area has changed: paint it again.
  Redraw();
}

void Form_graph::ShowZoom() {
  // The slider's value while it sets the zoom; a zoom of the wheel or of the
  // fit may lie between its steps or beyond its range.
  Label1->setText(QString::number(std::lround(m_view.ZoomFactor() * 100)) + "%");
}

void Form_graph::Redraw() {
  if (m_loading) return;
  // The layout screen holds the piece rows; it is created, not shown, when missing.
  m_context.screens.Instance(ScreenId::kGraTasu);
  m_drawnFrom = DrawnFrom();
  const QSize size = Picture1->size();
  QImage& image = Picture1->Image();
  const std::string contourPath = m_context.folder.PathOf(kContourFile);
  if (size.isEmpty()) {
    NullSurface surface;
    m_view.Redraw(surface, m_context.table, m_context.layout, contourPath);
  } else {
    Picture1->FitImage();
    QPainter painter(&image);
    BatchedPainterSurface surface(painter, size.width(), size.height());
    m_view.Redraw(surface, m_context.table, m_context.layout, contourPath);
  }
  ShowPerimeter();
  ShowNotice();
  Picture1->update();
}

void Form_graph::ShowPerimeter() {
  Label4->setText(ToQString(m_view.PerimeterLabel()));
  // Every digit shows: the label grows with its text, the unit moves along.
  const int width = std::max(kPerimeterLabelPixels, Label4->fontMetrics().horizontalAdvance(Label4->text()) + 6);
  Label4->setFixedWidth(width);
  UnitCaption->move(m_perimeterLabelX + width, UnitCaption->y());
  QStringList all;
  const std::vector<ChainLength>& chains = m_view.Chains();
  for (size_t i = 0; i < chains.size(); ++i) {
    all << ToQString(ChainName(chains, i)) + ": " + ToQString(ShortestText(RoundHalfEven(chains[i].length, 1)));
  }
  Label4->setToolTip(chains.size() > 1 ? all.join("\n") : QString());
  ChainsPanel->setToolTip(Label4->toolTip());
  ChainsPanel->setText(ChainsText(std::max(1, ChainsPanel->width())));
}

QString Form_graph::ChainsText(int widthPixels) const {
  const std::vector<ChainLength>& chains = m_view.Chains();
  if (chains.size() < 2) return QString();
  const QFontMetrics metrics = ChainsPanel->fontMetrics();
  QString text = tr("%n 本:", nullptr, static_cast<int>(chains.size()));
  for (size_t i = 0; i < chains.size(); ++i) {
    const QString entry =
        "  " + ToQString(ChainName(chains, i)) + ": " + ToQString(ShortestText(RoundHalfEven(chains[i].length, 1)));
    const QString rest = tr("  ほか %n 本", nullptr, static_cast<int>(chains.size() - i - 1));
    // An entry goes in whole or not at all, with room left to say how many follow.
    const bool last = i + 1 == chains.size();
    if (metrics.horizontalAdvance(text + entry + (last ? QString() : rest)) > widthPixels) {
      return text + tr("  ほか %n 本", nullptr, static_cast<int>(chains.size() - i));
    }
    text += entry;
  }
  return text;
}

void Form_graph::ShowNotice() {
  const std::string path = m_context.folder.PathOf(kContourFile);
  QStringList lines;
  const std::string notice = m_context.contourNotice.Current(path);
  if (!notice.empty()) lines << ToQString(notice);
  switch (m_view.LastLoadStatus()) {
    case LoadStatus::kMissing:
      lines << tr("CON2TA.dat がありません: %1。表示はその前に読んだ内容です。").arg(ToQString(path));
      break;
    case LoadStatus::kBadCount:
      lines << tr("CON2TA.dat を読めません: %1。表示はその前に読んだ内容です。").arg(ToQString(path));
      break;
    case LoadStatus::kShort:
      lines << tr("CON2TA.dat が途中で切れています: %1。読めた行だけを表示しています。").arg(ToQString(path));
      break;
    case LoadStatus::kOk:
      break;
  }
  NoticeLabel->setText(lines.join("\n"));
  NoticeLabel->setVisible(!lines.isEmpty());
  if (!lines.isEmpty()) {
    NoticeLabel->adjustSize();
    NoticeLabel->move(4, 4);
  }
}

void Form_graph::ScrollChanged() {
  if (m_loading) return;
  m_view.SetScroll({HScroll1->value(), VScroll1->value()});
  m_view.SetViewOrigin();
  StatusPanel1->setText(ToQString(m_view.StatusText()));
  Redraw();
}

void Form_graph::Picture1_MouseDown(QPointF pixel) {
  const QSize size = Picture1->size();
  if (size.isEmpty()) return;
  const ViewWindow& window = m_view.Window();
  const double x = window.left + pixel.x() / size.width() * window.width;
  const double y = window.top + pixel.y() / size.height() * window.height;
  const ScrollValues target = m_view.PanByClick(x, y);
  // A value that differs runs the scroll handling, which snaps the pan.
  HScroll1->setValue(target.h);
  VScroll1->setValue(target.v);
  StatusPanel1->setText(ToQString(m_view.StatusText()));
  Redraw();
}

void Form_graph::Picture1_Drag(QPointF movedBy) {
  const QSize size = Picture1->size();
  if (size.isEmpty()) return;
  const ViewWindow& window = m_view.Window();
  // The drawing follows the mouse: the window moves the other way.
  m_view.MoveWindow(-movedBy.x() / size.width() * window.width, -movedBy.y() / size.height() * window.height);
  AfterFreeMove();
}

void Form_graph::Picture1_Wheel(QPointF pixel, int angle) {
  const QSize size = Picture1->size();
  if (angle == 0 || size.isEmpty()) return;
  // One notch (120 eighths of a degree) zooms by kWheelZoomStep, about the cursor.
  const auto [x, y] = m_view.WorldAt(pixel.x(), pixel.y(), size.width(), size.height());
  m_view.ZoomAbout(x, y, m_view.ZoomFactor() * std::pow(kWheelZoomStep, angle / 120.0));
  AfterFreeMove();
}

void Form_graph::Picture1_Cursor(std::optional<QPointF> pixel) {
  const QSize size = Picture1->size();
  if (!pixel || size.isEmpty()) {
    CursorPanel->clear();
    return;
  }
  // While the drawing is dragged the point under the cursor is the one dragged along.
  const QPointF at = *pixel - (Picture1->Dragging() ? Picture1->DragOffset() : QPointF());
  const auto [x, y] = m_view.WorldAt(at.x(), at.y(), size.width(), size.height());
  CursorPanel->setText(tr("カーソル X=%1 Y=%2").arg(x, 0, 'f', 3).arg(y, 0, 'f', 3));
}

void Form_graph::FitToWindow() {
  if (!m_view.FitToWindow()) return;  // nothing drawn to fit
  AfterFreeMove();
}

void Form_graph::AfterFreeMove() {
  {
    // The controls follow the window; their change handlers would move it back.
    const QSignalBlocker blockH(HScroll1), blockV(VScroll1), blockSlider(Slider1);
    const ScrollValues scroll = m_view.NearestScroll();
    HScroll1->setValue(scroll.h);
    VScroll1->setValue(scroll.v);
    m_view.SetScroll(scroll);
    Slider1->setValue(AcceptedZoomValue(static_cast<int>(std::lround(m_view.ZoomFactor() * 100))));
  }
  ShowZoom();
  StatusPanel1->setText(ToQString(m_view.StatusText()));
  Redraw();
}

void Form_graph::Slider1_Change(int value) {
  if (value == 0) Slider1->setValue(AcceptedZoomValue(0));  // runs this handler again
  value = Slider1->value();
  m_view.ZoomToSlider(value);
  LayoutView();
}

void Form_graph::Text1_Change(const QString& text) {
  m_context.wireOffset = ToStdString(text);
  MarkField(Text1, CheckNumberField(m_context.wireOffset), OffsetMessage());
  m_view.SetOffsetText(m_context.wireOffset);
  Redraw();
}

QString Form_graph::OffsetMessage() const {
  const QString text = Text1->text();
  return FieldProblemMessage(CheckNumberField(ToStdString(text)), tr("オフセット"), text);
}

bool Form_graph::OffsetAccepted() {
  const QString message = OffsetMessage();
  if (message.isEmpty()) return true;
  m_context.messageBox.Show(ToStdString(message));
  Text1->setFocus();
  Text1->selectAll();
  return false;
}

void Form_graph::Command1_Click() {
  // The NC output takes the offset typed here; it must be a number first.
  if (!OffsetAccepted()) return;
  ScreenManager& screens = m_context.screens;
  close();
  screens.Show(ScreenId::kNc);
}

bool Form_graph::PrintTo(Printer& printer, SheetScale mode) {
  if (!OffsetAccepted()) return false;
  QImage& image = Picture1->Image();
  const QSize size = Picture1->size();
  if (!size.isEmpty()) Picture1->FitImage();
  bool printed = false;
  m_drawnFrom = DrawnFrom();
  const std::string contourPath = m_context.folder.PathOf(kContourFile);
  const std::string date = ShortDateText(std::time(nullptr));
  if (image.isNull()) {
    NullSurface surface;
    printed = m_view.PrintSheet(surface, printer, m_context.table, m_context.layout, contourPath, date, mode);
  } else {
    QPainter painter(&image);
    BatchedPainterSurface surface(painter, size.width(), size.height());
    printed = m_view.PrintSheet(surface, printer, m_context.table, m_context.layout, contourPath, date, mode);
  }
  ShowPerimeter();
  ShowNotice();
  Picture1->update();
  if (!printed) m_context.messageBox.Show(ToStdString(tr(kPrintFailedMessage)));
  return printed;
}

void Form_graph::menufile_Print(SheetScale mode) {
  if (!m_printer) m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
  // Without an installed printer Qt falls back to a file that nobody named.
  const bool noTarget = m_printer->outputFormat() == QPrinter::PdfFormat && m_printer->outputFileName().isEmpty();
  std::unique_ptr<QtPrinter> printer = QtPrinter::ToPrinter(m_printer.get());
  if (noTarget || !printer->IsAvailable()) {
    m_context.messageBox.Show(ToStdString(tr(kNoPrinterMessage)));
    return;
  }
  PrintTo(*printer, mode);
}

}  // namespace vx
