#pragma once

#include <cstdint>
#include <functional>
#include <vector>

// A small grey picture: rendered from a shading function with
// supersampling, then quantised to the sixteen greys of the palette and
// written as a 4-bit BMP.
class GreyPicture
{
public:
    static constexpr int kWidth = 50; // at scale 1
    static constexpr int kHeight = 40;
    static constexpr int kSheetGrey = 123; // the bubble wrap between the bubbles

    // grey(x, y) in 0..255 for a point in scale-1 pixel units, (0, 0) the
    // top-left corner. At scale 2 or 3 the same shading is sampled on a grid
    // that many times finer: the picture is drawn larger, not enlarged.
    explicit GreyPicture(const std::function<double(double, double)> &grey, int scale = 1);

    static const std::vector<int> &palette();
    int width() const { return kWidth * m_scale; }
    int height() const { return kHeight * m_scale; }
    int indexAt(int x, int y) const { return m_index[std::size_t(y * width() + x)]; }
    std::vector<std::uint8_t> bmp() const;

private:
    int m_scale;
    std::vector<int> m_index;
};
