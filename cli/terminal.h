// What quillpad-cli does for a person at a terminal, apart from the line
// editor itself: where the history lives, and keeping escape sequences (the
// keys the editor does not know) away from the checker. Portable; no I/O.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace quill::cli {

inline constexpr std::size_t kHistoryLines = 1000;

// $XDG_STATE_HOME/quillpad/history, else $HOME/.local/state/quillpad/history;
// a relative or empty XDG_STATE_HOME counts as unset, and so does a relative
// HOME (it would name a folder below wherever the session started). Empty
// when neither is known. Arguments are the variables' values, null when
// unset.
std::string HistoryPath(const char* xdgStateHome, const char* home);

// Why there is no history file, for the one line that says so: a HOME that
// is not an absolute path. Empty when HistoryPath names a file, or when
// neither variable is set (as bc and python, nothing is said then).
std::string NoHistoryReason(const char* xdgStateHome, const char* home);

// `line` without its escape sequences: ESC [ ... final byte, ESC O x, and
// ESC with the one character after it.
std::string DropEscapes(std::string_view line);

} // namespace quill::cli
