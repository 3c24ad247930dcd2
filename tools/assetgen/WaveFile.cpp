#include "WaveFile.h"

#include "ByteBuffer.h"

#include <cmath>

namespace {

void putSample(ByteBuffer &out, double v, int bits)
{
    if (bits == 8) {
        const double q = std::floor(128.0 + 127.0 * v + 0.5);
        out.u8(unsigned(q < 1.0 ? 1.0 : (q > 255.0 ? 255.0 : q)));
        return;
    }
    double q = std::floor(32767.0 * v + 0.5);
    q = q < -32767.0 ? -32767.0 : (q > 32767.0 ? 32767.0 : q);
    out.u16(unsigned(std::int32_t(q)) & 0xFFFF);
}

} // namespace

std::vector<std::uint8_t> waveImage(const Signal &signal, int bitsPerSample, bool withFact)
{
    const unsigned channels = unsigned(signal.channels.size());
    const unsigned frames = unsigned(signal.frames());
    const unsigned blockAlign = channels * unsigned(bitsPerSample) / 8;
    const std::uint32_t dataBytes = frames * blockAlign;

    ByteBuffer out;
    out.tag("RIFF");
    out.u32(0); // patched below
    out.tag("WAVE");
    out.tag("fmt ");
    out.u32(18);
    out.u16(1);
    out.u16(channels);
    out.u32(std::uint32_t(signal.rate));
    out.u32(std::uint32_t(signal.rate) * blockAlign);
    out.u16(blockAlign);
    out.u16(unsigned(bitsPerSample));
    out.u16(0);
    if (withFact) {
        out.tag("fact");
        out.u32(4);
        out.u32(frames);
    }
    out.tag("data");
    out.u32(dataBytes);
    for (unsigned f = 0; f < frames; ++f)
        for (unsigned c = 0; c < channels; ++c)
            putSample(out, signal.channels[c][f], bitsPerSample);
    if (dataBytes % 2)
        out.u8(0);
    out.patch32(4, std::uint32_t(out.size() - 8));
    return out.bytes();
}
