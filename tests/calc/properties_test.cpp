// Properties over many generated texts: what the checker passes evaluates,
// its marks stay inside the text, and size or nesting never breaks anything.
#include <algorithm>
#include <numeric>
#include <random>
#include <string>

#include <gtest/gtest.h>

#include "calc/chars.h"
#include "calc/checker.h"
#include "calc/evaluator.h"

namespace quill {
namespace {

// Pieces that make both sound and faulty expressions often.
const char* const kPieces[] = {
    "1",   "2.5", ".5",   "7.",   "pi", "e", "sin(", "abs(",  "log(", "(",  ")",  "+",   "-",
    "*",   "/",   "%",    "^",    "#",  "0", " ",    ",",     "x",    "..", "(-", "9",   "\t",
    "fi1", "2e5", "tan(", "\r\n", "(+", "=", "0.0",  "ceil(", "3",    "8",  ")(", "\xff"};

std::string RandomText(std::mt19937& rng) {
    std::uniform_int_distribution<int> count(0, 14);
    std::uniform_int_distribution<std::size_t> piece(0, std::size(kPieces) - 1);
    std::string text;
    for (int n = count(rng); n > 0; --n)
        text += kPieces[piece(rng)];
    return text;
}

void ExpectSoundVerdict(const std::string& text) {
    const CheckResult check = CheckExpression(text);
    const int length = static_cast<int>(text.size());
    if (check.passed) {
        EXPECT_NE(Evaluate(text, {}).fault, Fault::InvalidArgument) << "'" << text << "'";
        EXPECT_NE(Evaluate(text, {2, Format::Hex, true}).fault, Fault::InvalidArgument)
            << "'" << text << "'";
        return;
    }
    EXPECT_FALSE(check.message.empty());
    if (check.select) {
        EXPECT_GE(check.start, 0) << text;
        EXPECT_LE(check.start, length) << text;
        if (check.end != -1) {
            EXPECT_GE(check.end, check.start) << text;
            EXPECT_LE(check.end, length) << text;
        }
    }
}

TEST(Properties, WhatThePassesEvaluates) {
    std::mt19937 rng(20261208);
    int passed = 0;
    for (int k = 0; k < 200000; ++k) {
        const std::string text = RandomText(rng);
        ExpectSoundVerdict(text);
        passed += CheckExpression(text).passed;
        if (HasFailure()) break;
    }
    // The generator must reach the evaluator often enough to mean something.
    EXPECT_GT(passed, 5000);
}

// The cancelling of brackets as a loop over the text, to compare with the
// checker's counting.
std::string LiteralBracketVerdict(std::string w) {
    for (;;) {
        const std::size_t open = w.find('(');
        if (open == std::string::npos) break;
        const std::size_t close = w.find(')', open);
        if (close == std::string::npos) break;
        w.erase(close, 1);
        w.erase(open, 1);
    }
    const bool opens = w.find('(') != std::string::npos;
    const bool closes = w.find(')') != std::string::npos;
    if (opens && closes) return FaultText(Fault::MissingBoth);
    if (closes) return FaultText(Fault::MissingOpen);
    if (opens) return FaultText(Fault::MissingClose);
    return "";
}

TEST(Properties, BracketCountingMatchesCancelling) {
    std::mt19937 rng(7);
    for (int k = 0; k < 20000; ++k) {
        // Operands between all brackets, so only the balance can fail.
        std::string text = "1";
        for (int n = std::uniform_int_distribution<int>(0, 12)(rng); n > 0; --n) {
            text += (rng() & 1) ? "+(1" : ")+1";
        }
        const CheckResult check = CheckExpression(text);
        EXPECT_EQ(check.passed ? "" : check.message, LiteralBracketVerdict(text)) << text;
    }
}

// Normalisation as its three passes over the whole string, one change at a time.
std::string LiteralNormalize(std::string s) {
    for (std::size_t p; (p = s.find(' ')) != std::string::npos;)
        s.erase(p, 1);
    std::replace(s.begin(), s.end(), ',', '.');
    for (std::size_t p; (p = s.find("\r\n")) != std::string::npos;)
        s.erase(p, 2);
    return s;
}

TEST(Properties, NormalizeMatchesItsPasses) {
    std::mt19937 rng(11);
    const char alphabet[] = {' ', ',', '\r', '\n', 'x', '\t'};
    for (int k = 0; k < 20000; ++k) {
        std::string text;
        for (int n = std::uniform_int_distribution<int>(0, 12)(rng); n > 0; --n) {
            text += alphabet[rng() % std::size(alphabet)];
        }
        std::string fast = text;
        std::vector<int> map(text.size());
        std::iota(map.begin(), map.end(), 0);
        NormalizeExpression(fast, map);
        ASSERT_EQ(fast, LiteralNormalize(text));
        for (std::size_t i = 0; i < fast.size(); ++i) {
            const char original = text[static_cast<std::size_t>(map[i])];
            EXPECT_EQ(original == ',' ? '.' : original, fast[i]);
        }
    }
}

std::string Repeat(const std::string& piece, std::size_t times) {
    std::string out;
    out.reserve(piece.size() * times);
    for (std::size_t i = 0; i < times; ++i)
        out += piece;
    return out;
}

TEST(Properties, DeepNestingNeedsNoDeepStack) {
    constexpr std::size_t kDepth = 100000;
    const struct {
        std::string text;
        std::string display;
    } rows[] = {
        {Repeat("(", kDepth) + "1" + Repeat(")", kDepth), "1"},
        {Repeat("abs(", kDepth) + "0-2" + Repeat(")", kDepth), "2"},
        {Repeat("(-", kDepth) + "1" + Repeat(")", kDepth), "1"},
        {Repeat("(1+", kDepth) + "1" + Repeat(")", kDepth), "100001"},
        {Repeat("sin(", kDepth) + "0" + Repeat(")", kDepth), "0"},
    };
    for (const auto& row : rows) {
        ASSERT_TRUE(CheckExpression(row.text).passed);
        EXPECT_EQ(Evaluate(row.text, {}).text, row.display);
    }
    EXPECT_EQ(CheckExpression(Repeat("(", kDepth) + "1").message, FaultText(Fault::MissingClose));
    EXPECT_EQ(Evaluate(Repeat("(", kDepth) + "1", {}).fault, Fault::InvalidArgument);
}

TEST(Properties, MegabyteInputs) {
    const std::string sum = "1" + Repeat("+1", 500000);
    ASSERT_TRUE(CheckExpression(sum).passed);
    EXPECT_EQ(Evaluate(sum, {}).text, "500001");

    const std::string spaces = Repeat(" ", 1 << 20) + "2" + Repeat(" ", 1 << 20);
    EXPECT_EQ(Evaluate(spaces, {}).text, "2");
    const CheckResult late = CheckExpression(Repeat(" ", 1 << 20) + "2=");
    EXPECT_EQ(late.start, (1 << 20) + 1);

    std::mt19937 rng(3);
    std::string bytes(1 << 20, '\0');
    for (char& c : bytes)
        c = static_cast<char>(rng());
    ExpectSoundVerdict(bytes);
    const std::string digits = Repeat("9", 1 << 20);
    EXPECT_EQ(Evaluate(digits, {}).text, "Infinity");
}

} // namespace
} // namespace quill
