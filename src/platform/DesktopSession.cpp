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
