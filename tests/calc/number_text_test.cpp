// Decimals read from text and written back: exactly, whatever the length.
#include "calc/number/number_text.h"

#include <random>
#include <string>

#include <gtest/gtest.h>

namespace quill {
namespace {

// Every significant digit, for comparing values through the writer.
std::string Digits(const Decimal& d) {
    if (d.IsInfinite()) return d.IsNegative() ? "-inf" : "inf";
    if (d.IsNaN()) return "nan";
    if (d.IsZero()) return "0";
    return WriteSignificant(d);
}

TEST(NumberText, ReadDecimal) {
    const std::string ones(60, '1');
    const struct {
        std::string text;
        std::string value;
    } rows[] = {
        {"1.5", "1.5e+00"},
        {".5", "5e-01"},
        {"5.", "5e+00"},
        {"1.2.3", "1.2e+00"}, // reading stops at the second point
        {"", "0"},
        {".", "0"},
        {"0x1f", "0"},
        {"2e5", "2e+00"},
        {"_bad_", "0"},
        {"000.000", "0"},
        {"0012.3400", "1.234e+01"},
        {"3.14159265358979323846", "3.14159265358979323846e+00"},
        // Read exactly, written to at most 50 digits, halves away.
        {"1234567890123456789012345678901234567890.1234567890",
         "1.234567890123456789012345678901234567890123456789e+39"},
        {ones, "1." + ones.substr(1, 49) + "e+59"},
        {"1" + std::string(49, '0') + "5", "1." + std::string(48, '0') + "1e+50"},
        {"1" + std::string(48, '0') + "25", "1." + std::string(48, '0') + "3e+50"},
        {std::string(60, '9'), "1e+60"},
        // Beyond 1,000 digits, rounded ties to even: to 10^1000 from below.
        {std::string(1001, '9'), "1e+1001"},
        // The range: up to 10^10001, down to 10^-10000.
        {"1" + std::string(10000, '0'), "1e+10000"},
        {std::string(10001, '9'), "inf"},
        {"1" + std::string(10001, '0'), "inf"},
        {"0." + std::string(9999, '0') + "1", "1e-10000"},
        {"0." + std::string(10000, '0') + "1", "0"},
        {std::string(500, '0') + "7", "7e+00"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(Digits(ReadDecimal(row.text)), row.value) << row.text.substr(0, 80);
    }
    // Exact to 1,000 digits; one more, and the value carries its rounding.
    const std::string thousand = "1" + std::string(998, '0') + "1";
    EXPECT_FALSE(ReadDecimal(thousand).IsInexact());
    EXPECT_EQ(ReadDecimal(thousand).digits(), 1000);
    EXPECT_TRUE(ReadDecimal(thousand + "1").IsInexact());
    EXPECT_FALSE(ReadDecimal(thousand + "0").IsInexact());
}

// With room after it, a number is read eight characters at a time: the
// same value and length as the number read alone, one digit at a time,
// whatever stands after it (the digits' neighbours '/' and ':', a second
// point, bytes that carry when added to).
TEST(NumberText, ReadDecimalInWordsAgreesWithOneByOne) {
    std::mt19937_64 random(20261210);
    const std::string tails[] = {"", "/", ":", ".5", "+1", ")", "\xfa", "\xff", "e"};
    for (int whole = 0; whole <= 10; ++whole) {
        for (int decimals = -1; decimals <= 10; ++decimals) { // -1: no point
            for (const std::string& tail : tails) {
                std::string number;
                for (int i = 0; i < whole; ++i)
                    number += static_cast<char>('0' + random() % 10);
                if (decimals >= 0) number += '.';
                for (int i = 0; i < decimals; ++i)
                    number += static_cast<char>('0' + random() % 10);
                // A point after a number without one is its own.
                if (number.empty() || number == "." || (decimals < 0 && tail[0] == '.')) continue;
                std::size_t alone = 0;
                std::size_t inLine = 0;
                const Decimal a = ReadDecimal(number, alone);
                const Decimal b = ReadDecimal(number + tail + std::string(20, ')'), inLine);
                EXPECT_EQ(inLine, number.size()) << number << tail;
                EXPECT_EQ(alone, number.size()) << number;
                EXPECT_EQ(Digits(b), Digits(a)) << number << tail;
                EXPECT_EQ(b.IsInexact(), a.IsInexact()) << number << tail;
            }
        }
    }
}

// A decimal of up to 50 digits reads back exactly: the fixed writer gives
// its very text again.
TEST(NumberText, ShortDecimalsReadExactly) {
    std::mt19937_64 random(20261208);
    for (int n = 0; n < 20000; ++n) {
        const std::size_t whole = 1 + random() % 25;
        const std::size_t fraction = random() % 25;
        std::string text(whole, '0');
        for (char& c : text)
            c = static_cast<char>('0' + random() % 10);
        text[0] = static_cast<char>('1' + random() % 9);
        std::string decimals(fraction, '0');
        for (char& c : decimals)
            c = static_cast<char>('0' + random() % 10);
        std::string written = text;
        if (fraction > 0) written.append(".").append(decimals);
        ASSERT_EQ(WriteFixed(ReadDecimal(written), static_cast<int>(fraction)), written);
    }
}

// A ball whose end touches a tie: every point of it must round alike, the
// tie itself (rounded away from zero) included.
TEST(NumberText, ABallThatTouchesATieRoundsAsItsPointsDo) {
    const struct {
        const char* mid;
        std::uint64_t radius; // units of 10^-4
        const char* shown;    // at two decimals
    } rows[] = {
        {"0.1249", 1, ""},     // up to 0.125, which is 0.13: not proven
        {"0.1251", 1, "0.13"}, // down to 0.125: all of it is 0.13
        {"0.1248", 1, "0.12"}, // clear of the tie
        {"-0.1249", 1, ""},    {"-0.1251", 1, "-0.13"},
    };
    for (const auto& row : rows) {
        const Decimal x = ReadDecimal(row.mid[0] == '-' ? row.mid + 1 : row.mid);
        const Decimal ball = (row.mid[0] == '-' ? -x : x).Widened(Bound::Of(row.radius, -4));
        EXPECT_EQ(WriteFixed(ball, 2), row.shown) << row.mid;
    }
}

TEST(NumberText, Write) {
    EXPECT_EQ(WriteFixed(ReadDecimal("0.6666666666666"), 12), "0.666666666667");
    EXPECT_EQ(WriteFixed(ReadDecimal("7.5"), 0), "8");
    EXPECT_EQ(WriteFixed(-ReadDecimal("2.5"), 3), "-2.500");
    EXPECT_EQ(WriteFixed(-ReadDecimal("0.0004"), 3), "0.000");
    EXPECT_EQ(WriteFixed(ReadDecimal("1234000"), 1), "1234000.0");
    EXPECT_EQ(WriteFixed(ReadDecimal("0.00000000000000000000000000000000000001"), 2), "0.00");
    EXPECT_EQ(WriteScientific(ReadDecimal("1234")), "1.234000e+03");
    EXPECT_EQ(WriteScientific(ReadDecimal("0.00001")), "1.000000e-05");
    EXPECT_EQ(WriteScientific(ReadDecimal("1" + std::string(100, '0'))), "1.000000e+100");
    EXPECT_EQ(WriteScientific(ReadDecimal("2.5000005")), "2.500001e+00");
    EXPECT_EQ(WriteScientific(-ReadDecimal("0.99999995")), "-1.000000e+00");
    EXPECT_EQ(WriteSignificant(ReadDecimal("1" + std::string(400, '0'))), "1e+400");
    EXPECT_EQ(WriteDigits(BigInt(1U) * TenTo(100)), "1" + std::string(100, '0'));
    EXPECT_EQ(WriteDigits(BigInt(0U)), "0");
}

} // namespace
} // namespace quill
