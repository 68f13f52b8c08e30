// Thin helpers for the platform calls the windows make more than once or at
// length: the restored rectangle, the minimised icon, the font dialog and
// opening an address.
#pragma once

#include <windows.h>

#include <optional>

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

} // namespace quill::ui
