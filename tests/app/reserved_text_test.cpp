// The reserved text's "name=value" lines: ours changed in place, the rest
// kept byte for byte, through the data file's bytes and back.
#include "app/reserved_text.h"

#include <gtest/gtest.h>

#include "app/data_file.h"

namespace quill {
namespace {

// The record through the file's bytes and back.
CalcSettings ThroughFile(const CalcSettings& settings) {
    CalcSettings back;
    EXPECT_TRUE(SettingsFromBytes(SettingsToBytes(settings), back));
    return back;
}

TEST(ReservedText, WidthLinesWrittenAndReadBack) {
    const struct {
        const char* before;
        int width;
        const char* after;
    } rows[] = {
        {"", 612, "width=612\r\n"},
        {"note from a newer copy", 700, "note from a newer copy\r\nwidth=700\r\n"},
        {"a=1\nwidth=612\nb=2\n", 640, "a=1\nwidth=640\nb=2\n"},          // in place, LF kept
        {"width=612\r\nz", 1000, "width=1000\r\nz"},                      // CR LF kept
        {"x\r\nwidth=abc\r\n", 500, "x\r\nwidth=500\r\n"},                // a damaged line mended
        {"mywidth=3\r\nwidth=9", 450, "mywidth=3\r\nwidth=450"},          // only the whole name
        {"\xff\x01width=1\r\n", 451, "\xff\x01width=1\r\nwidth=451\r\n"}, // not a line of ours
    };
    for (const auto& row : rows) {
        CalcSettings s;
        s.strReserved = row.before;
        StoreWidth(s, row.width);
        EXPECT_EQ(s.strReserved, row.after) << row.before;
        EXPECT_EQ(StoredWidth(ThroughFile(s)), row.width) << row.before;
    }
}

TEST(ReservedText, DamagedOrMissingWidthsArePassedOver) {
    const char* const texts[] = {
        "",          "width",         "width=",         "width=-5",    "width=0",
        "width=+12", "width= 612",    "width=612px",    "width=1e3",   "width=100001",
        "Width=612", "width=\t612\n", "notes\nwidth=x", "width=612\r",
    };
    for (const char* text : texts) {
        CalcSettings s;
        s.strReserved = text;
        EXPECT_EQ(StoredWidth(s), std::nullopt) << text;
    }
    CalcSettings s;
    s.strReserved = "first\r\nwidth=612\r\nwidth=900\r\n"; // the first line counts
    EXPECT_EQ(StoredWidth(s), 612);
}

TEST(ReservedText, AnUnchangedWidthLeavesEveryByte) {
    CalcSettings s;
    s.strReserved = std::string("foreign\0text\r\nwidth=612\nend", 27);
    const auto bytes = SettingsToBytes(s);
    CalcSettings loaded = ThroughFile(s);
    StoreWidth(loaded, *StoredWidth(loaded));
    EXPECT_EQ(SettingsToBytes(loaded), bytes);
}

} // namespace
} // namespace quill
