#include "BubbleImage.h"

#include "BubblePainter.h"
#include "BubblePictures.h"

#include <QPainter>

BubbleImage::BubbleImage(const BubblePictures &pictures, int variant, QWidget *parent)
    : QLabel(parent)
    , m_pictures(pictures)
    , m_variant(variant)
{
}

void BubbleImage::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    BubblePainter(painter, m_pictures).draw(QRect(QPoint(0, 0), m_pictures.cellSize()), m_variant);
}
