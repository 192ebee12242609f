// The geometry calculator screen: input grid, answers, guide and drawing area.
#include "calculator/form_calcu.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QVBoxLayout>
#include <algorithm>
#include <functional>

#include "calculator/calculator_guide.h"
#include "platform/logic_texts.h"
#include "platform/qt_services.h"
#include "shell/field_marks.h"

namespace vx {
namespace {

constexpr int kTwipsPerPixel = 15;  // at 96 dots per inch
constexpr const char* kGridHeader =
    "      [  X  ]        [  Y  ]    [  D  ]      [  A  ]        [  B  ]      [  C  ]     [  R  ]    [ S ]";
constexpr int kStatusPanelTwips = 4000;
constexpr int kMinDrawingHeight = 120;  // pixels the splitter keeps for the drawing
// The smallest window: the band scrolls inside it.
constexpr int kMinWindowWidth = 360;
constexpr int kMinWindowHeight = 300;
// Share of the screen's free area the window takes at most when it opens.
constexpr double kScreenShare = 0.9;

// The drawing area with its scroll bars and status bar, laid out by the form
// whenever its size changes.
class Pane : public QWidget {
 public:
  explicit Pane(QWidget* parent) : QWidget(parent) {}
  std::function<void()> onResize;

 protected:
  void resizeEvent(QResizeEvent* event) override {
    QWidget::resizeEvent(event);
    if (onResize) onResize();
  }
};

QLineEdit* NewField(QWidget* parent, const char* name, int row) {
  auto* field = new QLineEdit(parent);
  field->setObjectName(QString("%1(%2)").arg(name).arg(row));
  return field;
}

QLabel* NewAnswer(QWidget* parent, const char* name, int width) {
  auto* label = new QLabel(parent);
  label->setObjectName(name);
  label->setFrameShape(QFrame::Panel);
  label->setFrameShadow(QFrame::Sunken);
  label->setMinimumWidth(width);
  label->setTextInteractionFlags(Qt::TextSelectableByMouse);
  return label;
}

}  // namespace

CalcPicture::CalcPicture(Form_calcu& form, QWidget* parent) : QWidget(parent), m_form(form) {
  setObjectName("Picture1");
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void CalcPicture::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  m_form.CalcRedraw(painter, width(), height());
}

Form_calcu::Form_calcu() {
  setObjectName("Form_calcu");
  setWindowTitle(tr("calculate"));
  setAttribute(Qt::WA_DeleteOnClose);
  BuildBand();
  BuildDrawingArea();
  for (const std::string& line : CalcGuideLines()) List1->addItem(LogicText(line));
  List1->setCurrentRow(kGuideStartIndex);
  m_calc.ClearAnswers();
  ShowGrid(m_calc.grid);
  ShowAnswers(m_calc.answers);

  BandArea = new QScrollArea(this);
  BandArea->setObjectName("BandArea");
  BandArea->setWidget(m_band);
  BandArea->setWidgetResizable(true);
  BandArea->setFrameShape(QFrame::NoFrame);
  Splitter = new QSplitter(Qt::Vertical, this);
  Splitter->setObjectName("Splitter");
  Splitter->addWidget(BandArea);
  Splitter->addWidget(DrawingPane);
  Splitter->setStretchFactor(0, 0);
  Splitter->setStretchFactor(1, 1);
  Splitter->setCollapsible(1, false);
  DrawingPane->setMinimumHeight(kMinDrawingHeight);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(Splitter);
  setMinimumSize(kMinWindowWidth, kMinWindowHeight);

  // The whole band and a drawing below it when the screen has room; at most
  // nine tenths of the screen's free area otherwise (1366 x 768 at 100 %,
  // 1920 x 1080 at 200 % both hold the window).
  const QSize band = m_band->sizeHint();
  QSize wanted(band.width() + BandArea->verticalScrollBar()->sizeHint().width() + 8, band.height() + 380);
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    const QSize room = screen->availableGeometry().size() * kScreenShare;
    wanted = wanted.boundedTo(room).expandedTo(QSize(kMinWindowWidth, kMinWindowHeight));
  }
  resize(wanted);
  connect(Splitter, &QSplitter::splitterMoved, this, [this] { m_splitMoved = true; });
  m_loading = false;
  FitBand();
  LayOut();
}

