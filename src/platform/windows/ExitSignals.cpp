#include "platform/ExitSignals.h"

// Windows has no signals to catch: taskkill, the end of the session and the
// task manager's "End task" ask the window to close (WM_CLOSE,
// WM_QUERYENDSESSION), which already goes through its ordinary close.
ExitSignals::ExitSignals(QObject *parent)
    : QObject(parent)
{
}

ExitSignals::~ExitSignals() = default;

void ExitSignals::readPipe()
{
}

#include "platform/moc_ExitSignals.cpp"
