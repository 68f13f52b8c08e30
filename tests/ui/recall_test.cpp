// Up and Down in the expression line, as a user steps through this run's
// expressions.
#include "ui/recall.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quill::ui {
namespace {

// Presses the keys ('u' Up, 'd' Down) on a line that starts as `line`; what
// the line shows after each key ("-" when a key changed nothing).
std::vector<std::string> Press(Recall& recall, std::string line, const std::string& keys) {
    std::vector<std::string> shown;
    for (const char key : keys) {
        const auto next = key == 'u' ? recall.Up(line) : recall.Down(line);
        if (next) line = *next;
        shown.push_back(next ? *next : "-");
    }
    return shown;
}

Recall With(std::initializer_list<const char*> expressions) {
    Recall recall;
    for (const char* e : expressions)
        recall.Add(e);
    return recall;
}

TEST(Recall, StepsUpAndDownAndRestoresTheLine) {
    using V = std::vector<std::string>;
    struct Row {
        std::initializer_list<const char*> added;
        const char* line;
        const char* keys;
        V shown;
    };
    const Row rows[] = {
        {{}, "typed", "ud", V{"-", "-"}},
        {{"1", "2", "3"}, "typed", "uuuu", V{"3", "2", "1", "-"}},
        {{"1", "2", "3"}, "typed", "uuddd", V{"3", "2", "3", "typed", "-"}},
        // The newest equal to the line is passed over, both ways.
        {{"1", "2", "3"}, "3", "uud", V{"2", "1", "2"}},
        {{"1", "2", "3"}, "3", "udd", V{"2", "3", "-"}},
        {{"1", "2", "3"}, "2", "uuud", V{"3", "2", "1", "2"}},
        // A repeated expression is kept once, as the newest.
        {{"1", "2", "1"}, "", "uuu", V{"1", "2", "-"}},
        {{"1"}, "", "d", V{"-"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.line) + " " + row.keys);
        Recall recall = With(row.added);
        EXPECT_EQ(Press(recall, row.line, row.keys), row.shown);
    }
}

TEST(Recall, AnEditedLineStartsAgainFromTheNewest) {
    Recall recall = With({"1", "2", "3"});
    EXPECT_EQ(recall.Up("a"), "3");
    EXPECT_EQ(recall.Up("3"), "2");
    EXPECT_EQ(recall.Down("2+"), std::nullopt); // edited: no longer stepping
    EXPECT_EQ(recall.Up("2+"), "3");
    EXPECT_EQ(recall.Down("3"), "2+");
}

TEST(Recall, KeepsTheNewestHundred) {
    Recall recall;
    for (int i = 0; i < 150; ++i)
        recall.Add(std::to_string(i));
    EXPECT_EQ(recall.size(), Recall::kCapacity);
    std::string line;
    std::optional<std::string> shown;
    int steps = 0;
    while ((shown = recall.Up(line))) {
        line = *shown;
        ++steps;
    }
    EXPECT_EQ(steps, 100);
    EXPECT_EQ(line, "50");
}

} // namespace
} // namespace quill::ui
