// The whole numbers behind the engine's decimals, from Boost.Multiprecision:
// a coefficient of at most kPrecision digits, a wide integer for exact sums,
// products and scaled dividends on their way to being rounded, and an integer
// of any length for exact powers and the reduction of angles.
//
// Dropping digits is done here, by one of three rules: ties to even (the
// arithmetic), ties away from zero (the display) or toward zero (whole
// parts). Nothing here throws but BigInt, which allocates (std::bad_alloc).
#pragma once

#include <array>
#include <cstdint>

#include <boost/multiprecision/cpp_int.hpp>

namespace quill {

namespace mp = boost::multiprecision;

// The significant decimal digits every value carries.
inline constexpr int kPrecision = 50;

template <unsigned Bits>
using FixedUnsigned =
    mp::number<mp::cpp_int_backend<Bits, Bits, mp::unsigned_magnitude, mp::unchecked, void>,
               mp::et_off>;

using Coefficient = FixedUnsigned<192>; // below 10^50 < 2^167
using Wide = FixedUnsigned<384>;        // below 10^115 < 2^384
using BigInt = mp::number<mp::cpp_int_backend<>, mp::et_off>;

// The longest number a Wide holds whole: a product of two coefficients, a sum
// aligned to kPrecision + 3 digits, a dividend scaled for its quotient.
inline constexpr int kWideDigits = 115;

// The largest power of ten a 64-bit integer holds.
inline constexpr int kLimbDigits = 19;

namespace coefficient_detail {

constexpr std::array<Wide, kWideDigits + 1> MakeTens() {
    std::array<Wide, kWideDigits + 1> tens{};
    Wide power = 1U;
    for (Wide& t : tens) {
        t = power;
        power *= 10U;
    }
    return tens;
}

inline constexpr std::array<Wide, kWideDigits + 1> kTens = MakeTens();

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

} // namespace coefficient_detail

// 10^n for 0 <= n <= kWideDigits.
inline const Wide& TenTo(int n) {
    return coefficient_detail::kTens[static_cast<std::size_t>(n)];
}

// 10^n for 0 <= n <= kLimbDigits.
constexpr std::uint64_t SmallTenTo(int n) {
    return coefficient_detail::kSmallTens[static_cast<std::size_t>(n)];
}

// The number of decimal digits of x; 0 for 0.
int DigitCount(std::uint64_t x);
int DigitCount(unsigned __int128 x);
int DigitCount(const Wide& x);
int DigitCount(const BigInt& x);

enum class Rounding : std::uint8_t {
    HalfEven, // to nearest, a tie to the even neighbour
    HalfAway, // to nearest, a tie away from zero
    Down,     // toward zero
};

// Where a part dropped lies against half a unit of the last digit kept.
enum class Rest : std::uint8_t { Zero, Below, Half, Above };

// Whether a kept number whose last digit is odd or even goes up by one.
bool RoundsUp(Rest rest, bool odd, Rounding rule);

// c * 10^digits, multiplying by single limbs where it can.
Wide Scaled(const Coefficient& c, int digits);

// x without its last `drop` digits, rounded by `rule`. `sticky` says the value
// rounded lies a little above x (something nonzero below x's last digit). The
// result may gain a digit (999 rounded up by one digit is 100).
Wide DropDigits(const Wide& x, int drop, bool sticky, Rounding rule);

// The same for an integer of any length.
BigInt DropDigits(const BigInt& x, int drop, bool sticky, Rounding rule);

// Whether the last `digits` digits of x are all zero.
bool EndsInZeros(const Wide& x, int digits);

// Removes x's trailing zeros; returns how many there were (0 for 0).
int StripZeros(Wide& x);

// The low 64 bits of x.
inline std::uint64_t LowLimb(const Wide& x) {
    return x.backend().limbs()[0];
}
inline std::uint64_t LowLimb(const Coefficient& x) {
    return x.backend().limbs()[0];
}
// Whether x is below 2^64.
inline bool FitsLimb(const Coefficient& x) {
    return x.backend().size() == 1;
}
inline bool FitsLimb(const Wide& x) {
    return x.backend().size() == 1;
}

} // namespace quill
