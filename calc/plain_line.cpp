#include "calc/plain_line.h"

#include <algorithm>
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

// The scan's state after a character: its class and, within a number,
// whether the number holds a point and whether it is points only so far;
// kBad once a fault is seen, and for good. The rules above decide each step.
constexpr unsigned kStates = kClasses * 4 + 1;
constexpr unsigned kBad = kStates - 1;
constexpr unsigned kStart = kOpen * 4; // a line starts as after "("

constexpr unsigned StateOf(unsigned k, unsigned points, unsigned pointsOnly) {
    return k * 4 + points * 2 + pointsOnly;
}

constexpr unsigned Step(unsigned state, unsigned k) {
    if (state == kBad) return kBad;
    const unsigned previous = state / 4;
    const unsigned pointsOnly = state % 2;
    if (kBadPair[std::size_t{previous} * kClasses + k] != 0) return kBad;
    // A number takes one point at the most and needs a digit.
    const bool number = IsNumber(static_cast<int>(k));
    const unsigned points = number ? (state / 2) % 2 + (k == kPoint ? 1 : 0) : 0;
    if (points > 1 || (pointsOnly != 0 && !number)) return kBad;
    const bool onlyPoints =
        k == kPoint && (pointsOnly != 0 || !IsNumber(static_cast<int>(previous)));
    return StateOf(k, points, onlyPoints ? 1 : 0);
}

// Two characters a step, so the scan's one chain of dependent loads is half
// as long; each entry is the next state's row (state * kPairs), so that a
// step is an add and a load.
constexpr std::size_t kPairSteps = std::size_t{kStates} * kPairs;

constexpr std::array<std::uint16_t, kPairSteps> MakePairSteps() {
    std::array<std::uint16_t, kPairSteps> table{};
    for (unsigned state = 0; state < kStates; ++state) {
        for (unsigned a = 0; a < kClasses; ++a) {
            for (unsigned b = 0; b < kClasses; ++b)
                table[state * kPairs + std::size_t{a} * kClasses + b] =
                    static_cast<std::uint16_t>(Step(Step(state, a), b) * kPairs);
        }
    }
    return table;
}

// A line may end in a state of a number that holds a digit, or of ")".
constexpr std::array<std::uint8_t, kStates> MakeEnds() {
    std::array<std::uint8_t, kStates> table{};
    for (unsigned state = 0; state < kBad; ++state) {
        const unsigned k = state / 4;
        table[state] = (IsNumber(static_cast<int>(k)) || k == kClose) && state % 2 == 0 ? 1 : 0;
    }
    return table;
}

// A character's change to the brackets' depth.
constexpr int DepthChange(unsigned k) {
    return k == kOpen ? 1 : (k == kClose ? -1 : 0);
}

// A pair's change to the brackets' depth, and the lowest the depth goes
// within it (0, or -1 where it opens with ")").
struct PairDepth {
    std::int8_t change;
    std::int8_t dip;
};

constexpr std::array<PairDepth, kPairs> MakePairDepths() {
    std::array<PairDepth, kPairs> table{};
    for (unsigned a = 0; a < kClasses; ++a) {
        for (unsigned b = 0; b < kClasses; ++b) {
            const int first = DepthChange(a);
            const int both = first + DepthChange(b);
            table[std::size_t{a} * kClasses + b] = {
                static_cast<std::int8_t>(both),
                static_cast<std::int8_t>(std::min({0, first, both}))};
        }
    }
    return table;
}

constexpr std::array<std::uint16_t, kPairSteps> kPairStep = MakePairSteps();
constexpr std::array<PairDepth, kPairs> kPairDepth = MakePairDepths();
constexpr std::array<std::uint8_t, kStates> kEnds = MakeEnds();

} // namespace

bool IsPlainWellFormed(std::string_view text) {
    if (text.empty()) return false; // the rules say what to type
    const auto classOf = [](char c) -> unsigned { return kClassOf[static_cast<unsigned char>(c)]; };
    // The brackets' depth and the lowest it reaches, beside the states'
    // chain: arithmetic, not branches, as a branch on the class of each
    // character of random arithmetic guesses wrong often.
    std::int64_t depth = 0;
    std::int64_t lowest = 0;
    std::size_t row = std::size_t{kStart} * kPairs;
    std::size_t i = 0;
    for (; i + 2 <= text.size(); i += 2) {
        const std::size_t pair = classOf(text[i]) * kClasses + classOf(text[i + 1]);
        row = kPairStep[row + pair];
        const std::int64_t dip = depth + kPairDepth[pair].dip;
        lowest = dip < lowest ? dip : lowest;
        depth += kPairDepth[pair].change;
    }
    unsigned state = static_cast<unsigned>(row / kPairs);
    if (i < text.size()) {
        // An odd line's last character.
        const unsigned k = classOf(text[i]);
        state = Step(state, k);
        depth += DepthChange(k);
        lowest = depth < lowest ? depth : lowest;
    }
    return kEnds[state] != 0 && depth == 0 && lowest == 0;
}

} // namespace quill
