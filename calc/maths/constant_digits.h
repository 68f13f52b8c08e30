// The constants' digits, as many as an evaluation or a reduction asks: pi
// from the stored digits while they last and beyond them by Machin's
// formula, 2/pi from pi, e by its series, ln 2 and ln 10 by the series of
// atanh, sqrt(2) by the integer root. Each is a whole number c with
// |c - v * 10^n| below kDigitsError for the constant v.
//
// Portable; nothing throws but an allocation.
#pragma once

#include <cstdint>

#include "calc/number/coefficient.h"

namespace quill {

// The most a value here lies from the truth, in units of its last digit.
inline constexpr int kDigitsError = 2;

// pi * 10^n for n >= 0 (its floor exactly while the stored digits last).
BigInt PiTimesTenTo(std::int64_t n);

// 2/pi * 10^n for n >= 0.
BigInt TwoOverPiTimesTenTo(std::int64_t n);

// e, ln 2, ln 10 and sqrt(2), times 10^n for n >= 0.
BigInt ETimesTenTo(std::int64_t n);
BigInt Ln2TimesTenTo(std::int64_t n);
BigInt Ln10TimesTenTo(std::int64_t n);
BigInt Sqrt2TimesTenTo(std::int64_t n);

// pi and ln 2 times 2^bits for bits >= 0, within kDigitsError.
BigInt PiTimesTwoTo(std::int64_t bits);
BigInt Ln2TimesTwoTo(std::int64_t bits);

} // namespace quill
