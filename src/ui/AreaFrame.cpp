#include "AreaFrame.h"

#include <QAccessibleWidget>

namespace {

QAccessibleInterface *accessibleRoleOf(const QString &className, QObject *object)
{
    if (!object || !object->isWidgetType())
        return nullptr;
    auto *widget = static_cast<QWidget *>(object);
    if (className == u"frmPlinkety")
        return new QAccessibleWidget(widget, QAccessible::Window);
    if (className == u"AreaFrame" || className == u"SheetArea")
        return new QAccessibleWidget(widget, QAccessible::Pane);
    return nullptr;
}

} // namespace

AreaFrame::AreaFrame(const QString &accessibleName, QWidget *parent)
    : QFrame(parent)
{
    setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
    setFocusPolicy(Qt::StrongFocus);
    setAccessibleName(accessibleName);
}

void AreaFrame::installAccessibleRoles()
{
    static bool installed = false;
    if (!installed)
        QAccessible::installFactory(accessibleRoleOf);
    installed = true;
}
