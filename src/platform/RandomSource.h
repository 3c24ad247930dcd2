#pragma once

#include <QRandomGenerator>

// Uniform single-precision numbers in [0, 1).
class RandomSource
{
public:
    virtual ~RandomSource() = default;
    virtual void seedFromClock() = 0;
    virtual float next() = 0;
};

// The program's own source: QRandomGenerator seeded once from the clock.
class ClockRandomSource : public RandomSource
{
public:
    void seedFromClock() override;
    float next() override;

    // Keeps the 24 bits a float holds exactly, so the result is never rounded up to 1.
    static float toUnit(quint32 bits) { return float(bits >> 8) * (1.0f / 16777216.0f); }

private:
    QRandomGenerator m_generator;
};
