// libFuzzer target over the checker and the evaluator: nothing crashes or
// throws, every text the checker passes evaluates, every mark the checker
// makes lies inside the text, no display is a negative zero, an exact value
// always proves its digits, and every value's text (what the history keeps
// for ans) reads back as the same value.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "calc/checker.h"
#include "calc/evaluator.h"
#include "calc/faults.h"
#include "calc/format.h"
#include "calc/number/value_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // The first byte picks the settings, the rest is the expression.
    const int pick = size > 0 ? data[0] : 0;
    // With the high bit, "ans" stands for a rounded value with a bound.
    static const quill::Decimal kAnswer = quill::Evaluate("1/3*10^20", {}).value;
    const quill::EvalSettings settings{(pick & 0x0f) % (quill::kMaxPlaces + 2) + quill::kAutoPlaces,
                                       static_cast<quill::Format>((pick >> 4) & 3),
                                       (pick & 0x40) != 0, (pick & 0x80) ? &kAnswer : nullptr};
    const std::string text(reinterpret_cast<const char*>(data) + (size > 0 ? 1 : 0),
                           size > 0 ? size - 1 : 0);

    const quill::CheckResult check = quill::CheckExpression(text, settings.answer != nullptr);
    const int length = static_cast<int>(text.size());
    if (!check.passed) {
        if (check.message.empty()) std::abort();
        if (check.select && (check.start < 0 || check.end < check.start || check.end > length)) {
            std::abort();
        }
    }
    const quill::EvalResult result = quill::Evaluate(text, settings);
    if (check.passed && result.fault == quill::Fault::InvalidArgument) std::abort();
    if (result.text.empty()) std::abort();
    // "-0", "-0.00" and the like: a sign on nothing.
    const std::string& shown = result.text;
    if (shown.size() >= 2 && shown[0] == '-' &&
        shown.find_first_not_of("0.", 1) == std::string::npos)
        std::abort();
    if (result.fault == quill::Fault::None && !result.value.IsInexact() &&
        shown == quill::kNotEnoughDigitsText)
        std::abort();
    if (result.fault == quill::Fault::None) {
        const std::string kept = quill::ValueText(result.value);
        const auto back = quill::ValueFromText(kept);
        if (!back || quill::ValueText(*back) != kept ||
            quill::FormatResult(*back, settings) != shown) {
            std::abort();
        }
    }
    return 0;
}
