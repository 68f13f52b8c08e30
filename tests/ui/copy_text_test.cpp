// What Ctrl+C copies, and the lines' font at the display's DPI.
#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "ui/copy_text.h"
#include "ui/line_font.h"
#include "ui/result_flow.h"

namespace quill::ui {
namespace {

const NumberStyle kEnglish = StyleOf(L".", L",", L"3;0", true, DecimalMark::Auto);
const NumberStyle kGerman = StyleOf(L",", L".", L"3;0", true, DecimalMark::Auto);

TEST(Copy, SelectionElseAValueElseNothing) {
    struct Row {
        const wchar_t* selection;
        const char* result;
        const NumberStyle& style;
        std::optional<std::wstring> copied;
        bool inResultLine;
        bool value;
    };
    const NumberStyle plain;
    const Row rows[] = {
        {L"2+", "14", plain, L"2+", false, true},
        {L"", "14", plain, L"14", false, true},
        {L"", "Missing ')'", plain, std::nullopt, false, false},
        {L"ssi", "Missing ')'", kGerman, L"ssi", true, false},
        {L"", "", plain, std::nullopt, false, false},
        {L"", "18446744073709551616", kEnglish, L"18446744073709551616", true, true},
        {L"", "2.5", kGerman, L"2,5", true, true},
        {L"446.744", "18446744073709551616", kGerman, L"446744", true, true},
        {L"1,234", "1234", kEnglish, L"1,234", false, true}, // the expression line's own text
        {L"", "8589934591", kEnglish, L"8589934591", false, true},
        {L"", "0x1ffffffff", kEnglish, L"0x1ffffffff", false, true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.result);
        EXPECT_EQ(CopyTextOf(row.selection, row.inResultLine, row.result, row.value, row.style),
                  row.copied);
    }
}

// A copy of any shown value, pasted back into the expression line, is the
// same value: no separator is copied, and the mark shown reads as a point.
TEST(Copy, PastedBackItIsTheSameValue) {
    const NumberStyle styles[] = {
        kEnglish,
        kGerman,
        StyleOf(L".", L",", L"3;2;0", true, DecimalMark::Auto),    // Hindi
        StyleOf(L",", L"\u00a0", L"3;0", true, DecimalMark::Auto), // French
        StyleOf(L".", L",", L"3;0", true, DecimalMark::Comma),     // comma asked for
        StyleOf(L",", L".", L"3;0", false, DecimalMark::Point),    // no groups
    };
    const CalcSettings settings;
    for (const char* expression : {"2^64", "-10^7/3", "12345.678", "0.5", "1/7", "2^40*1.5"}) {
        const ResultView view = ResultOf(expression, settings);
        ASSERT_TRUE(view.value) << expression;
        for (const NumberStyle& style : styles) {
            const auto copied = CopyTextOf(L"", true, view.result, true, style);
            ASSERT_TRUE(copied);
            const std::string back(copied->begin(), copied->end()); // ASCII
            EXPECT_EQ(ResultOf(back, settings).result, view.result) << expression;
        }
    }
}

TEST(LineFont, HeightsAt96DpiScaleAndComeBack) {
    struct Row {
        int value, from, to, scaled;
    };
    const Row rows[] = {
        {-13, 96, 96, -13},  {-13, 96, 144, -20}, {-13, 96, 120, -16},         {-13, 96, 192, -26},
        {-20, 144, 96, -13}, {-19, 144, 96, -13}, {13, 96, 144, 20},           {0, 96, 144, 0},
        {-13, 0, 144, -13},  {-13, 96, -1, -13},  {INT_MIN, 96, 192, INT_MIN},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::to_string(row.value) + " at " + std::to_string(row.to));
        EXPECT_EQ(ScalePixels(row.value, row.from, row.to), row.scaled);
    }
    // Stored at 96, made at any DPI and stored back: the file never drifts.
    for (const int dpi : {96, 120, 144, 168, 192, 288}) {
        for (int height = -72; height <= 72; ++height) {
            LogFontA font;
            font.lfHeight = height;
            font.lfWidth = height / 2;
            EXPECT_EQ(FontToStore(FontAtDpi(font, dpi), dpi), font) << height << " at " << dpi;
        }
    }
}

} // namespace
} // namespace quill::ui
