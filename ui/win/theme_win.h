// The windows' side of the theme (ui/theme.h): what the system says, the
// brushes of the current colours, the answers to WM_CTLCOLOR*, the buttons
// the system would draw light, and the title bar where Windows can make it
// dark. Each dialog holds one and passes it the messages below.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <optional>

#include "ui/theme.h"

namespace quill::ui {

// The theme the system asks for now: high contrast, or the app theme value.
Theme SystemTheme();

// Whether a WM_SETTINGCHANGE or WM_SYSCOLORCHANGE may have changed it.
bool IsThemeChange(UINT message, WPARAM wParam, LPARAM lParam);

class CTheme {
  public:
    CTheme() = default;
    CTheme(const CTheme&) = delete;
    CTheme& operator=(const CTheme&) = delete;
    ~CTheme() { FreeBrushes(); }

    // Takes the system's theme; true when it differs from the one held.
    bool Load();
    Theme Get() const { return m_theme; }
    const std::optional<Palette>& Colours() const { return m_palette; }

    // WM_CTLCOLORDLG, STATIC, EDIT or BTN: the background brush with the DC's
    // colours set, or null to leave the control to the system.
    HBRUSH OnCtlColor(UINT message, HDC dc) const;
    // WM_NOTIFY: a push button's NM_CUSTOMDRAW is drawn here where the theme
    // draws its own buttons. False for every other notification.
    bool OnNotify(const NMHDR& header, LRESULT& result) const;
    // A dark title bar on Windows 11 in the dark theme, the usual one else.
    void ApplyTitleBar(HWND window) const;

  private:
    LRESULT OnButtonDraw(const NMCUSTOMDRAW& draw) const;
    void FreeBrushes();

    Theme m_theme = Theme::Light;
    bool m_loaded = false;
    std::optional<Palette> m_palette;
    HBRUSH m_window = nullptr;
    HBRUSH m_line = nullptr;
};

// Repaints a window, its frame and all its children at once.
void RepaintAll(HWND window);

} // namespace quill::ui
