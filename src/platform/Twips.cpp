#include "Twips.h"

#include <QGuiApplication>
#include <QScreen>
#include <cmath>

namespace Twips {

int toPixelsRounded(double twips)
{
    return int(std::lround(toPixels(twips)));
}

QSizeF screenSize()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    if (!screen)
        return {};
    const QSize pixels = screen->geometry().size();
    return QSizeF(fromPixels(pixels.width()), fromPixels(pixels.height()));
}

} // namespace Twips
