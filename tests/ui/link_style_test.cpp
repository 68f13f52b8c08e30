// The link label's tooltip rules and its style table.
#include "ui/link_style.h"

#include <gtest/gtest.h>

namespace quill::ui {
namespace {

TEST(LinkStyle, TipTextPrefixes) {
    const struct {
        const char* caption;
        bool tipOn;
        const char* tip;
    } rows[] = {
        {"http://www.quillpad.example", true, "Go to www.quillpad.example"},
        {"HTTP://WWW.QUILLPAD.EXAMPLE", true, "Go to WWW.QUILLPAD.EXAMPLE"},
        {"Http://x", true, "Go to x"},
        {"mailto:support@quillpad.example", true, "E-mail support@quillpad.example"},
        {"MailTo:a@b", true, "E-mail a@b"},
        {"support@quillpad.example", true, "Go to support@quillpad.example"},
        {"https://secure.example", true, "Go to https://secure.example"},
        {"http:/", true, "Go to http:/"},
        {"http://", true, "Go to "},
        {"mail", true, "Go to mail"},
        {"", true, "Go to "},
        {"http://www.quillpad.example", false, "http://www.quillpad.example"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(MakeTipText(row.caption, row.tipOn), row.tip) << row.caption;
    }
}

TEST(LinkStyle, Table) {
    const auto& styles = LinkStyles();
    // The style every label uses: blue on the face colour, underlined only when hovered.
    const LinkStyle& three = styles[kDefaultLinkStyle];
    EXPECT_EQ(three.text, (Rgb{0, 0, 250}));
    EXPECT_EQ(three.textHover, (Rgb{0, 0, 250}));
    EXPECT_TRUE(three.back.face && three.backHover.face);
    EXPECT_FALSE(three.underline);
    EXPECT_TRUE(three.underlineHover);
    EXPECT_FALSE(three.frame);
    // Which styles frame and underline, and which hover colours are fixed.
    const bool frames[] = {false, true, true, false, false, false, true, false};
    const bool underlines[] = {false, false, false, false, true, true, false, false};
    const bool hoverUnderlines[] = {false, false, false, true, false, true, false, false};
    const bool fixedHoverBack[] = {true, true, true, false, false, false, true, true};
    for (int n = 0; n < kLinkStyleCount; ++n) {
        const LinkStyle& s = styles[static_cast<std::size_t>(n)];
        EXPECT_EQ(s.frame, frames[n]) << n;
        EXPECT_EQ(s.underline, underlines[n]) << n;
        EXPECT_EQ(s.underlineHover, hoverUnderlines[n]) << n;
        EXPECT_TRUE(s.back.face) << n;
        EXPECT_EQ(!s.backHover.face, fixedHoverBack[n]) << n;
    }
    EXPECT_EQ(styles[1].frameColour, (Rgb{50, 50, 150}));
    EXPECT_EQ(styles[6].backHover.colour, (Rgb{240, 240, 0}));
    EXPECT_EQ(styles[7].textHover, (Rgb{250, 250, 250}));
}

} // namespace
} // namespace quill::ui
