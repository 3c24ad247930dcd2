#include "BubblePainter.h"

#include "BubblePictures.h"

#include <QPainter>

BubblePainter::BubblePainter(QPainter &painter, const BubblePictures &pictures)
    : m_painter(painter)
    , m_pictures(pictures)
    , m_toDevice(painter.deviceTransform())
{
    m_painter.save();
    // A widget's painter only scales and moves: undoing its scale leaves a
    // move by whole or fractional device pixels, and pictures are then
    // copied, never resampled, by the paint engine.
    m_painter.setWorldTransform(QTransform::fromScale(1.0 / m_toDevice.m11(), 1.0 / m_toDevice.m22()), true);
    m_deviceOffset = QPointF(m_painter.deviceTransform().dx(), m_painter.deviceTransform().dy());
}

BubblePainter::~BubblePainter()
{
    m_painter.restore();
}

void BubblePainter::draw(const QRect &cell, int variant)
{
    const QPointF topLeft = m_toDevice.map(QPointF(cell.topLeft()));
    const QPointF bottomRight = m_toDevice.map(QPointF(cell.topLeft() + QPoint(cell.width(), cell.height())));
    const QPoint from(qRound(topLeft.x()), qRound(topLeft.y()));
    const QSize device(qRound(bottomRight.x()) - from.x(), qRound(bottomRight.y()) - from.y());
    m_painter.drawPixmap(QPointF(from) - m_deviceOffset, m_pictures.picture(variant, device));
}
