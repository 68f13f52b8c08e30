#include "calc/number_text.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <limits>
#include <system_error>

#include "calc/chars.h"

namespace quill {

double ReadDecimal(std::string_view text) {
    double value = 0.0;
    const char* first = text.data();
    const char* last = first + text.size();
    // from_chars would accept a sign, an exponent and "inf"; the decimal
    // conversion takes digits and a point only.
    const char* end = first;
    bool point = false;
    while (end != last && (IsDigit(*end) || (*end == '.' && !point))) {
        point = point || *end == '.';
        ++end;
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
    std::string buf(static_cast<std::size_t>(decimals) + 320, '\0');
    const auto res = std::to_chars(buf.data(), buf.data() + buf.size(), value,
                                   std::chars_format::fixed, decimals);
    if (res.ec != std::errc()) return WriteExact(value);
    buf.resize(static_cast<std::size_t>(res.ptr - buf.data()));
    return buf;
}

std::string WriteScientific(double value) {
    std::array<char, 64> buf{};
    const auto res = std::to_chars(buf.data(), buf.data() + buf.size(), value,
                                   std::chars_format::scientific, 6);
    return {buf.data(), res.ptr};
}

} // namespace quill
