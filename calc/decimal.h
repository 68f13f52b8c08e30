// The engine's numbers: decimal floating point with 50 significant digits.
//
// A finite Decimal is ±c·10^q with a whole coefficient c of at most
// kPrecision (50) digits. Every value the engine computes is one of these, or
// +Infinity, -Infinity or NotANumber.
//
// - Exact where arithmetic is exact: +, -, * and Percent give the exact
//   result whenever it has at most kPrecision significant digits, / whenever
//   the quotient ends within them; otherwise each gives the correctly rounded
//   result (to nearest, a tie to the even neighbour). One operation, one
//   rounding.
// - Range: a nonzero finite magnitude lies between 10^kMinScale and
//   10^(kMaxScale + 1), excluded. A result beyond the range is ±Infinity,
//   one below it is 0. Zero has no sign.
// - Non-finite values follow IEEE 754's rules: Infinity - Infinity,
//   0 * Infinity and anything with NotANumber give NotANumber.
//
// - A value remembers whether a rounding went into it (IsInexact). Such a
//   value is trusted to kTrustedDigits digits: where the display rounds or
//   takes a whole part, one that lies within 10^-kTrustedDigits of itself
//   from a tie or a whole number counts as lying on it, so 7/3*1.5 shows 3.5
//   rounded as 3.5 is, and 1/3*3 has the whole part 1. An exact value is
//   always taken as it is.
//
// Operations are pure and never throw; the arithmetic here allocates nothing.
#pragma once

#include <cstdint>

#include "calc/coefficient.h"

namespace quill {

// The largest and smallest power of ten of a leading digit.
inline constexpr int kMaxScale = 10000;
inline constexpr int kMinScale = -10000;

// The digits of a value that carries roundings that its display relies on.
inline constexpr int kTrustedDigits = 40;

class Decimal {
  public:
    enum class Kind : std::uint8_t { Finite, Infinite, NotANumber };

    Decimal() = default; // zero

    static Decimal Infinity(bool negative);
    static Decimal NotANumber();
    static Decimal Integer(std::int64_t n);

    // ±c·10^q, rounded to kPrecision digits (ties to even) and then to the
    // range. `sticky` says the true magnitude lies a little above c·10^q
    // (something nonzero below c's last digit), which rounding must know.
    static Decimal Make(bool negative, const Wide& c, std::int64_t q, bool sticky = false);
    static Decimal Make(bool negative, const BigInt& c, std::int64_t q, bool sticky = false);
    // ±c·10^q for a c of at most kPrecision digits, from which a part was
    // dropped that `rest` describes: rounded ties to even, then to the range.
    static Decimal Rounded(bool negative, Wide c, std::int64_t q, Rest rest);
    // An exact ±c·10^q whose c has at most 38 digits: checked against the
    // range only.
    static Decimal MakeExact(bool negative, unsigned __int128 c, std::int64_t q);

    Kind kind() const { return kind_; }
    bool IsFinite() const { return kind_ == Kind::Finite; }
    bool IsInfinite() const { return kind_ == Kind::Infinite; }
    bool IsNaN() const { return kind_ == Kind::NotANumber; }
    bool IsZero() const { return IsFinite() && digits_ == 0; }
    // Below zero (a negative finite value or -Infinity).
    bool IsNegative() const { return negative_; }
    // Whether a rounding went into this value (its own or an operand's).
    bool IsInexact() const { return inexact_; }
    // Marks the value as carrying a rounding when `inexact` is true.
    Decimal& MarkInexact(bool inexact) {
        inexact_ = inexact_ || inexact;
        return *this;
    }

    const Coefficient& coefficient() const { return coefficient_; }
    std::int32_t exponent() const { return exponent_; }
    // The coefficient's digits (0 for zero).
    int digits() const { return digits_; }
    // The power of ten of the leading digit of a nonzero finite value.
    int Scale() const { return exponent_ + digits_ - 1; }

    Decimal operator-() const;

  private:
    Coefficient coefficient_{};
    std::int32_t exponent_ = 0;
    std::int16_t digits_ = 0;
    bool negative_ = false;
    bool inexact_ = false;
    Kind kind_ = Kind::Finite;
};

Decimal Add(const Decimal& a, const Decimal& b);
Decimal Subtract(const Decimal& a, const Decimal& b);
Decimal Multiply(const Decimal& a, const Decimal& b);
// a / b; a nonzero a over zero is ±Infinity, 0/0 NotANumber (the evaluator
// stops at a zero divisor before it comes here).
Decimal Divide(const Decimal& a, const Decimal& b);
// a per cent of b: a / 100 * b, rounded once.
Decimal Percent(const Decimal& a, const Decimal& b);

// -1, 0 or 1 as a is below, equal to or above b; both finite.
int Compare(const Decimal& a, const Decimal& b);

// Finite values only: whether it is a whole number, an odd one.
bool IsWhole(const Decimal& x);
bool IsOddWhole(const Decimal& x);

// x itself, or the whole number an inexact x lies within its trusted digits
// of (0.999...9 from 1/3*3 is 1).
Decimal SnapToWhole(const Decimal& x);

// The whole part toward zero, below and above; non-finite values stay. An
// inexact x within its trusted digits of a whole number is that number.
Decimal Truncate(const Decimal& x);
Decimal Floor(const Decimal& x);
Decimal Ceil(const Decimal& x);
Decimal Abs(const Decimal& x);

// x's coefficient without its last `drop` digits, rounded by `rule` (the
// display's rules: HalfAway or Down). For an inexact x, a dropped part
// within its trusted digits of a tie, or of a whole unit when rounding down,
// counts as that tie or unit.
Wide DropDisplayDigits(const Decimal& x, int drop, Rounding rule);

} // namespace quill
