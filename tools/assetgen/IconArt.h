#pragma once

#include <functional>

// The artwork of a 32 x 32 icon: the palette index at a point given in
// pixel units ((0, 0) the top-left corner), or -1 where it is transparent.
using IconArt = std::function<int(double, double)>;

namespace IconArtwork {

constexpr int kSize = 32;

// Indexes into the sixteen standard colours.
enum Colour { Black = 0, Maroon = 1, Green = 2, Grey = 8, Silver = 7, Red = 9, Yellow = 11, Blue = 12, Navy = 4, White = 15 };

// A yellow and red starburst with a blue exclamation mark: the program's icon.
int starburst(double x, double y);
// A question mark of one colour on a disc of another, outlined in outline.
int questionDisc(double x, double y, int mark, int disc, int outline);

} // namespace IconArtwork
