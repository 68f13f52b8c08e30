#include "cli/history_text.h"

namespace quill::cli {

namespace {

constexpr std::string_view kMagic = "_HiStOrY_V2_";

bool IsOctal(char c) {
    return c >= '0' && c <= '7';
}

// The control character that ^c names: ^? is DEL.
char Control(char c) {
    return c == '?' ? '\x7f' : static_cast<char>(c & 0x1f);
}

// One escaped line back to its bytes.
std::string Unescape(std::string_view line) {
    std::string out;
    out.reserve(line.size());
    std::size_t i = 0;
    const auto left = [&](std::size_t n) { return line.size() - i >= n; };
    while (i < line.size()) {
        if (line[i] != '\\' || !left(2)) {
            out += line[i++];
            continue;
        }
        const char kind = line[i + 1];
        if (left(4) && IsOctal(kind) && IsOctal(line[i + 2]) && IsOctal(line[i + 3])) {
            out += static_cast<char>(((kind - '0') << 6) | ((line[i + 2] - '0') << 3) |
                                     (line[i + 3] - '0'));
            i += 4;
        } else if (kind == '^' && left(3)) {
            out += Control(line[i + 2]);
            i += 3;
        } else if (kind == 'M' && left(4) && (line[i + 2] == '-' || line[i + 2] == '^')) {
            const char c = line[i + 2] == '-' ? line[i + 3] : Control(line[i + 3]);
            out += static_cast<char>(static_cast<unsigned char>(c) | 0x80);
            i += 4;
        } else {
            out += kind; // "\\" and any other escaped character stand for themselves
            i += 2;
        }
    }
    return out;
}

} // namespace

std::vector<std::string> ParseHistory(std::string_view text) {
    std::vector<std::string> entries;
    bool escaped = false;
    bool first = true;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        // A file written with CR LF: the CR ends the line too (ours escape a
        // CR that is part of an entry).
        if (line.ends_with('\r')) line.remove_suffix(1);
        if (first && line == kMagic) {
            escaped = true;
        } else {
            entries.push_back(escaped ? Unescape(line) : std::string(line));
        }
        first = false;
    }
    return entries;
}

std::string FormatHistory(const std::vector<std::string>& entries) {
    std::string out(kMagic);
    out += '\n';
    for (const std::string& entry : entries) {
        for (const char c : entry) {
            const auto byte = static_cast<unsigned char>(c);
            if (byte > ' ' && byte < 0x7f && c != '\\') {
                out += c;
                continue;
            }
            out += '\\';
            out += static_cast<char>('0' + (byte >> 6));
            out += static_cast<char>('0' + ((byte >> 3) & 7));
            out += static_cast<char>('0' + (byte & 7));
        }
        out += '\n';
    }
    return out;
}

std::vector<std::string> WithEntry(std::vector<std::string> entries, const std::string& line,
                                   std::size_t keep) {
    if (entries.empty() || entries.back() != line) entries.push_back(line);
    if (entries.size() > keep)
        entries.erase(entries.begin(), entries.end() - static_cast<std::ptrdiff_t>(keep));
    return entries;
}

} // namespace quill::cli
