#include "Twips.h"

#include <QGuiApplication>
#include <QScreen>
#include <cmath>

namespace Twips {

int toPixelsRounded(double twips)
{
    return int(std::lround(toPixels(twips)));
}

QPointF fromPixels(const QPointF &pixels)
{
    return QPointF(fromPixels(pixels.x()), fromPixels(pixels.y()));
}

QSizeF fromPixels(const QSize &pixels)
{
    return QSizeF(fromPixels(pixels.width()), fromPixels(pixels.height()));
}

QRectF fromPixels(const QRect &pixels)
{
    return QRectF(fromPixels(pixels.topLeft()), fromPixels(pixels.size()));
}

QPoint toPixels(const QPointF &twips)
{
    return QPoint(toPixelsRounded(twips.x()), toPixelsRounded(twips.y()));
}

QSize toPixels(const QSizeF &twips)
{
    return QSize(toPixelsRounded(twips.width()), toPixelsRounded(twips.height()));
}

QRect toPixels(const QRectF &twips)
{
    return QRect(toPixels(twips.topLeft()), toPixels(twips.size()));
}

QSizeF screenSize()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    return screen ? fromPixels(screen->geometry().size()) : QSizeF();
}

} // namespace Twips
