#include "calc/chars.h"

namespace quill {

namespace {

// Shared body of both overloads; `map` may be null.
void Normalize(std::string& text, std::vector<int>* map) {
    // Pass 1 and 2: drop spaces, turn commas into points.
    std::size_t out = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == ' ') continue;
        text[out] = c == ',' ? '.' : c;
        if (map) (*map)[out] = (*map)[i];
        ++out;
    }
    // Pass 3: drop CR LF pairs. Deleting one pair can bring a CR next to an
    // LF, so a LF that follows a kept CR takes that CR away with it.
    std::size_t kept = 0;
    for (std::size_t i = 0; i < out; ++i) {
        const char c = text[i];
        if (c == '\n' && kept > 0 && text[kept - 1] == '\r') {
            --kept;
            continue;
        }
        text[kept] = c;
        if (map) (*map)[kept] = (*map)[i];
        ++kept;
    }
    text.resize(kept);
    if (map) map->resize(kept);
}

} // namespace

std::string LowerCased(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        c = ToLowerAscii(c);
    return out;
}

void NormalizeExpression(std::string& text) {
    Normalize(text, nullptr);
}

void NormalizeExpression(std::string& text, std::vector<int>& map) {
    map.resize(text.size());
    Normalize(text, &map);
}

} // namespace quill
