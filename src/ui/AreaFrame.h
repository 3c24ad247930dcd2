#pragma once

#include <QFrame>

// A plain container area of the main window: the command strip, the sheet
// area and the status strip. Each has the sunken two-pixel border and is a
// tab stop; assistive technology sees it as a panel.
class AreaFrame : public QFrame
{
    Q_OBJECT

public:
    explicit AreaFrame(const QString &accessibleName, QWidget *parent = nullptr);
};
