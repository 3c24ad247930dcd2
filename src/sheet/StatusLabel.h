#pragma once

#include <QString>

// The status line under the sheet, lblPop.
class StatusLabel
{
public:
    virtual ~StatusLabel() = default;
    virtual QString text() const = 0;
    virtual void setText(const QString &text) = 0;

    // A count followed by " bubbles popped!", as start-up and every pop write it.
    static QString plainLine(qint32 count)
    {
        return QString::number(count) + QStringLiteral(" bubbles popped!");
    }
};
