#include "app/win/font_win.h"

#include "app/win/win_types.h"

namespace quill {

HFONT CreateSettingsFont(const LogFontA& font) {
    const LOGFONTA lf = ToWin(font);
    return ::CreateFontIndirectA(&lf);
}

bool LogFontOf(HFONT font, LogFontA& out) {
    LOGFONTA lf{};
    if (::GetObjectA(font, sizeof lf, &lf) != sizeof lf) return false;
    out = FromWin(lf);
    return true;
}

} // namespace quill
