#include "CountSaver.h"

#include "SettingsStore.h"
#include "StoredCount.h"
#include "platform/CheckedInt.h"

#include <QEventLoop>
#include <QThread>
#include <algorithm>
#include <memory>
#include <utility>

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
    if (m_saving) {
        m_saving->wait();
        delete m_saving;
    }
}

qint32 CountSaver::load()
{
    m_saved = m_countNow = StoredCount::read(m_store);
    return m_saved;
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
    start(m_countNow, [pops](SettingsStore &store) { StoredCount::add(store, pops); });
}

bool CountSaver::saveNow(qint32 countNow, const std::function<void(SettingsStore &)> &alsoWrite, QString *whyNot)
{
    finish();
    m_pause.stop();
    m_firstUnsaved.invalidate();
    m_countNow = countNow;
    // Only this window's pops since its last save: another window may have
    // saved its own meanwhile.
    const qint32 pops = Checked::sub(countNow, m_saved);
    start(countNow, [pops, alsoWrite](SettingsStore &store) {
        alsoWrite(store);
        StoredCount::add(store, pops);
    });
    finish();
    if (m_result.error)
        std::rethrow_exception(std::exchange(m_result.error, nullptr));
    if (whyNot)
        *whyNot = m_failure;
    return m_failure.isEmpty();
}

void CountSaver::start(qint32 countSaving, const Job &job)
{
    m_countSaving = countSaving;
    std::shared_ptr<SettingsStore> twin = m_store.twin();
    if (!twin) {
        m_result = run(m_store, job);
        saveDone();
        return;
    }
    m_saving = QThread::create([this, twin, job] { m_result = run(*twin, job); });
    // The end of a save already waited for may still be on its way.
    const quint64 serial = ++m_serial;
    connect(m_saving, &QThread::finished, this, [this, serial] {
        if (m_saving && serial == m_serial)
            finish();
    });
    m_saving->start();
}

CountSaver::Result CountSaver::run(SettingsStore &store, const Job &job) noexcept
{
    Result result;
    try {
        job(store);
        result.written = store.flush(&result.whyNot);
    } catch (const std::exception &error) {
        // A count that would pass its limit: an autosave leaves it to the
        // close, which meets it again.
        result.whyNot = QString::fromLocal8Bit(error.what());
        result.error = std::current_exception();
    }
    return result;
}

void CountSaver::finish()
{
    if (m_saving && !m_saving->isFinished()) {
        QEventLoop loop;
        connect(m_saving, &QThread::finished, &loop, &QEventLoop::quit);
        if (!m_saving->isFinished())
            loop.exec(QEventLoop::ExcludeUserInputEvents);
    }
    if (!m_saving) // its end was seen to within the loop
        return;
    // The program's quit ends every event loop, this one too.
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

#include "moc_CountSaver.cpp"
