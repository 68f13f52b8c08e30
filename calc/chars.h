// Character classes shared by the checker and the evaluator, and the
// normalisation both apply to their copy of an expression.
//
// Classification is by ASCII: a byte of 0x80 or above belongs to no class.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace quill {

namespace chars_detail {

enum : unsigned char { kOperator = 1, kDigit = 2, kPoint = 4, kLetter = 8, kNormalized = 16 };

// One entry per byte value: the checker and the evaluator ask these
// questions of every character, so they are one table lookup each.
constexpr std::array<unsigned char, 256> MakeClassTable() {
    std::array<unsigned char, 256> table{};
    for (const char c : {'#', '%', '(', ')', '*', '+', '-', '/', '^'})
        table[static_cast<unsigned char>(c)] = kOperator;
    for (int c = '0'; c <= '9'; ++c)
        table[static_cast<std::size_t>(c)] = kDigit;
    table['.'] = kPoint;
    table[' '] = table[','] = table['\r'] = kNormalized; // what normalising removes or replaces
    for (int c = 'A'; c <= 'Z'; ++c)
        table[static_cast<std::size_t>(c)] = kLetter;
    for (int c = 'a'; c <= 'z'; ++c)
        table[static_cast<std::size_t>(c)] = kLetter;
    return table;
}

inline constexpr std::array<unsigned char, 256> kClassTable = MakeClassTable();

constexpr bool Is(char c, unsigned char classes) {
    return (kClassTable[static_cast<unsigned char>(c)] & classes) != 0;
}

} // namespace chars_detail

// One of # % ( ) * + - / ^ (the brackets count as operator characters).
constexpr bool IsOperatorChar(char c) {
    return chars_detail::Is(c, chars_detail::kOperator);
}
// A digit 0-9 or the decimal point.
constexpr bool IsNumberChar(char c) {
    return chars_detail::Is(c, chars_detail::kDigit | chars_detail::kPoint);
}
constexpr bool IsDigit(char c) {
    return chars_detail::Is(c, chars_detail::kDigit);
}
// A-Z or a-z.
constexpr bool IsLetter(char c) {
    return chars_detail::Is(c, chars_detail::kLetter);
}

// A-Z become a-z; every other byte stays.
constexpr char ToLowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// The text with A-Z as a-z, as the checker and the evaluator read it.
std::string LowerCased(std::string_view text);

// The end of the name that begins at `start` with a letter: letters and
// digits follow; a point, like anything else, ends it.
constexpr std::size_t NameEnd(std::string_view text, std::size_t start) {
    std::size_t end = start + 1;
    while (end < text.size() && (IsLetter(text[end]) || IsDigit(text[end])))
        ++end;
    return end;
}

// Whether NormalizeExpression would change `text` (it has a space, a comma
// or a CR); one pass, since most lines need nothing.
constexpr bool NeedsNormalizing(std::string_view text) {
    for (const char c : text) {
        if (chars_detail::Is(c, chars_detail::kNormalized)) return true;
    }
    return false;
}

// Removes every space, turns every ',' into '.', and removes CR LF pairs
// (repeatedly, so CR CR LF LF goes entirely). Tabs and other white space stay.
// Runs in linear time.
void NormalizeExpression(std::string& text);

// The same normalisation, keeping `map` (one entry per character of `text`)
// in step: every deleted character takes its entry with it.
void NormalizeExpression(std::string& text, std::vector<int>& map);

} // namespace quill