void Form_calcu::FitBand() {
  if (m_splitMoved || m_loading) return;
  int needed = m_band->sizeHint().height();
  if (m_band->minimumSizeHint().width() > width()) needed += BandArea->horizontalScrollBar()->sizeHint().height();
  const int room = height() - Splitter->handleWidth();
  const int band = std::max(0, std::min(needed, room - kMinDrawingHeight));
  Splitter->setSizes({band, std::max(kMinDrawingHeight, room - band)});
}

void Form_calcu::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  FitBand();
}

void Form_calcu::BuildBand() {
  m_band = new QWidget(this);
  auto* outer = new QHBoxLayout(m_band);
  auto* left = new QVBoxLayout;
  outer->addLayout(left);

  auto* header = new QLabel(ToQString(kGridHeader), m_band);
  header->setObjectName("Label2");
  QFont fixedPitch("monospace");
  fixedPitch.setStyleHint(QFont::TypeWriter);
  header->setFont(fixedPitch);
  left->addWidget(header);
  // The fields sit under the brackets of the header: column boundaries in
  // characters of the header's fixed-pitch font.
  constexpr int kColumnEdges[] = {0, 17, 30, 42, 56, 70, 83, 94, 102};
  const int charWidth = QFontMetrics(header->font()).horizontalAdvance(' ');
  const int rowHeight = QLineEdit().sizeHint().height();
  auto* grid = new QWidget(m_band);
  grid->setFixedSize(kColumnEdges[8] * charWidth, 3 * (rowHeight + 3));
  left->addWidget(grid);
  for (int r = 0; r < 3; ++r) {
    std::array<QLineEdit*, 3>* columns[] = {&inpX, &inpY, &inpD, &inpA, &inpB, &inpC, &inpR, &inpS};
    const char* names[] = {"inpX", "inpY", "inpD", "inpA", "inpB", "inpC", "inpR", "inpS"};
    for (int c = 0; c < 8; ++c) {
      QLineEdit* field = NewField(grid, names[c], r);
      field->setGeometry(kColumnEdges[c] * charWidth + 2, r * (rowHeight + 3),
                         (kColumnEdges[c + 1] - kColumnEdges[c]) * charWidth - 4, rowHeight);
      (*columns[c])[r] = field;
    }
  }

  auto* buttons = new QHBoxLayout;
  left->addLayout(buttons);
  butStart = new QPushButton(tr("計算"), m_band);
  butStart->setObjectName("butStart");
  butCLR = new QPushButton(tr("クリア"), m_band);
  butCLR->setObjectName("butCLR");
  buttons->addWidget(butStart);
  buttons->addWidget(butCLR);
  Slider1 = new QSlider(Qt::Horizontal, m_band);
  Slider1->setObjectName("Slider1");
  Slider1->setRange(0, CalcView::kZoomMax);
  Slider1->setSingleStep(10);
  Slider1->setPageStep(20);
  Slider1->setValue(100);
  Label1 = new QLabel("100%", m_band);
  Label1->setObjectName("Label1");
  Label1->setMinimumWidth(50);
  buttons->addStretch();

  auto* answers = new QGridLayout;
  left->addLayout(answers);
  struct AnswerSlot {
    const char* caption;
    const char* name;
    QLabel** label;
  };
  const AnswerSlot answerSlots[] = {{"X", "ansX", &ansX}, {"Y", "ansY", &ansY}, {"A", "ansA", &ansA}, {"R", "ansR", &ansR}};
  int col = 0;
  for (const AnswerSlot& entry : answerSlots) {
    answers->addWidget(new QLabel(entry.caption, m_band), 0, col++, Qt::AlignRight);
    answers->addWidget(*entry.label = NewAnswer(m_band, entry.name, 110), 0, col++);
  }
  answers->addWidget(ansRem = NewAnswer(m_band, "ansRem", 300), 1, 1, 1, col - 1);
  // The zoom of the drawing area below.
  auto* zoom = new QHBoxLayout;
  left->addLayout(zoom);
  zoom->addWidget(Slider1, 1);
  zoom->addWidget(Label1);

  auto* guide = new QVBoxLayout;
  outer->addLayout(guide);
  auto* guideTitle = new QLabel(tr("入力データガイド"), m_band);
  guideTitle->setObjectName("Label3");
  guide->addWidget(guideTitle);
  List1 = new QListWidget(m_band);
  List1->setObjectName("List1");
  List1->setMinimumWidth(220);
  List1->setFixedHeight(150);
  guide->addWidget(List1);
  guide->addStretch();

  connect(butStart, &QPushButton::clicked, this, [this] { butStart_Click(); });
  connect(butCLR, &QPushButton::clicked, this, [this] { butCLR_Click(); });
  connect(Slider1, &QSlider::valueChanged, this, [this](int value) { Slider1_Change(value); });
}

