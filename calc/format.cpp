#include "calc/format.h"

#include <array>
#include <charconv>
#include <cstdint>
#include <optional>

#include "calc/number/number_text.h"

namespace quill {

namespace {

// The exact zero a narrow ball about zero shows as, made once: a Decimal
// made afresh clears every limb it keeps.
const Decimal& Zero() {
    static const Decimal kZero;
    return kZero;
}

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

// The whole part toward zero, when the ball proves it and it fits a signed
// 64-bit integer.
enum class Whole { Fits, Overflow, Unproven };

Whole WholePart(const Decimal& value, std::int64_t& out) {
    out = 0;
    // 10^19 > 2^63: a whole part of 20 digits or more never fits.
    if (!value.IsZero() && value.Scale() >= kLimbDigits + 1) {
        // Unless the ball reaches down to where whole parts fit.
        const Bound& r = value.radius();
        const bool reaches = r.IsUnbounded() || (!r.IsZero() && r.Scale() >= value.Scale() - 1);
        return reaches ? Whole::Unproven : Whole::Overflow;
    }
    BigInt whole;
    if (!ProvenDigits(value, 0, Rounding::Down, whole)) return Whole::Unproven;
    constexpr std::uint64_t kTwo63 = std::uint64_t{1} << 63;
    const std::uint64_t bits = LowLimb(whole);
    if (!whole.is_zero() && (!FitsLimb(whole) || bits > kTwo63 || (bits == kTwo63 && whole > 0)))
        return Whole::Overflow;
    out = whole < 0 ? static_cast<std::int64_t>(~bits + 1) : static_cast<std::int64_t>(bits);
    return Whole::Fits;
}

// The whole part in octal or hex. Negative values show their two's complement
// of 32 bits, or of 64 bits beyond that range.
std::string FormatInteger(const Decimal& value, const IntegerForm& form) {
    std::int64_t n = 0;
    switch (WholePart(value, n)) {
    case Whole::Overflow:
        return kOverflowText;
    case Whole::Unproven:
        return kNotEnoughDigitsText;
    case Whole::Fits:
        break;
    }
    if (n >= INT32_MIN && n <= INT32_MAX) {
        return WriteInteger(static_cast<std::uint32_t>(static_cast<std::int32_t>(n)), form.base,
                            form.prefix);
    }
    return WriteInteger(static_cast<std::uint64_t>(n), form.base, form.prefix);
}

// The text, or the message that no digit is proven.
std::string OrNotEnough(const std::string& text) {
    return text.empty() ? kNotEnoughDigitsText : text;
}

// Auto strips the zeros at the end of its decimals; a count asked keeps them.
Zeros ZerosOf(int places) {
    return places < 0 ? Zeros::Stripped : Zeros::Kept;
}

} // namespace

std::string FormatDecimal(const Decimal& ball, int places) {
    if (const char* word = NonFiniteText(ball)) return word;
    if (ball.radius().IsUnbounded()) return kNotEnoughDigitsText;
    // A narrow ball about zero is zero; one about a whole number or a tie
    // is taken as it where the digits are rounded.
    const Decimal& value = IsZeroBall(ball) ? Zero() : ball;
    const int asked = places >= 0 ? places : kAutoDecimals;
    if (!value.IsZero() && value.Scale() >= kPrecision) return OrNotEnough(WriteSignificant(value));
    // As many of the decimals asked for as the ball proves; Auto strips the
    // trailing zeros of those as of all twelve, so a proven 42 is "42".
    for (int decimals = asked; decimals >= 0; --decimals) {
        std::string text = WriteFixed(value, decimals, ZerosOf(places));
        if (text.empty()) continue;
        return text;
    }
    return OrNotEnough(WriteSignificant(value));
}

bool ShowsEveryDigit(const Decimal& value, const EvalSettings& settings) {
    if (!value.IsFinite()) return false;
    if (!value.IsInexact() || IsZeroBall(value)) return true;
    if (value.radius().IsUnbounded()) return false;
    BigInt digits;
    std::int64_t n = 0;
    switch (settings.format) {
    case Format::Octal:
    case Format::Hex:
        return WholePart(value, n) != Whole::Unproven;
    case Format::Exponent: {
        constexpr int kShown = 7; // significant digits of "%e"
        return !value.IsZero() &&
               ProvenDigits(value, value.Scale() - (kShown - 1), Rounding::HalfAway, digits) &&
               !digits.is_zero();
    }
    case Format::Decimal:
        break;
    }
    if (!value.IsZero() && value.Scale() >= kPrecision)
        return ProvenDigits(value, value.Scale() - (kPrecision - 1), Rounding::HalfAway, digits);
    const int asked = settings.places >= 0 ? settings.places : kAutoDecimals;
    return ProvenDigits(value, -asked, Rounding::HalfAway, digits);
}

std::optional<std::string> TextShowingEveryDigit(const Decimal& ball,
                                                 const EvalSettings& settings) {
    // The usual line, a decimal below 10^kPrecision: its digits at the places
    // asked are proven exactly when they can be written, so they are
    // written once.
    const bool usual = settings.format == Format::Decimal && ball.IsFinite() &&
                       !ball.radius().IsUnbounded() && (ball.IsZero() || ball.Scale() < kPrecision);
    if (!usual) {
        if (!ShowsEveryDigit(ball, settings)) return std::nullopt;
        return FormatResult(ball, settings);
    }
    const Decimal& value = IsZeroBall(ball) ? Zero() : ball;
    std::string text = WriteFixed(value, settings.places >= 0 ? settings.places : kAutoDecimals,
                                  ZerosOf(settings.places));
    if (text.empty()) return std::nullopt;
    return text;
}

std::string FormatResult(const Decimal& ball, const EvalSettings& settings) {
    if (const char* word = NonFiniteText(ball)) return word;
    // A narrow ball about zero is zero in every form.
    const Decimal& value = IsZeroBall(ball) ? Zero() : ball;
    switch (settings.format) {
    case Format::Octal:
        return FormatInteger(value, kOctalForm);
    case Format::Hex:
        return FormatInteger(value, kHexForm);
    case Format::Exponent:
        return OrNotEnough(WriteScientific(value));
    case Format::Decimal:
        break;
    }
    return FormatDecimal(value, settings.places);
}

} // namespace quill
