#include "Clips.h"

#include "DetMath.h"
#include "Filters.h"
#include "Rng.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int kRate = 44100;
constexpr int kFrames = 11000;

// The sheet is shaken out in three strokes, each weaker than the last.
double shakeStrength(double ms)
{
    constexpr double centres[] = {38.0, 112.0, 178.0};
    constexpr double widths[] = {26.0, 24.0, 30.0};
    constexpr double heights[] = {1.0, 0.75, 0.45};
    double sum = 0.0;
    for (int i = 0; i < 3; ++i) {
        const double d = (ms - centres[i]) / widths[i];
        sum += heights[i] * DetMath::exp(-d * d);
    }
    return sum;
}

// One crinkle: a few clicks in quick succession, each a short ring of the
// film at its own pitch, placed somewhere between the ears.
void addCrinkle(Signal &s, Rng &rng, int start, double strength)
{
    const double pan = rng.uniform();
    const double gains[2] = {DetMath::cos(pan * DetMath::kPi / 2), DetMath::sin(pan * DetMath::kPi / 2)};
    const int clicks = 1 + rng.below(4);
    int at = start;
    for (int k = 0; k < clicks; ++k) {
        const double freq = rng.range(2200.0, 9500.0);
        Resonator ring(freq, rng.range(900.0, 3500.0), kRate);
        const double tau = rng.range(0.12, 0.7) * kRate / 1000.0;
        const double decay = DetMath::decayFactor(tau);
        const double amp = strength * rng.range(0.4, 1.0) * (k == 0 ? 1.0 : 0.6);
        double env = 1.0;
        for (int n = at; n < kFrames && env > 0.002; ++n) {
            const double v = amp * ring.step(rng.bipolar() * env) * 3.0;
            s.channels[0][n] += gains[0] * v;
            s.channels[1][n] += gains[1] * v;
            env *= decay;
        }
        at += int(rng.range(0.2, 1.6) * kRate / 1000.0);
    }
}

void addCrinkles(Signal &s, Rng &rng)
{
    int placed = 0;
    while (placed < 300) {
        const double ms = rng.range(0.0, 240.0);
        const double density = shakeStrength(ms);
        if (rng.uniform() > 0.08 + density)
            continue;
        const double u = rng.uniform();
        addCrinkle(s, rng, s.frameAt(ms), (0.12 + 0.88 * u * u) * (0.3 + 0.7 * density));
        ++placed;
    }
}

// The rush of air and the soft rubbing of film against film.
void addSwish(Signal &s, Rng &rng)
{
    Resonator band[2] = {Resonator(2600.0, 4200.0, kRate), Resonator(3000.0, 4600.0, kRate)};
    OnePole hiss[2] = {OnePole(700.0, kRate), OnePole(700.0, kRate)};
    OnePole whump[2] = {OnePole(180.0, kRate), OnePole(180.0, kRate)};
    for (int n = 0; n < kFrames; ++n) {
        const double strength = shakeStrength(s.ms(n));
        const double common = rng.bipolar();
        for (int c = 0; c < 2; ++c) {
            const double noise = 0.6 * common + 0.4 * rng.bipolar();
            const double air = hiss[c].highPass(band[c].step(noise));
            const double low = whump[c].lowPass(noise);
            s.channels[c][n] += strength * (0.16 * air + 0.5 * low);
        }
    }
}

} // namespace

namespace Clips {

Signal ruffle102()
{
    Signal s(2, kFrames, kRate);
    Rng rng(102);
    addSwish(s, rng);
    addCrinkles(s, rng);
    s.removeDc();
    s.softLimit(2.0);
    s.fadeEdges(s.frameAt(10.0), s.frameAt(30.0));
    s.normalize(0.86);
    return s;
}

} // namespace Clips
