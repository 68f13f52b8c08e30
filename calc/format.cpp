#include "calc/format.h"

#include <array>
#include <charconv>
#include <cstdint>

#include "calc/number_text.h"

namespace quill {

namespace {

// Non-finite values have words of their own; null for a finite value.
const char* NonFiniteText(const Decimal& value) {
    if (value.IsNaN()) return kNotANumberText;
    if (value.IsInfinite()) return value.IsNegative() ? kMinusInfinityText : kInfinityText;
    return nullptr;
}

struct IntegerForm {
    int base;
    const char* prefix; // written before every value but zero
};

constexpr IntegerForm kOctalForm{8, "0"};
constexpr IntegerForm kHexForm{16, "0x"};

template <typename Integer> std::string WriteInteger(Integer value, int base, const char* prefix) {
    std::array<char, 32> buf{};
    const auto res = std::to_chars(buf.data(), buf.data() + buf.size(), value, base);
    std::string digits(buf.data(), res.ptr);
    return value == 0 ? digits : prefix + digits;
}

// The whole part toward zero, when it fits a signed 64-bit integer.
bool WholePart(const Decimal& value, std::int64_t& out) {
    out = 0;
    const Decimal whole = Truncate(value);
    if (whole.IsZero()) return true;
    // 10^19 > 2^63: a whole part of 20 digits or more never fits.
    if (whole.Scale() >= kLimbDigits) return false;
    const Wide magnitude = Wide(whole.coefficient()) * TenTo(whole.exponent());
    constexpr std::uint64_t kTwo63 = std::uint64_t{1} << 63;
    const std::uint64_t bits = LowLimb(magnitude);
    if (!FitsLimb(magnitude) || bits > kTwo63 || (bits == kTwo63 && !value.IsNegative()))
        return false;
    out =
        value.IsNegative() ? static_cast<std::int64_t>(~bits + 1) : static_cast<std::int64_t>(bits);
    return true;
}

// The whole part in octal or hex. Negative values show their two's complement
// of 32 bits, or of 64 bits beyond that range.
std::string FormatInteger(const Decimal& value, const IntegerForm& form) {
    std::int64_t n = 0;
    if (!WholePart(value, n)) return kOverflowText;
    if (n >= INT32_MIN && n <= INT32_MAX) {
        return WriteInteger(static_cast<std::uint32_t>(static_cast<std::int32_t>(n)), form.base,
                            form.prefix);
    }
    return WriteInteger(static_cast<std::uint64_t>(n), form.base, form.prefix);
}

} // namespace

std::string FormatDecimal(const Decimal& value, int places) {
    if (const char* word = NonFiniteText(value)) return word;
    if (!value.IsZero() && value.Scale() >= kPrecision) return WriteSignificant(value);
    if (places >= 0) return WriteFixed(value, places);
    std::string text = WriteFixed(value, 12);
    // Trailing zeros go, then the point if nothing is left behind it.
    std::size_t end = text.find_last_not_of('0');
    if (text[end] == '.') --end;
    text.erase(end + 1);
    return text;
}

std::string FormatResult(const Decimal& value, const EvalSettings& settings) {
    if (const char* word = NonFiniteText(value)) return word;
    switch (settings.format) {
    case Format::Octal:
        return FormatInteger(value, kOctalForm);
    case Format::Hex:
        return FormatInteger(value, kHexForm);
    case Format::Exponent:
        return WriteScientific(value);
    case Format::Decimal:
        break;
    }
    return FormatDecimal(value, settings.places);
}

} // namespace quill
