#pragma once

#include <chrono>
#include <cstdint>
#include <vector>

// 16-bit interleaved samples at their own rate and channels: what every clip
// is turned into before it is played.
struct Pcm16
{
    std::vector<std::int16_t> samples;
    std::uint32_t rate = 0;
    std::uint16_t channels = 0;

    std::int64_t frames() const { return channels ? std::int64_t(samples.size()) / channels : 0; }
    std::chrono::microseconds length() const { return std::chrono::microseconds(rate ? frames() * 1000000 / rate : 0); }
};

// The layout of the samples a Windows sound device mixes in (its "mix
// format"), as far as converting a clip into it needs.
struct MixFormat
{
    std::uint32_t rate = 0;
    std::uint16_t channels = 0;
    std::uint16_t containerBits = 0; // bits a sample takes up: 16, 24 or 32
    std::uint16_t validBits = 0;     // of which carry the sample, from the top
    bool isFloat = false;

    bool isSupported() const;
    int frameBytes() const { return channels * containerBits / 8; }
};

// The clip in the mix format: resampled by linear interpolation, a mono clip
// on the first two channels, a stereo one on the first two (averaged on a
// mono device), any further channels silent.
std::vector<char> toMixFormat(const Pcm16 &clip, const MixFormat &mix);
