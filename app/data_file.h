// The bytes of "dataclc.dat": the settings record, headerless, little-endian,
// its fields one after another in the order of one table (data_file.cpp),
// which the writer and the reader both walk; RecordLayout() reports it.
//
// A counted string is a length prefix and the characters without a zero:
// one byte for 0-254, FF + 16 bits for 255-65533, FF FFFF + 32 bits beyond.
// The reader also takes the FF FE marker of two-byte (UTF-16) text and the
// 64-bit form. Nothing here does I/O or throws.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "app/settings.h"

namespace quill {

// The file's name; it lives in the program's folder.
inline constexpr std::string_view kDataFileName = "dataclc.dat";

// How a field is stored: a flag byte (0 or 1), a byte, a 32-bit integer, or
// a counted string.
enum class FieldKind { Flag, Byte, Int32, Counted };

struct FieldInfo {
    std::string_view name; // the record's member, "lfFont.lfHeight" for one of the font
    FieldKind kind;
};

// The fields in file order.
std::span<const FieldInfo> RecordLayout();

// The largest data file a reader takes, whatever its counted strings hold;
// the program writes a few dozen bytes. A larger file is not read at all, and
// no save replaces it.
inline constexpr std::size_t kMaxDataFileBytes = 16u << 20;

// Turns two-byte text into single-byte text. On Windows the ANSI code page
// does it; Utf16ToLatin1 is the portable stand-in.
using WideToAnsi = std::string (*)(std::u16string_view);

// U+0000 to U+00FF become that byte, everything else '?'.
std::string Utf16ToLatin1(std::u16string_view text);

// The file's bytes for the record.
std::vector<std::uint8_t> SettingsToBytes(const CalcSettings& settings);

// Reads the fields in file order, each into `settings` as soon as it is read;
// the face name is copied into lfFont (31 characters at most, then zeros)
// only once the whole record was read. Bytes after the last field are
// ignored. Returns false when the bytes end too early or a length cannot be
// met; no length is trusted beyond the bytes that are there, so nothing is
// allocated beyond the input's size.
bool SettingsFromBytes(std::span<const std::uint8_t> bytes, CalcSettings& settings,
                       WideToAnsi convert = Utf16ToLatin1);

} // namespace quill
