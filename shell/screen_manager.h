// Single instances of the screens, created on first use and brought to the front.
#pragma once

#include <QPointer>
#include <QWidget>
#include <functional>
#include <map>

namespace vx {

struct AppContext;

enum class ScreenId {
  kDatain,     // Form_datain
  kConv0,      // Form_conv0
  kConv2,      // Form_conv2
  kCon2amd,    // Form_con2amd
  kGraph,      // Form_graph
  kNc,         // Form_nc
  kGraTasu,    // Form_gra_tasu
  kCalcu,      // Form_calcu
  kDxfConv2,   // Form_dxfconv2
  kIgesConv2,  // Form_igesconv2
  kDxfW,       // Form_dxfW
  kIgesW,      // Form_igesW
};

// Who owns a shown screen: the main menu (stays on top of it) or nobody.
enum class Owner { kMenu, kNone };

class ScreenManager {
 public:
  // Creates the screen; the widget is a top-level window (no parent yet).
  using Factory = std::function<QWidget*(AppContext&)>;

  void SetContext(AppContext* context) { m_context = context; }
  void SetMenu(QWidget* menu) { m_menu = menu; }

  void Register(ScreenId id, Factory factory) { m_factories[id] = std::move(factory); }
  bool IsRegistered(ScreenId id) const { return m_factories.count(id) != 0; }

  // The existing instance, or a new one created without showing it; nullptr
  // when the screen is not built into this program.
  QWidget* Instance(ScreenId id);
  // The existing instance or nullptr.
  QWidget* Existing(ScreenId id) const;

  // Shows the screen modeless (creating it on first use) and brings it to the
  // front; returns it, or nullptr when it is not built into this program.
  QWidget* Show(ScreenId id, Owner owner = Owner::kMenu);

  // Closes every open screen.
  void CloseAll();

 private:
  AppContext* m_context = nullptr;
  QPointer<QWidget> m_menu;
  std::map<ScreenId, Factory> m_factories;
  std::map<ScreenId, QPointer<QWidget>> m_instances;
};

}  // namespace vx
