// The fourteen named constants.
#pragma once

#include <optional>
#include <string_view>

namespace quill {

// The value text of a named constant (compared whole, byte for byte,
// case-sensitively); null for a name that is not a constant.
const char* FindConstant(std::string_view name);

// The value of a named constant as the decimal reader reads its text; empty
// for a name that is not a constant.
std::optional<double> FindConstantValue(std::string_view name);

} // namespace quill
