#include "ui/theme.h"

#include <algorithm>
#include <cmath>

namespace quill::ui {

namespace {

constexpr std::uint32_t kWindows11Build = 22000;

// Light is Windows' own look; dark follows its dark apps (a near-black
// window, lines a step lighter, light text, links a light blue).
constexpr Palette kLight{{240, 240, 240},
                         {0, 0, 0},
                         {255, 255, 255},
                         {0, 0, 0},
                         {225, 225, 225},
                         {229, 241, 251},
                         {0, 0, 0},
                         {173, 173, 173},
                         {0, 120, 215},
                         {0, 0, 250},
                         {0, 0, 250},
                         false,
                         false};
constexpr Palette kDark{{32, 32, 32},
                        {240, 240, 240},
                        {43, 43, 43},
                        {240, 240, 240},
                        {56, 56, 56},
                        {76, 76, 76},
                        {240, 240, 240},
                        {110, 110, 110},
                        {96, 170, 240},
                        {110, 170, 255},
                        {160, 200, 255},
                        true,
                        true};

// The relative luminance of one sRGB channel.
double Linear(std::uint8_t channel) {
    const double c = channel / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double Luminance(Rgb c) {
    return 0.2126 * Linear(c.r) + 0.7152 * Linear(c.g) + 0.0722 * Linear(c.b);
}

} // namespace

Theme ThemeFor(bool highContrast, std::optional<std::uint32_t> appsUseLightTheme) {
    if (highContrast) return Theme::HighContrast;
    return appsUseLightTheme == 0U ? Theme::Dark : Theme::Light;
}

std::optional<Palette> PaletteFor(Theme theme) {
    switch (theme) {
    case Theme::Light:
        return kLight;
    case Theme::Dark:
        return kDark;
    case Theme::HighContrast:
        break;
    }
    return std::nullopt;
}

TitleBar TitleBarFor(Theme theme, std::uint32_t windowsBuild) {
    if (windowsBuild < kWindows11Build) return TitleBar::Untouched;
    return theme == Theme::Dark ? TitleBar::Dark : TitleBar::Light;
}

double ContrastRatio(Rgb a, Rgb b) {
    const double la = Luminance(a);
    const double lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

} // namespace quill::ui
