// The keys, window memory and drops every screen shares.
#include "shell/screen_conventions.h"

#include <QAbstractItemView>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QScreen>
#include <algorithm>
#include <QUrl>
#include <map>

#include "shell/drawing_files.h"
#include "shell/screen_manager.h"

namespace vx {

QString DefaultButtonOf(const QString& screenName) {
  // The button that does the screen's work. The contour view, the contour
  // table and the main menu have none: Enter there would close a view, store
  // a file or open a screen the operator did not point at.
  static const std::map<QString, QString> kDefaults = {
      {"Form_datain", "Command1"},    {"Form_conv0", "Command1"}, {"Form_conv2", "Command1"},
      {"Form_nc", "cmdSTART"},        {"Form_gra_tasu", QString::fromUtf8("Cmd_描画")},
      {"Form_calcu", "butStart"},     {"Form_dxfconv2", "Dload"}, {"Form_igesconv2", "Dload"},
      {"Form_dxfW", "CmdStart"},      {"Form_igesW", "CmdStart"},
  };
  const auto it = kDefaults.find(screenName);
  return it == kDefaults.end() ? QString() : it->second;
}

void FitOnScreen(QWidget* window) {
  const QScreen* screen = window->screen();
  if (screen == nullptr) return;
  const QRect room = screen->availableGeometry();
  // The frame's own size, known once the window has been shown; until then a
  // typical title bar and border.
  const QSize frameExtra = window->isVisible() ? window->frameGeometry().size() - window->size() : QSize(8, 32);
  const QSize most = room.size() - frameExtra;
  const QSize size = window->size();
  if (size.width() > most.width() || size.height() > most.height()) {
    window->resize(std::min(size.width(), most.width()), std::min(size.height(), most.height()));
  }
  QRect frame(window->pos(), window->size() + frameExtra);
  if (!room.contains(frame)) {
    frame.moveLeft(std::clamp(frame.left(), room.left(), std::max(room.left(), room.right() - frame.width() + 1)));
    frame.moveTop(std::clamp(frame.top(), room.top(), std::max(room.top(), room.bottom() - frame.height() + 1)));
    window->move(frame.topLeft());
  }
}

WindowConventions::WindowConventions(ScreenManager& screens, QWidget* window, bool isMenu, bool acceptDrawings)
    : QObject(window), m_screens(screens), m_window(window), m_isMenu(isMenu), m_acceptDrawings(acceptDrawings) {
  window->installEventFilter(this);
  if (acceptDrawings) window->setAcceptDrops(true);
  const QString defaultName = DefaultButtonOf(window->objectName());
  if (!defaultName.isEmpty()) {
    if (auto* button = window->findChild<QPushButton*>(defaultName)) button->setDefault(true);
  }
}

QString WindowConventions::GeometryKey(const QWidget* window) {
  return QStringLiteral("windows/") + window->objectName() + QStringLiteral("/geometry");
}

QString WindowConventions::DroppedDrawing(const QMimeData* data) {
  if (data == nullptr || !data->hasUrls() || data->urls().size() != 1) return QString();
  const QUrl url = data->urls().front();
  if (!url.isLocalFile()) return QString();
  const QString path = url.toLocalFile();
  if (DrawingKindOf(path.toUtf8().toStdString()) == DrawingKind::kNone) return QString();
  return path;
}

bool WindowConventions::eventFilter(QObject* watched, QEvent* event) {
  if (watched != m_window) return QObject::eventFilter(watched, event);
  switch (event->type()) {
    case QEvent::KeyPress:
      // Reached here only when the control with the focus left the key unused.
      if (KeyPressed(static_cast<QKeyEvent*>(event))) {
        event->accept();
        return true;
      }
      break;
    case QEvent::Hide:
      if (!event->spontaneous()) m_screens.Remember(GeometryKey(m_window), m_window->saveGeometry());
      break;
    case QEvent::DragEnter:
    case QEvent::DragMove:
      if (m_acceptDrawings) {
        auto* drag = static_cast<QDropEvent*>(event);
        if (!DroppedDrawing(drag->mimeData()).isEmpty()) {
          drag->acceptProposedAction();
          return true;
        }
      }
      break;
    case QEvent::Drop:
      if (m_acceptDrawings) {
        auto* drop = static_cast<QDropEvent*>(event);
        const QString path = DroppedDrawing(drop->mimeData());
        if (!path.isEmpty()) {
          drop->acceptProposedAction();
          m_screens.OpenDrawing(path.toUtf8().toStdString());
          return true;
        }
      }
      break;
    default:
      break;
  }
  return QObject::eventFilter(watched, event);
}

bool WindowConventions::KeyPressed(QKeyEvent* key) {
  const Qt::KeyboardModifiers modifiers = key->modifiers() & ~Qt::KeypadModifier;
  if (modifiers == Qt::ControlModifier && key->key() == Qt::Key_O) {
    m_screens.AskAndOpenDrawing();
    return true;
  }
  if (modifiers == Qt::ControlModifier && key->key() == Qt::Key_Q) {
    m_screens.Quit();
    return true;
  }
  if (modifiers != Qt::NoModifier) return false;
  switch (key->key()) {
    case Qt::Key_Escape:
      if (m_isMenu) return false;
      m_window->close();
      return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      return PressDefaultButton();
    case Qt::Key_F1:
      m_screens.ShowHelp(m_window);
      return true;
    default:
      return false;
  }
}

bool WindowConventions::PressDefaultButton() {
  QWidget* focus = m_window->focusWidget();
  if (auto* button = qobject_cast<QPushButton*>(focus)) {
    if (!button->isEnabled()) return false;
    button->click();
    return true;
  }
  // A grid or list uses Enter for itself (to open or move); a text box or
  // the window itself leaves it to the default button.
  if (qobject_cast<QAbstractItemView*>(focus) != nullptr) return false;
  for (QPushButton* button : m_window->findChildren<QPushButton*>()) {
    if (button->isDefault() && button->isEnabled() && button->isVisibleTo(m_window)) {
      button->click();
      return true;
    }
  }
  return false;
}

}  // namespace vx
