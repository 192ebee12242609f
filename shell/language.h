// The language of the user interface: Japanese, or English as a second language.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVariant>

class QCoreApplication;

namespace vx {

enum class UiLanguage { kJapanese, kEnglish };

// The settings key of the chosen language ("ja" or "en").
inline constexpr const char* kLanguageKey = "language";

// "ja" or "en"; anything else is no language.
bool ParseLanguage(const QString& text, UiLanguage& language);
QString LanguageCode(UiLanguage language);

// The language of this run: "--lang=en" or "--lang en" on the command line,
// else the environment variable VEXLINE_LANG, else the remembered setting,
// else Japanese. A value that is no language is passed over.
UiLanguage ChooseLanguage(const QStringList& arguments, const QByteArray& environment, const QVariant& setting);

// Installs the translations of the language on the application: for
// Japanese Qt's own Japanese texts (the standard dialogs: open, save, print,
// yes/no), for English the program's English texts (Qt's own are English).
// Returns false when a translation file was not found (the texts then stay
// as written).
bool InstallLanguage(UiLanguage language, QCoreApplication& application);

}  // namespace vx
