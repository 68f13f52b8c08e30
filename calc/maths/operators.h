// The seven binary operators: their priorities and arithmetic.
#pragma once

#include <array>

#include "calc/number/decimal.h"

namespace quill {

namespace operators_detail {

struct OperatorEntry {
    char symbol;
    int priority;
};

inline constexpr std::array<OperatorEntry, 7> kOperators{{
    {'+', 1},
    {'-', 1},
    {'*', 2},
    {'/', 2},
    {'%', 3},
    {'^', 3},
    {'#', 3},
}};

// The table above by byte value: the evaluator asks for a priority at every
// operator of the text.
constexpr std::array<unsigned char, 256> MakePriorityTable() {
    std::array<unsigned char, 256> table{};
    for (const OperatorEntry& e : kOperators) {
        table[static_cast<unsigned char>(e.symbol)] = static_cast<unsigned char>(e.priority);
    }
    return table;
}

inline constexpr std::array<unsigned char, 256> kPriorityTable = MakePriorityTable();

} // namespace operators_detail

// 1 for "+" and "-", 2 for "*" and "/", 3 for "%", "^" and "#", 0 for any
// other character.
constexpr int OperatorPriority(char op) {
    return operators_detail::kPriorityTable[static_cast<unsigned char>(op)];
}

// x raised to the real power y, by pow's rules for zero, one and the
// non-finite (2^0.5 is the square root of 2, (0-8)^0.5 is not a number).
// A whole y gives the exact power while it has at most kExactDigits digits,
// else that power rounded to `digits` digits; beyond 2,000 digits, and for
// a fractional y, a ball of `digits` digits from our own kernels (e^(y ln
// x)). Any y, however large, takes a bounded time.
Decimal Power(const Decimal& x, const Decimal& y, int digits = kRoundedDigits);

// The real y-th root of x. An odd whole degree of a negative radicand gives
// the negative root; degree 0, or an even or fractional degree of a negative
// radicand, is not a number. A root that is a decimal of at most kPrecision
// digits is found exactly (27#3 is 3, 0.001#3 is 0.1).
Decimal Root(const Decimal& x, const Decimal& y, int digits = kRoundedDigits);

// a op b for one of the seven operators, a result that does not stay exact
// kept to `digits` digits; NotANumber for a character that is not one. A
// zero divisor gives Divide's answer: the evaluator stops before.
inline Decimal ApplyOperator(char op, const Decimal& a, const Decimal& b,
                             int digits = kRoundedDigits) {
    switch (op) {
    case '+':
        return Add(a, b);
    case '-':
        return Subtract(a, b);
    case '*':
        return Multiply(a, b, digits);
    case '/':
        return Divide(a, b, digits);
    case '%':
        return Percent(a, b, digits);
    case '^':
        return Power(a, b, digits);
    case '#':
        return Root(a, b, digits);
    default:
        return Decimal::NotANumber();
    }
}

} // namespace quill
