// Every fault an expression can meet on its way to an answer, and the one
// table of the texts the result line shows for them (padding included: the
// line shows them as they stand). Portable; no allocation but the quoting
// messages' strings.
#pragma once

#include <string>
#include <string_view>

namespace quill {

enum class Fault {
    None,
    // The checker's, in the order it looks for them.
    EnterExpression, // the text is empty or a lone operator
    PasteNumber,     // a number is missing at the caret
    PasteOperator,   // an operator is missing at the caret
    Together,        // two operators that may not stand side by side (quoted)
    UnknownFunction,
    UnknownConstant,
    NoAnswer,      // "ans" before any answer
    UnknownSymbol, // a character of no expression (quoted)
    MissingOpen,
    MissingClose,
    MissingBoth,
    // The evaluator's and the answer's.
    DivisionByZero,
    InvalidArgument,
    OutOfMemory,
    TooLong, // longer than a position can count
    // No expression's: the window's, once, when its history file cannot be
    // kept (answers go on; only the file is not written).
    HistoryNotKept,
};

// Whether the checker refused the text with this fault (its faults stand
// first, together).
constexpr bool IsCheckerFault(Fault fault) {
    return fault >= Fault::EnterExpression && fault <= Fault::MissingBoth;
}

// The text of a fault; Together quotes its two characters and UnknownSymbol
// its one (`quoted`), the others take none. Empty for None.
constexpr const char* FaultText(Fault fault) {
    switch (fault) {
    case Fault::None:
        return "";
    case Fault::EnterExpression:
        return "Enter expression    ";
    case Fault::PasteNumber:
        return "Paste number here   ";
    case Fault::PasteOperator:
        return "Paste operator here ";
    case Fault::Together:
        return " Together '";
    case Fault::UnknownFunction:
        return "Unknown function";
    case Fault::UnknownConstant:
        return "Unknown constant";
    case Fault::NoAnswer:
        return "No answer yet";
    case Fault::UnknownSymbol:
        return "Unknown symbol '";
    case Fault::MissingOpen:
        return "Missing '('";
    case Fault::MissingClose:
        return "Missing ')'";
    case Fault::MissingBoth:
        return "Missing '(' and ')'";
    case Fault::DivisionByZero:
        return "Division to the zero!";
    case Fault::InvalidArgument:
        return "An invalid argument was encountered.";
    case Fault::OutOfMemory:
        return "Out of memory";
    case Fault::TooLong:
        return "Expression too long";
    case Fault::HistoryNotKept:
        return "History not kept";
    }
    return "";
}

// What the result line shows for a value none of whose digits its error
// bound proves. An answer, not a refusal: the fault stays None.
inline constexpr const char* kNotEnoughDigitsText = "Not enough digits";

// The whole message: FaultText, and for the quoting faults the characters
// and the closing quote (" Together 'ab'  ", "Unknown symbol 'c'").
std::string FaultMessage(Fault fault, std::string_view quoted = {});

} // namespace quill
