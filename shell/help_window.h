// The help window: the short help page of each screen, compiled into the program.
#pragma once

#include <QString>
#include <QTextBrowser>

namespace vx {

class HelpWindow : public QTextBrowser {
 public:
  HelpWindow();

  // Shows the page of the screen with this object name, in the language of
  // the user interface (Japanese when that language has no page for it); the
  // main menu's page when the screen has none.
  void ShowPage(const QString& screenName);

  // The resource path of a screen's page, or empty when there is none.
  static QString PagePath(const QString& screenName);
};

}  // namespace vx
