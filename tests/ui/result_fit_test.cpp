// The result line's fit: the shortened text for a width, and every digit it
// shows the whole text's own, rounded (checked with exact integers).
#include "ui/result_fit.h"

#include <gtest/gtest.h>

#include <cwctype>

#include <boost/multiprecision/cpp_int.hpp>

#include "calc/answer.h"

namespace quill::ui {
namespace {

// Every character 10 pixels wide.
int TenEach(std::wstring_view text) {
    return static_cast<int>(text.size()) * 10;
}

std::string Narrow(const std::wstring& text) {
    std::string out;
    for (const wchar_t c : text)
        out += c == kShortenedSign ? std::string("~") : std::string(1, static_cast<char>(c));
    return out;
}

std::string Fit(std::string_view whole, int chars) {
    const auto shown = ShortenedResult(whole, chars * 10, TenEach);
    return shown ? Narrow(*shown) : "(whole)";
}

TEST(ResultFit, TextAndWidthToShownText) {
    const struct {
        const char* whole;
        int chars;
        const char* shown;
    } rows[] = {
        {"340282366920938463463374607431768211456", 39, "(whole)"},
        {"340282366920938463463374607431768211456", 38, "3.4028236692093846346337460743177~e+38"},
        {"1.6069380442589902755419620923411626025222029937828e+60", 30,
         "1.60693804425899027554196~e+60"},
        {"-1.6069380442589902755419620923411626025222029937828e+60", 12, "-1.6069~e+60"},
        {"1.6069380442589902755419620923411626025222029937828e+60", 3, "2~e+60"}, // none fits
        {"123456.789012345678", 12, "123456.7890~"},
        {"123456.789012345678", 7, "123457~"},
        {"123456.789012345678", 6, "1~e+05"},   // the whole part does not fit
        {"-0.999999999999", 8, "-1.0000~"},     // the carry reaches the whole part
        {"9.999999999999e-07", 9, "1.00~e-06"}, // and the exponent
        {"0.000000000123", 10, "1.23e-10"},     // every digit, in less room: no sign
        {"0.000000000000", 5, "0.00~"},
        {"2.5", 2, "3~"},
        {"0x7fffffffffffffff", 9, "0x7fffff~"}, // hex and octal: the leading digits
        {"01777777777777777777777", 6, "01777~"},
        {"Infinity", 2, "(whole)"}, // words and messages are never shortened
        {"Not a number", 2, "(whole)"},
        {"Paste number here   ", 2, "(whole)"},
        {"Overflow", 2, "(whole)"},
        {"Not enough digits", 2, "(whole)"},
        {"12.5.3", 2, "(whole)"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(Fit(row.whole, row.chars), row.shown) << row.whole << " in " << row.chars;
    }
}

using boost::multiprecision::cpp_int;

// A decimal text (digits, a point, an exponent) as an integer times 10^power.
std::pair<cpp_int, long> Exact(std::string text) {
    long power = 0;
    if (const auto e = text.find('e'); e != std::string::npos) {
        power = std::stol(text.substr(e + 1));
        text.resize(e);
    }
    if (const auto point = text.find('.'); point != std::string::npos) {
        power -= static_cast<long>(text.size() - point - 1);
        text.erase(point, 1);
    }
    const bool negative = text.starts_with('-');
    // No leading zero: cpp_int would read the digits as octal.
    const auto first = text.find_first_not_of("-0");
    const cpp_int magnitude(first == std::string::npos ? "0" : text.substr(first));
    return {negative ? cpp_int(-magnitude) : magnitude, power};
}

cpp_int Scaled(const std::pair<cpp_int, long>& v, long to) {
    return v.first * boost::multiprecision::pow(cpp_int(10), static_cast<unsigned>(v.second - to));
}

// For answers to many expressions at every width: within half a unit of the
// shown last digit of the whole text, and no wider than the line when more
// than one digit shows.
TEST(ResultFit, EveryShownDigitIsTheWholeTextsRounded) {
    const char* const expressions[] = {"2^200",       "-2^128", "1/7",   "-1/3*10^20", "pi/10^30",
                                       "99999.99999", "e^100",  "sqrt2", "0.5^40"};
    int checked = 0;
    for (const char* expression : expressions) {
        const std::string whole = AnswerTo(expression, {}).text;
        for (int chars = 1; chars <= static_cast<int>(whole.size()); ++chars) {
            std::string shown = Fit(whole, chars);
            if (shown == "(whole)") continue;
            const bool single = shown.find('.') == std::string::npos;
            EXPECT_TRUE(single || static_cast<int>(shown.size()) <= chars) << shown;
            if (const auto sign = shown.find('~'); sign != std::string::npos) shown.erase(sign, 1);
            const auto a = Exact(whole), b = Exact(shown);
            const long low = std::min(a.second, b.second);
            const cpp_int twice = 2 * abs(Scaled(a, low) - Scaled(b, low));
            EXPECT_LE(twice, Scaled({1, b.second}, low)) << whole << " as " << shown;
            ++checked;
        }
    }
    EXPECT_GT(checked, 150);
}

// In the user's number format the separators count in the width, a
// shortened number never ends on a separator, and its digits, the
// separators taken out and the mark read as a point, are still the whole
// text's rounded.
TEST(ResultFit, GroupedFormsFitAndEndOnADigit) {
    const NumberStyle styles[] = {
        StyleOf(L".", L",", L"3;0", true, DecimalMark::Auto),
        StyleOf(L",", L".", L"3;0", true, DecimalMark::Auto),
        StyleOf(L".", L",", L"3;2;0", true, DecimalMark::Auto),
    };
    const char* const wholes[] = {"340282366920938463463374607431768211456", "-1234567.891011",
                                  "1.6069380442589902755419620923411626025222029937828e+60",
                                  "0x7fffffffffffffff", "99999999.999999999999"};
    int checked = 0;
    for (const NumberStyle& style : styles) {
        for (const std::string whole : wholes) {
            for (int chars = 1; chars <= 60; ++chars) {
                const auto shown = ShortenedResult(whole, chars * 10, TenEach, style);
                if (!shown) {
                    EXPECT_LE(TenEach(ShownNumber(whole, style)), chars * 10) << whole;
                    continue;
                }
                const std::size_t sign = shown->find(kShortenedSign);
                if (sign == std::wstring::npos) continue; // every digit, in exponent form
                ASSERT_GT(sign, 0u);
                EXPECT_TRUE(std::iswxdigit((*shown)[sign - 1])) << Narrow(*shown);
                const bool single = shown->find(style.decimal) == std::wstring::npos;
                EXPECT_TRUE(single || TenEach(*shown) <= chars * 10) << Narrow(*shown);
                if (whole.starts_with("0x")) continue;
                std::wstring plain = WithoutSeparators(*shown, style);
                for (wchar_t& c : plain)
                    c = c == style.decimal[0] ? L'.' : c;
                std::string digits = Narrow(plain);
                digits.erase(digits.find('~'), 1);
                const auto a = Exact(whole), b = Exact(digits);
                const long low = std::min(a.second, b.second);
                EXPECT_LE(2 * abs(Scaled(a, low) - Scaled(b, low)), Scaled({1, b.second}, low))
                    << whole << " as " << digits;
                ++checked;
            }
        }
    }
    EXPECT_GT(checked, 300);
}

} // namespace
} // namespace quill::ui
