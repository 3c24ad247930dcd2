#pragma once

#include <array>
#include <functional>

// The artwork of a 32 x 32 icon: the palette index at a point given in
// pixel units ((0, 0) the top-left corner), or -1 where it is transparent.
using IconArt = std::function<int(double, double)>;

namespace IconArtwork {

constexpr int kSize = 32;

// Indexes into the sixteen standard colours.
enum Colour { Black = 0, Maroon = 1, Green = 2, Grey = 8, Silver = 7, Red = 9, Yellow = 11, Blue = 12, Navy = 4, White = 15 };

struct Rgb
{
    unsigned r, g, b;
};

// The sixteen standard colours of a 16-colour display.
inline constexpr std::array<Rgb, 16> kPalette{{
    {0, 0, 0}, {128, 0, 0}, {0, 128, 0}, {128, 128, 0}, {0, 0, 128}, {128, 0, 128}, {0, 128, 128}, {192, 192, 192},
    {128, 128, 128}, {255, 0, 0}, {0, 255, 0}, {255, 255, 0}, {0, 0, 255}, {255, 0, 255}, {0, 255, 255}, {255, 255, 255},
}};

// The starburst's shapes, shared by its pictures and its vector drawing.
// Angles are measured from the left, turning clockwise on screen.
// A star's radius runs linearly in angle from `inner` between its points
// to `outer` at them; `turn` (a share of a full turn) turns it.
struct Star
{
    int points;
    double inner, outer, turn;
};
inline constexpr Star kYellowStar{12, 8.2, 11.4, 0.5 / 12.0};
inline constexpr Star kRedStar{12, 9.6, 15.9, 0.0}; // behind the yellow one
inline constexpr double kRimWidth = 1.0;            // maroon, around the red star

// The exclamation mark: a bar narrowing downwards, then a round dot.
struct Exclamation
{
    double top, bottom, topHalfWidth, bottomHalfWidth;
    double dotY, dotRadius;
};
inline constexpr Exclamation kExclamation{7.0, 18.8, 2.3, 1.4, 22.6, 2.1};
inline constexpr double kMid = 16.0; // the centre of the icon, on both axes

double starRadius(double angle, const Star &star);

// A yellow and red starburst with a blue exclamation mark: the program's icon.
int starburst(double x, double y);
// A question mark of one colour on a disc of another, outlined in outline.
int questionDisc(double x, double y, int mark, int disc, int outline);

} // namespace IconArtwork
