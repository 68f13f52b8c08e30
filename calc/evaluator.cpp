#include "calc/evaluator.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>

#include <boost/container/small_vector.hpp>

#include "calc/chars.h"
#include "calc/checker.h"
#include "calc/format.h"
#include "calc/maths/constants.h"
#include "calc/maths/functions.h"
#include "calc/maths/operators.h"
#include "calc/number/number_text.h"

namespace quill {

namespace {

// One open bracket: where its operands and operators begin on the stacks, and
// the function it applies when it closes.
// Eight bytes, so a deeply nested line costs little (a text is shorter than
// 2^32 characters, so its operators are fewer).
struct Group {
    std::uint32_t operatorBase;
    std::optional<Function> function;
};
static_assert(sizeof(Group) <= 8);

// The Decimal `make` returns, built where it is stored: emplace_back(MadeBy(f))
// constructs it in the stack's own slot (the compilers elide the conversion)
// rather than in a temporary moved there. Such a move reads the fields back
// at once, wider than they were written, and waits for the writes to land.
template <typename F> struct Made {
    F make;
    operator Decimal() const { return make(); }
};
template <typename F> Made<F> MadeBy(F make) {
    return {make};
}

// Operator-precedence reduction on explicit stacks.
class Machine {
  public:
    Machine(const EvalSettings& settings, int digits) : settings_(settings), digits_(digits) {}

    EvalResult Run(std::string_view w);

  private:
    bool ReadOperand(std::string_view w, std::size_t& i, bool& wantOperand);
    const Decimal& Answer();
    bool ReduceOnce();
    bool ReduceWhile(std::size_t base, int priority);
    // The operators of the innermost open bracket begin here; the line's own
    // group lies at the bottom, so there is always one.
    std::size_t Base() const { return groups_.back().operatorBase; }
    bool InBracket() const { return groups_.size() > 1; }
    void Reserve(std::string_view w);

    // A text up to this long is not counted: half its length bounds every
    // stack, and that fits the buffer below.
    static constexpr std::size_t kShort = 448;
    static constexpr std::size_t kShortBound = kShort / 2 + 2;

