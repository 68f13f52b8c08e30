#include "calc/plain_line.h"

#include <array>
#include <cstdint>

namespace quill {

namespace {

// The classes of the plain alphabet; kOther is any other byte.
enum Class : std::uint8_t { kOther, kDigit, kPoint, kOpen, kClose, kSign, kTimes, kClasses };

constexpr std::array<std::uint8_t, 256> MakeClasses() {
    std::array<std::uint8_t, 256> table{};
    for (int c = '0'; c <= '9'; ++c)
        table[static_cast<std::size_t>(c)] = kDigit;
    table['.'] = kPoint;
    table['('] = kOpen;
    table[')'] = kClose;
    table['+'] = table['-'] = kSign;
    for (const char c : {'*', '/', '^', '#', '%'})
        table[static_cast<unsigned char>(c)] = kTimes;
    return table;
}

constexpr bool IsNumber(int k) {
    return k == kDigit || k == kPoint;
}
constexpr bool IsOperator(int k) {
    return k >= kOpen;
}

// Whether the pair a b is a fault wherever it stands: a number before "(",
// a number after ")", ")(", and two operators the rules do not allow
// together (only ")" before one, "(" after one, and "(+" "(-" are).
constexpr bool IsBadPair(int a, int b) {
    if (a == kOther || b == kOther) return true;
    if (IsNumber(a) && b == kOpen) return true;
    if (a == kClose && (IsNumber(b) || b == kOpen)) return true;
    if (!IsOperator(a) || !IsOperator(b)) return false;
    return !(a == kClose || b == kOpen || (a == kOpen && b == kSign));
}

constexpr std::size_t kPairs = std::size_t{kClasses} * kClasses;

constexpr std::array<std::uint8_t, kPairs> MakeBadPairs() {
    std::array<std::uint8_t, kPairs> table{};
    for (int a = 0; a < kClasses; ++a) {
        for (int b = 0; b < kClasses; ++b) {
            const std::size_t at =
                static_cast<std::size_t>(a) * kClasses + static_cast<std::size_t>(b);
            table[at] = IsBadPair(a, b) ? 1 : 0;
        }
    }
    return table;
}

constexpr std::array<std::uint8_t, 256> kClassOf = MakeClasses();
constexpr std::array<std::uint8_t, kPairs> kBadPair = MakeBadPairs();
constexpr std::array<std::uint8_t, kClasses> kIsNumber{0, 1, 1, 0, 0, 0, 0};

} // namespace

bool IsPlainWellFormed(std::string_view text) {
    if (text.empty()) return false; // the rules say what to type
    const auto classOf = [](char c) -> unsigned { return kClassOf[static_cast<unsigned char>(c)]; };
    const unsigned first = classOf(text.front());
    const unsigned last = classOf(text.back());
    // A start with * / ^ # %, an end with an operator but ")".
    unsigned bad = first == kTimes || (IsOperator(static_cast<int>(last)) && last != kClose);
    // Flags in 0 and 1 and arithmetic on them, not branches: a branch on
    // the class of each character of random arithmetic guesses wrong often.
    std::int64_t depth = 0;
    std::int64_t lowest = 0;
    unsigned points = 0;       // points in the number so far
    unsigned pointsOnly = 0;   // the number so far is points without a digit
    unsigned previous = kOpen; // the start is as after "(": a number or sign may follow
    unsigned wasNumber = 0;
    for (const char c : text) {
        const unsigned k = classOf(c);
        const unsigned number = kIsNumber[k];
        const unsigned point = k == kPoint;
        bad |= kBadPair[std::size_t{previous} * kClasses + k];
        // A number takes one point at the most and needs a digit.
        points = (points + point) & (0U - number);
        bad |= points >> 1;
        bad |= pointsOnly & (number ^ 1U);
        pointsOnly = point & (pointsOnly | (wasNumber ^ 1U));
        depth += static_cast<std::int64_t>(k == kOpen) - static_cast<std::int64_t>(k == kClose);
        lowest = depth < lowest ? depth : lowest;
        previous = k;
        wasNumber = number;
    }
    return (bad | pointsOnly) == 0 && depth == 0 && lowest == 0;
}

} // namespace quill
