#include "Resources.h"

#include "RuntimeError.h"

#include <QResource>

namespace {

QByteArray readResource(const QString &path, qint16 id)
{
    const QResource resource(path);
    if (!resource.isValid() || resource.data() == nullptr)
        throw RuntimeError::resourceNotFound(id);
    // Stored uncompressed, the bytes live in the executable for its whole
    // run: hand them out without a copy.
    if (resource.compressionAlgorithm() == QResource::NoCompression)
        return QByteArray::fromRawData(reinterpret_cast<const char *>(resource.data()), resource.size());
    return resource.uncompressedData();
}

QString stringLanguage;

} // namespace

namespace Resources {

QByteArray LoadResData(qint16 id)
{
    return readResource(QStringLiteral(":/clips/%1.wav").arg(id), id);
}

QString LoadResString(qint16 id)
{
    if (!stringLanguage.isEmpty()) {
        const QString translated = QStringLiteral(":/strings/%1/%2.txt").arg(stringLanguage).arg(id);
        if (QResource(translated).isValid())
            return QString::fromUtf8(readResource(translated, id));
    }
    return QString::fromUtf8(readResource(QStringLiteral(":/strings/%1.txt").arg(id), id));
}

void setLanguage(const QString &language)
{
    stringLanguage = language;
}

} // namespace Resources
