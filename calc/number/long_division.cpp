#include "calc/number/long_division.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>

namespace quill {

namespace {

using Limb = mp::limb_type;
using Wide = unsigned __int128;

// Lengths done here, in limbs: a rounded quotient's dividend has a few.
constexpr std::size_t kMostLimbs = 32;

// The limbs of v >= 0 shifted up by `shift` (0 to 63) bits into `out`, with
// one limb more for what comes out of the top.
void ShiftedUp(const BigInt& v, int shift, Limb* out) {
    const std::size_t n = v.backend().size();
    const Limb* limbs = v.backend().limbs();
    // The top `shift` bits of a limb, at the bottom (none for a shift of 0).
    const auto carried = [shift](Limb limb) { return (limb >> 1) >> (63 - shift); };
    out[n] = carried(limbs[n - 1]);
    for (std::size_t i = n - 1; i > 0; --i)
        out[i] = (limbs[i] << shift) | carried(limbs[i - 1]);
    out[0] = limbs[0] << shift;
}

// The estimate of the next quotient limb from the top three limbs of the
// part left, u, and the top two of the divisor, v (its top bit set): at
// most one too large after the correction (Knuth's step D3).
Limb EstimateLimb(const Limb* u, Limb vTop, Limb vNext) {
    Wide q = 0;
    Wide r = 0;
    const Wide top = (static_cast<Wide>(u[2]) << 64) | u[1];
    if (u[2] >= vTop) {
        // The quotient limb is at most 2^64 - 1: start there.
        q = ~Limb{0};
        r = top - q * vTop;
    } else {
        std::uint64_t rest = 0;
        q = DivideWide(u[2], u[1], vTop, rest);
        r = rest;
    }
    while ((r >> 64) == 0 && q * vNext > ((r << 64) | u[0])) {
        --q;
        r += vTop;
    }
    return static_cast<Limb>(q);
}

// u[0..n] -= q * v[0..n-1]; where that goes below zero, v is added back
// and q made one less (Knuth's steps D4 to D6). Returns q.
Limb SubtractMultiple(Limb* u, const Limb* v, std::size_t n, Limb q) {
    Limb borrow = 0;
    Limb carry = 0;
    for (std::size_t i = 0; i <= n; ++i) {
        const Wide product = i < n ? static_cast<Wide>(q) * v[i] + carry : carry;
        carry = static_cast<Limb>(product >> 64);
        const auto low = static_cast<Limb>(product);
        const Limb before = u[i];
        u[i] = before - low - borrow;
        borrow = (before < low || (before == low && borrow != 0)) ? 1 : 0;
    }
    if (borrow == 0) return q;
    Limb sum = 0;
    for (std::size_t i = 0; i < n; ++i) {
        const Wide s = static_cast<Wide>(u[i]) + v[i] + sum;
        u[i] = static_cast<Limb>(s);
        sum = static_cast<Limb>(s >> 64);
    }
    u[n] += sum;
    return q - 1;
}

// x of `count` limbs, set from `limbs`.
void SetLimbs(BigInt& x, const Limb* limbs, std::size_t count) {
    auto& backend = x.backend();
    backend.resize(static_cast<unsigned>(count), static_cast<unsigned>(count));
    std::copy_n(limbs, count, backend.limbs());
    backend.sign(false);
    backend.normalize();
}

} // namespace

void DivideLong(const BigInt& x, const BigInt& y, BigInt& q, BigInt& r) {
    const std::size_t n = y.backend().size();
    const std::size_t size = x.backend().size();
    if (size > kMostLimbs || n < 2) {
        mp::divide_qr(x, y, q, r);
        return;
    }
    if (size < n) {
        r = x;
        q = 0U;
        return;
    }
    // Both shifted so that the divisor's top bit is set: each estimate is
    // then at most two too large.
    const int shift = std::countl_zero(static_cast<Limb>(y.backend().limbs()[n - 1]));
    std::array<Limb, kMostLimbs + 1> u{};
    std::array<Limb, kMostLimbs + 1> v{};
    ShiftedUp(x, shift, u.data());
    ShiftedUp(y, shift, v.data());
    std::array<Limb, kMostLimbs> quotient{};
    const std::size_t m = size - n;
    for (std::size_t j = m + 1; j-- > 0;) {
        const Limb estimate = EstimateLimb(&u[j + n - 2], v[n - 1], v[n - 2]);
        quotient[j] = SubtractMultiple(&u[j], v.data(), n, estimate);
    }
    SetLimbs(q, quotient.data(), m + 1);
    // The remainder is what is left of u, shifted back down.
    for (std::size_t i = 0; i < n; ++i)
        u[i] = (u[i] >> shift) | ((u[i + 1] << 1) << (63 - shift));
    SetLimbs(r, u.data(), n);
}

} // namespace quill
