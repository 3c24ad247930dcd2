#pragma once

#include <QRect>
#include <functional>

class QWidget;

// Brings a window's outer frame to the place and size it was given. Before
// the first show nobody knows the frame a window manager will add, so the
// window is placed as if it had none; once it is framed, the placement is
// applied again, a few times at most and only in the first seconds, since a
// window manager that will not take the frame is not argued with for long.
class FrameFitter
{
public:
    enum class State {
        NotShown, // not shown yet: the frame is unknown
        Fitting,  // shown: each move or resize is compared with the target
        Done,     // fitted, given up, or out of time
    };

    // apply places the window again for the target frame.
    FrameFitter(QWidget &window, std::function<void()> apply);

    QRect target() const { return m_target; }
    void setTarget(const QRect &frame) { m_target = frame; }

    void windowShown();
    void windowMovedOrResized();
    // True while the window is shown but a window manager has not framed it.
    bool awaitsFrame() const;

private:
    QWidget &m_window;
    std::function<void()> m_apply;
    State m_state = State::NotShown;
    QRect m_target;
    int m_attempts = 0;
};
