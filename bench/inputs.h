// The texts the benchmarks measure, built the same way on every run.
//
// Every text here passes the checker and evaluates to a finite value; the
// benchmark refuses to run on one that does not, so it never measures an
// early refusal by mistake.
#pragma once

#include <cstddef>
#include <string>

namespace quill::bench {

// A typical line a user types: 30 characters of numbers, operators,
// brackets, functions and constants.
std::string TypicalText();

// Pieces like the typical line's joined by "+" to exactly `bytes` bytes
// (`bytes` >= 2).
std::string FlatText(std::size_t bytes);

// `depth` brackets and function calls around one another, each with an
// operator inside, around a single number.
std::string NestedText(std::size_t depth);

} // namespace quill::bench
