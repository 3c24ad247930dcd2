#pragma once

#include <QImage>
#include <QPixmap>
#include <QSize>
#include <array>
#include <map>
#include <utility>

// The unpopped picture, the template of every bubble, and the four popped
// pictures, each drawn at 1, 2 and 3 times its size. They are shared, never
// copied per bubble. The 50 x 40 pictures give the cell size; a screen
// with more device pixels to a pixel gets the art drawn for it.
class BubblePictures
{
public:
    BubblePictures();

    // The natural size of the unpopped picture in logical pixels: the cell size.
    QSize cellSize() const { return m_art[0][0].size(); }

    // Picture `variant` (-1 the unpopped one, 0 to 3 the popped ones) for
    // `device` pixels: the art of that size where there is one, otherwise
    // the nearest larger art sampled without smoothing, so that only the
    // palette's greys appear.
    const QPixmap &picture(int variant, QSize device) const;

private:
    static constexpr int Count = 5;
    static constexpr int Scales = 3;

    const QImage &artFor(int variant, QSize device) const;

    // By variant, then scale; the larger ones read when first needed.
    mutable std::array<std::array<QImage, Scales>, Count> m_art;
    // Prepared pictures by variant and device size: at most two widths and
    // two heights for each device pixel ratio.
    mutable std::map<std::pair<int, std::pair<int, int>>, QPixmap> m_pixmaps;
};
