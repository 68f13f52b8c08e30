// Speed of the checker, the evaluator, and the whole answer (check, evaluate,
// format) on a typical line, one with functions, the edit line's longest
// text, a megabyte, deep nesting and huge exponents; then the speed targets,
// checked against what was measured.
//
// Exit status: 0 when every target was met, 1 when one was missed, 2 when an
// input was refused (the benchmark would measure the wrong path).
#include <cstdio>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include "bench/inputs.h"
#include "bench/memory.h"
#include "bench/targets.h"
#include "calc/checker.h"
#include "calc/evaluator.h"

namespace {

using quill::bench::Measured;

struct Input {
    const char* name;
    std::string text;
};

constexpr std::size_t kEditLimit = 30000; // the expression line's limit
constexpr std::size_t kMegabyte = 1 << 20;
constexpr std::size_t kDepth = 10000;

void Check(benchmark::State& state, const std::string& text) {
    for (auto _ : state)
        benchmark::DoNotOptimize(quill::CheckExpression(text));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}

void EvaluateOnly(benchmark::State& state, const std::string& text) {
    for (auto _ : state)
        benchmark::DoNotOptimize(quill::EvaluateValue(text, {}));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}

// What the window does at Enter: check, then evaluate and format.
void Answer(benchmark::State& state, const std::string& text) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(quill::CheckExpression(text));
        benchmark::DoNotOptimize(quill::Evaluate(text, {}));
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}

// Records each run's CPU time per call beside the usual console table (the
// machine may be busy with something else; the engine's own cost is what is judged).
class Recorder : public benchmark::ConsoleReporter {
  public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            if (run.error_occurred || run.run_type != Run::RT_Iteration || run.iterations == 0)
                continue;
            measured[run.benchmark_name()] =
                run.cpu_accumulated_time / static_cast<double>(run.iterations) * 1e9;
        }
        ConsoleReporter::ReportRuns(runs);
    }
    Measured measured;
};

// The heap a 10 MB line of nested brackets takes to check and evaluate, per
// level: a user may paste such a line, and it must not take the machine's
// memory.
constexpr std::size_t kMemoryDepth = 5'000'000;
constexpr double kMemoryTarget = 16.0; // bytes a level

double BytesPerLevel() {
    const std::string deep = std::string(kMemoryDepth, '(') + "1" + std::string(kMemoryDepth, ')');
    const std::size_t base = quill::bench::HeapInUse();
    quill::bench::ResetHeapPeak();
    const bool passed = quill::CheckExpression(deep).passed;
    const bool evaluated = quill::Evaluate(deep, {}).fault == quill::Fault::None;
    if (!passed || !evaluated) return -1;
    return static_cast<double>(quill::bench::HeapPeak() - base) / kMemoryDepth;
}

} // namespace

int main(int argc, char** argv) {
    const std::string nested = quill::bench::NestedText(kDepth);
    const std::vector<Input> inputs = {
        {"typical", quill::bench::TypicalText()},
        {"functions", quill::bench::FunctionsText()},
        {"edit_limit", quill::bench::FlatText(kEditLimit)},
        {"megabyte", quill::bench::FlatText(kMegabyte)},
        {"nested", nested},
        {"flat_as_nested", quill::bench::FlatText(nested.size())},
    };
    quill::bench::Sizes sizes;
    for (const Input& input : inputs) {
        const quill::CheckResult check = quill::CheckExpression(input.text);
        const quill::EvalResult value = quill::Evaluate(input.text, {});
        if (!check.passed || value.fault != quill::Fault::None) {
            std::fprintf(stderr, "calc_bench: the %s input does not evaluate (%s%s)\n", input.name,
                         check.message.c_str(), value.text.c_str());
            return 2;
        }
        sizes[input.name] = input.text.size();
        benchmark::RegisterBenchmark((std::string("check/") + input.name).c_str(), Check,
                                     input.text);
        benchmark::RegisterBenchmark((std::string("evaluate/") + input.name).c_str(), EvaluateOnly,
                                     input.text);
        benchmark::RegisterBenchmark((std::string("answer/") + input.name).c_str(), Answer,
                                     input.text);
    }
    // Huge exponents, arguments and roots answer at once.
    for (const char* text : quill::bench::kHugeTexts)
        benchmark::RegisterBenchmark((std::string("answer/") + text).c_str(), Answer,
                                     std::string(text));
    for (const char* text : quill::bench::kEscalatedTexts)
        benchmark::RegisterBenchmark((std::string("answer/") + text).c_str(), Answer,
                                     std::string(text));

    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 2;
    Recorder recorder;
    benchmark::RunSpecifiedBenchmarks(&recorder);
    benchmark::Shutdown();

    const std::vector<quill::bench::Verdict> verdicts =
        quill::bench::JudgeTargets(recorder.measured, sizes);
    std::printf("\nTargets\n");
    const double perLevel = BytesPerLevel();
    bool allMet = perLevel >= 0 && perLevel <= kMemoryTarget;
    std::printf("  %-4s memory: %zu nested brackets checked and evaluated take %.1f bytes a "
                "level (at most %.0f)\n",
                allMet ? "met" : "MISS", kMemoryDepth, perLevel, kMemoryTarget);
    for (const quill::bench::Verdict& v : verdicts) {
        std::printf("  %-4s %s\n", v.met ? "met" : "MISS", v.line.c_str());
        allMet = allMet && v.met;
    }
    return allMet ? 0 : 1;
}
