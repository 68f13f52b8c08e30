// libFuzzer target over the data file's reader and the history file's: no
// crash, no allocation beyond the input's size (run with -malloc_limit_mb),
// a record that was read writes back to bytes that read as the same record,
// and a history that was read writes back to text that reads as the same
// entries.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "app/data_file.h"
#include "app/history_text.h"

namespace {

void CheckHistory(const std::uint8_t* data, std::size_t size) {
    const quill::ParsedHistory read =
        quill::ParseHistoryFile({reinterpret_cast<const char*>(data), size});
    if (!read.ours) return;
    quill::LastAnswer(read.entries);
    std::vector<quill::HistoryEntry> kept;
    for (const quill::HistoryEntry& entry : read.entries) {
        if (quill::EntryLine(entry).size() <= quill::kMostEntryBytes) kept.push_back(entry);
    }
    const quill::ParsedHistory again = quill::ParseHistoryFile(quill::HistoryFileText(kept));
    if (!again.ours || again.damaged != 0 || again.entries != kept) std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    CheckHistory(data, size);
    quill::CalcSettings read;
    if (!quill::SettingsFromBytes({data, size}, read)) return 0;
    const std::vector<std::uint8_t> written = quill::SettingsToBytes(read);
    quill::CalcSettings again;
    if (!quill::SettingsFromBytes(written, again) || !(again == read)) std::abort();
    if (quill::SettingsToBytes(again) != written) std::abort();
    return 0;
}
