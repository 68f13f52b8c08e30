// The portable stand-ins of LOGFONTA, RECT and POINT meet the real ones here.
#pragma once

#include <windows.h>

#include <bit>
#include <cstddef>

#include "app/settings.h"

namespace quill {

static_assert(sizeof(LogFontA) == sizeof(LOGFONTA));
static_assert(offsetof(LogFontA, lfWeight) == offsetof(LOGFONTA, lfWeight));
static_assert(offsetof(LogFontA, lfItalic) == offsetof(LOGFONTA, lfItalic));
static_assert(offsetof(LogFontA, lfPitchAndFamily) == offsetof(LOGFONTA, lfPitchAndFamily));
static_assert(offsetof(LogFontA, lfFaceName) == offsetof(LOGFONTA, lfFaceName));
static_assert(sizeof(Rect) == sizeof(RECT) && sizeof(Point) == sizeof(POINT));

inline LOGFONTA ToWin(const LogFontA& font) {
    return std::bit_cast<LOGFONTA>(font);
}

inline LogFontA FromWin(const LOGFONTA& font) {
    return std::bit_cast<LogFontA>(font);
}

inline Rect FromWin(const RECT& r) {
    return {r.left, r.top, r.right, r.bottom};
}

} // namespace quill
