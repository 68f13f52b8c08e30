#include "app/win/ansi.h"

namespace quill {

std::wstring WideFromAnsi(std::string_view text) {
    const int n = WideLength(text);
    if (n <= 0) return {};
    std::wstring out(static_cast<std::size_t>(n), L'\0');
    ::MultiByteToWideChar(kAnsiCodePage, 0, text.data(), static_cast<int>(text.size()), out.data(),
                          n);
    return out;
}

std::string AnsiFromWide(std::wstring_view text) {
    if (text.empty()) return {};
    const int count = static_cast<int>(text.size());
    const int n =
        ::WideCharToMultiByte(kAnsiCodePage, 0, text.data(), count, nullptr, 0, nullptr, nullptr);
    if (n <= 0) return {};
    std::string out(static_cast<std::size_t>(n), '\0');
    ::WideCharToMultiByte(kAnsiCodePage, 0, text.data(), count, out.data(), n, nullptr, nullptr);
    return out;
}

int WideLength(std::string_view text) {
    if (text.empty()) return 0;
    return ::MultiByteToWideChar(kAnsiCodePage, 0, text.data(), static_cast<int>(text.size()),
                                 nullptr, 0);
}

} // namespace quill
