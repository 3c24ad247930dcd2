#pragma once

#include "IconArt.h"

#include <cstdint>
#include <vector>

namespace IconFiles {

// One image of an icon file: its artwork and its colour depth (4 or 1 bits).
struct IconImage
{
    IconArt art;
    int bitsPerPixel = 4;
};

// A Windows icon file of 32 x 32 images, each with its transparency mask.
std::vector<std::uint8_t> ico(const std::vector<IconImage> &images);
// The artwork drawn as a size x size RGBA PNG with smooth edges, compressed.
std::vector<std::uint8_t> png(const IconArt &art, int size);

} // namespace IconFiles
