#include "BubblePictures.h"

#include "platform/RuntimeError.h"

#include <QImageReader>
#include <cmath>

namespace {

QImage loadPicture(const QString &name)
{
    // The format named and not guessed: no image plugin is loaded to ask.
    QImageReader reader(QStringLiteral(":/pictures/%1.bmp").arg(name), "BMP");
    reader.setAutoDetectImageFormat(false);
    const QImage image = reader.read();
    if (image.isNull())
        throw RuntimeError(RuntimeError::ResourceNotFound,
                           QStringLiteral("Picture resource '%1' not found").arg(name));
    return image;
}

} // namespace

BubblePictures::BubblePictures()
    : m_images {loadPicture(QStringLiteral("unpopped")), loadPicture(QStringLiteral("popped0")),
                loadPicture(QStringLiteral("popped1")), loadPicture(QStringLiteral("popped2")),
                loadPicture(QStringLiteral("popped3"))}
{
}

const QPixmap &BubblePictures::picture(int variant, qreal devicePixelRatio) const
{
    if (devicePixelRatio != m_preparedRatio)
        prepare(devicePixelRatio);
    return m_pixmaps[size_t(variant + 1)];
}

void BubblePictures::prepare(qreal devicePixelRatio) const
{
    for (size_t i = 0; i < m_images.size(); ++i) {
        const QImage &image = m_images[i];
        const QSize device(int(std::lround(image.width() * devicePixelRatio)),
                           int(std::lround(image.height() * devicePixelRatio)));
        QPixmap pixmap = QPixmap::fromImage(
            device == image.size() ? image : image.scaled(device, Qt::IgnoreAspectRatio, Qt::FastTransformation));
        pixmap.setDevicePixelRatio(devicePixelRatio);
        m_pixmaps[i] = pixmap;
    }
    m_preparedRatio = devicePixelRatio;
}
