#include "calc/checker.h"

#include <numeric>
#include <optional>
#include <string_view>
#include <vector>

#include "calc/chars.h"
#include "calc/constants.h"
#include "calc/functions.h"

namespace quill {

std::string TogetherMessage(char first, char second) {
    return std::string(" Together '") + first + second + "'  ";
}

std::string UnknownSymbolMessage(char symbol) { return std::string("Unknown symbol '") + symbol + "'"; }

namespace {

CheckResult Fail(std::string message, int start, int end) {
    return {false, std::move(message), true, start, end};
}

CheckResult Caret(const char* message, int at) { return Fail(message, at, at); }

CheckResult Missing(const char* message) { return {false, message, false, 0, 0}; }

// The working copy with its position map. At(k) past the end is '\0', which
// belongs to no class, like the position after the last character.
struct Work {
    std::string w;
    std::vector<int> p;

    int n() const { return static_cast<int>(w.size()); }
    char At(int k) const { return k >= 0 && k < n() ? w[static_cast<std::size_t>(k)] : '\0'; }
    // Without a map the text was already normal and every position is its own.
    int P(int k) const { return p.empty() ? k : p[static_cast<std::size_t>(k)]; }
};

bool IsBadStart(char c) { return c == '*' || c == '/' || c == '^' || c == '#' || c == '%'; }

// Steps 5 to 8: the ends of the text and the neighbours of brackets.
std::optional<CheckResult> CheckEndsAndBrackets(const Work& t) {
    const int n = t.n();
    if (IsBadStart(t.At(0))) return Caret(kPasteNumber, t.P(0));
    if (IsOperatorChar(t.At(n - 1)) && t.At(n - 1) != ')') return Caret(kPasteNumber, t.P(n - 1) + 1);
    for (int k = 0; k < n; ++k) {
        const char c = t.At(k);
        if (c == '(' && k > 0 && k < n - 1 && IsNumberChar(t.At(k - 1)) && IsNumberChar(t.At(k + 1))) {
            return Caret(kPasteOperator, t.P(k));
        }
        if (c == ')' && IsNumberChar(t.At(k + 1))) return Caret(kPasteOperator, t.P(k) + 1);
    }
    const std::size_t touch = t.w.find(")(");
    if (touch != std::string::npos) return Caret(kPasteOperator, t.P(static_cast<int>(touch) + 1));
    return std::nullopt;
}

// A number needs a digit and takes one point at the most.
std::optional<CheckResult> CheckNumber(const Work& t, int start) {
    int end = start;
    int digits = 0;
    int secondPoint = -1;
    int points = 0;
    for (; IsNumberChar(t.At(end)); ++end) {
        if (IsDigit(t.At(end))) {
            ++digits;
        } else if (++points == 2) {
            secondPoint = end;
        }
    }
    if (digits == 0) return Fail(kPasteNumber, t.P(start), t.P(end - 1) + 1);
    if (secondPoint >= 0) return Fail(UnknownSymbolMessage('.'), t.P(secondPoint), t.P(secondPoint) + 1);
    return std::nullopt;
}

bool IsAllowedPair(char a, char b) {
    return a == ')' || b == '(' || (a == '(' && (b == '-' || b == '+'));
}

// Step 9: numbers, operator pairs, names and unknown symbols, left to right.
std::optional<CheckResult> MainScan(const Work& t) {
    const int n = t.n();
    for (int i = 0; i < n; ++i) {
        const char c = t.At(i);
        const char next = t.At(i + 1);
        if (IsNumberChar(c) && (i == 0 || !IsNumberChar(t.At(i - 1)))) {
            if (auto fault = CheckNumber(t, i)) return fault;
        }
        if (IsNumberChar(c) && (next == '(' || IsLetter(next))) return Caret(kPasteOperator, t.P(i + 1));
        if (c == ')' && IsLetter(next)) return Caret(kPasteOperator, t.P(i) + 1);
        if (IsOperatorChar(c) && IsOperatorChar(next) && !IsAllowedPair(c, next)) {
            return Fail(TogetherMessage(c, next), t.P(i), t.P(i + 1) + 1);
        }
        if (IsLetter(c)) {
            // A name: a letter, then letters and digits; a point ends it.
            int e = i + 1;
            while (IsLetter(t.At(e)) || IsDigit(t.At(e))) ++e;
            const std::string_view name =
                std::string_view(t.w).substr(static_cast<std::size_t>(i), static_cast<std::size_t>(e - i));
            if (t.At(e) == '(') {
                // A name before a bracket must be a function's.
                if (!FindFunction(name)) {
                    return Fail(kUnknownFunction, t.P(i), t.P(e));
                }
                // The scan goes on at the bracket, which is checked like any other.
            } else {
                if (FindConstant(name) == nullptr) {
                    return Fail(kUnknownConstant, t.P(i), e == n ? -1 : t.P(e));
                }
                if (IsNumberChar(t.At(e))) return Caret(kPasteOperator, t.P(e - 1) + 1);
            }
            i = e - 1;
            continue;
        }
        if (!IsOperatorChar(c) && !IsNumberChar(c)) {
            return Fail(UnknownSymbolMessage(c), t.P(i), t.P(i) + 1);
        }
    }
    return std::nullopt;
}

// Step 10: what is left of the brackets once every "(" has been cancelled
// against a later ")".
std::optional<CheckResult> CheckBracketBalance(const std::string& w) {
    std::size_t open = 0;
    std::size_t unmatchedClose = 0;
    for (const char c : w) {
        if (c == '(') {
            ++open;
        } else if (c == ')') {
            if (open > 0) {
                --open;
            } else {
                ++unmatchedClose;
            }
        }
    }
    if (open > 0 && unmatchedClose > 0) return Missing(kMissingBoth);
    if (unmatchedClose > 0) return Missing(kMissingOpen);
    if (open > 0) return Missing(kMissingClose);
    return std::nullopt;
}

} // namespace

CheckResult CheckExpression(std::string text) {
    Work t{std::move(text), {}};
    if (NeedsNormalizing(t.w)) {
        t.p.resize(t.w.size());
        std::iota(t.p.begin(), t.p.end(), 0);
        NormalizeExpression(t.w, t.p);
    }

    const int n = t.n();
    if (n == 0 || (n == 1 && IsOperatorChar(t.At(0)))) return Fail(kEnterExpression, 0, -1);
    if (auto fault = CheckEndsAndBrackets(t)) return *fault;
    if (auto fault = MainScan(t)) return *fault;
    if (auto fault = CheckBracketBalance(t.w)) return *fault;
    return {};
}

} // namespace quill
