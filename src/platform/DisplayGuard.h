#pragma once

#include <QtGlobal>

// Watches the creation of the application object. Where no display can be
// opened, Qt would abort with a core dump and advise reinstalling; instead
// the program says in one line what is wrong and ends with status 1.
class DisplayGuard
{
public:
    // Ends the program at once where no display is named at all, neither
    // by the system nor on the command line (displayChosen).
    explicit DisplayGuard(bool displayChosen);
    // Passes on what the platform said while the display was opened.
    ~DisplayGuard();

    DisplayGuard(const DisplayGuard &) = delete;
    DisplayGuard &operator=(const DisplayGuard &) = delete;

private:
    static void handle(QtMsgType type, const QMessageLogContext &context, const QString &message);

    QtMessageHandler m_previous = nullptr;
};
