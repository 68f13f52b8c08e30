// Thin helpers for the platform calls the windows make more than once or at
// length: the restored rectangle, the minimised icon, the font dialog,
// opening an address, the window's DPI and the clipboard.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

#include "app/settings.h"

namespace quill::ui {

// The window's outer rectangle; while minimised or maximised, the one it will
// have when restored.
RECT RestoredWindowRect(HWND window);

// Paints `icon` centred in a minimised window; false (nothing painted) when
// the window is not minimised.
bool PaintIconWhenMinimised(HWND window, HICON icon);

// The common font dialog (screen fonts, effects) started from `current`; the
// chosen font, or none when cancelled.
std::optional<LogFontA> ChooseLineFont(HWND owner, HFONT current);

// Opens a web or "mailto:" address with the shell; what the shell answers is
// not reported.
void OpenAddress(const char* address);

// The DPI the window is shown at: GetDpiForWindow where the system has it
// (looked up at run time), else the screen's.
int WindowDpi(HWND window);

// The selected part of an edit control's text.
std::wstring SelectedText(HWND edit);

// Puts `text` on the clipboard; while another program holds the clipboard
// it tries again for about 100 ms. False when it could not.
bool PutOnClipboard(HWND owner, const std::wstring& text);

// The work area of the monitor nearest to the point.
RECT WorkAreaAt(int x, int y);

// A child window's rectangle in its parent's client coordinates.
RECT ChildRect(HWND parent, int id);

// How much wider and taller the window is than its client area.
SIZE FrameSize(HWND window);

// The width of `text` in `font`, and the font's line height (tmHeight), as
// `window` draws them.
int TextWidth(HWND window, HFONT font, std::wstring_view text);
int FontLineHeight(HWND window, HFONT font);

} // namespace quill::ui
