#include "app/win/ansi.h"

namespace quill {

namespace {

std::wstring Widen(UINT codePage, DWORD flags, std::string_view text) {
    if (text.empty()) return {};
    const int size = static_cast<int>(text.size());
    const int n = ::MultiByteToWideChar(codePage, flags, text.data(), size, nullptr, 0);
    if (n <= 0) return {};
    std::wstring out(static_cast<std::size_t>(n), L'\0');
    ::MultiByteToWideChar(codePage, flags, text.data(), size, out.data(), n);
    return out;
}

std::string Narrow(UINT codePage, std::wstring_view text) {
    if (text.empty()) return {};
    const int count = static_cast<int>(text.size());
    const int n =
        ::WideCharToMultiByte(codePage, 0, text.data(), count, nullptr, 0, nullptr, nullptr);
    if (n <= 0) return {};
    std::string out(static_cast<std::size_t>(n), '\0');
    ::WideCharToMultiByte(codePage, 0, text.data(), count, out.data(), n, nullptr, nullptr);
    return out;
}

} // namespace

std::wstring WideFromAnsi(std::string_view text) {
    return Widen(kAnsiCodePage, 0, text);
}

std::string AnsiFromWide(std::wstring_view text) {
    return Narrow(kAnsiCodePage, text);
}

std::wstring WideFromUtf8(std::string_view text) {
    return Widen(CP_UTF8, MB_ERR_INVALID_CHARS, text);
}

std::string Utf8FromWide(std::wstring_view text) {
    return Narrow(CP_UTF8, text);
}

int WideLength(std::string_view text) {
    if (text.empty()) return 0;
    return ::MultiByteToWideChar(kAnsiCodePage, 0, text.data(), static_cast<int>(text.size()),
                                 nullptr, 0);
}

} // namespace quill
