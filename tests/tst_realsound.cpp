// Plays through the program's own sound back end into a private PulseAudio
// server (or PipeWire's, see PulseTestServer) and checks what comes out of
// the server's sink. The server is started here; if that fails the test
// fails. The slots run in order: the last ones stop the server, and the
// very last starts it again.
#include "support/ProcessProbes.h"
#include "support/PulseTestServer.h"
#include "support/SoundCapture.h"
#include "platform/RandomSource.h"
#include "platform/Resources.h"
#include "support/MemorySettingsStore.h"
#include "sound/SoundClips.h"
#include "sound/SystemAudioBackend.h"
#include "sound/WaveImage.h"
#include "ui/frmPlinkety.h"

#include <QElapsedTimer>
#include <QScopeGuard>
#include <QtEndian>
#include <QTimer>
#include <QTest>

#include <csignal>
#include <thread>

using namespace std::chrono_literals;
using Mode = AudioBackend::Mode;

namespace {

double energy(const std::vector<qint16> &samples)
{
    double sum = 0;
    for (const qint16 sample : samples)
        sum += double(sample) * sample;
    return sum;
}

int peak(const std::vector<qint16> &samples)
{
    int loudest = 0;
    for (const qint16 sample : samples)
        loudest = std::max(loudest, std::abs(int(sample)));
    return loudest;
}

// The frame after the third of three whole greeting pops that are all
// that `heard` holds, or -1.
qint64 endOfGreeting(const std::vector<qint16> &heard)
{
    const std::vector<qint16> pop = sinkSamples(Resources::LoadResData(103));
    const auto [popFirst, popLast] = loudSpan(pop);
    auto after = [&](qint64 from) { return std::vector<qint16>(heard.begin() + from * kFrameSamples, heard.end()); };
    qint64 from = 0;
    for (int i = 0; i < 3; ++i) {
        const qint64 first = loudSpan(after(from)).first;
        const qint64 start = from + first - popFirst;
        if (first < 0 || !holdsAt(heard, start, pop, frames(pop)))
            return -1;
        from = start + popLast + 1;
    }
    return loudSpan(after(from)).first < 0 ? from : -1;
}

} // namespace

class TestRealSound : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanupTestCase();

    void everyClipIsHeardInFull_data();
    void everyClipIsHeardInFull();
    void theGreetingSoundsThreeTimesOneAfterTheOther();
    void theGreetingIsHeardBeforeTheWindowIsShown();
    void theCallerWorksWhileTheGreetingSounds();
    void aNewPlayCutsOffTheClipStillSounding();
    void aSynchronousCheerHoldsTheThreadUntilItHasBeenHeard();
    void aClipRightAfterASynchronousOneIsHeardWhole_data();
    void aClipRightAfterASynchronousOneIsHeardWhole();
    void theClipOutlivesTheCallersBytes();
    void aClipThatCannotBePlayedIsSilentAndReturnsAtOnce_data();
    void aClipThatCannotBePlayedIsSilentAndReturnsAtOnce();
    void aClipThatCannotBePlayedStillSilencesTheOneSoundingAtOnce();
    void theSinkIsSilentBetweenClips();
    void waitUntilSilentReturnsOnceTheClosingClipHasEnded();
    void aServerThatHangsHoldsUpOnePlayAtMost();
    void aServerDyingMidClipEndsTheWait();
    void withoutAServerEveryCallReturnsAtOnce();
    void theFirstPopAfterTheServerComesBackIsHeard();

private:
    std::vector<qint16> captureFrom(qint64 mark, int quietMs = 300);
    void expectSilenceAfter(qint64 mark);

    PulseTestServer m_server;
    std::unique_ptr<SoundCapture> m_capture;
    std::unique_ptr<AudioBackend> m_backend;
    std::unique_ptr<SoundClips> m_clips;
};

