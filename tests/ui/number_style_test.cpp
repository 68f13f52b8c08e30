// The user's number format: digits grouped and the decimal mark as the
// locale and the settings ask, the copy without separators, and the
// change of the system's format.
#include "ui/number_style.h"

#include <gtest/gtest.h>

#include <cstring>

namespace quill::ui {
namespace {

TEST(NumberStyle, GroupingAndMarkAsALocaleWritesThem) {
    const struct {
        const wchar_t* decimal;
        const wchar_t* thousands;
        const wchar_t* grouping;
        bool group;
        DecimalMark mark;
        const char* plain;
        const wchar_t* shown;
    } rows[] = {
        {L".", L",", L"3;0", true, DecimalMark::Auto, "18446744073709551616",
         L"18,446,744,073,709,551,616"},
        {L",", L".", L"3;0", true, DecimalMark::Auto, "18446744073709551616",
         L"18.446.744.073.709.551.616"},
        {L",", L".", L"3;0", true, DecimalMark::Auto, "2.5", L"2,5"},
        {L".", L",", L"3;2;0", true, DecimalMark::Auto, "10000000", L"1,00,00,000"},
        {L".", L",", L"3", true, DecimalMark::Auto, "1234567", L"1234,567"},
        {L".", L",", L"3;2", true, DecimalMark::Auto, "123456789", L"1234,56,789"},
        {L",", L"\u00a0", L"3;0", true, DecimalMark::Auto, "-1234.5", L"-1\u00a0234,5"},
        {L".", L",", L"3;0", true, DecimalMark::Auto, "-1234567.891011", L"-1,234,567.891011"},
        {L".", L",", L"3;0", false, DecimalMark::Auto, "1234567.5", L"1234567.5"},
        {L".", L",", L"3;0", true, DecimalMark::Comma, "1234.5", L"1.234,5"}, // no two commas
        {L",", L".", L"3;0", true, DecimalMark::Point, "1234.5", L"1,234.5"},
        {L",", L".", L"3;0", true, DecimalMark::Auto, "1.606938e+60", L"1,606938e+60"},
        {L".", L",", L"3;0", true, DecimalMark::Auto, "123456e+60", L"123456e+60"}, // no groups
        {L".", L",", L"3;0", true, DecimalMark::Auto, "0x1ffffffff", L"0x1 ffff ffff"},
        {L".", L",", L"3;0", false, DecimalMark::Auto, "0x1ffffffff", L"0x1ffffffff"},
        {L".", L",", L"3;0", true, DecimalMark::Auto, "037777777777", L"037777777777"}, // octal
        {L",", L".", L"3;0", true, DecimalMark::Auto, "0", L"0"},
        {L",", L".", L"3;0", true, DecimalMark::Auto, "Not a number", L"Not a number"},
        {L",", L".", L"3;0", true, DecimalMark::Auto, "-Infinity", L"-Infinity"},
        {L"", L"", L"", true, DecimalMark::Auto, "1234.5", L"1234.5"}, // Windows said nothing
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.plain);
        const NumberStyle style =
            StyleOf(row.decimal, row.thousands, row.grouping, row.group, row.mark);
        const std::wstring shown = ShownNumber(row.plain, style);
        EXPECT_EQ(shown, row.shown);
        // The copy: the separators gone, the mark read back as a point.
        std::wstring copied = WithoutSeparators(shown, style);
        if (style.decimal.size() == 1) {
            for (wchar_t& c : copied)
                c = c == style.decimal[0] ? L'.' : c;
        }
        EXPECT_EQ(copied, std::wstring(row.plain, row.plain + std::strlen(row.plain)));
    }
}

TEST(NumberStyle, GroupingTextsAndTheFormatChange) {
    const struct {
        const wchar_t* text;
        std::vector<int> groups;
    } rows[] = {
        {L"3;0", {3, 0}}, {L"3", {3}},   {L"3;2;0", {3, 2, 0}}, {L"0", {}},    {L"", {}},
        {L"x", {}},       {L"3;x", {3}}, {L"3;0;2", {3, 0}},    {L"12;0", {}}, {L";3", {}},
    };
    for (const auto& row : rows)
        EXPECT_EQ(ParseGrouping(row.text), row.groups) << row.text;
    EXPECT_TRUE(IsNumberFormatChange(L"intl"));
    EXPECT_TRUE(IsNumberFormatChange(L"Intl"));
    EXPECT_FALSE(IsNumberFormatChange(L"ImmersiveColorSet"));
    EXPECT_FALSE(IsNumberFormatChange(L"intl2"));
    EXPECT_FALSE(IsNumberFormatChange(nullptr));
}

} // namespace
} // namespace quill::ui
