#include "ui/win/help_page.h"

#include <shellapi.h>

#include <algorithm>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "app/win/data_file_win.h"
#include "res/resource.h"
#include "ui/links.h"
#include "ui/win/window_ops.h"

namespace quill::ui {

namespace {

std::span<const std::uint8_t> PageBytes() {
    HMODULE module = ::GetModuleHandleW(nullptr);
    HRSRC found = ::FindResourceW(module, MAKEINTRESOURCEW(IDR_HELP_PAGE), MAKEINTRESOURCEW(10));
    HGLOBAL loaded = found ? ::LoadResource(module, found) : nullptr;
    const void* data = loaded ? ::LockResource(loaded) : nullptr;
    if (!data) return {};
    return {static_cast<const std::uint8_t*>(data), ::SizeofResource(module, found)};
}

bool HoldsBytes(const std::wstring& path, std::span<const std::uint8_t> bytes) {
    HANDLE file = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    std::vector<std::uint8_t> held(bytes.size() + 1);
    DWORD got = 0;
    const bool read =
        ::ReadFile(file, held.data(), static_cast<DWORD>(held.size()), &got, nullptr) != FALSE;
    ::CloseHandle(file);
    return read && got == bytes.size() && std::equal(bytes.begin(), bytes.end(), held.begin());
}

// The page's file in the temporary folder; empty when it could not be written.
std::wstring WriteHelpPage() {
    const std::span<const std::uint8_t> bytes = PageBytes();
    if (bytes.empty()) return {};
    wchar_t folder[MAX_PATH + 1] = {};
    const DWORD length = ::GetTempPathW(MAX_PATH + 1, folder);
    if (length == 0 || length > MAX_PATH) return {};
    std::wstring path = std::wstring(folder) + L"Quillpad help.html";
    if (HoldsBytes(path, bytes) || WriteFileAtomically(path, bytes)) return path;
    return {};
}

} // namespace

void OpenHelp() {
    const std::wstring page = WriteHelpPage();
    if (!page.empty()) {
        const auto opened = reinterpret_cast<INT_PTR>(
            ::ShellExecuteW(nullptr, L"open", page.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
        if (opened > 32) return;
    }
    OpenAddress(kHelpUrl);
}

} // namespace quill::ui
