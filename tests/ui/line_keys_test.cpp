// The keys the lines handle themselves: key, modifiers and line to action.
#include "ui/line_keys.h"

#include <gtest/gtest.h>

namespace quill::ui {
namespace {

TEST(LineKeys, KeyModifiersAndLineToAction) {
    using K = LineKey;
    using L = KeyLine;
    using A = KeyAction;
    const struct {
        LineKey key;
        KeyLine line;
        KeyAction action;
        bool ctrl, alt;
        bool shift = false;
    } rows[] = {
        {K::C, L::Expression, A::Copy, true, false},
        {K::C, L::Result, A::Copy, true, false},
        {K::C, L::Elsewhere, A::None, true, false},   // the button, a box
        {K::C, L::Expression, A::None, false, false}, // a plain "c" is typed
        {K::C, L::Expression, A::None, true, true},   // AltGr+C types a character
        {K::Up, L::Expression, A::RecallOlder, false, false},
        {K::Down, L::Expression, A::RecallNewer, false, false},
        {K::Up, L::Expression, A::RecallOlder, true, false},
        {K::Up, L::Result, A::None, false, false}, // the result line moves its caret
        {K::Down, L::Elsewhere, A::None, false, false},
        {K::Other, L::Expression, A::None, true, false},
        {K::F10, L::Expression, A::OpenMenu, false, false},
        {K::F10, L::Elsewhere, A::OpenMenu, false, false}, // a button has the focus
        {K::F10, L::Result, A::None, false, false, true},  // Shift+F10: the line's own menu
        {K::F10, L::Result, A::None, true, false},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(LineKeyAction(row.key, row.ctrl, row.alt, row.line, row.shift), row.action)
            << static_cast<int>(row.key) << " ctrl " << row.ctrl << " alt " << row.alt << " line "
            << static_cast<int>(row.line);
    }
}

} // namespace
} // namespace quill::ui
