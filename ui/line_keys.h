// The keys the two lines handle themselves, before the dialog manager sees
// them: a decision from the key, its modifiers and the line it was pressed
// in. Portable; the window's glue maps its messages to these and applies
// the action.
#pragma once

namespace quill::ui {

enum class LineKey { Other, C, H, Up, Down, F10 };
enum class KeyLine { Expression, Result, Elsewhere };

enum class KeyAction {
    None,        // the dialog manager handles the key as usual
    Copy,        // CopyTextOf the line to the clipboard
    RecallOlder, // the expression before the one shown (Up)
    RecallNewer, // the one after it, or what was being typed (Down)
    OpenMenu,    // the popup menu at the Menu button (F10)
    History,     // the history list opens (Ctrl+H)
};

// Ctrl+C (without Alt: Ctrl+Alt is AltGr on many keyboards, which types a
// character) copies in either line; Up and Down recall in the expression
// line. F10 opens the popup menu anywhere in the window; Shift+F10 is left
// to the lines' own Cut/Copy/Paste menu. Ctrl+H (not the edit control's
// Backspace here) opens the history list anywhere in the window.
KeyAction LineKeyAction(LineKey key, bool ctrl, bool alt, KeyLine line, bool shift = false);

} // namespace quill::ui