void Form_calcu::BuildDrawingArea() {
  auto* pane = new Pane(this);
  pane->setObjectName("DrawingPane");
  pane->onResize = [this] { LayOut(); };
  DrawingPane = pane;
  Picture1 = new CalcPicture(*this, DrawingPane);
  HScroll1 = new QScrollBar(Qt::Horizontal, DrawingPane);
  HScroll1->setObjectName("HScroll1");
  VScroll1 = new QScrollBar(Qt::Vertical, DrawingPane);
  VScroll1->setObjectName("VScroll1");
  for (QScrollBar* bar : {HScroll1, VScroll1}) {
    bar->setRange(0, CalcView::kScrollMax);
    bar->setPageStep(10);
  }
  HScroll1->setValue(CalcView::kStartH);
  VScroll1->setValue(CalcView::kStartV);
  StatusBar1 = new QStatusBar(DrawingPane);
  StatusBar1->setObjectName("StatusBar1");
  StatusBar1->setSizeGripEnabled(false);
  StatusPanel1 = new QLabel(StatusBar1);
  StatusPanel1->setMinimumWidth(kStatusPanelTwips / kTwipsPerPixel);
  StatusBar1->addWidget(StatusPanel1);
  connect(HScroll1, &QScrollBar::valueChanged, this, [this] { Scroll_Change(); });
  connect(VScroll1, &QScrollBar::valueChanged, this, [this] { Scroll_Change(); });
}

void Form_calcu::LayOut() {
  if (m_loading || isMinimized()) return;
  // The drawing pane below the splitter: picture, scroll bars, status bar.
  const int paneWidth = DrawingPane->width();
  const int paneHeight = DrawingPane->height();
  const int statusHeight = StatusBar1->sizeHint().height();
  const int scrollHeight = HScroll1->sizeHint().height();
  const int scrollWidth = VScroll1->sizeHint().width();
  const int pictureWidth = std::max(1, paneWidth - scrollWidth);
  const int pictureHeight = std::max(1, paneHeight - scrollHeight - statusHeight);
  Picture1->setGeometry(0, 0, pictureWidth, pictureHeight);
  HScroll1->setGeometry(0, pictureHeight, pictureWidth, scrollHeight);
  VScroll1->setGeometry(pictureWidth, 0, scrollWidth, pictureHeight);
  StatusBar1->setGeometry(0, paneHeight - statusHeight, paneWidth, statusHeight);
  Label1->setText(QString::number(Slider1->value()) + "%");
  m_view.pictureWidthTwips = pictureWidth * kTwipsPerPixel;
  m_view.pictureHeightTwips = pictureHeight * kTwipsPerPixel;
}

void Form_calcu::mousePressEvent(QMouseEvent* event) {
  QWidget::mousePressEvent(event);
  Picture1->update();
}