void TestRealSound::initTestCase()
{
    if (!m_server.start()) {
        if (PulseTestServer::isPipeWire() && m_server.error().contains(QLatin1String("is not installed")))
            QSKIP(qPrintable(m_server.error()));
        QFAIL(qPrintable(QStringLiteral("cannot start the sound server: ") + m_server.error()));
    }
    m_capture = std::make_unique<SoundCapture>(m_server.fifoPath());
    QVERIFY2(m_capture->isOpen(), "cannot open the sink's FIFO");
    // Let the FIFO's backlog of silence drain before anything plays.
    QVERIFY(m_capture->waitForSinkTime(200, 5000));
    m_backend = createSystemAudioBackend();
    m_clips = std::make_unique<SoundClips>(*m_backend);
    m_clips->FillTable();
}

void TestRealSound::init()
{
    if (m_server.isRunning())
        QVERIFY(m_capture->waitForSinkTime(50, 2000));
}

void TestRealSound::cleanupTestCase()
{
    m_clips.reset();
    m_backend.reset();
    m_server.stop();
}

// Waits until the sink has been quiet for quietMs after the last sound,
// then returns everything heard from the mark on.
std::vector<qint16> TestRealSound::captureFrom(qint64 mark, int quietMs)
{
    const qint64 quietFrames = qint64(quietMs) * SoundCapture::kRate / 1000;
    QDeadlineTimer deadline(10000);
    while (!deadline.hasExpired()) {
        const qint64 end = m_capture->frameCount();
        const auto [first, last] = loudSpan(m_capture->samples(mark, end));
        const qint64 lastLoud = first < 0 ? mark : mark + last;
        if (end - lastLoud >= quietFrames && (first >= 0 || end - mark >= 4 * quietFrames))
            break;
        m_capture->waitForSinkTime(quietMs / 4, 1000);
    }
    return m_capture->samples(mark, m_capture->frameCount());
}

void TestRealSound::expectSilenceAfter(qint64 mark)
{
    QVERIFY(m_capture->waitForSinkTime(300, 3000));
    QCOMPARE(m_capture->firstSoundFrom(mark), qint64(-1));
}

void TestRealSound::everyClipIsHeardInFull_data()
{
    QTest::addColumn<int>("entry");
    QTest::addColumn<int>("id");
    for (int entry = 0; entry < 8; ++entry) {
        SoundClips table(*m_backend);
        table.FillTable();
        const int id = table.clipId(entry);
        QTest::addRow("%d", id) << entry << id;
    }
}

void TestRealSound::everyClipIsHeardInFull()
{
    QFETCH(int, entry);
    QFETCH(int, id);
    const QByteArray image = Resources::LoadResData(qint16(id));
    const auto wave = WaveImage::parse(image);
    QVERIFY(wave);
    const std::vector<qint16> clip = sinkSamples(image);

    const qint64 mark = m_capture->frameCount();
    m_clips->PlayClip(entry, Mode::Asynchronous);
    const std::vector<qint16> heard = captureFrom(mark);
    const auto [heardFirst, heardLast] = loudSpan(heard);
    QVERIFY2(heardFirst >= 0, "nothing was heard");

    if (wave->sampleRate == SoundCapture::kRate) {
        // Same rate: the sink must have played every sample unchanged.
        const qint64 start = heardFirst - loudSpan(clip).first;
        QVERIFY2(holdsAt(heard, start, clip, frames(clip)), qPrintable(partingOf(heard, start, clip, frames(clip))));
        QCOMPARE(heardLast, start + loudSpan(clip).second);
        return;
    }
    // Resampled by the server: compare the loud part's length and the energy.
    const double ratio = double(SoundCapture::kRate) / wave->sampleRate;
    const int clipPeak = peak(clip);
    const auto [clipFirst, clipLast] = loudSpan(clip, clipPeak / 10);
    const auto [loudFirst, loudLast] = loudSpan(heard, clipPeak / 10);
    const double clipMs = 1000.0 * (clipLast - clipFirst + 1) / wave->sampleRate;
    const double heardMs = 1000.0 * (loudLast - loudFirst + 1) / SoundCapture::kRate;
    QVERIFY2(qAbs(heardMs - clipMs) < 5, qPrintable(QStringLiteral("heard %1 ms of %2 ms").arg(heardMs).arg(clipMs)));
    const double energyRatio = energy(heard) / (energy(clip) * ratio);
    QVERIFY2(energyRatio > 0.9 && energyRatio < 1.1, qPrintable(QString::number(energyRatio)));
}

