#include "bench/targets.h"

#include <array>
#include <cstdio>

namespace quill::bench {

namespace {

constexpr std::array<const char*, 3> kStages = {"check", "evaluate", "answer"};

std::string Format(const char* pattern, double a, double b, double c) {
    char buffer[200];
    std::snprintf(buffer, sizeof buffer, pattern, a, b, c);
    return buffer;
}

const double* Find(const Measured& measured, const std::string& name) {
    const auto it = measured.find(name);
    return it == measured.end() ? nullptr : &it->second;
}

// An absolute limit on one benchmark's time per call.
Verdict Under(const Measured& measured, const std::string& name, double limitNs,
              const char* limitText) {
    const double* ns = Find(measured, name);
    if (!ns) return {true, name + " under " + limitText + ": not measured"};
    return {*ns < limitNs, name + " under " + limitText + ": " + Format("%.0f ns", *ns, 0, 0)};
}

// The cost per byte of `big` at most `factor` times that of `small`.
Verdict PerByte(const Measured& measured, const Sizes& sizes, const std::string& stage,
                const std::string& big, const std::string& small, double factor) {
    const std::string title =
        stage + ": per byte, " + big + " at most " + Format("%.0f", factor, 0, 0) + " x " + small;
    const double* b = Find(measured, stage + "/" + big);
    const double* s = Find(measured, stage + "/" + small);
    if (!b || !s || sizes.count(big) == 0 || sizes.count(small) == 0)
        return {true, title + ": not measured"};
    const double perBig = *b / static_cast<double>(sizes.at(big));
    const double perSmall = *s / static_cast<double>(sizes.at(small));
    return {perBig <= factor * perSmall,
            title + Format(": %.2f vs %.2f ns/byte (%.2f x)", perBig, perSmall, perBig / perSmall)};
}

} // namespace

std::vector<Verdict> JudgeTargets(const Measured& measured, const Sizes& sizes) {
    std::vector<Verdict> out;
    out.push_back(Under(measured, "answer/typical", 0.7e3, "0.7 us"));
    out.push_back(Under(measured, "answer/functions", 6e3, "6 us"));
    out.push_back(Under(measured, "answer/edit_limit", 2e6, "2 ms"));
    for (const char* stage : kStages) {
        out.push_back(PerByte(measured, sizes, stage, "edit_limit", "typical", 2));
        out.push_back(PerByte(measured, sizes, stage, "megabyte", "edit_limit", 2));
        out.push_back(PerByte(measured, sizes, stage, "nested", "flat_as_nested", 2));
    }
    for (const char* text : kHugeTexts)
        out.push_back(Under(measured, std::string("answer/") + text, 1e6, "1 ms"));
    for (const char* text : kEscalatedTexts)
        out.push_back(Under(measured, std::string("answer/") + text, 50e6, "50 ms"));
    return out;
}

} // namespace quill::bench
