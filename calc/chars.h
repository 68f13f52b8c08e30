// Character classes shared by the checker and the evaluator, and the
// normalisation both apply to their copy of an expression.
//
// Classification is by ASCII: a byte of 0x80 or above belongs to no class.
#pragma once

#include <string>
#include <vector>

namespace quill {

// One of # % ( ) * + - / ^ (the brackets count as operator characters).
bool IsOperatorChar(char c);
// A digit 0-9 or the decimal point.
bool IsNumberChar(char c);
bool IsDigit(char c);
// A-Z or a-z.
bool IsLetter(char c);

// Removes every space, turns every ',' into '.', and removes CR LF pairs
// (repeatedly, so CR CR LF LF goes entirely). Tabs and other white space stay.
// Runs in linear time.
void NormalizeExpression(std::string& text);

// The same normalisation, keeping `map` (one entry per character of `text`)
// in step: every deleted character takes its entry with it.
void NormalizeExpression(std::string& text, std::vector<int>& map);

} // namespace quill
