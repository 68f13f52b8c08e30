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
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>

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
        // Written with CR LF: the header and the entries without their CR.
        {"_HiStOrY_V2_\r\n1+1\r\n2+2\r\n", {"1+1", "2+2"}},
        {"1+1\r\n2+2", {"1+1", "2+2"}},
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

bool Add(const fs::path& file, const std::string& line, std::size_t keep = 1000) {
    return AddToHistoryFile(file, {line}, keep) == Saved::Done;
}

std::optional<Entries> Read(const fs::path& file) {
    const std::optional<HistoryRead> read = ReadHistoryFile(file);
    if (!read) return std::nullopt;
    return read->entries;
}

// The files beside the history but its lock.
std::vector<std::string> Beside(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) {
        if (entry.path().filename() != "history.lock") names.push_back(entry.path().filename());
    }
    return names;
}

TEST(HistoryFile, OnlyARegularFileIsReadOrWritten) {
    const fs::path folder = FreshFolder("quill-history-test");
    const fs::path file = folder / "quillpad" / "history";
    // None yet: the folders are made, and the line kept.
    EXPECT_EQ(Read(file), Entries{});
    ASSERT_TRUE(Add(file, "1+1"));
    EXPECT_EQ(Read(file), Entries{"1+1"});
    EXPECT_EQ(fs::status(file).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write);

    // A link: neither followed nor replaced.
    const fs::path target = folder / "target";
    std::ofstream(target) << "precious\n";
    fs::remove(file);
    fs::create_symlink(target, file);
    EXPECT_EQ(Read(file), std::nullopt);
    EXPECT_EQ(AddToHistoryFile(file, {"2+2"}, 1000), Saved::Refused);
    EXPECT_EQ(Contents(target), "precious\n");
    EXPECT_TRUE(fs::is_symlink(file));

    // A FIFO with no writer: refused at once, not waited on.
    fs::remove(file);
    ASSERT_EQ(::mkfifo(file.c_str(), 0600), 0);
    EXPECT_EQ(Read(file), std::nullopt);
    EXPECT_FALSE(Add(file, "3+3"));
    EXPECT_TRUE(fs::is_fifo(file));

    // A folder in its place.
    fs::remove(file);
    fs::create_directory(file);
    EXPECT_FALSE(Add(file, "4+4"));
    EXPECT_EQ(Beside(folder / "quillpad"), std::vector<std::string>{"history"}); // nothing left
    fs::remove_all(folder);
}

// Two sessions adding in turn: each one's lines stay, and only the newest
// are kept; an entry too long to keep is left out.
TEST(HistoryFile, AnotherSessionsLinesStay) {
    const fs::path folder = FreshFolder("quill-history-two");
    const fs::path file = folder / "history";
    ASSERT_TRUE(Add(file, "1000+1"));
    ASSERT_TRUE(Add(file, "2000+1")); // the other terminal
    ASSERT_TRUE(AddToHistoryFile(file, {"1000+2", std::string(kMostEntryBytes + 1, '1')}, 1000) ==
                Saved::Done);
    EXPECT_EQ(Read(file), (Entries{"1000+1", "2000+1", "1000+2"}));
    for (int i = 0; i < 5; ++i)
        ASSERT_TRUE(Add(file, std::to_string(i), 3));
    EXPECT_EQ(Read(file), (Entries{"2", "3", "4"}));
    EXPECT_EQ(Beside(folder), std::vector<std::string>{"history"});
    fs::remove_all(folder);
}

// A history keeps its mode; one its user made read-only, or another user's,
// is read and left as it is.
TEST(HistoryFile, ModeAndOwnerAreKept) {
    const fs::path folder = FreshFolder("quill-history-mode");
    const fs::path file = folder / "history";
    const struct {
        mode_t mode;
        bool others; // owned by another user (only root can make one)
        bool written;
    } rows[] = {{0644, false, true},
                {0600, false, true},
                {0444, false, false},
                {0400, false, false},
                {0644, true, false}};
    for (const auto& row : rows) {
        if (row.others && ::geteuid() != 0) continue;
        fs::remove_all(folder);
        ASSERT_TRUE(Add(file, "1+1"));
        ASSERT_EQ(::chmod(file.c_str(), row.mode), 0);
        if (row.others) {
            ASSERT_EQ(::chown(file.c_str(), 65534, 65534), 0);
        }
        const std::string before = Contents(file);
        const std::optional<HistoryRead> read = ReadHistoryFile(file);
        ASSERT_TRUE(read);
        EXPECT_EQ(read->writable, row.written) << std::oct << row.mode;
        EXPECT_EQ(Add(file, "2+2"), row.written) << std::oct << row.mode;
        struct stat info {};
        ASSERT_EQ(::stat(file.c_str(), &info), 0);
        EXPECT_EQ(info.st_mode & 07777, row.mode);
        EXPECT_EQ(info.st_uid, row.others ? 65534U : ::geteuid());
        if (!row.written) {
            EXPECT_EQ(Contents(file), before);
        }
    }
    fs::remove_all(folder);
}

