#include "calc/evaluator.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory_resource>
#include <optional>
#include <string>
#include <vector>

#include "calc/chars.h"
#include "calc/constants.h"
#include "calc/format.h"
#include "calc/functions.h"
#include "calc/number_text.h"
#include "calc/operators.h"

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

// Operator-precedence reduction on explicit stacks.
class Machine {
  public:
    explicit Machine(const EvalSettings& settings) : settings_(settings) {}

    EvalResult Run(std::string_view w);

  private:
    bool ReduceOnce();
    bool ReduceWhile(std::size_t base, int priority);
    std::size_t Base() const { return groups_.empty() ? 0 : groups_.back().operatorBase; }
    void Reserve(std::string_view w);

    const EvalSettings& settings_;
    // The stacks start in a buffer of the machine's own, so a typical line
    // costs no allocation; deeper ones go on to the heap. Each is sized once
    // from the text, so none grows and leaves an outgrown block behind.
    std::array<std::byte, 4096> buffer_;
    static_assert(sizeof buffer_ >= 226 * (sizeof(double) + 1 + sizeof(Group)) + 64,
                  "a short text's stacks fit the buffer");
    std::pmr::monotonic_buffer_resource arena_{buffer_.data(), buffer_.size()};
    std::pmr::vector<double> values_{&arena_};
    std::pmr::string operators_{&arena_};
    std::pmr::vector<Group> groups_{&arena_};
};

// Applies the top operator to the top two values; false on a division by zero.
bool Machine::ReduceOnce() {
    const char op = operators_.back();
    operators_.pop_back();
    const double b = values_.back();
    values_.pop_back();
    const double a = values_.back();
    const std::optional<double> r = ApplyOperator(op, a, b);
    if (!r) return false;
    values_.back() = *r;
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

EvalResult Invalid() {
    return {EvalStatus::Invalid, 0.0, kInvalidArgumentText};
}
EvalResult Division() {
    return {EvalStatus::DivisionByZero, 0.0, kDivisionText};
}

// At most one value more than operators (a leading sign is one, on a zero),
// and one group for each "(". A short text is not counted: half its length
// bounds both for any expression, and that still fits the buffer. (A stack
// that outgrows its size only costs a move.)
void Machine::Reserve(std::string_view w) {
    constexpr std::size_t kShort = 448;
    if (w.size() <= kShort) {
        values_.reserve(w.size() / 2 + 2);
        operators_.reserve(w.size() / 2 + 1);
        groups_.reserve(w.size() / 2 + 1);
        return;
    }
    std::size_t operators = 0;
    std::size_t opens = 0;
    for (const char c : w) {
        const bool open = c == '(';
        opens += open ? 1 : 0;
        operators += IsOperatorChar(c) && !open && c != ')' ? 1 : 0;
    }
    values_.reserve(operators + 1);
    operators_.reserve(operators);
    groups_.reserve(opens);
}

EvalResult Machine::Run(std::string_view w) {
    if (w.size() >= UINT32_MAX) return Invalid();
    Reserve(w);
    bool wantOperand = true;
    std::size_t i = 0;
    while (i < w.size()) {
        const char c = w[i];
        if (wantOperand) {
            // A leading sign is arithmetic on zero: "-x" is "0-x" and "+x"
            // is "x", at the start and right after "(".
            if ((c == '-' || c == '+') && (i == 0 || w[i - 1] == '(')) {
                if (i == 0 && c == '+') {
                    ++i;
                } else {
                    values_.push_back(0.0);
                    wantOperand = false;
                }
                continue;
            }
            if (IsNumberChar(c)) {
                std::size_t j = i;
                while (j < w.size() && IsNumberChar(w[j]))
                    ++j;
                values_.push_back(ReadDecimal(w.substr(i, j - i)));
                wantOperand = false;
                i = j;
            } else if (IsLetter(c)) {
                const std::size_t j = NameEnd(w, i);
                const std::string_view name = w.substr(i, j - i);
                if (j < w.size() && w[j] == '(') {
                    const std::optional<Function> f = FindFunction(name);
                    if (!f) return Invalid();
                    groups_.push_back({static_cast<std::uint32_t>(operators_.size()), f});
                    i = j + 1;
                } else {
                    const std::optional<double> value = FindConstantValue(name);
                    if (!value) return Invalid();
                    values_.push_back(*value);
                    wantOperand = false;
                    i = j;
                }
            } else if (c == '(') {
                groups_.push_back({static_cast<std::uint32_t>(operators_.size()), std::nullopt});
                ++i;
            } else {
                return Invalid();
            }
            continue;
        }
        if (c == ')') {
            if (groups_.empty()) return Invalid();
            if (!ReduceWhile(Base(), 1)) return Division();
            const Group group = groups_.back();
            groups_.pop_back();
            if (group.function) {
                values_.back() = ApplyFunction(*group.function, values_.back(), settings_.bDegrees);
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
    if (wantOperand || !groups_.empty()) return Invalid();
    if (!ReduceWhile(0, 1)) return Division();
    return {EvalStatus::Ok, values_.back(), {}};
}

} // namespace

EvalResult EvaluateValue(std::string_view text, const EvalSettings& settings) {
    Machine machine(settings);
    // Most lines need no normalising, and then need no copy either.
    if (!NeedsNormalizing(text)) return machine.Run(text);
    std::string w(text);
    NormalizeExpression(w);
    return machine.Run(w);
}

EvalResult Evaluate(std::string_view text, const EvalSettings& settings) {
    EvalResult result = EvaluateValue(text, settings);
    if (result.status == EvalStatus::Ok) result.text = FormatResult(result.value, settings);
    return result;
}

} // namespace quill
