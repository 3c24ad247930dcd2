#pragma once

#include <QApplication>

#include <exception>

// The report for a run-time error that reached the event loop or start-up:
// written to stderr, shown in a message box that names it (not on a headless
// platform, where nobody could close it), and the program ends with status 1.
namespace ErrorReport {

[[noreturn]] void report(const std::exception &error);

// True where no one can see or answer a message box (offscreen, minimal).
bool isHeadless();

} // namespace ErrorReport

// Delivers every event through ErrorReport, so a run-time error thrown by a
// handler ends the program with the report instead of an abort.
class PlinketyApplication : public QApplication
{
public:
    PlinketyApplication(int &argc, char **argv);
    bool notify(QObject *receiver, QEvent *event) override;
};
