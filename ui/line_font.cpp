#include "ui/line_font.h"

#include <cstdint>
#include <limits>

namespace quill::ui {

int ScalePixels(int value, int from, int to) {
    if (from <= 0 || to <= 0 || from == to) return value;
    const std::int64_t product = static_cast<std::int64_t>(value) * to;
    const std::int64_t half = from / 2;
    const std::int64_t scaled = product >= 0 ? (product + half) / from : (product - half) / from;
    if (scaled > std::numeric_limits<int>::max()) return std::numeric_limits<int>::max();
    if (scaled < std::numeric_limits<int>::min()) return std::numeric_limits<int>::min();
    return static_cast<int>(scaled);
}

LogFontA FontAtDpi(const LogFontA& stored, int dpi) {
    LogFontA font = stored;
    font.lfHeight = ScalePixels(stored.lfHeight, kBaseDpi, dpi);
    font.lfWidth = ScalePixels(stored.lfWidth, kBaseDpi, dpi);
    return font;
}

LogFontA FontToStore(const LogFontA& chosen, int dpi) {
    LogFontA font = chosen;
    font.lfHeight = ScalePixels(chosen.lfHeight, dpi, kBaseDpi);
    font.lfWidth = ScalePixels(chosen.lfWidth, dpi, kBaseDpi);
    return font;
}

} // namespace quill::ui
