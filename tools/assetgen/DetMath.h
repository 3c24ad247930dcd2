#pragma once

// Elementary functions built from +, -, *, / and sqrt only, so that the
// generated assets come out bit for bit the same whatever the C library.
namespace DetMath {

inline constexpr double kPi = 3.14159265358979323846;
inline constexpr double kTwoPi = 2.0 * kPi;

double sin(double x);
double cos(double x);
double exp(double x);
// Phase of (x, y) in (-pi, pi].
double atan2(double y, double x);

// A value that starts at 1 and falls by a factor e every tauSamples.
double decayFactor(double tauSamples);

inline double clamp(double v, double lo, double hi) { return v < lo ? lo : (v > hi ? hi : v); }

// 0 at edge0, 1 at edge1, smooth in between.
double smoothstep(double edge0, double edge1, double x);

} // namespace DetMath
