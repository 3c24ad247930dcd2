#include "Voice.h"

Formants Formants::mix(const Formants &a, const Formants &b, double t)
{
    Formants out;
    for (std::size_t i = 0; i < 4; ++i) {
        out.freq[i] = a.freq[i] + (b.freq[i] - a.freq[i]) * t;
        out.bandwidth[i] = a.bandwidth[i] + (b.bandwidth[i] - a.bandwidth[i]) * t;
    }
    return out;
}

Voice::Voice(int rate, unsigned seed)
    : m_rate(rate), m_rng(seed), m_breathTilt(2500.0, rate), m_presence(1500.0, rate)
{
    // Fixed higher resonances keep the voice from sounding muffled; only
    // those below the Nyquist frequency are used.
    constexpr double upperFreq[2] = {4300.0, 5300.0};
    constexpr double upperBandwidth[2] = {350.0, 450.0};
    for (std::size_t i = 0; i < 2; ++i) {
        m_upperInUse[i] = upperFreq[i] < 0.45 * rate;
        if (m_upperInUse[i])
            m_upper[i].tuneForCascade(upperFreq[i], upperBandwidth[i], rate);
    }
}

// The derivative of a smooth glottal flow pulse (open for part of each
// period, closing abruptly): the airflow that the lips radiate.
double Voice::glottalPulse(double f0)
{
    m_phase += f0 * m_jitter / m_rate;
    if (m_phase >= 1.0) {
        m_phase -= 1.0;
        m_jitter = 1.0 + m_roughness * m_rng.gaussish();
        m_shimmer = 1.0 + 5.0 * m_roughness * m_rng.gaussish();
    }
    const double x = m_phase / m_openQuotient;
    const double flow = x < 1.0 ? 6.75 * x * x * (1.0 - x) : 0.0;
    const double derivative = (flow - m_flow) * m_rate / (f0 * m_jitter) * m_openQuotient / 6.75;
    m_flow = flow;
    return derivative * m_shimmer;
}

double Voice::step(double f0, const Formants &formants, double voicing, double breath)
{
    const double noise = m_breathTilt.highPass(m_rng.bipolar());
    // Breath is strongest while the glottis is open.
    const double open = m_phase < m_openQuotient ? 1.0 : 0.4;
    double x = voicing * glottalPulse(f0) + breath * noise * (voicing > 0.0 ? open : 1.0);
    for (std::size_t i = 0; i < 4; ++i) {
        const double freq = formants.freq[i];
        if (freq >= 0.45 * m_rate)
            continue;
        m_tract[i].tuneForCascade(freq, formants.bandwidth[i], m_rate);
        x = m_tract[i].step(x);
    }
    for (std::size_t i = 0; i < 2; ++i)
        if (m_upperInUse[i])
            x = m_upper[i].step(x);
    // Lift the upper partials, as a mouth radiating into open air does.
    return x + 3.0 * m_presence.highPass(x);
}
