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

#include "display/contour_view.h"
#include "shell/app_context.h"

class QPrinter;

namespace vx {

// The drawing area Picture1: shows the last drawing and reports mouse-downs.
class GraphPicture : public QWidget {
 public:
  explicit GraphPicture(QWidget* parent);
  QImage& Image() { return m_image; }
  std::function<void(QPointF)> onMouseDown;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  QImage m_image;
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
  // Menu control arrays by index: menufile 6, 7, 8 (separator), 9; menuview 0,
  // 2, 9 (the zoom submenu); menuzoom 0 (shrink), 1 (enlarge).
  std::map<int, QAction*> menufile, menuview, menuzoom;
  QAction* helpVersion = nullptr;

  ContourView& View() { return m_view; }

  // Reloads the contour file, places every piece and draws it.
  void Redraw();
  // Prints the sheet on printer; shows a message when the output fails.
  // Returns whether the sheet was printed.
  bool PrintTo(Printer& printer);
  // The print menu item: the printer chosen in the printer setup (or the
  // default one); a message instead when no printer can be used.
  void menufile_Print();

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
  void Slider1_Change(int value);
  void Command1_Click();

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
};

}  // namespace vx
