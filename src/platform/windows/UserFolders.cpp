#include "platform/UserFolders.h"

#include <QDir>

#include <windows.h>
#include <shlobj.h>

namespace UserFolders {

namespace {

// The roaming application data folder, which follows the user from PC to
// PC in a domain; asked of the shell rather than read from %APPDATA%.
QString roamingAppData()
{
    PWSTR path = nullptr;
    QString folder;
    if (SUCCEEDED(SHGetKnownFolderPath(FOLDERID_RoamingAppData, KF_FLAG_DEFAULT, nullptr, &path)))
        folder = QDir::fromNativeSeparators(QString::fromWCharArray(path));
    CoTaskMemFree(path);
    if (folder.isEmpty())
        folder = QDir::fromNativeSeparators(qEnvironmentVariable("APPDATA"));
    return folder.isEmpty() ? QDir::homePath() + QStringLiteral("/AppData/Roaming") : folder;
}

} // namespace

QString settingsFile(const QString &application)
{
    return QStringLiteral("%1/%2/%2.ini").arg(roamingAppData(), application);
}

} // namespace UserFolders
