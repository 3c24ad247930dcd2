// Plays through the Windows sound back end, run under Wine by the probe
// (tests/windows/wasapi_probe.cpp), into a private PulseAudio server through
// Wine's own PulseAudio driver, and checks what comes out of the server's
// sink. Wine gets a fresh prefix of the test's own, and its server is ended
// with the test.
#include "support/ProcessProbes.h"
#include "support/PulseTestServer.h"
#include "support/SoundCapture.h"
#include "platform/Resources.h"

#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#ifndef WASAPI_PROBE
#error "WASAPI_PROBE must name the Windows probe program"
#endif

using Clock = SoundCapture::Clock;

namespace {

// The clip as the sink plays it.
std::vector<qint16> clipAsHeard(int id)
{
    return sinkSamples(Resources::LoadResData(qint16(id)));
}

// Where `clip` starts in `heard`, found by its first sound.
qint64 startOf(const std::vector<qint16> &heard, const std::vector<qint16> &clip, qint64 from = 0)
{
    const std::vector<qint16> rest(heard.begin() + from * kFrameSamples, heard.end());
    const qint64 first = loudSpan(rest).first;
    return first < 0 ? -1 : from + first - loudSpan(clip).first;
}

} // namespace

class TestWineSound : public QObject
{
    Q_OBJECT

public:
    ~TestWineSound() override;

private slots:
    void initTestCase();

    void aClipIsHeardSampleForSample_data();
    void aClipIsHeardSampleForSample();
    void aSynchronousPlayReturnsOnceItsClipHasBeenHeard();
    void aNewPlayCutsOffTheClipStillSounding();

private:
    struct Run
    {
        int exitCode = -1;
        qint64 mark = 0;            // the sink's frame at the probe's start
        std::vector<qint16> heard;  // from there to the quiet after the probe
        QList<QByteArray> lines;    // what it printed...
        QList<Clock::time_point> printedAt; // ...and when
        // The probe's own milliseconds from its line `from` to its line `to`.
        double msBetweenLines(int from, int to) const
        {
            return lines[to].split(' ').first().toDouble() - lines[from].split(' ').first().toDouble();
        }
    };
    Run runProbe(const QStringList &arguments);

    PulseTestServer m_server;
    std::unique_ptr<SoundCapture> m_capture;
    QTemporaryDir m_wineDir;
};

TestWineSound::~TestWineSound()
{
    // Wine's server would outlive the programs it ran by a few seconds.
    if (QFileInfo::exists(m_wineDir.filePath(QStringLiteral("prefix")))) {
        const QString wineserver = QStandardPaths::findExecutable(QStringLiteral("wineserver"));
        QProcess::execute(wineserver.isEmpty() ? QStringLiteral("/usr/lib/wine/wineserver") : wineserver, {"-k"});
    }
}

void TestWineSound::initTestCase()
{
    if (!QFileInfo::exists(QStringLiteral(WASAPI_PROBE)))
        QSKIP("the Windows build's wasapi_probe.exe is not there");
    if (QStandardPaths::findExecutable(QStringLiteral("wine64")).isEmpty() && !QFileInfo::exists("/usr/lib/wine/wine64"))
        QSKIP("Wine is not installed");
    QVERIFY2(m_server.start(), qPrintable(QStringLiteral("cannot start the sound server: ") + m_server.error()));
    m_capture = std::make_unique<SoundCapture>(m_server.fifoPath());
    QVERIFY2(m_capture->isOpen(), "cannot open the sink's FIFO");
    QVERIFY(m_capture->waitForSinkTime(200, 5000));
    QVERIFY(m_wineDir.isValid());
    qputenv("WINEPREFIX", m_wineDir.filePath(QStringLiteral("prefix")).toLocal8Bit());
    // The first run makes the prefix and starts Wine's services, and reads
    // Wine's sound libraries back from the disk, where the system may have
    // put them after a minute unused: a pop played first, not listened to,
    // keeps that out of the runs that are.
    QCOMPARE(runProbe({"whole", "101"}).exitCode, 0);
}

// Runs the probe, and returns once the sink has been quiet for 300 ms after
// it ended.
TestWineSound::Run TestWineSound::runProbe(const QStringList &arguments)
{
    Run run;
    run.mark = m_capture->frameCount();
    QProcess probe;
    probe.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    probe.start(QStringLiteral("bash"), QStringList {QFINDTESTDATA("windows/wine-run.sh"), QStringLiteral(WASAPI_PROBE)} + arguments);
    // Each line is timed as it comes: the probe prints as it plays.
    while (probe.state() != QProcess::NotRunning || probe.canReadLine()) {
        if (!probe.canReadLine() && !probe.waitForReadyRead(60000) && probe.state() != QProcess::NotRunning)
            break;
        while (probe.canReadLine()) {
            run.printedAt.append(Clock::now());
            run.lines.append(probe.readLine().trimmed());
        }
    }
    probe.waitForFinished(60000);
    run.exitCode = probe.exitStatus() == QProcess::NormalExit ? probe.exitCode() : -1;
    const qint64 quiet = SoundCapture::kRate * 3 / 10;
    for (QDeadlineTimer deadline(10000); !deadline.hasExpired();) {
        const qint64 end = m_capture->frameCount();
        const qint64 last = loudSpan(m_capture->samples(run.mark, end)).second;
        if (end - run.mark - std::max<qint64>(last, 0) >= quiet)
            break;
        m_capture->waitForSinkTime(100, 1000);
    }
    run.heard = m_capture->samples(run.mark, m_capture->frameCount());
    return run;
}

