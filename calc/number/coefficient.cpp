#include "calc/number/coefficient.h"

#include <algorithm>
#include <array>
#include <bit>
#include <utility>

namespace quill {

namespace {

// 10^0 to 10^38, every power of ten an unsigned 128-bit integer holds.
constexpr std::array<unsigned __int128, 39> MakeTens128() {
    std::array<unsigned __int128, 39> tens{};
    unsigned __int128 power = 1;
    for (unsigned __int128& t : tens) {
        t = power;
        power *= 10;
    }
    return tens;
}
constexpr std::array<unsigned __int128, 39> kTens128 = MakeTens128();

Rest RestOf(std::uint64_t remainder, int digits, bool sticky) {
    if (remainder == 0) return sticky ? Rest::Below : Rest::Zero;
    const std::uint64_t half = 5 * SmallTenTo(digits - 1);
    if (remainder < half) return Rest::Below;
    if (remainder > half || sticky) return Rest::Above;
    return Rest::Half;
}

// Drops `drop` digits of x in pieces of at most kLimbDigits, each a division
// by one limb; only the last piece's remainder is compared with half a unit,
// the earlier ones only tell whether anything below it is nonzero.
void DropInPieces(BigInt& q, int drop, bool sticky, Rounding rule) {
    while (drop > kLimbDigits) {
        sticky = DivideByLimb(q, SmallTenTo(kLimbDigits)) != 0 || sticky;
        drop -= kLimbDigits;
    }
    const std::uint64_t remainder = DivideByLimb(q, SmallTenTo(drop));
    const Rest rest = RestOf(remainder, drop, sticky);
    if (RoundsUp(rest, mp::bit_test(q, 0), rule)) ++q;
}

} // namespace

bool RoundsUp(Rest rest, bool odd, Rounding rule) {
    switch (rule) {
    case Rounding::HalfEven:
        return rest == Rest::Above || (rest == Rest::Half && odd);
    case Rounding::HalfAway:
        return rest == Rest::Above || rest == Rest::Half;
    case Rounding::Down:
        return false;
    }
    return false;
}

namespace coefficient_detail {

std::array<BigInt, kTableDigits + 1> MakeTens() {
    std::array<BigInt, kTableDigits + 1> tens{};
    BigInt power = 1U;
    for (BigInt& t : tens) {
        t = power;
        power *= 10U;
    }
    return tens;
}

} // namespace coefficient_detail

BigInt TenTo(std::int64_t n) {
    if (n <= kTableDigits) return coefficient_detail::TableTenTo(static_cast<int>(n));
    return mp::pow(BigInt(10), static_cast<unsigned>(n));
}

BigInt Scaled(const BigInt& c, std::int64_t digits) {
    if (digits <= kLimbDigits) return c * SmallTenTo(static_cast<int>(digits));
    if (digits <= kTableDigits) return c * coefficient_detail::TableTenTo(static_cast<int>(digits));
    return c * TenTo(digits);
}

void AddInPlace(BigInt& x, const BigInt& y) {
    auto& xb = x.backend();
    const auto& yb = y.backend();
    const unsigned n = std::max(xb.size(), yb.size());
    const unsigned xs = xb.size();
    xb.resize(n + 1, n + 1);
    mp::limb_type* xl = xb.limbs();
    for (unsigned i = xs; i <= n; ++i)
        xl[i] = 0;
    const mp::limb_type* yl = yb.limbs();
    unsigned __int128 carry = 0;
    for (unsigned i = 0; i <= n; ++i) {
        carry += static_cast<unsigned __int128>(xl[i]) + (i < yb.size() ? yl[i] : 0U);
        xl[i] = static_cast<mp::limb_type>(carry);
        carry >>= 64;
    }
    xb.normalize();
}

void SubtractInPlace(BigInt& x, const BigInt& y) {
    auto& xb = x.backend();
    const auto& yb = y.backend();
    mp::limb_type* xl = xb.limbs();
    const mp::limb_type* yl = yb.limbs();
    mp::limb_type borrow = 0;
    for (unsigned i = 0; i < xb.size(); ++i) {
        const mp::limb_type take = i < yb.size() ? yl[i] : 0U;
        const mp::limb_type before = xl[i];
        xl[i] = before - take - borrow;
        borrow = (before < take || (before == take && borrow != 0)) ? 1U : 0U;
    }
    xb.normalize();
    if (x.is_zero()) x = 0U; // no negative zero
}

std::uint64_t DivideByLimb(BigInt& x, std::uint64_t d) {
    auto& backend = x.backend();
    mp::limb_type* limbs = backend.limbs();
    std::size_t i = backend.size();
    std::uint64_t remainder = 0;
    if (limbs[i - 1] < d) {
        // The top limb is all remainder: one divq fewer, as for most
        // numbers taken down by a power of ten (their top limb is small).
        remainder = limbs[--i];
        limbs[i] = 0;
    }
    while (i-- > 0)
        limbs[i] = DivideWide(remainder, limbs[i], d, remainder);
    backend.normalize();
    if (x.is_zero()) x = 0U; // no negative zero
    return remainder;
}

std::uint64_t DivideByLimb(unsigned __int128& m, std::uint64_t d) {
    const auto high = static_cast<std::uint64_t>(m >> 64);
    std::uint64_t remainder = high % d;
    const std::uint64_t low = DivideWide(remainder, static_cast<std::uint64_t>(m), d, remainder);
    m = (static_cast<unsigned __int128>(high / d) << 64) | low;
    return remainder;
}

int DigitCount(unsigned __int128 x) {
    if ((x >> 64) == 0) return DigitCount(static_cast<std::uint64_t>(x));
    const int digits = DigitsOfBits(
        static_cast<std::size_t>(128 - std::countl_zero(static_cast<std::uint64_t>(x >> 64))));
    return x >= kTens128[static_cast<std::size_t>(digits)] ? digits + 1 : digits;
}

int LongDigitCount(const BigInt& x) {
    const auto& backend = x.backend();
    const std::size_t n = backend.size();
    const mp::limb_type* limbs = backend.limbs();
    const int digits =
        DigitsOfBits(64 * (n - 1) + static_cast<std::size_t>(std::bit_width(limbs[n - 1])));
    if (digits > kTableDigits) return mp::abs(x) >= TenTo(digits) ? digits + 1 : digits;
    // |x| against 10^digits, limb by limb from the top: no copy for a
    // negative x, and no sign to look at.
    const auto& ten = coefficient_detail::TableTenTo(digits).backend();
    if (ten.size() != n) return ten.size() < n ? digits + 1 : digits;
    for (std::size_t i = n; i-- > 0;) {
        if (limbs[i] != ten.limbs()[i]) return limbs[i] > ten.limbs()[i] ? digits + 1 : digits;
    }
    return digits + 1;
}

void DropDigitsInPlace(BigInt& x, std::int64_t drop, bool sticky, Rounding rule) {
    if (drop <= 0) return;
    // All of x lies below a tenth of the unit kept: no rule rounds that up.
    // (x has at most DigitsOfBits(bits) + 1 digits.)
    if (x.is_zero() || drop > DigitsOfBits(mp::msb(x) + 1) + 2) {
        x = 0U;
        return;
    }
    if (drop > kTableDigits) {
        // One division for the bulk; the last piece decides the rounding.
        BigInt q;
        BigInt remainder;
        mp::divide_qr(x, TenTo(drop - kLimbDigits), q, remainder);
        x = std::move(q);
        DropInPieces(x, kLimbDigits, sticky || !remainder.is_zero(), rule);
        return;
    }
    DropInPieces(x, static_cast<int>(drop), sticky, rule);
}

BigInt DropDigits(BigInt x, std::int64_t drop, bool sticky, Rounding rule) {
    DropDigitsInPlace(x, drop, sticky, rule);
    return x;
}

BigInt CutDigits(const BigInt& x, std::int64_t drop, std::uint64_t& top, int& topDigits) {
    BigInt q = x;
    while (drop > kLimbDigits) {
        DivideByLimb(q, SmallTenTo(kLimbDigits));
        drop -= kLimbDigits;
    }
    topDigits = static_cast<int>(drop);
    top = DivideByLimb(q, SmallTenTo(topDigits));
    return q;
}

bool EndsInZeros(const BigInt& x, std::int64_t digits) {
    if (digits <= 0 || x.is_zero()) return true;
    if (digits > DigitCount(x)) return false;
    BigInt q = x;
    BigInt remainder;
    while (digits > 0) {
        const int piece = digits > kLimbDigits ? kLimbDigits : static_cast<int>(digits);
        mp::divide_qr(q, BigInt(SmallTenTo(piece)), q, remainder);
        if (!remainder.is_zero()) return false;
        digits -= piece;
    }
    return true;
}

BigInt FromDigits(std::string_view digits) {
    BigInt x;
    // The first piece takes what is over a whole number of limbs' digits.
    std::size_t piece = digits.size() % kLimbDigits;
    if (piece == 0) piece = kLimbDigits;
    for (std::size_t at = 0; at < digits.size(); at += piece, piece = kLimbDigits) {
        std::uint64_t limb = 0;
        for (const char c : digits.substr(at, piece))
            limb = limb * 10 + static_cast<std::uint64_t>(c - '0');
        x *= SmallTenTo(static_cast<int>(piece));
        x += limb;
    }
    return x;
}

BigInt FromHexDigits(std::string_view hex) {
    constexpr std::size_t kPerLimb = 16;
    const std::size_t limbs = (hex.size() + kPerLimb - 1) / kPerLimb;
    BigInt x;
    if (limbs == 0) return x;
    auto& backend = x.backend();
    backend.resize(static_cast<unsigned>(limbs), static_cast<unsigned>(limbs));
    for (std::size_t i = 0; i < limbs; ++i) {
        // Limb i holds the 16 digits that end 16 i from the right.
        const std::size_t end = hex.size() - kPerLimb * i;
        const std::size_t start = end > kPerLimb ? end - kPerLimb : 0;
        std::uint64_t limb = 0;
        for (const char c : hex.substr(start, end - start)) {
            const int d = c <= '9' ? c - '0' : (c | 0x20) - 'a' + 10;
            limb = limb * 16 + static_cast<std::uint64_t>(d);
        }
        backend.limbs()[i] = limb;
    }
    backend.normalize();
    return x;
}

namespace {

// floor(sqrt(v)) of 64 bits, by Newton's steps from above.
std::uint64_t SquareRootOfLimb(std::uint64_t v) {
    if (v < 2) return v;
    std::uint64_t r = std::uint64_t{1} << ((std::bit_width(v) + 1) / 2); // above the root
    for (;;) {
        const std::uint64_t next = (r + v / r) / 2;
        if (next >= r) return r;
        r = next;
    }
}

} // namespace

BigInt SquareRoot(const BigInt& x) {
    if (FitsLimb(x)) return BigInt(SquareRootOfLimb(LowLimb(x)));
    // x = top * 4^k + rest: sqrt(x) lies below (sqrt(top) + 1) * 2^k, and
    // that start is right in about half its bits, which each step doubles.
    const auto k = static_cast<unsigned>((mp::msb(x) + 1) / 4);
    BigInt r = SquareRoot(BigInt(x >> (2 * k))) + 1U;
    r <<= k;
    for (;;) {
        BigInt next = (r + x / r) >> 1;
        if (next >= r) return r;
        r = std::move(next);
    }
}

int StripZeros(BigInt& x) {
    if (x.is_zero()) return 0;
    int stripped = 0;
    if (FitsLimb(x)) {
        // The usual coefficient: in 64 bits, the sign kept aside.
        std::uint64_t v = LowLimb(x);
        while (v % 10 == 0) {
            v /= 10;
            ++stripped;
        }
        if (stripped > 0) {
            const bool negative = x.sign() < 0;
            x = v;
            if (negative) x.backend().negate();
        }
        return stripped;
    }
    for (const int piece : {16, 8, 4, 2, 1}) {
        while (mp::integer_modulus(x, SmallTenTo(piece)) == 0) {
            DivideByLimb(x, SmallTenTo(piece));
            stripped += piece;
        }
    }
    return stripped;
}

} // namespace quill
