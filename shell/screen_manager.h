// Single instances of the screens, created on first use and brought to the front,
// and what every screen shares: remembered settings, help, quitting, drawings.
#pragma once

#include <QPointer>
#include <QSettings>
#include <QStringList>
#include <QVariant>
#include <QWidget>
#include <functional>
#include <map>
#include <string>

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

// A screen that can hold work the operator has not stored yet.
class HoldsUnsavedWork {
 public:
  virtual ~HoldsUnsavedWork() = default;
  virtual bool HasUnsavedWork() const = 0;
  // Asks the operator whether the work may be thrown away; true lets it go.
  virtual bool ConfirmDiscard() = 0;
};

class ScreenManager {
 public:
  // Creates the screen; the widget is a top-level window (no parent yet).
  using Factory = std::function<QWidget*(AppContext&)>;
  // Shows the import screen that reads the drawing at path, with that file chosen.
  using DrawingOpener = std::function<void(const std::string& path)>;

  ScreenManager();
  ~ScreenManager();
  ScreenManager(const ScreenManager&) = delete;
  ScreenManager& operator=(const ScreenManager&) = delete;

  void SetContext(AppContext* context) { m_context = context; }
  AppContext* Context() const { return m_context; }
  // The main menu: it gets the conventions of every screen except Esc, and
  // takes dropped drawings.
  void SetMenu(QWidget* menu);

  void Register(ScreenId id, Factory factory) { m_factories[id] = std::move(factory); }
  bool IsRegistered(ScreenId id) const { return m_factories.count(id) != 0; }

  // The existing instance, or a new one created without showing it; nullptr
  // when the screen is not built into this program.
  QWidget* Instance(ScreenId id);
  // The existing instance or nullptr.
  QWidget* Existing(ScreenId id) const;

  // Shows the screen modeless (creating it on first use) and brings it to the
  // front; returns it, or nullptr when it is not built into this program. A
  // screen shown for the first time takes its remembered window geometry.
  QWidget* Show(ScreenId id, Owner owner = Owner::kMenu);

  // Asks every open screen that holds unsaved work whether it may go; false
  // as soon as the operator keeps one (nothing is closed then).
  bool ConfirmQuit();
  // Closes every open screen without asking (the program is ending).
  void CloseAll();
  // True while CloseAll runs: screens then neither ask nor open the next one.
  bool Ending() const { return m_ending; }
  // Ends the program as the menu's "終了" does (asking first where work would be lost).
  void Quit();

  // Where window geometry and each screen's last settings are kept; without
  // one (tests, the command line) nothing is remembered.
  void SetSettings(QSettings* settings) { m_settings = settings; }
  QSettings* Settings() const { return m_settings; }
  QVariant Remembered(const QString& key, const QVariant& fallback = QVariant()) const;
  void Remember(const QString& key, const QVariant& value);
  // At the program's start: the shared settings of the screens as the last
  // run left them (the wire offset of the last NC program written).
  void RestoreSharedSettings();

  // The help page of a window (by its object name) in a help window of its own.
  void ShowHelp(QWidget* window);
  QWidget* Help() const { return m_help; }

  // Drawings for import: Ctrl+O, drag and drop, the recent drawings.
  void SetDrawingOpener(DrawingOpener opener) { m_drawingOpener = std::move(opener); }
  // Opens the drawing at path in its import screen; a file that is not a DXF
  // or IGES drawing by its name is refused with a message.
  void OpenDrawing(const std::string& path);
  // The open dialog for a drawing, then OpenDrawing.
  void AskAndOpenDrawing();
  // Drawings chosen for import, the latest first (at most kRecentDrawings);
  // files that are gone are left out.
  static constexpr int kRecentDrawings = 8;
  QStringList RecentDrawings() const;
  void AddRecentDrawing(const QString& path);

 private:
  void Adopt(QWidget* window, bool isMenu);

  AppContext* m_context = nullptr;
  QPointer<QWidget> m_menu;
  QSettings* m_settings = nullptr;
  bool m_ending = false;
  std::map<ScreenId, Factory> m_factories;
  std::map<ScreenId, QPointer<QWidget>> m_instances;
  QPointer<QWidget> m_help;
  DrawingOpener m_drawingOpener;
};

}  // namespace vx
