#include "IconSvg.h"

#include "DetMath.h"
#include "IconArt.h"

#include <cstdio>

using namespace IconArtwork;

namespace {

// Straight pieces along each side of a spike: the pictures' sides bow a
// little, their radius running linearly in angle, and three follow that.
constexpr int kStepsPerSide = 3;

// A coordinate with at most three decimals and no trailing zeros, so the
// text is short and the same on every run.
std::string number(double v)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.3f", v);
    std::string s(text);
    s.erase(s.find_last_not_of('0') + 1);
    if (s.back() == '.')
        s.pop_back();
    return s;
}

std::string colour(int index)
{
    const Rgb c = kPalette[std::size_t(index)];
    char text[8];
    std::snprintf(text, sizeof text, "#%02X%02X%02X", c.r, c.g, c.b);
    return text;
}

std::string point(double x, double y)
{
    return number(x) + "," + number(y) + " ";
}

// A polygon element from points as point() writes them.
std::string polygon(int fill, std::string points)
{
    points.pop_back();
    return "<polygon fill=\"" + colour(fill) + "\" points=\"" + points + "\"/>\n";
}

// A star's outline, its radius less `shrink`, as a polygon element.
std::string starPolygon(const Star &star, double shrink, int fill)
{
    std::string points;
    const int corners = 2 * kStepsPerSide * star.points;
    for (int i = 0; i < corners; ++i) {
        // Between two tips lie 2 * kStepsPerSide steps, a valley half way.
        const double angle = DetMath::kTwoPi * (double(i) / corners - star.turn);
        const double r = starRadius(angle, star) - shrink;
        points += point(kMid - r * DetMath::cos(angle), kMid - r * DetMath::sin(angle));
    }
    return polygon(fill, points);
}

std::string exclamation()
{
    const Exclamation &e = kExclamation;
    const std::string bar = point(kMid - e.topHalfWidth, e.top) + point(kMid + e.topHalfWidth, e.top)
        + point(kMid + e.bottomHalfWidth, e.bottom) + point(kMid - e.bottomHalfWidth, e.bottom);
    return polygon(Blue, bar) + "<circle fill=\"" + colour(Blue) + "\" cx=\"" + number(kMid) + "\" cy=\""
        + number(e.dotY) + "\" r=\"" + number(e.dotRadius) + "\"/>\n";
}

} // namespace

namespace IconSvg {

std::string starburst()
{
    const std::string size = std::to_string(kSize);
    // Painted back to front, as the pictures let the nearer shape win.
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\"" + size + "\" height=\"" + size
        + "\" viewBox=\"0 0 " + size + " " + size + "\">\n"
        + "<title>Plinkety</title>\n"
        + starPolygon(kRedStar, 0.0, Maroon)
        + starPolygon(kRedStar, kRimWidth, Red)
        + starPolygon(kYellowStar, 0.0, Yellow)
        + exclamation()
        + "</svg>\n";
}

} // namespace IconSvg
