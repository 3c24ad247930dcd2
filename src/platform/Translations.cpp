#include "Translations.h"

#include "Resources.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QPointer>
#include <QTranslator>
#include <vector>

namespace {

const QString carried = QStringLiteral(":/i18n/");
const QString prefix = QStringLiteral("plinkety_");
const QString suffix = QStringLiteral(".qm");

// Owned by the application, so that they go with it.
std::vector<QPointer<QTranslator>> installed;

bool speaks(const QString &language)
{
    return QFileInfo::exists(carried + prefix + language + suffix);
}

// Qt's texts of the language: carried where the build put them in the
// program, otherwise from Qt's own folder. Missing, they stay English.
bool loadQtTranslation(QTranslator &translator, const QString &language)
{
    const QString name = QStringLiteral("qtbase_") + language;
    return translator.load(name, carried) || translator.load(name, QLibraryInfo::path(QLibraryInfo::TranslationsPath));
}

void add(QTranslator *translator)
{
    QCoreApplication::installTranslator(translator);
    installed.emplace_back(translator);
}

} // namespace

namespace Translations {

QStringList shipped()
{
    QStringList languages;
    for (const QString &file : QDir(carried).entryList({prefix + u'*' + suffix}, QDir::Files, QDir::Name))
        languages.append(file.mid(prefix.size(), file.size() - prefix.size() - suffix.size()));
    return languages;
}

QString choose(const QLocale &locale)
{
    if (locale.language() == QLocale::C)
        return {};
    for (const QString &name : locale.uiLanguages()) {
        const QLocale wanted(name);
        if (wanted.language() == QLocale::English || wanted.language() == QLocale::C)
            return {};
        // "pt_BR" as itself, "de_AT" as "de".
        const QString full = wanted.name();
        const QString language = full.section(u'_', 0, 0);
        if (speaks(full))
            return full;
        if (speaks(language))
            return language;
    }
    return {};
}

QString install(const QLocale &locale)
{
    uninstall();
    const QString language = choose(locale);
    if (language.isEmpty())
        return {};
    auto *own = new QTranslator(QCoreApplication::instance());
    if (!own->load(prefix + language, carried)) {
        delete own;
        return {};
    }
    add(own);
    auto *qt = new QTranslator(QCoreApplication::instance());
    if (loadQtTranslation(*qt, language))
        add(qt);
    else
        delete qt;
    Resources::setLanguage(language);
    return language;
}

void uninstall()
{
    for (const QPointer<QTranslator> &translator : installed)
        delete translator.data(); // which takes it out of the application
    installed.clear();
    Resources::setLanguage(QString());
}

} // namespace Translations