void TestWineSound::aClipIsHeardSampleForSample_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("id");
    QTest::addColumn<int>("times");
    QTest::newRow("converted by Windows") << QStringList {"whole", "107"} << 107 << 1;
    QTest::newRow("converted by the back end") << QStringList {"--convert-here", "whole", "107"} << 107 << 1;
    QTest::newRow("the greeting, without gaps") << QStringList {"greeting"} << 103 << 3;
}

void TestWineSound::aClipIsHeardSampleForSample()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, id);
    QFETCH(int, times);
    std::vector<qint16> clip;
    for (int i = 0; i < times; ++i) {
        const std::vector<qint16> once = clipAsHeard(id);
        clip.insert(clip.end(), once.begin(), once.end());
    }
    const Run run = runProbe(arguments);
    QCOMPARE(run.exitCode, 0);
    const qint64 start = startOf(run.heard, clip);
    QVERIFY2(start >= 0, "nothing was heard");
    const QString clipParted = partingOf(run.heard, start, clip, frames(clip));
    QVERIFY2(clipParted.isEmpty(), qPrintable("the clip was " + clipParted));
    QCOMPARE(loudSpan(run.heard).second, start + loudSpan(clip).second);
}

void TestWineSound::aSynchronousPlayReturnsOnceItsClipHasBeenHeard()
{
    const std::vector<qint16> closing = clipAsHeard(107);
    const std::vector<qint16> pop = clipAsHeard(101);
    const Run run = runProbe({"sync-then", "107", "101"});
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.lines.size(), 5); // play, returned, play, returned, silent
    const qint64 closingStart = startOf(run.heard, closing);
    const QString closingParted = partingOf(run.heard, closingStart, closing, frames(closing));
    QVERIFY2(closingParted.isEmpty(), qPrintable("the synchronous clip was " + closingParted));
    const qint64 closingEnd = closingStart + frames(closing);
    const qint64 popStart = startOf(run.heard, pop, closingEnd);
    const QString popParted = partingOf(run.heard, popStart, pop, frames(pop));
    QVERIFY2(popParted.isEmpty(), qPrintable("the clip played next was " + popParted));

    // Returned once its last frame had sounded, and not long after.
    const double afterEnd = msBetween(m_capture->heardAt(run.mark + closingEnd - 1), run.printedAt[1]);
    const double tookMs = run.msBetweenLines(0, 1);
    qInfo("the 548.5 ms clip held the probe %.1f ms; it returned %.1f ms after its last frame sounded", tookMs, afterEnd);
    QVERIFY2(afterEnd >= 0 && afterEnd <= 200, qPrintable(QStringLiteral("returned %1 ms after its end").arg(afterEnd)));
}

void TestWineSound::aNewPlayCutsOffTheClipStillSounding()
{
    const std::vector<qint16> closing = clipAsHeard(107);
    const std::vector<qint16> pop = clipAsHeard(101);
    const Run run = runProbe({"cut", "107", "150", "101"});
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.lines.size(), 5); // play, returned, play, returned, silent

    // The pop ends what was heard, whole and alone.
    const qint64 popStart = loudSpan(run.heard).second - loudSpan(pop).second;
    const QString popParted = partingOf(run.heard, popStart, pop, frames(pop));
    QVERIFY2(popParted.isEmpty(), qPrintable("the second clip, last, was " + popParted));
    // Before it, the closing clip from its start to where it was cut off...
    const std::vector<qint16> before(run.heard.begin(), run.heard.begin() + popStart * kFrameSamples);
    const qint64 closingStart = startOf(before, closing);
    const qint64 cutAt = loudSpan(before).second + 1;
    const QString closingParted = partingOf(run.heard, closingStart, closing, cutAt - closingStart);
    QVERIFY2(closingParted.isEmpty(), qPrintable("the first clip was " + closingParted));
    QVERIFY2(cutAt - closingStart < frames(closing) / 2, "the first clip was not cut off");
    // ...by the play that cut it, about as soon as that play's own clip can sound.
    const double cutLateMs = msBetween(run.printedAt[2], m_capture->heardAt(run.mark + cutAt));
    qInfo("the first clip sounded %.1f ms, and fell silent %.1f ms after the next play", 1000.0 * (cutAt - closingStart) / SoundCapture::kRate, cutLateMs);
    QVERIFY2(cutLateMs <= 60, qPrintable(QStringLiteral("fell silent %1 ms after the next play").arg(cutLateMs)));
}

QTEST_MAIN(TestWineSound)
#include "tst_wine_sound.moc"
