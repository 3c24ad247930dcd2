#include "GreyPicture.h"

#include "ByteBuffer.h"

#include <cmath>

namespace {

constexpr int kSubsamples = 4;

int nearestIndex(double grey)
{
    const auto &greys = GreyPicture::palette();
    int best = 0;
    for (int i = 1; i < int(greys.size()); ++i)
        if (std::fabs(greys[std::size_t(i)] - grey) < std::fabs(greys[std::size_t(best)] - grey))
            best = i;
    return best;
}

} // namespace

GreyPicture::GreyPicture(const std::function<double(double, double)> &grey, int scale)
    : m_scale(scale)
    , m_index(std::size_t(width() * height()))
{
    const double unit = scale; // dividing by 1 leaves the scale-1 samples exact
    for (int y = 0; y < height(); ++y) {
        for (int x = 0; x < width(); ++x) {
            double sum = 0.0;
            for (int sy = 0; sy < kSubsamples; ++sy)
                for (int sx = 0; sx < kSubsamples; ++sx)
                    sum += grey((x + (sx + 0.5) / kSubsamples) / unit, (y + (sy + 0.5) / kSubsamples) / unit);
            m_index[std::size_t(y * width() + x)] = nearestIndex(sum / (kSubsamples * kSubsamples));
        }
    }
}

// Closely spaced greys around the sheet's grey for the soft shading of the
// film, wider steps towards the deep shadows and the bright highlights.
const std::vector<int> &GreyPicture::palette()
{
    static const std::vector<int> greys{24, 52, 76, 94, 106, 115, 123, 130,
                                        137, 145, 155, 168, 186, 208, 233, 255};
    return greys;
}

std::vector<std::uint8_t> GreyPicture::bmp() const
{
    const std::uint32_t rowBytes = std::uint32_t((width() * 4 + 31) / 32) * 4;
    const std::uint32_t pixelBytes = rowBytes * std::uint32_t(height());
    constexpr std::uint32_t pixelOffset = 14 + 40 + 16 * 4;
    ByteBuffer out;
    out.tag("BM");
    out.u32(pixelOffset + pixelBytes);
    out.u32(0);
    out.u32(pixelOffset);
    out.u32(40);
    out.u32(std::uint32_t(width()));
    out.u32(std::uint32_t(height())); // positive: rows stored bottom-up
    out.u16(1);
    out.u16(4);
    out.u32(0); // no compression
    out.u32(pixelBytes);
    out.u32(3780); // 96 dots per inch
    out.u32(3780);
    out.u32(16);
    out.u32(0);
    for (int g : palette()) {
        out.u8(unsigned(g)); out.u8(unsigned(g)); out.u8(unsigned(g)); out.u8(0);
    }
    for (int y = height() - 1; y >= 0; --y) {
        for (std::uint32_t b = 0; b < rowBytes; ++b) {
            const int x = int(b) * 2;
            const int hi = x < width() ? indexAt(x, y) : 0;
            const int lo = x + 1 < width() ? indexAt(x + 1, y) : 0;
            out.u8(unsigned(hi << 4 | lo));
        }
    }
    return out.bytes();
}
