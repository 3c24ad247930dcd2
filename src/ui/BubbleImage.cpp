#include "BubbleImage.h"

#include "BubblePainter.h"
#include "BubblePictures.h"

#include <QMouseEvent>
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

void BubbleImage::mousePressEvent(QMouseEvent *event)
{
    m_pressed = event->button() == Qt::LeftButton;
    event->accept();
}

void BubbleImage::mouseDoubleClickEvent(QMouseEvent *event)
{
    // The second press of a double click is not a click of its own.
    m_pressed = false;
    event->accept();
}

void BubbleImage::mouseReleaseEvent(QMouseEvent *event)
{
    const bool click = m_pressed && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    m_pressed = false;
    event->accept();
    if (click)
        emit clicked();
}

#include "moc_BubbleImage.cpp"