    const EvalSettings& settings_;
    int digits_;                    // the digits a rounded result keeps
    std::optional<Decimal> answer_; // "ans" evaluated again to digits_
    // The stacks keep a short text's in the machine itself, so a typical
    // line costs no allocation; a longer one's go to the heap, each sized
    // once from the text.
    template <typename T> using Stack = boost::container::small_vector<T, kShortBound>;
    Stack<Decimal> values_;
    Stack<char> operators_;
    Stack<Group> groups_;
};

// Applies the top operator to the top two values; false on a division by
// zero (an exact zero, or a ball that snaps to it; a wider ball about zero
// gives a quotient of no bound, and the evaluation goes to more digits).
bool Machine::ReduceOnce() {
    const char op = operators_.back();
    operators_.pop_back();
    const Decimal& b = values_.back();
    if (IsZeroBall(b) && op == '/') return false; // the usual divisor is told at once
    Decimal& a = values_[values_.size() - 2];
    a = ApplyOperator(op, a, b, digits_);
    values_.pop_back();
    return true;
}

// Reduces the operators above `base` whose priority is at least `priority`;
// left to right within a priority, so every operator groups to the left.
bool Machine::ReduceWhile(std::size_t base, int priority) {
    while (operators_.size() > base && OperatorPriority(operators_.back()) >= priority) {
        if (!ReduceOnce()) return false;
    }
    return true;
}

// Whether two balls share a point.
bool Overlap(const Decimal& a, const Decimal& b) {
    if (!a.IsFinite() || !b.IsFinite()) return false;
    const Decimal gap = Subtract(a.Midpoint(), b.Midpoint());
    return Compare(LeastMagnitude(gap), a.radius() + b.radius() + gap.radius()) <= 0;
}

EvalResult Invalid() {
    return {Fault::InvalidArgument, {}, FaultText(Fault::InvalidArgument)};
}
EvalResult Division() {
    return {Fault::DivisionByZero, {}, FaultText(Fault::DivisionByZero)};
}

// Within one bracket the pending operators rise strictly in priority (a new
// one first reduces those of its own priority or higher), so a bracket holds
// at most three operators and four values; and there are never more values
// than operators + 1 (a leading sign is one, on a zero). A short text is not
// counted: half its length bounds all of it, and that fits the buffer.
void Machine::Reserve(std::string_view w) {
    if (w.size() <= kShort) {
        values_.reserve(w.size() / 2 + 2);
        operators_.reserve(w.size() / 2 + 1);
        groups_.reserve(w.size() / 2 + 2);
        return;
    }
    std::size_t operators = 0;
    std::size_t opens = 0;
    for (const char c : w) {
        const bool open = c == '(';
        opens += open ? 1 : 0;
        operators += IsOperatorChar(c) && !open && c != ')' ? 1 : 0;
    }
    constexpr std::size_t kPriorities = 3;
    values_.reserve(std::min(operators + 1, (kPriorities + 1) * (opens + 1)));
    operators_.reserve(std::min(operators, kPriorities * (opens + 1)));
    groups_.reserve(opens + 1);
}

// Reads the operand that starts at w[i] and moves i past it: a leading sign
// (arithmetic on zero), a number, a constant, or the opening of a bracket or
// a function call (after which an operand is still wanted). False when no
// operand starts there.
bool Machine::ReadOperand(std::string_view w, std::size_t& i, bool& wantOperand) {
    const char c = w[i];
    // A leading sign is arithmetic on zero: "-x" is "0-x" and "+x" is "x",
    // at the start and right after "(".
    if ((c == '-' || c == '+') && (i == 0 || w[i - 1] == '(')) {
        if (i == 0 && c == '+') {
            ++i;
        } else {
            values_.push_back(Decimal());
            wantOperand = false;
        }
        return true;
    }
    if (IsNumberChar(c)) {
        // The checker let through one point at the most: the number read
        // is all of the digits and point there.
        std::size_t length = 0;
        values_.emplace_back(MadeBy([&] { return ReadDecimal(w.substr(i), length); }));
        wantOperand = false;
        i += length;
        return true;
    }
    if (IsLetter(c)) {
        const std::size_t j = NameEnd(w, i);
        const std::string_view name = w.substr(i, j - i);
        if (j < w.size() && w[j] == '(') {
            const std::optional<Function> f = FindFunction(name);
            if (!f) return false;
            groups_.push_back({static_cast<std::uint32_t>(operators_.size()), f});
            i = j + 1;
            return true;
        }
        if (name == kAnswerName && settings_.answer) {
            values_.push_back(Answer());
        } else {
            std::optional<Decimal> value = FindConstantValue(name, digits_);
            if (!value) return false;
            values_.push_back(*value);
        }
        wantOperand = false;
        i = j;
        return true;
    }
    if (c != '(') return false;
    groups_.push_back({static_cast<std::uint32_t>(operators_.size()), std::nullopt});
    ++i;
    return true;
}

// "ans": the value handed in, or its line evaluated again to this try's
// digits where that line stands alone and agrees with it.
const Decimal& Machine::Answer() {
    const Decimal& given = *settings_.answer;
    if (digits_ <= kTries.front() || settings_.answerLine.empty()) return given;
    if (!answer_) {
        answer_ = given;
        const std::string line = LowerCased(settings_.answerLine);
        if (CheckExpression(line, false).passed) {
            EvalSettings alone = settings_;
            alone.answer = nullptr;
            alone.answerLine = {};
            EvalResult again = EvaluateValue(line, alone, digits_);
            if (again.fault == Fault::None && Overlap(again.value, given))
                answer_ = std::move(again.value);
        }
    }
    return *answer_;
}

EvalResult Machine::Run(std::string_view w) {
    if (w.size() >= UINT32_MAX) return Invalid();
    Reserve(w);
    groups_.push_back({0, std::nullopt});
    bool wantOperand = true;
    std::size_t i = 0;
    while (i < w.size()) {
        if (wantOperand) {
            if (!ReadOperand(w, i, wantOperand)) return Invalid();
            continue;
        }
        const char c = w[i];
        if (c == ')') {
            if (!InBracket()) return Invalid();
            if (!ReduceWhile(Base(), 1)) return Division();
            const Group group = groups_.back();
            groups_.pop_back();
            if (group.function) {
                values_.back() =
                    ApplyFunction(*group.function, values_.back(), settings_.degrees, digits_);
            }
        } else if (const int priority = OperatorPriority(c); priority > 0) {
            if (!ReduceWhile(Base(), priority)) return Division();
            operators_.push_back(c);
            wantOperand = true;
        } else {
            return Invalid();
        }
        ++i;
    }
    if (wantOperand || InBracket()) return Invalid();
    if (!ReduceWhile(0, 1)) return Division();
    // Built member by member: made at once, the result is first zeroed
    // whole (g++'s rep stos, about 7% of a short line's time).
    EvalResult result;
    result.fault = Fault::None;
    result.value = std::move(values_.back());
    return result;
}

// The text as the evaluator reads it: itself where it needs no normalising
// (most lines, then no copy), else normalised into `storage`.
std::string_view Normalized(std::string_view text, std::string& storage) {
    if (!NeedsNormalizing(text)) return text;
    storage.assign(text);
    NormalizeExpression(storage);
    return storage;
}

} // namespace

EvalResult EvaluateValue(std::string_view text, const EvalSettings& settings, int digits) {
    std::string storage;
    return Machine(settings, digits).Run(Normalized(text, storage));
}

EvalResult Evaluate(std::string_view given, const EvalSettings& settings) {
    std::string storage; // normalised once for every try
    return EvaluateNormal(Normalized(given, storage), settings);
}

EvalResult EvaluateNormal(std::string_view text, const EvalSettings& settings) {
    for (std::size_t k = 0;; ++k) {
        EvalResult result = Machine(settings, kTries[k]).Run(text);
        // A fault is decided: no expression, or a divisor that is zero.
        if (result.fault != Fault::None) return result;
        if (std::optional<std::string> shown = TextShowingEveryDigit(result.value, settings)) {
            result.text = std::move(*shown);
            return result;
        }
        if (k + 1 == kTries.size()) {
            // Not every digit asked is proven even at the last try: what it
            // proves.
            result.text = FormatResult(result.value, settings);
            return result;
        }
    }
}

} // namespace quill