CalcGrid Form_calcu::GridFromControls() const {
  CalcGrid grid;
  for (int r = 0; r < 3; ++r) {
    grid[r] = CalcGridRow{ToStdString(inpX[r]->text()), ToStdString(inpY[r]->text()),
                          ToStdString(inpD[r]->text()), ToStdString(inpA[r]->text()),
                          ToStdString(inpB[r]->text()), ToStdString(inpC[r]->text()),
                          ToStdString(inpR[r]->text()), ToStdString(inpS[r]->text())};
  }
  return grid;
}

CalcAnswers Form_calcu::AnswersFromLabels() const {
  return CalcAnswers{ToStdString(ansX->text()), ToStdString(ansY->text()), ToStdString(ansA->text()),
                     ToStdString(ansR->text()), ToStdString(ansRem->text())};
}

void Form_calcu::ShowGrid(const CalcGrid& grid) {
  for (int r = 0; r < 3; ++r) {
    inpX[r]->setText(ToQString(grid[r].inpX));
    inpY[r]->setText(ToQString(grid[r].inpY));
    inpD[r]->setText(ToQString(grid[r].inpD));
    inpA[r]->setText(ToQString(grid[r].inpA));
    inpB[r]->setText(ToQString(grid[r].inpB));
    inpC[r]->setText(ToQString(grid[r].inpC));
    inpR[r]->setText(ToQString(grid[r].inpR));
    inpS[r]->setText(ToQString(grid[r].inpS));
  }
}

void Form_calcu::ShowAnswers(const CalcAnswers& answers) {
  ansX->setText(ToQString(answers.ansX));
  ansY->setText(ToQString(answers.ansY));
  ansA->setText(ToQString(answers.ansA));
  ansR->setText(ToQString(answers.ansR));
  ansRem->setText(LogicText(answers.ansRem));
}

void Form_calcu::butStart_Click() {
  m_calc.grid = GridFromControls();
  m_calc.Calculate();
  ShowAnswers(m_calc.answers);
  MarkNonNumberField();
  Picture1->update();
}

void Form_calcu::butCLR_Click() {
  m_calc.Clear();
  ShowGrid(m_calc.grid);
  ShowAnswers(m_calc.answers);
  MarkNonNumberField();
  // The old input and answer go from the drawing with the texts.
  Picture1->update();
}

QLineEdit* Form_calcu::Field(const CalcField& field) const {
  const size_t r = static_cast<size_t>(field.row);
  switch (field.column) {
    case 'X': return inpX[r];
    case 'Y': return inpY[r];
    case 'A': return inpA[r];
    case 'B': return inpB[r];
    case 'C': return inpC[r];
    case 'R': return inpR[r];
    case 'S': return inpS[r];
    default: return inpD[r];
  }
}

void Form_calcu::MarkNonNumberField() {
  if (m_marked != nullptr) MarkField(m_marked, FieldProblem::kNone, QString());
  m_marked = nullptr;
  if (!m_calc.nonNumberField) return;
  m_marked = Field(*m_calc.nonNumberField);
  MarkField(m_marked, FieldProblem::kNotNumber, ToQString(NonNumberMessage(*m_calc.nonNumberField)));
  m_marked->setFocus();
}

void Form_calcu::Scroll_Change() {
  if (m_loading) return;
  m_view.hScroll = HScroll1->value();
  m_view.vScroll = VScroll1->value();
  StatusPanel1->setText(ToQString(CalcStatusText(m_view)));
  Picture1->update();
}

void Form_calcu::Slider1_Change(int value) {
  if (value == 0) {
    Slider1->setValue(CalcView::kZoomMin);  // runs this handler again
    return;
  }
  Label1->setText(QString::number(value) + "%");
  m_view.zoomPercent = value;
  LayOut();
  Picture1->update();
}

void Form_calcu::CalcRedraw(QPainter& painter, int pixelWidth, int pixelHeight) {
  CalcView view = m_view;
  view.pictureWidthTwips = pixelWidth * kTwipsPerPixel;
  view.pictureHeightTwips = pixelHeight * kTwipsPerPixel;
  PainterSurface surface(painter, pixelWidth, pixelHeight);
  vx::CalcRedraw(surface, view, GridFromControls(), AnswersFromLabels());
}

}  // namespace vx
