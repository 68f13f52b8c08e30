#include "calc/number/number_text.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <vector>

namespace quill {

namespace {

// "00" to "99": digits are written two at a time.
constexpr std::array<char, 200> MakeDigitPairs() {
    std::array<char, 200> pairs{};
    for (std::size_t i = 0; i < 100; ++i) {
        pairs[2 * i] = static_cast<char>('0' + i / 10);
        pairs[2 * i + 1] = static_cast<char>('0' + i % 10);
    }
    return pairs;
}
constexpr std::array<char, 200> kDigitPairs = MakeDigitPairs();

// A whole number below 10^19 with leading zeros up to `width` (at least 1)
// digits, written in place from its last digit.
void AppendLimb(std::string& out, std::uint64_t limb, int width) {
    auto length = static_cast<std::size_t>(std::max(DigitCount(limb), width));
    const std::size_t at = out.size();
    out.resize(at + length);
    char* p = out.data() + at + length;
    for (; length >= 2; length -= 2) {
        p -= 2;
        std::copy_n(&kDigitPairs[2 * (limb % 100)], 2, p);
        limb /= 100;
    }
    if (length == 1) *--p = static_cast<char>('0' + limb);
}

void AppendExponent(std::string& out, std::int64_t exponent) {
    out += exponent < 0 ? "e-" : "e+";
    const auto magnitude = static_cast<std::uint64_t>(exponent < 0 ? -exponent : exponent);
    AppendLimb(out, magnitude, 2);
}

// Any length: the first kExactDigits significant digits, rounded by the
// rest; `length` takes the characters the number takes.
Decimal ReadLongDecimal(std::string_view text, std::size_t& length) {
    // The first kExactDigits significant digits are kept, in limbs of 19;
    // the next decides the rounding, and the rest only whether it is a tie.
    BigInt kept;
    std::uint64_t limb = 0;
    int limbDigits = 0;
    int keptDigits = 0;
    int roundDigit = -1;
    bool sticky = false;
    std::int64_t wholeDigits = 0;  // significant digits before the point
    std::int64_t leadingZeros = 0; // zeros after the point before the first significant digit
    bool afterPoint = false;
    bool significant = false;
    for (length = 0; length < text.size(); ++length) {
        const char c = text[length];
        if (c == '.') {
            if (afterPoint) break;
            afterPoint = true;
            continue;
        }
        if (c < '0' || c > '9') break;
        const int digit = c - '0';
        if (!significant) {
            if (digit == 0) {
                leadingZeros += afterPoint ? 1 : 0;
                continue;
            }
            significant = true;
        }
        wholeDigits += afterPoint ? 0 : 1;
        if (keptDigits < kExactDigits) {
            if (limbDigits == kLimbDigits) {
                kept = kept * SmallTenTo(kLimbDigits) + limb;
                limb = 0;
                limbDigits = 0;
            }
            limb = limb * 10 + static_cast<std::uint64_t>(digit);
            ++limbDigits;
            ++keptDigits;
        } else if (roundDigit < 0) {
            roundDigit = digit;
        } else {
            sticky = sticky || digit != 0;
        }
    }
    if (!significant) return {};
    const std::int64_t scale = wholeDigits > 0 ? wholeDigits - 1 : -(leadingZeros + 1);
    const std::int64_t q = scale - (keptDigits - 1);
    if (keptDigits <= kLimbDigits) return Decimal::MakeExact(false, limb, q);
    kept = kept * SmallTenTo(limbDigits) + limb;
    if (roundDigit < 0) return Decimal::Make(false, kept, q);
    return Decimal::Make(false, kept * 10U + static_cast<unsigned>(roundDigit), q - 1, sticky);
}

// Eight characters at once, the first in the lowest byte.
std::uint64_t EightAt(const char* p) {
    std::uint64_t word = 0;
    std::memcpy(&word, p, sizeof word);
    return word;
}

// How many of the eight characters in `word` are digits before the first
// that is not: 0 to 8. A byte is a digit when its high half is 3 and adding
// 6 keeps it 3; a carry out of a byte above 0xF9 only reaches later bytes.
int DigitRun(std::uint64_t word) {
    constexpr std::uint64_t kHigh = 0xF0F0F0F0F0F0F0F0;
    const std::uint64_t halves = (word & kHigh) | (((word + 0x0606060606060606) & kHigh) >> 4);
    return std::countr_zero(halves ^ 0x3333333333333333) / 8;
}

// The value of the first `run` (0 to 8) digits in `word`: the others
// shifted out (in two steps, as a run of 0 shifts by 64), then the eight
// digits (leading zeros now) combined in pairs, fours and the whole.
std::uint64_t RunValue(std::uint64_t word, int run) {
    const int half = (8 - run) * 4;
    std::uint64_t v = ((word - 0x3030303030303030) << half) << half;
    v = v * 10 + (v >> 8);
    v = (((v & 0x000000FF000000FF) * (100 + (1000000ULL << 32))) +
         (((v >> 16) & 0x000000FF000000FF) * (1 + (10000ULL << 32)))) >>
        32;
    return v;
}

} // namespace

Decimal ReadDecimal(std::string_view text, std::size_t& length) {
    // Most numbers people type have at most 19 digits: one limb, with
    // nothing to round. Where the text is long enough, up to eight digits
    // before the point and eight after are read eight characters at a time,
    // with no branch on where the number ends.
    constexpr std::size_t kWord = 8;
    if (std::endian::native == std::endian::little && text.size() > 2 * kWord) {
        const char* const p = text.data();
        const int whole = DigitRun(EightAt(p));
        const bool point = p[whole] == '.';
        const char* const after = p + whole + (point ? 1 : 0);
        const int decimals = DigitRun(EightAt(after));
        if (whole < static_cast<int>(kWord) && decimals < static_cast<int>(kWord)) {
            length = static_cast<std::size_t>(after + decimals - p);
            const std::uint64_t limb = RunValue(EightAt(p), whole) * SmallTenTo(decimals) +
                                       RunValue(EightAt(after), decimals);
            return Decimal::MakeExact(false, limb, -decimals);
        }
    }
    // The digits before the point, then after, one at a time.
    const char* const begin = text.data();
    const char* const end = begin + text.size();
    const auto digitAt = [end](const char* p) {
        return p != end && static_cast<unsigned char>(*p - '0') < 10;
    };
    std::uint64_t limb = 0; // wraps past 19 digits, and is then not used
    const char* p = begin;
    for (; digitAt(p); ++p)
        limb = limb * 10 + static_cast<std::uint64_t>(*p - '0');
    const std::int64_t whole = p - begin;
    std::int64_t decimals = 0;
    if (p != end && *p == '.') {
        const char* const first = ++p;
        for (; digitAt(p); ++p)
            limb = limb * 10 + static_cast<std::uint64_t>(*p - '0');
        decimals = p - first;
    }
    if (whole + decimals > kLimbDigits) return ReadLongDecimal(text, length);
    length = static_cast<std::size_t>(p - begin);
    return Decimal::MakeExact(false, limb, -decimals);
}

Decimal ReadDecimal(std::string_view text) {
    std::size_t length = 0;
    return ReadDecimal(text, length);
}

namespace {

// The digits of |n| after `out`'s text ("0" for zero).
void AppendDigits(std::string& out, const BigInt& n) {
    if (FitsLimb(n)) {
        AppendLimb(out, LowLimb(n), 1);
        return;
    }
    if (n.backend().size() == 2) {
        // Up to 39 digits, the usual rounded answer's: in 128 bits, with
        // no copy of n.
        const mp::limb_type* limbs = n.backend().limbs();
        unsigned __int128 v = (static_cast<unsigned __int128>(limbs[1]) << 64) | limbs[0];
        const std::uint64_t low = DivideByLimb(v, SmallTenTo(kLimbDigits));
        const std::uint64_t middle = DivideByLimb(v, SmallTenTo(kLimbDigits));
        if (v != 0) AppendLimb(out, static_cast<std::uint64_t>(v), 1);
        AppendLimb(out, middle, v != 0 ? kLimbDigits : 1);
        AppendLimb(out, low, kLimbDigits);
        return;
    }
    // Limbs of 19 digits from the low end, written from the high end; a
    // usual coefficient's fit the stack.
    constexpr std::size_t kInline = 8;
    std::array<std::uint64_t, kInline> few{};
    std::vector<std::uint64_t> many;
    std::size_t count = 0;
    BigInt rest = n;
    while (!rest.is_zero()) {
        const std::uint64_t limb = DivideByLimb(rest, SmallTenTo(kLimbDigits));
        if (count < kInline) {
            few[count] = limb;
        } else {
            if (many.empty()) many.assign(few.begin(), few.end());
            many.push_back(limb);
        }
        ++count;
    }
    const std::uint64_t* limbs = many.empty() ? few.data() : many.data();
    out.reserve(out.size() + count * kLimbDigits);
    AppendLimb(out, limbs[count - 1], 1);
    for (std::size_t i = count - 1; i-- > 0;)
        AppendLimb(out, limbs[i], kLimbDigits);
}

} // namespace

std::string WriteDigits(const BigInt& n) {
    std::string out;
    AppendDigits(out, n);
    return out;
}

namespace {

// ±|n| * 10^-after for after <= places, laid out in place (one allocation at
// the most, as every answer is written so): |n|'s digits with the point
// before the last `after` of them ("0." and zeros first below one), then
// zeros to `places` places; no point for none.
std::string LaidOut(bool negative, const BigInt& n, std::size_t after, std::size_t places) {
    const auto count = static_cast<std::size_t>(std::max(DigitCount(n), 1)); // "0" for zero
    std::string text;
    text.reserve(count + places + 3);
    if (negative) text += '-';
    if (count <= after) {
        text += "0.";
        text.append(after - count, '0');
        AppendDigits(text, n);
    } else {
        AppendDigits(text, n);
        if (after > 0) text.insert(text.size() - after, 1, '.');
    }
    if (places > after) {
        if (after == 0) text += '.';
        text.append(places - after, '0');
    }
    return text;
}

} // namespace

std::string WriteFixed(const Decimal& value, int decimals, Zeros zeros) {
    if (decimals < 0) decimals = 0;
    const auto places = static_cast<std::size_t>(decimals);
    std::string text;
    if (value.IsFinite() && !value.IsInexact() && value.exponent() <= 0 &&
        -value.exponent() <= decimals) {
        // An exact value that ends within the places asked is its own
        // digits: nothing to round, no power of ten to scale them by, and
        // no zeros written only to go again.
        const auto after = static_cast<std::size_t>(-value.exponent());
        text = LaidOut(value.IsNegative(), value.coefficient(), after,
                       zeros == Zeros::Kept ? places : after);
    } else {
        BigInt digits;
        if (!ProvenDigits(value, -decimals, Rounding::HalfAway, digits)) return {};
        text = LaidOut(digits < 0, digits, places, places);
    }
    if (zeros == Zeros::Stripped && text.find('.') != std::string::npos) {
        std::size_t end = text.find_last_not_of('0');
        if (text[end] == '.') --end;
        text.erase(end + 1);
    }
    return text;
}

namespace {

// The most significant digits of the ball proven, at most `most`: their
// text, and the power of ten of the first. False when not even one is.
bool LeadingDigits(const Decimal& value, int most, std::string& digits, std::int64_t& scale) {
    scale = value.Scale();
    int count = most;
    const Bound& r = value.radius();
    if (value.IsInexact()) {
        if (r.IsUnbounded() || value.IsZero()) return false;
        count = static_cast<int>(std::min<std::int64_t>(most, scale - r.Scale() + 1));
    }
    for (; count >= 1; --count) {
        BigInt kept;
        if (!ProvenDigits(value, scale - count + 1, Rounding::HalfAway, kept)) continue;
        digits = WriteDigits(mp::abs(kept));
        if (static_cast<int>(digits.size()) > count) {
            // Rounded up into a new digit: 9.99 became 10.0.
            digits.pop_back();
            ++scale;
        }
        return !kept.is_zero();
    }
    return false;
}

std::string WithExponent(bool negative, const std::string& digits, std::int64_t scale) {
    std::string out = negative ? "-" : "";
    out += digits[0];
    if (digits.size() > 1) {
        out += '.';
        out.append(digits, 1, std::string::npos);
    }
    AppendExponent(out, scale);
    return out;
}

} // namespace

std::string WriteScientific(const Decimal& value) {
    if (IsZeroBall(value)) return "0.000000e+00";
    constexpr int kShown = 7; // significant digits of "%e"
    std::string digits;
    std::int64_t scale = 0;
    if (!LeadingDigits(value, kShown, digits, scale)) return {};
    if (!value.IsInexact()) digits.append(kShown - digits.size(), '0');
    return WithExponent(value.IsNegative(), digits, scale);
}

std::string WriteSignificant(const Decimal& value) {
    if (IsZeroBall(value)) return "0e+00";
    std::string digits;
    std::int64_t scale = 0;
    if (!LeadingDigits(value, kPrecision, digits, scale)) return {};
    digits.erase(std::max<std::size_t>(digits.find_last_not_of('0'), 0) + 1);
    return WithExponent(value.IsNegative(), digits, scale);
}

} // namespace quill
