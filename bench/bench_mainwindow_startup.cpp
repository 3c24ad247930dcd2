// Start-up of the main window against a bare QWidget window, measured in the
// same run: from launching the process to the window's first frame (painted
// and flushed), and the resident memory at that moment. Each sample is a
// fresh process. Plinkety runs twice: with the greeting on the silent back
// end, and with the real one, heard through a private sound server (see
// PulseTestServer) as the program's own main() sets it up. A bare window
// never loads the font configuration, which any window with text does
// first, so a bare window showing a label and a button is measured too.
//   bench_mainwindow_startup [runs]      (offscreen unless QT_QPA_PLATFORM is set)
#include "Percentile.h"
#include "platform/FontWarmUp.h"
#include "platform/RandomSource.h"
#include "support/MemorySettingsStore.h"
#include "support/ProcessProbes.h"
#include "support/PulseTestServer.h"
#include "support/SoundCapture.h"
#include "sound/SilentBackend.h"
#include "sound/SoundClips.h"
#include "sound/SystemAudioBackend.h"
#include "ui/frmPlinkety.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <optional>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

// Notes the moment right after the first paint of the window has been
// flushed (the first thing queued during it), and ends the event loop.
class FirstFrame : public QObject
{
public:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && !m_seen) {
            m_seen = true;
            QTimer::singleShot(0, qApp, [this] {
                shownAt = Clock::now();
                residentThen = residentKiB();
                QCoreApplication::quit();
            });
        }
        return QObject::eventFilter(watched, event);
    }

    Clock::time_point shownAt {};
    long long residentThen = 0;

private:
    bool m_seen = false;
};

enum class Window { Bare, BareWithText, Plinkety, PlinketyWithSound };

int child(int argc, char **argv, Window kind)
{
    // As main() does: the fonts are read, and the server connected to,
    // while Qt starts.
    const bool plinkety = kind == Window::Plinkety || kind == Window::PlinketyWithSound;
    std::optional<FontWarmUp> fonts;
    if (plinkety)
        fonts.emplace();
    const std::unique_ptr<AudioBackend> audio = kind == Window::PlinketyWithSound
        ? createSystemAudioBackend() : std::make_unique<SilentBackend>();
    SoundClips::PrepareGreeting(*audio);
    QApplication app(argc, argv);
    if (fonts)
        fonts->applicationStarted();
    MemorySettingsStore settings;
    ClockRandomSource random;
    std::unique_ptr<QWidget> window;
    if (plinkety) {
        window = std::make_unique<frmPlinkety>(*audio, settings, random);
    } else {
        window = std::make_unique<QWidget>();
        window->setWindowTitle(QStringLiteral("Bare"));
        window->resize(296, 229);
        if (kind == Window::BareWithText) {
            (new QLabel(QStringLiteral("0 bubbles popped!"), window.get()))->move(2, 212);
            (new QPushButton(QStringLiteral("Quit"), window.get()))->move(240, 205);
        }
    }
    FirstFrame firstFrame;
    window->installEventFilter(&firstFrame);
    window->show();
    QApplication::exec();
    if (fonts)
        fonts->wait();
    // The parent's clock is the same monotonic one: it subtracts the launch.
    std::printf("%lld %lld\n", qint64(std::chrono::duration_cast<std::chrono::nanoseconds>(
                                          firstFrame.shownAt.time_since_epoch()).count()), firstFrame.residentThen);
    return 0;
}

struct Sample
{
    double ms = 0;
    long kib = 0;
};

Sample runChild(const QString &self, const QString &mode)
{
    QProcess process;
    const Clock::time_point launched = Clock::now();
    process.start(self, {mode});
    process.waitForFinished(60000);
    const QList<QByteArray> fields = process.readAllStandardOutput().trimmed().split(' ');
    if (fields.size() != 2) {
        std::fprintf(stderr, "the %s run failed: %s\n", qPrintable(mode), process.readAllStandardError().constData());
        std::exit(1);
    }
    const Clock::time_point shown {std::chrono::nanoseconds(fields[0].toLongLong())};
    return {msBetween(launched, shown), fields[1].toLong()};
}


void report(const char *what, const std::vector<Sample> &samples, const std::vector<Sample> *plinkety)
{
    auto msOf = [](const std::vector<Sample> &v, int percent) {
        std::vector<double> ms;
        for (const Sample &s : v)
            ms.push_back(s.ms);
        return percentile(ms, percent);
    };
    auto mibOf = [](const std::vector<Sample> &v) {
        std::vector<long> kib;
        for (const Sample &s : v)
            kib.push_back(s.kib);
        return percentile(kib, 50) / 1024.0;
    };
    std::printf("  %-30s median %6.1f  p90 %6.1f ms %6.1f MiB", what, msOf(samples, 50), msOf(samples, 90),
                mibOf(samples));
    if (plinkety)
        std::printf("   Plinkety with sound: %+.1f ms (median), %+.1f MiB", msOf(*plinkety, 50) - msOf(samples, 50),
                    mibOf(*plinkety) - mibOf(samples));
    std::printf("\n");
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    const QByteArray mode = argc > 1 ? QByteArray(argv[1]) : QByteArray();
    if (mode == "bare")
        return child(argc, argv, Window::Bare);
    if (mode == "bare-text")
        return child(argc, argv, Window::BareWithText);
    if (mode == "plinkety")
        return child(argc, argv, Window::Plinkety);
    if (mode == "plinkety-sound")
        return child(argc, argv, Window::PlinketyWithSound);

    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 15;
    const QString self = QCoreApplication::applicationFilePath();
    // A sink with little latency of its own, as a sound card's can be: the
    // test sink at 44100 Hz takes 23 ms per block, at 192000 Hz 5 ms.
    const QByteArray sinkRate = qEnvironmentVariableIsEmpty("PLINKETY_TEST_SINK_RATE")
        ? QByteArray("192000") : qgetenv("PLINKETY_TEST_SINK_RATE");
    qputenv("PLINKETY_TEST_SINK_RATE", sinkRate);
    PulseTestServer server;
    if (!server.start()) {
        std::fprintf(stderr, "cannot start the sound server: %s\n", qPrintable(server.error()));
        return 1;
    }
    SoundCapture capture(server.fifoPath()); // the sink needs someone listening
    capture.waitForSinkTime(200, 5000);
    runChild(self, QStringLiteral("plinkety-sound")); // warm the file cache
    std::vector<Sample> bare, bareText, plinkety, plinketySound;
    for (int i = 0; i < runs; ++i) {
        bare.push_back(runChild(self, QStringLiteral("bare")));
        bareText.push_back(runChild(self, QStringLiteral("bare-text")));
        plinkety.push_back(runChild(self, QStringLiteral("plinkety")));
        plinketySound.push_back(runChild(self, QStringLiteral("plinkety-sound")));
    }
    std::printf("launch to first frame, and resident memory then (%s, %s sink at %s Hz, %d runs each)\n",
                qgetenv("QT_QPA_PLATFORM").constData(), PulseTestServer::isPipeWire() ? "PipeWire" : "PulseAudio",
                sinkRate.constData(), runs);
    report("Plinkety, greeting heard", plinketySound, nullptr);
    report("Plinkety, greeting silent", plinkety, nullptr);
    report("bare QWidget", bare, &plinketySound);
    report("bare QWidget, label and button", bareText, &plinketySound);
    std::printf("goals against the bare window: <= +30 ms, <= +8 MiB\n");
    return 0;
}
