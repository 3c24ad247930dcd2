#include "Clips.h"

#include "DetMath.h"
#include "Filters.h"
#include "Rng.h"

#include <algorithm>
#include <cmath>

namespace {

// What makes one pop sound unlike the others.
struct PopRecipe
{
    unsigned seed = 1;
    int frames = 300;
    int startFrame = 2;
    double crackMs = 0.25;     // length of the pressure wave of the bursting skin
    double crackCutoffHz = 9000.0;
    double bodyHz = 1500.0;    // ring of the plastic around the hole
    double bodyHz2 = 3100.0;
    double body2Mix = 0.4;
    double bodyTauMs = 1.5;
    double bodyMix = 0.6;
    double pitchDrop = 0.15;   // fraction the ring sags over its decay
    double noiseTauMs = 0.5;   // the hiss of escaping air
    double noiseCutoffHz = 7000.0;
    double noiseMix = 0.5;
    int rightDelay = 3;        // frames the right channel lags: sets the image
    double rightGain = 0.9;
    double tailFraction = 0.35;
    double peak = 0.86;
};

double crackWave(double t, double length)
{
    return t < 0.0 || t >= length ? 0.0 : 1.0 - 2.0 * t / length;
}

std::vector<double> popChannel(const PopRecipe &p, int channel, int rate)
{
    Rng rng(p.seed * 1000003u + unsigned(channel) * 7919u);
    const double perMs = rate / 1000.0;
    const double crackLen = p.crackMs * perMs;
    const int delay = channel == 1 ? std::max(p.rightDelay, 0) : std::max(-p.rightDelay, 0);
    OnePole crackFilter(p.crackCutoffHz, rate);
    OnePole noiseLow(p.noiseCutoffHz, rate);
    OnePole noiseHigh(1200.0, rate);
    const double bodyDecay = DetMath::decayFactor(p.bodyTauMs * perMs);
    const double body2Decay = DetMath::decayFactor(0.6 * p.bodyTauMs * perMs);
    const double noiseDecay = DetMath::decayFactor(p.noiseTauMs * perMs);
    double bodyEnv = 1.0, body2Env = 1.0, noiseEnv = 1.0, phase = 0.0, phase2 = 0.0;

    std::vector<double> out(p.frames, 0.0);
    for (int n = p.startFrame + delay; n < p.frames; ++n) {
        const double t = n - p.startFrame - delay;
        const double sag = 1.0 - p.pitchDrop * (1.0 - bodyEnv);
        phase += DetMath::kTwoPi * p.bodyHz * sag / rate;
        phase2 += DetMath::kTwoPi * p.bodyHz2 * sag / rate;
        const double crack = crackFilter.lowPass(crackWave(t, crackLen));
        const double noise = noiseLow.lowPass(noiseHigh.highPass(rng.bipolar())) * noiseEnv;
        const double body = DetMath::sin(phase) * bodyEnv + p.body2Mix * DetMath::sin(phase2) * body2Env;
        out[n] = crack + p.noiseMix * noise + p.bodyMix * body;
        bodyEnv *= bodyDecay;
        body2Env *= body2Decay;
        noiseEnv *= noiseDecay;
    }
    return out;
}

Signal makePop(const PopRecipe &p)
{
    Signal s(2, p.frames, 44100);
    for (int c = 0; c < 2; ++c)
        s.channels[c] = popChannel(p, c, s.rate);
    for (double &v : s.channels[1])
        v *= p.rightGain;
    s.fadeEdges(p.startFrame + 1, int(p.frames * p.tailFraction));
    s.removeDc();
    s.fadeEdges(p.startFrame + 1, 4);
    s.normalize(p.peak);
    return s;
}

} // namespace

namespace Clips {

Signal pop101()
{
    PopRecipe p;
    p.seed = 101; p.frames = 632;
    p.crackMs = 0.45; p.crackCutoffHz = 6000.0;
    p.bodyHz = 820.0; p.bodyHz2 = 1930.0; p.body2Mix = 0.45; p.bodyTauMs = 3.2; p.bodyMix = 1.0;
    p.pitchDrop = 0.22; p.noiseTauMs = 1.1; p.noiseCutoffHz = 5000.0; p.noiseMix = 0.45;
    p.rightDelay = 9; p.rightGain = 0.8; p.tailFraction = 0.3; p.peak = 0.88;
    return makePop(p);
}

Signal pop103()
{
    PopRecipe p;
    p.seed = 103; p.frames = 306;
    p.crackMs = 0.3; p.crackCutoffHz = 8000.0;
    p.bodyHz = 1380.0; p.bodyHz2 = 2950.0; p.body2Mix = 0.35; p.bodyTauMs = 1.5; p.bodyMix = 0.9;
    p.pitchDrop = 0.15; p.noiseTauMs = 0.6; p.noiseCutoffHz = 8000.0; p.noiseMix = 0.5;
    p.rightDelay = -2; p.rightGain = 0.92; p.tailFraction = 0.35; p.peak = 0.86;
    return makePop(p);
}

Signal pop104()
{
    PopRecipe p;
    p.seed = 104; p.frames = 171;
    p.crackMs = 0.12; p.crackCutoffHz = 14000.0;
    p.bodyHz = 2650.0; p.bodyHz2 = 5200.0; p.body2Mix = 0.3; p.bodyTauMs = 0.75; p.bodyMix = 0.7;
    p.pitchDrop = 0.1; p.noiseTauMs = 0.35; p.noiseCutoffHz = 12000.0; p.noiseMix = 0.7;
    p.rightDelay = 4; p.rightGain = 1.0; p.tailFraction = 0.4; p.peak = 0.84;
    return makePop(p);
}

Signal pop105()
{
    PopRecipe p;
    p.seed = 105; p.frames = 150;
    p.crackMs = 0.35; p.crackCutoffHz = 5000.0;
    p.bodyHz = 1750.0; p.bodyHz2 = 3400.0; p.body2Mix = 0.5; p.bodyTauMs = 0.65; p.bodyMix = 0.85;
    p.pitchDrop = 0.12; p.noiseTauMs = 0.4; p.noiseCutoffHz = 4000.0; p.noiseMix = 0.35;
    p.rightDelay = 6; p.rightGain = 0.7; p.tailFraction = 0.4; p.peak = 0.82;
    return makePop(p);
}

Signal blip106()
{
    PopRecipe first;
    first.seed = 106; first.frames = 1526;
    first.bodyHz = 1100.0; first.bodyTauMs = 2.0; first.peak = 0.5;
    PopRecipe second = first;
    second.seed = 107; second.startFrame = 600; second.bodyHz = 1250.0; second.rightDelay = -5;
    Signal s = makePop(first);
    const Signal echo = makePop(second);
    for (int c = 0; c < 2; ++c)
        for (int n = 0; n < s.frames(); ++n)
            s.channels[c][n] += 0.7 * echo.channels[c][n];
    s.normalize(0.6);
    return s;
}

} // namespace Clips
