#include "ui/menu_model.h"

#include <algorithm>
#include <array>

#include "app/reserved_text.h"
#include "res/resource.h"

namespace quill::ui {

namespace {

constexpr std::array<MenuItem, 12> kMain{{
    {L"Round", 0, Menu::Round},
    {L"Angles", 0, Menu::Angles},
    {L"Format", 0, Menu::Format},
    {L"Decimal mark", 0, Menu::Decimal},
    {L"Group digits", ID_GROUP_DIGITS, std::nullopt},
    {L"Font...", ID_FONT, std::nullopt},
    {nullptr, ID_SEPARATOR_MAIN, std::nullopt},
    {L"History...\tCtrl+H", ID_HISTORY, std::nullopt},
    {L"Clear history...", ID_CLEAR_HISTORY, std::nullopt},
    {nullptr, 0, std::nullopt},
    {L"Help Topics", ID_HELP_TOPICS, std::nullopt},
    {L"About...", ID_ABOUT, std::nullopt},
}};

constexpr std::array<MenuItem, 12> kRound{{
    {L"Auto", ID_ROUND_AUTO, std::nullopt},
    {nullptr, 0, std::nullopt},
    {L"0", ID_ROUND_0, std::nullopt},
    {L"1", ID_ROUND_1, std::nullopt},
    {L"2", ID_ROUND_2, std::nullopt},
    {L"3", ID_ROUND_3, std::nullopt},
    {L"4", ID_ROUND_4, std::nullopt},
    {L"5", ID_ROUND_5, std::nullopt},
    {L"6", ID_ROUND_6, std::nullopt},
    {L"7", ID_ROUND_7, std::nullopt},
    {L"8", ID_ROUND_8, std::nullopt},
    {L"9", ID_ROUND_9, std::nullopt},
}};

constexpr std::array<MenuItem, 2> kAngles{{
    {L"Degrees", ID_ANGLE_DEGREES, std::nullopt},
    {L"Radians", ID_ANGLE_RADIANS, std::nullopt},
}};

constexpr std::array<MenuItem, 4> kFormat{{
    {L"Decimal", ID_FORMAT_DECIMAL, std::nullopt},
    {L"Octal", ID_FORMAT_OCTAL, std::nullopt},
    {L"Hex", ID_FORMAT_HEX, std::nullopt},
    {L"Exponent", ID_FORMAT_EXPONENT, std::nullopt},
}};

constexpr std::array<MenuItem, 3> kDecimal{{
    {L"Auto", ID_DECIMAL_AUTO, std::nullopt},
    {L"Point", ID_DECIMAL_POINT, std::nullopt},
    {L"Comma", ID_DECIMAL_COMMA, std::nullopt},
}};

// The history list's own menu.
constexpr std::array<MenuItem, 5> kList{{
    {L"Compute\tEnter", ID_LIST_COMPUTE, std::nullopt},
    {L"Insert answer\tShift+Enter", ID_LIST_INSERT, std::nullopt},
    {L"Remove\tDel", ID_LIST_REMOVE, std::nullopt},
    {nullptr, 0, std::nullopt},
    {L"Clear history...", ID_CLEAR_HISTORY, std::nullopt},
}};

constexpr std::array<RadioGroup, 4> kGroups{{
    {Menu::Round, ID_ROUND_AUTO, ID_ROUND_9, ID_ROUND_0, 1},
    {Menu::Angles, ID_ANGLE_DEGREES, ID_ANGLE_RADIANS, ID_ANGLE_RADIANS, -1},
    {Menu::Format, ID_FORMAT_DECIMAL, ID_FORMAT_LAST, ID_FORMAT_DECIMAL, 1},
    {Menu::Decimal, ID_DECIMAL_AUTO, ID_DECIMAL_COMMA, ID_DECIMAL_AUTO, 1},
}};

constexpr std::array<unsigned, 1> kCheckItems{ID_GROUP_DIGITS};

int ValueOf(const RadioGroup& group, const CalcSettings& s) {
    switch (group.menu) {
    case Menu::Round:
        return s.nRound;
    case Menu::Angles:
        return s.bDegrees ? 1 : 0;
    case Menu::Decimal:
        return static_cast<int>(DecimalMarkOf(s));
    default:
        return s.nFormat;
    }
}

void SetValue(const RadioGroup& group, CalcSettings& s, int value) {
    switch (group.menu) {
    case Menu::Round:
        s.nRound = value;
        break;
    case Menu::Angles:
        s.bDegrees = value != 0;
        break;
    case Menu::Decimal:
        StoreDecimalMark(s, static_cast<DecimalMark>(value));
        break;
    default:
        s.nFormat = value;
        break;
    }
}

CommandAnswer Do(Action action) {
    return {action, false};
}

} // namespace

std::span<const MenuItem> ItemsOf(Menu menu) {
    switch (menu) {
    case Menu::Round:
        return kRound;
    case Menu::Angles:
        return kAngles;
    case Menu::Format:
        return kFormat;
    case Menu::Decimal:
        return kDecimal;
    case Menu::List:
        return kList;
    default:
        return kMain;
    }
}

std::span<const RadioGroup> RadioGroups() {
    return kGroups;
}

const RadioGroup* GroupOf(unsigned id) {
    for (const RadioGroup& g : kGroups) {
        if (id >= g.first && id <= g.last) return &g;
    }
    return nullptr;
}

std::optional<unsigned> MarkedItem(const RadioGroup& group, const CalcSettings& settings) {
    // In 64 bits: a loaded value may be any 32-bit number.
    const std::int64_t id =
        std::int64_t{group.zeroId} + std::int64_t{group.step} * ValueOf(group, settings);
    const std::span<const MenuItem> items = ItemsOf(group.menu);
    const bool exists = std::any_of(items.begin(), items.end(), [id](const MenuItem& item) {
        return item.text != nullptr && item.id == id;
    });
    if (!exists) return std::nullopt;
    return static_cast<unsigned>(id);
}

std::span<const unsigned> CheckItemIds() {
    return kCheckItems;
}

bool IsChecked(unsigned id, const CalcSettings& settings) {
    return id == ID_GROUP_DIGITS && GroupsDigits(settings);
}

CommandAnswer DecideCommand(std::uint32_t wParam, bool fromControl, CalcSettings& settings) {
    const unsigned id = wParam & 0xFFFF;
    const unsigned code = wParam >> 16;
    constexpr unsigned kClicked = 0; // BN_CLICKED
    if (fromControl && code == kClicked) {
        switch (id) {
        case IDC_BTN_RESULT:
            return Do(Action::Result);
        case IDC_BTN_TOP:
            return Do(Action::TopToggle);
        case IDC_BTN_MENU:
            return Do(Action::OpenMenu);
        default:
            break;
        }
    }
    // Menu commands carry no notification code: the whole value is the id.
    if (const RadioGroup* group = GroupOf(wParam)) {
        SetValue(*group, settings,
                 group->step * (static_cast<int>(wParam) - static_cast<int>(group->zeroId)));
        // The decimal mark changes only how the answer is written.
        return {group->menu == Menu::Decimal ? Action::Reshow : Action::Result, true};
    }
    switch (wParam) {
    case ID_GROUP_DIGITS:
        StoreGrouping(settings, !GroupsDigits(settings));
        return {Action::Reshow, true};
    case ID_HISTORY:
        return Do(Action::History);
    case ID_CLEAR_HISTORY:
        return Do(Action::ClearHistory);
    case ID_FONT:
        return Do(Action::Font);
    case ID_HELP_TOPICS:
        return Do(Action::HelpTopics);
    case ID_ABOUT:
        return Do(Action::About);
    default:
        break;
    }
    // The dialog manager's keys: Escape (IDCANCEL) clears the line, Enter
    // without a default button is Result.
    if (id == IDCANCEL) return Do(Action::ClearExpression);
    if (id == IDOK) return Do(Action::Result);
    return {};
}

} // namespace quill::ui
