// The history list's decisions: the rows for a filter, the keys, its place
// beside the window; Up and Down over the history; and "ans" when a setting
// computes the line again.
#include "ui/history_view.h"

#include <gtest/gtest.h>

#include "calc/number/value_text.h"
#include "ui/recall.h"
#include "ui/result_flow.h"

namespace quill::ui {
namespace {

const std::vector<HistoryEntry> kEntries = {
    {"2+2", "4", "4"},
    {"PI*2", "6.28318530718", ""},
    {"2^64", "18446744073709551616", ""},
    {"sin(x)", "0", ""},
    {"2+2", "4", "4"},
};

TEST(HistoryView, RowsForAFilterNewestFirst) {
    const struct {
        const char* filter;
        std::vector<std::size_t> rows;
    } rows[] = {
        {"", {4, 3, 2, 1, 0}}, {"2", {4, 2, 1, 0}}, {"pi", {1}},    {"SIN", {3}},
        {"446", {2}},          {"zz", {}},          {"+2", {4, 0}},
    };
    for (const auto& row : rows)
        EXPECT_EQ(ListRows(kEntries, row.filter), row.rows) << row.filter;
}

TEST(HistoryView, Keys) {
    const struct {
        ListKey key;
        bool shift;
        ListAction action;
    } rows[] = {
        {ListKey::Enter, false, ListAction::Compute},
        {ListKey::Enter, true, ListAction::InsertAnswer},
        {ListKey::Delete, false, ListAction::Remove},
        {ListKey::Escape, false, ListAction::Close},
        {ListKey::CtrlH, false, ListAction::Close},
        {ListKey::Backspace, false, ListAction::EraseFilter},
        {ListKey::Other, true, ListAction::None},
    };
    for (const auto& row : rows)
        EXPECT_EQ(ListKeyAction(row.key, row.shift), row.action) << static_cast<int>(row.key);
}

TEST(HistoryView, PlacedBesideTheWindowNeverOverIt) {
    const Rect work{0, 0, 1000, 800};
    const struct {
        Rect window;
        int height;
        Rect place;
    } rows[] = {
        {{100, 100, 500, 180}, 300, {100, 180, 500, 480}}, // below
        {{100, 600, 500, 680}, 300, {100, 300, 500, 600}}, // above: no room below
        {{100, 300, 500, 380},
         500,
         {100, 380, 500, 800}}, // neither: the larger side, as tall as fits
        {{100, 100, 500, 780}, 300, {100, 0, 500, 100}},
    };
    for (const auto& row : rows) {
        const Rect p = ListPlace(row.window, work, row.height);
        EXPECT_EQ(std::tie(p.left, p.top, p.right, p.bottom),
                  std::tie(row.place.left, row.place.top, row.place.right, row.place.bottom));
        EXPECT_TRUE(p.bottom <= row.window.top || p.top >= row.window.bottom);
    }
}

TEST(HistoryView, UpAndDownStepThroughTheHistoryOnceEach) {
    Recall recall;
    recall.Reset({"1+1", "2+2", "1+1", "3+3"});
    std::vector<std::string> shown;
    std::string line = "typing";
    while (const auto older = recall.Up(line))
        shown.push_back(line = *older);
    EXPECT_EQ(shown, (std::vector<std::string>{"3+3", "1+1", "2+2"}));
    EXPECT_EQ(recall.Down("2+2"), "1+1");
}

// A setting's recompute of "ans*2" shows the same value again; Enter doubles it.
TEST(HistoryView, AnsForARecomputeIsTheOneTheLineUsed) {
    AnswerMemory memory;
    memory.Restore(*ValueFromText("21"));
    CalcSettings settings;
    settings.nRound = kAutoPlaces;
    const auto run = [&](std::string_view line, bool again) {
        const Decimal* ans = memory.For(line, again);
        const std::string ansLine(memory.LineFor(line, again));
        const ResultView view = ResultOf(line, settings, ByteCount, ans, ansLine);
        memory.Answered(line, ans, ansLine, view.number);
        return view.result;
    };
    EXPECT_EQ(run("ans*2", false), "42");
    settings.nFormat = static_cast<int>(Format::Hex);
    EXPECT_EQ(run("ans*2", true), "0x2a");
    EXPECT_EQ(run("ans*2", true), "0x2a");
    EXPECT_EQ(run("ans*2", false), "0x54");
    // The line "ans" answered is evaluated again where a decision wants
    // more digits than it kept: 1/3 then ans*3 is 1.
    EXPECT_EQ(run("1/3", false), "0");
    EXPECT_EQ(run("ans*3", false), "0x1");
}

} // namespace
} // namespace quill::ui
