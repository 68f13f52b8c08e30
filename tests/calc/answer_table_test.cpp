// The same digits on every build: the answers in tests/calc/data/answer_table.tsv
// were written once by the Linux build (tests/calc/make_answer_table.py); each
// build, the Windows one under Wine included, must give every one of them.
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "calc/checker.h"
#include "calc/evaluator.h"

namespace quill {
namespace {

std::vector<std::string> Fields(const std::string& line) {
    std::vector<std::string> fields;
    std::stringstream in(line);
    for (std::string field; std::getline(in, field, '\t');)
        fields.push_back(field);
    return fields;
}

EvalSettings SettingsOf(const std::vector<std::string>& f) {
    EvalSettings s;
    const char* formats[] = {"decimal", "octal", "hex", "exponent"};
    for (int i = 0; i < 4; ++i) {
        if (f[0] == formats[i]) s.format = static_cast<Format>(i);
    }
    s.places = f[1] == "auto" ? kAutoPlaces : std::stoi(f[1]);
    s.degrees = f[2] == "degrees";
    return s;
}

// The answer as quillpad-cli --tsv writes it, without its trailing fields.
std::string Answer(const std::string& expression, const EvalSettings& s) {
    const CheckResult check = CheckExpression(expression);
    if (!check.passed) return "error\t" + check.message;
    const EvalResult r = Evaluate(expression, s);
    return (r.fault == Fault::None ? "ok\t" : "error\t") + r.text;
}

TEST(AnswerTable, EveryBuildGivesTheSameDigits) {
    std::ifstream file(QUILL_SOURCE_DIR "/tests/calc/data/answer_table.tsv", std::ios::binary);
    ASSERT_TRUE(file) << "the answer table is missing";
    int rows = 0;
    for (std::string line; std::getline(file, line);) {
        const std::vector<std::string> f = Fields(line);
        ASSERT_GE(f.size(), 6U) << line;
        EXPECT_EQ(Answer(f[3], SettingsOf(f)), f[4] + "\t" + f[5])
            << f[3] << " (" << f[0] << ", " << f[1] << ", " << f[2] << ")";
        ++rows;
    }
    EXPECT_GE(rows, 3000);
}

} // namespace
} // namespace quill
