#include "calc/chars.h"

#include <numeric>

#include <gtest/gtest.h>

namespace quill {
namespace {

TEST(Chars, ClassesAreAsciiOnly) {
    int operators = 0;
    int numbers = 0;
    int letters = 0;
    for (int b = 0; b < 256; ++b) {
        const char c = static_cast<char>(b);
        operators += IsOperatorChar(c);
        numbers += IsNumberChar(c);
        letters += IsLetter(c);
        EXPECT_LE(IsOperatorChar(c) + IsNumberChar(c) + IsLetter(c), 1) << b;
    }
    EXPECT_EQ(operators, 9);
    EXPECT_EQ(numbers, 11);
    EXPECT_EQ(letters, 52);
}

struct NormalizeRow {
    std::string input;
    std::string output;
    std::vector<int> map;
};

TEST(Chars, NormalizeKeepsTheMapInStep) {
    const NormalizeRow rows[] = {
        {"", "", {}},
        {" 1 + 2 ", "1+2", {1, 3, 5}},
        {"2,5", "2.5", {0, 1, 2}},
        {"1\r\n2", "12", {0, 3}},
        {"1\r\r\n\n2", "12", {0, 5}},
        {"1\r \n2", "12", {0, 4}},
        {"\n\r1", "\n\r1", {0, 1, 2}},
        {"1\t2", "1\t2", {0, 1, 2}},
    };
    for (const NormalizeRow& r : rows) {
        std::string text = r.input;
        std::vector<int> map(text.size());
        std::iota(map.begin(), map.end(), 0);
        NormalizeExpression(text, map);
        EXPECT_EQ(text, r.output);
        EXPECT_EQ(map, r.map);
        std::string plain = r.input;
        NormalizeExpression(plain);
        EXPECT_EQ(plain, r.output);
    }
}

} // namespace
} // namespace quill
