// The popup menu and its commands as the window decides them, without a
// window: the items of each menu, the radio groups, what each command changes
// in the settings record and which radio mark then stands in each group.
//
// Portable (no windows.h); command ids are the names of res/resource.h.
#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include "app/settings.h"

namespace quill::ui {

enum class Menu { Main, Round, Angles, Format, Decimal, List };

// The submenus are built first, in this order, then the main menu. The
// history list's own menu (List) is built by the list.
inline constexpr Menu kBuildOrder[] = {Menu::Angles, Menu::Format, Menu::Round, Menu::Decimal,
                                       Menu::Main};

struct MenuItem {
    const wchar_t* text;       // null for a separator
    unsigned id;               // the command id (a separator's too); 0 for a submenu
    std::optional<Menu> opens; // the submenu this item opens
};

// The items of one menu, in the order they are appended.
std::span<const MenuItem> ItemsOf(Menu menu);

// A submenu whose items set one setting: the range handed to the radio-check
// operation, and how an id maps to the setting's value: value = step * (id -
// zeroId). Round's "Auto" is -1, Angles' "Degrees" is 1 (bDegrees true),
// the decimal mark's values are DecimalMark's.
struct RadioGroup {
    Menu menu;
    unsigned first;
    unsigned last;
    unsigned zeroId;
    int step;
};

std::span<const RadioGroup> RadioGroups();

// The group whose range holds `id`; null for any other id.
const RadioGroup* GroupOf(unsigned id);

// The item that carries the group's mark for the record's value; none when
// the value has no item (a value outside the group leaves it unmarked).
std::optional<unsigned> MarkedItem(const RadioGroup& group, const CalcSettings& settings);

// The check items (not in a radio group), and whether each is checked now.
std::span<const unsigned> CheckItemIds();
bool IsChecked(unsigned id, const CalcSettings& settings);

// What the window does for a command.
enum class Action {
    None,
    Result,          // the Result command: check, evaluate, show
    TopToggle,       // the "<" button
    OpenMenu,        // the "Menu" button
    ClearExpression, // Escape as the cancel key
    Font,
    HelpTopics,
    About,
    Reshow,       // the result shown again in a new number style; nothing computed
    History,      // the history list opens (or closes)
    ClearHistory, // the history emptied, after a question
};

struct CommandAnswer {
    Action action = Action::None;
    bool marksChanged = false; // a radio command changed a setting: set the marks again
};

// A WM_COMMAND: `wParam` as it came, `fromControl` when a control sent it
// (its window in lParam). A Round, Angles or Format command writes its value
// into `settings` and asks for the Result command; the already marked item
// does too. The decimal mark and "Group digits" write theirs into the
// reserved text and ask for the result to be shown again.
CommandAnswer DecideCommand(std::uint32_t wParam, bool fromControl, CalcSettings& settings);

} // namespace quill::ui
