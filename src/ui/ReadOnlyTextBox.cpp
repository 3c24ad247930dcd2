#include "ReadOnlyTextBox.h"

ReadOnlyTextBox::ReadOnlyTextBox(QWidget *parent)
    : QPlainTextEdit(parent)
{
    setReadOnly(true);
    // Read-only alone allows selecting with the mouse only; the box takes
    // the focus, so the keyboard must be able to move, select and copy too.
    setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    setTabChangesFocus(true);
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setWordWrapMode(QTextOption::WordWrap);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
}

void ReadOnlyTextBox::setText(const QString &text)
{
    m_text = text;
    // The document turns CR LF (and a lone CR or LF) into one paragraph break.
    setPlainText(text);
}

#include "moc_ReadOnlyTextBox.cpp"
