#pragma once

#include <vector>

// A clip under construction: one vector of samples in [-1, 1] per channel.
struct Signal
{
    int rate = 44100;
    std::vector<std::vector<double>> channels;

    Signal(int channelCount, int frameCount, int sampleRate)
        : rate(sampleRate), channels(channelCount, std::vector<double>(frameCount, 0.0)) {}

    int frames() const { return channels.empty() ? 0 : int(channels.front().size()); }
    double ms(int frame) const { return 1000.0 * frame / rate; }
    int frameAt(double ms) const { return int(ms * rate / 1000.0); }

    // Scales every channel so the largest magnitude becomes peak.
    void normalize(double peak);
    // Raised-cosine fade in over the first and fade out over the last frames,
    // so the clip starts and ends in silence.
    void fadeEdges(int inFrames, int outFrames);
    // Removes any constant offset, which 8-bit playback would turn into a click.
    void removeDc();
    // Rounds off rare loud peaks so the body of the sound can be louder.
    void softLimit(double knee);
};
