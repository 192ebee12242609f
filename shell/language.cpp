// The language of the user interface: Japanese, or English as a second language.
#include "shell/language.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QTranslator>

namespace vx {

bool ParseLanguage(const QString& text, UiLanguage& language) {
  const QString code = text.trimmed().toLower();
  if (code == QStringLiteral("ja")) {
    language = UiLanguage::kJapanese;
    return true;
  }
  if (code == QStringLiteral("en")) {
    language = UiLanguage::kEnglish;
    return true;
  }
  return false;
}

QString LanguageCode(UiLanguage language) {
  return language == UiLanguage::kEnglish ? QStringLiteral("en") : QStringLiteral("ja");
}

UiLanguage ChooseLanguage(const QStringList& arguments, const QByteArray& environment, const QVariant& setting) {
  UiLanguage language = UiLanguage::kJapanese;
  for (int i = 1; i < arguments.size(); ++i) {
    const QString& argument = arguments[i];
    if (argument.startsWith(QStringLiteral("--lang=")) && ParseLanguage(argument.mid(7), language)) return language;
    if (argument == QStringLiteral("--lang") && i + 1 < arguments.size() && ParseLanguage(arguments[i + 1], language)) {
      return language;
    }
  }
  if (ParseLanguage(QString::fromLocal8Bit(environment), language)) return language;
  if (setting.isValid() && ParseLanguage(setting.toString(), language)) return language;
  return UiLanguage::kJapanese;
}

namespace {

// Loads a translation into a translator owned by the application and installs it.
bool Install(QCoreApplication& application, const QString& name, const QStringList& folders) {
  auto* translator = new QTranslator(&application);
  for (const QString& folder : folders) {
    if (translator->load(name, folder)) return QCoreApplication::installTranslator(translator);
  }
  delete translator;
  return false;
}

}  // namespace

bool InstallLanguage(UiLanguage language, QCoreApplication& application) {
  if (language == UiLanguage::kEnglish) {
    // Compiled into the program from the English .ts file at build time.
    return Install(application, QStringLiteral("vexline_en"), {QStringLiteral(":/i18n")});
  }
  // Qt's translations where Qt keeps them, or beside the program (an
  // installation that carries its own Qt).
  const QStringList folders = {QLibraryInfo::path(QLibraryInfo::TranslationsPath),
                               QCoreApplication::applicationDirPath() + QStringLiteral("/translations")};
  return Install(application, QStringLiteral("qtbase_ja"), folders);
}

}  // namespace vx
