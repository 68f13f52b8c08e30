#include "cli/arguments.h"

#ifdef _WIN32
#include <windows.h>

#include "app/win/ansi.h"
#endif

namespace quill::cli {

#ifdef _WIN32

namespace {

std::string Utf8FromWide(std::wstring_view text) {
    if (text.empty()) return {};
    const int size = static_cast<int>(text.size());
    const int n =
        ::WideCharToMultiByte(CP_UTF8, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(n > 0 ? n : 0), '\0');
    if (n > 0)
        ::WideCharToMultiByte(CP_UTF8, 0, text.data(), size, out.data(), n, nullptr, nullptr);
    return out;
}

} // namespace

std::wstring WideFromUtf8(const std::string& text) {
    if (text.empty()) return {};
    const int size = static_cast<int>(text.size());
    const int n =
        ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.data(), size, nullptr, 0);
    std::wstring out(static_cast<std::size_t>(n > 0 ? n : 0), L'\0');
    if (n > 0)
        ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.data(), size, out.data(), n);
    return out;
}

bool IsValidUtf16(std::wstring_view text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        const wchar_t unit = text[i];
        if (unit >= 0xDC00 && unit <= 0xDFFF) return false; // a low half alone
        if (unit >= 0xD800 && unit <= 0xDBFF) {
            if (i + 1 == text.size() || text[i + 1] < 0xDC00 || text[i + 1] > 0xDFFF) return false;
            ++i;
        }
    }
    return true;
}

std::optional<std::vector<std::string>> ArgumentsFromWide(int argc, wchar_t** argv, int& bad) {
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i) {
        if (!IsValidUtf16(argv[i])) {
            bad = i;
            return std::nullopt;
        }
        args.push_back(Utf8FromWide(argv[i]));
    }
    return args;
}

std::string ExpressionFromArgument(const std::string& argument) {
    // Characters the code page lacks become its default character, which
    // the checker then marks as an unknown symbol.
    return argument.empty() ? argument : AnsiFromWide(WideFromUtf8(argument));
}

#else

std::string ExpressionFromArgument(const std::string& argument) {
    return argument;
}

#endif

} // namespace quill::cli
