// The window's geometry for a width and a font, its width at start, and the
// font size that keeps it on the screen.
#include "ui/window_layout.h"

#include <gtest/gtest.h>

namespace quill::ui {
namespace {

// The template as 96 DPI lays it out (x 1.5, y 1.625 pixels a dialog unit).
const WindowDesign kDesign{
    .top = {11, 5, 41, 33},
    .menu = {11, 39, 41, 67},
    .expression = {48, 5, 366, 34},
    .result = {48, 39, 302, 67},
    .resultButton = {312, 39, 366, 67},
    .clientWidth = 377,
    .clientHeight = 76,
    .strip = 4,
};

std::string Text(const Rect& r) {
    return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) +
           "," + std::to_string(r.bottom);
}

TEST(WindowLayout, WidthAndLineHeightToControls) {
    const struct {
        int width, line;
        const char *top, *menu, *expression, *result, *button;
        int height;
    } rows[] = {
        // The template as it is, but its strip; a narrower width or a
        // smaller font does not shrink it.
        {377, 20, "11,5,41,33", "11,39,41,67", "48,5,366,34", "48,39,302,67", "312,39,366,67", 72},
        {200, 0, "11,5,41,33", "11,39,41,67", "48,5,366,34", "48,39,302,67", "312,39,366,67", 72},
        // Wider: the lines stretch, Result moves with the right edge.
        {577, 20, "11,5,41,33", "11,39,41,67", "48,5,566,34", "48,39,502,67", "512,39,566,67", 72},
        // A tall font: the rows grow, the buttons keep their size, centred.
        {377, 60, "11,20,41,48", "11,86,41,114", "48,5,366,65", "48,70,302,130", "312,86,366,114",
         135},
    };
    for (const auto& row : rows) {
        const WindowLayout l = LayOut(kDesign, row.width, row.line);
        EXPECT_EQ(Text(l.top), row.top) << row.width << " " << row.line;
        EXPECT_EQ(Text(l.menu), row.menu) << row.width << " " << row.line;
        EXPECT_EQ(Text(l.expression), row.expression) << row.width << " " << row.line;
        EXPECT_EQ(Text(l.result), row.result) << row.width << " " << row.line;
        EXPECT_EQ(Text(l.resultButton), row.button) << row.width << " " << row.line;
        EXPECT_EQ(l.clientHeight, row.height) << row.width << " " << row.line;
        EXPECT_EQ(l.clientWidth, std::max(row.width, kDesign.clientWidth));
    }
}

TEST(WindowLayout, WidthAtStart) {
    const struct {
        std::optional<int> stored;
        int dpi, min, work, width;
    } rows[] = {
        {std::nullopt, 96, 385, 1024, 385}, {612, 96, 385, 1024, 612},   {612, 144, 578, 1920, 918},
        {300, 96, 385, 1024, 385},          {5000, 96, 385, 1024, 1024}, // cut to the work area
        {5000, 96, 385, 300, 385},                                       // never below the least
    };
    for (const auto& row : rows) {
        EXPECT_EQ(StartWidth(row.stored, row.dpi, row.min, row.work), row.width)
            << row.stored.value_or(-1) << " at " << row.dpi;
    }
}

TEST(WindowLayout, FontHeightThatKeepsTheWindowOnTheScreen) {
    // A window 40 pixels of frame and 2.5 times the font's height.
    const HeightForFont height = [](int h) { return 40 + (h < 0 ? -h : h) * 5 / 2; };
    const struct {
        int chosen, max, shown;
    } rows[] = {
        {-13, 728, -13}, {-96, 728, -96}, {-288, 728, -275},
        {288, 728, 275}, {-96, 30, -1},   {0, 10, 0}, // the font's own size is taken as it is
    };
    for (const auto& row : rows) {
        EXPECT_EQ(FittingFontHeight(row.chosen, row.max, height), row.shown) << row.chosen;
        if (row.shown != row.chosen && row.shown != -1) {
            EXPECT_LE(height(row.shown), row.max);
            EXPECT_GT(height(row.shown + (row.shown < 0 ? -1 : 1)), row.max);
        }
    }
}

} // namespace
} // namespace quill::ui