void TestRealSound::theGreetingSoundsThreeTimesOneAfterTheOther()
{
    const qint64 mark = m_capture->frameCount();
    m_clips->LoadClip(SoundClips::Pop0);
    for (int i = 0; i < 3; ++i)
        m_clips->PlayBuffer(Mode::Synchronous);
    const std::vector<qint16> heard = captureFrom(mark);

    const qint64 from = endOfGreeting(heard);
    QVERIFY2(from >= 0, "the three greeting pops were not heard whole, one after the other, and alone");
}

void TestRealSound::theGreetingIsHeardBeforeTheWindowIsShown()
{
    MemorySettingsStore settings;
    ClockRandomSource random;
    const qint64 mark = m_capture->frameCount();
    frmPlinkety window(*m_backend, settings, random);
    const SoundCapture::Clock::time_point loaded = SoundCapture::Clock::now();
    QVERIFY(!window.isVisible());

    const std::vector<qint16> heard = captureFrom(mark);
    const qint64 from = endOfGreeting(heard);
    QVERIFY2(from >= 0, "the three greeting pops were not heard whole, one after the other, and alone");
    // The last pop had sounded by the time the window could be shown; a few
    // milliseconds allow for the sink writing its blocks late.
    const double lastPopAfterLoadMs = msBetween(loaded, m_capture->heardAt(mark + from - 1));
    qInfo("the last greeting pop sounded %.1f ms after loading", lastPopAfterLoadMs);
    QVERIFY2(lastPopAfterLoadMs < 25, qPrintable(QStringLiteral("the last greeting pop sounded %1 ms after loading").arg(lastPopAfterLoadMs)));
    // With no more than a millisecond between them, three pops of 6.9 ms
    // span at most 23 ms from the first sound to the last.
    const auto [first, last] = loudSpan(heard);
    const double spanMs = 1000.0 * double(last - first + 1) / SoundCapture::kRate;
    qInfo("the greeting spans %.1f ms", spanMs);
    QVERIFY2(spanMs <= 23.0, qPrintable(QStringLiteral("the greeting spans %1 ms").arg(spanMs)));
}

void TestRealSound::theCallerWorksWhileTheGreetingSounds()
{
    using Clock = SoundCapture::Clock;
    const QByteArray pop = Resources::LoadResData(103);
    const qint64 mark = m_capture->frameCount();
    int runs = 0;
    Clock::time_point workStarted;
    m_backend->playInARow(pop, 3, [&] {
        ++runs;
        workStarted = Clock::now();
        QTest::qSleep(60); // longer than the greeting
    });
    const Clock::time_point returned = Clock::now();
    const std::vector<qint16> heard = captureFrom(mark);

    QCOMPARE(runs, 1);
    const qint64 from = endOfGreeting(heard);
    QVERIFY2(from >= 0, "the three greeting pops were not heard whole, one after the other, and alone");
    // The work began before the last pop was heard, and the call still
    // returned only after it, as the greeting's own test allows for the
    // sink writing its blocks late.
    const Clock::time_point lastHeard = m_capture->heardAt(mark + from - 1);
    QVERIFY(workStarted < lastHeard);
    const double lastPopAfterReturnMs = msBetween(returned, lastHeard);
    QVERIFY2(lastPopAfterReturnMs < 25, qPrintable(QStringLiteral("the last pop sounded %1 ms after the return").arg(lastPopAfterReturnMs)));
}

