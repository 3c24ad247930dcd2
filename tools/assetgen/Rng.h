#pragma once

#include <cstdint>

// SplitMix64: a small, fully specified generator, so every asset comes out
// the same from the same seed on every machine.
class Rng
{
public:
    explicit Rng(std::uint64_t seed) : m_state(seed) {}

    std::uint64_t next()
    {
        std::uint64_t z = (m_state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }

    // Uniform in [0, 1), 53 bits.
    double uniform() { return double(next() >> 11) * (1.0 / 9007199254740992.0); }
    double range(double lo, double hi) { return lo + (hi - lo) * uniform(); }
    // Uniform in [-1, 1).
    double bipolar() { return 2.0 * uniform() - 1.0; }
    int below(int n) { return int(next() % std::uint64_t(n)); }
    // Roughly normal, mean 0, deviation 1 (sum of four uniforms).
    double gaussish()
    {
        double s = 0.0;
        for (int i = 0; i < 4; ++i)
            s += uniform();
        return (s - 2.0) * 1.7320508075688772;
    }

private:
    std::uint64_t m_state;
};
