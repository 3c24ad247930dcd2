#include "DisplayGuard.h"

#include "Log.h"
#include "ProcessEnd.h"
#include "SystemDisplay.h"

#include <QStringList>

namespace {

// What the platform plugins said while the display was being opened: a
// failure explains itself with the first of them.
QStringList &heldBack()
{
    static QStringList messages;
    return messages;
}

[[noreturn]] void cannotShowWindow(const QString &why)
{
    // Said straight out: this may run inside a message handler.
    Log::writeLine(QStringLiteral("cannot show a window: ") + why);
    ProcessEnd::now(1);
}

} // namespace

DisplayGuard::DisplayGuard(bool displayChosen)
{
    if (const QString why = SystemDisplay::whyNone(displayChosen); !why.isEmpty())
        cannotShowWindow(why);
    m_previous = qInstallMessageHandler(&DisplayGuard::handle);
}

DisplayGuard::~DisplayGuard()
{
    qInstallMessageHandler(m_previous);
    for (const QString &message : std::as_const(heldBack()))
        qWarning("%s", qPrintable(message));
    heldBack().clear();
}

void DisplayGuard::handle(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type == QtFatalMsg)
        cannotShowWindow(heldBack().value(0, message.section(QLatin1Char('\n'), 0, 0)));
    heldBack().append(message);
}
