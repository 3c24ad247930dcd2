#pragma once

#include <QSizeF>
#include <QtGlobal>

// What the bubble sheet asks of the window that shows it. Sizes are in
// twips and are read afresh at each call that needs them.
class SheetWindow
{
public:
    virtual ~SheetWindow() = default;

    // The whole display, not the window: the sheet is built to cover it.
    virtual QSizeF screenSizeTwips() const = 0;
    // The unpopped picture's natural size, which every cell shares.
    virtual QSizeF cellSizeTwips() const = 0;
    // The sheet area less its border.
    virtual QSizeF sheetInnerSizeTwips() const = 0;

    // The grid now exists: bubble k of column x and row y (from 1) lies at
    // ((x - 1) * cell width, (y - 1) * cell height), all of them unpopped.
    virtual void bubblesCreated() = 0;
    // Draws bubble k at once, before the call returns.
    virtual void RepaintBubble(qint16 k) = 0;
    // Every bubble shows its unpopped picture again.
    virtual void bubblesRestored() = 0;
};
