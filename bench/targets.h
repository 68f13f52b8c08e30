// The speed targets, judged from measured times per call.
//
// A target whose benchmarks did not run (a --benchmark_filter left them out)
// is reported as not measured and counts as met.
#pragma once

#include <array>
#include <cstddef>
#include <map>
#include <string>
#include <vector>

namespace quill::bench {

// Texts whose exponents, arguments or roots are huge; each is measured as
// "answer/<text>" and must answer at once.
inline constexpr std::array<const char*, 6> kHugeTexts = {"2^999999999",  "10^1000^1000",
                                                          "sin(10^900)",  "sin(1.2345*10^9990)",
                                                          "1#1000000000", "1.0000001^99999999"};

// Lines whose first try cannot show their digits or decide their point:
// evaluated again with 250 and 1,000 digits, each within 50 ms.
inline constexpr std::array<const char*, 5> kEscalatedTexts = {
    "exp(100)+42-exp(100)", "floor(cos(1/10^30))", "(1-tanh(70))*10^61",
    "sin(sin(sin(exp(exp(2)))))-sin(sin(sin(exp(exp(2)))))", "tan(pi/2)"};

using Measured = std::map<std::string, double>;   // benchmark name -> nanoseconds per call
using Sizes = std::map<std::string, std::size_t>; // input name -> bytes

struct Verdict {
    bool met = true;
    std::string line; // what was compared, with the figures
};

std::vector<Verdict> JudgeTargets(const Measured& measured, const Sizes& sizes);

} // namespace quill::bench
