// The display string under every format and rounding, from values written
// as expressions (the evaluator's value, then the display).
#include "calc/format.h"

#include <gtest/gtest.h>

#include "calc/evaluator.h"
#include "calc/number/number_text.h"

namespace quill {
namespace {

struct Row {
    std::string value; // an expression for the value shown
    Format format;
    int places;
    std::string display;
};

Decimal ValueOf(const std::string& text) {
    const EvalResult r = EvaluateValue(text, {});
    EXPECT_EQ(r.fault, Fault::None) << text;
    return r.value;
}

TEST(Format, Displays) {
    const Row rows[] = {
        {"5", Format::Decimal, kAutoPlaces, "5"},
        {"2.5", Format::Decimal, kAutoPlaces, "2.5"},
        {"100", Format::Decimal, kAutoPlaces, "100"},
        {"10^20", Format::Decimal, kAutoPlaces, "100000000000000000000"},
        {"1/3", Format::Decimal, kAutoPlaces, "0.333333333333"},
        {"2/3", Format::Decimal, kAutoPlaces, "0.666666666667"},
        {"0.1+0.2", Format::Decimal, kAutoPlaces, "0.3"},
        {"0-0.0000000000001", Format::Decimal, kAutoPlaces, "0"},
        {"0-0.0000000000001", Format::Decimal, 2, "0.00"},
        {"0-0.004", Format::Decimal, 2, "0.00"},
        {"0-0.4", Format::Decimal, 0, "0"},
        {"0-0.6", Format::Decimal, 0, "-1"},
        {"5", Format::Decimal, 2, "5.00"},
        {"2/3", Format::Decimal, 2, "0.67"},
        {"7.4", Format::Decimal, 0, "7"},
        {"0.123456789", Format::Decimal, 9, "0.123456789"},
        {"0.000000000001", Format::Decimal, kAutoPlaces, "0.000000000001"},
        {"0-2.5", Format::Decimal, kAutoPlaces, "-2.5"},
        // Halves away from zero, as people round by hand.
        {"2.5", Format::Decimal, 0, "3"},
        {"0-2.5", Format::Decimal, 0, "-3"},
        {"0.125", Format::Decimal, 2, "0.13"},
        {"2.675", Format::Decimal, 2, "2.68"},
        {"1.005", Format::Decimal, 2, "1.01"},
        {"0.0000000000005", Format::Decimal, kAutoPlaces, "0.000000000001"},
        {"0.00000000000049", Format::Decimal, kAutoPlaces, "0"},
        {"0.0000000005", Format::Decimal, 9, "0.000000001"},
        // Every integer digit, up to the precision; beyond it, the digits
        // there are in exponent form.
        {"2^128", Format::Decimal, kAutoPlaces, "340282366920938463463374607431768211456"},
        {"2^128", Format::Decimal, 3, "340282366920938463463374607431768211456.000"},
        {"10^49", Format::Decimal, kAutoPlaces, "1" + std::string(49, '0')},
        {"10^50", Format::Decimal, kAutoPlaces, "1e+50"},
        {"10^400", Format::Decimal, 2, "1e+400"},
        {"0-2^200", Format::Decimal, kAutoPlaces,
         "-1.6069380442589902755419620923411626025222029937828e+60"},
        {"25*10^59", Format::Decimal, kAutoPlaces, "2.5e+60"},
        {"8", Format::Octal, 3, "010"},
        {"9.99", Format::Octal, kAutoPlaces, "011"},
        {"0", Format::Octal, kAutoPlaces, "0"},
        {"0-1", Format::Octal, kAutoPlaces, "037777777777"},
        {"0-9.99", Format::Octal, kAutoPlaces, "037777777767"},
        {"2^40", Format::Octal, kAutoPlaces, "020000000000000"},
        {"255", Format::Hex, 5, "0xff"},
        {"0.5", Format::Hex, kAutoPlaces, "0"},
        {"0-0.5", Format::Hex, kAutoPlaces, "0"},
        {"0-1", Format::Hex, kAutoPlaces, "0xffffffff"},
        {"0-2^31", Format::Hex, kAutoPlaces, "0x80000000"},
        {"2^31-1", Format::Hex, kAutoPlaces, "0x7fffffff"},
        {"0-2^31-1", Format::Hex, kAutoPlaces, "0xffffffff7fffffff"},
        {"2^40", Format::Hex, kAutoPlaces, "0x10000000000"},
        {"0-2^40", Format::Hex, kAutoPlaces, "0xffffff0000000000"},
        {"2^63-1", Format::Hex, kAutoPlaces, "0x7fffffffffffffff"},
        {"2^63-0.5", Format::Hex, kAutoPlaces, "0x7fffffffffffffff"},
        {"0-2^63", Format::Hex, kAutoPlaces, "0x8000000000000000"},
        {"0-2^63-0.5", Format::Hex, kAutoPlaces, "0x8000000000000000"},
        {"2^63", Format::Hex, kAutoPlaces, "Overflow"},
        {"0-2^63-1", Format::Hex, kAutoPlaces, "Overflow"},
        {"10^300", Format::Octal, kAutoPlaces, "Overflow"},
        {"1234", Format::Exponent, 2, "1.234000e+03"},
        {"0", Format::Exponent, kAutoPlaces, "0.000000e+00"},
        {"0-1.5/10^300", Format::Exponent, kAutoPlaces, "-1.500000e-300"},
        {"9.9999996", Format::Exponent, kAutoPlaces, "1.000000e+01"},
        {"1.0000005", Format::Exponent, kAutoPlaces, "1.000001e+00"},
        {"10^400", Format::Exponent, kAutoPlaces, "1.000000e+400"},
    };
    for (const Row& r : rows) {
        const EvalSettings settings{r.places, r.format, false};
        EXPECT_EQ(FormatResult(ValueOf(r.value), settings), r.display)
            << r.value << " format " << static_cast<int>(r.format) << " places " << r.places;
        EXPECT_EQ(Evaluate(r.value, settings).text, r.display) << r.value;
    }
}

TEST(Format, NonFiniteWordsInEveryFormat) {
    for (Format format : {Format::Decimal, Format::Octal, Format::Hex, Format::Exponent}) {
        for (int round : {kAutoPlaces, 0, 9}) {
            const EvalSettings s{round, format, false};
            EXPECT_EQ(FormatResult(Decimal::Infinity(false), s), "Infinity");
            EXPECT_EQ(FormatResult(Decimal::Infinity(true), s), "-Infinity");
            EXPECT_EQ(FormatResult(Decimal::NotANumber(), s), "Not a number");
        }
    }
}

TEST(Format, EveryDigitUpToThePrecision) {
    // The largest whole number shown whole, and a rounding beyond what any
    // version writes, which still prints, just with zeros.
    const std::string nines(kPrecision, '9');
    EXPECT_EQ(FormatDecimal(ReadDecimal(nines), kAutoPlaces), nines);
    EXPECT_EQ(FormatDecimal(-ReadDecimal(nines), 9), "-" + nines + ".000000000");
    EXPECT_EQ(FormatDecimal(ReadDecimal("0.5"), 20), "0.50000000000000000000");
}

} // namespace
} // namespace quill
