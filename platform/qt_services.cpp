// Qt back ends of the platform interfaces.
#include "platform/qt_services.h"

#include <QApplication>
#include <algorithm>
#include <cmath>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QMessageBox>
#include <QPageLayout>
#include <QPrinter>
#include <QStringList>
#include <QWindow>

#include <clocale>

#include "platform/atomic_file.h"
#include "platform/logic_texts.h"

namespace vx {

void InstallFontSubstitutions() {
  const QStringList installed = QFontDatabase::families();
  QStringList japanese;
  for (const char* candidate : {"IPAPGothic", "IPAGothic", "IPAexGothic", "Noto Sans CJK JP", "VL PGothic"}) {
    if (installed.contains(QString::fromUtf8(candidate))) japanese << QString::fromUtf8(candidate);
  }
  if (japanese.isEmpty()) return;
  for (const char* name : {"ＭＳ Ｐゴシック", "ＭＳ　Ｐゴシック", "ＭＳ ゴシック", "ＭＳ　ゴシック", "MS PGothic", "MS Gothic",
                           "ＭＳ 明朝", "ＭＳ　明朝", "MS UI Gothic"}) {
    QFont::insertSubstitutions(QString::fromUtf8(name), japanese);
  }
  QFont defaultFont = QApplication::font();
  defaultFont.setFamilies(QStringList{defaultFont.family()} + japanese);
  QApplication::setFont(defaultFont);
}

void KeepFileNumberFormat() { std::setlocale(LC_NUMERIC, "C"); }

QFont DesignFont(const QString& name, double pointSize) {
  QFont font(name);
  font.setPointSizeF(pointSize);
  return font;
}

QColor PaletteQColor(int index) {
  const PaletteColour c = PaletteEntry(index);
  return QColor(c.r, c.g, c.b);
}

ProgressSurface::ProgressSurface(QWidget* parent) : QWidget(parent) {
  setAutoFillBackground(true);
  setFont(DesignFont(QString::fromUtf8("ＭＳ Ｐゴシック"), 10));
}

namespace {

// Room around the text of a progress surface, in pixels.
constexpr int kSurfaceMargin = 4;
// Texts that may wrap at any character (Japanese has no blanks between words).
constexpr int kWrapFlags = Qt::AlignLeft | Qt::AlignTop | Qt::TextWrapAnywhere;

}  // namespace

void ProgressSurface::Print(const std::string& line) {
  m_lines << LogicText(line);
  GrowToText();
  update();
  // The work runs on the interface thread: show the line before it goes on.
  repaint();
}

void ProgressSurface::Clear() {
  m_lines.clear();
  update();
}

int ProgressSurface::TextHeight(int width) const {
  const QFontMetrics metrics(font());
  const int textWidth = std::max(1, width - 2 * kSurfaceMargin);
  int height = 2 * kSurfaceMargin;
  for (const QString& line : m_lines) {
    height += line.isEmpty() ? metrics.height()
                             : metrics.boundingRect(QRect(0, 0, textWidth, 1 << 20), kWrapFlags, line).height();
  }
  return height;
}

void ProgressSurface::GrowToText() {
  // Until it is shown the surface has no width of its own to wrap at.
  if (!isVisible()) return;
  if (m_floorHeight < 0) m_floorHeight = minimumHeight();  // the screen's own minimum
  const int wanted = std::max(m_floorHeight, TextHeight(width()));
  if (wanted != minimumHeight()) setMinimumHeight(wanted);
}

void ProgressSurface::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  GrowToText();
}

void ProgressSurface::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  GrowToText();
}

void ProgressSurface::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const QFontMetrics metrics(font());
  const int textWidth = std::max(1, width() - 2 * kSurfaceMargin);
  int y = kSurfaceMargin;
  for (const QString& line : m_lines) {
    QRect used;
    painter.drawText(QRect(kSurfaceMargin, y, textWidth, 1 << 20), kWrapFlags, line, &used);
    y += line.isEmpty() ? metrics.height() : used.height();
  }
}

namespace {

// The windows that last had the focus, latest last: when a dialog has just
// closed and the window system has not yet given the focus back, the box
// that follows still belongs to the window the operator was working in.
class FocusHistory : public QObject {
 public:
  static FocusHistory& Instance() {
    static FocusHistory* history = new FocusHistory(qApp);  // lives as long as the application
    return *history;
  }
  QWidget* Latest() const {
    for (auto it = m_windows.rbegin(); it != m_windows.rend(); ++it) {
      if (*it && (*it)->isVisible()) return it->data();
    }
    return nullptr;
  }

