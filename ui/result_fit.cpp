#include "ui/result_fit.h"

#include <charconv>

namespace quill::ui {

namespace {

bool IsDigits(std::string_view text) {
    if (text.empty()) return false;
    for (const char c : text) {
        if (c < '0' || c > '9') return false;
    }
    return true;
}

// A decimal display text, -?D+(.D+)?(e[+-]D+)?, taken apart.
struct DecimalText {
    bool negative = false;
    std::string whole;    // the digits before the point
    std::string fraction; // the digits after it
    bool exponentForm = false;
    long exponent = 0;
};

std::optional<DecimalText> ParseDecimal(std::string_view text) {
    DecimalText out;
    if (text.starts_with('-')) {
        out.negative = true;
        text.remove_prefix(1);
    }
    const std::size_t e = text.find('e');
    if (e != std::string_view::npos) {
        std::string_view power = text.substr(e + 1);
        if (power.empty() || (power[0] != '+' && power[0] != '-')) return std::nullopt;
        const bool down = power[0] == '-';
        power.remove_prefix(1);
        if (!IsDigits(power) || power.size() > 6) return std::nullopt;
        out.exponentForm = true;
        std::from_chars(power.data(), power.data() + power.size(), out.exponent);
        if (down) out.exponent = -out.exponent;
        text = text.substr(0, e);
    }
    const std::size_t point = text.find('.');
    out.whole = std::string(text.substr(0, point));
    if (point != std::string_view::npos) {
        out.fraction = std::string(text.substr(point + 1));
        if (!IsDigits(out.fraction)) return std::nullopt;
    }
    if (!IsDigits(out.whole)) return std::nullopt;
    return out;
}

// `digits` rounded to its first `keep` digits, halves away from zero; true
// when a carry ran out of the front (the result then has keep + 1 digits).
bool RoundDigits(std::string& digits, std::size_t keep) {
    const bool up = keep < digits.size() && digits[keep] >= '5';
    digits.resize(keep);
    if (!up) return false;
    for (std::size_t i = keep; i-- > 0;) {
        if (digits[i] != '9') {
            ++digits[i];
            return false;
        }
        digits[i] = '0';
    }
    digits.insert(digits.begin(), '1');
    return true;
}

// The text as the line shows it: `text` in the style, then the sign that it
// is shortened, then `after` (an exponent) as it stands.
std::wstring Shown(const NumberStyle& style, std::string_view text, bool sign,
                   std::string_view after = {}, std::size_t hidden = 0) {
    std::wstring out = ShownNumber(text, style, hidden);
    if (sign) out += kShortenedSign;
    out.append(after.begin(), after.end());
    return out;
}

// Plain forms with fewer decimals, most first; a nonzero value that would
// round to zero is left out (it would read as 0).
std::optional<std::wstring> FitPlain(const DecimalText& d, int width, const MeasureText& measure,
                                     const NumberStyle& style) {
    const bool zero = (d.whole + d.fraction).find_first_not_of('0') == std::string::npos;
    for (std::size_t places = d.fraction.size(); places-- > 0;) {
        std::string digits = d.whole + d.fraction;
        const std::size_t wholeSize =
            d.whole.size() + (RoundDigits(digits, d.whole.size() + places) ? 1 : 0);
        if (!zero && digits.find_first_not_of('0') == std::string::npos) return std::nullopt;
        std::string text = d.negative ? "-" : "";
        text += digits.substr(0, wholeSize);
        if (places > 0) text += "." + digits.substr(wholeSize);
        std::wstring shown = Shown(style, text, true);
        if (measure(shown) <= width) return shown;
    }
    return std::nullopt;
}

// Exponent forms with fewer significant digits, most first; the one of a
// single digit when none fits.
std::wstring FitExponent(const DecimalText& d, int width, const MeasureText& measure,
                         const NumberStyle& style) {
    const std::string all = d.whole + d.fraction;
    const std::size_t lead = all.find_first_not_of('0');
    const std::string significant = lead == std::string::npos ? "0" : all.substr(lead);
    const long first = lead == std::string::npos ? 0
                                                 : static_cast<long>(d.whole.size()) - 1 -
                                                       static_cast<long>(lead) + d.exponent;
    std::size_t most = significant.size() - (d.exponentForm ? 1 : 0);
    if (most < 1) most = 1;
    std::wstring shown;
    for (std::size_t keep = most; keep >= 1; --keep) {
        std::string digits = significant;
        const long power = first + (RoundDigits(digits, keep) ? 1 : 0);
        digits.resize(keep); // a carry made one digit more: its last is a zero
        std::string mantissa = d.negative ? "-" : "";
        mantissa += digits.substr(0, 1);
        if (keep > 1) mantissa += "." + digits.substr(1);
        const long size = power < 0 ? -power : power;
        std::string exponent = power < 0 ? "e-" : "e+";
        if (size < 10) exponent += '0';
        exponent += std::to_string(size);
        // All the digits in exponent form: nothing is left out, no sign.
        shown = Shown(style, mantissa, keep < significant.size(), exponent);
        if (measure(shown) <= width) break;
    }
    return shown;
}

// Octal ("0" then digits) and hex ("0x" then digits): the leading digits.
std::optional<std::wstring> FitInteger(std::string_view text, int width, const MeasureText& measure,
                                       const NumberStyle& style) {
    const std::size_t prefix = text.starts_with("0x") ? 2 : 1;
    std::wstring shown;
    for (std::size_t keep = text.size() - 1; keep > prefix; --keep) {
        // The hidden digits count in the grouping, so the groups stand
        // where they stand in the whole number.
        shown = Shown(style, text.substr(0, keep), true, {}, text.size() - keep);
        if (measure(shown) <= width) break;
    }
    return shown.empty() ? std::nullopt : std::optional<std::wstring>(shown);
}

bool IsIntegerForm(std::string_view text) {
    if (text.starts_with("0x")) return text.size() > 2;
    return text.size() > 1 && text[0] == '0' && text[1] >= '0' && text[1] <= '9';
}

} // namespace

std::optional<std::wstring> ShortenedResult(std::string_view whole, int width,
                                            const MeasureText& measure, const NumberStyle& style) {
    if (IsIntegerForm(whole)) {
        if (measure(Shown(style, whole, false)) <= width) return std::nullopt;
        return FitInteger(whole, width, measure, style);
    }
    const std::optional<DecimalText> number = ParseDecimal(whole);
    if (!number || measure(Shown(style, whole, false)) <= width) return std::nullopt;
    if (!number->exponentForm) {
        if (std::optional<std::wstring> plain = FitPlain(*number, width, measure, style)) {
            return plain;
        }
    }
    return FitExponent(*number, width, measure, style);
}

} // namespace quill::ui