// Runs `work` in a child process; its exit status.
template <typename Work> int InChild(Work work) {
    const pid_t child = ::fork();
    if (child == 0) ::_exit(work());
    int status = 0;
    ::waitpid(child, &status, 0);
    return status;
}

// Sessions ended mid-save leave no temporary file; those an older version
// left are removed once a minute old; past a file-size limit a save fails
// and the session goes on.
TEST(HistoryFile, NoTemporaryFileIsLeftAndASizeLimitIsAFailedSave) {
    const fs::path folder = FreshFolder("quill-history-temp");
    const fs::path file = folder / "history";
    Entries many;
    for (int i = 0; i < 1000; ++i)
        many.push_back(std::to_string(i) + std::string(200, '+') + "1");
    ASSERT_EQ(AddToHistoryFile(file, many, 1000), Saved::Done);
    for (int round = 0; round < 20; ++round) {
        const pid_t child = ::fork();
        if (child == 0) {
            for (int i = 0;; ++i)
                AddToHistoryFile(file, {std::to_string(i)}, 1000);
        }
        ::usleep(static_cast<useconds_t>(2000 + round * 1000));
        ::kill(child, SIGTERM);
        ::waitpid(child, nullptr, 0);
    }
    EXPECT_EQ(Beside(folder), std::vector<std::string>{"history"});

    std::ofstream(folder / ".history-Old123") << "part";
    std::ofstream(folder / ".history-New123") << "part";
    const auto old = fs::file_time_type::clock::now() - std::chrono::minutes(2);
    fs::last_write_time(folder / ".history-Old123", old);
    ASSERT_TRUE(Add(file, "1+1"));
    EXPECT_FALSE(fs::exists(folder / ".history-Old123"));
    EXPECT_TRUE(fs::exists(folder / ".history-New123")); // may be another session's
    fs::remove(folder / ".history-New123");

    const std::string before = Contents(file);
    const int status = InChild([&] {
        const struct rlimit limit { 4096, 4096 };
        ::setrlimit(RLIMIT_FSIZE, &limit);
        ::signal(SIGXFSZ, SIG_IGN); // as quillpad-cli does
        return AddToHistoryFile(file, {"2+2"}, 1000) == Saved::Failed ? 0 : 1;
    });
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    EXPECT_EQ(Contents(file), before);
    EXPECT_EQ(Beside(folder), std::vector<std::string>{"history"});
    fs::remove_all(folder);
}

// A history.lock that is no plain file of the user's: the folder is locked
// instead, the history kept, and the note says why; nothing the lock names
// is touched.
TEST(HistoryFile, AnUnusableLockStillKeepsTheHistory) {
    const fs::path folder = FreshFolder("quill-history-lock");
    const fs::path file = folder / "history";
    const fs::path lock = folder / "history.lock";
    const fs::path own = folder.parent_path() / "quill-history-own";
    std::ofstream(own) << "mine\n";
    const struct {
        const char* what;
        void (*make)(const fs::path& lock, const fs::path& own);
    } rows[] = {
        {"a symbolic link", [](const fs::path& l, const fs::path& o) { fs::create_symlink(o, l); }},
        {"a symbolic link",
         [](const fs::path& l, const fs::path& o) { fs::create_symlink(o.string() + "-none", l); }},
        {"a FIFO", [](const fs::path& l, const fs::path&) { ::mkfifo(l.c_str(), 0600); }},
        {"a folder", [](const fs::path& l, const fs::path&) { fs::create_directory(l); }},
    };
    for (const auto& row : rows) {
        fs::remove_all(folder);
        fs::create_directories(folder);
        row.make(lock, own);
        std::string note;
        EXPECT_EQ(AddToHistoryFile(file, {"1+1"}, 1000, 0, &note), Saved::Done) << row.what;
        EXPECT_NE(note.find(std::string("is ") + row.what), std::string::npos) << note;
        EXPECT_EQ(Read(file), Entries{"1+1"});
        EXPECT_EQ(Contents(own), "mine\n");
        EXPECT_FALSE(fs::exists(own.string() + "-none"));
    }
    fs::remove(own);
    fs::remove_all(folder);
}

