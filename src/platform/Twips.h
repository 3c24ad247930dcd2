#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

// Every position and size of the design is in twips: 1440 to the inch,
// 15 to a logical pixel. Logical pixels keep the layout right on HiDPI.
// Pixels become twips exactly; twips become the nearest whole pixel, each
// edge, width and height on its own, as the design's controls were placed.
namespace Twips {

constexpr double perPixel = 15.0;

constexpr double fromPixels(double pixels) { return pixels * perPixel; }
constexpr double toPixels(double twips) { return twips / perPixel; }
int toPixelsRounded(double twips);

QPointF fromPixels(const QPointF &pixels);
QSizeF fromPixels(const QSize &pixels);
QRectF fromPixels(const QRect &pixels);
QPoint toPixels(const QPointF &twips);
QSize toPixels(const QSizeF &twips);
QRect toPixels(const QRectF &twips);

// The whole primary display in twips; an empty size with no screen.
QSizeF screenSize();

} // namespace Twips
