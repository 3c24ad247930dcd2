#include "Log.h"

#include <cstdio>
#include <cstring>

// Debug lines only where QT_LOGGING_RULES asks for them.
Q_LOGGING_CATEGORY(lcSettings, "plinkety.settings", QtInfoMsg)
Q_LOGGING_CATEGORY(lcSound, "plinkety.sound", QtInfoMsg)
Q_LOGGING_CATEGORY(lcWindow, "plinkety.window", QtInfoMsg)

namespace {

QtMessageHandler previous = nullptr;

void handle(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (context.category && std::strncmp(context.category, "plinkety.", 9) == 0)
        Log::writeLine(message);
    else if (previous)
        previous(type, context, message);
}

} // namespace

namespace Log {

QtMessageHandler install()
{
    QtMessageHandler before = qInstallMessageHandler(&handle);
    if (before != &handle)
        previous = before;
    return before;
}

void writeLine(const QString &text)
{
    std::fprintf(stderr, "Plinkety: %s\n", qPrintable(text));
    std::fflush(stderr);
}

} // namespace Log

// In place as the program loads, so that its first line reads as every other.
namespace {
void installAtLoad()
{
    Log::install();
}
} // namespace
Q_CONSTRUCTOR_FUNCTION(installAtLoad)
