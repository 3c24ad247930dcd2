#pragma once

#include <QString>

namespace UserFolders {

// Where this user's settings file of `application` lives: on Linux
// ~/.config/APP/APP.conf (after the XDG rules), on Windows
// %APPDATA%\APP\APP.ini. Both hold the same INI text.
QString settingsFile(const QString &application);

} // namespace UserFolders
