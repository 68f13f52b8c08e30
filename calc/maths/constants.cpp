#include "calc/maths/constants.h"

#include <array>
#include <cstdint>

#include "calc/maths/constant_digits.h"
#include "calc/number/number_text.h"

namespace quill {

namespace {

// The constants computed to any number of digits, and what a named one is
// made of them.
enum class Base : std::uint8_t { Exact, Pi, E, Ln2, Ln10, Sqrt2 };
enum class Step : std::uint8_t { Itself, Half, Quarter, Inverse, TwiceInverse };

struct Constant {
    std::string_view name;
    Base base;
    Step step;
    const char* exact; // the digits of an exact constant
};

// The golden ratio is kept to three decimals on purpose, as an exact value.
constexpr std::array<Constant, 14> kConstants{{
    {"fi", Base::Exact, Step::Itself, "1.618"},
    {"fi1", Base::Exact, Step::Itself, "0.618"},
    {"e", Base::E, Step::Itself, nullptr},
    {"log2e", Base::Ln2, Step::Inverse, nullptr},
    {"log10e", Base::Ln10, Step::Inverse, nullptr},
    {"ln2", Base::Ln2, Step::Itself, nullptr},
    {"ln10", Base::Ln10, Step::Itself, nullptr},
    {"pi", Base::Pi, Step::Itself, nullptr},
    {"pi2", Base::Pi, Step::Half, nullptr},
    {"pi4", Base::Pi, Step::Quarter, nullptr},
    {"pia", Base::Pi, Step::Inverse, nullptr},
    {"pib", Base::Pi, Step::TwiceInverse, nullptr},
    {"sqrt2", Base::Sqrt2, Step::Itself, nullptr},
    {"sqrt1", Base::Sqrt2, Step::Half, nullptr},
}};

const Constant* Find(std::string_view name) {
    for (const Constant& c : kConstants) {
        if (c.name == name) return &c;
    }
    return nullptr;
}

// The base constant to `digits` digits and a few more, as a ball.
Decimal BaseValue(Base base, int digits) {
    const std::int64_t n = digits + 5;
    BigInt c;
    switch (base) {
    case Base::Pi:
        c = PiTimesTenTo(n);
        break;
    case Base::E:
        c = ETimesTenTo(n);
        break;
    case Base::Ln2:
        c = Ln2TimesTenTo(n);
        break;
    case Base::Ln10:
        c = Ln10TimesTenTo(n);
        break;
    case Base::Sqrt2:
        c = Sqrt2TimesTenTo(n);
        break;
    case Base::Exact:
        break;
    }
    return Decimal::Make(false, std::move(c), -n, false, Bound::Of(kDigitsError, -n), digits);
}

} // namespace

bool IsConstant(std::string_view name) {
    return Find(name) != nullptr;
}

std::optional<Decimal> FindConstantValue(std::string_view name, int digits) {
    const Constant* c = Find(name);
    if (!c) return std::nullopt;
    if (c->base == Base::Exact) return ReadDecimal(c->exact);
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
