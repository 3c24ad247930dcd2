#include "platform/SystemDisplay.h"

QString SystemDisplay::whyNone(bool displayChosen)
{
    if (!displayChosen && qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")
        && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        return QStringLiteral("no display (neither DISPLAY nor WAYLAND_DISPLAY is set)");
    return {};
}
