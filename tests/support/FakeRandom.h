#pragma once

#include "platform/RandomSource.h"

#include <QList>
#include <QRandomGenerator>
#include <functional>

// Hands out its values in order, then again from the first, so that a test
// says which numbers are drawn; counts the draws and the seedings, and tells
// who wants to know when it is seeded.
class FakeRandom : public RandomSource
{
public:
    explicit FakeRandom(QList<float> values = {0.0f}) : values(std::move(values)) {}

    // A long run of numbers, the same on every run: count of them from a generator with this seed.
    static FakeRandom fromSeed(quint32 seed, int count)
    {
        QRandomGenerator generator(seed);
        QList<float> values(count);
        for (float &value : values)
            value = ClockRandomSource::toUnit(generator.generate());
        return FakeRandom(std::move(values));
    }

    QList<float> values;
    int draws = 0;
    int seeds = 0;
    std::function<void()> onSeed;

    void seedFromClock() override
    {
        ++seeds;
        if (onSeed)
            onSeed();
    }
    float next() override { return values.at(draws++ % values.size()); }
};
