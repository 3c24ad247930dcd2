#pragma once

#include <QImage>
#include <QPixmap>
#include <QSize>
#include <array>

// The unpopped picture, the template of every bubble, and the four popped
// pictures. They are shared, never copied per bubble, and prepared once for
// each device pixel ratio: scaled by whole pixels without smoothing, so the
// 50 x 40 pictures stay crisp at a ratio of 2.
class BubblePictures
{
public:
    BubblePictures();

    // The natural size of the unpopped picture in logical pixels: the cell size.
    QSize cellSize() const { return m_images[0].size(); }

    // variant -1 is the unpopped picture, 0 to 3 the popped ones.
    const QPixmap &picture(int variant, qreal devicePixelRatio) const;

private:
    static constexpr int Count = 5;

    void prepare(qreal devicePixelRatio) const;

    std::array<QImage, Count> m_images;
    mutable std::array<QPixmap, Count> m_pixmaps;
    mutable qreal m_preparedRatio = 0;
};
