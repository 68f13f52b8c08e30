#include "ui/history_view.h"

#include <algorithm>

namespace quill::ui {

namespace {

char Lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool Holds(std::string_view text, std::string_view filter) {
    return std::search(text.begin(), text.end(), filter.begin(), filter.end(),
                       [](char a, char b) { return Lower(a) == Lower(b); }) != text.end();
}

} // namespace

std::vector<std::size_t> ListRows(std::span<const HistoryEntry> entries, std::string_view filter) {
    std::vector<std::size_t> rows;
    for (std::size_t i = entries.size(); i-- > 0;) {
        if (Holds(entries[i].expression, filter) || Holds(entries[i].answer, filter)) {
            rows.push_back(i);
        }
    }
    return rows;
}

ListAction ListKeyAction(ListKey key, bool shift) {
    switch (key) {
    case ListKey::Enter:
        return shift ? ListAction::InsertAnswer : ListAction::Compute;
    case ListKey::Delete:
        return ListAction::Remove;
    case ListKey::Escape:
    case ListKey::CtrlH:
        return ListAction::Close;
    case ListKey::Backspace:
        return ListAction::EraseFilter;
    case ListKey::Other:
        break;
    }
    return ListAction::None;
}

Rect ListPlace(const Rect& window, const Rect& work, int height) {
    const int below = work.bottom - window.bottom;
    const int above = window.top - work.top;
    Rect place{window.left, window.bottom, window.right, window.bottom + height};
    if (below >= height || below >= above) {
        place.bottom = window.bottom + std::min(height, std::max(below, 0));
        return place;
    }
    place.top = window.top - std::min(height, above);
    place.bottom = window.top;
    return place;
}

} // namespace quill::ui
