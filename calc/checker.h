// The expression checker: finds the first fault of an expression and says
// what to type, with the caret or selection that marks its place.
//
// A pure function of the text: it never changes anything, never throws, and
// scans in linear time without recursion. Every text it passes evaluates to a
// value or to a division by zero.
#pragma once

#include <string>
#include <string_view>

namespace quill {

inline constexpr const char* kEnterExpression = "Enter expression    ";
inline constexpr const char* kPasteNumber = "Paste number here   ";
inline constexpr const char* kPasteOperator = "Paste operator here ";
inline constexpr const char* kUnknownFunction = "Unknown function";
inline constexpr const char* kUnknownConstant = "Unknown constant";
inline constexpr const char* kMissingOpen = "Missing '('";
inline constexpr const char* kMissingClose = "Missing ')'";
inline constexpr const char* kMissingBoth = "Missing '(' and ')'";

// " Together 'ab'  ": two operator characters that may not stand side by side.
std::string TogetherMessage(char first, char second);
// "Unknown symbol 'c'".
std::string UnknownSymbolMessage(char symbol);

struct CheckResult {
    bool passed = true;
    std::string message; // the text for the result line, when not passed
    // Whether the expression line gets a new caret or selection; false for a
    // pass and for the three "Missing" messages.
    bool select = false;
    // Indices into the text as handed in, as for EM_SETSEL: start == end is a
    // caret, end -1 selects to the end of the text.
    int start = 0;
    int end = 0;
};

CheckResult CheckExpression(std::string_view text);

} // namespace quill
