#include "BubblePictures.h"

#include "platform/RuntimeError.h"

#include <QImageReader>

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

std::array<QImage, 3> loadScales(const QString &name)
{
    return {loadPicture(name), loadPicture(name + QStringLiteral("@2x")), loadPicture(name + QStringLiteral("@3x"))};
}

} // namespace

BubblePictures::BubblePictures()
    : m_art {loadScales(QStringLiteral("unpopped")), loadScales(QStringLiteral("popped0")),
             loadScales(QStringLiteral("popped1")), loadScales(QStringLiteral("popped2")),
             loadScales(QStringLiteral("popped3"))}
{
}

const QImage &BubblePictures::artFor(int variant, QSize device) const
{
    const auto &scales = m_art[size_t(variant + 1)];
    for (const QImage &art : scales)
        if (art.width() >= device.width() && art.height() >= device.height())
            return art;
    return scales.back();
}

const QPixmap &BubblePictures::picture(int variant, QSize device) const
{
    const auto key = std::pair(variant, std::pair(device.width(), device.height()));
    auto found = m_pixmaps.find(key);
    if (found == m_pixmaps.end()) {
        const QImage &art = artFor(variant, device);
        QImage sized = art.size() == device ? art : art.scaled(device, Qt::IgnoreAspectRatio, Qt::FastTransformation);
        // Qt reads a ratio of 2 into an "@2x" picture; these are drawn by
        // the device pixel, so each of their pixels counts as one.
        sized.setDevicePixelRatio(1);
        found = m_pixmaps.emplace(key, QPixmap::fromImage(sized)).first;
    }
    return found->second;
}
