#include "calc/number/value_text.h"

#include <charconv>
#include <cstdint>

#include "calc/number/number_text.h"

namespace quill {

namespace {

constexpr std::string_view kInf = "inf";
constexpr std::string_view kNaN = "nan";

void AppendPower(std::string& out, std::int64_t exponent) {
    if (exponent != 0) out.append("e").append(std::to_string(exponent));
}

// Takes a signed whole number from the front of `rest`.
bool TakeInteger(std::string_view& rest, std::int64_t& n) {
    const auto [end, error] = std::from_chars(rest.data(), rest.data() + rest.size(), n);
    if (error != std::errc{} || end == rest.data()) return false;
    rest.remove_prefix(static_cast<std::size_t>(end - rest.data()));
    return true;
}

// Takes "e" and an exponent, when the rest starts with "e".
bool TakePower(std::string_view& rest, std::int64_t& exponent) {
    exponent = 0;
    if (!rest.starts_with('e')) return true;
    rest.remove_prefix(1);
    return TakeInteger(rest, exponent);
}

// The digits at the front of `rest` as a whole number.
bool TakeDigits(std::string_view& rest, BigInt& c) {
    std::size_t n = 0;
    while (n < rest.size() && rest[n] >= '0' && rest[n] <= '9')
        ++n;
    if (n == 0 || n > static_cast<std::size_t>(kExactDigits)) return false;
    c = 0;
    for (std::size_t at = 0; at < n;) {
        const std::size_t piece = std::min<std::size_t>(n - at, kLimbDigits);
        std::uint64_t limb = 0;
        for (std::size_t k = 0; k < piece; ++k)
            limb = limb * 10 + static_cast<std::uint64_t>(rest[at + k] - '0');
        c = c * SmallTenTo(static_cast<int>(piece)) + limb;
        at += piece;
    }
    rest.remove_prefix(n);
    return true;
}

bool TakeBound(std::string_view& rest, Bound& bound) {
    if (!rest.starts_with('~')) return true;
    rest.remove_prefix(1);
    if (rest.starts_with(kInf)) {
        rest.remove_prefix(kInf.size());
        bound = Bound::Unbounded();
        return true;
    }
    BigInt m;
    std::int64_t e = 0;
    if (!TakeDigits(rest, m) || DigitCount(m) > kBoundDigits || !TakePower(rest, e)) return false;
    bound = Bound::Of(LowLimb(m), e);
    return true;
}

} // namespace

std::string ValueText(const Decimal& value) {
    if (value.IsNaN()) return std::string(kNaN);
    if (value.IsInfinite()) return (value.IsNegative() ? "-" : "") + std::string(kInf);
    std::string out = value.IsNegative() ? "-" : "";
    out += WriteDigits(value.coefficient());
    AppendPower(out, value.IsZero() ? 0 : value.exponent());
    const Bound& radius = value.radius();
    if (radius.IsUnbounded()) {
        out.append("~").append(kInf);
    } else if (!radius.IsZero()) {
        out.append("~").append(std::to_string(radius.mantissa()));
        AppendPower(out, radius.exponent());
    }
    return out;
}

std::optional<Decimal> ValueFromText(std::string_view text) {
    if (text == kNaN) return Decimal::NotANumber();
    const bool negative = text.starts_with('-');
    if (negative) text.remove_prefix(1);
    if (text == kInf) return Decimal::Infinity(negative);
    BigInt c;
    std::int64_t q = 0;
    Bound radius;
    if (!TakeDigits(text, c) || !TakePower(text, q) || !TakeBound(text, radius)) {
        return std::nullopt;
    }
    // An older writer added "@" and the scale of the values it came from;
    // nothing decides by it now.
    std::int64_t origin = 0;
    if (text.starts_with('@')) {
        text.remove_prefix(1);
        if (!TakeInteger(text, origin)) return std::nullopt;
    }
    if (!text.empty() || (negative && c.is_zero())) return std::nullopt;
    const int digits = DigitCount(c);
    if (digits > 0 && (q + digits - 1 > kMaxScale || q + digits - 1 < kMinScale)) {
        return std::nullopt;
    }
    return digits == 0 ? Decimal().Widened(radius)
                       : Decimal::Rounded(negative, std::move(c), q, digits, radius);
}

} // namespace quill
