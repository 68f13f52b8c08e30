// The program's arguments as the engine takes them. On Windows the command
// line is UTF-16: every argument becomes UTF-8, so that a --settings path
// outside the ANSI code page stays whole (LoadSettingsFile opens it by the
// wide API), and an expression becomes the ANSI code page's text, as the
// window's lines do. Elsewhere arguments are the bytes given. Never throws
// but std::bad_alloc.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quill::cli {

// The text of an expression given as an argument, for the checker.
std::string ExpressionFromArgument(const std::string& argument);

#ifdef _WIN32
// Whether a UTF-16 text is valid: every surrogate in a pair.
bool IsValidUtf16(std::wstring_view text);

// The arguments after the program's name, in UTF-8; none when one of them is
// no valid UTF-16 (a lone surrogate would become another character, and a
// path another file). `bad` gets that argument's place, 1 for the first.
std::optional<std::vector<std::string>> ArgumentsFromWide(int argc, wchar_t** argv, int& bad);

// A UTF-8 path for the wide file API; empty when it is no UTF-8.
std::wstring WideFromUtf8(const std::string& text);
#endif

} // namespace quill::cli
