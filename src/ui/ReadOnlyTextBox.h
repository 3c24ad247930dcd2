#pragma once

#include <QPlainTextEdit>
#include <QString>

// A multi-line text box the user can read, select and copy from but not
// change. text() returns exactly what setText() was given, CR LF pairs
// included; the view shows each CR LF as one line break.
class ReadOnlyTextBox : public QPlainTextEdit
{
    Q_OBJECT

public:
    explicit ReadOnlyTextBox(QWidget *parent = nullptr);

    void setText(const QString &text);
    QString text() const { return m_text; }

private:
    QString m_text;
};