void TestRealSound::aNewPlayCutsOffTheClipStillSounding()
{
    const std::vector<qint16> closing = sinkSamples(Resources::LoadResData(107));
    const std::vector<qint16> reset = sinkSamples(Resources::LoadResData(102));
    const qint64 mark = m_capture->frameCount();
    m_clips->PlayClip(SoundClips::Closing, Mode::Asynchronous);
    const qint64 closingHeard = m_capture->waitForSound(mark, 2000);
    QVERIFY(closingHeard >= 0);
    QVERIFY(m_capture->waitForFrames(closingHeard + SoundCapture::kRate / 10, 2000));
    const qint64 cutAt = m_capture->frameCount();
    m_clips->PlayClip(SoundClips::Reset, Mode::Asynchronous);
    const std::vector<qint16> heard = captureFrom(mark);

    // The reset clip ends the capture, whole and alone.
    const qint64 resetStart = loudSpan(heard).second - loudSpan(reset).second;
    QVERIFY2(holdsAt(heard, resetStart, reset, frames(reset)), qPrintable(partingOf(heard, resetStart, reset, frames(reset))));
    // Before it, the closing clip from its start to where it was cut off.
    const std::vector<qint16> before(heard.begin(), heard.begin() + resetStart * kFrameSamples);
    const qint64 closingStart = loudSpan(before).first - loudSpan(closing).first;
    const qint64 closingEnd = loudSpan(before).second + 1;
    QVERIFY2(holdsAt(heard, closingStart, closing, closingEnd - closingStart),
             qPrintable(partingOf(heard, closingStart, closing, closingEnd - closingStart)));
    QVERIFY2(closingEnd - closingStart < frames(closing) / 2, "the closing clip was not cut off");
    // It stops no later than the reset clip's usual latency after the call.
    QVERIFY2(mark + closingEnd <= cutAt + SoundCapture::kRate / 20,
             qPrintable(QStringLiteral("the closing clip went on for %1 ms after the next play")
                            .arg(1000.0 * (mark + closingEnd - cutAt) / SoundCapture::kRate)));
}

void TestRealSound::aSynchronousCheerHoldsTheThreadUntilItHasBeenHeard()
{
    const QByteArray cheer = Resources::LoadResData(108);
    const double rateRatio = double(SoundCapture::kRate) / WaveImage::parse(cheer)->sampleRate;
    const qint64 leadingQuiet = qRound64(loudSpan(sinkSamples(cheer)).first * rateRatio);
    bool timerRan = false;
    QTimer timer;
    timer.setSingleShot(true);
    connect(&timer, &QTimer::timeout, this, [&] { timerRan = true; });
    timer.start(100);

    const qint64 mark = m_capture->frameCount();
    m_clips->PlayClip(SoundClips::Cheer, Mode::Synchronous);
    const auto returned = SoundCapture::Clock::now();
    QVERIFY2(!timerRan, "an event was handled while the cheer played");

    const auto [heardFirst, heardLast] = loudSpan(captureFrom(mark));
    QVERIFY2(heardFirst >= 0, "the cheer was not heard");
    const double sinceStart = msBetween(m_capture->heardAt(mark + heardFirst - leadingQuiet), returned);
    QVERIFY2(sinceStart >= 3000 && sinceStart <= 3200,
             qPrintable(QStringLiteral("returned %1 ms after the cheer started").arg(sinceStart)));
    const double afterEnd = msBetween(m_capture->heardAt(mark + heardLast), returned);
    qInfo("returned %.1f ms after the cheer started, %.1f ms after its last sound", sinceStart, afterEnd);
    QVERIFY2(afterEnd >= 0, qPrintable(QStringLiteral("returned %1 ms before the cheer was heard to its end").arg(-afterEnd)));
    QTRY_VERIFY(timerRan);
}

void TestRealSound::aClipRightAfterASynchronousOneIsHeardWhole_data()
{
    QTest::addColumn<int>("entry");
    for (const int entry : {SoundClips::Pop0, SoundClips::Pop1, SoundClips::Pop2, SoundClips::Pop3, SoundClips::Closing,
                            SoundClips::Reset})
        QTest::addRow("entry %d", entry) << entry;
}

