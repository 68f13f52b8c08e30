// The display an exact value should have, worked out from a rational number
// (Boost's cpp_rational) by the display's rules, independently of the
// engine's own decimals and writers: the second path the calculation tests
// compare the engine with.
#pragma once

#include <algorithm>
#include <string>

#include <boost/multiprecision/cpp_int.hpp>

#include "calc/eval_settings.h"

namespace quill::test {

using Rational = boost::multiprecision::cpp_rational;
using Integer = boost::multiprecision::cpp_int;

// A decimal text (digits, an optional point, an optional leading "-") as a
// rational, exactly.
inline Rational RationalOf(const std::string& text) {
    const bool negative = !text.empty() && text[0] == '-';
    std::string digits = negative ? text.substr(1) : text;
    Integer scale = 1;
    const std::size_t point = digits.find('.');
    if (point != std::string::npos) {
        for (std::size_t i = point + 1; i < digits.size(); ++i)
            scale *= 10;
        digits.erase(point, 1);
    }
    // No leading zero: Boost reads "0125" as octal.
    digits.erase(0, std::min(digits.find_first_not_of('0'), digits.size()));
    if (digits.empty()) digits = "0";
    const Rational value(Integer(digits), scale);
    return negative ? Rational(-value) : value;
}

// 10^n, for n of either sign.
inline Rational TenTo(long n) {
    const Integer power =
        boost::multiprecision::pow(Integer(10), static_cast<unsigned>(n < 0 ? -n : n));
    return n < 0 ? Rational(Integer(1), power) : Rational(power);
}

// floor(|v| * 10^places + 1/2): |v| rounded to places, halves away from zero,
// as a whole number of 10^-places.
inline Integer RoundedMagnitude(const Rational& v, int places) {
    Rational scaled = boost::multiprecision::abs(v);
    for (int i = 0; i < places; ++i)
        scaled *= 10;
    scaled += Rational(1, 2);
    return Integer(boost::multiprecision::numerator(scaled) /
                   boost::multiprecision::denominator(scaled));
}

// The digits of n with a point before the last `places` of them.
inline std::string WithPoint(const Integer& n, int places) {
    std::string digits = n.str();
    if (places == 0) return digits;
    if (digits.size() <= static_cast<std::size_t>(places))
        digits.insert(0, static_cast<std::size_t>(places) + 1 - digits.size(), '0');
    digits.insert(digits.size() - static_cast<std::size_t>(places), ".");
    return digits;
}

inline std::string FixedDisplay(const Rational& v, int places, bool strip) {
    const Integer n = RoundedMagnitude(v, places);
    std::string text = WithPoint(n, places);
    if (strip && places > 0) {
        text.erase(text.find_last_not_of('0') + 1);
        if (text.back() == '.') text.pop_back();
    }
    return (v < 0 && n != 0 ? "-" : "") + text;
}

// "%e" of v: seven significant digits, halves away from zero.
inline std::string ExponentDisplay(const Rational& v) {
    if (v == 0) return "0.000000e+00";
    Rational m = boost::multiprecision::abs(v);
    int exponent = 0;
    while (m >= 10) {
        m /= 10;
        ++exponent;
    }
    while (m < 1) {
        m *= 10;
        --exponent;
    }
    Integer n = RoundedMagnitude(m, 6);
    if (n == 10000000) {
        n = 1000000;
        ++exponent;
    }
    std::string text = WithPoint(n, 6) + (exponent < 0 ? "e-" : "e+");
    const std::string e = std::to_string(exponent < 0 ? -exponent : exponent);
    text += (e.size() < 2 ? "0" : "") + e;
    return (v < 0 ? "-" : "") + text;
}

// The whole part toward zero in the 32-bit or 64-bit form of base 8 or 16.
inline std::string IntegerDisplay(const Rational& v, Format format) {
    const Integer whole =
        boost::multiprecision::numerator(v) / boost::multiprecision::denominator(v);
    const Integer two63 = Integer(1) << 63;
    if (whole >= two63 || whole < -two63) return "Overflow";
    const auto n = whole.convert_to<long long>();
    const bool narrow = n >= -(1LL << 31) && n < (1LL << 31);
    Integer bits = narrow ? Integer(static_cast<unsigned>(static_cast<int>(n)))
                          : Integer(static_cast<unsigned long long>(n));
    if (bits == 0) return "0";
    std::string digits;
    const int base = format == Format::Octal ? 8 : 16;
    while (bits > 0) {
        digits.insert(digits.begin(), "0123456789abcdef"[static_cast<int>(bits % base)]);
        bits /= base;
    }
    return (format == Format::Octal ? "0" : "0x") + digits;
}

// The display of the exact value v. A whole part of more than 50 digits is
// left out: the engine shows such a value by its 50 significant digits.
inline std::string ExactDisplay(const Rational& v, const EvalSettings& s) {
    if (s.format == Format::Exponent) return ExponentDisplay(v);
    if (s.format != Format::Decimal) return IntegerDisplay(v, s.format);
    if (s.places < 0) return FixedDisplay(v, 12, true);
    return FixedDisplay(v, s.places, false);
}

} // namespace quill::test
