#include "calc/coefficient.h"

#include <array>
#include <bit>

namespace quill {

namespace {

// floor(log10(2^bits)) for bits up to a few thousand: 1233/4096 is just
// above log10(2), close enough that one comparison settles the count.
int DigitsOfBits(std::size_t bits) {
    return static_cast<int>((bits * 1233) >> 12);
}

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
template <typename Integer>
Integer DropInPieces(const Integer& x, int drop, bool sticky, Rounding rule) {
    Integer q = x;
    Integer remainder;
    while (drop > kLimbDigits) {
        mp::divide_qr(q, Integer(SmallTenTo(kLimbDigits)), q, remainder);
        sticky = sticky || !remainder.is_zero();
        drop -= kLimbDigits;
    }
    mp::divide_qr(q, Integer(SmallTenTo(drop)), q, remainder);
    const Rest rest = RestOf(static_cast<std::uint64_t>(remainder), drop, sticky);
    if (RoundsUp(rest, mp::bit_test(q, 0), rule)) ++q;
    return q;
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

Wide Scaled(const Coefficient& c, int digits) {
    Wide w(c);
    if (digits <= kLimbDigits) {
        w *= SmallTenTo(digits);
    } else if (FitsLimb(c)) {
        w = TenTo(digits);
        w *= LowLimb(c);
    } else {
        w *= TenTo(digits);
    }
    return w;
}

int DigitCount(std::uint64_t x) {
    if (x == 0) return 0;
    const int digits = DigitsOfBits(static_cast<std::size_t>(std::bit_width(x)));
    return x >= SmallTenTo(digits) ? digits + 1 : digits;
}

int DigitCount(unsigned __int128 x) {
    if ((x >> 64) == 0) return DigitCount(static_cast<std::uint64_t>(x));
    const int digits = DigitsOfBits(
        static_cast<std::size_t>(128 - std::countl_zero(static_cast<std::uint64_t>(x >> 64))));
    return x >= kTens128[static_cast<std::size_t>(digits)] ? digits + 1 : digits;
}

int DigitCount(const Wide& x) {
    if (x.is_zero()) return 0;
    if (FitsLimb(x)) return DigitCount(LowLimb(x));
    const int digits = DigitsOfBits(mp::msb(x) + 1);
    return x >= TenTo(digits) ? digits + 1 : digits;
}

int DigitCount(const BigInt& x) {
    if (x.is_zero()) return 0;
    const int digits = DigitsOfBits(mp::msb(x) + 1);
    return x >= mp::pow(BigInt(10), static_cast<unsigned>(digits)) ? digits + 1 : digits;
}

Wide DropDigits(const Wide& x, int drop, bool sticky, Rounding rule) {
    if (drop <= 0) return x;
    // All of x lies below a tenth of the unit kept: no rule rounds that up.
    if (drop > kWideDigits) return Wide(0U);
    return DropInPieces(x, drop, sticky, rule);
}

BigInt DropDigits(const BigInt& x, int drop, bool sticky, Rounding rule) {
    if (drop <= 0) return x;
    return DropInPieces(x, drop, sticky, rule);
}

bool EndsInZeros(const Wide& x, int digits) {
    if (digits <= 0 || x.is_zero()) return true;
    if (digits > kWideDigits) return false;
    Wide q = x;
    Wide remainder;
    while (digits > 0) {
        const int piece = digits > kLimbDigits ? kLimbDigits : digits;
        mp::divide_qr(q, Wide(SmallTenTo(piece)), q, remainder);
        if (!remainder.is_zero()) return false;
        digits -= piece;
    }
    return true;
}

int StripZeros(Wide& x) {
    if (x.is_zero()) return 0;
    int stripped = 0;
    Wide q;
    Wide remainder;
    for (const int piece : {16, 8, 4, 2, 1}) {
        for (;;) {
            mp::divide_qr(x, Wide(SmallTenTo(piece)), q, remainder);
            if (!remainder.is_zero()) break;
            x = q;
            stripped += piece;
        }
    }
    return stripped;
}

} // namespace quill
