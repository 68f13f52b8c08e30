// The history file's text, and (on POSIX systems) the file itself: never a
// link followed, a FIFO waited on, another session's lines lost, or the old
// file cut by a write that failed.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "cli/history_text.h"

#ifndef _WIN32
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "cli/history_file.h"
#endif

namespace quill::cli {
namespace {

using Entries = std::vector<std::string>;

TEST(HistoryText, WrittenAndReadBack) {
    const Entries rows[] = {
        {},
        {"1+2", "sin(30)"},
        {"", " ", "a b\tc", "back\\slash", "line\nbreak", "\r"},
        {"\x01\x1f\x7f\x80\xa0\xff", "\xc3\xa9t\xc3\xa9", "\\040 is not a space"},
        {"_HiStOrY_V2_", "#", "\"'"},
    };
    for (const Entries& entries : rows) {
        const std::string text = FormatHistory(entries);
        EXPECT_EQ(text.rfind("_HiStOrY_V2_\n", 0), 0U);
        EXPECT_EQ(ParseHistory(text), entries) << text;
    }
    // Random bytes come back as they went.
    std::mt19937 random(8);
    for (int i = 0; i < 500; ++i) {
        Entries entries(random() % 4);
        for (std::string& e : entries) {
            e.resize(random() % 12);
            for (char& c : e)
                c = static_cast<char>(random());
        }
        EXPECT_EQ(ParseHistory(FormatHistory(entries)), entries);
    }
}

// What libedit writes (its escapes differ from ours) and its older form.
TEST(HistoryText, ReadsWhatLibeditWrites) {
    const struct {
        std::string text;
        Entries entries;
    } rows[] = {
        {"_HiStOrY_V2_\n1\\040+\\0402\\0113\\134x\\040\\M-C\\M-)\\040\\^A\\040#\"'\nsin(30)\n",
         {"1 + 2\t3\\x \xc3\xa9 \x01 #\"'", "sin(30)"}},
        {"_HiStOrY_V2_\na\\240\\M^@\\M^?\\^?\\012\\^M\\040b\\134\\134\n",
         {"a\xa0\x80\xff\x7f\n\r b\\\\"}},
        {"1+2\nsin 30\n", {"1+2", "sin 30"}}, // no first line: taken as it stands
        {"_HiStOrY_V2_\nlast without a break", {"last without a break"}},
        {"_HiStOrY_V2_\ncut\\", {"cut\\"}},
    };
    for (const auto& row : rows)
        EXPECT_EQ(ParseHistory(row.text), row.entries) << row.text;
}

TEST(HistoryText, NewestKept) {
    EXPECT_EQ(WithEntry({"1", "2"}, "3", 3), (Entries{"1", "2", "3"}));
    EXPECT_EQ(WithEntry({"1", "2", "3"}, "4", 3), (Entries{"2", "3", "4"}));
    EXPECT_EQ(WithEntry({"1", "2"}, "2", 3), (Entries{"1", "2"})); // the same line twice is once
    EXPECT_EQ(WithEntry({"1", "2", "3", "4", "5"}, "6", 2), (Entries{"5", "6"}));
    EXPECT_EQ(WithEntry({}, "x", 1), (Entries{"x"}));
}

#ifndef _WIN32
namespace fs = std::filesystem;

std::string Contents(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

fs::path FreshFolder(const char* name) {
    fs::path folder = fs::temp_directory_path() / name;
    fs::remove_all(folder);
    return folder;
}

TEST(HistoryFile, OnlyARegularFileIsReadOrWritten) {
    const fs::path folder = FreshFolder("quill-history-test");
    const fs::path file = folder / "quillpad" / "history";
    // None yet: the folders are made, and the line kept.
    EXPECT_EQ(ReadHistoryFile(file), Entries{});
    ASSERT_TRUE(AddToHistoryFile(file, "1+1", 1000));
    EXPECT_EQ(ReadHistoryFile(file), Entries{"1+1"});
    EXPECT_EQ(fs::status(file).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write);

    // A link: neither followed nor replaced.
    const fs::path target = folder / "target";
    std::ofstream(target) << "precious\n";
    fs::remove(file);
    fs::create_symlink(target, file);
    EXPECT_EQ(ReadHistoryFile(file), std::nullopt);
    EXPECT_FALSE(AddToHistoryFile(file, "2+2", 1000));
    EXPECT_EQ(Contents(target), "precious\n");
    EXPECT_TRUE(fs::is_symlink(file));

    // A FIFO with no writer: refused at once, not waited on.
    fs::remove(file);
    ASSERT_EQ(::mkfifo(file.c_str(), 0600), 0);
    EXPECT_EQ(ReadHistoryFile(file), std::nullopt);
    EXPECT_FALSE(AddToHistoryFile(file, "3+3", 1000));
    EXPECT_TRUE(fs::is_fifo(file));

    // A folder in its place.
    fs::remove(file);
    fs::create_directory(file);
    EXPECT_FALSE(AddToHistoryFile(file, "4+4", 1000));
    EXPECT_EQ(fs::directory_iterator(folder / "quillpad")->path(), file); // no file left beside
    fs::remove_all(folder);
}

// Two sessions adding in turn: each one's lines stay, and only the newest
// are kept.
TEST(HistoryFile, AnotherSessionsLinesStay) {
    const fs::path folder = FreshFolder("quill-history-two");
    const fs::path file = folder / "history";
    ASSERT_TRUE(AddToHistoryFile(file, "1000+1", 1000));
    ASSERT_TRUE(AddToHistoryFile(file, "2000+1", 1000)); // the other terminal
    ASSERT_TRUE(AddToHistoryFile(file, "1000+2", 1000));
    EXPECT_EQ(ReadHistoryFile(file), (Entries{"1000+1", "2000+1", "1000+2"}));
    for (int i = 0; i < 5; ++i)
        ASSERT_TRUE(AddToHistoryFile(file, std::to_string(i), 3));
    EXPECT_EQ(ReadHistoryFile(file), (Entries{"2", "3", "4"}));
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 1);
    fs::remove_all(folder);
}
#endif

} // namespace
} // namespace quill::cli
