// The popup menu's commands: what each changes, and the marks that then stand.
#include "ui/menu_model.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "res/resource.h"

namespace quill::ui {
namespace {

struct Marks {
    std::optional<unsigned> round, angles, format;
    bool operator==(const Marks&) const = default;
};

Marks MarksOf(const CalcSettings& s) {
    const auto groups = RadioGroups();
    return {MarkedItem(groups[0], s), MarkedItem(groups[1], s), MarkedItem(groups[2], s)};
}

// The text of the item `id` in `menu`, as the user sees it.
std::wstring TextOf(Menu menu, unsigned id) {
    for (const MenuItem& item : ItemsOf(menu)) {
        if (item.text && item.id == id) return item.text;
    }
    return L"(none)";
}

CalcSettings Start() {
    CalcSettings s;
    s.nRound = kAutoPlaces;
    s.nFormat = static_cast<std::int32_t>(Format::Decimal);
    s.bDegrees = false;
    return s;
}

// Every radio command, from the defaults: the item it names, the field it
// sets, and the three marks afterwards.
TEST(MenuModel, EveryRadioCommand) {
    struct Row {
        unsigned id;
        Menu menu;
        const wchar_t* text;
        int round, format;
        bool degrees;
    };
    const Row rows[] = {
        {ID_ROUND_AUTO, Menu::Round, L"Auto", -1, 0, false},
        {ID_ROUND_0, Menu::Round, L"0", 0, 0, false},
        {ID_ROUND_1, Menu::Round, L"1", 1, 0, false},
        {ID_ROUND_2, Menu::Round, L"2", 2, 0, false},
        {ID_ROUND_3, Menu::Round, L"3", 3, 0, false},
        {ID_ROUND_4, Menu::Round, L"4", 4, 0, false},
        {ID_ROUND_5, Menu::Round, L"5", 5, 0, false},
        {ID_ROUND_6, Menu::Round, L"6", 6, 0, false},
        {ID_ROUND_7, Menu::Round, L"7", 7, 0, false},
        {ID_ROUND_8, Menu::Round, L"8", 8, 0, false},
        {ID_ROUND_9, Menu::Round, L"9", 9, 0, false},
        {ID_ANGLE_DEGREES, Menu::Angles, L"Degrees", -1, 0, true},
        {ID_ANGLE_RADIANS, Menu::Angles, L"Radians", -1, 0, false},
        {ID_FORMAT_DECIMAL, Menu::Format, L"Decimal", -1, 0, false},
        {ID_FORMAT_OCTAL, Menu::Format, L"Octal", -1, 1, false},
        {ID_FORMAT_HEX, Menu::Format, L"Hex", -1, 2, false},
        {ID_FORMAT_EXPONENT, Menu::Format, L"Exponent", -1, 3, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.id);
        EXPECT_EQ(TextOf(row.menu, row.id), row.text);
        CalcSettings s = Start();
        const CommandAnswer answer = DecideCommand(row.id, false, s);
        EXPECT_EQ(answer.action, Action::Result);
        EXPECT_TRUE(answer.marksChanged);
        EXPECT_EQ(s.nRound, row.round);
        EXPECT_EQ(s.nFormat, row.format);
        EXPECT_EQ(s.bDegrees, row.degrees);
        // The command's own item is marked in its group; the others keep the defaults'.
        Marks want{ID_ROUND_AUTO, ID_ANGLE_RADIANS, ID_FORMAT_DECIMAL};
        (row.menu == Menu::Round    ? want.round
         : row.menu == Menu::Angles ? want.angles
                                    : want.format) = row.id;
        EXPECT_EQ(MarksOf(s), want);
        // The marked item again still asks for the Result command.
        EXPECT_EQ(DecideCommand(row.id, false, s).action, Action::Result);
    }
}

TEST(MenuModel, OtherCommandsAndButtons) {
    struct Row {
        std::uint32_t wParam;
        bool fromControl;
        Action action;
    };
    const Row rows[] = {
        {ID_FONT, false, Action::Font},
        {ID_HELP_TOPICS, false, Action::HelpTopics},
        {ID_ABOUT, false, Action::About},
        {ID_HISTORY, false, Action::History},
        {ID_CLEAR_HISTORY, false, Action::ClearHistory},
        {ID_SEPARATOR_MAIN, false, Action::None},
        {ID_FORMAT_LAST, false, Action::Result}, // in the Format range, though no item has it
        {IDC_BTN_RESULT, true, Action::Result},
        {IDC_BTN_TOP, true, Action::TopToggle},
        {IDC_BTN_MENU, true, Action::OpenMenu},
        {IDC_BTN_TOP, false, Action::None},             // only a click of the button itself
        {(1u << 16) | IDC_BTN_TOP, true, Action::None}, // another notification than a click
        {IDCANCEL, false, Action::ClearExpression},
        {IDOK, false, Action::Result},
        {(1u << 16) | ID_FONT, false, Action::None}, // the whole value is compared
        {0, false, Action::None},
        {99, false, Action::None},
    };
    for (const Row& row : rows) {
        CalcSettings s = Start();
        const CalcSettings before = s;
        const CommandAnswer answer = DecideCommand(row.wParam, row.fromControl, s);
        EXPECT_EQ(answer.action, row.action) << row.wParam;
        if (row.wParam != ID_FORMAT_LAST) {
            EXPECT_EQ(s, before) << row.wParam;
            EXPECT_FALSE(answer.marksChanged) << row.wParam;
        }
    }
}

// Values no menu item stands for leave their group unmarked.
TEST(MenuModel, ValuesWithoutAnItemLeaveNoMark) {
    struct Row {
        int round, format;
        Marks marks;
    };
    const Row rows[] = {
        {-1, 0, {ID_ROUND_AUTO, ID_ANGLE_RADIANS, ID_FORMAT_DECIMAL}},
        {9, 3, {ID_ROUND_9, ID_ANGLE_RADIANS, ID_FORMAT_EXPONENT}},
        {10, 4, {std::nullopt, ID_ANGLE_RADIANS, std::nullopt}}, // 4 is in the range, with no item
        {-2, -1, {std::nullopt, ID_ANGLE_RADIANS, std::nullopt}},
        {INT32_MAX, INT32_MIN, {std::nullopt, ID_ANGLE_RADIANS, std::nullopt}},
    };
    for (const Row& row : rows) {
        CalcSettings s = Start();
        s.nRound = row.round;
        s.nFormat = row.format;
        EXPECT_EQ(MarksOf(s), row.marks) << row.round << " " << row.format;
    }
}

// Every command item of the menus is taken by DecideCommand, and every
// submenu opens a menu that exists; separators carry their ids.
TEST(MenuModel, EveryItemIsACommandOrASubmenu) {
    int commands = 0;
    for (const Menu menu : kBuildOrder) {
        for (const MenuItem& item : ItemsOf(menu)) {
            if (item.opens) {
                EXPECT_FALSE(ItemsOf(*item.opens).empty());
            } else if (item.text) {
                CalcSettings s = Start();
                EXPECT_NE(DecideCommand(item.id, false, s).action, Action::None) << item.id;
                ++commands;
            }
        }
    }
    EXPECT_EQ(commands, 6 + 11 + 2 + 4 + 3);
    EXPECT_EQ(ItemsOf(Menu::Main)[6].id, unsigned{ID_SEPARATOR_MAIN});
    EXPECT_EQ(ItemsOf(Menu::Main)[6].text, nullptr);
}

// The decimal mark and "Group digits" live in the reserved text, written
// only when chosen, and only show the answer again.
TEST(MenuModel, NumberStyleCommands) {
    struct Row {
        std::vector<unsigned> ids; // chosen in turn, from the defaults
        const char* reserved;
        unsigned marked;
        bool grouped;
    };
    const Row rows[] = {
        {{}, "", ID_DECIMAL_AUTO, true},
        {{ID_DECIMAL_COMMA}, "decimal=comma\r\n", ID_DECIMAL_COMMA, true},
        {{ID_DECIMAL_POINT, ID_DECIMAL_AUTO}, "decimal=auto\r\n", ID_DECIMAL_AUTO, true},
        {{ID_GROUP_DIGITS}, "grouping=off\r\n", ID_DECIMAL_AUTO, false},
        {{ID_GROUP_DIGITS, ID_DECIMAL_POINT, ID_GROUP_DIGITS},
         "grouping=on\r\ndecimal=point\r\n",
         ID_DECIMAL_POINT,
         true},
    };
    for (const Row& row : rows) {
        CalcSettings s = Start();
        for (const unsigned id : row.ids) {
            const CommandAnswer answer = DecideCommand(id, false, s);
            EXPECT_EQ(answer.action, Action::Reshow) << id;
            EXPECT_TRUE(answer.marksChanged);
        }
        EXPECT_EQ(s.strReserved, row.reserved);
        EXPECT_EQ(MarkedItem(RadioGroups()[3], s), row.marked);
        EXPECT_EQ(IsChecked(ID_GROUP_DIGITS, s), row.grouped);
    }
}

} // namespace
} // namespace quill::ui