 private:
  static constexpr size_t kKept = 16;
  explicit FocusHistory(QObject* parent) : QObject(parent) {
    Add(QApplication::activeWindow());
    connect(qApp, &QGuiApplication::focusWindowChanged, this, [this](QWindow* window) {
      if (window == nullptr) return;
      for (QWidget* topLevel : QApplication::topLevelWidgets()) {
        if (topLevel->windowHandle() == window) Add(topLevel);
      }
    });
  }
  void Add(QWidget* window) {
    if (window == nullptr || (window->windowFlags() & Qt::Popup) == Qt::Popup) return;
    m_windows.erase(std::remove(m_windows.begin(), m_windows.end(), window), m_windows.end());
    m_windows.emplace_back(window);
    if (m_windows.size() > kKept) m_windows.erase(m_windows.begin());
  }
  std::vector<QPointer<QWidget>> m_windows;
};

}  // namespace

void FollowActiveWindows() { FocusHistory::Instance(); }

QWidget* DialogParent(QWidget* owner) {
  FocusHistory& history = FocusHistory::Instance();
  if (QWidget* modal = QApplication::activeModalWidget()) return modal;
  if (QWidget* active = QApplication::activeWindow()) return active;
  if (QWidget* latest = history.Latest()) return latest;
  return owner;
}

void QtMessageBox::Show(const std::string& text) {
  // On the heap: the window it belongs to may go while it is open, and takes
  // the box with it.
  QPointer<QMessageBox> box = new QMessageBox(QMessageBox::NoIcon, QString::fromUtf8("Vexline"), LogicText(text),
                                              QMessageBox::Ok, DialogParent(m_owner));
  box->exec();
  delete box.data();
}

QString QtFilterText(const std::string& filter) {
  const QStringList parts = ToQString(filter).split('|');
  QStringList entries;
  for (int i = 0; i + 1 < parts.size(); i += 2) {
    QString label = LogicText(parts[i]);
    const QString patterns = QString(parts[i + 1]).replace(';', ' ');
    if (!label.contains('(')) label += " (" + patterns + ")";
    entries << label;
  }
  if (entries.isEmpty() && !filter.empty()) entries << ToQString(filter);
  return entries.join(";;");
}

std::optional<std::string> QtFileDialog::AskOpen(const FileDialogRequest& request) {
  const QString path = QFileDialog::getOpenFileName(DialogParent(m_owner), LogicText(request.title), ToQString(request.initialPath),
                                                    QtFilterText(request.filter));
  if (path.isEmpty()) return std::nullopt;
  return ToStdString(path);
}

std::optional<std::string> QtFileDialog::AskSave(const FileDialogRequest& request) {
  const QString path = QFileDialog::getSaveFileName(DialogParent(m_owner), LogicText(request.title), ToQString(request.initialPath),
                                                    QtFilterText(request.filter));
  if (path.isEmpty()) return std::nullopt;
  return ToStdString(path);
}

namespace {

// The reach of a device: the device and as much again on every side (at least
// 100 units, for a device not laid out yet).
QRectF DeviceReach(double width, double height) {
  const double margin = std::max({width, height, 100.0});
  return QRectF(-margin, -margin, width + 2 * margin, height + 2 * margin);
}

}  // namespace

bool WithinDeviceReach(const QPointF& point, double deviceWidth, double deviceHeight) {
  const QRectF reach = DeviceReach(deviceWidth, deviceHeight);
  // Written so that NaN is outside.
  return point.x() >= reach.left() && point.x() <= reach.right() && point.y() >= reach.top() &&
         point.y() <= reach.bottom();
}

