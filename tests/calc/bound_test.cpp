// The bounds of powers of two read from calc/number/limb_powers.h are the ones
// counted out digit by digit, so that the bound of a long coefficient read
// from its top bits stays a bound.
#include "calc/number/bound.h"

#include <gtest/gtest.h>

#include "calc/number/limb_powers.h"

namespace quill {
namespace {

TEST(Bound, LimbPowersAreTheCountedBounds) {
    BigInt power = 1U;
    for (std::size_t k = 0; k < limb_powers::kLimbs; ++k) {
        for (const bool up : {true, false}) {
            const limb_powers::Digits& row = (up ? limb_powers::kAbove : limb_powers::kBelow)[k];
            const Bound counted = Bound::OfExact(power, 0, up);
            EXPECT_EQ(row.mantissa, counted.mantissa()) << "2^(64*" << k << ") up " << up;
            EXPECT_EQ(row.exponent, counted.exponent()) << "2^(64*" << k << ") up " << up;
        }
        power <<= 64;
    }
}

// A coefficient's bound from its top bits holds it: above from above, below
// from below, for coefficients of one to some twenty limbs.
TEST(Bound, TopBitsBoundTheCoefficient) {
    BigInt c = 7U;
    for (int step = 0; step < 300; ++step) {
        c = c * 13U + 5U;
        EXPECT_LE(Compare(Bound::OfExact(c, 0, true), Bound::Of(c, 0)), 0) << step;
        EXPECT_GE(Compare(Bound::OfExact(c, 0, false), Bound::Below(c, 0)), 0) << step;
    }
}

} // namespace
} // namespace quill
