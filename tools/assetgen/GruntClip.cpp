#include "Clips.h"

#include "DetMath.h"
#include "Voice.h"

namespace {

constexpr int kRate = 44100;
constexpr int kFrames = 24190;

// An open "uh" at the start, the lips closing into a nasal "m".
const Formants kUh{{620.0, 1180.0, 2450.0, 3400.0}, {90.0, 110.0, 160.0, 250.0}};
const Formants kMm{{260.0, 1050.0, 2250.0, 3300.0}, {70.0, 180.0, 220.0, 300.0}};
const Formants kPuff{{700.0, 1300.0, 2500.0, 3500.0}, {300.0, 400.0, 500.0, 600.0}};

// Pitch falls from a pressed start into a tired, creaky end.
double pitchAt(double ms)
{
    return 78.0 + 62.0 * DetMath::exp(-(ms - 40.0) / 170.0);
}

const Formants &shapeAt(double ms, Formants &scratch)
{
    if (ms < 110.0)
        return kUh;
    if (ms < 190.0) {
        scratch = Formants::mix(kUh, kMm, DetMath::smoothstep(110.0, 190.0, ms));
        return scratch;
    }
    if (ms < 395.0)
        return kMm;
    return kPuff;
}

double voicingAt(double ms)
{
    const double rise = DetMath::smoothstep(35.0, 95.0, ms);
    const double fall = 1.0 - DetMath::smoothstep(300.0, 400.0, ms);
    const double nasal = ms > 150.0 ? 0.75 : 1.0; // a closed mouth is quieter
    return rise * fall * nasal;
}

// The "h" that opens the grunt and the "ph" of air pushed out at its end.
double breathAt(double ms)
{
    const double h = DetMath::smoothstep(5.0, 45.0, ms) * (1.0 - DetMath::smoothstep(60.0, 110.0, ms));
    const double puff = ms < 396.0 ? 0.0 : DetMath::smoothstep(396.0, 400.0, ms) * DetMath::exp(-(ms - 398.0) / 45.0);
    return 0.5 * h + 1.6 * puff + 0.1;
}

} // namespace

namespace Clips {

Signal grunt107()
{
    Signal s(2, kFrames, kRate);
    Voice voice(kRate, 107);
    Formants scratch;
    for (int n = 0; n < kFrames; ++n) {
        const double ms = s.ms(n);
        // The voice runs out of breath and creaks at the end.
        voice.setRoughness(0.012 + 0.05 * DetMath::smoothstep(260.0, 380.0, ms));
        const double v = voice.step(pitchAt(ms), shapeAt(ms, scratch), voicingAt(ms), breathAt(ms));
        s.channels[0][n] = v;
    }
    // A hair of delay on the right gives the voice a little room.
    constexpr int delay = 11;
    for (int n = 0; n < kFrames; ++n)
        s.channels[1][n] = n >= delay ? 0.94 * s.channels[0][n - delay] : 0.0;
    s.removeDc();
    s.fadeEdges(s.frameAt(3.0), s.frameAt(60.0));
    s.normalize(0.8);
    return s;
}

} // namespace Clips
