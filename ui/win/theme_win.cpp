#include "ui/win/theme_win.h"

#include <dwmapi.h>

#include <string>

namespace quill::ui {

namespace {

COLORREF Ref(Rgb c) {
    return RGB(c.r, c.g, c.b);
}

// The app theme value: 0 dark, 1 light; none where Windows has no such setting.
std::optional<std::uint32_t> AppsUseLightTheme() {
    DWORD value = 0;
    DWORD size = sizeof value;
    const LONG got = ::RegGetValueW(
        HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows\\CurrentVersion\\Themes\\Personalize",
        L"AppsUseLightTheme", RRF_RT_REG_DWORD, nullptr, &value, &size);
    if (got != ERROR_SUCCESS) return std::nullopt;
    return static_cast<std::uint32_t>(value);
}

bool HighContrastOn() {
    HIGHCONTRASTW contrast{};
    contrast.cbSize = sizeof contrast;
    return ::SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof contrast, &contrast, 0) != FALSE &&
           (contrast.dwFlags & HCF_HIGHCONTRASTON) != 0;
}

// The Windows build, as the system itself reports it (GetVersionEx may be
// told an older one).
std::uint32_t WindowsBuild() {
    using RtlGetVersionFn = LONG(WINAPI*)(OSVERSIONINFOW*);
    const auto get = reinterpret_cast<RtlGetVersionFn>(reinterpret_cast<void*>(
        ::GetProcAddress(::GetModuleHandleW(L"ntdll.dll"), "RtlGetVersion")));
    OSVERSIONINFOW info{};
    info.dwOSVersionInfoSize = sizeof info;
    if (!get || get(&info) != 0) return 0;
    return info.dwBuildNumber;
}

SIZE IconSize(HICON icon) {
    ICONINFO info{};
    SIZE size{0, 0};
    if (!::GetIconInfo(icon, &info)) return size;
    BITMAP bitmap{};
    if (::GetObjectW(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof bitmap, &bitmap)) {
        size = {bitmap.bmWidth, info.hbmColor ? bitmap.bmHeight : bitmap.bmHeight / 2};
    }
    if (info.hbmColor) ::DeleteObject(info.hbmColor);
    if (info.hbmMask) ::DeleteObject(info.hbmMask);
    return size;
}

void FillWith(HDC dc, const RECT& r, Rgb colour) {
    HBRUSH brush = ::CreateSolidBrush(Ref(colour));
    ::FillRect(dc, &r, brush);
    ::DeleteObject(brush);
}

// A button's caption or icon, centred.
void DrawFace(HDC dc, HWND button, RECT r, const Palette& p, UINT state) {
    const LONG_PTR style = ::GetWindowLongPtrW(button, GWL_STYLE);
    if ((style & BS_ICON) != 0) {
        const auto icon =
            reinterpret_cast<HICON>(::SendMessageW(button, BM_GETIMAGE, IMAGE_ICON, 0));
        if (!icon) return;
        const SIZE size = IconSize(icon);
        ::DrawIconEx(dc, (r.left + r.right - size.cx) / 2, (r.top + r.bottom - size.cy) / 2, icon,
                     size.cx, size.cy, 0, nullptr, DI_NORMAL);
        return;
    }
    const int length = ::GetWindowTextLengthW(button);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    text.resize(static_cast<std::size_t>(::GetWindowTextW(button, text.data(), length + 1)));
    const auto font = reinterpret_cast<HFONT>(::SendMessageW(button, WM_GETFONT, 0, 0));
    HGDIOBJ old = font ? ::SelectObject(dc, font) : nullptr;
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, Ref(p.buttonText));
    const UINT cues = (state & CDIS_SHOWKEYBOARDCUES) != 0 ? 0U : DT_HIDEPREFIX;
    ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r,
                DT_CENTER | DT_VCENTER | DT_SINGLELINE | cues);
    if (old) ::SelectObject(dc, old);
}

} // namespace

Theme SystemTheme() {
    return ThemeFor(HighContrastOn(), AppsUseLightTheme());
}