bool ClipToDeviceReach(QLineF& segment, double deviceWidth, double deviceHeight) {
  const QRectF reach = DeviceReach(deviceWidth, deviceHeight);
  QPointF a = segment.p1(), b = segment.p2();
  if (!std::isfinite(a.x()) || !std::isfinite(a.y()) || !std::isfinite(b.x()) || !std::isfinite(b.y())) return false;
  // One edge at a time: an end beyond it moves onto it, along the segment as
  // seen from the other end (from the end nearer to the device, so that ends
  // of 1e30 do not swallow the digits of the crossing).
  struct Edge {
    bool vertical;  // the edge x = bound; otherwise y = bound
    double bound;
    double side;    // +1: inside is coordinate >= bound; -1: <= bound
  };
  const Edge edges[4] = {{true, reach.left(), 1}, {true, reach.right(), -1}, {false, reach.top(), 1},
                         {false, reach.bottom(), -1}};
  for (const Edge& e : edges) {
    auto along = [&e](const QPointF& p) { return e.vertical ? p.x() : p.y(); };
    auto inside = [&e, &along](const QPointF& p) { return e.side * (along(p) - e.bound) >= 0; };
    auto cut = [&e, &along](const QPointF& from, const QPointF& to) {
      const double t = (e.bound - along(from)) / (along(to) - along(from));
      return e.vertical ? QPointF(e.bound, from.y() + (to.y() - from.y()) * t)
                        : QPointF(from.x() + (to.x() - from.x()) * t, e.bound);
    };
    const bool aInside = inside(a), bInside = inside(b);
    if (!aInside && !bInside) return false;
    if (!aInside) a = cut(b, a);
    if (!bInside) b = cut(a, b);
  }
  segment = QLineF(a, b);
  return true;
}

PainterSurface::PainterSurface(QPainter& painter, int pixelWidth, int pixelHeight)
    : m_painter(painter), m_width(pixelWidth), m_height(pixelHeight) {}

void PainterSurface::SetScale(double left, double top, double width, double height) {
  m_left = left;
  m_top = top;
  m_scaleWidth = width == 0 ? 1 : width;
  m_scaleHeight = height == 0 ? -1 : height;
}

QPointF PainterSurface::ToPixels(double x, double y) const {
  return QPointF((x - m_left) / m_scaleWidth * m_width, (y - m_top) / m_scaleHeight * m_height);
}

void PainterSurface::Clear() { m_painter.fillRect(0, 0, m_width, m_height, PaletteQColor(15)); }

void PainterSurface::SetColour(int paletteIndex) { m_colour = PaletteQColor(paletteIndex); }

void PainterSurface::Point(double x, double y) {
  const QPointF point = ToPixels(x, y);
  if (!WithinDeviceReach(point, m_width, m_height)) return;
  m_painter.setPen(QPen(m_colour, 1));
  m_painter.drawPoint(point);
}

void PainterSurface::Line(double x1, double y1, double x2, double y2) {
  QLineF segment(ToPixels(x1, y1), ToPixels(x2, y2));
  if (!ClipToDeviceReach(segment, m_width, m_height)) return;
  m_painter.setPen(QPen(m_colour, 1));
  m_painter.drawLine(segment);
}

void PainterSurface::Circle(double x, double y, double radius) {
  m_painter.setPen(QPen(m_colour, 1));
  m_painter.setBrush(Qt::NoBrush);
  const QPointF centre = ToPixels(x, y);
  const double rx = std::abs(radius / m_scaleWidth * m_width);
  const double ry = std::abs(radius / m_scaleHeight * m_height);
  // A circle that does not cross the device's reach (wholly beside it, or
  // round it) draws nothing there and is left out.
  const QRectF reach = DeviceReach(m_width, m_height);
  const double nearX = std::clamp(centre.x(), reach.left(), reach.right());
  const double nearY = std::clamp(centre.y(), reach.top(), reach.bottom());
  const double farX = std::max(std::abs(centre.x() - reach.left()), std::abs(centre.x() - reach.right()));
  const double farY = std::max(std::abs(centre.y() - reach.top()), std::abs(centre.y() - reach.bottom()));
  const double r = std::max(rx, ry);
  if (!std::isfinite(r) || !std::isfinite(centre.x()) || !std::isfinite(centre.y())) return;
  if (std::hypot(centre.x() - nearX, centre.y() - nearY) > r || std::hypot(farX, farY) < std::min(rx, ry)) return;
  m_painter.drawEllipse(centre, rx, ry);
}

BatchedPainterSurface::BatchedPainterSurface(QPainter& painter, int pixelWidth, int pixelHeight)
    : m_direct(painter, pixelWidth, pixelHeight), m_painter(painter), m_width(pixelWidth), m_height(pixelHeight) {
  m_lines.reserve(kRunLength);
  m_points.reserve(kRunLength);
}

BatchedPainterSurface::~BatchedPainterSurface() { Flush(); }

void BatchedPainterSurface::SetScale(double left, double top, double width, double height) {
  m_direct.SetScale(left, top, width, height);
}

void BatchedPainterSurface::Clear() {
  m_lines.clear();
  m_points.clear();
  m_direct.Clear();
}

void BatchedPainterSurface::SetColour(int paletteIndex) { m_colour = paletteIndex; }

