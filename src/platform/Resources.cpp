#include "Resources.h"

#include "RuntimeError.h"

#include <QFile>

namespace {

QByteArray readResource(const QString &path, qint16 id)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw RuntimeError::resourceNotFound(id);
    return file.readAll();
}

} // namespace

namespace Resources {

QByteArray LoadResData(qint16 id)
{
    return readResource(QStringLiteral(":/clips/%1.wav").arg(id), id);
}

QString LoadResString(qint16 id)
{
    return QString::fromUtf8(readResource(QStringLiteral(":/strings/%1.txt").arg(id), id));
}

} // namespace Resources
