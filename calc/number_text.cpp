#include "calc/number_text.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdint>
#include <limits>
#include <system_error>

#include "calc/chars.h"

namespace quill {

namespace {

// Exact powers of ten: every one up to 10^22 is a double without rounding.
constexpr std::array<double, 23> kExactTens = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                               1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                               1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

} // namespace

double ReadDecimal(std::string_view text) {
    double value = 0.0;
    const char* first = text.data();
    const char* last = first + text.size();
    // One pass finds where the decimal ends (digits and one point: from_chars
    // would also take a sign, an exponent and "inf") and reads its digits as
    // a whole number while they stay few. Most numbers people type are short:
    // when the digits make a whole number below 2^53 and at most 22 stand
    // after the point, that number and the power of ten are both exact, so one
    // division rounds correctly and gives what from_chars gives.
    constexpr std::uint64_t kExactLimit = std::uint64_t{1} << 53;
    std::uint64_t whole = 0;
    int afterPoint = -1; // digits after the point, or -1 before it
    bool exact = true;
    bool anyDigit = false;
    const char* end = first;
    for (; end != last; ++end) {
        const char c = *end;
        if (c == '.') {
            if (afterPoint >= 0) break;
            afterPoint = 0;
            continue;
        }
        if (!IsDigit(c)) break;
        anyDigit = true;
        if (exact) {
            whole = whole * 10 + static_cast<std::uint64_t>(c - '0');
            if (afterPoint >= 0) ++afterPoint;
            exact = whole < kExactLimit && afterPoint < static_cast<int>(kExactTens.size());
        }
    }
    if (exact && anyDigit) {
        const double digits = static_cast<double>(whole);
        return afterPoint > 0 ? digits / kExactTens[static_cast<std::size_t>(afterPoint)] : digits;
    }
    const auto [ptr, ec] = std::from_chars(first, end, value, std::chars_format::fixed);
    if (ec == std::errc::result_out_of_range) {
        // Too large when a non-zero digit stands before the point.
        for (const char* p = first; p != ptr && *p != '.'; ++p) {
            if (*p != '0') return std::numeric_limits<double>::infinity();
        }
        return 0.0;
    }
    if (ec != std::errc()) return 0.0;
    return value;
}

std::string WriteExact(double value) {
    std::array<char, 64> buf{};
    const auto res = std::to_chars(buf.data(), buf.data() + buf.size(), value);
    return {buf.data(), res.ptr};
}

std::string WriteFixed(double value, int decimals) {
    // No double has more than 1074 significant decimals, so more are zeros
    // that carry nothing; the largest has 309 integer digits.
    constexpr int kMostDecimals = 1100;
    decimals = std::clamp(decimals, 0, kMostDecimals);
    std::array<char, kMostDecimals + 320> buf; // on the stack: a result is written on every Enter
    const auto res = std::to_chars(buf.data(), buf.data() + buf.size(), value,
                                   std::chars_format::fixed, decimals);
    if (res.ec != std::errc()) return WriteExact(value);
    return {buf.data(), res.ptr};
}

std::string WriteScientific(double value) {
    std::array<char, 64> buf{};
    const auto res =
        std::to_chars(buf.data(), buf.data() + buf.size(), value, std::chars_format::scientific, 6);
    return {buf.data(), res.ptr};
}

} // namespace quill
