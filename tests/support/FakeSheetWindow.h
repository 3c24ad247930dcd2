#pragma once

#include "sheet/SheetWindow.h"
#include "sheet/StatusLabel.h"

#include <QList>
#include <QStringList>

// Stands in for the main window: sizes set by the test, and a log of what
// the sheet asked of it, in order.
class FakeSheetWindow : public SheetWindow, public StatusLabel
{
public:
    QSizeF screen {800 * 15, 600 * 15};
    QSizeF cell {750, 600};
    QSizeF inner {288 * 15, 170 * 15};
    QStringList *log = nullptr;
    QList<qint16> repainted;
    int created = 0;
    int restored = 0;

    QSizeF screenSizeTwips() const override { return screen; }
    QSizeF cellSizeTwips() const override { return cell; }
    QSizeF sheetInnerSizeTwips() const override { return inner; }
    void bubblesCreated() override { ++created; }
    void RepaintBubble(qint16 k) override
    {
        repainted.append(k);
        note(QStringLiteral("repaint %1").arg(k));
    }
    void bubblesRestored() override { ++restored; }

    QString text() const override { return m_text; }
    void setText(const QString &text) override
    {
        m_text = text;
        note(QStringLiteral("label ") + text);
    }

private:
    void note(const QString &entry)
    {
        if (log)
            log->append(entry);
    }

    QString m_text;
};
