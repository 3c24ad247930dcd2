#include "IconFiles.h"

#include "ByteBuffer.h"

#include <algorithm>
#include <array>
#include <stdexcept>
#include <zlib.h>

namespace {

constexpr int kSize = IconArtwork::kSize;

using IconArtwork::kPalette;
using IconArtwork::Rgb;

// Pixel (x, y): the colour the majority of its sub-samples show, -1 if
// most of it is transparent.
int sampledIndex(const IconArt &art, int x, int y)
{
    std::array<int, 17> votes{};
    for (int sy = 0; sy < 4; ++sy)
        for (int sx = 0; sx < 4; ++sx)
            ++votes[std::size_t(art(x + (sx + 0.5) / 4, y + (sy + 0.5) / 4) + 1)];
    int best = 0;
    for (int i = 1; i < 17; ++i)
        if (votes[std::size_t(i)] > votes[std::size_t(best)])
            best = i;
    return best - 1;
}

void putBitmapHeader(ByteBuffer &out, int bits)
{
    const unsigned colours = 1u << bits;
    const unsigned colourRow = unsigned(kSize * bits / 8);
    out.u32(40);
    out.u32(kSize);
    out.u32(2 * kSize); // colour bitmap and mask stacked
    out.u16(1);
    out.u16(unsigned(bits));
    out.u32(0);
    out.u32((colourRow + 4) * kSize);
    out.u32(0); out.u32(0); out.u32(0); out.u32(0);
    for (unsigned i = 0; i < colours; ++i) {
        const Rgb c = bits == 1 ? (i ? Rgb{255, 255, 255} : Rgb{0, 0, 0}) : kPalette[i];
        out.u8(c.b); out.u8(c.g); out.u8(c.r); out.u8(0);
    }
}

// The colour bitmap, then the mask (1: transparent), both bottom-up.
std::vector<std::uint8_t> iconBitmap(const IconFiles::IconImage &image)
{
    const int bits = image.bitsPerPixel;
    ByteBuffer out;
    putBitmapHeader(out, bits);
    std::array<int, kSize * kSize> index{};
    for (int y = 0; y < kSize; ++y)
        for (int x = 0; x < kSize; ++x)
            index[std::size_t(y * kSize + x)] = sampledIndex(image.art, x, y);
    for (int y = kSize - 1; y >= 0; --y) {
        unsigned acc = 0, filled = 0;
        for (int x = 0; x < kSize; ++x) {
            const int i = index[std::size_t(y * kSize + x)];
            // 1 bpp: the white of the pair is index 1; black stays 0.
            const unsigned v = i < 0 ? 0u : (bits == 1 ? (i == IconArtwork::White ? 1u : 0u) : unsigned(i));
            acc = (acc << bits) | v;
            filled += unsigned(bits);
            if (filled == 8) { out.u8(acc); acc = 0; filled = 0; }
        }
    }
    for (int y = kSize - 1; y >= 0; --y) {
        for (int byte = 0; byte < kSize / 8; ++byte) {
            unsigned mask = 0;
            for (int b = 0; b < 8; ++b)
                mask = (mask << 1) | (index[std::size_t(y * kSize + byte * 8 + b)] < 0 ? 1u : 0u);
            out.u8(mask);
        }
    }
    return out.bytes();
}

void pngChunk(ByteBuffer &out, const char *type, const std::vector<std::uint8_t> &data)
{
    out.u32be(std::uint32_t(data.size()));
    ByteBuffer typed;
    typed.tag(type);
    typed.append(data);
    out.append(typed.bytes());
    out.u32be(std::uint32_t(crc32(0L, typed.bytes().data(), uInt(typed.bytes().size()))));
}

// RGBA of pixel (x, y) of a picture `size` pixels wide, averaged over 8 x 8
// sub-samples for smooth edges. The art is sampled where each sub-sample
// falls in its 32-unit space, so a large picture is drawn, not enlarged.
std::array<unsigned, 4> smoothPixel(const IconArt &art, int x, int y, int size)
{
    const double unit = double(kSize) / size;
    double r = 0, g = 0, b = 0, a = 0;
    for (int sy = 0; sy < 8; ++sy) {
        for (int sx = 0; sx < 8; ++sx) {
            const int i = art((x + (sx + 0.5) / 8) * unit, (y + (sy + 0.5) / 8) * unit);
            if (i < 0)
                continue;
            const Rgb c = kPalette[std::size_t(i)];
            r += c.r; g += c.g; b += c.b; a += 1.0;
        }
    }
    if (a == 0.0)
        return {0, 0, 0, 0};
    return {unsigned(r / a + 0.5), unsigned(g / a + 0.5), unsigned(b / a + 0.5), unsigned(255.0 * a / 64.0 + 0.5)};
}

// The pixel rows deflated by zlib at its best compression; the same zlib
// gives the same bytes every time.
std::vector<std::uint8_t> deflated(const std::vector<std::uint8_t> &raw)
{
    uLongf length = compressBound(uLong(raw.size()));
    std::vector<std::uint8_t> out(length);
    if (compress2(out.data(), &length, raw.data(), uLong(raw.size()), Z_BEST_COMPRESSION) != Z_OK)
        throw std::runtime_error("zlib could not compress a picture");
    out.resize(length);
    return out;
}

} // namespace

namespace IconFiles {

std::vector<std::uint8_t> ico(const std::vector<IconImage> &images)
{
    std::vector<std::vector<std::uint8_t>> bitmaps;
    for (const IconImage &image : images)
        bitmaps.push_back(iconBitmap(image));
    ByteBuffer out;
    out.u16(0);
    out.u16(1); // icon, not cursor
    out.u16(unsigned(images.size()));
    std::uint32_t offset = 6 + 16 * std::uint32_t(images.size());
    for (std::size_t i = 0; i < images.size(); ++i) {
        out.u8(kSize);
        out.u8(kSize);
        out.u8(1u << images[i].bitsPerPixel);
        out.u8(0);
        out.u16(1);
        out.u16(unsigned(images[i].bitsPerPixel));
        out.u32(std::uint32_t(bitmaps[i].size()));
        out.u32(offset);
        offset += std::uint32_t(bitmaps[i].size());
    }
    for (const auto &bitmap : bitmaps)
        out.append(bitmap);
    return out.bytes();
}

std::vector<std::uint8_t> png(const IconArt &art, int size)
{
    ByteBuffer header;
    header.u32be(std::uint32_t(size));
    header.u32be(std::uint32_t(size));
    header.u8(8); // bits per channel
    header.u8(6); // RGBA
    header.u8(0); header.u8(0); header.u8(0);
    ByteBuffer raw;
    for (int y = 0; y < size; ++y) {
        raw.u8(0); // no filter
        for (int x = 0; x < size; ++x)
            for (unsigned v : smoothPixel(art, x, y, size))
                raw.u8(v);
    }
    ByteBuffer out;
    for (unsigned v : {137u, 80u, 78u, 71u, 13u, 10u, 26u, 10u})
        out.u8(v);
    pngChunk(out, "IHDR", header.bytes());
    pngChunk(out, "IDAT", deflated(raw.bytes()));
    pngChunk(out, "IEND", {});
    return out.bytes();
}

} // namespace IconFiles
