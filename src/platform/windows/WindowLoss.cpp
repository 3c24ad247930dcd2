#include "platform/WindowLoss.h"

// No other program can destroy a window of this one on Windows.
class WindowLoss::Filter
{
};

WindowLoss::WindowLoss(QWindow *window)
    : m_window(window)
{
}

WindowLoss::~WindowLoss() = default;

#include "platform/moc_WindowLoss.cpp"
