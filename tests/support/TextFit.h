#pragma once

// Whether the windows' fixed controls hold their texts, in whatever font
// and language.

#include "ui/frmAbout.h"

#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>

namespace TextFit {

// What is wrong in the About window as a reader sees it (each label's text
// where it is drawn, the other controls where they are): a label's text
// outside its label, two things that overlap, one outside the window.
inline QStringList aboutFaults(const frmAbout &about)
{
    QStringList faults;
    QList<QPair<QString, QRect>> shown;
    for (const QWidget *child : about.findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
        QRect rect = child->geometry();
        if (auto *label = qobject_cast<const QLabel *>(child); label && !label->text().isEmpty()) {
            const QRect room(QPoint(0, 0), label->size());
            rect = label->fontMetrics().boundingRect(room, int(label->alignment()) | Qt::TextWordWrap, label->text());
            if (!room.contains(rect))
                faults.append(child->objectName() + QStringLiteral(" does not hold its text"));
            rect.translate(label->pos());
        }
        for (const auto &[name, other] : std::as_const(shown))
            if (rect.intersects(other))
                faults.append(child->objectName() + QStringLiteral(" overlaps ") + name);
        if (!about.rect().contains(rect))
            faults.append(child->objectName() + QStringLiteral(" leaves the window"));
        shown.append({child->objectName(), rect});
    }
    return faults;
}

// True if the caption fits inside the button's frame, on one line.
inline bool captionFits(const QPushButton &button)
{
    QStyleOptionButton option;
    option.initFrom(&button);
    const QRect inside = button.style()->subElementRect(QStyle::SE_PushButtonContents, &option, &button);
    return button.fontMetrics().horizontalAdvance(button.text()) <= inside.width();
}

} // namespace TextFit
