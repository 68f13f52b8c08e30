// The history list below the window, as it decides without a window: which
// rows show for what is typed, what a key does, and where the list goes.
//
// Portable; never throws but std::bad_alloc.
#pragma once

#include <cstddef>
#include <span>
#include <string_view>
#include <vector>

#include "app/history_text.h"
#include "app/settings.h"

namespace quill::ui {

// The rows for a filter: indexes into `entries` (oldest first), newest first,
// of the entries whose expression or answer holds the filter (letters in
// either case). An empty filter shows every entry.
std::vector<std::size_t> ListRows(std::span<const HistoryEntry> entries, std::string_view filter);

enum class ListKey { Enter, Delete, Escape, Backspace, CtrlH, Other };

enum class ListAction {
    None,         // the list control handles the key (the arrows, Page Up...)
    Compute,      // the row's expression into the expression line, computed
    InsertAnswer, // the row's answer at the expression line's caret
    Remove,       // the row leaves the history
    Close,        // the list closes, the expression line as it was
    EraseFilter,  // the filter's last character goes
};

// Enter computes, Shift+Enter inserts the answer, Delete removes, Escape
// and Ctrl+H close, Backspace shortens the filter.
ListAction ListKeyAction(ListKey key, bool shift);

// The list's place: as wide as the window and `height` tall, right below
// it; above it when the work area has no room below; where neither has
// room, on the side with more, as tall as fits. Never over the window, so
// never over its expression line.
Rect ListPlace(const Rect& window, const Rect& work, int height);

} // namespace quill::ui
