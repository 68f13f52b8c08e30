#include "cli/visible_text.h"

namespace quill::cli {

namespace {

constexpr char kHex[] = "0123456789abcdef";

bool IsC0OrDel(unsigned char c) {
    return c < 0x20 || c == 0x7F;
}

bool IsC1(unsigned char c) {
    return c >= 0x80 && c <= 0x9F;
}

// A C1 control as UTF-8 (C2 80 to C2 9F) begins at `i`.
bool IsUtf8C1(std::string_view text, std::size_t i) {
    return static_cast<unsigned char>(text[i]) == 0xC2 && i + 1 < text.size() &&
           IsC1(static_cast<unsigned char>(text[i + 1]));
}

// A byte that belongs to a UTF-8 character (a continuation byte after its
// lead) is shown as it is; only a lone one in the C1 range is escaped.
bool IsContinuation(std::string_view text, std::size_t i) {
    std::size_t lead = i;
    while (lead > 0 && i - lead < 3 && (static_cast<unsigned char>(text[lead]) & 0xC0) == 0x80) {
        --lead;
    }
    const auto first = static_cast<unsigned char>(text[lead]);
    const std::size_t length = first >= 0xF0 ? 4 : first >= 0xE0 ? 3 : first >= 0xC2 ? 2 : 1;
    return lead < i && i - lead < length && first < 0xF5;
}

std::string Hex(unsigned char c) {
    return {kHex[c >> 4], kHex[c & 0xF]};
}

} // namespace

std::string VisibleText(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c != '\t' && IsC0OrDel(c)) {
            out += '^';
            out += static_cast<char>(c ^ 0x40);
        } else if (IsUtf8C1(text, i)) {
            out += "\\u00" + Hex(static_cast<unsigned char>(text[++i]));
        } else if (IsC1(c) && !IsContinuation(text, i)) {
            out += "\\x" + Hex(c);
        } else {
            out += text[i];
        }
    }
    return out;
}

std::vector<int> VisibleWidths(std::string_view text) {
    std::vector<int> widths(text.size(), 1);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c != '\t' && IsC0OrDel(c)) {
            widths[i] = 2;
        } else if (IsUtf8C1(text, i)) {
            widths[i] = 6;
            widths[++i] = 0;
        } else if (IsC1(c) && !IsContinuation(text, i)) {
            widths[i] = 4;
        }
    }
    return widths;
}

std::string TsvField(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        switch (c) {
        case '\t':
            out += "\\t";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\0':
            out += "\\0";
            break;
        default:
            if (IsC0OrDel(c) || (IsC1(c) && !IsContinuation(text, i))) {
                out += "\\x" + Hex(c);
            } else if (IsUtf8C1(text, i)) {
                out += "\\u00" + Hex(static_cast<unsigned char>(text[++i]));
            } else {
                out += text[i];
            }
        }
    }
    return out;
}

} // namespace quill::cli
