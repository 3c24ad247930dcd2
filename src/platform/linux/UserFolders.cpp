#include "platform/UserFolders.h"

#include <QDir>
#include <QFile>

#include <pwd.h>
#include <unistd.h>

namespace UserFolders {

namespace {

// $HOME where it is a full path, else the account's own home directory: a
// program started with no HOME (from cron, or env -i) still finds it.
QString home()
{
    const QString fromEnvironment = qEnvironmentVariable("HOME");
    if (QDir::isAbsolutePath(fromEnvironment))
        return fromEnvironment;
    if (const passwd *account = getpwuid(geteuid()); account && account->pw_dir)
        return QFile::decodeName(account->pw_dir);
    return QDir::rootPath();
}

} // namespace

QString settingsFile(const QString &application)
{
    // Where QSettings(NativeFormat, UserScope, application, application)
    // keeps it, after the XDG base directory rules: a relative
    // XDG_CONFIG_HOME is to be ignored. Made up here because that QSettings
    // reads the file as it is made, and would wait forever on a pipe.
    QString base = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (!QDir::isAbsolutePath(base))
        base = home() + QStringLiteral("/.config");
    return QDir::cleanPath(QStringLiteral("%1/%2/%2.conf").arg(base, application));
}

} // namespace UserFolders
