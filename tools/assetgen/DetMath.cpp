#include "DetMath.h"

#include <cmath>

namespace DetMath {

namespace {

// Taylor series of sin on [-pi/2, pi/2]; the last term is below 1e-16.
double sinReduced(double x)
{
    const double x2 = x * x;
    double term = x;
    double sum = x;
    for (int k = 1; k <= 10; ++k) {
        term *= -x2 / double((2 * k) * (2 * k + 1));
        sum += term;
    }
    return sum;
}

// atan on [0, 1] after halving the angle twice so the series converges fast.
double atanReduced(double x)
{
    for (int i = 0; i < 2; ++i)
        x = x / (1.0 + std::sqrt(1.0 + x * x));
    const double x2 = x * x;
    double term = x;
    double sum = x;
    for (int k = 1; k <= 12; ++k) {
        term *= -x2;
        sum += term / double(2 * k + 1);
    }
    return 4.0 * sum;
}

} // namespace

double sin(double x)
{
    const double turns = std::floor(x / kTwoPi + 0.5);
    double r = x - turns * kTwoPi; // now in [-pi, pi]
    if (r > kPi / 2)
        r = kPi - r;
    else if (r < -kPi / 2)
        r = -kPi - r;
    return sinReduced(r);
}

double cos(double x)
{
    return sin(x + kPi / 2);
}

double exp(double x)
{
    constexpr double kLn2 = 0.69314718055994530942;
    x = clamp(x, -700.0, 700.0);
    const double n = std::floor(x / kLn2 + 0.5);
    const double r = x - n * kLn2;
    double term = 1.0;
    double sum = 1.0;
    for (int k = 1; k <= 14; ++k) {
        term *= r / double(k);
        sum += term;
    }
    return std::ldexp(sum, int(n));
}

double atan2(double y, double x)
{
    if (x == 0.0 && y == 0.0)
        return 0.0;
    const double ax = std::fabs(x);
    const double ay = std::fabs(y);
    double a = ay <= ax ? atanReduced(ay / ax) : kPi / 2 - atanReduced(ax / ay);
    if (x < 0)
        a = kPi - a;
    return y < 0 ? -a : a;
}

double decayFactor(double tauSamples)
{
    return exp(-1.0 / tauSamples);
}

double smoothstep(double edge0, double edge1, double x)
{
    const double t = clamp((x - edge0) / (edge1 - edge0), 0.0, 1.0);
    return t * t * (3.0 - 2.0 * t);
}

} // namespace DetMath