void BatchedPainterSurface::Point(double x, double y) {
  if (m_pointColour != m_colour || m_points.size() >= kRunLength) DrawPoints();
  m_pointColour = m_colour;
  const QPointF point = m_direct.ToPixels(x, y);
  if (WithinDeviceReach(point, m_width, m_height)) m_points.push_back(point);
}

void BatchedPainterSurface::Line(double x1, double y1, double x2, double y2) {
  if (m_lineColour != m_colour || m_lines.size() >= kRunLength) DrawLines();
  m_lineColour = m_colour;
  QLineF segment(m_direct.ToPixels(x1, y1), m_direct.ToPixels(x2, y2));
  if (ClipToDeviceReach(segment, m_width, m_height)) m_lines.push_back(segment);
}

void BatchedPainterSurface::Circle(double x, double y, double radius) {
  Flush();
  m_direct.SetColour(m_colour);
  m_direct.Circle(x, y, radius);
}

void BatchedPainterSurface::DrawLines() {
  if (m_lines.empty()) return;
  m_painter.setPen(QPen(PaletteQColor(m_lineColour), 1));
  m_painter.drawLines(m_lines.data(), static_cast<int>(m_lines.size()));
  m_lines.clear();
}

void BatchedPainterSurface::DrawPoints() {
  if (m_points.empty()) return;
  m_painter.setPen(QPen(PaletteQColor(m_pointColour), 1));
  m_painter.drawPoints(m_points.data(), static_cast<int>(m_points.size()));
  m_points.clear();
}

void BatchedPainterSurface::Flush() {
  DrawLines();
  DrawPoints();
}

QtPrinter::QtPrinter() = default;

QtPrinter::~QtPrinter() {
  if (m_painter && m_painter->isActive()) m_painter->end();
}

std::unique_ptr<QtPrinter> QtPrinter::ToPdf(const std::string& pdfPath) {
  std::unique_ptr<QtPrinter> printer(new QtPrinter());
  printer->m_owned = std::make_unique<QPrinter>(QPrinter::HighResolution);
  printer->m_printer = printer->m_owned.get();
  printer->m_pdfPath = pdfPath;
  printer->m_printer->setOutputFormat(QPrinter::PdfFormat);
  printer->m_printer->setPageSize(QPageSize(QPageSize::A4));
  // The PDF is written beside the target first and renamed at the end.
  const QFileInfo info(ToQString(pdfPath));
  printer->m_printer->setOutputFileName(info.absolutePath() + "/." + info.fileName() + ".vxtmp");
  return printer;
}

std::unique_ptr<QtPrinter> QtPrinter::ToPrinter(QPrinter* systemPrinter) {
  std::unique_ptr<QtPrinter> printer(new QtPrinter());
  printer->m_printer = systemPrinter;
  return printer;
}

bool QtPrinter::IsAvailable() const {
  if (m_printer == nullptr) return false;
  if (!m_pdfPath.empty()) return QFileInfo(QFileInfo(ToQString(m_pdfPath)).absolutePath()).isWritable();
  return m_printer->isValid();
}

