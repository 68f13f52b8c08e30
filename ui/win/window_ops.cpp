#include "ui/win/window_ops.h"

#include <commdlg.h>
#include <shellapi.h>

#include <algorithm>
#include <cstring>

#include "app/win/ansi.h"
#include "app/win/font_win.h"
#include "app/win/win_types.h"

namespace quill::ui {

RECT RestoredWindowRect(HWND window) {
    RECT rect{};
    ::GetWindowRect(window, &rect);
    if (!::IsIconic(window) && !::IsZoomed(window)) return rect;
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    if (!::GetWindowPlacement(window, &placement)) return rect;
    // The normal rectangle is in work-area coordinates; shift it to the screen.
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    POINT offset{};
    if (::GetMonitorInfoW(::MonitorFromRect(&placement.rcNormalPosition, MONITOR_DEFAULTTOPRIMARY),
                          &monitor)) {
        offset = {monitor.rcWork.left - monitor.rcMonitor.left,
                  monitor.rcWork.top - monitor.rcMonitor.top};
    }
    ::OffsetRect(&placement.rcNormalPosition, offset.x, offset.y);
    return placement.rcNormalPosition;
}

bool PaintIconWhenMinimised(HWND window, HICON icon) {
    if (!::IsIconic(window)) return false;
    PAINTSTRUCT ps;
    HDC dc = ::BeginPaint(window, &ps);
    ::SendMessageW(window, WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    RECT client{};
    ::GetClientRect(window, &client);
    const int x = (client.right - ::GetSystemMetrics(SM_CXICON) + 1) / 2;
    const int y = (client.bottom - ::GetSystemMetrics(SM_CYICON) + 1) / 2;
    ::DrawIcon(dc, x, y, icon);
    ::EndPaint(window, &ps);
    return true;
}

std::optional<LogFontA> ChooseLineFont(HWND owner, HFONT current) {
    LogFontA start{};
    LogFontOf(current, start);
    LOGFONTA lf = ToWin(start);
    CHOOSEFONTA choose{};
    choose.lStructSize = sizeof choose;
    choose.hwndOwner = owner;
    choose.lpLogFont = &lf;
    choose.Flags = CF_SCREENFONTS | CF_EFFECTS | CF_INITTOLOGFONTSTRUCT;
    if (!::ChooseFontA(&choose)) return std::nullopt;
    return FromWin(lf);
}

void OpenAddress(const char* address) {
    ::ShellExecuteA(nullptr, "open", address, nullptr, nullptr, SW_SHOW);
}

int WindowDpi(HWND window) {
    using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
    static const auto forWindow = reinterpret_cast<GetDpiForWindowFn>(reinterpret_cast<void*>(
        ::GetProcAddress(::GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
    if (forWindow) {
        const UINT dpi = forWindow(window);
        if (dpi > 0) return static_cast<int>(dpi);
    }
    HDC screen = ::GetDC(nullptr);
    const int dpi = screen ? ::GetDeviceCaps(screen, LOGPIXELSY) : 0;
    if (screen) ::ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : 96;
}

std::wstring SelectedText(HWND edit) {
    DWORD start = 0;
    DWORD end = 0;
    ::SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                   reinterpret_cast<LPARAM>(&end));
    if (end <= start) return {};
    const int length = ::GetWindowTextLengthW(edit);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        std::max(0, ::GetWindowTextW(edit, text.data(), static_cast<int>(text.size())))));
    if (start >= text.size()) return {};
    return text.substr(start, std::min<std::size_t>(end, text.size()) - start);
}

bool PutOnClipboard(HWND owner, const std::wstring& wide) {
    bool open = false;
    for (int attempt = 0; attempt < 10 && !(open = ::OpenClipboard(owner) != FALSE); ++attempt) {
        ::Sleep(10);
    }
    if (!open) return false;
    bool put = false;
    if (::EmptyClipboard()) {
        const std::size_t bytes = (wide.size() + 1) * sizeof(wchar_t);
        if (HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, bytes)) {
            if (void* data = ::GlobalLock(memory)) {
                std::memcpy(data, wide.c_str(), bytes);
                ::GlobalUnlock(memory);
                put = ::SetClipboardData(CF_UNICODETEXT, memory) != nullptr;
            }
            if (!put) ::GlobalFree(memory); // the clipboard owns it only once set
        }
    }
    ::CloseClipboard();
    return put;
}

RECT WorkAreaAt(int x, int y) {
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    if (::GetMonitorInfoW(::MonitorFromPoint({x, y}, MONITOR_DEFAULTTONEAREST), &monitor)) {
        return monitor.rcWork;
    }
    RECT desktop{};
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &desktop, 0);
    return desktop;
}

RECT ChildRect(HWND parent, int id) {
    RECT rect{};
    ::GetWindowRect(::GetDlgItem(parent, id), &rect);
    ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

SIZE FrameSize(HWND window) {
    RECT outer{};
    RECT client{};
    ::GetWindowRect(window, &outer);
    ::GetClientRect(window, &client);
    return {(outer.right - outer.left) - client.right, (outer.bottom - outer.top) - client.bottom};
}

namespace {

// A device context of the window with the font selected, for measuring.
class FontDc {
  public:
    FontDc(HWND window, HFONT font) : m_hWnd(window), m_hDc(::GetDC(window)) {
        if (m_hDc) m_hOld = ::SelectObject(m_hDc, font);
    }
    FontDc(const FontDc&) = delete;
    FontDc& operator=(const FontDc&) = delete;
    ~FontDc() {
        if (!m_hDc) return;
        ::SelectObject(m_hDc, m_hOld);
        ::ReleaseDC(m_hWnd, m_hDc);
    }
    HDC Get() const { return m_hDc; }

  private:
    HWND m_hWnd;
    HDC m_hDc;
    HGDIOBJ m_hOld = nullptr;
};

} // namespace

int TextWidth(HWND window, HFONT font, std::wstring_view text) {
    const FontDc dc(window, font);
    SIZE size{};
    if (!dc.Get() ||
        !::GetTextExtentPoint32W(dc.Get(), text.data(), static_cast<int>(text.size()), &size)) {
        return 0;
    }
    return size.cx;
}

int FontLineHeight(HWND window, HFONT font) {
    const FontDc dc(window, font);
    TEXTMETRICW metrics{};
    if (!dc.Get() || !::GetTextMetricsW(dc.Get(), &metrics)) return 0;
    return metrics.tmHeight;
}

} // namespace quill::ui
