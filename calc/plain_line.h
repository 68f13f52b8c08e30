// The checker's shortcut for the usual line: digits, points, operators and
// brackets, nothing else. One pass that branches on no character, so a line
// of random arithmetic costs no mispredicted jump a character; a line it
// does not pass (a fault, a name, a space, anything else) goes to the
// checker's rules, which find its fault.
//
// Whenever it says yes the rules pass the line too; for a line of those
// characters alone, it says yes exactly when they do.
#pragma once

#include <string_view>

namespace quill {

bool IsPlainWellFormed(std::string_view text);

} // namespace quill
