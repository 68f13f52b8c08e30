// The speed targets, judged from measured times per call.
//
// A target whose benchmarks did not run (a --benchmark_filter left them out)
// is reported as not measured and counts as met.
#pragma once

#include <cstddef>
#include <map>
#include <string>
#include <vector>

namespace quill::bench {

using Measured = std::map<std::string, double>;   // benchmark name -> nanoseconds per call
using Sizes = std::map<std::string, std::size_t>; // input name -> bytes

struct Verdict {
    bool met = true;
    std::string line; // what was compared, with the figures
};

std::vector<Verdict> JudgeTargets(const Measured& measured, const Sizes& sizes);

} // namespace quill::bench
