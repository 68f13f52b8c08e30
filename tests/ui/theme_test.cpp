// The theme the window follows and its colours: every text readable on its
// background (WCAG AA, 4.5:1), and high contrast left to the system.
#include "ui/theme.h"

#include <gtest/gtest.h>

namespace quill::ui {
namespace {

TEST(Theme, FollowsTheSystemSetting) {
    struct Row {
        bool highContrast;
        std::optional<std::uint32_t> light;
        Theme theme;
    };
    for (const Row& row :
         {Row{false, 0U, Theme::Dark}, Row{false, 1U, Theme::Light},
          Row{false, std::nullopt, Theme::Light}, Row{false, 2U, Theme::Light},
          Row{true, 0U, Theme::HighContrast}, Row{true, std::nullopt, Theme::HighContrast}}) {
        EXPECT_EQ(ThemeFor(row.highContrast, row.light), row.theme)
            << row.highContrast << " " << row.light.value_or(99);
    }
    EXPECT_FALSE(PaletteFor(Theme::HighContrast));
}

TEST(Theme, EveryTextIsReadableOnItsBackground) {
    for (const Theme theme : {Theme::Light, Theme::Dark}) {
        const Palette p = *PaletteFor(theme);
        struct Pair {
            const char* what;
            Rgb text, back;
        };
        for (const Pair& pair :
             {Pair{"label", p.text, p.window}, Pair{"line", p.lineText, p.line},
              Pair{"button", p.buttonText, p.button},
              Pair{"pressed button", p.buttonText, p.buttonDown}, Pair{"link", p.link, p.window},
              Pair{"hovered link", p.linkHover, p.window}}) {
            EXPECT_GE(ContrastRatio(pair.text, pair.back), 4.5)
                << (theme == Theme::Dark ? "dark " : "light ") << pair.what;
        }
    }
    // The formula's ends: black on white is 21, a colour on itself 1.
    EXPECT_NEAR(ContrastRatio({0, 0, 0}, {255, 255, 255}), 21.0, 1e-9);
    EXPECT_NEAR(ContrastRatio({90, 90, 90}, {90, 90, 90}), 1.0, 1e-9);
}

TEST(Theme, DarkLooksDarkAndLightLight) {
    EXPECT_LT(ContrastRatio(PaletteFor(Theme::Dark)->window, {0, 0, 0}), 1.5);
    EXPECT_LT(ContrastRatio(PaletteFor(Theme::Light)->window, {255, 255, 255}), 1.5);
}

TEST(Theme, DarkTitleBarOnlyFromWindows11) {
    EXPECT_EQ(TitleBarFor(Theme::Dark, 22000), TitleBar::Dark);
    EXPECT_EQ(TitleBarFor(Theme::Dark, 26100), TitleBar::Dark);
    EXPECT_EQ(TitleBarFor(Theme::Dark, 19045), TitleBar::Untouched);
    EXPECT_EQ(TitleBarFor(Theme::Light, 22631), TitleBar::Light);
    EXPECT_EQ(TitleBarFor(Theme::HighContrast, 22631), TitleBar::Light);
}

} // namespace
} // namespace quill::ui
