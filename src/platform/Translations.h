#pragma once

#include <QLocale>
#include <QString>
#include <QStringList>

// The program in the user's language: its own texts from the translations
// it carries (":/i18n/plinkety_<language>.qm"), and Qt's own, for the
// standard menus and buttons, from Qt's translations folder (or carried
// too, where the program is built with them, as for Windows). English is
// the program's own language and needs neither.
namespace Translations {

// The languages the program carries, by file name: "de", "pt_BR", ...
QStringList shipped();

// The first of locale's user-interface languages that the program speaks,
// as shipped() names it; empty where the first that it knows is English,
// or where the locale is C or POSIX, which take no LANGUAGE list.
QString choose(const QLocale &locale);

// Installs the translations of that language into the application and
// makes it the language of the string resources. Returns the language, or
// an empty string where the program stays in English. Call once, after the
// application is made and before any window.
QString install(const QLocale &locale = QLocale::system());

// Takes every translation install() gave back out, leaving English.
void uninstall();

} // namespace Translations
