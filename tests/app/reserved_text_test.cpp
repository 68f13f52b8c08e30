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
        "Width=612", "width=\t612\n", "notes\nwidth=x", "width=612\v",
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

// A line ends at LF, CR LF or a lone CR; writing one of our lines changes
// that line's value alone, and every other byte stays where it was.
TEST(ReservedText, EveryLineEndKeepsTheForeignBytes) {
    const struct {
        const char* before;
        std::string_view name;
        const char* value;
        const char* after;
    } rows[] = {
        {"a=1\nwidth=612\nb=2\n", kWidthName, "640", "a=1\nwidth=640\nb=2\n"},
        {"a=1\r\nwidth=612\r\nb=2\r\n", kWidthName, "640", "a=1\r\nwidth=640\r\nb=2\r\n"},
        {"width=700\rtheme=dark\rkeep=me\r", kWidthName, "640", "width=640\rtheme=dark\rkeep=me\r"},
        {"x=1\r\nwidth=5\ry=2\n", kWidthName, "9", "x=1\r\nwidth=9\ry=2\n"},
        {"keep=me\rwidth=3", kWidthName, "4", "keep=me\rwidth=4"},
        {"theme=dark\rkeep=me\r", kDecimalName, "comma", "theme=dark\rkeep=me\rdecimal=comma\r"},
        {"theme=dark\rkeep=me", kGroupingName, "off", "theme=dark\rkeep=me\rgrouping=off\r"},
        {"a\nb\r\n", kHistoryName, "0", "a\nb\r\nhistory=0\n"},
        {"note", kDecimalName, "point", "note\r\ndecimal=point\r\n"},
        {"\r\r", kHistoryName, "7", "\r\rhistory=7\r"},
    };
    for (const auto& row : rows) {
        const std::string after = WithReservedValue(row.before, row.name, row.value);
        EXPECT_EQ(after, row.after) << row.before;
        EXPECT_EQ(ReservedValue(after, row.name), row.value) << row.before;
        // Without our line, the two texts are the same bytes.
        const auto without = [&](std::string text) {
            const std::string line = std::string(row.name) + "=";
            const std::size_t at = text.find(line);
            if (at == std::string::npos) return text;
            const std::size_t end = text.find_first_of("\r\n", at);
            text.erase(at, (end == std::string::npos ? text.size() : end) - at);
            return text;
        };
        const std::string added = without(after);
        const std::string before = without(row.before);
        EXPECT_EQ(added.substr(0, before.size()), before) << row.before;
    }
}

TEST(ReservedText, NumberStyleAndHistorySettingsRead) {
    const struct {
        const char* text;
        int history;
        bool grouped;
        DecimalMark mark;
    } rows[] = {
        {"", kDefaultHistory, true, DecimalMark::Auto},
        {"history=0\rgrouping=off\rdecimal=comma\r", 0, false, DecimalMark::Comma},
        {"history=25\r\ndecimal=point", 25, true, DecimalMark::Point},
        {"history=99999\ndecimal=auto\n", kMostHistory, true, DecimalMark::Auto},
        {"history=12345678", kMostHistory, true, DecimalMark::Auto},
        {"history=-3\ngrouping=no\ndecimal=Comma", kDefaultHistory, true, DecimalMark::Auto},
        {"history=\ngrouping=\ndecimal=", kDefaultHistory, true, DecimalMark::Auto},
    };
    for (const auto& row : rows) {
        CalcSettings s;
        s.strReserved = row.text;
        EXPECT_EQ(HistoryLength(s), row.history) << row.text;
        EXPECT_EQ(GroupsDigits(s), row.grouped) << row.text;
        EXPECT_EQ(DecimalMarkOf(s), row.mark) << row.text;
    }
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
