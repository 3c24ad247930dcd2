// Start-up, placement and the settings that survive between runs.
#include "frmPlinkety.h"

#include "PopLabel.h"
#include "settings/StoredCount.h"
#include "platform/RandomSource.h"
#include "platform/Twips.h"
#include "settings/SettingsStore.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QTimer>
#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

// How long after the first show a window manager may take to frame the window.
constexpr int framingTimeMs = 3000;

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
    for (const QScreen *screen : QGuiApplication::screens()) {
        const QRect area = screen->availableGeometry();
        areas.append(QRectF(Twips::fromPixels(area.x()), Twips::fromPixels(area.y()),
                            Twips::fromPixels(area.width()), Twips::fromPixels(area.height())));
    }
    return areas;
}

} // namespace

void frmPlinkety::Form_Load()
{
    m_clips.FillTable();

    m_placement = WindowPlacement::read(m_settings);
    applyPlacement();
    m_sheet.setNumPopped(StoredCount::read(m_settings));
    lblPop->setText(StatusLabel::plainLine(numPopped()));

    m_placement.correctCorner();
    m_placement.correctSize(Twips::screenSize());
    m_placement.bringOntoScreen(availableAreasTwips());
    applyPlacement();

    // The greeting: three quick pops before the sheet is built and shown.
    m_clips.LoadClip(SoundClips::Pop0);
    for (int i = 0; i < 3; ++i)
        m_clips.PlayBuffer(SoundClips::Mode::Synchronous);

    m_sheet.BuildSheet();
    m_random.seedFromClock();
    m_sheet.CountVisible();
}

// The stored values are the outer frame. Before the window is shown nobody
// knows the frame a window manager will add, so the client size first
// assumes none and is corrected once the frame is known.
void frmPlinkety::applyPlacement()
{
    m_placedFrame = pixelsOf(m_placement);
    const QRect frame = frameGeometry();
    const QRect client = geometry();
    const QSize margins(frame.width() - client.width(), frame.height() - client.height());
    move(m_placedFrame.topLeft());
    resize(std::max(1, m_placedFrame.width() - margins.width()), std::max(1, m_placedFrame.height() - margins.height()));
    layoutAreas();
}

void frmPlinkety::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (!m_fitting && !m_fitted) {
        m_fitting = true;
        QTimer::singleShot(framingTimeMs, this, &frmPlinkety::stopFitting);
    }
    fitFrameToPlacement();
}

bool frmPlinkety::event(QEvent *event)
{
    const bool handled = QWidget::event(event);
    if (m_fitting && (event->type() == QEvent::Move || event->type() == QEvent::Resize))
        fitFrameToPlacement();
    return handled;
}

void frmPlinkety::fitFrameToPlacement()
{
    if (!m_fitting)
        return;
    const QRect frame = frameGeometry();
    if (frame == geometry())
        return; // not framed yet
    // A window manager that will not take the frame is not argued with for long.
    if (frame != m_placedFrame && ++m_fitAttempts <= 3)
        applyPlacement();
    else
        stopFitting();
}

void frmPlinkety::stopFitting()
{
    m_fitting = false;
    m_fitted = true;
}

WindowPlacement frmPlinkety::presentPlacement() const
{
    const QRect frame = frameGeometry();
    // Untouched since start-up: the values exactly as read, so nothing drifts.
    if (frame == m_placedFrame || (m_fitting && frame == geometry()))
        return m_placement;
    WindowPlacement present;
    present.top = float(Twips::fromPixels(frame.top()));
    present.left = float(Twips::fromPixels(frame.left()));
    present.height = float(Twips::fromPixels(frame.height()));
    present.width = float(Twips::fromPixels(frame.width()));
    return present;
}

void frmPlinkety::closeEvent(QCloseEvent *event)
{
    if (m_handling && !m_closeAllowed) {
        // Closed from outside while a synchronous clip holds a handler: after it.
        event->ignore();
        m_waiting.append([this] { unloadNow(); });
        return;
    }
    Form_Unload();
    event->accept();
}

void frmPlinkety::unloadNow()
{
    m_closeAllowed = true;
    close();
}

void frmPlinkety::requestClose()
{
    // A modal window still open is closed first; the close follows its command.
    for (int i = 0; i < 8 && QApplication::activeModalWidget(); ++i)
        QApplication::activeModalWidget()->close();
    handleInTurn([this] { unloadNow(); });
}

void frmPlinkety::UnloadGrunt()
{
    m_clips.PlayClip(SoundClips::Closing, SoundClips::Mode::Asynchronous);
}

void frmPlinkety::Form_Unload()
{
    if (m_unloaded)
        return;
    m_unloaded = true;
    m_waiting.clear();
    UnloadGrunt();
    saveSettings();
}

void frmPlinkety::saveSettings()
{
    presentPlacement().write(m_settings);
    StoredCount::write(m_settings, numPopped());
    QString whyNot;
    if (!m_settings.flush(&whyNot)) {
        std::fprintf(stderr, "Plinkety: the pop count and the window's place could not be saved: %s\n",
                     qPrintable(whyNot));
        std::fflush(stderr);
    }
}
