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
        bool ctrl, alt;
        KeyLine line;
        KeyAction action;
    } rows[] = {
        {K::C, true, false, L::Expression, A::Copy},
        {K::C, true, false, L::Result, A::Copy},
        {K::C, true, false, L::Elsewhere, A::None},   // the button, a box
        {K::C, false, false, L::Expression, A::None}, // a plain "c" is typed
        {K::C, true, true, L::Expression, A::None},   // AltGr+C types a character
        {K::Up, false, false, L::Expression, A::RecallOlder},
        {K::Down, false, false, L::Expression, A::RecallNewer},
        {K::Up, true, false, L::Expression, A::RecallOlder},
        {K::Up, false, false, L::Result, A::None}, // the result line moves its caret
        {K::Down, false, false, L::Elsewhere, A::None},
        {K::Other, true, false, L::Expression, A::None},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(LineKeyAction(row.key, row.ctrl, row.alt, row.line), row.action)
            << static_cast<int>(row.key) << " ctrl " << row.ctrl << " alt " << row.alt << " line "
            << static_cast<int>(row.line);
    }
}

} // namespace
} // namespace quill::ui