void TestRealSound::aClipRightAfterASynchronousOneIsHeardWhole()
{
    QFETCH(int, entry);
    const std::vector<qint16> pop = sinkSamples(Resources::LoadResData(103));
    const std::vector<qint16> next = sinkSamples(Resources::LoadResData(m_clips->clipId(entry)));
    const qint64 mark = m_capture->frameCount();
    m_clips->PlayClip(SoundClips::Pop0, Mode::Synchronous);
    m_clips->PlayClip(entry, Mode::Asynchronous);
    const std::vector<qint16> heard = captureFrom(mark);

    const qint64 popStart = loudSpan(heard).first - loudSpan(pop).first;
    QVERIFY2(holdsAt(heard, popStart, pop, frames(pop)), "the synchronous pop was not heard whole");
    const std::vector<qint16> after(heard.begin() + (popStart + frames(pop)) * kFrameSamples, heard.end());
    const qint64 nextStart = popStart + frames(pop) + loudSpan(after).first - loudSpan(next).first;
    QVERIFY2(holdsAt(heard, nextStart, next, frames(next)), "the clip after it was not heard whole");
}

void TestRealSound::theClipOutlivesTheCallersBytes()
{
    const QByteArray original = Resources::LoadResData(102);
    const qint64 mark = m_capture->frameCount();
    {
        QByteArray callers(original.constData(), original.size());
        m_backend->play(callers, Mode::Asynchronous);
        callers.fill('\x80');
        callers.fill('\x7f', callers.size() / 2);
    }
    const std::vector<qint16> clip = sinkSamples(original);
    const std::vector<qint16> heard = captureFrom(mark);
    const qint64 start = loudSpan(heard).first - loudSpan(clip).first;
    QVERIFY(holdsAt(heard, start, clip, frames(clip)));
}

void TestRealSound::aClipThatCannotBePlayedIsSilentAndReturnsAtOnce_data()
{
    QTest::addColumn<QByteArray>("image");
    QTest::addColumn<bool>("synchronous");
    const QByteArray cheer = Resources::LoadResData(108);
    QTest::newRow("truncated, synchronous") << cheer.first(cheer.size() - 1) << true;
    QTest::newRow("truncated, asynchronous") << cheer.first(cheer.size() - 1) << false;
    QByteArray float32 = cheer;
    qToLittleEndian(quint16(3), float32.data() + 20);
    QTest::newRow("not plain PCM") << float32 << true;
    QTest::newRow("not a wave image") << QByteArray(2000, '\x55') << true;
    QTest::newRow("empty") << QByteArray() << true;
}

void TestRealSound::aClipThatCannotBePlayedIsSilentAndReturnsAtOnce()
{
    QFETCH(QByteArray, image);
    QFETCH(bool, synchronous);
    const qint64 mark = m_capture->frameCount();
    QElapsedTimer timer;
    timer.start();
    m_backend->play(image, synchronous ? Mode::Synchronous : Mode::Asynchronous);
    QVERIFY2(timer.elapsed() < 50, qPrintable(QStringLiteral("took %1 ms").arg(timer.elapsed())));
    expectSilenceAfter(mark);
}

void TestRealSound::aClipThatCannotBePlayedStillSilencesTheOneSoundingAtOnce()
{
    const qint64 mark = m_capture->frameCount();
    m_clips->PlayClip(SoundClips::Cheer, Mode::Asynchronous);
    const qint64 first = m_capture->waitForSound(mark, 2000);
    QVERIFY(first >= 0);
    QVERIFY(m_capture->waitForFrames(first + SoundCapture::kRate / 5, 2000));
    const qint64 stoppedAt = m_capture->frameCount();
    m_backend->play(QByteArray(), Mode::Asynchronous);
    const auto [heardFirst, heardLast] = loudSpan(captureFrom(mark));
    QVERIFY2(mark + heardLast <= stoppedAt + SoundCapture::kRate / 20,
             qPrintable(QStringLiteral("sounded %1 ms after the next play")
                            .arg(1000.0 * (mark + heardLast - stoppedAt) / SoundCapture::kRate)));
}

