// The window's colours as the system's app theme asks for them: light, dark,
// or high contrast (the system's own colours, always).
//
// The theme is decided from what the system says (high contrast on or off,
// the "apps use light theme" value, missing on systems that have none); the
// colours of each theme are one table. Portable; never throws.
#pragma once

#include <cstdint>
#include <optional>

#include "ui/link_style.h"

namespace quill::ui {

enum class Theme : std::uint8_t { Light, Dark, HighContrast };

// High contrast wins; else dark when the value is 0, light when it is
// anything else or missing.
Theme ThemeFor(bool highContrast, std::optional<std::uint32_t> appsUseLightTheme);

struct Palette {
    Rgb window;       // the dialog's background
    Rgb text;         // its labels
    Rgb line;         // the expression and result lines
    Rgb lineText;     // their text
    Rgb button;       // a button's face
    Rgb buttonDown;   // a pressed or hovered button's face
    Rgb buttonText;   // its caption
    Rgb edge;         // a button's border
    Rgb defaultEdge;  // the default button's border, and the focus
    Rgb link;         // a hyperlink label
    Rgb linkHover;    // the same under the mouse
    bool drawButtons; // the program draws the buttons (the system would draw them light)
    bool darkPins;    // the pins drawn light enough for a dark face
};

// The theme's colours; none for high contrast, where the system's colours
// apply to everything.
std::optional<Palette> PaletteFor(Theme theme);

// What the title bar is asked to be. Windows 11 (build 22000) and later
// honour a request for a dark one; before them it is left as it is.
enum class TitleBar : std::uint8_t { Untouched, Light, Dark };
TitleBar TitleBarFor(Theme theme, std::uint32_t windowsBuild);

// The contrast ratio of two colours as WCAG 2 defines it: 1 to 21.
double ContrastRatio(Rgb a, Rgb b);

} // namespace quill::ui
