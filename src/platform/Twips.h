#pragma once

#include <QSizeF>

// Every position and size of the design is in twips: 1440 to the inch,
// 15 to a logical pixel. Logical pixels keep the layout right on HiDPI.
namespace Twips {

constexpr double perPixel = 15.0;

constexpr double fromPixels(double pixels) { return pixels * perPixel; }
constexpr double toPixels(double twips) { return twips / perPixel; }
int toPixelsRounded(double twips);

// The whole primary display in twips; an empty size with no screen.
QSizeF screenSize();

} // namespace Twips
