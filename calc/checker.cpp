// The checker's rules, in the order they are tried; the first fault found
// is the one reported:
//   the empty line     nothing, or a lone operator: "Enter expression"
//   the ends           a start with * / ^ # %, an end with an operator but ")"
//   bracket neighbours a number on both sides of "(", a number after ")", ")("
//   the main scan      left to right: numbers (a digit, one point), operator
//                      pairs, names of functions and constants, unknown symbols
//   the bracket count  brackets left over: "Missing '('", "Missing ')'", both
// The ends and the bracket neighbours are one pass, which also counts the
// brackets for the bracket count.
#include "calc/checker.h"

#include <numeric>
#include <optional>
#include <string_view>
#include <vector>

#include "calc/chars.h"
#include "calc/maths/constants.h"
#include "calc/maths/functions.h"
#include "calc/plain_line.h"

namespace quill {

namespace {

// A fault at [start, end) of the text as handed in.
CheckResult Fail(Fault fault, int start, int end, std::string_view quoted = {}) {
    return {false, fault, FaultMessage(fault, quoted), true, start, end};
}

CheckResult Caret(Fault fault, int at) {
    return Fail(fault, at, at);
}

CheckResult Missing(Fault fault) {
    return {false, fault, FaultText(fault), false, 0, 0};
}

// The working copy with its position map. At(k) past the end is '\0', which
// belongs to no class, like the position after the last character.
// The caller's text is used as it stands when it needs no normalising.
struct Work {
    std::string_view w;
    std::string normalized; // owns w when the text had to be normalised
    std::vector<int> p;
    int size; // the text's length as handed in: where a place to its end ends
    bool hasAnswer = false;

