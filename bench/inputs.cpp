#include "bench/inputs.h"

#include <array>
#include <string_view>

namespace quill::bench {

namespace {

// Sums people type: money, percentages, quotients that do not end, and
// powers, with every operator and brackets.
constexpr std::array<std::string_view, 12> kPieces = {
    "12345.67*1.19", "250/3",   "19.99*3",     "(3.5-1.25)*4", "2^10", "0.125%8",
    "(1+2)*(3+4)",   "12.75/5", "99999.99-17", "987.123*3",    "16#2", "7-9*2",
};

// Layers of the nested text, outermost first, with the text that closes each.
struct Layer {
    std::string_view open, close;
};
constexpr std::array<Layer, 4> kLayers = {
    {{"(1+", ")"}, {"(2*", ")/3"}, {"(", "-0.25)"}, {"(", "%8)"}}};

} // namespace

std::string TypicalText() {
    return "12345.67*1.19-250/3+19.99*3";
}

std::string FunctionsText() {
    return "2.5*(3.75+sin(pi/6))-169#2/e^2";
}

std::string FlatText(std::size_t bytes) {
    std::string out;
    out.reserve(bytes);
    std::size_t i = 0;
    for (;;) {
        const std::string_view piece = kPieces[i++ % kPieces.size()];
        const std::size_t need = (out.empty() ? 0 : 1) + piece.size();
        const std::size_t left = bytes - out.size();
        // Stop before a piece that would not fit or would leave one byte,
        // which no "+number" can fill.
        if (need > left || left - need == 1) break;
        if (!out.empty()) out += '+';
        out += piece;
    }
    const std::size_t left = bytes - out.size();
    if (out.empty()) {
        out.assign(left, '1');
    } else if (left > 0) {
        out += '+';
        out.append(left - 1, '1');
    }
    return out;
}

std::string NestedText(std::size_t depth) {
    std::string out;
    for (std::size_t i = 0; i < depth; ++i)
        out += kLayers[i % kLayers.size()].open;
    out += '1';
    for (std::size_t i = depth; i-- > 0;)
        out += kLayers[i % kLayers.size()].close;
    return out;
}

} // namespace quill::bench
