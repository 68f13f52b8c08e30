// libFuzzer target over the data file's reader: no crash, no allocation
// beyond the input's size (run with -malloc_limit_mb), and a record that was
// read writes back to bytes that read as the same record.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "app/data_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    quill::CalcSettings read;
    if (!quill::SettingsFromBytes({data, size}, read)) return 0;
    const std::vector<std::uint8_t> written = quill::SettingsToBytes(read);
    quill::CalcSettings again;
    if (!quill::SettingsFromBytes(written, again) || !(again == read)) std::abort();
    if (quill::SettingsToBytes(again) != written) std::abort();
    return 0;
}
