// pi and 2/pi to as many decimals as a reduction asks: from the stored
// digits while they last, beyond them by Machin's formula in whole numbers.
//
// Portable; nothing throws but an allocation.
#pragma once

#include <cstdint>

#include "calc/coefficient.h"

namespace quill {

// pi * 10^n for n >= 0 as a whole number within kCircleError of the truth
// (its floor exactly while the stored digits last).
BigInt PiTimesTenTo(std::int64_t n);

// 2/pi * 10^n for n >= 0, within kCircleError of the truth.
BigInt TwoOverPiTimesTenTo(std::int64_t n);

// The most a computed value above lies from the truth, in units of its last
// digit.
inline constexpr int kCircleError = 2;

} // namespace quill
