// The history file's text, as libedit writes and reads it: a first line
// "_HiStOrY_V2_", then one line per entry, oldest first, each byte that is
// not printable ASCII (and the backslash) escaped. Portable; no I/O; never
// throws but std::bad_alloc.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace quill::cli {

// The entries of a history file's text, oldest first. Reads the escapes
// libedit writes (\ooo, \^c, \M-c, \M^c, \\) and, for a file without the
// first line (libedit's older form), takes each line as it stands.
std::vector<std::string> ParseHistory(std::string_view text);

// The text for `entries`: the first line, then each entry with every byte
// outside '!' to '~', and the backslash, as \ooo (which libedit reads back).
std::string FormatHistory(const std::vector<std::string>& entries);

// `entries` with `line` added at the end (unless the last entry is the same
// line) and only the newest `keep` kept.
std::vector<std::string> WithEntry(std::vector<std::string> entries, const std::string& line,
                                   std::size_t keep);

} // namespace quill::cli
