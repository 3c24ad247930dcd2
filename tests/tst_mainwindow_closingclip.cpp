// The program itself, ended from outside, with its real sound back end
// playing into a private PulseAudio server: its window goes at once, the
// closing clip is heard to its end, and the process ends when the clip
// has ended; with no sound server it ends at once.
#include "support/ProcessProbes.h"
#include "support/PulseTestServer.h"
#include "support/SoundCapture.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <chrono>
#include <csignal>

namespace {

using Clock = SoundCapture::Clock;

// The closing clip: 24190 frames at 44100 Hz.
constexpr double closingClipMs = 548.5;

// The last frame in [from, to) with a sample that is not silent, or -1.
qint64 lastSound(const SoundCapture &capture, qint64 from, qint64 to)
{
    const std::vector<qint16> samples = capture.samples(from, to);
    for (qint64 i = qint64(samples.size()) - 1; i >= 0; --i)
        if (samples[size_t(i)] != 0)
            return from + i / 2;
    return -1;
}

} // namespace

class MainWindowClosingClipTest : public QObject
{
    Q_OBJECT

private slots:
    void theClosingClipIsHeardToItsEndBeforeTheProgramEnds();
    void withoutASoundServerTheProgramEndsAtOnce();
};

void MainWindowClosingClipTest::theClosingClipIsHeardToItsEndBeforeTheProgramEnds()
{
    PulseTestServer server;
    QVERIFY2(server.start(), qPrintable(QStringLiteral("cannot start pulseaudio: ") + server.error()));
    SoundCapture capture(server.fifoPath());
    QVERIFY(capture.isOpen());
    QVERIFY(capture.waitForSinkTime(200, 5000));

    QTemporaryDir home;
    QProcess program;
    QVERIFY(startProgram(program, QStringLiteral(PLINKETY_PROGRAM), home.path()));
    // The greeting is heard first; then the program waits in its event loop.
    QVERIFY2(capture.waitForSound(0, 10000) >= 0, "the greeting was not heard");
    QVERIFY(capture.waitForSinkTime(300, 5000));

    const qint64 mark = capture.frameCount();
    ::kill(pid_t(program.processId()), SIGTERM);
    QVERIFY(program.waitForFinished(10000));
    const Clock::time_point ended = Clock::now();
    QCOMPARE(program.exitCode(), 0);
    QVERIFY(capture.waitForSinkTime(200, 5000));

    const qint64 first = capture.firstSoundFrom(mark);
    QVERIFY2(first >= 0, "the closing clip was not heard");
    const qint64 last = lastSound(capture, first, capture.frameCount());
    const double heardMs = 1000.0 * double(last - first + 1) / SoundCapture::kRate;
    QVERIFY2(heardMs > closingClipMs - 20, qPrintable(QStringLiteral("heard %1 ms of the clip").arg(heardMs)));
    // The process was there until the clip's last sound, and not much longer.
    const double endAfterClipMs = msBetween(capture.heardAt(last), ended);
    QVERIFY2(endAfterClipMs > -30 && endAfterClipMs < 1000,
             qPrintable(QStringLiteral("ended %1 ms after the clip's end").arg(endAfterClipMs)));
}

void MainWindowClosingClipTest::withoutASoundServerTheProgramEndsAtOnce()
{
    QTemporaryDir home;
    qputenv("PULSE_SERVER", QByteArray("unix:") + home.filePath(QStringLiteral("no-server")).toLocal8Bit());
    QProcess program;
    QVERIFY(startProgram(program, QStringLiteral(PLINKETY_PROGRAM), home.path()));
    const Clock::time_point signalled = Clock::now();
    ::kill(pid_t(program.processId()), SIGTERM);
    QVERIFY(program.waitForFinished(10000));
    const double endedAfterMs = msBetween(signalled, Clock::now());
    QCOMPARE(program.exitCode(), 0);
    // Far less than the clip it could not play.
    QVERIFY2(endedAfterMs < closingClipMs, qPrintable(QStringLiteral("ended %1 ms after the signal").arg(endedAfterMs)));
    QVERIFY(QFile::exists(home.filePath(QStringLiteral("Plinkety/Plinkety.conf"))));
}

QTEST_MAIN(MainWindowClosingClipTest)
#include "tst_mainwindow_closingclip.moc"
