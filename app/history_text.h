// The history file's text and the edits made to its entries.
//
// The file is UTF-8 text a person can read: a first line that marks it as
// Quillpad's, then one answered line a line, oldest first, its fields
// separated by tabs: the expression, the whole answer (as the engine writes
// it: a point, no group separators) and the answer's value (calc/number/value_text.h,
// so that "ans" comes back whole). A backslash, a tab, a line end and other
// control characters in a field are escaped (\\ \t \n \r \xHH).
//
// A file whose first line is not ours is another program's: it is never
// read as a history nor written. A line of ours that cannot be read (bad
// escapes or UTF-8, a field missing) is passed over.
//
// Portable; no I/O; never throws but std::bad_alloc.
#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "calc/number/decimal.h"

namespace quill {

// One answered line.
struct HistoryEntry {
    std::string expression; // as typed
    std::string answer;     // the whole answer, as the engine writes it
    std::string value;      // the answer's value (ValueText); empty when unknown

    bool operator==(const HistoryEntry&) const = default;
};

// The file beside the data file, and how much of it is ever read.
inline constexpr std::string_view kHistoryFileName = "history.txt";
inline constexpr std::size_t kMaxHistoryFileBytes = 16u << 20;
// A longer entry is kept for the run only, not in the file.
inline constexpr std::size_t kMostEntryBytes = 8192;

// The first line of the file: what marks it as ours, and what it says of the rest.
inline constexpr std::string_view kHistoryMark = "# Quillpad history";
inline constexpr std::string_view kHistoryHeaderRest =
    ": expression, answer and value, tab-separated, oldest first";

// One entry's line, without its line end.
std::string EntryLine(const HistoryEntry& entry);

// The whole file for `entries` (oldest first): the first line, then each
// entry not longer than kMostEntryBytes, each line ended with LF.
std::string HistoryFileText(std::span<const HistoryEntry> entries);

struct ParsedHistory {
    bool ours = false;                 // the first line is ours
    std::vector<HistoryEntry> entries; // oldest first
    std::size_t damaged = 0;           // lines of ours passed over
};

// The entries of a file's text (LF or CR LF line ends, a UTF-8 byte-order
// mark taken); none, and not ours, when the first line is not ours.
ParsedHistory ParseHistoryFile(std::string_view text);

// A change to the history, applied to the file's entries as they are when it
// is written, so that what other windows added meanwhile stays.
struct HistoryEdit {
    enum class Kind { Add, Remove, Clear };
    Kind kind = Kind::Add;
    HistoryEntry entry; // the entry added, or removed (its newest copy)
};

// Drops all but the newest `keep` entries.
void KeepNewest(std::vector<HistoryEntry>& entries, std::size_t keep);

// Applies the edit and keeps the newest `keep` entries. An entry equal to
// the newest is not added again.
void ApplyEdit(std::vector<HistoryEntry>& entries, const HistoryEdit& edit, std::size_t keep);

// The value of the newest entry that has one that can be read: the "ans"
// of a new run.
std::optional<Decimal> LastAnswer(std::span<const HistoryEntry> entries);

} // namespace quill
