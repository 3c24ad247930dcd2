#pragma once

#include "sheet/StatusLabel.h"

#include <QLabel>

// lblPop: the status line. It sizes itself to its one line of text, and a
// screen reader reads that text as its name.
class PopLabel : public QLabel, public StatusLabel
{
    Q_OBJECT

public:
    explicit PopLabel(QWidget *parent = nullptr);

    QString text() const override { return QLabel::text(); }
    void setText(const QString &text) override;
};
