#pragma once

#include <QAccessible>

class QWidget;

// The role assistive technology sees for a widget of ours, where Qt's own
// would be wrong: the main window is a window, its areas are panels. Each
// widget says its own role; nothing matches class names.
namespace AccessibleRole {

// Call it first in the constructor: the role is looked up once, the first
// time anything about the widget reaches assistive technology.
void set(QWidget *widget, QAccessible::Role role);

} // namespace AccessibleRole
