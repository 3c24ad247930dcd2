#pragma once

#include <QString>

// Where the program keeps its values in the settings store.
namespace SettingsKeys {

inline QString application() { return QStringLiteral("Plinkety"); }
inline QString section() { return QStringLiteral("Defaults"); }

} // namespace SettingsKeys
