#pragma once

#include <QPointF>
#include <QRect>
#include <QTransform>

class BubblePictures;
class QPainter;

// Draws bubble pictures through a painter, one picture pixel to one device
// pixel. A cell's edges are rounded to whole device pixels, each edge the
// same way for the two cells that share it, so that at a ratio such as 1.25
// the cells tile without a seam or an overlap. While it lives the painter
// draws in device pixels.
class BubblePainter
{
public:
    BubblePainter(QPainter &painter, const BubblePictures &pictures);
    ~BubblePainter();
    BubblePainter(const BubblePainter &) = delete;
    BubblePainter &operator=(const BubblePainter &) = delete;

    // Picture `variant` (-1 unpopped) in `cell`, given in logical pixels.
    void draw(const QRect &cell, int variant);

private:
    QPainter &m_painter;
    const BubblePictures &m_pictures;
    QTransform m_toDevice;  // logical pixels to device pixels
    QPointF m_deviceOffset; // what remains of it once the scale is undone
};
