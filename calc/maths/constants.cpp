#include "calc/maths/constants.h"

#include <array>
#include <cstdint>

#include "calc/maths/constant_digits.h"
#include "calc/number/number_text.h"

namespace quill {

namespace {

// What a named constant is made of the one it is computed from.
enum class Step : std::uint8_t { Itself, Half, Quarter, Inverse, TwiceInverse };

// The digits of a base constant, v * 10^n (constant_digits.h).
using TimesTenTo = BigInt (*)(std::int64_t);

struct Constant {
    std::string_view name;
    TimesTenTo base; // null for an exact constant
    Step step;
    const char* exact; // the digits of an exact constant
};

// The golden ratio is kept to three decimals on purpose, as an exact value.
constexpr std::array<Constant, 14> kConstants{{
    {"fi", nullptr, Step::Itself, "1.618"},
    {"fi1", nullptr, Step::Itself, "0.618"},
    {"e", ETimesTenTo, Step::Itself, nullptr},
    {"log2e", Ln2TimesTenTo, Step::Inverse, nullptr},
    {"log10e", Ln10TimesTenTo, Step::Inverse, nullptr},
    {"ln2", Ln2TimesTenTo, Step::Itself, nullptr},
    {"ln10", Ln10TimesTenTo, Step::Itself, nullptr},
    {"pi", PiTimesTenTo, Step::Itself, nullptr},
    {"pi2", PiTimesTenTo, Step::Half, nullptr},
    {"pi4", PiTimesTenTo, Step::Quarter, nullptr},
    {"pia", PiTimesTenTo, Step::Inverse, nullptr},
    {"pib", PiTimesTenTo, Step::TwiceInverse, nullptr},
    {"sqrt2", Sqrt2TimesTenTo, Step::Itself, nullptr},
    {"sqrt1", Sqrt2TimesTenTo, Step::Half, nullptr},
}};

const Constant* Find(std::string_view name) {
    for (const Constant& c : kConstants) {
        if (c.name == name) return &c;
    }
    return nullptr;
}

// The base constant to `digits` digits and a few more, as a ball.
Decimal BaseValue(TimesTenTo base, int digits) {
    const std::int64_t n = digits + 5;
    return Decimal::Make(false, base(n), -n, false, Bound::Of(kDigitsError, -n), digits);
}

} // namespace

bool IsConstant(std::string_view name) {
    return Find(name) != nullptr;
}

std::optional<Decimal> FindConstantValue(std::string_view name, int digits) {
    const Constant* c = Find(name);
    if (!c) return std::nullopt;
    if (!c->base) return ReadDecimal(c->exact);
    const Decimal value = BaseValue(c->base, digits);
    const Decimal one = Decimal::Integer(1);
    switch (c->step) {
    case Step::Itself:
        return value;
    case Step::Half:
        return Multiply(value, Decimal::MakeExact(false, 5, -1), digits);
    case Step::Quarter:
        return Multiply(value, Decimal::MakeExact(false, 25, -2), digits);
    case Step::Inverse:
        return Divide(one, value, digits);
    case Step::TwiceInverse:
        return Divide(Decimal::Integer(2), value, digits);
    }
    return value;
}

} // namespace quill
