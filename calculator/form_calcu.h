// The geometry calculator screen: input grid, answers, guide and drawing area.
#pragma once

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSplitter>
#include <QSlider>
#include <QStatusBar>
#include <QWidget>
#include <array>

#include "calculator/calculator.h"
#include "calculator/calculator_drawing.h"

namespace vx {

class Form_calcu;

// The drawing area: every paint draws the input and the answer again.
class CalcPicture : public QWidget {
 public:
  CalcPicture(Form_calcu& form, QWidget* parent);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  Form_calcu& m_form;
};

class Form_calcu : public QWidget {
  Q_OBJECT

 public:
  Form_calcu();

  // Input grid rows 0..2 (object names "inpX(0)" ...).
  std::array<QLineEdit*, 3> inpX{}, inpY{}, inpD{}, inpA{}, inpB{}, inpC{}, inpR{}, inpS{};
  QLabel* ansX = nullptr;
  QLabel* ansY = nullptr;
  QLabel* ansA = nullptr;
  QLabel* ansR = nullptr;
  QLabel* ansRem = nullptr;
  QListWidget* List1 = nullptr;
  QPushButton* butStart = nullptr;
  QPushButton* butCLR = nullptr;
  CalcPicture* Picture1 = nullptr;
  QScrollBar* HScroll1 = nullptr;
  QScrollBar* VScroll1 = nullptr;
  QSlider* Slider1 = nullptr;
  QLabel* Label1 = nullptr;
  QStatusBar* StatusBar1 = nullptr;
  QLabel* StatusPanel1 = nullptr;
  // The window shrinks below the size of its band: the band scrolls, and a
  // splitter shares the height between the band and the drawing.
  QSplitter* Splitter = nullptr;
  QScrollArea* BandArea = nullptr;
  QWidget* DrawingPane = nullptr;

  // The input box of a grid field.
  QLineEdit* Field(const CalcField& field) const;

  // Draws the drawing area's content on the given painter (the area's size).
  void CalcRedraw(QPainter& painter, int pixelWidth, int pixelHeight);
  const CalcView& View() const { return m_view; }
  // The input grid as typed and the answer labels as shown.
  CalcGrid GridFromControls() const;
  CalcAnswers AnswersFromLabels() const;

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void BuildBand();
  void BuildDrawingArea();
  void butStart_Click();
  void butCLR_Click();
  void Scroll_Change();
  void Slider1_Change(int value);
  void LayOut();
  void ShowGrid(const CalcGrid& grid);
  void ShowAnswers(const CalcAnswers& answers);

  // Marks the field the last calculation could not read, and only that one.
  void MarkNonNumberField();
  // Until the operator moves the splitter: the band as high as it needs
  // (with its horizontal scroll bar when it is wider than the window), the
  // drawing the rest, and never less than its minimum height.
  void FitBand();

  Calculator m_calc;
  CalcView m_view;
  QWidget* m_band = nullptr;
  QLineEdit* m_marked = nullptr;
  bool m_splitMoved = false;
  bool m_loading = true;
};

}  // namespace vx
