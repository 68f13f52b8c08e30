// Only proven digits: exact arithmetic to 1,000 digits, a bound on every
// rounded value, and a display that shows no digit the bound does not
// prove. The cases people met before the values carried bounds, and random
// expressions checked against their true values to 1,000 digits.
#include <fstream>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "calc/evaluator.h"
#include "calc/faults.h"
#include "calc/format.h"
#include "tests/calc/exact_display.h"

namespace quill {
namespace {

using test::Integer;
using test::Rational;

const EvalSettings kAuto{};
const EvalSettings kExponent{kAutoPlaces, Format::Exponent, false};

EvalSettings Places(int places) {
    return {places, Format::Decimal, false};
}

TEST(ProvenDigits, TheCasesThatShowedWrongDigits) {
    const struct {
        const char* typed;
        EvalSettings settings;
        const char* shown;
    } rows[] = {
        // More digits than a rounded value has: only the proven ones, and
        // Auto strips the zeros among them.
        {"1/3*3*10^49", kAuto, "10000000000000000000000000000000000000000000000000"},
        {"exp(100)+42-exp(100)", kAuto, "42"},
        {"exp(110)", Places(4), "592097202766467029895522881558803977225493294301.1533"},
        // One rounding, not two.
        {"1234567890123456789012345678901234567+0.12345678901249", kAuto,
         "1234567890123456789012345678901234567.123456789012"},
        {"tan(0-3692.942164294801951812837297045055640374)", kAuto,
         "4398097593748016758063976276395820962.765667329391"},
        // Exact through cancellation, and a big argument kept whole.
        {"(10^53+7578.8605343)-10^53", kAuto, "7578.8605343"},
        {"(10^56+0.00005)-10^56", kAuto, "0.00005"},
        {"sin(2^200)", kAuto, "-0.478897799707"},
        // A narrow ball about zero, a tie or a whole number is that point.
        {"cos(pi/2)", kExponent, "0.000000e+00"},
        {"sin(pi)", kExponent, "0.000000e+00"},
        {"abs(1/3)*3-1", kExponent, "0.000000e+00"},
        {"(0-8)^(1/3*3)", kAuto, "-8"},
        {"(0-8)#(1/3*3)", kAuto, "-8"},
        {"1/(1/3*3-1)", kAuto, FaultText(Fault::DivisionByZero)},
        {"7/3*1.5", Places(0), "4"},
        {"asin(1/3*3)", kAuto, "1.570796326795"},
        // A wide ball shows what it proves, or says it proves nothing.

        {"(10^53+1/3)-10^53", kAuto, "0.333333333333"},
        {"1/0.1^10001", kAuto, kNotEnoughDigitsText},
        // A ball of units about zero is no zero: a long exact sum rounded
        // past 1,000 digits says so.
        {"10^1100-1-10^1100", kAuto, kNotEnoughDigitsText},
        {"(1-10^1003)+10^1003", kAuto, kNotEnoughDigitsText},
        // Digits on demand: a line whose first try cannot show its digits,
        // or cannot tell zero, a whole number or a tie from a value beside
        // it, is tried again with more.
        {"sin(10^60/3)", kAuto, "0.320826779793"},
        {"10^60/3+1-10^60/3", kAuto, "1"},
        {"10^60/3*3-10^60", {kAutoPlaces, Format::Hex, false}, "0"},
        {"(exp(1/10^60)-1)*10^60", kAuto, "1"},
        {"1/(exp(1/10^60)-1)", kAuto, "1e+60"},
        {"(1/95*10^78+8144.26)-1/95*10^78", Places(9), "8144.260000000"},
        {"sin(pi+1/10^60)", kExponent, "-1.000000e-60"},
        {"(1-tanh(70))*10^61", kAuto, "3.160840120547"},
        {"floor(cos(1/10^30))", kAuto, "0"},
        // Nothing snaps before the last try, nor there a truth 10^-801 away.
        {"floor(cos(1/10^150))", kAuto, "0"},
        {"floor(cos(1/10^400))", kAuto, "0"},
        {"ceil(exp(1/10^800))", kAuto, "2"},
        {"ceil(exp(1/10^60))", kAuto, "2"},
        {"2.5*cos(1/10^30)", Places(0), "2"},
        {"0.125*cos(1/10^30)", Places(2), "0.12"},
        {"cos(1/10^30)", {kAutoPlaces, Format::Hex, false}, "0"},
        {"(0-8)^(exp(1/10^54))", kAuto, kNotANumberText},
        // A rounded argument far below exp's range: zero, at once.
        {"exp(ln2/7500.981-(8155914578325372727943943384^0.5%45))", kAuto, "0"},
        // A bound of a coefficient near 2^64 that wrapped to zero.
        {"floor(18446744073709551615*(1/3))", kAuto, "6148914691236517205"},
        {"floor(18446744073709551615*(1/3))",
         {kAutoPlaces, Format::Hex, false},
         "0x5555555555555555"},
    };
    for (const auto& row : rows)
        EXPECT_EQ(Evaluate(row.typed, row.settings).text, row.shown) << row.typed;
}

// A shown text as a value and the unit of its last digit; false for words.
bool ShownValue(const std::string& shown, Rational& value, Rational& unit) {
    if (shown.find_first_not_of("-.0123456789e+") != std::string::npos) return false;
    const std::size_t e = shown.find('e');
    const std::string mantissa = shown.substr(0, e);
    const std::size_t point = mantissa.find('.');
    const auto decimals =
        static_cast<long>(point == std::string::npos ? 0 : mantissa.size() - point - 1);
    const long exponent = e == std::string::npos ? 0 : std::stol(shown.substr(e + 1));
    value = test::RationalOf(mantissa) * test::TenTo(exponent);
    unit = test::TenTo(exponent - decimals);
    return true;
}

// The whole part toward zero of an octal or hex text, as the display writes
// it (negative ones in two's complement).
Integer IntegerShown(const std::string& shown, int base) {
    const std::string digits = shown == "0" ? "0" : shown.substr(base == 16 ? 2 : 1);
    Integer n(std::stoull(digits, nullptr, base));
    if (n >= (Integer(1) << 63)) return n - (Integer(1) << 64);
    if (n >= (Integer(1) << 31) && n < (Integer(1) << 32)) return n - (Integer(1) << 32);
    return n;
}

Integer TowardZero(const Rational& v) {
    return numerator(v) / denominator(v);
}

struct Row {
    EvalSettings settings;
    std::string format, typed, truth;
};

Row ReadRow(const std::string& line) {
    std::istringstream fields(line);
    std::string format, places, angle, typed, truth;
    std::getline(fields, format, '\t');
    std::getline(fields, places, '\t');
    std::getline(fields, angle, '\t');
    std::getline(fields, typed, '\t');
    std::getline(fields, truth, '\t');
    const Format form = format == "hex"        ? Format::Hex
                        : format == "octal"    ? Format::Octal
                        : format == "exponent" ? Format::Exponent
                                               : Format::Decimal;
    return {{places == "auto" ? kAutoPlaces : std::stoi(places), form, angle == "degrees"},
            format,
            typed,
            truth};
}

// The shown text against the true value: every digit the truth's, and a
// zero, whole number or tie taken only for a truth within 10^-800 of it.
void CheckShown(const Row& row, const Rational& exact, const std::string& shown) {
    using boost::multiprecision::abs;
    // The truth's own last digits aside, the snap's reach is all the slack.
    const Rational slack = std::max(test::TenTo(-800), test::TenTo(-990) * abs(exact));
    if (row.format == "hex" || row.format == "octal") {
        if (shown == "Overflow") return;
        const Integer whole = IntegerShown(shown, row.format == "hex" ? 16 : 8);
        if (whole != TowardZero(exact)) {
            EXPECT_LE(abs(Rational(whole) - exact), slack) << row.typed << " shows " << shown;
        }
        return;
    }
    Rational value;
    Rational unit;
    ASSERT_TRUE(ShownValue(shown, value, unit)) << row.typed << " shows " << shown;
    EXPECT_LE(abs(value - exact), unit / 2 + slack)
        << row.typed << " shows " << shown << ", truth " << row.truth.substr(0, 40);
    // The exponent form shows a zero only for a value that is one.
    if (row.format == "exponent" && value == 0) {
        EXPECT_LE(abs(exact), slack) << row.typed << " shows " << shown;
    }
}

// Each row: format, places, angle unit, expression and the true value to
// 1,000 digits ("d.ddd...e<n>"), or a word for none.
TEST(ProvenDigits, EveryShownDigitIsTheTruths) {
    std::ifstream file(QUILL_SOURCE_DIR "/tests/calc/data/proven_digits.tsv");
    ASSERT_TRUE(file) << "tests/calc/data/proven_digits.tsv";
    std::string line;
    int rows = 0;
    int unproven = 0;
    while (std::getline(file, line)) {
        const Row row = ReadRow(line);
        const std::string shown = Evaluate(row.typed, row.settings).text;
        ++rows;
        if (shown == kNotEnoughDigitsText) {
            ++unproven;
            continue;
        }
        // No true value, or one beyond the range ("inf").
        if (row.truth.find_first_of("0123456789") == std::string::npos) continue;
        const std::size_t e = row.truth.find('e');
        const long power = e == std::string::npos ? 0 : std::stol(row.truth.substr(e + 1));
        CheckShown(row, test::RationalOf(row.truth.substr(0, e)) * test::TenTo(power), shown);
    }
    EXPECT_GT(rows, 400);
    // Most of them prove their digits: the checks above are not passed by
    // saying nothing.
    EXPECT_LT(unproven * 10, rows) << unproven << " of " << rows << " proved no digit";
}

} // namespace
} // namespace quill
