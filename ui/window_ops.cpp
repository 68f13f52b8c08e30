#include "ui/window_ops.h"

#include <commdlg.h>
#include <shellapi.h>

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

} // namespace quill::ui
