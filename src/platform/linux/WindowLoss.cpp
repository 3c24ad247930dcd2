#include "platform/WindowLoss.h"

#include <QAbstractNativeEventFilter>
#include <QCoreApplication>
#include <QGuiApplication>

#include <xcb/xproto.h>

class WindowLoss::Filter : public QAbstractNativeEventFilter
{
public:
    explicit Filter(WindowLoss &loss)
        : m_loss(loss)
    {
    }

    bool nativeEventFilter(const QByteArray &eventType, void *message, qintptr *) override
    {
        if (eventType != "xcb_generic_event_t")
            return false;
        const auto *event = static_cast<const xcb_generic_event_t *>(message);
        if ((event->response_type & 0x7f) != XCB_DESTROY_NOTIFY)
            return false;
        const auto *destroyed = static_cast<const xcb_destroy_notify_event_t *>(message);
        // Qt forgets a window it destroys itself before the news comes back.
        const QWindow *window = m_loss.m_window;
        if (window && window->handle() && window->winId() == destroyed->window)
            QMetaObject::invokeMethod(&m_loss, &WindowLoss::lost, Qt::QueuedConnection);
        return false;
    }

private:
    WindowLoss &m_loss;
};

WindowLoss::WindowLoss(QWindow *window)
    : m_window(window)
{
    if (QGuiApplication::platformName() != u"xcb")
        return;
    m_filter = std::make_unique<Filter>(*this);
    QCoreApplication::instance()->installNativeEventFilter(m_filter.get());
}

WindowLoss::~WindowLoss()
{
    // The application may be gone already, and its filters with it.
    if (m_filter && QCoreApplication::instance())
        QCoreApplication::instance()->removeNativeEventFilter(m_filter.get());
}

#include "platform/moc_WindowLoss.cpp"
