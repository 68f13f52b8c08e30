// The history file on a POSIX system: read and written so that nothing but a
// regular file is ever opened (a link is not followed, a FIFO not waited on)
// and no write cuts it. Each line typed is added by reading the file again,
// adding the line, and renaming a new file over it, so the lines another
// session added meanwhile stay. Never throws but std::bad_alloc.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace quill::cli {

// The file's entries, oldest first; none when there is no file. Nothing
// (std::nullopt) when something else than a regular file has the name, or it
// cannot be read: then it is not written either.
std::optional<std::vector<std::string>> ReadHistoryFile(const std::string& path);

// Adds `line` to the file at `path` (its folders made, 0700), keeping the
// newest `keep` entries: the file as it is now, the line, written to a new
// file in the same folder and renamed over it. False when the file was not
// replaced; then it is as it was.
bool AddToHistoryFile(const std::string& path, const std::string& line, std::size_t keep);

} // namespace quill::cli
