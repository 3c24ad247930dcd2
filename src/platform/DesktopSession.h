#pragma once

#include "DisplayGuard.h"
#include "ExitSignals.h"
#include "FontWarmUp.h"
#include "WindowLoss.h"

#include <QObject>
#include <memory>

// What the program needs of the system around its window, whichever system
// it is: the fonts read beside the start, a display checked before Qt
// opens one, and requests to close from outside (signals on Linux; on
// Windows they come to the window itself) turned into one Qt signal.
class DesktopSession : public QObject
{
    Q_OBJECT

public:
    DesktopSession();
    // Waits for the font warm-up: end the session before the application.
    ~DesktopSession() override;

    // Makes the application, or says in one line why no window can be
    // shown and ends the program with status 1. displayChosen: the command
    // line names the display (-platform, -display).
    template<typename Application>
    std::unique_ptr<Application> openApplication(int &argc, char **argv, bool displayChosen)
    {
        std::unique_ptr<Application> application;
        {
            const DisplayGuard guard(displayChosen);
            application = std::make_unique<Application>(argc, argv);
        }
        m_fonts.applicationStarted();
        return application;
    }

    // From now on, ending the program from outside asks for a close.
    void watchCloseRequests();
    // So does the window's destruction by another program.
    void watchWindow(QWindow *window);
    // Waits until the fonts are read; call before the application goes.
    void end() { m_fonts.wait(); }

signals:
    void closeRequested();

private:
    FontWarmUp m_fonts;
    std::unique_ptr<ExitSignals> m_exitSignals;
    std::unique_ptr<WindowLoss> m_windowLoss;
};
