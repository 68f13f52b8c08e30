// The texts the benchmarks measure, built the same way on every run.
//
// Every text here passes the checker and evaluates to a finite value; the
// benchmark refuses to run on one that does not, so it never measures an
// early refusal by mistake.
#pragma once

#include <cstddef>
#include <string>

namespace quill::bench {

// A typical line a user types: about 30 characters of decimals, operators
// and a quotient that does not end.
std::string TypicalText();

// A typical line with functions, a root and constants.
std::string FunctionsText();

// Pieces of arithmetic like the typical line's joined by "+" to exactly
// `bytes` bytes (`bytes` >= 2).
std::string FlatText(std::size_t bytes);

// `depth` brackets around one another, each with an operator inside,
// around a single number.
std::string NestedText(std::size_t depth);

} // namespace quill::bench
