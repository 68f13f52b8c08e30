#include "app/reserved_text.h"

#include <charconv>

namespace quill {

namespace {

// Where the value of the first line of that name lies in the text:
// [begin, end), the end before the line's CR LF or LF.
struct ValuePlace {
    std::size_t begin = 0;
    std::size_t end = 0;
};

std::optional<ValuePlace> FindValue(std::string_view text, std::string_view name) {
    std::size_t line = 0;
    while (line < text.size()) {
        std::size_t next = text.find('\n', line);
        std::size_t end = next == std::string_view::npos ? text.size() : next;
        const std::string_view whole = text.substr(line, end - line);
        if (whole.size() > name.size() && whole.starts_with(name) && whole[name.size()] == '=') {
            if (next != std::string_view::npos && end > line && text[end - 1] == '\r') --end;
            return ValuePlace{line + name.size() + 1, end};
        }
        if (next == std::string_view::npos) break;
        line = next + 1;
    }
    return std::nullopt;
}

} // namespace

std::optional<std::string_view> ReservedValue(std::string_view text, std::string_view name) {
    const std::optional<ValuePlace> place = FindValue(text, name);
    if (!place) return std::nullopt;
    return text.substr(place->begin, place->end - place->begin);
}

std::string WithReservedValue(std::string_view text, std::string_view name,
                              std::string_view value) {
    std::string out(text);
    if (const std::optional<ValuePlace> place = FindValue(text, name)) {
        out.replace(place->begin, place->end - place->begin, value);
        return out;
    }
    if (!out.empty() && out.back() != '\n') out += "\r\n";
    out.append(name).append("=").append(value).append("\r\n");
    return out;
}

std::optional<int> StoredWidth(const CalcSettings& settings) {
    const std::optional<std::string_view> value = ReservedValue(settings.strReserved, kWidthName);
    if (!value || value->empty() || value->size() > 6) return std::nullopt;
    int width = 0;
    const char* end = value->data() + value->size();
    const auto [ptr, ec] = std::from_chars(value->data(), end, width);
    // Digits only: from_chars would take a leading minus sign.
    if (ec != std::errc{} || ptr != end || (*value)[0] < '0' || (*value)[0] > '9') {
        return std::nullopt;
    }
    if (width < 1 || width > kMaxStoredWidth) return std::nullopt;
    return width;
}

void StoreWidth(CalcSettings& settings, int width) {
    settings.strReserved =
        WithReservedValue(settings.strReserved, kWidthName, std::to_string(width));
}

} // namespace quill
