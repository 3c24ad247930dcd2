// Click-to-sound latency: the time from PlayClip to the first sample of the
// clip arriving from the sound server's sink, through the program's own
// back end and a private PulseAudio server. Prints figures; decides nothing.
//
//   bench_latency [plays]     (default 100)
#include "support/ProcessProbes.h"
#include "support/PulseTestServer.h"
#include "support/SoundCapture.h"
#include "sound/SoundClips.h"
#include "sound/SystemAudioBackend.h"

#include <QCoreApplication>
#include <QRandomGenerator>

#include <algorithm>
#include <cstdio>
#include <thread>
#include <vector>

namespace {

using Clock = SoundCapture::Clock;

void printFigures(const char *what, std::vector<double> values)
{
    if (values.empty()) {
        std::printf("%-28s no figures\n", what);
        return;
    }
    std::sort(values.begin(), values.end());
    const auto at = [&](double share) { return values[std::min(values.size() - 1, size_t(share * values.size()))]; };
    double sum = 0;
    for (const double value : values)
        sum += value;
    std::printf("%-28s n=%zu  min %.1f  median %.1f  mean %.1f  p95 %.1f  max %.1f ms\n", what, values.size(),
                values.front(), at(0.5), sum / values.size(), at(0.95), values.back());
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const int plays = argc > 1 ? std::max(1, std::atoi(argv[1])) : 100;

    PulseTestServer server;
    if (!server.start()) {
        std::fprintf(stderr, "cannot start pulseaudio: %s\n", qPrintable(server.error()));
        return 1;
    }
    SoundCapture capture(server.fifoPath());
    if (!capture.isOpen() || !capture.waitForSinkTime(300, 5000)) {
        std::fprintf(stderr, "nothing comes from the sink\n");
        return 1;
    }
    const auto backend = createSystemAudioBackend();
    SoundClips clips(*backend);
    clips.FillTable();

    std::vector<double> latencies, callTimes;
    int silent = 0;
    for (int play = -5; play < plays; ++play) { // five plays to warm up
        // A random pause, so that plays fall on every point of the sink's cycle.
        std::this_thread::sleep_for(std::chrono::milliseconds(60 + QRandomGenerator::global()->bounded(60)));
        const qint64 mark = capture.frameCount();
        const auto called = Clock::now();
        clips.PlayClip(std::abs(play) % 4, AudioBackend::Mode::Asynchronous);
        const auto returned = Clock::now();
        const qint64 first = capture.waitForSound(mark, 2000);
        if (play < 0)
            continue;
        if (first < 0) {
            ++silent;
            continue;
        }
        latencies.push_back(msBetween(called, capture.arrivalOf(first)));
        callTimes.push_back(msBetween(called, returned));
    }

    std::printf("pop clips through PulseAudio's pipe sink, %d plays\n", plays);
    printFigures("PlayClip to first sample", latencies);
    printFigures("PlayClip call returns", callTimes);
    if (silent)
        std::printf("%d plays were not heard\n", silent);
    return 0;
}
