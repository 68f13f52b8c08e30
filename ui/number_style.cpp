#include "ui/number_style.h"

namespace quill::ui {

namespace {

constexpr std::wstring_view kPoint = L".";
constexpr std::wstring_view kComma = L",";
const std::vector<int> kHexGroups = {4, 0};

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}
bool IsHexDigit(char c) {
    return IsDigit(c) || (c >= 'a' && c <= 'f');
}

// Whether a separator stands where `right` digits of the whole part lie to
// its right.
bool IsBoundary(std::size_t right, const std::vector<int>& groups) {
    std::size_t at = 0;
    int last = 0;
    for (const int size : groups) {
        if (size == 0) return last > 0 && right > at && (right - at) % last == 0;
        last = size;
        at += static_cast<std::size_t>(size);
        if (right <= at) return right == at;
    }
    return false;
}

void AppendGrouped(std::wstring& out, std::string_view digits, std::size_t hidden,
                   const std::vector<int>& groups, std::wstring_view separator) {
    const std::size_t total = digits.size() + hidden;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && !separator.empty() && IsBoundary(total - i, groups)) out.append(separator);
        out += static_cast<wchar_t>(digits[i]);
    }
}

void AppendAscii(std::wstring& out, std::string_view text) {
    for (const char c : text)
        out += static_cast<wchar_t>(static_cast<unsigned char>(c));
}

std::size_t RunOf(std::string_view text, std::size_t at, bool (*is)(char)) {
    std::size_t end = at;
    while (end < text.size() && is(text[end]))
        ++end;
    return end;
}

// Hex after its "0x" (the text's rest from `at`): its digits in fours.
std::wstring ShownHex(std::string_view plain, std::size_t at, const NumberStyle& style,
                      std::size_t hidden) {
    std::wstring out;
    AppendAscii(out, plain.substr(0, at));
    const std::size_t end = RunOf(plain, at, IsHexDigit);
    const bool grouped = !style.groups.empty();
    AppendGrouped(out, plain.substr(at, end - at), hidden, kHexGroups,
                  grouped ? std::wstring_view(&kHexSeparator, 1) : std::wstring_view());
    AppendAscii(out, plain.substr(end));
    return out;
}

} // namespace

std::vector<int> ParseGrouping(std::wstring_view grouping) {
    std::vector<int> groups;
    for (std::size_t at = 0; at <= grouping.size();) {
        const std::size_t end = std::min(grouping.find(L';', at), grouping.size());
        const std::wstring_view piece = grouping.substr(at, end - at);
        if (piece.size() != 1 || piece[0] < L'0' || piece[0] > L'9') break;
        groups.push_back(piece[0] - L'0');
        if (groups.back() == 0) break;
        at = end + 1;
    }
    if (!groups.empty() && groups.front() == 0) groups.clear();
    return groups;
}

NumberStyle StyleOf(std::wstring_view decimal, std::wstring_view thousands,
                    std::wstring_view grouping, bool groupDigits, DecimalMark mark) {
    NumberStyle style;
    if (mark == DecimalMark::Point) {
        style.decimal = kPoint;
    } else if (mark == DecimalMark::Comma) {
        style.decimal = kComma;
    } else {
        style.decimal = decimal.empty() ? kPoint : decimal;
    }
    style.thousands = thousands;
    if (style.thousands == style.decimal) {
        style.thousands = style.decimal == kComma ? kPoint : kComma;
    }
    if (groupDigits && !style.thousands.empty()) style.groups = ParseGrouping(grouping);
    return style;
}

std::wstring ShownNumber(std::string_view plain, const NumberStyle& style,
                         std::size_t hiddenDigits) {
    const std::size_t start = plain.starts_with('-') ? 1 : 0;
    if (plain.substr(start).starts_with("0x"))
        return ShownHex(plain, start + 2, style, hiddenDigits);
    const std::size_t wholeEnd = RunOf(plain, start, IsDigit);
    std::wstring out;
    const bool octal = wholeEnd - start > 1 && plain[start] == '0';
    if (wholeEnd == start || octal) {
        AppendAscii(out, plain); // no decimal number: a word, or octal
        return out;
    }
    AppendAscii(out, plain.substr(0, start));
    const bool exponentForm = plain.find('e', wholeEnd) != std::string_view::npos;
    AppendGrouped(out, plain.substr(start, wholeEnd - start), 0,
                  exponentForm ? std::vector<int>() : style.groups, style.thousands);
    std::size_t at = wholeEnd;
    if (at < plain.size() && plain[at] == '.') {
        out.append(style.decimal);
        ++at;
    }
    AppendAscii(out, plain.substr(at));
    return out;
}

std::wstring WithoutSeparators(std::wstring_view shown, const NumberStyle& style) {
    const auto digit = [](wchar_t c) { return c >= L'0' && c <= L'9'; };
    const auto hexDigit = [&](wchar_t c) { return digit(c) || (c >= L'a' && c <= L'f'); };
    std::wstring out;
    for (std::size_t i = 0; i < shown.size();) {
        // A separator stands between two digits; words keep their spaces.
        const bool afterDigit = !out.empty() && hexDigit(out.back());
        const std::wstring_view rest = shown.substr(i);
        const std::size_t size = !style.thousands.empty() && rest.starts_with(style.thousands)
                                     ? style.thousands.size()
                                     : (rest[0] == kHexSeparator ? 1 : 0);
        const bool between =
            afterDigit && size > 0 && size < rest.size() &&
            (size == 1 && rest[0] == kHexSeparator ? hexDigit(rest[size]) : digit(rest[size]));
        if (between) {
            i += size;
        } else {
            out += shown[i++];
        }
    }
    return out;
}

bool IsNumberFormatChange(const wchar_t* area) {
    if (area == nullptr) return false;
    constexpr std::wstring_view kIntl = L"intl";
    std::size_t i = 0;
    for (; area[i] != L'\0' && i < kIntl.size(); ++i) {
        const wchar_t c = area[i] >= L'A' && area[i] <= L'Z' ? area[i] - L'A' + L'a' : area[i];
        if (c != kIntl[i]) return false;
    }
    return i == kIntl.size() && area[i] == L'\0';
}

} // namespace quill::ui
