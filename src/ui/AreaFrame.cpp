#include "AreaFrame.h"

#include "AccessibleRole.h"

AreaFrame::AreaFrame(const QString &accessibleName, QWidget *parent)
    : QFrame(parent)
{
    // Before anything that assistive technology hears of.
    AccessibleRole::set(this, QAccessible::Pane);
    setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
    setFocusPolicy(Qt::StrongFocus);
    setAccessibleName(accessibleName);
}

#include "moc_AreaFrame.cpp"
