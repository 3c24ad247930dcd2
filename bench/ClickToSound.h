#pragma once

// What the click-to-sound benchmarks share: timing a play to the first
// sample the test sound server's sink plays of it, and printing figures.
#include "Percentile.h"
#include "support/ProcessProbes.h"
#include "support/PulseTestServer.h"
#include "support/SoundCapture.h"

#include <cmath>
#include <cstdio>
#include <functional>
#include <memory>
#include <vector>

// Starts the test sound server and listens to its sink; false, said on
// stderr, where either cannot be had.
inline bool startListening(PulseTestServer &server, std::unique_ptr<SoundCapture> &capture)
{
    if (!server.start()) {
        std::fprintf(stderr, "cannot start pulseaudio: %s\n", qPrintable(server.error()));
        return false;
    }
    capture = std::make_unique<SoundCapture>(server.fifoPath());
    if (!capture->isOpen() || !capture->waitForSinkTime(300, 5000)) {
        std::fprintf(stderr, "nothing comes from the sink\n");
        return false;
    }
    return true;
}

// Milliseconds from just before `play` until the first sample of what it
// starts sounds; NaN if none came.
inline double latencyOf(const SoundCapture &capture, const std::function<void()> &play)
{
    const qint64 mark = capture.frameCount();
    const auto called = SoundCapture::Clock::now();
    play();
    const qint64 first = capture.waitForSound(mark, 2000);
    return first < 0 ? std::nan("") : msBetween(called, capture.heardAt(first));
}

// The figures of one kind. PipeWire's sink here now and then drops or
// bunches a period, so the frame count that the capture dates frames by is
// no true clock there: a first sample can be dated before its play. Such
// figures are counted, not taken, and so are plays not heard.
struct Latencies
{
    std::vector<double> ms;
    int silent = 0;
    int early = 0;

    void take(double value)
    {
        if (std::isnan(value))
            ++silent;
        else if (value < 0)
            ++early;
        else
            ms.push_back(value);
    }
};

inline void printFigures(const char *what, const std::vector<double> &values)
{
    if (values.empty()) {
        std::printf("%-34s no figures\n", what);
        return;
    }
    double sum = 0;
    for (const double value : values)
        sum += value;
    std::printf("%-34s n=%3zu  min %5.1f  median %5.1f  p90 %5.1f  mean %5.1f  max %6.1f ms\n", what, values.size(),
                percentile(values, 0), percentile(values, 50), percentile(values, 90), sum / values.size(),
                percentile(values, 100));
}
