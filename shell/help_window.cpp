// The help window: the short help page of each screen, compiled into the program.
#include "shell/help_window.h"

#include <QCoreApplication>
#include <QFile>
#include <QUrl>

namespace vx {

namespace {

// The folder of the pages in the language of the user interface: its
// translation names the folder of that language.
QString LanguageFolder() {
  return QCoreApplication::translate("vx::HelpWindow", "ja", "folder of the help pages: ja or en");
}

}  // namespace

HelpWindow::HelpWindow() {
  setObjectName("HelpWindow");
  setAttribute(Qt::WA_DeleteOnClose);
  setOpenExternalLinks(false);
  resize(520, 460);
  connect(this, &QTextBrowser::sourceChanged, this, [this] { setWindowTitle(documentTitle()); });
}

QString HelpWindow::PagePath(const QString& screenName) {
  for (const QString& folder : {LanguageFolder(), QStringLiteral("ja")}) {
    const QString path = QStringLiteral(":/help/") + folder + QStringLiteral("/") + screenName + QStringLiteral(".html");
    if (QFile::exists(path)) return path;
  }
  return QString();
}

void HelpWindow::ShowPage(const QString& screenName) {
  QString path = PagePath(screenName);
  if (path.isEmpty()) path = PagePath(QStringLiteral("Form_main"));
  if (path.isEmpty()) return;
  setSource(QUrl(QStringLiteral("qrc") + path));
  setWindowTitle(documentTitle());
}

}  // namespace vx
