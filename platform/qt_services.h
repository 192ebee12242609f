// Qt back ends of the platform interfaces.
#pragma once

#include <QFont>
#include <QPainter>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QWidget>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/file_dialog.h"
#include "platform/message_box.h"
#include "platform/printer.h"
#include "platform/progress_lines.h"
#include "platform/surface.h"

class QPrinter;

namespace vx {

// Maps the design's font names ("ＭＳ Ｐゴシック", "ＭＳ　Ｐゴシック", ...) to the
// installed Japanese font. Call once after the application object exists.
void InstallFontSubstitutions();

// Numbers in files and NC programs are written and read with a decimal
// point whatever the operator's language: the application object sets the C
// library's locale from the environment (a German or French one writes
// "1,5"), so the number part of it is set back to "C". Call once after the
// application object exists.
void KeepFileNumberFormat();

// The font a design name stands for.
QFont DesignFont(const QString& name, double pointSize);

QColor PaletteQColor(int index);

inline QString ToQString(const std::string& s) { return QString::fromUtf8(s.c_str(), static_cast<int>(s.size())); }
inline std::string ToStdString(const QString& s) { return s.toUtf8().toStdString(); }

// A screen's own surface for progress lines: text printed line below line.
// A line longer than the surface is wide goes on over the next lines, and
// the surface grows to show every line it holds (never below the minimum
// height its screen gave it).
class ProgressSurface : public QWidget, public ProgressLines {
 public:
  explicit ProgressSurface(QWidget* parent = nullptr);
  void Print(const std::string& line) override;
  void Clear() override;
  const QStringList& Lines() const { return m_lines; }
  // The height, in pixels, that every line takes at the given width.
  int TextHeight(int width) const;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  void GrowToText();
  QStringList m_lines;
  int m_floorHeight = -1;  // the minimum height the screen gave, taken when first shown
};

// The window a dialog of the program belongs to: the window the operator is
// working in (the active one, or the top modal dialog), else the given owner.
// A box owned by another window would be centred on it and raise it above
// the screen the operator is looking at.
QWidget* DialogParent(QWidget* owner);
// Starts following which window the operator works in (for DialogParent);
// call once after the application object exists (DialogParent starts it too).
void FollowActiveWindows();

// A modal box with an OK button, shown over the active window (over the
// given owner when no window of the program is active).
class QtMessageBox : public MessageBox {
 public:
  explicit QtMessageBox(QWidget* owner = nullptr) : m_owner(owner) {}
  void SetOwner(QWidget* owner) { m_owner = owner; }
  void Show(const std::string& text) override;

 private:
  QPointer<QWidget> m_owner;
};

class QtFileDialog : public FileDialog {
 public:
  explicit QtFileDialog(QWidget* owner = nullptr) : m_owner(owner) {}
  std::optional<std::string> AskOpen(const FileDialogRequest& request) override;
  std::optional<std::string> AskSave(const FileDialogRequest& request) override;

 private:
  QPointer<QWidget> m_owner;
};

// Converts the "Text (*.a)|*.a|..." filter form into Qt's "Text (*.a);;..." form.
QString QtFilterText(const std::string& filter);

// The part of a segment in device units that lies within the reach of a
// device of the given size: the device and as much again on every side. Qt's
// engines take device coordinates to integers, so nothing farther reaches
// them; what is drawn on the device itself does not change. False when no
// part of the segment lies within the reach (or it is not a number).
bool ClipToDeviceReach(QLineF& segment, double deviceWidth, double deviceHeight);
// True when a point in device units lies within that reach.
bool WithinDeviceReach(const QPointF& point, double deviceWidth, double deviceHeight);

// Draws on a QPainter whose device is `pixelWidth` x `pixelHeight` pixels, with
// the user window given by SetScale. The painter must outlive the surface.
class PainterSurface : public Surface {
 public:
  PainterSurface(QPainter& painter, int pixelWidth, int pixelHeight);
  void SetScale(double left, double top, double width, double height) override;
  void Clear() override;
  void SetColour(int paletteIndex) override;
  void Point(double x, double y) override;
  void Line(double x1, double y1, double x2, double y2) override;
  void Circle(double x, double y, double radius) override;
  QPointF ToPixels(double x, double y) const;

 private:
  QPainter& m_painter;
  int m_width, m_height;
  double m_left = 0, m_top = 0, m_scaleWidth = 1, m_scaleHeight = -1;
  QColor m_colour = Qt::black;
};

// A PainterSurface for drawings of many thousand segments: lines and points
// are collected and drawn in runs of one colour with one pen (a run ends when
// the colour changes, when it is long, and at Flush); a point may come out after
// lines drawn later than it. The destructor flushes. The painter must outlive
// the surface.
class BatchedPainterSurface : public Surface {
 public:
  BatchedPainterSurface(QPainter& painter, int pixelWidth, int pixelHeight);
  ~BatchedPainterSurface() override;
  void SetScale(double left, double top, double width, double height) override;
  void Clear() override;
  void SetColour(int paletteIndex) override;
  void Point(double x, double y) override;
  void Line(double x1, double y1, double x2, double y2) override;
  void Circle(double x, double y, double radius) override;
  void Flush();

 private:
  static constexpr size_t kRunLength = 4096;
  void DrawLines();
  void DrawPoints();

  PainterSurface m_direct;
  QPainter& m_painter;
  int m_width, m_height;
  int m_colour = 0;
  int m_lineColour = 0;
  int m_pointColour = 0;
  std::vector<QLineF> m_lines;
  std::vector<QPointF> m_points;
};

// The printer on Qt: the system printer chosen in the print dialog, or a PDF
// file. Coordinates are millimetres within the user window set by SetScale.
class QtPrinter : public Printer {
 public:
  // Prints to a PDF file at pdfPath.
  static std::unique_ptr<QtPrinter> ToPdf(const std::string& pdfPath);
  // Prints on the given (already set up) system printer; not owned.
  static std::unique_ptr<QtPrinter> ToPrinter(QPrinter* printer);
  ~QtPrinter() override;

  bool IsAvailable() const override;
  void SetLandscape(bool landscape) override;
  void SetScale(double left, double top, double width, double height) override;
  void SetColour(int paletteIndex) override;
  void Point(double x, double y) override;
  void Line(double x1, double y1, double x2, double y2) override;
  void SetFont(const std::string& name, double sizePoints) override;
  void Text(double x, double y, const std::string& text) override;
  void TextLine(const std::string& text) override;
  bool EndDocument() override;
  void Abort() override;
  void SaveSettings() override;
  void RestoreSettings() override;
  void SetPrintableArea(double widthMm, double heightMm) override;

 private:
  QtPrinter();
  bool Begin();
  QPointF ToDevice(double x, double y) const;

  std::unique_ptr<QPrinter> m_owned;
  QPrinter* m_printer = nullptr;
  std::unique_ptr<QPainter> m_painter;
  std::string m_pdfPath;
  bool m_landscape = false;
  bool m_failed = false;
  double m_left = 0, m_top = 0, m_width = 0, m_height = 0;  // 0: unscaled millimetres
  QColor m_colour = Qt::black;
  QFont m_font;
  double m_lineY = 0;  // next listing line, device units from the top margin
  struct Settings {
    bool landscape = false;
    double left = 0, top = 0, width = 0, height = 0;
    QFont font;
    QMarginsF margins;
  };
  std::optional<Settings> m_saved;
};

}  // namespace vx
