// The one code page of the program's single-byte text: every conversion
// between the engine's text and the system's UTF-16 goes through here, and
// the UTF-8 of the files the program writes (its history).
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace quill {

inline constexpr UINT kAnsiCodePage = CP_ACP;

// Empty for empty text or when the system cannot convert.
std::wstring WideFromAnsi(std::string_view text);
std::string AnsiFromWide(std::wstring_view text);

// UTF-8 and UTF-16; empty for empty text or text that is not valid.
std::wstring WideFromUtf8(std::string_view text);
std::string Utf8FromWide(std::wstring_view text);

// How many UTF-16 units the ANSI text makes (more bytes than units where a
// double-byte code page is in use).
int WideLength(std::string_view text);

} // namespace quill
