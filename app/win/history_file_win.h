// The history file on disk, beside the data file (history_text.h has its
// text): read at start, and changed by edits applied to it as it is when
// they are written, under a lock that every Quillpad window of the user
// shares, so two windows keep both windows' lines.
//
// It is only ever written whole: a new copy in the same folder renamed over
// it, so a link in its place is replaced, never followed, and a save cut
// short leaves the old file. A file it cannot keep (a folder, a link the
// system reports, another program's text, one larger than
// kMaxHistoryFileBytes, a read-only one) is never written and never removed.
// Nothing here throws but std::bad_alloc.
#pragma once

#include <windows.h>

#include <span>
#include <string>
#include <vector>

#include "app/history_text.h"

namespace quill {

enum class HistoryOutcome {
    Done,    // read, or written
    Busy,    // another program holds the file, or another window the lock: try again later
    NotKept, // not a file of ours to write; nothing was changed
};

struct HistoryRead {
    HistoryOutcome outcome = HistoryOutcome::Done;
    std::vector<HistoryEntry> entries; // oldest first; a read-only file's too
};

class HistoryFile {
  public:
    // `path`: the file; empty when there is nowhere to keep it.
    explicit HistoryFile(std::wstring path);
    HistoryFile(const HistoryFile&) = delete;
    HistoryFile& operator=(const HistoryFile&) = delete;
    ~HistoryFile();

    const std::wstring& Path() const { return path_; }

    // The entries at start (none when there is no file), tried for `waitMs`
    // while another program holds the file.
    HistoryRead Read(DWORD waitMs) const;

    // The edits applied to the file as it is now and the newest `keep`
    // entries written; Done with the file's entries in `entries` afterwards.
    // Waits at most `waitMs` for the lock.
    HistoryOutcome Apply(std::span<const HistoryEdit> edits, std::size_t keep,
                         std::vector<HistoryEntry>& entries, DWORD waitMs);

    // Removes the file when it is a history of ours (history=0).
    void Remove();

  private:
    std::wstring path_;
    HANDLE lock_ = nullptr;
};

// Where the history lives: beside the program when its folder can be
// written, else in the user's application-data folder (%APPDATA%\Quillpad,
// made when missing), as the data file does; empty when neither is known.
std::wstring HistoryFilePath();

} // namespace quill
