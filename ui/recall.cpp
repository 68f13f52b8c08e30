#include "ui/recall.h"

#include <algorithm>
#include <unordered_set>

namespace quill::ui {

void Recall::Add(std::string_view expression) {
    shown_.reset();
    const auto same = std::find(entries_.begin(), entries_.end(), expression);
    if (same != entries_.end()) entries_.erase(same);
    entries_.emplace_back(expression);
    if (entries_.size() > kCapacity) entries_.pop_front();
}

void Recall::Reset(const std::vector<std::string>& expressions) {
    shown_.reset();
    entries_.clear();
    std::unordered_set<std::string_view> seen;
    for (auto it = expressions.rbegin(); it != expressions.rend(); ++it) {
        if (seen.insert(*it).second) entries_.push_front(*it);
    }
}

bool Recall::Stepping(std::string_view line) const {
    return shown_ && entries_[*shown_] == line;
}

std::optional<std::string> Recall::Up(std::string_view line) {
    std::size_t from = entries_.size(); // search below this index
    if (Stepping(line)) {
        from = *shown_;
    } else {
        shown_.reset();
        saved_ = line;
    }
    while (from > 0) {
        --from;
        // Entries are unique, so only the saved line can equal one of them.
        if (shown_ || entries_[from] != line) {
            shown_ = from;
            return entries_[from];
        }
    }
    return std::nullopt;
}

std::optional<std::string> Recall::Down(std::string_view line) {
    if (!Stepping(line)) {
        shown_.reset();
        return std::nullopt;
    }
    std::size_t next = *shown_ + 1;
    // The newest entry may be the saved line itself, skipped on the way up.
    if (next + 1 == entries_.size() && entries_[next] == saved_) ++next;
    if (next >= entries_.size()) {
        shown_.reset();
        return saved_;
    }
    shown_ = next;
    return entries_[next];
}

} // namespace quill::ui
