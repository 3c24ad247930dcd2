#include "IconArt.h"

#include "DetMath.h"

#include <cmath>

using namespace IconArtwork;

namespace {

double distanceToSegment(double x, double y, double x0, double y0, double x1, double y1)
{
    const double ex = x1 - x0, ey = y1 - y0;
    const double t = DetMath::clamp(((x - x0) * ex + (y - y0) * ey) / (ex * ex + ey * ey), 0.0, 1.0);
    const double dx = x0 + t * ex - x, dy = y0 + t * ey - y;
    return std::sqrt(dx * dx + dy * dy);
}

bool inExclamation(double x, double y)
{
    const Exclamation &e = kExclamation;
    if (y >= e.top && y <= e.bottom) {
        const double half = e.topHalfWidth - (e.topHalfWidth - e.bottomHalfWidth) * (y - e.top) / (e.bottom - e.top);
        if (std::fabs(x - kMid) <= half)
            return true;
    }
    const double dx = x - kMid, dy = y - e.dotY;
    return dx * dx + dy * dy <= e.dotRadius * e.dotRadius;
}

bool inQuestionMark(double x, double y)
{
    constexpr double cx = 16.0, cy = 11.2, radius = 5.2, stroke = 1.9;
    const double dx = x - cx, dy = y - cy;
    const double d = std::sqrt(dx * dx + dy * dy);
    const double angle = DetMath::atan2(-dy, dx) * 180.0 / DetMath::kPi; // degrees, counter-clockwise
    const bool onArc = std::fabs(d - radius) <= stroke && (angle >= -55.0 || angle <= -160.0);
    const double endX = cx + radius * DetMath::cos(-55.0 * DetMath::kPi / 180.0);
    const double endY = cy - radius * DetMath::sin(-55.0 * DetMath::kPi / 180.0);
    const double tipX = cx + radius * DetMath::cos(-160.0 * DetMath::kPi / 180.0);
    const double tipY = cy - radius * DetMath::sin(-160.0 * DetMath::kPi / 180.0);
    const double tip = std::sqrt((x - tipX) * (x - tipX) + (y - tipY) * (y - tipY));
    const bool neck = distanceToSegment(x, y, endX, endY, 16.0, 19.2) <= stroke;
    const bool stem = distanceToSegment(x, y, 16.0, 19.2, 16.0, 20.6) <= stroke;
    const double ddx = x - 16.0, ddy = y - 25.2;
    const bool dot = ddx * ddx + ddy * ddy <= 2.2 * 2.2;
    return onArc || tip <= stroke || neck || stem || dot;
}

} // namespace

namespace IconArtwork {

double starRadius(double angle, const Star &star)
{
    const double spike = (angle / DetMath::kTwoPi + star.turn) * star.points;
    const double frac = spike - std::floor(spike);
    const double tri = 1.0 - 2.0 * std::fabs(frac - 0.5); // 1 at a tip, 0 between tips
    return star.inner + (star.outer - star.inner) * tri;
}

int starburst(double x, double y)
{
    const double dx = x - kMid, dy = y - kMid;
    const double d = std::sqrt(dx * dx + dy * dy);
    const double angle = DetMath::atan2(dy, dx) + DetMath::kPi;
    if (inExclamation(x, y))
        return Blue;
    if (d <= starRadius(angle, kYellowStar))
        return Yellow;
    const double outer = starRadius(angle, kRedStar);
    if (d <= outer - kRimWidth)
        return Red;
    if (d <= outer)
        return Maroon;
    return -1;
}

int questionDisc(double x, double y, int mark, int disc, int outline)
{
    const double dx = x - kMid, dy = y - kMid;
    const double d = std::sqrt(dx * dx + dy * dy);
    if (d > 15.8)
        return -1;
    if (d > 14.8)
        return outline;
    return inQuestionMark(x, y) ? mark : disc;
}

} // namespace IconArtwork
