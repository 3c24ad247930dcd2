#include "FrameFitter.h"

#include <QTimer>
#include <QWidget>

namespace {

// How long after the first show a window manager may take to frame the window.
constexpr int framingTimeMs = 3000;
constexpr int maxAttempts = 3;

} // namespace

FrameFitter::FrameFitter(QWidget &window, std::function<void()> apply)
    : m_window(window)
    , m_apply(std::move(apply))
{
}

void FrameFitter::windowShown()
{
    if (m_state == State::NotShown) {
        m_state = State::Fitting;
        QTimer::singleShot(framingTimeMs, &m_window, [this] { m_state = State::Done; });
    }
    windowMovedOrResized();
}

void FrameFitter::windowMovedOrResized()
{
    if (m_state != State::Fitting || awaitsFrame())
        return;
    if (m_window.frameGeometry() != m_target && ++m_attempts <= maxAttempts)
        m_apply();
    else
        m_state = State::Done;
}

bool FrameFitter::awaitsFrame() const
{
    return m_state == State::Fitting && m_window.frameGeometry() == m_window.geometry();
}
