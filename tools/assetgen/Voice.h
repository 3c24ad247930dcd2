#pragma once

#include "Filters.h"
#include "Rng.h"

#include <array>

// The four lowest resonances of a vocal tract: frequency and bandwidth in Hz.
struct Formants
{
    std::array<double, 4> freq{500.0, 1500.0, 2500.0, 3500.0};
    std::array<double, 4> bandwidth{80.0, 100.0, 140.0, 200.0};

    static Formants mix(const Formants &a, const Formants &b, double t);
};

// A speaking voice, one sample at a time: glottal pulses with jitter and
// breath noise, shaped by a cascade of formant resonators.
class Voice
{
public:
    Voice(int rate, unsigned seed);

    // f0 in Hz; voicing and breath are the levels of the two sources.
    double step(double f0, const Formants &formants, double voicing, double breath);
    // How unevenly the pulses come: about 0.01 for a clear voice, more for a creak.
    void setRoughness(double roughness) { m_roughness = roughness; }

private:
    double glottalPulse(double f0);

    int m_rate;
    Rng m_rng;
    std::array<Resonator, 4> m_tract{};
    std::array<Resonator, 2> m_upper{};
    bool m_upperInUse[2] = {false, false};
    OnePole m_breathTilt;
    OnePole m_presence;
    double m_phase = 0.0;
    double m_flow = 0.0;
    double m_jitter = 1.0;
    double m_shimmer = 1.0;
    double m_openQuotient = 0.6;
    double m_roughness = 0.012;
};
