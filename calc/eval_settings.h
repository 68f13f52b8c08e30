// The three settings that evaluation reads, handed in for each evaluation so
// that every result follows the values current at that moment, and the last
// answer, which the name "ans" stands for.
#pragma once

#include <cstdint>
#include <string_view>

namespace quill {

class Decimal;

// How a result is shown; the settings record stores these in this order.
enum class Format : std::uint8_t { Decimal, Octal, Hex, Exponent };

// Rounding places: kAutoPlaces for "Auto" (twelve decimals, trailing zeros
// stripped), else exactly that many decimals, 0 to kMaxPlaces.
inline constexpr int kAutoPlaces = -1;
inline constexpr int kMaxPlaces = 9;

struct EvalSettings {
    int places = kAutoPlaces; // only the "Decimal" format rounds
    Format format = Format::Decimal;
    bool degrees = false; // sin, cos, tan take degrees; asin, acos, atan give degrees
    // The value "ans" stands for; none before any answer, and then the
    // checker refuses the name. The caller keeps it alive for the call.
    const Decimal* answer = nullptr;
    // The line `answer` is the answer of, when known. A try that wants more
    // digits than `answer` holds evaluates that line again, when it holds
    // no "ans" of its own, and takes the value if it lies within `answer`'s
    // ball (so a line typed under other settings changes nothing). The
    // caller keeps the text alive for the call.
    std::string_view answerLine = {};
};

} // namespace quill
