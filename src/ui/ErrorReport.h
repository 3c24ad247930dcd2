#pragma once

#include <QString>
#include <exception>
#include <utility>

// The report for a run-time error of the program: written to stderr, shown
// in a message box that names it (not on a headless platform, where nobody
// could close it), and the program ends with status 1.
namespace ErrorReport {

[[noreturn]] void report(const std::exception &error);

// A fault the program lives through but the user must hear of, such as
// pops that could not be saved: written to stderr, shown in a message box
// (not on a headless platform), and the program's exit status becomes 1.
void warn(const QString &text);
// 1 once a warning was given, else 0.
int exitStatus();

// True where no one can see or answer a message box (offscreen, minimal).
bool isHeadless();

// Runs the program's handler for an event. A run-time error it raises is
// reported here, where the event enters the program, so it never unwinds
// through Qt's event delivery or a signal's connection.
template<typename Handler>
void guard(Handler &&handler) noexcept
{
    try {
        std::forward<Handler>(handler)();
    } catch (const std::exception &error) {
        report(error);
    }
}

} // namespace ErrorReport
