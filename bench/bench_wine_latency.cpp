// Click-to-sound under Wine: the time from a press, a line written to the
// Windows build's latency_probe.exe (bench/windows), until the first sample
// of its pop sounds at the sink of a private PulseAudio server, which Wine's
// own PulseAudio driver plays into. For the program's WASAPI back end and,
// in turns with it in the same run, for a floor client that keeps a raw
// WASAPI stream running. Prints figures; decides nothing.
//
//   bench_wine_latency [presses [latency_probe.exe]]     (default 100 of each)
#include "ClickToSound.h"
#include "support/PulseTestServer.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <thread>

#ifndef LATENCY_PROBE
#error "LATENCY_PROBE must name the Windows probe program"
#endif

namespace {

// The goal: the program's median within this of the floor's.
constexpr double kGoalMs = 1.0;

// A fresh Wine prefix for the run; its server is ended with it.
class WinePrefix
{
public:
    WinePrefix()
    {
        qputenv("WINEPREFIX", m_dir.filePath(QStringLiteral("prefix")).toLocal8Bit());
        // Made first, and its server left to end: the processes Wine starts
        // as it makes a prefix hold wine-run.sh's lock on it while they live,
        // and a second probe would wait for them.
        QProcess boot;
        boot.setStandardOutputFile(QProcess::nullDevice());
        boot.setStandardErrorFile(QProcess::nullDevice());
        boot.start(QStringLiteral("bash"), {QStringLiteral(WINE_RUN), QStringLiteral("wineboot"), QStringLiteral("-u")});
        boot.waitForFinished(120000);
        QProcess::execute(kWineserver, {QStringLiteral("-w")});
    }
    ~WinePrefix() { QProcess::execute(kWineserver, {QStringLiteral("-k")}); }

private:
    static constexpr const char *kWineserver = "/usr/lib/wine/wineserver";
    QTemporaryDir m_dir;
};

// latency_probe.exe in one mode, taking presses.
struct Probe
{
    explicit Probe(const char *mode)
        : mode(mode)
    {
    }

    bool start(const QString &program)
    {
        process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process.start(QStringLiteral("bash"), {QStringLiteral(WINE_RUN), program, QString::fromLatin1(mode)});
        while (!process.canReadLine() && process.waitForReadyRead(60000))
            continue;
        return process.readLine().trimmed() == "ready";
    }
    void press()
    {
        process.write("\n");
        process.waitForBytesWritten(1000);
    }
    void end()
    {
        process.closeWriteChannel();
        if (!process.waitForFinished(10000))
            process.kill();
        process.waitForFinished();
    }

    const char *mode;
    QProcess process;
    Latencies latencies;
};

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const int presses = argc > 1 ? std::max(1, std::atoi(argv[1])) : 100;
    const QString program = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QStringLiteral(LATENCY_PROBE);
    if (!QFileInfo::exists(program)) {
        std::fprintf(stderr, "no %s: build the Windows program first (scripts/windows/build.sh)\n", qPrintable(program));
        return 1;
    }
    PulseTestServer server;
    std::unique_ptr<SoundCapture> listening;
    if (!startListening(server, listening))
        return 1;
    SoundCapture &capture = *listening;

    WinePrefix prefix;
    Probe probes[] = {Probe("floor"), Probe("plinkety")};
    const bool started = std::all_of(std::begin(probes), std::end(probes), [&](Probe &p) { return p.start(program); });
    for (int press = -5; started && press < presses; ++press) { // five of each to warm up
        for (Probe &probe : probes) {
            // A random pause, so that presses fall on every point of Wine's and the sink's cycles.
            std::this_thread::sleep_for(std::chrono::milliseconds(100 + QRandomGenerator::global()->bounded(100)));
            const double ms = latencyOf(capture, [&] { probe.press(); });
            if (press >= 0)
                probe.latencies.take(ms);
        }
    }
    for (Probe &probe : probes)
        probe.end();
    if (!started) {
        std::fprintf(stderr, "latency_probe.exe did not start in both modes\n");
        return 1;
    }

    const Latencies &floor = probes[0].latencies;
    const Latencies &ours = probes[1].latencies;
    std::printf("the pop through Wine's PulseAudio driver to PulseAudio's pipe sink at %d Hz, %d presses each, in turns\n",
                SoundCapture::kRate, presses);
    printFigures("floor client: press to first sample", floor.ms);
    printFigures("Plinkety: press to first sample", ours.ms);
    if (!floor.ms.empty() && !ours.ms.empty())
        std::printf("median: Plinkety %+.1f ms from the floor (goal: at most %+.1f ms)\n",
                    percentile(ours.ms, 50) - percentile(floor.ms, 50), kGoalMs);
    for (const Probe &probe : probes) {
        if (probe.latencies.silent)
            std::printf("%s: %d presses were not heard\n", probe.mode, probe.latencies.silent);
        if (probe.latencies.early)
            std::printf("%s: %d presses were dated before their press, and left out\n", probe.mode, probe.latencies.early);
    }
    return 0;
}
