// The expressions of the history, stepped through with Up and Down in the
// expression line, each once (its newest place).
//
// Portable; never throws but for std::bad_alloc of its strings.
#pragma once

#include <cstddef>
#include <deque>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quill::ui {

class Recall {
  public:
    static constexpr std::size_t kCapacity = 100;

    // An evaluated expression becomes the newest entry; an equal older one
    // goes, and beyond the capacity the oldest does. Ends any stepping.
    void Add(std::string_view expression);

    // The entries anew, from the history's expressions (oldest first; each
    // kept at its newest place, however many). Ends any stepping.
    void Reset(const std::vector<std::string>& expressions);

    // Up with `line` in the expression line: the text to show, or none when
    // there is nothing older. The first Up (or one after the line was edited)
    // keeps `line` and shows the newest entry that differs from it.
    std::optional<std::string> Up(std::string_view line);

    // Down: the next newer entry; past the newest, the text the line held
    // before the first Up. None when not stepping (or the line was edited).
    std::optional<std::string> Down(std::string_view line);

    std::size_t size() const { return entries_.size(); }

  private:
    bool Stepping(std::string_view line) const;

    std::deque<std::string> entries_;  // oldest first
    std::optional<std::size_t> shown_; // index of the entry the line shows
    std::string saved_;                // the line before the first Up
};

} // namespace quill::ui
