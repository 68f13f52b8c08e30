// The settings record, its defaults and the rules that place the window.
//
// Portable: the Windows types it needs (LOGFONTA, RECT, POINT) have stand-ins
// of the same fields and sizes here; the Windows layer checks the layouts
// match and converts at its edge.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "calc/eval_settings.h"

namespace quill {

// LOGFONTA, field for field.
struct LogFontA {
    std::int32_t lfHeight = 0;
    std::int32_t lfWidth = 0;
    std::int32_t lfEscapement = 0;
    std::int32_t lfOrientation = 0;
    std::int32_t lfWeight = 0;
    std::uint8_t lfItalic = 0;
    std::uint8_t lfUnderline = 0;
    std::uint8_t lfStrikeOut = 0;
    std::uint8_t lfCharSet = 0;
    std::uint8_t lfOutPrecision = 0;
    std::uint8_t lfClipPrecision = 0;
    std::uint8_t lfQuality = 0;
    std::uint8_t lfPitchAndFamily = 0;
    char lfFaceName[32] = {}; // zero-terminated

    bool operator==(const LogFontA&) const = default;
};
static_assert(sizeof(LogFontA) == 60, "LOGFONTA is 60 bytes");

struct Rect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;
};

struct Point {
    std::int32_t x = 0;
    std::int32_t y = 0;
    bool operator==(const Point&) const = default;
};

// Everything the program remembers. At process start all zero and empty.
struct CalcSettings {
    LogFontA lfFont;        // font of both lines
    std::int32_t nLeft = 0; // top-left corner of the window, screen pixels
    std::int32_t nTop = 0;
    std::int32_t nRound = 0;    // -1 "Auto", else 0 to 9 decimal places
    std::int32_t nFormat = 0;   // 0 "Decimal", 1 "Octal", 2 "Hex", 3 "Exponent"
    std::int32_t nReserved = 0; // carried through the data file untouched
    bool bTopmost = false;      // the window stays above the others
    bool bDegrees = false;      // angles in degrees
    std::string strReserved;    // carried through the data file untouched

    bool operator==(const CalcSettings&) const = default;
};

// The one settings record of the process: all zero before anything runs. The
// window reads and changes it; the data file stores it.
extern CalcSettings g_settings;

// What evaluation reads of the record.
EvalSettings EvalSettingsOf(const CalcSettings& settings);

inline constexpr const char* kDefaultFace = "Verdana";
inline constexpr std::int32_t kDefaultFontHeight = -13;

// The logical font of the defaults: "Verdana", height -13, all else 0.
LogFontA DefaultFont();

// The defaults: topmost, rounding "Auto", format "Decimal", reserved 0, the
// window centred on the desktop, the default font. bDegrees and strReserved
// keep what they hold.
void SetDefaultSettings(CalcSettings& settings, const Rect& window, const Rect& desktop);

// left <= x < right and top <= y < bottom: the right and bottom edges are off it.
bool IsPointOnDesktop(std::int32_t x, std::int32_t y, const Rect& desktop);

// The top-left corner that centres a window of that size on the desktop;
// every division truncates toward zero.
Point CentreOnDesktop(const Rect& window, const Rect& desktop);

// A rounding or format that no version writes goes back to "Auto" or "Decimal".
void MendLoadedValues(CalcSettings& settings);

// Whether the point lies on one of the monitors (each as IsPointOnDesktop).
bool IsPointOnAMonitor(std::int32_t x, std::int32_t y, std::span<const Rect> monitors);

// After a load: MendLoadedValues, and a corner on none of the monitors now
// attached is centred on the desktop (the primary monitor). An empty list
// counts as the desktop alone.
void MendLoadedSettings(CalcSettings& settings, const Rect& window, const Rect& desktop,
                        std::span<const Rect> monitors = {});

} // namespace quill
