#include "calc/constants.h"

#include <array>
#include <optional>

namespace quill {

namespace {

struct Constant {
    std::string_view name;
    const char* value;
    double number; // the value text read as a decimal, kept so the evaluator need not read it each
                   // time
};

// The digits are written once: as the text and as the literal the compiler
// rounds to the nearest double, which is what reading the text gives.
#define QUILL_CONSTANT(name, digits)                                                               \
    { name, #digits, digits }

// The golden ratio is kept to three decimals on purpose.
constexpr std::array<Constant, 14> kConstants{{
    QUILL_CONSTANT("fi", 1.618),
    QUILL_CONSTANT("fi1", 0.618),
    QUILL_CONSTANT("e", 2.71828182845904523536),
    QUILL_CONSTANT("log2e", 1.44269504088896340736),
    QUILL_CONSTANT("log10e", 0.434294481903251827651),
    QUILL_CONSTANT("ln2", 0.693147180559945309417),
    QUILL_CONSTANT("ln10", 2.30258509299404568402),
    QUILL_CONSTANT("pi", 3.14159265358979323846),
    QUILL_CONSTANT("pi2", 1.57079632679489661923),
    QUILL_CONSTANT("pi4", 0.785398163397448309616),
    QUILL_CONSTANT("pia", 0.318309886183790671538),
    QUILL_CONSTANT("pib", 0.636619772367581343076),
    QUILL_CONSTANT("sqrt2", 1.41421356237309504880),
    QUILL_CONSTANT("sqrt1", 0.707106781186547524401),
}};
#undef QUILL_CONSTANT

const Constant* Find(std::string_view name) {
    for (const Constant& c : kConstants) {
        if (c.name == name) return &c;
    }
    return nullptr;
}

} // namespace

const char* FindConstant(std::string_view name) {
    const Constant* c = Find(name);
    return c ? c->value : nullptr;
}

std::optional<double> FindConstantValue(std::string_view name) {
    const Constant* c = Find(name);
    return c ? std::optional<double>(c->number) : std::nullopt;
}

} // namespace quill