void QtPrinter::SetLandscape(bool landscape) {
  m_landscape = landscape;
  if (!m_painter) m_printer->setPageOrientation(landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
}

bool QtPrinter::Begin() {
  if (m_painter) return m_painter->isActive();
  if (m_failed) return false;
  m_printer->setPageOrientation(m_landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
  m_painter = std::make_unique<QPainter>();
  if (!m_painter->begin(m_printer)) {
    m_failed = true;
    return false;
  }
  m_font = DesignFont(QString::fromUtf8("ＭＳ Ｐゴシック"), 10);
  m_painter->setFont(QFont(m_font, m_printer));
  return true;
}

void QtPrinter::SetScale(double left, double top, double width, double height) {
  m_left = left;
  m_top = top;
  m_width = width;
  m_height = height;
}

QPointF QtPrinter::ToDevice(double x, double y) const {
  const QRectF page = m_printer->pageLayout().fullRectPixels(m_printer->resolution());
  const double pixelsPerMm = m_printer->resolution() / 25.4;
  // Unscaled: millimetres from the top-left corner of the printable area.
  if (m_width == 0 || m_height == 0) return QPointF(x * pixelsPerMm, y * pixelsPerMm);
  const QRectF paint = m_printer->pageLayout().paintRectPixels(m_printer->resolution());
  (void)page;
  return QPointF((x - m_left) / m_width * paint.width(), (y - m_top) / m_height * paint.height());
}

void QtPrinter::SetColour(int paletteIndex) { m_colour = PaletteQColor(paletteIndex); }

void QtPrinter::Point(double x, double y) {
  if (!Begin()) return;
  const QRectF paint = m_printer->pageLayout().paintRectPixels(m_printer->resolution());
  const QPointF point = ToDevice(x, y);
  if (!WithinDeviceReach(point, paint.width(), paint.height())) return;
  m_painter->setPen(QPen(m_colour, 0));
  m_painter->drawPoint(point);
}

void QtPrinter::Line(double x1, double y1, double x2, double y2) {
  if (!Begin()) return;
  const QRectF paint = m_printer->pageLayout().paintRectPixels(m_printer->resolution());
  QLineF segment(ToDevice(x1, y1), ToDevice(x2, y2));
  if (!ClipToDeviceReach(segment, paint.width(), paint.height())) return;
  m_painter->setPen(QPen(m_colour, 0));
  m_painter->drawLine(segment);
}

void QtPrinter::SetFont(const std::string& name, double sizePoints) {
  m_font = DesignFont(ToQString(name), sizePoints);
  if (m_painter && m_painter->isActive()) m_painter->setFont(QFont(m_font, m_printer));
}

void QtPrinter::Text(double x, double y, const std::string& text) {
  if (!Begin()) return;
  m_painter->setFont(QFont(m_font, m_printer));
  m_painter->setPen(QPen(Qt::black, 0));
  const QFontMetricsF metrics(m_painter->font(), m_printer);
  const QPointF topLeft = ToDevice(x, y);
  m_painter->drawText(QPointF(topLeft.x(), topLeft.y() + metrics.ascent()), ToQString(text));
  m_lineY = topLeft.y() + metrics.height();
}

void QtPrinter::TextLine(const std::string& text) {
  if (!Begin()) return;
  m_painter->setFont(QFont(m_font, m_printer));
  m_painter->setPen(QPen(Qt::black, 0));
  const QFontMetricsF metrics(m_painter->font(), m_printer);
  const QRectF paint = m_printer->pageLayout().paintRectPixels(m_printer->resolution());
  if (m_lineY + metrics.height() > paint.height()) {
    m_printer->newPage();
    m_lineY = 0;
  }
  m_painter->drawText(QPointF(0, m_lineY + metrics.ascent()), ToQString(text));
  m_lineY += metrics.height();
}

void QtPrinter::Abort() {
  if (m_painter && m_painter->isActive()) {
    if (m_pdfPath.empty()) m_printer->abort();
    m_painter->end();
  }
  m_failed = true;
  if (!m_pdfPath.empty()) QFile::remove(m_printer->outputFileName());
}

bool QtPrinter::EndDocument() {
  if (!Begin()) return false;
  const bool ended = m_painter->end();
  if (m_pdfPath.empty()) return ended;
  const std::string temp = ToStdString(m_printer->outputFileName());
  std::string bytes;
  const bool ok = ended && ReadWholeFile(temp, bytes) && !bytes.empty() && WriteFileAtomically(m_pdfPath, bytes);
  QFile::remove(ToQString(temp));
  return ok;
}

void QtPrinter::SaveSettings() {
  // Before the page begins the printer itself holds the orientation chosen in its setup.
  const bool landscape = m_painter && m_painter->isActive()
                             ? m_landscape
                             : m_printer->pageLayout().orientation() == QPageLayout::Landscape;
  m_saved = Settings{landscape, m_left, m_top, m_width, m_height, m_font,
                     m_printer->pageLayout().margins(QPageLayout::Millimeter)};
}

void QtPrinter::SetPrintableArea(double widthMm, double heightMm) {
  if (m_painter && m_painter->isActive()) return;
  const QSizeF page = m_printer->pageLayout().fullRect(QPageLayout::Millimeter).size();
  const double x = std::max(0.0, (page.width() - widthMm) / 2);
  const double y = std::max(0.0, (page.height() - heightMm) / 2);
  m_printer->setPageMargins(QMarginsF(x, y, x, y), QPageLayout::Millimeter);
}

void QtPrinter::RestoreSettings() {
  if (!m_saved) return;
  m_left = m_saved->left;
  m_top = m_saved->top;
  m_width = m_saved->width;
  m_height = m_saved->height;
  m_font = m_saved->font;
  // The orientation of a page already begun cannot change; the next one takes it.
  m_landscape = m_saved->landscape;
  if (!m_painter || !m_painter->isActive()) {
    m_printer->setPageOrientation(m_landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
    m_printer->setPageMargins(m_saved->margins, QPageLayout::Millimeter);
  }
  m_saved.reset();
}

}  // namespace vx