    int n() const { return static_cast<int>(w.size()); }
    // One unsigned compare keeps out negative positions too.
    char At(int k) const {
        return static_cast<std::size_t>(k) < w.size() ? w[static_cast<std::size_t>(k)] : '\0';
    }
    // Without a map the text was already normal and every position is its own.
    int P(int k) const { return p.empty() ? k : p[static_cast<std::size_t>(k)]; }
};

bool IsBadStart(char c) {
    return c == '*' || c == '/' || c == '^' || c == '#' || c == '%';
}

// What is left of the brackets once every "(" has been cancelled against a
// later ")"; counted in the first pass, reported after the main scan.
struct Balance {
    std::size_t open = 0;
    std::size_t unmatchedClose = 0;
};

// The ends and the bracket neighbours, counting the brackets for the bracket
// count on the way.
std::optional<CheckResult> CheckEndsAndBrackets(const Work& t, Balance& balance) {
    const int n = t.n();
    if (IsBadStart(t.At(0))) return Caret(Fault::PasteNumber, t.P(0));
    if (IsOperatorChar(t.At(n - 1)) && t.At(n - 1) != ')')
        return Caret(Fault::PasteNumber, t.P(n - 1) + 1);
    int touch = -1; // the first ")(", reported only when no other fault of the pass is found
    for (int k = 0; k < n; ++k) {
        const char c = t.At(k);
        if (c == '(') {
            ++balance.open;
            if (k > 0 && k < n - 1 && IsNumberChar(t.At(k - 1)) && IsNumberChar(t.At(k + 1))) {
                return Caret(Fault::PasteOperator, t.P(k));
            }
        } else if (c == ')') {
            if (balance.open > 0) {
                --balance.open;
            } else {
                ++balance.unmatchedClose;
            }
            const char next = t.At(k + 1);
            if (IsNumberChar(next)) return Caret(Fault::PasteOperator, t.P(k) + 1);
            if (next == '(' && touch < 0) touch = k;
        }
    }
    if (touch >= 0) return Caret(Fault::PasteOperator, t.P(touch + 1));
    return std::nullopt;
}

// A number needs a digit and takes one point at the most. `end` is set to
// the position after the number.
std::optional<CheckResult> CheckNumber(const Work& t, int start, int& end) {
    end = start;
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
    if (digits == 0) return Fail(Fault::PasteNumber, t.P(start), t.P(end - 1) + 1);
    if (secondPoint >= 0)
        return Fail(Fault::UnknownSymbol, t.P(secondPoint), t.P(secondPoint) + 1, ".");
    return std::nullopt;
}

bool IsAllowedPair(char a, char b) {
    return a == ')' || b == '(' || (a == '(' && (b == '-' || b == '+'));
}

// The main scan: numbers, operator pairs, names and unknown symbols, left to right.
std::optional<CheckResult> MainScan(const Work& t) {
    const int n = t.n();
    for (int i = 0; i < n; ++i) {
        const char c = t.At(i);
        if (IsNumberChar(c)) {
            // A whole number at once: inside it nothing else can be at fault,
            // so the scan goes on after it.
            int end = i;
            if (auto fault = CheckNumber(t, i, end)) return fault;
            const char after = t.At(end);
            if (after == '(' || IsLetter(after)) return Caret(Fault::PasteOperator, t.P(end));
            i = end - 1;
            continue;
        }
        if (IsOperatorChar(c)) {
            const char next = t.At(i + 1);
            if (c == ')' && IsLetter(next)) return Caret(Fault::PasteOperator, t.P(i) + 1);
            if (IsOperatorChar(next) && !IsAllowedPair(c, next)) {
                return Fail(Fault::Together, t.P(i), t.P(i + 1) + 1, std::string{c, next});
            }
            continue;
        }
        if (IsLetter(c)) {
            const int e = static_cast<int>(NameEnd(t.w, static_cast<std::size_t>(i)));
            const std::string_view name =
                t.w.substr(static_cast<std::size_t>(i), static_cast<std::size_t>(e - i));
            if (t.At(e) == '(') {
                // A name before a bracket must be a function's.
                if (!FindFunction(name)) {
                    return Fail(Fault::UnknownFunction, t.P(i), t.P(e));
                }
                // The scan goes on at the bracket, which is checked like any other.
            } else {
                const int end = e == n ? t.size : t.P(e);
                if (name == kAnswerName) {
                    if (!t.hasAnswer) return Fail(Fault::NoAnswer, t.P(i), end);
                } else if (!IsConstant(name)) {
                    return Fail(Fault::UnknownConstant, t.P(i), end);
                }
                if (IsNumberChar(t.At(e))) return Caret(Fault::PasteOperator, t.P(e - 1) + 1);
            }
            i = e - 1;
            continue;
        }
        return Fail(Fault::UnknownSymbol, t.P(i), t.P(i) + 1, std::string_view(&c, 1));
    }
    return std::nullopt;
}

// The bracket count: the brackets that were left over.
std::optional<CheckResult> CheckBracketBalance(const Balance& balance) {
    if (balance.open > 0 && balance.unmatchedClose > 0) return Missing(Fault::MissingBoth);
    if (balance.unmatchedClose > 0) return Missing(Fault::MissingOpen);
    if (balance.open > 0) return Missing(Fault::MissingClose);
    return std::nullopt;
}

} // namespace

CheckResult CheckByRules(std::string_view text, bool hasAnswer) {
    Work t{text, {}, {}, static_cast<int>(text.size()), hasAnswer};
    if (NeedsNormalizing(text)) {
        t.normalized.assign(text);
        t.p.resize(text.size());
        std::iota(t.p.begin(), t.p.end(), 0);
        NormalizeExpression(t.normalized, t.p);
        t.w = t.normalized;
    }

    const int n = t.n();
    std::optional<CheckResult> fault;
    Balance balance;
    if (n == 0 || (n == 1 && IsOperatorChar(t.At(0)))) {
        fault = Fail(Fault::EnterExpression, 0, t.size);
    } else if (!(fault = CheckEndsAndBrackets(t, balance)) && !(fault = MainScan(t))) {
        fault = CheckBracketBalance(balance);
    }
    return fault.value_or(CheckResult{}); // none: the text passes
}

CheckResult CheckExpression(std::string_view text, bool hasAnswer) {
    if (IsPlainWellFormed(text)) return {};
    return CheckByRules(text, hasAnswer);
}

} // namespace quill
