// The whole numbers beneath the engine's decimals, from Boost.Multiprecision:
// one integer type of any length that keeps up to 384 bits (115 digits: the
// product of two 50-digit coefficients) in itself and goes to the heap only
// beyond, and the digit work on it.
//
// Dropping digits is done here, by one of three rules: ties to even (the
// arithmetic), ties away from zero (the display) or toward zero (whole
// parts). Nothing here throws but an allocation (std::bad_alloc).
#pragma once

#include <array>
#include <bit>
#include <cstdint>
#include <string_view>

#include <boost/multiprecision/cpp_int.hpp>

namespace quill {

namespace mp = boost::multiprecision;

// The significant digits shown at most.
inline constexpr int kPrecision = 50;

// The digits a rounded value keeps at least: a few beyond those shown, so
// that its bound proves them but near a tie.
inline constexpr int kRoundedDigits = kPrecision + 5;

// An exact result is kept whole while it has at most this many digits.
inline constexpr int kExactDigits = 1000;

using BigInt = mp::number<
    mp::cpp_int_backend<384, 0, mp::signed_magnitude, mp::unchecked, std::allocator<mp::limb_type>>,
    mp::et_off>;

static_assert(sizeof(mp::limb_type) == sizeof(std::uint64_t), "the digit work takes 64-bit limbs");

// The powers of ten kept in a table; larger ones are computed.
inline constexpr int kTableDigits = 115;

// The largest power of ten a 64-bit integer holds.
inline constexpr int kLimbDigits = 19;

namespace coefficient_detail {

constexpr std::array<std::uint64_t, kLimbDigits + 1> MakeSmallTens() {
    std::array<std::uint64_t, kLimbDigits + 1> tens{};
    std::uint64_t power = 1;
    for (std::uint64_t& t : tens) {
        t = power;
        power *= 10;
    }
    return tens;
}

inline constexpr std::array<std::uint64_t, kLimbDigits + 1> kSmallTens = MakeSmallTens();

std::array<BigInt, kTableDigits + 1> MakeTens();

// The table, made on first use; inline, so that the usual look-up is a load.
inline const BigInt& TableTenTo(int n) {
    static const std::array<BigInt, kTableDigits + 1> kTens = MakeTens();
    return kTens[static_cast<std::size_t>(n)];
}

} // namespace coefficient_detail

// 10^n for n >= 0.
BigInt TenTo(std::int64_t n);

// 10^n for 0 <= n <= kLimbDigits.
constexpr std::uint64_t SmallTenTo(int n) {
    return coefficient_detail::kSmallTens[static_cast<std::size_t>(n)];
}

// floor(log10(2^bits)) for bits up to a few thousand: 1233/4096 is just
// above log10(2), close enough that one comparison settles a digit count.
constexpr int DigitsOfBits(std::size_t bits) {
    return static_cast<int>((bits * 1233) >> 12);
}

// The number of decimal digits of |x|; 0 for 0. The one-limb count is
// inline, as every value the arithmetic makes asks it, and has no branch:
// the comparison goes either way at random on random values (and 0 gives
// 0 + (0 >= 1)).
constexpr int DigitCount(std::uint64_t x) {
    const int digits = DigitsOfBits(static_cast<std::size_t>(std::bit_width(x)));
    return digits + static_cast<int>(x >= SmallTenTo(digits));
}
int DigitCount(unsigned __int128 x);
int LongDigitCount(const BigInt& x); // |x| of two limbs or more
inline int DigitCount(const BigInt& x) {
    const auto& backend = x.backend();
    if (backend.size() == 1) return DigitCount(static_cast<std::uint64_t>(backend.limbs()[0]));
    return LongDigitCount(x);
}

enum class Rounding : std::uint8_t {
    HalfEven, // to nearest, a tie to the even neighbour
    HalfAway, // to nearest, a tie away from zero
    Down,     // toward zero
};

// Where a part dropped lies against half a unit of the last digit kept.
enum class Rest : std::uint8_t { Zero, Below, Half, Above };

// Whether a kept number whose last digit is odd or even goes up by one.
bool RoundsUp(Rest rest, bool odd, Rounding rule);

// c * 10^digits for digits >= 0, multiplying by single limbs where it can.
BigInt Scaled(const BigInt& c, std::int64_t digits);

// x >= 0 without its last `drop` digits, rounded by `rule`. `sticky` says
// the value rounded lies a little above x (something nonzero below x's last
// digit). The result may gain a digit (999 rounded up by one digit is 100).
BigInt DropDigits(BigInt x, std::int64_t drop, bool sticky, Rounding rule);
// The same, in place: a moved BigInt copies its limbs, so the arithmetic's
// own roundings drop digits where they stand.
void DropDigitsInPlace(BigInt& x, std::int64_t drop, bool sticky, Rounding rule);

// x >= 0 without its last `drop` digits, toward zero, for drop >= 1. `top`
// is the highest piece of the part dropped, `topDigits` (1 to kLimbDigits)
// digits long: the part lies in [top, top + 1) units of its last digit.
BigInt CutDigits(const BigInt& x, std::int64_t drop, std::uint64_t& top, int& topDigits);

// Whether the last `digits` digits of x are all zero.
bool EndsInZeros(const BigInt& x, std::int64_t digits);

// Removes x's trailing zeros; returns how many there were (0 for 0).
int StripZeros(BigInt& x);

// The whole number written in `digits` (decimal digits only), and in
// `hex` (hex digits, either case): a stored constant's leading digits read
// in pieces of a limb, not a digit at a time.
BigInt FromDigits(std::string_view digits);
BigInt FromHexDigits(std::string_view hex);

// floor(sqrt(x)) for x >= 0: the root of x's top half, then Newton's steps
// from above (Boost's own is a bit at a time, and takes milliseconds at the
// last try's thousands of bits).
BigInt SquareRoot(const BigInt& x);

// The low 64 bits of |x|.
inline std::uint64_t LowLimb(const BigInt& x) {
    return x.backend().limbs()[0];
}
// Whether |x| is below 2^64.
inline bool FitsLimb(const BigInt& x) {
    return x.backend().size() == 1;
}

// x += y and x -= y for x, y >= 0 (x >= y for the difference), in place,
// one pass over the limbs.
void AddInPlace(BigInt& x, const BigInt& y);
void SubtractInPlace(BigInt& x, const BigInt& y);

// (high·2^64 + low) / d for high < d, and its remainder. On x86-64 one
// divq; elsewhere (and in meaning) the same 128-bit division.
inline std::uint64_t DivideWide(std::uint64_t high, std::uint64_t low, std::uint64_t d,
                                std::uint64_t& remainder) {
#if defined(__x86_64__)
    std::uint64_t q = 0;
    asm("divq %4" : "=a"(q), "=d"(remainder) : "a"(low), "d"(high), "rm"(d) : "cc");
    return q;
#else
    const unsigned __int128 n = (static_cast<unsigned __int128>(high) << 64) | low;
    remainder = static_cast<std::uint64_t>(n % d);
    return static_cast<std::uint64_t>(n / d);
#endif
}

// |x| divided by d > 0 in place, toward zero; returns the remainder. One
// pass over the limbs, the usual way to take digits off.
std::uint64_t DivideByLimb(BigInt& x, std::uint64_t d);
// The same for a 128-bit m: one or two 64-bit divisions, where the
// runtime's 128-bit ones take a call for the quotient and another for the
// remainder.
std::uint64_t DivideByLimb(unsigned __int128& m, std::uint64_t d);

} // namespace quill
