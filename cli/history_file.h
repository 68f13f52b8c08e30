// The history file on a POSIX system: read and written so that nothing but a
// regular file is ever opened (a link is not followed, a FIFO not waited on)
// and no write cuts it. Lines are added by reading the file again, adding
// them, and renaming a new file over it, under a lock on a file beside it,
// so the lines other sessions add meanwhile stay. The file keeps its mode;
// one that is not ours to write (read-only, or another user's) is read but
// never written. Never throws but std::bad_alloc.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace quill::cli {

// An entry longer than this is not stored: the file stays small enough to
// be saved without a wait.
inline constexpr std::size_t kMostEntryBytes = 4096;

struct HistoryRead {
    std::vector<std::string> entries; // oldest first, none too long
    bool writable = true;             // the file is ours to write (or there is none)
};

// The file's entries; none when there is no file. Nothing (std::nullopt)
// when something else than a regular file has the name, or it cannot be
// read: then it is not written either.
std::optional<HistoryRead> ReadHistoryFile(const std::string& path);

// How adding lines went.
enum class Saved {
    Done,    // the file holds the lines
    Busy,    // another session held the lock too long: try again later
    Refused, // not ours to write, or no regular file: never try again
    Failed,  // the write failed (a full disk, a size limit); the file is as it was
};

// Adds `lines` to the file at `path` (its folders made, 0700), keeping the
// newest `keep` entries: the file as it is now and the lines, written to a
// new file in the same folder (with the old file's mode) and renamed over
// it. Temporary files of interrupted saves, older than a minute, go first.
Saved AddToHistoryFile(const std::string& path, const std::vector<std::string>& lines,
                       std::size_t keep);

} // namespace quill::cli
