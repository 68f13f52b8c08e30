#include "app/settings.h"

#include <algorithm>
#include <cstring>

namespace quill {

CalcSettings g_settings;

EvalSettings EvalSettingsOf(const CalcSettings& settings) {
    return {settings.nRound, settings.nFormat, settings.bDegrees};
}

LogFontA DefaultFont() {
    LogFontA font;
    font.lfHeight = kDefaultFontHeight;
    std::memcpy(font.lfFaceName, kDefaultFace, std::strlen(kDefaultFace) + 1);
    return font;
}

void SetDefaultSettings(CalcSettings& settings, const Rect& window, const Rect& desktop) {
    settings.bTopmost = true;
    settings.nReserved = 0;
    settings.nRound = kRoundAuto;
    settings.nFormat = kDecimal;
    const Point corner = CentreOnDesktop(window, desktop);
    settings.nLeft = corner.x;
    settings.nTop = corner.y;
    settings.lfFont = DefaultFont();
}

bool IsPointOnDesktop(std::int32_t x, std::int32_t y, const Rect& desktop) {
    return desktop.left <= x && x < desktop.right && desktop.top <= y && y < desktop.bottom;
}

Point CentreOnDesktop(const Rect& window, const Rect& desktop) {
    // In 64 bits, so that no sum of two corners overflows; C++ division
    // truncates toward zero.
    const auto half = [](std::int64_t a, std::int64_t b) { return (a + b) / 2; };
    const std::int64_t cx = half(desktop.left, desktop.right);
    const std::int64_t cy = half(desktop.top, desktop.bottom);
    const std::int64_t width = static_cast<std::int64_t>(window.right) - window.left;
    const std::int64_t height = static_cast<std::int64_t>(window.bottom) - window.top;
    return {static_cast<std::int32_t>(cx - width / 2), static_cast<std::int32_t>(cy - height / 2)};
}

void MendLoadedValues(CalcSettings& settings) {
    if (settings.nRound < kRoundAuto || settings.nRound > 9) settings.nRound = kRoundAuto;
    if (settings.nFormat < kDecimal || settings.nFormat > kExponent) settings.nFormat = kDecimal;
}

bool IsPointOnAMonitor(std::int32_t x, std::int32_t y, std::span<const Rect> monitors) {
    return std::any_of(monitors.begin(), monitors.end(),
                       [x, y](const Rect& m) { return IsPointOnDesktop(x, y, m); });
}

void MendLoadedSettings(CalcSettings& settings, const Rect& window, const Rect& desktop,
                        std::span<const Rect> monitors) {
    MendLoadedValues(settings);
    const bool onScreen = monitors.empty()
                              ? IsPointOnDesktop(settings.nLeft, settings.nTop, desktop)
                              : IsPointOnAMonitor(settings.nLeft, settings.nTop, monitors);
    if (!onScreen) {
        const Point corner = CentreOnDesktop(window, desktop);
        settings.nLeft = corner.x;
        settings.nTop = corner.y;
    }
}

} // namespace quill
