#include "platform/SystemDisplay.h"

QString SystemDisplay::whyNone()
{
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")
        && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        return QStringLiteral("no display (neither DISPLAY nor WAYLAND_DISPLAY is set)");
    return {};
}
