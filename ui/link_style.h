// What a hyperlink label looks like and what its tooltip says, as plain data
// and text rules (no window needed).
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace quill::ui {

struct Rgb {
    std::uint8_t r, g, b;
    bool operator==(const Rgb&) const = default;
};

// A background that is the system's button-face colour, read when the style
// is applied, or a fixed colour.
struct Background {
    bool face;
    Rgb colour;
    bool operator==(const Background&) const = default;
};

struct LinkStyle {
    Rgb text;
    Rgb textHover;
    Background back;
    Background backHover;
    bool underline;
    bool underlineHover;
    bool frame; // a one-pixel frame while hovered
    Rgb frameColour;
};

inline constexpr int kLinkStyleCount = 8;
// Every label of the program uses this style: blue, underlined when hovered.
inline constexpr int kDefaultLinkStyle = 3;

// Styles 0 to 7.
const std::array<LinkStyle, kLinkStyleCount>& LinkStyles();

// The tooltip for a caption: with the tip on, "Go to " and what follows
// "http://", "E-mail " and what follows "mailto:" (both prefixes compared
// without case), else "Go to " and the whole caption; with it off, the caption.
std::string MakeTipText(std::string_view caption, bool tipOn);

} // namespace quill::ui
