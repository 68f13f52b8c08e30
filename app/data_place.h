// Where the settings are read from and whether a close may write them: the
// data file beside the program, or its copy in the user's application-data
// folder where the program's folder cannot be written.
//
// Portable; never throws.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "app/data_file.h"

namespace quill {

// How reading the data file at start went.
enum class LoadOutcome {
    Loaded,  // the record was read
    Missing, // no file (or a folder in its place): defaults, saved on close
    Damaged, // read, but no whole record: defaults, replaced on close
    Held,    // there, but another program kept it unreadable: defaults, and
             // the file is left alone on close, so the user's settings stay
    Kept,    // there, but not read whole (larger than kMaxDataFileBytes, or a
             // read failed): defaults, and the file is left alone on close
};

bool SavesOnClose(LoadOutcome outcome);

enum class DataPlace { Beside, Roaming };

// Whether `name` (a file name without its folder) is one this program gives
// a save's temporary file of the file `base`: "<base>.<pid>-<n>.tmp" with
// pid and n in lower-case hexadecimal (one to eight digits each), or the
// older fixed "dataclc.dat.tmp". Only these are ever swept away.
bool IsSaveTempName(std::string_view name, std::string_view base = kDataFileName);

// What a save appends to the data file's path for its temporary file:
// ".<pid>-<n>.tmp", both in lower-case hexadecimal, unique to the process
// (`pid`) and the save (`serial`); IsSaveTempName knows every such name.
std::string SaveTempSuffix(std::uint32_t pid, std::uint32_t serial);

// The file a start reads: the newer of the two that exist (a tie goes to the
// one beside the program); none when neither exists. Times are the files'
// last-write times in any one unit.
std::optional<DataPlace> PlaceToRead(std::optional<std::uint64_t> beside,
                                     std::optional<std::uint64_t> roaming);

} // namespace quill
