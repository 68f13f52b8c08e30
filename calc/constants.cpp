#include "calc/constants.h"

#include <array>

namespace quill {

namespace {

struct Constant {
    std::string_view name;
    const char* value;
};

// The golden ratio is kept to three decimals on purpose.
constexpr std::array<Constant, 14> kConstants{{
    {"fi", "1.618"},
    {"fi1", "0.618"},
    {"e", "2.71828182845904523536"},
    {"log2e", "1.44269504088896340736"},
    {"log10e", "0.434294481903251827651"},
    {"ln2", "0.693147180559945309417"},
    {"ln10", "2.30258509299404568402"},
    {"pi", "3.14159265358979323846"},
    {"pi2", "1.57079632679489661923"},
    {"pi4", "0.785398163397448309616"},
    {"pia", "0.318309886183790671538"},
    {"pib", "0.636619772367581343076"},
    {"sqrt2", "1.41421356237309504880"},
    {"sqrt1", "0.707106781186547524401"},
}};

} // namespace

const char* FindConstant(std::string_view name) {
    for (const Constant& c : kConstants) {
        if (c.name == name) return c.value;
    }
    return nullptr;
}

std::string LookupConstant(std::string_view name) {
    const char* value = FindConstant(name);
    return value ? value : kBadName;
}

} // namespace quill