void TestRealSound::theSinkIsSilentBetweenClips()
{
    // Heard, the 8-bit pop leaves the stream open and empty: it must sound
    // like nothing, not like the lowest level an 8-bit sample can take.
    // Judged by the pop's own length from its first sound, so a capture
    // that reads the sink late on a busy machine cannot blur it.
    const auto wave = WaveImage::parse(Resources::LoadResData(103));
    QVERIFY(wave);
    const qint64 popFrames = wave->frames() * SoundCapture::kRate / wave->sampleRate;
    const qint64 mark = m_capture->frameCount();
    m_clips->PlayClip(SoundClips::Pop0, Mode::Synchronous);
    QVERIFY(m_capture->waitForSinkTime(300, 3000));
    const auto [first, last] = loudSpan(m_capture->samples(mark, m_capture->frameCount()));
    QVERIFY(first >= 0);
    QVERIFY2(last - first < popFrames + SoundCapture::kRate / 100,
             qPrintable(QStringLiteral("sounded %1 ms after the pop's %2 ms")
                            .arg(1000.0 * (last - first - popFrames) / SoundCapture::kRate)
                            .arg(1000.0 * popFrames / SoundCapture::kRate)));
}

void TestRealSound::waitUntilSilentReturnsOnceTheClosingClipHasEnded()
{
    QElapsedTimer timer;
    timer.start();
    m_backend->waitUntilSilent(5000);
    QVERIFY2(timer.elapsed() < 50, "waited with nothing sounding");

    const qint64 mark = m_capture->frameCount();
    m_clips->PlayClip(SoundClips::Closing, Mode::Asynchronous);
    m_backend->waitUntilSilent(5000);
    const auto returned = SoundCapture::Clock::now();
    const qint64 first = m_capture->firstSoundFrom(mark);
    QVERIFY(first >= 0);
    // Returned once its last sound had been heard, and not long after.
    const double afterEnd = msBetween(m_capture->heardAt(mark + loudSpan(captureFrom(mark)).second), returned);
    QVERIFY2(afterEnd >= 0 && afterEnd <= 200, qPrintable(QStringLiteral("returned %1 ms after its last sound").arg(afterEnd)));

    m_clips->PlayClip(SoundClips::Cheer, Mode::Asynchronous);
    timer.restart();
    m_backend->waitUntilSilent(300);
    QVERIFY2(timer.elapsed() >= 290 && timer.elapsed() < 400, qPrintable(QString::number(timer.elapsed())));
    // Nothing of the cheer is left for the next test to hear.
    m_backend->play(QByteArray(), Mode::Asynchronous);
}

void TestRealSound::aServerThatHangsHoldsUpOnePlayAtMost()
{
    const pid_t server = pid_t(m_server.pid());
    QCOMPARE(::kill(server, SIGSTOP), 0);
    auto resume = qScopeGuard([server] { ::kill(server, SIGCONT); });
    // Whichever play first finds it silent waits a second for it; no other does.
    int heldUp = 0;
    for (int entry = -1; entry < 8; ++entry) {
        QElapsedTimer timer;
        timer.start();
        m_clips->PlayClip(entry < 0 ? SoundClips::Pop1 : entry, entry < 0 ? Mode::Asynchronous : Mode::Synchronous);
        QVERIFY2(timer.elapsed() < 1500, qPrintable(QStringLiteral("a play took %1 ms").arg(timer.elapsed())));
        heldUp += timer.elapsed() >= 50;
    }
    QVERIFY2(heldUp <= 1, qPrintable(QStringLiteral("%1 plays were held up").arg(heldUp)));

    // Once the server answers again, so do the clips.
    resume.dismiss();
    QCOMPARE(::kill(server, SIGCONT), 0);
    QVERIFY(m_capture->waitForSinkTime(100, 5000));
    bool heard = false;
    for (QDeadlineTimer deadline(10000); !heard && !deadline.hasExpired();) {
        const qint64 mark = m_capture->frameCount();
        m_clips->PlayClip(SoundClips::Pop2, Mode::Asynchronous);
        heard = m_capture->waitForSound(mark, 250) >= 0;
    }
    QVERIFY2(heard, "no clip was heard after the server came back");
}

