#pragma once

#include <cstdint>
#include <vector>

// The bubble pictures as 4-bit grey BMP files, 50 x 40 pixels each at
// scale 1, 100 x 80 at scale 2 and 150 x 120 at scale 3, for screens with
// that many device pixels to a pixel. Their borders are plain sheet grey,
// so that side by side they read as one continuous sheet of bubble wrap.
namespace BubblePictures {

std::vector<std::uint8_t> unpopped(int scale = 1);
// variant 0 to 3: four differently crumpled remains of a popped bubble.
std::vector<std::uint8_t> popped(int variant, int scale = 1);

} // namespace BubblePictures
