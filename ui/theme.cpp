#include "ui/theme.h"

#include <algorithm>
#include <cmath>

namespace quill::ui {

namespace {

constexpr std::uint32_t kWindows11Build = 22000;

// Light is Windows' own look; dark follows its dark apps (a near-black
// window, lines a step lighter, light text, links a light blue).
constexpr Palette kLight{.window = {240, 240, 240},
                         .text = {0, 0, 0},
                         .line = {255, 255, 255},
                         .lineText = {0, 0, 0},
                         .button = {225, 225, 225},
                         .buttonDown = {229, 241, 251},
                         .buttonText = {0, 0, 0},
                         .edge = {173, 173, 173},
                         .defaultEdge = {0, 120, 215},
                         .link = {0, 0, 250},
                         .linkHover = {0, 0, 250},
                         .drawButtons = false,
                         .darkPins = false};
constexpr Palette kDark{.window = {32, 32, 32},
                        .text = {240, 240, 240},
                        .line = {43, 43, 43},
                        .lineText = {240, 240, 240},
                        .button = {56, 56, 56},
                        .buttonDown = {76, 76, 76},
                        .buttonText = {240, 240, 240},
                        .edge = {110, 110, 110},
                        .defaultEdge = {96, 170, 240},
                        .link = {110, 170, 255},
                        .linkHover = {160, 200, 255},
                        .drawButtons = true,
                        .darkPins = true};

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
