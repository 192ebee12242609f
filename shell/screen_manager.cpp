// Single instances of the screens, created on first use and brought to the front.
#include "shell/screen_manager.h"

namespace vx {

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
  if (!m_instances[id]) return nullptr;  // a screen may close itself while it opens
  screen->show();
  if (!m_instances[id]) return nullptr;
  screen->raise();
  screen->activateWindow();
  return screen;
}

void ScreenManager::CloseAll() {
  for (auto& [id, screen] : m_instances) {
    if (screen) screen->close();
  }
}

}  // namespace vx
