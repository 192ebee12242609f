// The contour view screen Form_graph: control band, drawing area, scroll bars,
// status bar and menus over the window-free ContourView.
#pragma once

#include <QAction>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QPushButton>
#include <QScrollBar>
#include <QSlider>
#include <QStatusBar>
#include <QWidget>
#include <functional>
#include <map>
#include <memory>
#include <optional>

#include "display/contour_view.h"
#include "shell/app_context.h"

class QPrinter;

namespace vx {

// The drawing area Picture1: shows the last drawing and reports the mouse. A
// press and release in place is a click (reported at the release, at the
// press position); a press moved further than the drag distance is a drag,
// during which the last drawing is shown moved along, reported once at the
// release with the whole movement in pixels.
class GraphPicture : public QWidget {
 public:
  explicit GraphPicture(QWidget* parent);
  QImage& Image() { return m_image; }
  // Makes the image the widget's size in the screen's own pixels.
  void FitImage();
  bool Dragging() const { return m_dragging; }
  // How far the drawing has been dragged so far, in pixels.
  QPointF DragOffset() const { return m_dragBy; }
  std::function<void(QPointF)> onMouseDown;       // a click
  std::function<void(QPointF)> onDrag;            // a drag, ended: the movement
  std::function<void(QPointF, int)> onWheel;      // the cursor and the wheel's angle (1/8 degree)
  std::function<void(std::optional<QPointF>)> onCursor;  // the cursor moved, or left the area

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void leaveEvent(QEvent* event) override;

 private:
  QImage m_image;
  bool m_pressed = false;
  bool m_dragging = false;
  QPointF m_pressAt;
  QPointF m_dragBy;
};

class Form_graph : public QMainWindow {
  Q_OBJECT

 public:
  explicit Form_graph(AppContext& context);
  ~Form_graph() override;

  // Controls, named as the screen's design names them.
  QLabel* OffsetCaption = nullptr;
  QLineEdit* Text1 = nullptr;
  QSlider* Slider1 = nullptr;
  QLabel* Label1 = nullptr;
  QPushButton* Command2 = nullptr;
  QPushButton* Command1 = nullptr;
  QLabel* PerimeterCaption = nullptr;
  QLabel* Label4 = nullptr;
  QLabel* UnitCaption = nullptr;
  GraphPicture* Picture1 = nullptr;
  QScrollBar* HScroll1 = nullptr;
  QScrollBar* VScroll1 = nullptr;
  QStatusBar* StatusBar1 = nullptr;
  QLabel* StatusPanel1 = nullptr;
  QLabel* CursorPanel = nullptr;     // world coordinates under the cursor
  QLabel* ChainsPanel = nullptr;     // the length of each chain when there are several
  QLabel* NoticeLabel = nullptr;     // over the drawing: the contour file is not the one asked for
  // Menu control arrays by index: menufile 6, 7, 8 (separator), 9; menuview 0,
  // 2, 9 (the zoom submenu); menuzoom 0 (shrink), 1 (enlarge).
  std::map<int, QAction*> menufile, menuview, menuzoom;
  QAction* helpVersion = nullptr;
  QAction* printFitted = nullptr;  // file menu: the sheet fitted to the page
  QAction* fitToWindow = nullptr;  // zoom menu: the whole drawing in the window (Ctrl+F, Home)

  ContourView& View() { return m_view; }

  // Reloads the contour file, places every piece and draws it.
  void Redraw();
  // Prints the sheet on printer; shows a message when the output fails or the
  // offset box holds no number. Returns whether the sheet was printed.
  bool PrintTo(Printer& printer, SheetScale mode = SheetScale::kTrueScale);
  // The print menu items: the printer chosen in the printer setup (or the
  // default one); a message instead when no printer can be used.
  void menufile_Print(SheetScale mode = SheetScale::kTrueScale);
  // The whole drawing in the window.
  void FitToWindow();
  // What the perimeter lists say of every chain ("1: 60  2: 45.3"), as many
  // entries as fit in widthPixels of the panel's font, then how many are left.
  QString ChainsText(int widthPixels) const;

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  void BuildControlBand(QWidget* inner);
  void BuildMenus();
  void LayoutView();
  void ScrollChanged();
  void Picture1_MouseDown(QPointF pixel);
  void Picture1_Drag(QPointF movedBy);
  void Picture1_Wheel(QPointF pixel, int angle);
  void Picture1_Cursor(std::optional<QPointF> pixel);
  void Slider1_Change(int value);
  void Command1_Click();
  void Text1_Change(const QString& text);
  // After a zoom about the cursor, a drag or a fit: the scroll bars, the slider
  // and its label follow the window without moving it, the status text is
  // written and the drawing made again.
  void AfterFreeMove();
  // The zoom label: the zoom in percent.
  void ShowZoom();
  // Label4 as wide as its text, the unit after it; the chain list and notice.
  void ShowPerimeter();
  void ShowNotice();
  // The message naming the offset box when its text is no number; else empty.
  QString OffsetMessage() const;
  // False, after that message, when the offset box's text is no number.
  bool OffsetAccepted();

  // What the last drawing was made from: the contour file's time and size and
  // the piece rows. Activating the window redraws only when they changed.
  QString DrawnFrom() const;
  QString m_drawnFrom;

  AppContext& m_context;
  ContourView m_view;
  QWidget* m_inner = nullptr;
  std::unique_ptr<QPrinter> m_printer;
  bool m_loading = true;
  int m_topBand = kTopBandPixels;            // pixels: the height of Command1
  int m_statusAllowance = kStatusBarPixels;  // pixels: 0 when the status bar item is unchecked
  int m_perimeterLabelX = 0;                 // pixels: where the perimeter value stands in the band
};

}  // namespace vx
