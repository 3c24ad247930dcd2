#pragma once

#include <QObject>
#include <QPointer>
#include <QWindow>
#include <memory>

// Tells when the window is destroyed by another program, so that the
// program closes as it would when asked to, rather than running on with
// no window. On X11 any client may destroy any window (xdotool
// windowclose); on Windows and Wayland no other program can, and it
// never tells.
class WindowLoss : public QObject
{
    Q_OBJECT

public:
    explicit WindowLoss(QWindow *window);
    ~WindowLoss() override;

signals:
    void lost();

private:
    class Filter;
    QPointer<QWindow> m_window;
    std::unique_ptr<Filter> m_filter;
};