bool IsThemeChange(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_SYSCOLORCHANGE) return true;
    if (message != WM_SETTINGCHANGE) return false;
    if (wParam == SPI_SETHIGHCONTRAST) return true;
    const auto* area = reinterpret_cast<const wchar_t*>(lParam);
    return area != nullptr && std::wstring(area) == L"ImmersiveColorSet";
}

bool CTheme::Load() {
    const Theme theme = SystemTheme();
    const bool changed = !m_loaded || theme != m_theme;
    m_loaded = true;
    m_theme = theme;
    m_palette = PaletteFor(theme);
    FreeBrushes();
    if (m_palette) {
        m_window = ::CreateSolidBrush(Ref(m_palette->window));
        m_line = ::CreateSolidBrush(Ref(m_palette->line));
    }
    return changed;
}

void CTheme::FreeBrushes() {
    if (m_window) ::DeleteObject(m_window);
    if (m_line) ::DeleteObject(m_line);
    m_window = m_line = nullptr;
}

HBRUSH CTheme::OnCtlColor(UINT message, HDC dc) const {
    if (!m_palette) return nullptr;
    const Palette& p = *m_palette;
    if (message == WM_CTLCOLOREDIT) {
        ::SetTextColor(dc, Ref(p.lineText));
        ::SetBkColor(dc, Ref(p.line));
        return m_line;
    }
    ::SetTextColor(dc, Ref(p.text));
    ::SetBkColor(dc, Ref(p.window));
    return m_window;
}

bool CTheme::OnNotify(const NMHDR& header, LRESULT& result) const {
    if (header.code != NM_CUSTOMDRAW) return false;
    wchar_t kind[16] = {};
    ::GetClassNameW(header.hwndFrom, kind, 16);
    if (std::wstring(kind) != WC_BUTTONW) return false;
    result = OnButtonDraw(reinterpret_cast<const NMCUSTOMDRAW&>(header));
    return true;
}

LRESULT CTheme::OnButtonDraw(const NMCUSTOMDRAW& draw) const {
    if (!m_palette || !m_palette->drawButtons || draw.dwDrawStage != CDDS_PREPAINT)
        return CDRF_DODEFAULT;
    const Palette& p = *m_palette;
    HWND button = draw.hdr.hwndFrom;
    const UINT state = draw.uItemState;
    const bool down = (state & (CDIS_SELECTED | CDIS_HOT)) != 0;
    const bool isDefault =
        (::GetWindowLongPtrW(button, GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
    RECT r = draw.rc;
    FillWith(draw.hdc, r, p.window);
    ::InflateRect(&r, -1, -1);
    FillWith(draw.hdc, r, (isDefault || (state & CDIS_FOCUS) != 0) ? p.defaultEdge : p.edge);
    ::InflateRect(&r, -1, -1);
    FillWith(draw.hdc, r, down ? p.buttonDown : p.button);
    DrawFace(draw.hdc, button, r, p, state);
    if ((state & CDIS_FOCUS) != 0 && (state & CDIS_SHOWKEYBOARDCUES) != 0) {
        ::InflateRect(&r, -2, -2);
        ::DrawFocusRect(draw.hdc, &r);
    }
    return CDRF_SKIPDEFAULT;
}

void CTheme::ApplyTitleBar(HWND window) const {
    // DWMWA_USE_IMMERSIVE_DARK_MODE, as Windows 11's SDK names attribute 20.
    constexpr DWORD kImmersiveDarkMode = 20;
    static const std::uint32_t build = WindowsBuild();
    const TitleBar bar = TitleBarFor(m_theme, build);
    if (bar == TitleBar::Untouched) return;
    const BOOL dark = bar == TitleBar::Dark ? TRUE : FALSE;
    ::DwmSetWindowAttribute(window, kImmersiveDarkMode, &dark, sizeof dark);
}

void RepaintAll(HWND window) {
    ::RedrawWindow(window, nullptr, nullptr,
                   RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

} // namespace quill::ui
