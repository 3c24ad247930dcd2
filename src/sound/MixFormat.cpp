#include "MixFormat.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

// What the clip sounds on one of the device's channels, at one clip frame.
double sampleAt(const std::int16_t *frame, int clipChannels, int channel, int mixChannels)
{
    if (clipChannels == 1)
        return channel < 2 ? frame[0] : 0;
    if (mixChannels == 1)
        return (double(frame[0]) + frame[1]) / 2;
    return channel < 2 ? frame[channel] : 0;
}

// Stores a value on the 16-bit scale as one sample of the mix format
// (Windows is little-endian).
void store(char *out, double value, const MixFormat &mix)
{
    if (mix.isFloat) {
        const float sample = float(value / 32768.0);
        std::memcpy(out, &sample, sizeof sample);
        return;
    }
    // Integer samples carry the value in their top bits.
    const std::int32_t top = std::int32_t(std::lround(std::clamp(value, -32768.0, 32767.0) * 65536.0));
    std::memcpy(out, reinterpret_cast<const char *>(&top) + 4 - mix.containerBits / 8, mix.containerBits / 8);
}

} // namespace

bool MixFormat::isSupported() const
{
    if (rate == 0 || channels == 0 || validBits > containerBits)
        return false;
    return isFloat ? containerBits == 32 : (containerBits == 16 || containerBits == 24 || containerBits == 32);
}

std::vector<char> toMixFormat(const Pcm16 &clip, const MixFormat &mix)
{
    const std::int64_t frames = clip.frames();
    if (frames == 0 || clip.rate == 0 || !mix.isSupported())
        return {};
    const std::int64_t mixFrames = (frames * mix.rate + clip.rate - 1) / clip.rate;
    const int sampleBytes = mix.containerBits / 8;
    std::vector<char> converted(size_t(mixFrames * mix.frameBytes()));
    char *out = converted.data();
    for (std::int64_t i = 0; i < mixFrames; ++i) {
        // Exact for equal rates, where every frame is taken as it is.
        const double at = double(i) * clip.rate / mix.rate;
        const std::int64_t before = std::min(std::int64_t(at), frames - 1);
        const std::int64_t after = std::min(before + 1, frames - 1);
        const double weight = at - double(before);
        const std::int16_t *from = clip.samples.data() + before * clip.channels;
        const std::int16_t *to = clip.samples.data() + after * clip.channels;
        for (int channel = 0; channel < mix.channels; ++channel, out += sampleBytes) {
            const double first = sampleAt(from, clip.channels, channel, mix.channels);
            store(out, first + (sampleAt(to, clip.channels, channel, mix.channels) - first) * weight, mix);
        }
    }
    return converted;
}
