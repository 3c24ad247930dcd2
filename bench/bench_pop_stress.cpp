// Whether every pop of a running program is heard: RUNS program runs, each
// with its own sound back end (as a new start of the program has), the
// greeting and then POPS pops at a quick player's pace, every one listened
// for at the test sound server's sink. Prints the pops not heard, and the
// longest run of them in a row, per server; decides nothing.
//
//   bench_pop_stress [runs [pops]]     (default 50 runs of 40 pops)
#include "ClickToSound.h"
#include "sound/SoundClips.h"
#include "sound/SystemAudioBackend.h"

#include <QCoreApplication>
#include <QRandomGenerator>

#include <algorithm>
#include <cstdio>
#include <thread>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 50;
    const int pops = argc > 2 ? std::max(1, std::atoi(argv[2])) : 40;

    PulseTestServer server;
    std::unique_ptr<SoundCapture> listening;
    if (!startListening(server, listening))
        return 1;
    const SoundCapture &capture = *listening;

    int lost = 0, longestLostRun = 0, runsWithLoss = 0;
    Latencies latencies;
    for (int run = 1; run <= runs; ++run) {
        const auto backend = createSystemAudioBackend();
        SoundClips::PrepareGreeting(*backend);
        SoundClips clips(*backend);
        clips.FillTable();
        clips.LoadClip(SoundClips::Pop0);
        clips.PlayBufferInARow(3);
        int lostHere = 0, lostInARow = 0, longestHere = 0;
        QString which;
        for (int pop = 0; pop < pops; ++pop) {
            const int pauseMs = 80 + QRandomGenerator::global()->bounded(120);
            const auto due = SoundCapture::Clock::now() + std::chrono::milliseconds(pauseMs);
            const double ms = latencyOf(capture, [&] { clips.PlayClip(pop % 4, AudioBackend::Mode::Asynchronous); });
            if (std::isnan(ms)) {
                which += QStringLiteral(" %1").arg(pop + 1);
                ++lostHere;
                longestHere = std::max(longestHere, ++lostInARow);
            } else {
                lostInARow = 0;
                latencies.take(ms);
            }
            std::this_thread::sleep_until(due);
        }
        if (lostHere) {
            ++runsWithLoss;
            std::printf("run %2d: %d of %d pops not heard (pop%s), %d in a row at most%s\n", run, lostHere, pops,
                        qPrintable(which), longestHere, lostInARow == lostHere ? ", all at its end" : "");
        }
        lost += lostHere;
        longestLostRun = std::max(longestLostRun, longestHere);
    }
    std::printf("%s: %d runs of %d pops; %d pops not heard in %d runs, at most %d in a row\n",
                PulseTestServer::isPipeWire() ? "PipeWire" : "PulseAudio", runs, pops, lost, runsWithLoss, longestLostRun);
    printFigures("pop to first sample", latencies.ms);
    return lost == 0 ? 0 : 1;
}
