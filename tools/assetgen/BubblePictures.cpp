#include "BubblePictures.h"

#include "DetMath.h"
#include "GreyPicture.h"
#include "Rng.h"

#include <cmath>
#include <vector>

namespace {

constexpr double kCentreX = 25.0;
constexpr double kCentreY = 20.0;
constexpr double kRadius = 16.0;
constexpr double kSheet = GreyPicture::kSheetGrey;

struct Vec3
{
    double x, y, z;
    Vec3 normalized() const
    {
        const double len = std::sqrt(x * x + y * y + z * z);
        return {x / len, y / len, z / len};
    }
    double dot(const Vec3 &o) const { return x * o.x + y * o.y + z * o.z; }
};

// Light from the upper right, in picture coordinates (y grows downwards).
const Vec3 kLight = Vec3{0.55, -0.6, 0.6}.normalized();
const Vec3 kHalfway = Vec3{kLight.x, kLight.y, kLight.z + 1.0}.normalized();

double power(double base, int exponent)
{
    double result = 1.0;
    for (int i = 0; i < exponent; ++i)
        result *= base;
    return result;
}

using HeightField = double (*)(double, double, const void *);

Vec3 surfaceNormal(HeightField height, const void *shape, double x, double y)
{
    constexpr double e = 0.2;
    const double hx = (height(x + e, y, shape) - height(x - e, y, shape)) / (2 * e);
    const double hy = (height(x, y + e, shape) - height(x, y - e, shape)) / (2 * e);
    return Vec3{-hx, -hy, 1.0}.normalized();
}

// Flat film keeps the sheet grey; tilted film catches or loses the light.
double litGrey(const Vec3 &n, double diffuseGain, double shine)
{
    const double diffuse = diffuseGain * (n.dot(kLight) - kLight.z);
    const auto gloss = [](double s) { return 0.3 * power(s, 16) + power(s, 120); };
    // Measured against flat film, which must keep exactly the sheet grey.
    const double glint = gloss(std::fmax(0.0, n.dot(kHalfway))) - gloss(kHalfway.z);
    return kSheet + diffuse + shine * std::fmax(0.0, glint);
}

double distanceFromCentre(double x, double y)
{
    const double dx = x - kCentreX, dy = y - kCentreY;
    return std::sqrt(dx * dx + dy * dy);
}

// --- the unpopped bubble: a clear dome of air ---

double domeHeight(double x, double y, const void *)
{
    const double d = distanceFromCentre(x, y) / kRadius;
    return d >= 1.0 ? 0.0 : 8.0 * std::sqrt(1.0 - d * d);
}

double unpoppedGrey(double x, double y)
{
    const double dx = (x - kCentreX) / kRadius, dy = (y - kCentreY) / kRadius;
    const double d = std::sqrt(dx * dx + dy * dy);
    if (d >= 1.0) {
        // The dome's shadow falls on the sheet towards the lower left.
        const double sd = distanceFromCentre(x + 2.0, y - 2.0) / kRadius;
        return kSheet - 16.0 * (1.0 - DetMath::smoothstep(0.96, 1.08, sd));
    }
    const Vec3 n = surfaceNormal(domeHeight, nullptr, x, y);
    // Clear film: the sheet shows through the middle, the light and the
    // shade gather where the film is seen edge on.
    const double edgeOn = 1.0 - n.z;
    const double through = 0.25 + 1.6 * edgeOn * std::sqrt(edgeOn);
    const double diffuse = 80.0 * through * (n.dot(kLight) - kLight.z);
    const double s = std::fmax(0.0, n.dot(kHalfway));
    const double shine = 150.0 * power(s, 70) + 35.0 * power(s, 10);
    // Light passing through the dome gathers in a glow opposite the highlight.
    const double cx = dx + 0.42, cy = dy - 0.45;
    const double glow = 22.0 * DetMath::exp(-(cx * cx + cy * cy) / 0.06);
    const double rim = -14.0 * DetMath::smoothstep(0.86, 0.99, d) * (1.0 - DetMath::smoothstep(-0.2, 0.6, dx - dy));
    return kSheet + 6.0 + diffuse + shine + glow + rim;
}

// --- the popped bubbles: a collapsed rim around creased, sagging film ---

struct Crease
{
    double x0, y0, x1, y1;
    double depth; // > 0 a ridge, < 0 a fold inwards
    double width;
};

struct Crumple
{
    std::vector<Crease> creases;
    double rimWobble[4][2]; // cos, sin weights of the 2nd to 5th harmonic
    double rimHeight = 1.8;
    double sag = 1.2;
    double roughness = 0.15;
    // Wrinkles about a pixel across: too fine for the 50 x 40 picture, whose
    // pixels would only blur them into noise, drawn where pixels are smaller.
    double fineWrinkles = 0.0;
    unsigned noiseSeed = 1;
};

double latticeValue(int ix, int iy, unsigned seed)
{
    std::uint64_t h = std::uint64_t(std::uint32_t(ix)) * 0x9E3779B97F4A7C15ull;
    h ^= std::uint64_t(std::uint32_t(iy)) * 0xC2B2AE3D27D4EB4Full + seed;
    return Rng(h).bipolar();
}

double valueNoise(double x, double y, unsigned seed)
{
    const double fx = std::floor(x), fy = std::floor(y);
    const double tx = DetMath::smoothstep(0.0, 1.0, x - fx), ty = DetMath::smoothstep(0.0, 1.0, y - fy);
    const int ix = int(fx), iy = int(fy);
    const double top = latticeValue(ix, iy, seed) * (1 - tx) + latticeValue(ix + 1, iy, seed) * tx;
    const double bottom = latticeValue(ix, iy + 1, seed) * (1 - tx) + latticeValue(ix + 1, iy + 1, seed) * tx;
    return top * (1 - ty) + bottom * ty;
}

double rimRadius(double x, double y, const Crumple &c)
{
    const double d = distanceFromCentre(x, y);
    if (d < 1e-9)
        return kRadius;
    const double cosT = (x - kCentreX) / d, sinT = (y - kCentreY) / d;
    double re = cosT, im = sinT, wobble = 0.0;
    for (int k = 0; k < 4; ++k) {
        const double r2 = re * cosT - im * sinT;
        im = re * sinT + im * cosT;
        re = r2; // now cos and sin of (k + 2) theta
        wobble += c.rimWobble[k][0] * re + c.rimWobble[k][1] * im;
    }
    return kRadius * (0.93 + wobble);
}

double creaseHeight(const Crease &cr, double x, double y)
{
    const double ex = cr.x1 - cr.x0, ey = cr.y1 - cr.y0;
    const double len2 = ex * ex + ey * ey;
    const double t = DetMath::clamp(((x - cr.x0) * ex + (y - cr.y0) * ey) / len2, 0.0, 1.0);
    const double px = cr.x0 + t * ex - x, py = cr.y0 + t * ey - y;
    const double dist = std::sqrt(px * px + py * py);
    const double taper = DetMath::smoothstep(0.0, 0.25, t) * DetMath::smoothstep(0.0, 0.25, 1.0 - t);
    const double tent = std::fmax(0.0, 1.0 - dist / cr.width);
    return cr.depth * taper * tent * tent * (3.0 - 2.0 * tent);
}

double crumpledHeight(double x, double y, const void *shape)
{
    const Crumple &c = *static_cast<const Crumple *>(shape);
    const double d = distanceFromCentre(x, y);
    const double r = rimRadius(x, y, c);
    const double u = (d - r) / 2.3;
    double h = std::fabs(u) < 1.0 ? c.rimHeight * power(DetMath::cos(u * DetMath::kPi / 2), 2) : 0.0;
    const double inside = 1.0 - DetMath::smoothstep(r - 2.5, r - 0.5, d);
    if (inside <= 0.0)
        return h;
    double film = -c.sag * (1.0 - (d / r) * (d / r));
    film += c.roughness * (valueNoise(x / 4.0, y / 4.0, c.noiseSeed) + 0.5 * valueNoise(x / 2.0, y / 2.0, c.noiseSeed + 7));
    if (c.fineWrinkles > 0.0)
        film += c.fineWrinkles * valueNoise(x / 0.9, y / 0.9, c.noiseSeed + 13);
    for (const Crease &cr : c.creases)
        film += creaseHeight(cr, x, y);
    return h + inside * film;
}

double poppedGrey(double x, double y, const Crumple &c)
{
    const double d = distanceFromCentre(x, y);
    if (d > kRadius * 1.25)
        return kSheet;
    const Vec3 n = surfaceNormal(crumpledHeight, &c, x, y);
    const double shadow = crumpledHeight(x + 0.9, y - 0.9, &c) - crumpledHeight(x, y, &c) > 0.5 ? 8.0 : 0.0;
    return litGrey(n, 70.0, 90.0) - shadow;
}

Crease randomCrease(Rng &rng, double cx, double cy, double minLen, double maxLen)
{
    const double angle = rng.range(0.0, DetMath::kPi);
    const double half = 0.5 * rng.range(minLen, maxLen);
    const double ux = DetMath::cos(angle) * half, uy = DetMath::sin(angle) * half;
    const double size = rng.range(0.8, 1.6);
    const double depth = rng.uniform() < 0.5 ? -size : size;
    return {cx - ux, cy - uy, cx + ux, cy + uy, depth, rng.range(1.2, 2.2)};
}

// A crease centred somewhere within (spreadX, spreadY) of (ox, oy). Each
// draw is its own statement: the order of draws must not depend on the
// compiler's order of evaluating arguments.
Crease creaseNear(Rng &rng, double ox, double oy, double spreadX, double spreadY, double minLen, double maxLen)
{
    const double cx = ox + rng.range(-spreadX, spreadX);
    const double cy = oy + rng.range(-spreadY, spreadY);
    return randomCrease(rng, cx, cy, minLen, maxLen);
}

Crumple crumple(int variant)
{
    Rng rng(4000u + unsigned(variant) * 17u);
    Crumple c;
    c.noiseSeed = unsigned(variant) * 31u + 5u;
    for (auto &w : c.rimWobble) {
        w[0] = rng.range(-0.035, 0.035);
        w[1] = rng.range(-0.035, 0.035);
    }
    const double ox = kCentreX + rng.range(-2.0, 2.0), oy = kCentreY + rng.range(-2.0, 2.0);
    switch (variant) {
    case 0: // folded across twice, like a pinched X
        c.creases.push_back({ox - 10, oy - 8, ox + 10, oy + 8, 1.6, 2.0});
        c.creases.push_back({ox - 9, oy + 9, ox + 9, oy - 7, -1.4, 1.8});
        for (int i = 0; i < 3; ++i)
            c.creases.push_back(creaseNear(rng, ox, oy, 6.0, 6.0, 4.0, 8.0));
        break;
    case 1: // split along one long tear, film wrinkled beside it
        c.creases.push_back({ox - 11, oy + 3, ox + 11, oy - 3, -2.6, 1.1});
        c.creases.push_back({ox - 8, oy + 7, ox + 7, oy + 3, 1.0, 1.8});
        c.creases.push_back({ox - 6, oy - 4, ox + 9, oy - 9, 0.9, 1.8});
        c.sag = 0.6;
        break;
    case 2: // puckered: folds running out from where it burst
        for (int i = 0; i < 5; ++i) {
            const double a = i * DetMath::kTwoPi / 5 + rng.range(-0.3, 0.3);
            const double len = rng.range(8.0, 12.5);
            c.creases.push_back({ox, oy, ox + DetMath::cos(a) * len, oy + DetMath::sin(a) * len * 0.85,
                                 (i % 2 ? 1.3 : -1.3), 1.8});
        }
        c.sag = 1.8;
        break;
    default: // thoroughly crumpled
        for (int i = 0; i < 9; ++i)
            c.creases.push_back(creaseNear(rng, ox, oy, 8.0, 7.0, 4.0, 10.0));
        c.roughness = 0.3;
        c.rimHeight = 1.3;
        break;
    }
    return c;
}

} // namespace

namespace BubblePictures {

std::vector<std::uint8_t> unpopped(int scale)
{
    return GreyPicture(unpoppedGrey, scale).bmp();
}

std::vector<std::uint8_t> popped(int variant, int scale)
{
    Crumple c = crumple(variant);
    if (scale > 1)
        c.fineWrinkles = 0.3 * c.roughness;
    return GreyPicture([&c](double x, double y) { return poppedGrey(x, y, c); }, scale).bmp();
}

} // namespace BubblePictures
