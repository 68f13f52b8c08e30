#include "calc/format.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>

#include "calc/number_text.h"

namespace quill {

namespace {

// "-0", "-0.00" and the like lose their sign.
void DropSignOfZero(std::string& text) {
    if (text.empty() || text[0] != '-') return;
    if (text.find_first_of("123456789", 1) == std::string::npos) text.erase(0, 1);
}

// Non-finite values have words of their own; null for a finite value.
const char* NonFiniteText(double value) {
    if (std::isnan(value)) return kNotANumberText;
    if (std::isinf(value)) return value > 0 ? kInfinityText : kMinusInfinityText;
    return nullptr;
}

struct IntegerForm {
    int base;
    const char* prefix; // written before every value but zero
};

// The integer conversions by format number ("Exponent" never comes here);
// any other number shows a decimal integer.
constexpr std::array<IntegerForm, 4> kIntegerForms{{
    {10, ""},
    {8, "0"},
    {16, "0x"},
    {10, ""},
}};

const IntegerForm& IntegerFormFor(int nFormat) {
    if (nFormat < 0 || nFormat >= static_cast<int>(kIntegerForms.size())) return kIntegerForms[0];
    return kIntegerForms[static_cast<std::size_t>(nFormat)];
}

template <typename Unsigned>
std::string WriteUnsigned(Unsigned value, int base, const char* prefix) {
    std::array<char, 32> buf{};
    const auto res = std::to_chars(buf.data(), buf.data() + buf.size(), value, base);
    std::string digits(buf.data(), res.ptr);
    return value == 0 ? digits : prefix + digits;
}

// The truncated integer part in octal, hex or signed decimal. Negative values
// show their two's complement of 32 bits, or of 64 bits beyond that range.
std::string FormatInteger(double value, const IntegerForm& form) {
    const double whole = std::trunc(value);
    // 2^63 is exact as a double; every double below it in size converts.
    constexpr double kTwo63 = 9223372036854775808.0;
    if (!(whole >= -kTwo63 && whole < kTwo63)) return kOverflowText;
    const auto n = static_cast<std::int64_t>(whole);
    if (form.base == 10) {
        std::array<char, 32> buf{};
        const auto res = std::to_chars(buf.data(), buf.data() + buf.size(), n);
        return {buf.data(), res.ptr};
    }
    if (n >= INT32_MIN && n <= INT32_MAX) {
        return WriteUnsigned(static_cast<std::uint32_t>(static_cast<std::int32_t>(n)), form.base,
                             form.prefix);
    }
    return WriteUnsigned(static_cast<std::uint64_t>(n), form.base, form.prefix);
}

} // namespace

std::string FormatDecimal(double value, int nRound) {
    if (const char* word = NonFiniteText(value)) return word;
    std::string text;
    if (nRound < 0) {
        text = WriteFixed(value, 12);
        // Trailing zeros go, then the point if nothing is left behind it.
        const std::size_t point = text.find('.');
        if (point != std::string::npos) {
            std::size_t end = text.find_last_not_of('0');
            if (end == point) --end;
            text.erase(end + 1);
        }
    } else {
        text = WriteFixed(value, nRound);
    }
    DropSignOfZero(text);
    return text;
}

std::string FormatResult(double value, const EvalSettings& settings) {
    if (const char* word = NonFiniteText(value)) return word;
    if (settings.nFormat == kDecimal) return FormatDecimal(value, settings.nRound);
    if (settings.nFormat == kExponent) return WriteScientific(value == 0.0 ? 0.0 : value);
    return FormatInteger(value, IntegerFormFor(settings.nFormat));
}

} // namespace quill
