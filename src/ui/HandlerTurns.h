#pragma once

#include <QList>
#include <functional>

// Runs the main window's handlers one at a time, in the order their events
// came, and knows where the window stands between its load and its unload.
// The About window's modal loop lets events through while the About command
// runs: a press, a command or a close that comes meanwhile waits for it,
// instead of running inside it. Every handler runs under the error report.
class HandlerTurns
{
public:
    enum class State {
        Idle,      // open, no handler running
        Handling,  // a handler runs; what comes meanwhile waits its turn
        Closing,   // the program closes the window itself (Quit, a signal)
        Unloaded,  // Form_Unload has run: nothing else runs
    };

    State state() const { return m_state; }

    // Runs the handler now, or after the one that runs; never once unloaded.
    void run(const std::function<void()> &handler);
    // Runs close within the Closing state, so that the close it causes is
    // known to be the program's own.
    void closeNow(const std::function<void()> &close);
    // A close from outside can be carried out now, or must wait for the
    // handler that runs.
    bool mayCloseNow() const { return m_state != State::Handling; }
    // True the first time only: the window unloads exactly once.
    bool unload();

private:
    State m_state = State::Idle;
    QList<std::function<void()>> m_waiting;
};
