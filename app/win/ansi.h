// The one code page of the program's single-byte text: every conversion
// between the engine's text and the system's UTF-16 goes through here.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace quill {

inline constexpr UINT kAnsiCodePage = CP_ACP;

// Empty for empty text or when the system cannot convert.
std::wstring WideFromAnsi(std::string_view text);
std::string AnsiFromWide(std::wstring_view text);

// How many UTF-16 units the ANSI text makes (more bytes than units where a
// double-byte code page is in use).
int WideLength(std::string_view text);

} // namespace quill
