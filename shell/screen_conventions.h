// The keys, window memory and drops every screen shares.
#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

class QKeyEvent;
class QMimeData;
class QWidget;

namespace vx {

class ScreenManager;

// Watches one top-level window. Keys its own controls leave unused:
// - Esc closes the window (the screen asks first where work would be lost);
//   not on the main menu, where it would end the program;
// - Enter presses the button that has the focus, else the window's default button;
// - F1 shows the window's help page;
// - Ctrl+O opens a drawing for import, Ctrl+Q ends the program.
// When the window hides, its geometry is remembered under its object name.
// With acceptDrawings, a .dxf, .igs or .iges file dropped on the window opens
// its import screen.
class WindowConventions : public QObject {
 public:
  WindowConventions(ScreenManager& screens, QWidget* window, bool isMenu, bool acceptDrawings);

  // The settings key of a window's geometry.
  static QString GeometryKey(const QWidget* window);

  // The drawing a drag carries: one local file named .dxf, .igs or .iges; empty otherwise.
  static QString DroppedDrawing(const QMimeData* data);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  bool KeyPressed(QKeyEvent* key);
  bool PressDefaultButton();

  ScreenManager& m_screens;
  QPointer<QWidget> m_window;
  bool m_isMenu;
  bool m_acceptDrawings;
};

// Shrinks a window that is larger than the available room of its screen (a
// small screen, or a large scale factor) to that room, and moves it onto the
// screen; a window that fits is left as it is.
void FitOnScreen(QWidget* window);

// The default button of each screen, by the screen's object name and the
// button's object name; the screens that have none are not listed.
QString DefaultButtonOf(const QString& screenName);

}  // namespace vx
