#include "BubblePictures.h"

#include "platform/RuntimeError.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QImageReader>

namespace {

QString picturePath(const QString &name)
{
    return QStringLiteral(":/pictures/%1.bmp").arg(name);
}

RuntimeError missingPicture(const QString &name)
{
    return RuntimeError(RuntimeError::ResourceNotFound,
                        QCoreApplication::translate("RuntimeError", "Picture resource '%1' not found").arg(name));
}

QImage loadPicture(const QString &name)
{
    // The format named and not guessed: no image plugin is loaded to ask.
    QImageReader reader(picturePath(name), "BMP");
    reader.setAutoDetectImageFormat(false);
    const QImage image = reader.read();
    if (image.isNull())
        throw missingPicture(name);
    return image;
}

const std::array<QString, 5> kNames {QStringLiteral("unpopped"), QStringLiteral("popped0"), QStringLiteral("popped1"),
                                     QStringLiteral("popped2"), QStringLiteral("popped3")};

QString scaledName(int variant, int scale)
{
    const QString &name = kNames[size_t(variant + 1)];
    return scale == 1 ? name : name + QStringLiteral("@%1x").arg(scale);
}

} // namespace

BubblePictures::BubblePictures()
{
    // The larger art is read when a screen first needs it; that it is there
    // is made sure now, while a missing picture can still stop the start.
    for (int variant = -1; variant < Count - 1; ++variant) {
        m_art[size_t(variant + 1)][0] = loadPicture(scaledName(variant, 1));
        for (int scale = 2; scale <= Scales; ++scale)
            if (!QFileInfo::exists(picturePath(scaledName(variant, scale))))
                throw missingPicture(scaledName(variant, scale));
    }
}

const QImage &BubblePictures::artFor(int variant, QSize device) const
{
    auto &scales = m_art[size_t(variant + 1)];
    const QSize cell = scales[0].size();
    // The smallest art that covers the device pixels, or else the largest.
    int scale = 1;
    while (scale < Scales && (cell.width() * scale < device.width() || cell.height() * scale < device.height()))
        ++scale;
    QImage &art = scales[size_t(scale - 1)];
    if (art.isNull())
        art = loadPicture(scaledName(variant, scale));
    return art;
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
