// The history file's text: entries written and read back, escapes, damaged
// lines, a file that is not ours, and the edits.
#include "app/history_text.h"

#include <gtest/gtest.h>

#include "calc/number/value_text.h"

namespace quill {
namespace {

using Entries = std::vector<HistoryEntry>;

TEST(HistoryText, EntriesWrittenAndReadBack) {
    const Entries entries = {
        {"2+2", "4", "4"},
        {"1/3", "0.333333333333", "3333e-4~5e-5@0"},
        {"a\tb\\c\nd\re\x01\x7f", "x", ""}, // every escape
        {"\xc3\xa9+1", "Unknown", "nan"},   // UTF-8 as it is
        {"10^7", "10000000", "1e7"},
        {"# not a note", "1", ""}, // a first '#' escaped
    };
    const std::string text = HistoryFileText(entries);
    EXPECT_EQ(text.substr(0, text.find('\n')),
              std::string(kHistoryMark) + std::string(kHistoryHeaderRest));
    EXPECT_NE(text.find("a\\tb\\\\c\\nd\\re\\x01\\x7f\tx\n"), std::string::npos);
    const ParsedHistory back = ParseHistoryFile(text);
    EXPECT_TRUE(back.ours);
    EXPECT_EQ(back.entries, entries);
    EXPECT_EQ(back.damaged, 0u);
    // CR LF line ends and a byte-order mark, as an editor may leave them.
    std::string edited = "\xEF\xBB\xBF";
    for (const char c : text)
        edited += c == '\n' ? std::string("\r\n") : std::string(1, c);
    EXPECT_EQ(ParseHistoryFile(edited).entries, entries);
}

TEST(HistoryText, DamagedLinesArePassedOverAndForeignFilesAreNotOurs) {
    const std::string header = std::string(kHistoryMark) + ": anything\n";
    const struct {
        std::string text;
        bool ours;
        std::size_t entries, damaged;
    } rows[] = {
        {"", false, 0, 0},
        {"just some notes\n2+2\t4\n", false, 0, 0},
        {std::string(10000, '\xff'), false, 0, 0},
        {header, true, 0, 0},
        {header + "2+2\t4\n# a note\n\n3\t3", true, 2, 0},
        {header + "only one field\n", true, 0, 1},
        {header + "\t4\n", true, 0, 1},        // no expression
        {header + "1\t2\t3\t4\n", true, 0, 1}, // four fields
        {header + "a\\q\t1\n", true, 0, 1},    // an escape never written
        {header + "a\\x4\t1\n", true, 0, 1},
        {header + "a\xff\t1\n2\t2\n", true, 1, 1},  // not UTF-8
        {header + "\xed\xa0\x80\t1\n", true, 0, 1}, // a surrogate
        {header + "\xc0\xaf\t1\n", true, 0, 1},     // overlong
        {header + "a\xe2\x82\t1\n", true, 0, 1},    // cut short
        {header + "a\\xab\t1\n", true, 0, 1},       // not UTF-8 once unescaped
    };
    for (const auto& row : rows) {
        const ParsedHistory parsed = ParseHistoryFile(row.text);
        EXPECT_EQ(parsed.ours, row.ours) << row.text;
        EXPECT_EQ(parsed.entries.size(), row.entries) << row.text;
        EXPECT_EQ(parsed.damaged, row.damaged) << row.text;
    }
}

TEST(HistoryText, EditsAndTheCap) {
    const HistoryEntry a{"1", "1", "1"}, b{"2", "2", "2"}, c{"3", "3", "3"};
    using Kind = HistoryEdit::Kind;
    const struct {
        Entries before;
        HistoryEdit edit;
        std::size_t keep;
        Entries after;
    } rows[] = {
        {{a, b}, {Kind::Add, c}, 5, {a, b, c}},
        {{a, b}, {Kind::Add, b}, 5, {a, b}}, // the same line again is one entry
        {{b, a}, {Kind::Add, b}, 5, {b, a, b}},
        {{a, b, c}, {Kind::Add, a}, 2, {c, a}},
        {{a, b, a, c}, {Kind::Remove, a}, 5, {a, b, c}}, // its newest copy
        {{a, b}, {Kind::Remove, c}, 5, {a, b}},
        {{a, b, c}, {Kind::Clear, {}}, 5, {}},
    };
    for (const auto& row : rows) {
        Entries entries = row.before;
        ApplyEdit(entries, row.edit, row.keep);
        EXPECT_EQ(entries, row.after);
    }
    // An entry too long for the file is left out of it, not cut.
    const Entries longOne = {a, {std::string(kMostEntryBytes, '1'), "1", ""}, b};
    EXPECT_EQ(ParseHistoryFile(HistoryFileText(longOne)).entries, (Entries{a, b}));
}

TEST(HistoryText, TheLastAnswerIsTheNewestValueThatReads) {
    EXPECT_EQ(LastAnswer({}), std::nullopt);
    const std::optional<Decimal> last = LastAnswer(
        Entries{{"1", "1", "1"}, {"2", "2", "2"}, {"x", "y", "not a value"}, {"z", "z", ""}});
    ASSERT_TRUE(last);
    EXPECT_EQ(ValueText(*last), "2");
}

} // namespace
} // namespace quill
