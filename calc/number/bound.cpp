#include "calc/number/bound.h"

#include <algorithm>
#include <array>
#include <utility>

#include "calc/number/limb_powers.h"

namespace quill {

namespace {

// m * 10^e with m brought to at most kBoundDigits digits, rounding up.
Bound Normal(std::uint64_t m, std::int64_t e) {
    const int digits = DigitCount(m);
    if (digits <= kBoundDigits) return Bound::Of(m, e);
    const std::uint64_t unit = SmallTenTo(digits - kBoundDigits);
    // Not (m + unit - 1) / unit: that wraps for m near 2^64.
    return Bound::Of(m / unit + (m % unit != 0 ? 1 : 0), e + digits - kBoundDigits);
}

// m shifted down by `places` digits, rounded up.
std::uint64_t ShiftedUp(std::uint64_t m, std::int64_t places) {
    if (places <= 0) return m;
    if (places > kLimbDigits) return m == 0 ? 0 : 1;
    const std::uint64_t unit = SmallTenTo(static_cast<int>(places));
    return m / unit + (m % unit != 0 ? 1 : 0);
}

} // namespace

Bound Bound::Of(std::uint64_t m, std::int64_t e) {
    Bound b;
    if (m == 0) return b;
    if (m >= SmallTenTo(kBoundDigits)) return Normal(m, e);
    b.mantissa_ = m;
    b.exponent_ = e;
    return b;
}

namespace {

// m with at most kBoundDigits digits left, rounded up or down; its exponent
// grows by what was dropped.
std::pair<std::uint64_t, int> Shortened(unsigned __int128 m, bool up) {
    const int drop = std::max(DigitCount(m) - kBoundDigits, 0);
    unsigned __int128 kept = m;
    bool rest = false;
    // In at most two steps of one limb each: 39 digits less 9 is 30.
    for (int left = drop; left > 0;) {
        const int step = std::min(left, kLimbDigits);
        rest = DivideByLimb(kept, SmallTenTo(step)) != 0 || rest;
        left -= step;
    }
    if (up && rest) ++kept;
    return {static_cast<std::uint64_t>(kept), drop};
}

// The digits of an integer of more than one limb, from its top 128 bits:
// |c| lies between top * 2^shift and (top + 1) * 2^shift.
struct TopBits {
    unsigned __int128 top;
    std::size_t limbs; // 2^shift = 2^(64 limbs)
};

TopBits TopOf(const BigInt& c) {
    const auto& backend = c.backend();
    const std::size_t n = backend.size();
    const auto* limbs = backend.limbs();
    return {(static_cast<unsigned __int128>(limbs[n - 1]) << 64) | limbs[n - 2], n - 2};
}

// a * b rounded down.
Bound ProductBelow(const Bound& a, const Bound& b) {
    const auto [m, drop] =
        Shortened(static_cast<unsigned __int128>(a.mantissa()) * b.mantissa(), false);
    return Bound::Of(m, a.exponent() + b.exponent() + drop);
}

} // namespace

Bound Bound::OfExact(const BigInt& c, std::int64_t e, bool up) {
    const int digits = DigitCount(c);
    const int drop = digits > kBoundDigits ? digits - kBoundDigits : 0;
    BigInt kept = DropDigits(mp::abs(c), drop, false, Rounding::Down);
    if (up && drop > 0) ++kept;
    return Of(static_cast<std::uint64_t>(kept), e + drop);
}

Bound Bound::Of(const BigInt& c, std::int64_t e) {
    if (FitsLimb(c)) return Of(LowLimb(c), e);
    const TopBits bits = TopOf(c);
    if (bits.limbs >= limb_powers::kLimbs) return OfExact(c, e, true);
    const auto [m, drop] = Shortened(bits.top + 1, true);
    const limb_powers::Digits& p = limb_powers::kAbove[bits.limbs];
    return Of(m, e + drop) * Of(p.mantissa, p.exponent);
}

Bound Bound::Below(const BigInt& c, std::int64_t e) {
    if (FitsLimb(c)) return OfExact(c, e, false);
    const TopBits bits = TopOf(c);
    if (bits.limbs >= limb_powers::kLimbs) return OfExact(c, e, false);
    const auto [m, drop] = Shortened(bits.top, false);
    const limb_powers::Digits& p = limb_powers::kBelow[bits.limbs];
    return ProductBelow(Of(m, e + drop), Of(p.mantissa, p.exponent));
}

Bound Bound::Unbounded() {
    Bound b;
    b.mantissa_ = 1;
    b.exponent_ = kUnbounded;
    return b;
}

std::int64_t Bound::Scale() const {
    if (IsUnbounded()) return kUnbounded; // above every scale
    return exponent_ + DigitCount(mantissa_) - 1;
}

Bound operator+(const Bound& a, const Bound& b) {
    if (a.IsZero()) return b;
    if (b.IsZero()) return a;
    if (a.IsUnbounded() || b.IsUnbounded()) return Bound::Unbounded();
    const bool aLow = a.exponent() <= b.exponent();
    const Bound& low = aLow ? a : b;
    const Bound& high = aLow ? b : a;
    // The sum at the higher exponent: the lower part rounded up onto it, or
    // the higher part widened where the gap is small.
    const std::int64_t gap = high.exponent() - low.exponent();
    if (gap <= kLimbDigits - kBoundDigits) {
        return Normal(high.mantissa() * SmallTenTo(static_cast<int>(gap)) + low.mantissa(),
                      low.exponent());
    }
    return Normal(high.mantissa() + ShiftedUp(low.mantissa(), gap), high.exponent());
}

Bound operator*(const Bound& a, const Bound& b) {
    if (a.IsZero() || b.IsZero()) return {};
    if (a.IsUnbounded() || b.IsUnbounded()) return Bound::Unbounded();
    return Normal(a.mantissa() * b.mantissa(), a.exponent() + b.exponent());
}

Bound operator/(const Bound& a, const Bound& b) {
    if (a.IsZero()) return {};
    if (b.IsZero() || a.IsUnbounded()) return Bound::Unbounded();
    if (b.IsUnbounded()) return {};
    // 10 more digits than b's: a quotient of at least 10 digits.
    const std::uint64_t dividend = a.mantissa() * SmallTenTo(10);
    const std::uint64_t q = (dividend + b.mantissa() - 1) / b.mantissa();
    return Normal(q, a.exponent() - 10 - b.exponent());
}

int Compare(const Bound& a, const Bound& b) {
    if (a.IsUnbounded() || b.IsUnbounded()) {
        return a.IsUnbounded() == b.IsUnbounded() ? 0 : (a.IsUnbounded() ? 1 : -1);
    }
    if (a.IsZero() || b.IsZero()) return a.IsZero() == b.IsZero() ? 0 : (a.IsZero() ? -1 : 1);
    if (a.Scale() != b.Scale()) return a.Scale() < b.Scale() ? -1 : 1;
    const std::int64_t e = a.exponent() < b.exponent() ? a.exponent() : b.exponent();
    const std::uint64_t x = a.mantissa() * SmallTenTo(static_cast<int>(a.exponent() - e));
    const std::uint64_t y = b.mantissa() * SmallTenTo(static_cast<int>(b.exponent() - e));
    return x < y ? -1 : (x > y ? 1 : 0);
}

Bound DifferenceBelow(const Bound& a, const Bound& b) {
    if (Compare(a, b) <= 0 || a.IsUnbounded()) return {};
    if (b.IsZero()) return a;
    if (a.exponent() - b.exponent() > kLimbDigits - kBoundDigits) {
        // b lies below a unit of the place under a's last digit: a less that
        // unit is less than a - b.
        const auto [m, drop] = Shortened(a.mantissa() * 10 - 1, false);
        return Bound::Of(m, a.exponent() - 1 + drop);
    }
    const std::int64_t e = std::min(a.exponent(), b.exponent());
    const std::uint64_t x = a.mantissa() * SmallTenTo(static_cast<int>(a.exponent() - e));
    const std::uint64_t y = b.mantissa() * SmallTenTo(static_cast<int>(b.exponent() - e));
    const auto [m, drop] = Shortened(x - y, false);
    return Bound::Of(m, e + drop);
}

} // namespace quill
