#include "ui/link_style.h"

#include "calc/chars.h"

namespace quill::ui {

namespace {

constexpr Background kFace{true, {0, 0, 0}};
constexpr Background Fixed(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    return {false, {r, g, b}};
}

constexpr std::array<LinkStyle, kLinkStyleCount> kStyles{{
    // text          hovered          back   back hovered            ul     ul hov frame  frame
    // colour
    {{50, 50, 200}, {50, 50, 50}, kFace, Fixed(180, 190, 220), false, false, false, {50, 50, 50}},
    {{50, 50, 250}, {50, 50, 150}, kFace, Fixed(180, 190, 220), false, false, true, {50, 50, 150}},
    {{50, 50, 150}, {50, 50, 50}, kFace, Fixed(210, 210, 210), false, false, true, {50, 50, 50}},
    {{0, 0, 250}, {0, 0, 250}, kFace, kFace, false, true, false, {50, 50, 50}},
    {{50, 50, 150}, {250, 10, 10}, kFace, kFace, true, false, false, {50, 50, 50}},
    {{50, 50, 150}, {250, 10, 10}, kFace, kFace, true, true, false, {50, 50, 50}},
    {{50, 50, 250}, {50, 50, 50}, kFace, Fixed(240, 240, 0), false, false, true, {50, 50, 50}},
    {{50, 50, 250}, {250, 250, 250}, kFace, Fixed(90, 130, 220), false, false, false, {50, 50, 50}},
}};

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
    if (text.size() < prefix.size()) return false;
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        if (ToLowerAscii(text[i]) != prefix[i]) return false;
    }
    return true;
}

} // namespace

const std::array<LinkStyle, kLinkStyleCount>& LinkStyles() {
    return kStyles;
}

std::string MakeTipText(std::string_view caption, bool tipOn) {
    if (!tipOn) return std::string(caption);
    constexpr std::string_view kHttp = "http://";
    constexpr std::string_view kMailto = "mailto:";
    if (StartsWithNoCase(caption, kHttp))
        return "Go to " + std::string(caption.substr(kHttp.size()));
    if (StartsWithNoCase(caption, kMailto))
        return "E-mail " + std::string(caption.substr(kMailto.size()));
    return "Go to " + std::string(caption);
}

} // namespace quill::ui
