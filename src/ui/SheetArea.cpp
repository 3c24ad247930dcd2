#include "SheetArea.h"

#include "BubblePainter.h"
#include "BubblePictures.h"
#include "platform/Twips.h"
#include "sheet/BubbleSheet.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QRegion>
#include <algorithm>

SheetArea::SheetArea(const BubbleSheet &sheet, const BubblePictures &pictures, QWidget *parent)
    //: What a screen reader calls the area of bubbles.
    : AreaFrame(tr("Bubble sheet"), parent)
    , m_sheet(sheet)
    , m_pictures(pictures)
{
    setAccessibleDescription(tr("Click a bubble to pop it."));
    // Every pixel is painted here, cells or background: no fill beforehand.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

QRect SheetArea::cellRect(qint16 k) const
{
    const QRectF twips = m_sheet.bubbleRect(k);
    if (twips.isEmpty())
        return {};
    const QSize cell = m_pictures.cellSize();
    const QPoint origin = contentsRect().topLeft();
    return QRect(origin + Twips::toPixels(twips.topLeft()), cell);
}

QSizeF SheetArea::screenSizeTwips() const
{
    return Twips::screenSize();
}

QSizeF SheetArea::cellSizeTwips() const
{
    return Twips::fromPixels(m_pictures.cellSize());
}

QSizeF SheetArea::sheetInnerSizeTwips() const
{
    return Twips::fromPixels(contentsRect().size());
}

void SheetArea::bubblesCreated()
{
    update();
}

void SheetArea::RepaintBubble(qint16 k)
{
    const QRect cell = cellRect(k) & contentsRect();
    if (!cell.isEmpty())
        repaint(cell);
}

void SheetArea::bubblesRestored()
{
    update();
}

QRect SheetArea::sheetRect() const
{
    const QSize cell = m_pictures.cellSize();
    return QRect(contentsRect().topLeft(), QSize(cell.width() * m_sheet.columns(), cell.height() * m_sheet.rows()));
}

void SheetArea::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    const QRect inner = contentsRect();
    const QRect dirty = event->rect() & inner;
    if (!dirty.isEmpty()) {
        if (!inner.contains(event->rect()))
            painter.setClipRect(inner);
        paintCells(painter, dirty);
        paintUncovered(painter, dirty);
        painter.setClipping(false);
    }
    if (!inner.contains(event->rect()))
        drawFrame(&painter);
}

void SheetArea::paintCells(QPainter &painter, const QRect &dirty) const
{
    const QSize cell = m_pictures.cellSize();
    const QPoint origin = contentsRect().topLeft();
    const QRect cells = dirty.translated(-origin);
    const int firstColumn = cells.left() / cell.width();
    const int lastColumn = std::min<int>(cells.right() / cell.width(), m_sheet.columns() - 1);
    const int firstRow = cells.top() / cell.height();
    const int lastRow = std::min<int>(cells.bottom() / cell.height(), m_sheet.rows() - 1);

    BubblePainter bubbles(painter, m_pictures);
    for (int column = firstColumn; column <= lastColumn; ++column) {
        for (int row = firstRow; row <= lastRow; ++row) {
            const qint16 k = m_sheet.bubbleIndex(qint16(column + 1), qint16(row + 1));
            const QPoint at = origin + QPoint(column * cell.width(), row * cell.height());
            bubbles.draw(QRect(at, cell), m_sheet.poppedVariant(k));
        }
    }
}

void SheetArea::paintUncovered(QPainter &painter, const QRect &dirty) const
{
    // Only a window larger than the whole display shows beyond the sheet.
    const QRect covered = sheetRect();
    if (covered.contains(dirty))
        return;
    for (const QRect &rect : QRegion(dirty).subtracted(QRegion(covered)))
        painter.fillRect(rect, palette().brush(backgroundRole()));
}

void SheetArea::mousePressEvent(QMouseEvent *event)
{
    const QPointF inner = event->position() - contentsRect().topLeft();
    if (event->button() != Qt::LeftButton || !contentsRect().contains(event->position().toPoint())) {
        AreaFrame::mousePressEvent(event);
        return;
    }
    const qint16 k = m_sheet.bubbleAt(Twips::fromPixels(inner));
    if (k > 0)
        emit bubblePressed(k);
}

#include "moc_SheetArea.cpp"
