// The digits of the constants computed past the stored ones agree with the
// stored ones where both exist.
#include "calc/maths/constant_digits.h"

#include <string>

#include <gtest/gtest.h>

#include "calc/maths/constant_tables.h"
#include "calc/maths/pi_digits.h"
#include "calc/maths/two_over_pi_digits.h"

namespace quill {
namespace {

// The stored digits (a whole number of 10^-n) and the computed ones (of
// 10^-(n + extra)) agree within the computed value's error.
void ExpectAgree(const BigInt& stored, const BigInt& computed, std::int64_t extra) {
    const BigInt cut = computed / TenTo(extra);
    EXPECT_LE(mp::abs(BigInt(cut - stored)), 1) << "off beyond the last stored digit";
}

TEST(ConstantDigits, ComputedDigitsAreTheStoredOnes) {
    ExpectAgree(BigInt(std::string(kPiDigits)), PiTimesTenTo(kPiDecimals + 300), 300);
    const std::int64_t have = static_cast<std::int64_t>(kTwoOverPiDecimals.size());
    ExpectAgree(BigInt(std::string(kTwoOverPiDecimals.substr(0, 2000))),
                TwoOverPiTimesTenTo(have + 50) / TenTo(have - 2000), 50);
    // The tables against the series past them, also read a piece short.
    for (const auto times : {ETimesTenTo, Ln2TimesTenTo, Ln10TimesTenTo, Sqrt2TimesTenTo}) {
        ExpectAgree(times(kTableDecimals), times(kTableDecimals + 40), 40);
        ExpectAgree(times(61), times(kTableDecimals + 40), kTableDecimals - 21);
    }
    for (const auto times : {PiTimesTwoTo, Ln2TimesTwoTo}) {
        for (const std::int64_t bits : {kTableBits, kTableBits - 7})
            EXPECT_LE(
                mp::abs(BigInt(times(bits) - (times(kTableBits + 64) >> (kTableBits + 64 - bits)))),
                2);
    }
}

} // namespace
} // namespace quill