// Lines a session could not add (the lock held to its end) wait beside the
// file: read with it, and merged (then gone) at the next save.
TEST(HistoryFile, LinesOfASessionThatFoundItHeldWaitBesideIt) {
    const fs::path folder = FreshFolder("quill-history-pending");
    const fs::path file = folder / "history";
    ASSERT_TRUE(Add(file, "1+1"));
    int holder[2];
    ASSERT_EQ(::pipe(holder), 0);
    const pid_t child = ::fork();
    if (child == 0) {
        const int fd = ::open((file.string() + ".lock").c_str(), O_RDWR);
        ::flock(fd, LOCK_EX);
        ::write(holder[1], "x", 1);
        ::pause();
        ::_exit(0);
    }
    char ready = 0;
    ASSERT_EQ(::read(holder[0], &ready, 1), 1);
    EXPECT_EQ(AddToHistoryFile(file, {"2+2"}, 1000, 0), Saved::Busy);
    ASSERT_TRUE(KeepPendingLines(file, {"2+2", "3+3"}));
    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);
    const std::optional<HistoryRead> read = ReadHistoryFile(file);
    ASSERT_TRUE(read);
    EXPECT_TRUE(read->pending);
    EXPECT_EQ(read->entries, (Entries{"1+1", "2+2", "3+3"}));
    EXPECT_EQ(AddToHistoryFile(file, {}, 1000, 0), Saved::Done);
    EXPECT_EQ(Read(file), (Entries{"1+1", "2+2", "3+3"}));
    EXPECT_EQ(Beside(folder), std::vector<std::string>{"history"});
    ::close(holder[0]);
    ::close(holder[1]);
    fs::remove_all(folder);
}

// Folders are made only inside one of the user's own; a history of another
// group keeps it.
TEST(HistoryFile, OnlyInOnesOwnFolderAndTheGroupKept) {
    if (::geteuid() != 0) GTEST_SKIP() << "only root can make a folder or a group another's";
    const fs::path folder = FreshFolder("quill-history-owner");
    fs::create_directories(folder);
    ASSERT_EQ(::chown(folder.c_str(), 1000, 1000), 0);
    std::string note;
    EXPECT_EQ(AddToHistoryFile(folder / "state" / "history", {"1+1"}, 1000, 0, &note),
              Saved::Refused);
    EXPECT_FALSE(fs::exists(folder / "state"));
    EXPECT_NE(note.find("is not yours"), std::string::npos) << note;
    const fs::path file = folder / "history";
    ASSERT_TRUE(Add(file, "1+1"));
    ASSERT_EQ(::chown(file.c_str(), ::geteuid(), 50), 0);
    ASSERT_TRUE(Add(file, "2+2"));
    struct stat info {};
    ASSERT_EQ(::stat(file.c_str(), &info), 0);
    EXPECT_EQ(info.st_gid, 50U);
    fs::remove_all(folder);
}

// Four sessions adding as fast as they can: every line is kept.
TEST(HistoryFile, ConcurrentSessionsKeepEveryLine) {
    const fs::path folder = FreshFolder("quill-history-four");
    const fs::path file = folder / "history";
    std::vector<pid_t> sessions;
    for (int s = 0; s < 4; ++s) {
        const pid_t child = ::fork();
        if (child == 0) {
            int failed = 0;
            for (int i = 0; i < 200; ++i)
                failed += !Add(file, std::to_string(s) + "+" + std::to_string(i));
            ::_exit(failed);
        }
        sessions.push_back(child);
    }
    for (const pid_t child : sessions) {
        int status = 0;
        ::waitpid(child, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    }
    const std::optional<Entries> entries = Read(file);
    ASSERT_TRUE(entries);
    EXPECT_EQ(entries->size(), 800U);
    fs::remove_all(folder);
}
#endif

} // namespace
} // namespace quill::cli
