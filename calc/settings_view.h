// The three settings that evaluation reads, handed in for each evaluation so
// that every result follows the values current at that moment.
#pragma once

namespace quill {

// Output formats, as stored in the settings record's nFormat.
enum Format : int { kDecimal = 0, kOctal = 1, kHex = 2, kExponent = 3 };

// nRound's value for "Auto": no fixed number of decimal places.
inline constexpr int kRoundAuto = -1;

struct EvalSettings {
    int nRound = kRoundAuto; // -1 "Auto", else 0 to 9 decimal places
    int nFormat = kDecimal;  // see Format; any other number prints "%d"
    bool bDegrees = false;   // sin, cos, tan take degrees; asin, acos, atan give degrees
};

} // namespace quill
