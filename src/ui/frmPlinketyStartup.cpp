// Start-up, placement and the settings that survive between runs.
#include "frmPlinkety.h"

#include "ErrorReport.h"
#include "PopLabel.h"
#include "WindowIcons.h"
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
    m_sheet.setNumPopped(m_saver.load());
    lblPop->setText(StatusLabel::plainLine(numPopped()));

    m_placement.correctCorner();
    m_placement.correctTooSmall();
    m_placement.correctSize(Twips::screenSize());
    m_placement.bringOntoScreen(availableAreasTwips());
    applyPlacement();

    // The greeting: three quick pops, one straight after the other, all
    // heard before the sheet is built and shown.
    m_clips.LoadClip(SoundClips::Pop0);
    m_clips.PlayBufferInARow(3);

    m_sheet.BuildSheet();
    m_random.seedFromClock();
    m_sheet.CountVisible();
}

// The stored values are the outer frame. Before the window is shown nobody
// knows the frame a window manager will add, so the client size first
// assumes none and is corrected once the frame is known.
void frmPlinkety::applyPlacement()
{
    const QRect placed = pixelsOf(m_placement);
    m_fitter.setTarget(placed);
    const QRect frame = frameGeometry();
    const QRect client = geometry();
    const QSize margins(frame.width() - client.width(), frame.height() - client.height());
    move(placed.topLeft());
    resize(std::max(1, placed.width() - margins.width()), std::max(1, placed.height() - margins.height()));
    layoutAreas();
}

void frmPlinkety::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    ErrorReport::guard([this] { m_fitter.windowShown(); });
}

bool frmPlinkety::event(QEvent *event)
{
    const bool handled = QWidget::event(event);
    if (event->type() == QEvent::Move || event->type() == QEvent::Resize)
        ErrorReport::guard([this] { m_fitter.windowMovedOrResized(); });
    if (event->type() == QEvent::Paint && !m_fullIconSet) {
        // Reading the icon's other sizes would hold up the first frame: they
        // are read once it has been drawn and flushed.
        m_fullIconSet = true;
        QTimer::singleShot(0, this, [this] { setWindowIcon(WindowIcons::program()); });
    }
    return handled;
}

WindowPlacement frmPlinkety::presentPlacement() const
{
    const QRect frame = frameGeometry();
    // Untouched since start-up: the values exactly as read, so nothing drifts.
    if (frame == m_fitter.target() || m_fitter.awaitsFrame())
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
    if (!m_turns.mayCloseNow()) {
        // Closed from outside while the About command runs: after it.
        event->ignore();
        m_turns.run([this] { unloadNow(); });
        return;
    }
    ErrorReport::guard([this] { Form_Unload(); });
    event->accept();
}

void frmPlinkety::unloadNow()
{
    m_turns.closeNow([this] { close(); });
}

void frmPlinkety::requestClose()
{
    // A modal window still open is closed first; the close follows its command.
    for (int i = 0; i < 8 && QApplication::activeModalWidget(); ++i)
        QApplication::activeModalWidget()->close();
    m_turns.run([this] { unloadNow(); });
}

void frmPlinkety::commitData()
{
    if (m_turns.state() != HandlerTurns::State::Unloaded)
        saveSettings();
}

void frmPlinkety::UnloadGrunt()
{
    m_clips.PlayClip(SoundClips::Closing, SoundClips::Mode::Asynchronous);
}

void frmPlinkety::Form_Unload()
{
    if (!m_turns.unload())
        return;
    UnloadGrunt();
    saveSettings();
}

void frmPlinkety::saveSettings()
{
    const WindowPlacement placement = presentPlacement();
    QString whyNot;
    if (m_saver.saveNow(numPopped(), [&placement](SettingsStore &store) { placement.write(store); }, &whyNot))
        return;
    if (!whyNot.isEmpty())
        whyNot[0] = whyNot[0].toUpper();
    ErrorReport::warn(QStringLiteral("The pop count and the window's place could not be saved:\n\n%1.").arg(whyNot));
}
