#include "ui/popup_menu.h"

#include <array>

#include "res/resource.h"

namespace quill::ui {

namespace {

constexpr std::array<MenuItem, 12> kRound{{
    {ID_ROUND_AUTO, L"Auto"},
    {0, nullptr},
    {30, L"0"},
    {31, L"1"},
    {32, L"2"},
    {33, L"3"},
    {34, L"4"},
    {35, L"5"},
    {36, L"6"},
    {37, L"7"},
    {38, L"8"},
    {39, L"9"},
}};

constexpr std::array<MenuItem, 2> kAngles{{
    {ID_ANGLE_DEGREES, L"Degrees"},
    {ID_ANGLE_RADIANS, L"Radians"},
}};

constexpr std::array<MenuItem, 4> kFormat{{
    {ID_FORMAT_DECIMAL, L"Decimal"},
    {ID_FORMAT_OCTAL, L"Octal"},
    {ID_FORMAT_HEX, L"Hex"},
    {ID_FORMAT_EXPONENT, L"Exponent"},
}};

constexpr std::array<MainMenuItem, 7> kMain{{
    {L"Round", 0, Submenu::Round},
    {L"Angles", 0, Submenu::Angles},
    {L"Format", 0, Submenu::Format},
    {L"Font...", ID_FONT, Submenu::None},
    {nullptr, ID_SEPARATOR_MAIN, Submenu::None},
    {L"Help Topics", ID_HELP_TOPICS, Submenu::None},
    {L"About...", ID_ABOUT, Submenu::None},
}};

} // namespace

std::span<const MainMenuItem> MainItems() { return kMain; }
std::span<const MenuItem> RoundItems() { return kRound; }
std::span<const MenuItem> AnglesItems() { return kAngles; }
std::span<const MenuItem> FormatItems() { return kFormat; }

} // namespace quill::ui
