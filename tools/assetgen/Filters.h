#pragma once

#include "DetMath.h"

#include <cmath>

// A two-pole resonator with unity gain at its centre frequency; its
// frequency and bandwidth may change from sample to sample (formants).
class Resonator
{
public:
    Resonator() = default;
    Resonator(double freq, double bandwidth, double rate) { tune(freq, bandwidth, rate); }

    void tune(double freq, double bandwidth, double rate)
    {
        const double r = DetMath::exp(-DetMath::kPi * bandwidth / rate);
        const double c = DetMath::cos(DetMath::kTwoPi * freq / rate);
        m_b1 = 2.0 * r * c;
        m_b2 = -r * r;
        m_gain = (1.0 - r) * std::sqrt(1.0 - 2.0 * r * (2.0 * c * c - 1.0) + r * r);
    }

    // The same resonance with unity gain at 0 Hz, as a stage of a cascade
    // of formants, where each stage keeps the others' levels.
    void tuneForCascade(double freq, double bandwidth, double rate)
    {
        tune(freq, bandwidth, rate);
        m_gain = 1.0 - m_b1 - m_b2;
    }

    double step(double x)
    {
        const double y = m_gain * x + m_b1 * m_y1 + m_b2 * m_y2;
        m_y2 = m_y1;
        m_y1 = y;
        return y;
    }

private:
    double m_b1 = 0.0;
    double m_b2 = 0.0;
    double m_gain = 0.0;
    double m_y1 = 0.0;
    double m_y2 = 0.0;
};

// One-pole low-pass; highPass() gives the complementary high-pass.
class OnePole
{
public:
    OnePole() = default;
    OnePole(double cutoff, double rate) { tune(cutoff, rate); }

    void tune(double cutoff, double rate) { m_a = 1.0 - DetMath::exp(-DetMath::kTwoPi * cutoff / rate); }
    double lowPass(double x) { m_y += m_a * (x - m_y); return m_y; }
    double highPass(double x) { return x - lowPass(x); }

private:
    double m_a = 1.0;
    double m_y = 0.0;
};
