#include "WindowPlacer.h"

#include "ErrorReport.h"
#include "WindowLayout.h"
#include "platform/Twips.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <algorithm>
#include <cmath>

namespace {

int framePixels(float twips)
{
    // Far beyond any screen, but still a whole number a window can take.
    constexpr double limit = 1 << 24;
    return int(std::lround(std::clamp(Twips::toPixels(twips), -limit, limit)));
}

QRect pixelsOf(const WindowPlacement &placement)
{
    QRect frame(framePixels(placement.left), framePixels(placement.top), framePixels(placement.width),
                framePixels(placement.height));
    // As under any window system, no window grows beyond the whole desktop:
    // a stored size far beyond it would make a sheet too large to count.
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        frame.setSize(frame.size().boundedTo(screen->virtualSize()));
    return frame;
}

QList<QRectF> availableAreasTwips()
{
    QList<QRectF> areas;
    for (const QScreen *screen : QGuiApplication::screens())
        areas.append(Twips::fromPixels(screen->availableGeometry()));
    return areas;
}

} // namespace

WindowPlacer::WindowPlacer(QWidget &window, std::function<void()> layout)
    : QObject(&window)
    , m_window(window)
    , m_layout(std::move(layout))
    , m_fitter(window, [this] { apply(); })
{
    window.installEventFilter(this);
}

void WindowPlacer::place(const WindowPlacement &stored)
{
    m_placement = stored;
    apply();
}

void WindowPlacer::correct()
{
    m_placement.correctCorner();
    m_placement.correctTooSmall();
    m_placement.correctSize(Twips::screenSize());
    m_placement.bringOntoScreen(availableAreasTwips());
    apply();
}

void WindowPlacer::apply()
{
    const QRect placed = pixelsOf(m_placement);
    m_fitter.setTarget(placed);
    const QMargins frame = WindowLayout::frameMargins(m_window);
    m_window.move(placed.topLeft());
    m_window.resize(std::max(1, placed.width() - frame.left() - frame.right()),
                    std::max(1, placed.height() - frame.top() - frame.bottom()));
    m_layout();
}

WindowPlacement WindowPlacer::present() const
{
    const QRect frame = m_window.frameGeometry();
    if (frame == m_fitter.target() || m_fitter.awaitsFrame())
        return m_placement;
    const QRectF twips = Twips::fromPixels(frame);
    WindowPlacement present;
    present.top = float(twips.top());
    present.left = float(twips.left());
    present.height = float(twips.height());
    present.width = float(twips.width());
    return present;
}

bool WindowPlacer::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::Show:
        ErrorReport::guard([this] { m_fitter.windowShown(); });
        break;
    case QEvent::Move:
    case QEvent::Resize:
        ErrorReport::guard([this] { m_fitter.windowMovedOrResized(); });
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}
