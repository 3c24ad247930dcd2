#include "CountSaver.h"

#include "SettingsStore.h"
#include "StoredCount.h"
#include "platform/CheckedInt.h"

#include <QThread>
#include <algorithm>
#include <exception>
#include <memory>

namespace {

// A pause this long ends a run of pops.
constexpr int pauseMs = 500;
// No pop waits longer than this for its save to start, so that with the
// save's own time none is unsaved for over two seconds.
constexpr int latestMs = 1500;

} // namespace

CountSaver::CountSaver(SettingsStore &store, QObject *parent)
    : QObject(parent)
    , m_store(store)
{
    m_pause.setSingleShot(true);
    connect(&m_pause, &QTimer::timeout, this, &CountSaver::save);
}

CountSaver::~CountSaver()
{
    finish();
}

void CountSaver::popped(qint32 countNow)
{
    if (countNow == m_countNow)
        return;
    m_countNow = countNow;
    if (!m_firstUnsaved.isValid())
        m_firstUnsaved.start();
    m_pause.start(int(std::clamp<qint64>(latestMs - m_firstUnsaved.elapsed(), 0, pauseMs)));
}

void CountSaver::save()
{
    if (m_saving) // one at a time: the next starts when this one ends
        return;
    m_firstUnsaved.invalidate();
    const qint32 pops = Checked::sub(m_countNow, m_saved);
    if (pops == 0)
        return;
    m_countSaving = m_countNow;
    std::shared_ptr<SettingsStore> twin = m_store.twin();
    if (!twin) {
        m_result = addPops(m_store, pops);
        saveDone();
        return;
    }
    m_saving = QThread::create([this, twin, pops] { m_result = addPops(*twin, pops); });
    connect(m_saving, &QThread::finished, this, [this] {
        if (m_saving)
            finish();
    });
    m_saving->start();
}

CountSaver::Result CountSaver::addPops(SettingsStore &store, qint32 pops) noexcept
{
    Result result;
    try {
        StoredCount::add(store, pops);
        result.written = store.flush(&result.whyNot);
    } catch (const std::exception &error) {
        // A count that would pass its limit: the close meets it again.
        result.whyNot = QString::fromLocal8Bit(error.what());
    }
    return result;
}

void CountSaver::finish()
{
    if (!m_saving)
        return;
    m_saving->wait();
    delete m_saving;
    m_saving = nullptr;
    saveDone();
}

void CountSaver::saveDone()
{
    if (!m_result.written) {
        m_failure = m_result.whyNot; // tried again at the next pause
        return;
    }
    m_failure.clear();
    m_saved = m_countSaving;
    // Pops made while it saved are saved at once.
    if (m_countNow != m_saved && !m_pause.isActive()) {
        m_firstUnsaved.start();
        m_pause.start(0);
    }
}
