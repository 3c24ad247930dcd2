#include "PopLabel.h"

#include <QAccessible>

PopLabel::PopLabel(QWidget *parent)
    : QLabel(parent)
{
    setTextFormat(Qt::PlainText);
    setWordWrap(false);
}

void PopLabel::setText(const QString &text)
{
    QLabel::setText(text);
    adjustSize();
    setAccessibleName(text);
}

#include "moc_PopLabel.cpp"
