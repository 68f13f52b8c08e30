#include "app/history_text.h"

#include <algorithm>

#include "calc/number/value_text.h"

namespace quill {

namespace {

constexpr char kHex[] = "0123456789abcdef";
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

void AppendEscaped(std::string& out, std::string_view field) {
    for (const char c : field) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '\\') {
            out += "\\\\";
        } else if (c == '\t') {
            out += "\\t";
        } else if (c == '\n') {
            out += "\\n";
        } else if (c == '\r') {
            out += "\\r";
        } else if (byte < 0x20 || byte == 0x7F) {
            out.append("\\x").append(1, kHex[byte >> 4]).append(1, kHex[byte & 15]);
        } else {
            out += c;
        }
    }
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// One field with its escapes undone; none for an escape we never write.
std::optional<std::string> Unescaped(std::string_view field) {
    std::string out;
    for (std::size_t i = 0; i < field.size(); ++i) {
        if (field[i] != '\\') {
            out += field[i];
            continue;
        }
        if (++i == field.size()) return std::nullopt;
        switch (field[i]) {
        case '\\':
            out += '\\';
            break;
        case 't':
            out += '\t';
            break;
        case 'n':
            out += '\n';
            break;
        case 'r':
            out += '\r';
            break;
        case 'x': {
            const int high = i + 2 < field.size() ? HexDigit(field[i + 1]) : -1;
            const int low = high >= 0 ? HexDigit(field[i + 2]) : -1;
            if (low < 0) return std::nullopt;
            out += static_cast<char>(high * 16 + low);
            i += 2;
            break;
        }
        default:
            return std::nullopt;
        }
    }
    return out;
}

// Whether the bytes are UTF-8 (no overlong forms, no surrogates).
bool IsUtf8(std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        const auto b = static_cast<unsigned char>(text[i]);
        if (b < 0x80) {
            ++i;
            continue;
        }
        int more = 0;
        unsigned min = 0;
        unsigned code = 0;
        if (b >= 0xC2 && b <= 0xDF) {
            more = 1, min = 0x80, code = b & 0x1F;
        } else if (b >= 0xE0 && b <= 0xEF) {
            more = 2, min = 0x800, code = b & 0x0F;
        } else if (b >= 0xF0 && b <= 0xF4) {
            more = 3, min = 0x10000, code = b & 0x07;
        } else {
            return false;
        }
        if (i + static_cast<std::size_t>(more) >= text.size()) return false;
        for (int k = 1; k <= more; ++k) {
            const auto c = static_cast<unsigned char>(text[i + static_cast<std::size_t>(k)]);
            if ((c & 0xC0) != 0x80) return false;
            code = (code << 6) | (c & 0x3F);
        }
        if (code < min || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return false;
        i += static_cast<std::size_t>(more) + 1;
    }
    return true;
}

// One line of ours: two or three fields of UTF-8 (escapes undone), the
// expression not empty.
std::optional<HistoryEntry> ParseEntry(std::string_view line) {
    std::vector<std::string> fields;
    for (std::size_t at = 0;;) {
        const std::size_t tab = line.find('\t', at);
        std::optional<std::string> field = Unescaped(line.substr(at, tab - at));
        if (!field || !IsUtf8(*field)) return std::nullopt;
        fields.push_back(std::move(*field));
        if (tab == std::string_view::npos) break;
        at = tab + 1;
    }
    if (fields.size() < 2 || fields.size() > 3 || fields[0].empty()) return std::nullopt;
    HistoryEntry entry{std::move(fields[0]), std::move(fields[1]), {}};
    if (fields.size() == 3) entry.value = std::move(fields[2]);
    return entry;
}

} // namespace

std::string EntryLine(const HistoryEntry& entry) {
    std::string line;
    // A line that starts with '#' is a person's note.
    if (entry.expression.starts_with('#')) line = "\\x23";
    AppendEscaped(line, std::string_view(entry.expression).substr(line.empty() ? 0 : 1));
    line += '\t';
    AppendEscaped(line, entry.answer);
    if (!entry.value.empty()) {
        line += '\t';
        AppendEscaped(line, entry.value);
    }
    return line;
}

std::string HistoryFileText(std::span<const HistoryEntry> entries) {
    std::string text(kHistoryMark);
    text.append(kHistoryHeaderRest).append("\n");
    for (const HistoryEntry& entry : entries) {
        std::string line = EntryLine(entry);
        if (line.size() <= kMostEntryBytes) text.append(line).append("\n");
    }
    return text;
}

ParsedHistory ParseHistoryFile(std::string_view text) {
    ParsedHistory parsed;
    if (text.starts_with(kByteOrderMark)) text.remove_prefix(kByteOrderMark.size());
    bool first = true;
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t end = std::min(text.find('\n', at), text.size());
        std::string_view line = text.substr(at, end - at);
        at = end + 1;
        if (line.ends_with('\r')) line.remove_suffix(1);
        if (first) {
            first = false;
            if (!line.starts_with(kHistoryMark)) break;
            parsed.ours = true;
            continue;
        }
        if (line.empty() || line.starts_with('#')) continue; // a person's note
        if (std::optional<HistoryEntry> entry = ParseEntry(line)) {
            parsed.entries.push_back(std::move(*entry));
        } else {
            ++parsed.damaged;
        }
    }
    return parsed;
}

void ApplyEdit(std::vector<HistoryEntry>& entries, const HistoryEdit& edit, std::size_t keep) {
    switch (edit.kind) {
    case HistoryEdit::Kind::Add:
        if (entries.empty() || entries.back() != edit.entry) entries.push_back(edit.entry);
        break;
    case HistoryEdit::Kind::Remove: {
        const auto newest = std::find(entries.rbegin(), entries.rend(), edit.entry);
        if (newest != entries.rend()) entries.erase(std::next(newest).base());
        break;
    }
    case HistoryEdit::Kind::Clear:
        entries.clear();
        break;
    }
    KeepNewest(entries, keep);
}

void KeepNewest(std::vector<HistoryEntry>& entries, std::size_t keep) {
    if (entries.size() > keep) {
        entries.erase(entries.begin(), entries.end() - static_cast<std::ptrdiff_t>(keep));
    }
}

std::optional<Decimal> LastAnswer(std::span<const HistoryEntry> entries) {
    for (auto it = entries.rbegin(); it != entries.rend(); ++it) {
        if (std::optional<Decimal> value = ValueFromText(it->value)) return value;
    }
    return std::nullopt;
}

} // namespace quill
