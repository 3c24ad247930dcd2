#pragma once

#include <cstdint>
#include <vector>

// The bubble pictures as 4-bit grey BMP files, 50 x 40 pixels each. Their
// borders are plain sheet grey, so that side by side they read as one
// continuous sheet of bubble wrap.
namespace BubblePictures {

std::vector<std::uint8_t> unpopped();
// variant 0 to 3: four differently crumpled remains of a popped bubble.
std::vector<std::uint8_t> popped(int variant);

} // namespace BubblePictures
