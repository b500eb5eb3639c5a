// SPDX-License-Identifier: GPL-2.0-or-later
// A number with an exponent of its own, for the solver's products and quotients of sides and
// sines. Used by the solver alone.
#pragma once

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>

namespace solvara {

// m times 2 to the e, with m zero or 0.5 <= |m| < 1 (or not finite, which it stays). A square,
// a product of two sides or a quotient of a product by a side is a double wherever the answer
// is, but on the way it may pass beyond the largest double or below the smallest normal one:
// sides of 1e200 have an area of 1e400, two sides of 1e-200 a product of 1e-400. Here the
// exponent never runs out, and each operation rounds its fraction exactly as the same operation
// on doubles rounds wherever those stay normal, so that within the range nothing changes.
class Scaled {
  public:
    Scaled() = default;
    explicit Scaled(double v) {
        // frexp, with its bits taken apart in place where v is a normal double.
        const auto bits = std::bit_cast<std::uint64_t>(v);
        const int biased = static_cast<int>((bits >> 52) & 0x7ff);
        if (biased == 0 || biased == 0x7ff) {
            fraction_ = std::frexp(v, &exponent_);
            return;
        }
        exponent_ = biased - 1022;
        fraction_ = std::bit_cast<double>((bits & ~(std::uint64_t{0x7ff} << 52)) |
                                          (std::uint64_t{1022} << 52));
    }

    // The double nearest to it: infinite beyond the largest one, and a denormal where it is that
    // small. What is not 0 does not become 0: below the least denormal it gives that, which the
    // solution check takes for a figure out of range where 0 would be a side or angle of none.
    double value() const {
        const double v = timesPowerOfTwo(fraction_, exponent_);
        if (v != 0 || fraction_ == 0) return v;
        return std::copysign(std::numeric_limits<double>::denorm_min(), fraction_);
    }
    // It times 2 to the k, exactly.
    Scaled timesTwoTo(int k) const {
        Scaled s = *this;
        if (s.fraction_ != 0) s.exponent_ += k;
        return s;
    }
    // Below 2 to the k in size (k at most 0): where sines and arctangents of it are linear.
    // Infinity and NaN are not.
    bool below(int k) const {
        return fraction_ == 0 || (std::isfinite(fraction_) && exponent_ <= k);
    }
    int exponent() const { return exponent_; }
    double fraction() const { return fraction_; }

    friend Scaled operator*(Scaled p, Scaled q) {
        return Scaled(p.fraction_ * q.fraction_).timesTwoTo(p.exponent_ + q.exponent_);
    }
    friend Scaled operator/(Scaled p, Scaled q) {
        return Scaled(p.fraction_ / q.fraction_).timesTwoTo(p.exponent_ - q.exponent_);
    }
    // A sum at the exponent of the larger term; a term too small to reach its last bit counts
    // for as little as it does in doubles.
    friend Scaled operator+(Scaled p, Scaled q) {
        if (p.fraction_ == 0) return q;
        if (q.fraction_ == 0) return p;
        const int e = std::max(p.exponent_, q.exponent_);
        return Scaled(timesPowerOfTwo(p.fraction_, p.exponent_ - e) +
                      timesPowerOfTwo(q.fraction_, q.exponent_ - e))
            .timesTwoTo(e);
    }
    // NaN for a negative number, as std::sqrt.
    friend Scaled sqrt(Scaled p) {
        const int odd = p.exponent_ & 1;
        return Scaled(std::sqrt(odd ? 2 * p.fraction_ : p.fraction_))
            .timesTwoTo((p.exponent_ - odd) / 2);
    }

  private:
    // f times 2 to the k, exactly where that is a normal double: for a fraction, as ldexp, but by
    // one multiplication where the product stays normal.
    static double timesPowerOfTwo(double f, int k) {
        if (k < -1021 || k > 1023) return std::ldexp(f, k);
        return f * std::bit_cast<double>(static_cast<std::uint64_t>(k + 1023) << 52);
    }

    double fraction_ = 0;
    int exponent_ = 0;
};

}  // namespace solvara
