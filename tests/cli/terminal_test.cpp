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
    };
    for (const auto& row : rows) {
        EXPECT_EQ(HistoryPath(row.xdg, row.home), row.path);
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
