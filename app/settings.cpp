#include "app/settings.h"

#include <algorithm>
#include <cstring>

namespace quill {

CalcSettings g_settings;

namespace {

// The record stores the formats by their order.
constexpr std::int32_t kLastFormat = static_cast<std::int32_t>(Format::Exponent);

bool IsStoredPlaces(std::int32_t nRound) {
    return nRound >= kAutoPlaces && nRound <= kMaxPlaces;
}
bool IsStoredFormat(std::int32_t nFormat) {
    return nFormat >= 0 && nFormat <= kLastFormat;
}

} // namespace

EvalSettings EvalSettingsOf(const CalcSettings& settings) {
    // A value outside its range is mended on loading; one that comes here
    // anyway shows as "Auto" and "Decimal", as the mending would have made it.
    return {IsStoredPlaces(settings.nRound) ? settings.nRound : kAutoPlaces,
            IsStoredFormat(settings.nFormat) ? static_cast<Format>(settings.nFormat)
                                             : Format::Decimal,
            settings.bDegrees};
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
    settings.nRound = kAutoPlaces;
    settings.nFormat = static_cast<std::int32_t>(Format::Decimal);
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
    if (!IsStoredPlaces(settings.nRound)) settings.nRound = kAutoPlaces;
    if (!IsStoredFormat(settings.nFormat))
        settings.nFormat = static_cast<std::int32_t>(Format::Decimal);
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
