#include "DesktopSession.h"

DesktopSession::DesktopSession() = default;

DesktopSession::~DesktopSession()
{
    end();
}

void DesktopSession::watchCloseRequests()
{
    if (m_exitSignals)
        return;
    m_exitSignals = std::make_unique<ExitSignals>();
    connect(m_exitSignals.get(), &ExitSignals::closeRequested, this, &DesktopSession::closeRequested);
}

void DesktopSession::watchWindow(QWindow *window)
{
    m_windowLoss = std::make_unique<WindowLoss>(window);
    connect(m_windowLoss.get(), &WindowLoss::lost, this, &DesktopSession::closeRequested);
}

#include "moc_DesktopSession.cpp"
