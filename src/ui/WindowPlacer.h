#pragma once

#include "FrameFitter.h"
#include "settings/WindowPlacement.h"

#include <QObject>
#include <functional>

class QWidget;

// Puts the main window where its stored placement says: the values are its
// outer frame in twips. Before the window is shown nobody knows the frame
// a window manager will add, so the client size first assumes none and is
// corrected once the frame is known.
class WindowPlacer : public QObject
{
public:
    // layout lays the window's areas out for a new size.
    WindowPlacer(QWidget &window, std::function<void()> layout);

    // Places the window as stored.
    void place(const WindowPlacement &stored);
    // Keeps the placement on the screens there are and at a size the
    // window can take, and places the window again.
    void correct();
    // Where the window stands now; untouched since start-up, the values
    // exactly as read, so that nothing drifts from run to run.
    WindowPlacement present() const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void apply();

    QWidget &m_window;
    std::function<void()> m_layout;
    WindowPlacement m_placement; // as read and corrected at start-up
    FrameFitter m_fitter;        // brings the frame to m_placement once shown
};
