#pragma once

#include <QString>

// Where the program keeps its values in the settings store.
namespace SettingsKeys {

inline QString application() { return QStringLiteral("Plinkety"); }
inline QString section() { return QStringLiteral("Defaults"); }

// A stored text as the log may show it: short, without control characters.
inline QString printable(const QString &text)
{
    QString shown = text.left(40);
    for (QChar &c : shown)
        if (!c.isPrint())
            c = u'?';
    return text.size() > shown.size() ? shown + QStringLiteral("...") : shown;
}

} // namespace SettingsKeys
