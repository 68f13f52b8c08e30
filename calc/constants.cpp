#include "calc/constants.h"

#include <array>

#include "calc/number_text.h"

namespace quill {

namespace {

struct Constant {
    std::string_view name;
    const char* digits;
    bool rounded; // the digits end a rounding of the true value
};

// The true values rounded to 60 significant digits (computed with mpmath at
// 80 digits: pi, e, log(2), log(10), their quotients, sqrt(2)): read, they
// carry half a unit of their last digit as their bound. The golden ratio is
// kept to three decimals on purpose, as an exact value.
constexpr std::array<Constant, 14> kConstants{{
    {"fi", "1.618", false},
    {"fi1", "0.618", false},
    {"e", "2.71828182845904523536028747135266249775724709369995957496697", true},
    {"log2e", "1.44269504088896340735992468100189213742664595415298593413545", true},
    {"log10e", "0.434294481903251827651128918916605082294397005803666566114454", true},
    {"ln2", "0.693147180559945309417232121458176568075500134360255254120680", true},
    {"ln10", "2.30258509299404568401799145468436420760110148862877297603333", true},
    {"pi", "3.14159265358979323846264338327950288419716939937510582097494", true},
    {"pi2", "1.57079632679489661923132169163975144209858469968755291048747", true},
    {"pi4", "0.785398163397448309615660845819875721049292349843776455243736", true},
    {"pia", "0.318309886183790671537767526745028724068919291480912897495335", true},
    {"pib", "0.636619772367581343075535053490057448137838582961825794990669", true},
    {"sqrt2", "1.41421356237309504880168872420969807856967187537694807317668", true},
    {"sqrt1", "0.707106781186547524400844362104849039284835937688474036588340", true},
}};

const Constant* Find(std::string_view name) {
    for (const Constant& c : kConstants) {
        if (c.name == name) return &c;
    }
    return nullptr;
}

} // namespace

const char* FindConstant(std::string_view name) {
    const Constant* c = Find(name);
    return c ? c->digits : nullptr;
}

std::optional<Decimal> FindConstantValue(std::string_view name) {
    const Constant* c = Find(name);
    if (!c) return std::nullopt;
    const Decimal value = ReadDecimal(c->digits);
    return c->rounded ? value.Widened(Bound::HalfUnit(value.exponent())) : value;
}

} // namespace quill
