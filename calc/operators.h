// The seven binary operators: their priorities and arithmetic.
#pragma once

#include <optional>
#include <string_view>

namespace quill {

// 1 for "+" and "-", 2 for "*" and "/", 3 for "%", "^" and "#", 0 for any
// other token (the whole token is compared).
int OperatorPriority(std::string_view token);
int OperatorPriority(char op);

// x raised to the real power y (pow's rules: 2^0.5 is the square root of 2,
// (0-8)^0.5 is not a number).
double Power(double x, double y);

// The real y-th root of x. An odd whole degree of a negative radicand gives
// the negative root; degree 0, or an even or fractional degree of a negative
// radicand, is not a number. A root that is a whole number is found exactly.
double Root(double x, double y);

// a op b for one of the seven operators; nullopt for a division by zero
// (the right operand equals 0) and for a character that is not an operator.
std::optional<double> ApplyOperator(char op, double a, double b);

} // namespace quill
