// Single instances of the screens, created on first use and brought to the front,
// and what every screen shares: remembered settings, help, quitting, drawings.
#include "shell/screen_manager.h"

#include <QApplication>
#include <QCoreApplication>
#include <QFileInfo>

#include "platform/file_dialog.h"
#include "platform/message_box.h"
#include "shell/app_context.h"
#include "shell/drawing_files.h"
#include "shell/help_window.h"
#include "shell/screen_conventions.h"

namespace vx {

namespace {

const char* const kGeometryRestored = "vxGeometryRestored";
const char* const kDrawingFolderKey = "drawings/folder";
const char* const kRecentDrawingsKey = "drawings/recent";

std::string Utf8(const QString& text) { return text.toUtf8().toStdString(); }

}  // namespace

ScreenManager::ScreenManager() = default;

ScreenManager::~ScreenManager() {
  if (m_help) delete m_help.data();
}

void ScreenManager::SetMenu(QWidget* menu) {
  m_menu = menu;
  if (menu == nullptr) return;
  Adopt(menu, true);
  if (m_settings != nullptr) menu->restoreGeometry(Remembered(WindowConventions::GeometryKey(menu)).toByteArray());
}

void ScreenManager::Adopt(QWidget* window, bool isMenu) {
  const bool acceptDrawings = isMenu || window->objectName() == QStringLiteral("Form_graph");
  new WindowConventions(*this, window, isMenu, acceptDrawings);
}

QWidget* ScreenManager::Existing(ScreenId id) const {
  auto it = m_instances.find(id);
  return it == m_instances.end() ? nullptr : it->second.data();
}

QWidget* ScreenManager::Instance(ScreenId id) {
  if (QWidget* existing = Existing(id)) return existing;
  auto factory = m_factories.find(id);
  if (factory == m_factories.end() || m_context == nullptr) return nullptr;
  QWidget* screen = factory->second(*m_context);
  m_instances[id] = screen;
  Adopt(screen, false);
  return screen;
}

QWidget* ScreenManager::Show(ScreenId id, Owner owner) {
  const bool isNew = Existing(id) == nullptr;
  QWidget* screen = Instance(id);
  if (screen == nullptr) return nullptr;
  if (isNew && owner == Owner::kMenu && m_menu) {
    // An owned window stays above its owner and closes with it.
    const Qt::WindowFlags flags = screen->windowFlags();
    screen->setParent(m_menu, flags | Qt::Window);
  }
  if (!screen->property(kGeometryRestored).toBool()) {
    screen->setProperty(kGeometryRestored, true);
    const QByteArray geometry = Remembered(WindowConventions::GeometryKey(screen)).toByteArray();
    if (!geometry.isEmpty()) screen->restoreGeometry(geometry);
    FitOnScreen(screen);
  }
  if (!m_instances[id]) return nullptr;  // a screen may close itself while it opens
  screen->show();
  if (!m_instances[id]) return nullptr;
  screen->raise();
  screen->activateWindow();
  return screen;
}

bool ScreenManager::ConfirmQuit() {
  for (auto& [id, screen] : m_instances) {
    auto* holder = dynamic_cast<HoldsUnsavedWork*>(screen.data());
    if (holder == nullptr || !screen->isVisible() || !holder->HasUnsavedWork()) continue;
    screen->raise();
    screen->activateWindow();
    if (!holder->ConfirmDiscard()) return false;
  }
  return true;
}

void ScreenManager::CloseAll() {
  m_ending = true;
  for (auto& [id, screen] : m_instances) {
    if (screen) screen->close();
  }
  if (m_help) m_help->close();
  m_ending = false;
}

void ScreenManager::Quit() {
  if (m_menu) {
    m_menu->close();  // the menu's closing ends the program
    return;
  }
  if (!ConfirmQuit()) return;
  CloseAll();
  QCoreApplication::quit();
}

QVariant ScreenManager::Remembered(const QString& key, const QVariant& fallback) const {
  return m_settings == nullptr ? fallback : m_settings->value(key, fallback);
}

void ScreenManager::Remember(const QString& key, const QVariant& value) {
  if (m_settings != nullptr) m_settings->setValue(key, value);
}

void ScreenManager::RestoreSharedSettings() {
  if (m_context == nullptr) return;
  // Kept by the NC output screen at every completed START.
  const QVariant offset = Remembered(QStringLiteral("nc/Text6"));
  if (offset.isValid()) m_context->wireOffset = Utf8(offset.toString());
}

void ScreenManager::ShowHelp(QWidget* window) {
  if (!m_help) {
    m_help = new HelpWindow();
    Adopt(m_help, false);
  }
  static_cast<HelpWindow*>(m_help.data())->ShowPage(window == nullptr ? QString() : window->objectName());
  m_help->show();
  m_help->raise();
  m_help->activateWindow();
}

void ScreenManager::OpenDrawing(const std::string& path) {
  if (!m_drawingOpener || m_context == nullptr) return;
  if (DrawingKindOf(path) == DrawingKind::kNone) {
    const QString text = QCoreApplication::translate("vx::ScreenManager",
                                                     "DXF（.dxf）か IGES（.igs、.iges）の図面を選んでください：%1");
    m_context->messageBox.Show(Utf8(text.arg(QString::fromStdString(path))));
    return;
  }
  Remember(kDrawingFolderKey, QFileInfo(QString::fromStdString(path)).absolutePath());
  m_drawingOpener(path);
}

void ScreenManager::AskAndOpenDrawing() {
  if (!m_drawingOpener || m_context == nullptr) return;
  FileDialogRequest request;
  request.title = Utf8(QCoreApplication::translate("vx::ScreenManager", "図面を開く"));
  const QString folder = Remembered(kDrawingFolderKey).toString();
  request.initialPath = folder.isEmpty() ? m_context->folder.Folder() + "sample/" : Utf8(folder) + "/";
  request.filter = Utf8(QCoreApplication::translate("vx::ScreenManager", "図面 (*.dxf *.igs *.iges)")) +
                   "|*.dxf;*.igs;*.iges|" +
                   Utf8(QCoreApplication::translate("vx::ScreenManager", "すべてのファイル(*.*)")) + "|*.*";
  const std::optional<std::string> chosen = m_context->fileDialog.AskOpen(request);
  if (chosen && !chosen->empty()) OpenDrawing(*chosen);
}

QStringList ScreenManager::RecentDrawings() const {
  QStringList present;
  for (const QString& path : Remembered(kRecentDrawingsKey).toStringList()) {
    if (QFileInfo::exists(path)) present << path;
  }
  return present;
}

void ScreenManager::AddRecentDrawing(const QString& path) {
  std::vector<std::string> list;
  for (const QString& entry : Remembered(kRecentDrawingsKey).toStringList()) list.push_back(Utf8(entry));
  QStringList updated;
  for (const std::string& entry : WithRecent(list, Utf8(QFileInfo(path).absoluteFilePath()), kRecentDrawings)) {
    updated << QString::fromStdString(entry);
  }
  Remember(kRecentDrawingsKey, updated);
}

}  // namespace vx