void TestRealSound::aServerDyingMidClipEndsTheWait()
{
    std::jthread killer([this] {
        std::this_thread::sleep_for(500ms);
        ::kill(pid_t(m_server.pid()), SIGKILL);
    });
    QElapsedTimer timer;
    timer.start();
    m_clips->PlayClip(SoundClips::Cheer, Mode::Synchronous);
    const qint64 elapsed = timer.elapsed();
    killer.join();
    QTRY_VERIFY(!m_server.isRunning());
    QVERIFY2(elapsed >= 450 && elapsed < 1000, qPrintable(QStringLiteral("returned after %1 ms").arg(elapsed)));
}

void TestRealSound::withoutAServerEveryCallReturnsAtOnce()
{
    m_server.stop();
    QVERIFY(!m_server.isRunning());
    const auto check = [](const char *what, const std::function<void()> &call) {
        QElapsedTimer timer;
        timer.start();
        call();
        QVERIFY2(timer.elapsed() < 50, qPrintable(QStringLiteral("%1 took %2 ms").arg(what).arg(timer.elapsed())));
    };
    for (int entry = 0; entry < 8; ++entry) {
        check("an asynchronous play", [&] { m_clips->PlayClip(entry, Mode::Asynchronous); });
        check("a synchronous play", [&] { m_clips->PlayClip(entry, Mode::Synchronous); });
    }
    check("waiting for silence", [&] { m_backend->waitUntilSilent(5000); });
    check("getting ready", [&] { m_backend->prepare(Resources::LoadResData(103)); });
    int runs = 0;
    check("the greeting", [&] { m_backend->playInARow(Resources::LoadResData(103), 3, [&] { ++runs; }); });
    QCOMPARE(runs, 1); // what the caller does meanwhile is done all the same
    std::unique_ptr<AudioBackend> fresh;
    check("a new back end", [&] { fresh = createSystemAudioBackend(); });
    check("its first synchronous play", [&] { fresh->play(Resources::LoadResData(108), Mode::Synchronous); });
    check("its end", [&] { fresh.reset(); });
}


void TestRealSound::theFirstPopAfterTheServerComesBackIsHeard()
{
    // Gone for longer than any wait between tries could have grown to.
    QVERIFY(!m_server.isRunning());
    for (int i = 0; i < 20; ++i) {
        m_clips->PlayClip(SoundClips::Pop0, Mode::Asynchronous);
        QTest::qSleep(100);
    }
    QVERIFY2(m_server.start(), qPrintable(m_server.error()));
    const auto back = SoundCapture::Clock::now();
    m_capture = std::make_unique<SoundCapture>(m_server.fifoPath());
    QVERIFY(m_capture->isOpen());
    // A pop every 20 ms, as a quick user would make them.
    double heardAfterMs = -1;
    for (QDeadlineTimer deadline(3000); heardAfterMs < 0 && !deadline.hasExpired();) {
        const qint64 mark = m_capture->frameCount();
        const auto played = SoundCapture::Clock::now();
        m_clips->PlayClip(SoundClips::Pop1, Mode::Asynchronous);
        if (m_capture->waitForSound(mark, 20) >= 0)
            heardAfterMs = msBetween(back, played);
    }
    qInfo("the first pop heard was played %.0f ms after the server was back", heardAfterMs);
    QVERIFY2(heardAfterMs >= 0 && heardAfterMs <= 500,
             qPrintable(QStringLiteral("the first pop heard was played %1 ms after the server was back").arg(heardAfterMs)));
}

QTEST_MAIN(TestRealSound)
#include "tst_realsound.moc"
