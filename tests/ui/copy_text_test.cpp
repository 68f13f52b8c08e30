// What Ctrl+C copies, and the lines' font at the display's DPI.
#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "ui/copy_text.h"
#include "ui/line_font.h"
#include "ui/result_flow.h"

namespace quill::ui {
namespace {

TEST(Copy, SelectionElseAValueElseNothing) {
    struct Row {
        const char* selection;
        const char* result;
        bool value;
        std::optional<std::string> copied;
    };
    const Row rows[] = {
        {"2+", "14", true, "2+"},
        {"", "14", true, "14"},
        {"", "Missing ')'", false, std::nullopt},
        {"ssi", "Missing ')'", false, "ssi"},
        {"", "", false, std::nullopt},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.result);
        EXPECT_EQ(CopyTextOf(row.selection, row.result, row.value), row.copied);
    }
}

TEST(Copy, WhatTheResultFlowLeavesInTheLine) {
    const CalcSettings settings;
    for (const char* expression : {"6*7", "1/0", "2=3", ""}) {
        SCOPED_TRACE(expression);
        const ResultView view = ResultOf(expression, settings);
        const auto copied = CopyTextOf("", view.result, view.value);
        EXPECT_EQ(copied.has_value(), std::string(expression) == "6*7");
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
