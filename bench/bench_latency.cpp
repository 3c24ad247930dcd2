// Click-to-sound latency: the time from a play until the first sample of
// the clip sounds at the sound server's sink, through a private PulseAudio
// server, for the program's own back end and, in turns with it in the same
// run, for a floor client that keeps a stream fed with silence. Also the
// first pop after the back end has corked its stream in a pause, and how
// long the three-pop greeting holds its caller. Prints figures; decides
// nothing.
//
//   bench_latency [plays]     (default 100 of each)
#include "ClickToSound.h"
#include "FloorClient.h"
#include "support/PulseTestServer.h"
#include "sound/SoundClips.h"
#include "sound/SystemAudioBackend.h"
#include "sound/WaveImage.h"
#include "platform/Resources.h"

#include <QCoreApplication>
#include <QRandomGenerator>

#include <algorithm>
#include <cstdio>
#include <thread>
#include <vector>

using Clock = SoundCapture::Clock;

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const int plays = argc > 1 ? std::max(1, std::atoi(argv[1])) : 100;

    PulseTestServer server;
    std::unique_ptr<SoundCapture> listening;
    if (!startListening(server, listening))
        return 1;
    SoundCapture &capture = *listening;
    const auto backend = createSystemAudioBackend();
    SoundClips clips(*backend);
    clips.FillTable();
    FloorClient floor;
    if (!floor.isRunning()) {
        std::fprintf(stderr, "the floor client cannot play\n");
        return 1;
    }

    Latencies ours, floors;
    std::vector<double> callTimes;
    for (int play = -5; play < plays; ++play) { // five of each to warm up
        for (const bool isFloor : {false, true}) {
            // A random pause, so that plays fall on every point of the sink's cycle.
            std::this_thread::sleep_for(std::chrono::milliseconds(60 + QRandomGenerator::global()->bounded(60)));
            const int entry = std::abs(play) % 4;
            const QByteArray image = Resources::LoadResData(clips.clipId(entry));
            const auto wave = WaveImage::parse(image);
            double returnedMs = 0;
            const double ms = latencyOf(capture, [&] {
                const auto called = Clock::now();
                if (isFloor)
                    floor.press(image.mid(wave->dataOffset, wave->dataSize));
                else
                    clips.PlayClip(entry, AudioBackend::Mode::Asynchronous);
                returnedMs = msBetween(called, Clock::now());
            });
            if (play < 0)
                continue;
            (isFloor ? floors : ours).take(ms);
            if (!isFloor)
                callTimes.push_back(returnedMs);
        }
    }
    // After a pause long enough for the back end to cork its stream.
    Latencies afterPause;
    for (int i = 0; i < 5; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1500));
        afterPause.take(latencyOf(capture, [&] { clips.PlayClip(SoundClips::Pop0, AudioBackend::Mode::Asynchronous); }));
    }

    // The greeting: three pops handed over at once, the call returning once
    // the last has been heard; how long after its last sample it returns.
    std::vector<double> greetingCalls, greetingLate;
    clips.LoadClip(SoundClips::Pop0);
    for (int i = 0; i < 20; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(60 + QRandomGenerator::global()->bounded(60)));
        const qint64 mark = capture.frameCount();
        const auto called = Clock::now();
        clips.PlayBufferInARow(3);
        const auto returned = Clock::now();
        capture.waitForSinkTime(100, 1000);
        const qint64 last = loudSpan(capture.samples(mark, capture.frameCount())).second;
        if (last < 0)
            continue;
        greetingCalls.push_back(msBetween(called, returned));
        greetingLate.push_back(msBetween(capture.heardAt(mark + last), returned));
    }

    std::printf("pop clips through %s's pipe sink, %d plays each, in turns\n",
                PulseTestServer::isPipeWire() ? "PipeWire" : "PulseAudio", plays);
    printFigures("floor client: press to first sample", floors.ms);
    printFigures("Plinkety: PlayClip to first sample", ours.ms);
    printFigures("Plinkety: PlayClip returns", callTimes);
    printFigures("Plinkety: first pop after 1.5 s", afterPause.ms);
    printFigures("greeting: PlayBufferInARow(3) returns", greetingCalls);
    printFigures("greeting: returns after its last sample", greetingLate);
    const int silent = ours.silent + floors.silent + afterPause.silent;
    const int early = ours.early + floors.early + afterPause.early;
    if (silent)
        std::printf("%d plays were not heard\n", silent);
    if (early)
        std::printf("%d plays were dated before their call by the sink's early writes, and left out\n", early);
    return 0;
}
