// The seven binary operators: their priorities and arithmetic.
#pragma once

#include <array>
#include <optional>

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

// x raised to the real power y (pow's rules: 2^0.5 is the square root of 2,
// (0-8)^0.5 is not a number).
double Power(double x, double y);

// The real y-th root of x. An odd whole degree of a negative radicand gives
// the negative root; degree 0, or an even or fractional degree of a negative
// radicand, is not a number. A root that is a whole number is found exactly.
double Root(double x, double y);

// a op b for one of the seven operators; nullopt for a division by zero
// (the right operand equals 0) and for a character that is not an operator.
inline std::optional<double> ApplyOperator(char op, double a, double b) {
    switch (op) {
    case '+':
        return a + b;
    case '-':
        return a - b;
    case '*':
        return a * b;
    case '/':
        if (b == 0.0) return std::nullopt;
        return a / b;
    case '%':
        return a / 100.0 * b;
    case '^':
        return Power(a, b);
    case '#':
        return Root(a, b);
    default:
        return std::nullopt;
    }
}

} // namespace quill
