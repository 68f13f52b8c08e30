// Speed of the checker and the evaluator on large and deep inputs, and of a
// power with a huge exponent (which must cost no more than a small one).
// Targets: a 1 MB expression checks and evaluates in well under a second.
#include <string>

#include <benchmark/benchmark.h>

#include "calc/checker.h"
#include "calc/evaluator.h"

namespace {

std::string Repeat(const std::string& piece, std::size_t times) {
    std::string out;
    out.reserve(piece.size() * times);
    for (std::size_t i = 0; i < times; ++i) out += piece;
    return out;
}

void CheckAndEvaluate(benchmark::State& state, const std::string& text) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(quill::CheckExpression(text));
        benchmark::DoNotOptimize(quill::Evaluate(text, {}));
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}

void BM_MegabyteSum(benchmark::State& state) { CheckAndEvaluate(state, "1" + Repeat("+1", 500000)); }
void BM_DeepBrackets(benchmark::State& state) {
    CheckAndEvaluate(state, Repeat("(", 100000) + "1" + Repeat(")", 100000));
}
void BM_DeepFunctions(benchmark::State& state) {
    CheckAndEvaluate(state, Repeat("abs(", 100000) + "1" + Repeat(")", 100000));
}
void BM_SmallPower(benchmark::State& state) { CheckAndEvaluate(state, "2^3"); }
void BM_HugePower(benchmark::State& state) { CheckAndEvaluate(state, "1.0000001^2000000000"); }

} // namespace

BENCHMARK(BM_MegabyteSum)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DeepBrackets)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DeepFunctions)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SmallPower);
BENCHMARK(BM_HugePower);
BENCHMARK_MAIN();
