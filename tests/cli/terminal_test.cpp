// The history's place and the escape sequences kept from the checker.
#include "cli/terminal.h"

#include <gtest/gtest.h>

namespace quill::cli {
namespace {

TEST(Terminal, HistoryPath) {
    const struct {
        const char* xdg;
        const char* home;
        const char* path;
    } rows[] = {
        {"/state", "/home/u", "/state/quillpad/history"},
        {nullptr, "/home/u", "/home/u/.local/state/quillpad/history"},
        {"", "/home/u", "/home/u/.local/state/quillpad/history"},
        {"relative", "/home/u", "/home/u/.local/state/quillpad/history"},
        {nullptr, nullptr, ""},
        {nullptr, "", ""},
        {nullptr, "rel", ""}, // never below the folder a session started in
        {"relative", "rel", ""},
        {"/state", "rel", "/state/quillpad/history"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(HistoryPath(row.xdg, row.home), row.path);
        // Said only where a HOME is set that cannot be used.
        const bool said = !NoHistoryReason(row.xdg, row.home).empty();
        EXPECT_EQ(said, row.path[0] == '\0' && row.home && row.home[0] != '\0');
    }
}

TEST(Terminal, EscapeSequencesNeverReachTheChecker) {
    const struct {
        const char* typed;
        const char* kept;
    } rows[] = {
        {"2+2", "2+2"},
        {"\x1b[A2+2", "2+2"},
        {"2\x1b[1;5D+2", "2+2"},
        {"2+\x1bOP2", "2+2"},
        {"2+2\x1b", "2+2"},
        {"\x1b"
         "x2",
         "2"},
        {"\x1b[15~1", "1"},
        {"\x1b[", ""},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(DropEscapes(row.typed), row.kept) << row.typed;
    }
}

} // namespace
} // namespace quill::cli
