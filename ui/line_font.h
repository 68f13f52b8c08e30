// The lines' font and the display's DPI. The record's lfHeight is in pixels
// at 96 DPI, as the data file has always held it; the window makes the font
// at its own DPI and stores a chosen font back at 96, so the file never
// drifts with the display.
//
// Portable; never throws.
#pragma once

#include "app/settings.h"

namespace quill::ui {

inline constexpr int kBaseDpi = 96;

// `value` pixels at `from` DPI as pixels at `to` DPI, rounded half away from
// zero (as MulDiv); `from` or `to` not positive leaves the value as it is.
int ScalePixels(int value, int from, int to);

// The record's font as the window makes it at `dpi`.
LogFontA FontAtDpi(const LogFontA& stored, int dpi);

// A font chosen at `dpi`, as the record keeps it.
LogFontA FontToStore(const LogFontA& chosen, int dpi);

} // namespace quill::ui
