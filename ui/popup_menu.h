// The popup menu's items, as data: the three submenus and the main menu.
#pragma once

#include <windows.h>

#include <span>

namespace quill::ui {

struct MenuItem {
    UINT id;          // command id (for a separator: the id it carries)
    const wchar_t* text; // null for a separator
};

// A radio group: the range handed to CheckMenuRadioItem and the first id,
// whose value is 0 for the setting (Round's "Auto" is -1: id 29 - 30).
struct RadioGroup {
    UINT first;
    UINT last;
    int zeroId; // the id that stands for the value 0
};

// The main menu: the three submenus, then commands.
enum class Submenu { None, Round, Angles, Format };
struct MainMenuItem {
    const wchar_t* text; // null for a separator
    UINT id;             // command id, or the separator's id; 0 for a submenu
    Submenu submenu;
};

std::span<const MainMenuItem> MainItems();
std::span<const MenuItem> RoundItems();
std::span<const MenuItem> AnglesItems();
std::span<const MenuItem> FormatItems();

inline constexpr RadioGroup kRoundGroup{29, 39, 30};
inline constexpr RadioGroup kAnglesGroup{40, 41, 40};
inline constexpr RadioGroup kFormatGroup{45, 49, 45};

inline bool InGroup(const RadioGroup& group, UINT id) { return id >= group.first && id <= group.last; }

} // namespace quill::ui
