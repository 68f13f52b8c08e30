// Fonts for the two lines, made from and read back into the record's LOGFONT.
#pragma once

#include <windows.h>

#include "app/settings.h"

namespace quill {

// A new font from the record's logical font; the caller owns it (null on failure).
HFONT CreateSettingsFont(const LogFontA& font);

// The whole logical font of `font`; false when the system cannot tell.
bool LogFontOf(HFONT font, LogFontA& out);

} // namespace quill
