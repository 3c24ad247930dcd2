#include "platform/UserFolders.h"

#include <QDir>
#include <QStandardPaths>

namespace UserFolders {

QString settingsFile(const QString &application)
{
    // Where QSettings(NativeFormat, UserScope, application, application)
    // keeps it. Made up here because that QSettings reads the file as it
    // is made, and would wait forever on a pipe.
    QString base = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    if (base.isEmpty())
        base = QDir::homePath() + QStringLiteral("/.config");
    return QStringLiteral("%1/%2/%2.conf").arg(base, application);
}

} // namespace UserFolders
