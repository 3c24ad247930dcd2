#include "HandlerTurns.h"

#include "ErrorReport.h"

void HandlerTurns::run(const std::function<void()> &handler)
{
    if (m_state == State::Unloaded)
        return;
    if (m_state != State::Idle) {
        m_waiting.append(handler);
        return;
    }
    for (std::function<void()> next = handler; next;) {
        m_state = State::Handling;
        ErrorReport::guard(next);
        if (m_state == State::Unloaded)
            break;
        m_state = State::Idle;
        next = m_waiting.isEmpty() ? std::function<void()>() : m_waiting.takeFirst();
    }
}

void HandlerTurns::closeNow(const std::function<void()> &close)
{
    const State before = m_state;
    m_state = State::Closing;
    close();
    if (m_state == State::Closing)
        m_state = before; // the close was refused
}

bool HandlerTurns::unload()
{
    if (m_state == State::Unloaded)
        return false;
    m_state = State::Unloaded;
    m_waiting.clear();
    return true;
}
