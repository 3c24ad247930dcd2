#pragma once

#include <QCoreApplication>
#include <QString>
#include <limits>

// The status line under the sheet, lblPop.
class StatusLabel
{
public:
    virtual ~StatusLabel() = default;
    virtual QString text() const = 0;
    virtual void setText(const QString &text) = 0;

    // A count followed by " bubbles popped!", as start-up and every pop write
    // it, or its translation. The count is plain digits in every language,
    // with a minus where it has one; its size picks a language's plural form.
    static QString plainLine(qint32 count)
    {
        constexpr qint32 lowest = std::numeric_limits<qint32>::min();
        const qint32 size = count >= 0 ? count : count > lowest ? -count : std::numeric_limits<qint32>::max();
        //: The status line. %1 is the lifetime count, in plain digits; the English is never singular.
        return QCoreApplication::translate("StatusLabel", "%1 bubbles popped!", nullptr, size)
            .arg(QString::number(count));
    }

    // The build-up towards a round count: the first word, then the two
    // that are added to it, blanks and all.
    static QString firstPop()
    {
        //: The status line's build-up towards each hundredth pop starts with this.
        return QCoreApplication::translate("StatusLabel", "Pop!");
    }
    static QString secondPop()
    {
        //: Added to the status line's "Pop!" on the next pop: keep the leading blank.
        return QCoreApplication::translate("StatusLabel", " Pop!");
    }
    static QString thirdPop()
    {
        //: Added on the pop after that, before the round count's line: keep both blanks.
        return QCoreApplication::translate("StatusLabel", " Pop! ");
    }
};
