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
    static constexpr int kWidth = 50;
    static constexpr int kHeight = 40;
    static constexpr int kSheetGrey = 123; // the bubble wrap between the bubbles

    // grey(x, y) in 0..255 for a point in pixel units, (0, 0) the top-left corner.
    explicit GreyPicture(const std::function<double(double, double)> &grey);

    static const std::vector<int> &palette();
    int indexAt(int x, int y) const { return m_index[std::size_t(y * kWidth + x)]; }
    std::vector<std::uint8_t> bmp() const;

private:
    std::vector<int> m_index;
};
