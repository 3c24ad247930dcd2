#include "Signal.h"

#include "DetMath.h"

#include <cmath>

void Signal::normalize(double peak)
{
    double largest = 0.0;
    for (const auto &channel : channels)
        for (double v : channel)
            largest = std::fmax(largest, std::fabs(v));
    if (largest <= 0.0)
        return;
    const double gain = peak / largest;
    for (auto &channel : channels)
        for (double &v : channel)
            v *= gain;
}

void Signal::fadeEdges(int inFrames, int outFrames)
{
    const int n = frames();
    for (auto &channel : channels) {
        for (int i = 0; i < inFrames && i < n; ++i)
            channel[i] *= 0.5 - 0.5 * DetMath::cos(DetMath::kPi * i / inFrames);
        for (int i = 0; i < outFrames && i < n; ++i)
            channel[n - 1 - i] *= 0.5 - 0.5 * DetMath::cos(DetMath::kPi * i / outFrames);
    }
}

void Signal::softLimit(double knee)
{
    normalize(1.0);
    for (auto &channel : channels)
        for (double &v : channel)
            v = v / (1.0 + knee * std::fabs(v));
}

void Signal::removeDc()
{
    for (auto &channel : channels) {
        double sum = 0.0;
        for (double v : channel)
            sum += v;
        const double mean = channel.empty() ? 0.0 : sum / double(channel.size());
        for (double &v : channel)
            v -= mean;
    }
}
