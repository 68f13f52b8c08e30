#include "calc/number_text.h"

#include <array>
#include <charconv>
#include <cstdint>

#include "calc/chars.h"

namespace quill {

namespace {

// A whole number below 10^19 with leading zeros up to `width` digits.
void AppendLimb(std::string& out, std::uint64_t limb, int width) {
    std::array<char, 24> buf{};
    const auto res = std::to_chars(buf.data(), buf.data() + buf.size(), limb);
    const auto length = static_cast<int>(res.ptr - buf.data());
    if (width > length) out.append(static_cast<std::size_t>(width - length), '0');
    out.append(buf.data(), res.ptr);
}

void AppendExponent(std::string& out, std::int64_t exponent) {
    out += exponent < 0 ? "e-" : "e+";
    const auto magnitude = static_cast<std::uint64_t>(exponent < 0 ? -exponent : exponent);
    AppendLimb(out, magnitude, 2);
}

// The digits of |value| rounded to `decimals` places (halves away from zero)
// and the power of ten of their last digit: -decimals, or 0 and above for a
// whole number.
struct Rounded {
    std::string digits;
    std::int64_t exponent = 0;
    bool zero = true;
};

Rounded RoundToPlaces(const Decimal& value, int decimals) {
    Rounded r;
    if (value.IsZero()) {
        r.digits = "0";
        return r;
    }
    const std::int64_t q = value.exponent();
    if (q >= -decimals) {
        r.digits = WriteDigits(Wide(value.coefficient()));
        r.exponent = q;
        r.zero = false;
        if (q < 0) {
            // Zeros to the last place shown.
            r.digits.append(static_cast<std::size_t>(q + decimals), '0');
            r.exponent = -decimals;
        }
        return r;
    }
    const std::int64_t drop = -decimals - q;
    const Wide kept = drop > kWideDigits
                          ? Wide(0U)
                          : DropDisplayDigits(value, static_cast<int>(drop), Rounding::HalfAway);
    r.digits = WriteDigits(kept);
    r.exponent = -decimals;
    r.zero = kept.is_zero();
    return r;
}

// Any length: the first kPrecision significant digits, rounded by the rest.
Decimal ReadLongDecimal(std::string_view text) {
    // The first kPrecision significant digits are kept, in limbs of 19; the
    // next decides the rounding, and the rest only whether it is a tie.
    Wide kept;
    std::uint64_t limb = 0;
    int limbDigits = 0;
    int keptDigits = 0;
    int roundDigit = -1;
    bool sticky = false;
    std::int64_t wholeDigits = 0;  // significant digits before the point
    std::int64_t leadingZeros = 0; // zeros after the point before the first significant digit
    bool afterPoint = false;
    bool significant = false;
    for (const char c : text) {
        if (c == '.') {
            if (afterPoint) break;
            afterPoint = true;
            continue;
        }
        if (!IsDigit(c)) break;
        const int digit = c - '0';
        if (!significant) {
            if (digit == 0) {
                leadingZeros += afterPoint ? 1 : 0;
                continue;
            }
            significant = true;
        }
        wholeDigits += afterPoint ? 0 : 1;
        if (keptDigits < kPrecision) {
            if (limbDigits == kLimbDigits) {
                kept = kept * SmallTenTo(kLimbDigits) + limb;
                limb = 0;
                limbDigits = 0;
            }
            limb = limb * 10 + static_cast<std::uint64_t>(digit);
            ++limbDigits;
            ++keptDigits;
        } else if (roundDigit < 0) {
            roundDigit = digit;
        } else {
            sticky = sticky || digit != 0;
        }
    }
    if (!significant) return {};
    const std::int64_t scale = wholeDigits > 0 ? wholeDigits - 1 : -(leadingZeros + 1);
    const std::int64_t q = scale - (keptDigits - 1);
    if (keptDigits <= kLimbDigits) return Decimal::MakeExact(false, limb, q);
    kept = kept * SmallTenTo(limbDigits) + limb;
    if (roundDigit < 0) return Decimal::Make(false, kept, q);
    return Decimal::Make(false, kept * 10U + static_cast<unsigned>(roundDigit), q - 1, sticky);
}

} // namespace

Decimal ReadDecimal(std::string_view text) {
    // Most numbers people type have at most 19 digits: one limb, read in one
    // pass with nothing to round.
    std::uint64_t limb = 0;
    int digits = 0;
    int afterPoint = -1; // digits after the point, or -1 before it
    for (const char c : text) {
        if (c == '.') {
            if (afterPoint >= 0) break;
            afterPoint = 0;
            continue;
        }
        if (!IsDigit(c)) break;
        if (++digits > kLimbDigits) return ReadLongDecimal(text);
        limb = limb * 10 + static_cast<std::uint64_t>(c - '0');
        afterPoint += afterPoint >= 0 ? 1 : 0;
    }
    return Decimal::MakeExact(false, limb, afterPoint > 0 ? -afterPoint : 0);
}

std::string WriteDigits(const Wide& n) {
    if (FitsLimb(n)) {
        std::string out;
        AppendLimb(out, LowLimb(n), 1);
        return out;
    }
    // Limbs of 19 digits from the low end, written from the high end.
    std::array<std::uint64_t, kWideDigits / kLimbDigits + 1> limbs{};
    std::size_t count = 0;
    Wide rest = n;
    Wide remainder;
    const Wide base(SmallTenTo(kLimbDigits));
    while (!rest.is_zero()) {
        mp::divide_qr(rest, base, rest, remainder);
        limbs[count++] = LowLimb(remainder);
    }
    std::string out;
    out.reserve(count * kLimbDigits);
    AppendLimb(out, limbs[count - 1], 1);
    for (std::size_t i = count - 1; i-- > 0;)
        AppendLimb(out, limbs[i], kLimbDigits);
    return out;
}

std::string WriteFixed(const Decimal& value, int decimals) {
    if (decimals < 0) decimals = 0;
    const Rounded r = RoundToPlaces(value, decimals);
    std::string out;
    if (!r.zero && value.IsNegative()) out += '-';
    if (r.exponent >= 0) {
        out += r.digits;
        if (!r.zero) out.append(static_cast<std::size_t>(r.exponent), '0');
        if (decimals > 0) {
            out += '.';
            out.append(static_cast<std::size_t>(decimals), '0');
        }
        return out;
    }
    // exponent is -decimals here: the last `decimals` digits follow the point.
    const auto places = static_cast<std::size_t>(decimals);
    if (r.digits.size() <= places) {
        out += "0.";
        out.append(places - r.digits.size(), '0');
        out += r.digits;
    } else {
        out.append(r.digits, 0, r.digits.size() - places);
        out += '.';
        out.append(r.digits, r.digits.size() - places, places);
    }
    return out;
}

std::string WriteScientific(const Decimal& value) {
    if (value.IsZero()) return "0.000000e+00";
    constexpr int kShown = 7; // significant digits of "%e"
    Wide mantissa(value.coefficient());
    std::int64_t exponent = value.Scale();
    if (value.digits() > kShown) {
        mantissa = DropDisplayDigits(value, value.digits() - kShown, Rounding::HalfAway);
        if (mantissa == TenTo(kShown)) {
            mantissa = TenTo(kShown - 1);
            ++exponent;
        }
    } else {
        mantissa *= TenTo(kShown - value.digits());
    }
    const std::string digits = WriteDigits(mantissa);
    std::string out = value.IsNegative() ? "-" : "";
    out += digits[0];
    out += '.';
    out.append(digits, 1, std::string::npos);
    AppendExponent(out, exponent);
    return out;
}

std::string WriteSignificant(const Decimal& value) {
    if (value.IsZero()) return "0e+00";
    std::string digits = WriteDigits(Wide(value.coefficient()));
    digits.erase(digits.find_last_not_of('0') + 1);
    std::string out = value.IsNegative() ? "-" : "";
    out += digits[0];
    if (digits.size() > 1) {
        out += '.';
        out.append(digits, 1, std::string::npos);
    }
    AppendExponent(out, value.Scale());
    return out;
}

} // namespace quill
