// SPDX-License-Identifier: GPL-2.0-or-later
#include "solver/trig.h"

#include <cmath>

namespace solvara {

namespace {

// What pi/180 has beyond kRadPerDeg: with it an angle becomes radians to about 106 bits.
constexpr double kRadPerDegLow = 0x1.5c1d8becdd291p-62;

// r degrees as radians, hi + lo. The product r * kRadPerDeg is split exactly by the fused
// multiply-add; the low part of the constant adds the rest.
struct Radians {
    double hi = 0;
    double lo = 0;
};
Radians radians(double r) {
    Radians x;
    x.hi = r * kRadPerDeg;
    x.lo = std::fma(r, kRadPerDeg, -x.hi) + r * kRadPerDegLow;
    return x;
}

// sin and cos of 0 <= r <= 90 degrees: the first-order term of the low part corrects the last
// bit, which makes sin 30 exactly 0.5.
double sinReduced(double r) {
    const Radians x = radians(r);
    return std::sin(x.hi) + std::cos(x.hi) * x.lo;
}
double cosReduced(double r) {
    // 90 - r is exact for r >= 45 and turns a small cosine into the sine of a small angle.
    if (r >= 45) return sinReduced(90 - r);
    const Radians x = radians(r);
    return std::cos(x.hi) - std::sin(x.hi) * x.lo;
}

// Below 2^-800, in degrees or in radians, a sine, a tangent, an arcsine and an arctangent are
// their argument times the conversion to the last bit. So is each at 2^200 times such an angle,
// where its radians are normal doubles: the sine is worked there and brought back.
constexpr int kLinearBelow = -800;
constexpr int kLift = 200;
constexpr double kLinearLimit = 0x1p-800;

double inDegrees(Scaled radians) {
    return (radians * Scaled(kDegPerRad)).value();
}

}  // namespace

// fmod is exact, and so is every subtraction below: each subtracts numbers within a factor of
// two of each other.
double sinDeg(double a) {
    double r = std::fmod(std::fabs(a), 360);
    double sign = std::signbit(a) ? -1 : 1;
    if (r > 180) {
        r -= 180;
        sign = -sign;
    }
    if (r > 90) r = 180 - r;
    return sign * sinReduced(r);
}

double cosDeg(double a) {
    double r = std::fmod(std::fabs(a), 360);
    if (r > 180) r = 360 - r;
    if (r > 90) return -cosReduced(180 - r);
    return cosReduced(r);
}

// Infinite at 90, where the cosine is exactly 0.
double tanDeg(double a) {
    return sinDeg(a) / cosDeg(a);
}

double atanDeg(double t) {
    return std::atan(t) * kDegPerRad;  // an infinite t gives +-90
}

double atan2Deg(double y, double x) {
    return std::atan2(y, x) * kDegPerRad;
}

// Outside [-1, 1] (or for NaN) the standard functions give NaN without trapping.
double asinDeg(double s) {
    return std::asin(s) * kDegPerRad;
}

double acosDeg(double c) {
    return std::acos(c) * kDegPerRad;
}

Scaled sinDegScaled(double a) {
    if (std::fabs(a) >= kLinearLimit) return Scaled(sinDeg(a));
    return Scaled(sinDeg(std::ldexp(a, kLift))).timesTwoTo(-kLift);
}

Scaled tanDegScaled(double a) {
    if (std::fabs(a) >= kLinearLimit) return Scaled(tanDeg(a));
    return Scaled(tanDeg(std::ldexp(a, kLift))).timesTwoTo(-kLift);
}

SineAndCosine sinCosDegScaled(double a) {
    if (a < kLinearLimit) return SineAndCosine{sinDegScaled(a), 1};
    if (a >= 45) return SineAndCosine{Scaled(sinReduced(a)), cosReduced(a)};
    // sinReduced and cosReduced of the same radians, which the compiler evaluates together.
    const Radians x = radians(a);
    const double s = std::sin(x.hi), c = std::cos(x.hi);
    return SineAndCosine{Scaled(s + c * x.lo), c - s * x.lo};
}

double atanDeg(Scaled t) {
    return t.below(kLinearBelow) ? inDegrees(t) : atanDeg(t.value());
}

double asinDeg(Scaled s) {
    return s.below(kLinearBelow) ? inDegrees(s) : asinDeg(s.value());
}

// The angle depends on the quotient alone: a tiny one is its arctangent, and otherwise both are
// brought to the larger one's exponent, which leaves doubles that are normal as they were.
double atan2Deg(Scaled y, Scaled x) {
    const Scaled t = y / x;
    if (x.fraction() > 0 && t.below(kLinearBelow)) return inDegrees(t);
    const int e = std::max(y.exponent(), x.exponent());
    return atan2Deg(y.timesTwoTo(-e).value(), x.timesTwoTo(-e).value());
}

}  // namespace solvara
