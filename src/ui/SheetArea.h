#pragma once

#include "AreaFrame.h"
#include "sheet/SheetWindow.h"

#include <QtGlobal>

class BubbleSheet;
class BubblePictures;

// picMain: the sheet area. One widget paints the whole sheet, only the
// cells that an exposure touches, and maps a press to the bubble under it.
// It is the window the sheet asks for its sizes and its drawing.
class SheetArea : public AreaFrame, public SheetWindow
{
    Q_OBJECT

public:
    SheetArea(const BubbleSheet &sheet, const BubblePictures &pictures, QWidget *parent = nullptr);

    // Bubble k's cell in this widget's pixels, not clipped to the border.
    QRect cellRect(qint16 k) const;

    QSizeF screenSizeTwips() const override;
    QSizeF cellSizeTwips() const override;
    QSizeF sheetInnerSizeTwips() const override;
    void bubblesCreated() override;
    void RepaintBubble(qint16 k) override;
    void bubblesRestored() override;

signals:
    // A left press inside the border on bubble k (never 0).
    void bubblePressed(qint16 k);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    void paintCells(QPainter &painter, const QRect &dirty) const;
    void paintUncovered(QPainter &painter, const QRect &dirty) const;
    QRect sheetRect() const;

    const BubbleSheet &m_sheet;
    const BubblePictures &m_pictures;
};
