#include "Clips.h"

#include "DetMath.h"
#include "Filters.h"
#include "Voice.h"

#include <vector>

namespace {

constexpr int kRate = 11025;
constexpr int kFrames = 33072;

// One sound of a word: formants to reach, how long, and how it is voiced.
struct Segment
{
    Formants target;
    double share;   // of the word's length
    double voicing;
    double breath;
};

const Formants kY{{300.0, 2200.0, 2900.0, 3600.0}, {70.0, 110.0, 160.0, 250.0}};
const Formants kEh{{640.0, 1850.0, 2550.0, 3500.0}, {90.0, 110.0, 160.0, 250.0}};
const Formants kEe{{420.0, 2150.0, 2750.0, 3600.0}, {80.0, 110.0, 160.0, 250.0}};
const Formants kOo{{340.0, 880.0, 2300.0, 3300.0}, {80.0, 100.0, 150.0, 250.0}};
const Formants kR{{430.0, 1250.0, 1700.0, 3200.0}, {90.0, 120.0, 140.0, 250.0}};
const Formants kAh{{760.0, 1300.0, 2500.0, 3500.0}, {100.0, 110.0, 160.0, 250.0}};

using Word = std::vector<Segment>;
const Word kYay{{kY, 0.12, 0.6, 0.05}, {kEh, 0.55, 1.0, 0.08}, {kEe, 0.33, 0.8, 0.1}};
const Word kHooray{{kOo, 0.12, 0.0, 0.9}, {kOo, 0.25, 0.9, 0.08}, {kR, 0.15, 0.9, 0.06},
                   {kEh, 0.3, 1.0, 0.08}, {kEe, 0.18, 0.8, 0.1}};
const Word kWoo{{kOo, 0.2, 0.7, 0.05}, {kOo, 0.8, 1.0, 0.1}};
const Word kYeah{{kY, 0.1, 0.6, 0.05}, {kEh, 0.3, 1.0, 0.08}, {kAh, 0.6, 1.0, 0.1}};
const Word *const kWords[] = {&kYay, &kHooray, &kWoo, &kYeah};

// Where in the word we are: the formants glide from one target to the next.
void shapeOfWord(const Word &word, double t, Formants &formants, double &voicing, double &breath)
{
    double start = 0.0;
    for (std::size_t i = 0; i < word.size(); ++i) {
        const Segment &seg = word[i];
        if (t < start + seg.share || i + 1 == word.size()) {
            const Segment &prev = word[i == 0 ? 0 : i - 1];
            const double glide = DetMath::smoothstep(start, start + 0.4 * seg.share, t);
            formants = Formants::mix(prev.target, seg.target, glide);
            voicing = prev.voicing + (seg.voicing - prev.voicing) * glide;
            breath = prev.breath + (seg.breath - prev.breath) * glide;
            return;
        }
        start += seg.share;
    }
}

// A shouted word rises in pitch, then falls away.
double pitchContour(double t)
{
    return 0.88 + 0.3 * DetMath::smoothstep(0.0, 0.3, t) - 0.28 * DetMath::smoothstep(0.35, 1.0, t);
}

void addShout(std::vector<double> &out, Rng &rng, unsigned seed, double earliest, double latest)
{
    const Word &word = *kWords[rng.below(4)];
    const bool high = rng.uniform() < 0.6;
    const double base = high ? rng.range(290.0, 420.0) : rng.range(170.0, 240.0);
    const int start = int(rng.range(earliest, latest) * kRate);
    const int length = int(rng.range(0.6, 1.3) * kRate);
    const double gain = rng.range(0.45, 1.0);
    const double vibratoHz = rng.range(4.5, 6.5);
    Voice voice(kRate, seed);
    Formants formants;
    double voicing = 0.0, breath = 0.0;
    const double lift = high ? 1.12 : 1.0; // smaller throats: higher formants
    for (int n = 0; n < length && start + n < kFrames; ++n) {
        const double t = double(n) / length;
        shapeOfWord(word, t, formants, voicing, breath);
        for (double &f : formants.freq)
            f *= lift;
        const double env = DetMath::smoothstep(0.0, 0.06, t) * (1.0 - DetMath::smoothstep(0.7, 1.0, t));
        const double vibrato = 1.0 + 0.02 * DetMath::sin(DetMath::kTwoPi * vibratoHz * n / kRate);
        out[start + n] += gain * env * voice.step(base * pitchContour(t) * vibrato, formants, voicing, breath);
    }
}

// One pair of hands: claps a few times a second, slightly unevenly.
void addClapper(std::vector<double> &out, Rng &rng)
{
    const double perSecond = rng.range(3.6, 5.6);
    const double stop = rng.range(2.4, 2.95) * kRate;
    const double gain = rng.range(0.4, 1.0);
    double at = rng.range(0.15, 0.7) * kRate;
    while (at < stop) {
        const double palmHz = rng.range(800.0, 2300.0);
        const double palmWidth = rng.range(500.0, 1500.0);
        Resonator palm(palmHz, palmWidth, kRate);
        OnePole air(300.0, kRate);
        const double decay = DetMath::decayFactor(rng.range(3.5, 9.0) * kRate / 1000.0);
        const double amp = gain * rng.range(0.6, 1.0);
        double env = 1.0;
        for (int n = int(at); n < kFrames && env > 0.003; ++n) {
            const double noise = air.highPass(rng.bipolar());
            out[n] += amp * env * (0.5 * noise + 2.5 * palm.step(noise));
            env *= decay;
        }
        at += kRate / perSecond * (1.0 + 0.12 * rng.gaussish());
    }
}

void scaleToPeak(std::vector<double> &v, double peak)
{
    double largest = 0.0;
    for (double x : v)
        largest = x > largest ? x : (-x > largest ? -x : largest);
    if (largest > 0.0)
        for (double &x : v)
            x *= peak / largest;
}

} // namespace

namespace Clips {

Signal cheer108()
{
    Rng rng(108);
    std::vector<double> voices(kFrames, 0.0);
    for (unsigned i = 0; i < 16; ++i)
        addShout(voices, rng, 1080 + i, 0.03, 0.5);
    for (unsigned i = 0; i < 6; ++i) // a few who cheer twice
        addShout(voices, rng, 2080 + i, 0.7, 1.6);
    std::vector<double> hands(kFrames, 0.0);
    for (int i = 0; i < 18; ++i)
        addClapper(hands, rng);
    scaleToPeak(voices, 1.0);
    scaleToPeak(hands, 1.0);

    Signal s(1, kFrames, kRate);
    OnePole rumble(90.0, kRate);
    for (int n = 0; n < kFrames; ++n) {
        const double sec = double(n) / kRate;
        const double swell = DetMath::smoothstep(0.0, 0.45, sec) * (1.0 - DetMath::smoothstep(2.05, 2.98, sec));
        s.channels[0][n] = rumble.highPass(swell * (0.65 * voices[n] + 0.45 * hands[n]));
    }
    s.removeDc();
    s.fadeEdges(s.frameAt(5.0), s.frameAt(80.0));
    s.normalize(0.86);
    return s;
}

} // namespace Clips
