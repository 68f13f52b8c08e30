// The history file on a POSIX system: read and written so that nothing but a
// regular file is ever opened (a link is not followed, a FIFO not waited on)
// and no write cuts it. Lines are added by reading the file again, adding
// them, and renaming a new file over it, under a lock on a file beside it
// (history.lock; the folder itself where that is no plain file of the
// user's), so the lines other sessions add meanwhile stay. The file keeps its
// mode and group; one that is not ours to write (read-only, or another
// user's) is read but never written. Lines a session could not add before it
// ended wait in a file of their own beside it, which the next save merges.
// Folders are made only inside one of the user's own. Never throws but
// std::bad_alloc.
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
    std::vector<std::string> entries; // oldest first, none too long; then the pending lines
    bool writable = true;             // the file is ours to write (or there is none)
    bool pending = false;             // lines of ended sessions wait to be merged
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

// How long a save waits for another session's lock, unless told.
inline constexpr int kLockWaitMs = 2000;

// Adds `lines` to the file at `path` (its folders made, 0700), keeping the
// newest `keep` entries: the file as it is now, the lines ended sessions
// left pending, and the lines, written to a new file in the same folder
// (with the old file's mode and group) and renamed over it. Temporary files
// of interrupted saves, older than a minute, go first. Waits `waitMs` at
// most for the lock. `note` (when given) gets one line for the person when
// something is not as it should be: a lock that is no plain file of theirs,
// a group that could not be kept, a folder not theirs to make.
Saved AddToHistoryFile(const std::string& path, const std::vector<std::string>& lines,
                       std::size_t keep, int waitMs = kLockWaitMs, std::string* note = nullptr);

// Keeps `lines` in a new file of their own beside the history, for the next
// save to merge: for a session that ends while another holds the lock.
// False when even that could not be written.
bool KeepPendingLines(const std::string& path, const std::vector<std::string>& lines);

} // namespace quill::cli
