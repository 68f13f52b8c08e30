#include "app/reserved_text.h"

#include <algorithm>
#include <charconv>

namespace quill {

namespace {

// One line of the text: [begin, end) its content, `next` where the following
// line begins (after its LF, CR LF or lone CR; the text's size for the last).
struct Line {
    std::size_t begin = 0;
    std::size_t end = 0;
    std::size_t next = 0;
};

Line LineAt(std::string_view text, std::size_t begin) {
    const std::size_t end = std::min(text.find_first_of("\r\n", begin), text.size());
    std::size_t next = end;
    if (next < text.size()) next += text.compare(next, 2, "\r\n") == 0 ? 2 : 1;
    return {begin, end, next};
}

// Where the value of the first line of that name lies in the text.
std::optional<Line> FindValue(std::string_view text, std::string_view name) {
    for (std::size_t at = 0; at < text.size();) {
        const Line line = LineAt(text, at);
        const std::string_view whole = text.substr(line.begin, line.end - line.begin);
        if (whole.size() > name.size() && whole.starts_with(name) && whole[name.size()] == '=') {
            return Line{line.begin + name.size() + 1, line.end, line.next};
        }
        at = line.next;
    }
    return std::nullopt;
}

// The line end the text uses (its first one); CR LF for a text without one.
std::string_view LineEndOf(std::string_view text) {
    const Line first = LineAt(text, 0);
    if (first.end == text.size()) return "\r\n";
    return text.substr(first.end, first.next - first.end);
}

} // namespace

std::optional<std::string_view> ReservedValue(std::string_view text, std::string_view name) {
    const std::optional<Line> place = FindValue(text, name);
    if (!place) return std::nullopt;
    return text.substr(place->begin, place->end - place->begin);
}

std::string WithReservedValue(std::string_view text, std::string_view name,
                              std::string_view value) {
    std::string out(text);
    if (const std::optional<Line> place = FindValue(text, name)) {
        out.replace(place->begin, place->end - place->begin, value);
        return out;
    }
    const std::string_view end = LineEndOf(text);
    if (!out.empty() && out.back() != '\n' && out.back() != '\r') out.append(end);
    out.append(name).append("=").append(value).append(end);
    return out;
}

namespace {

// A value of digits only (from_chars would take a minus sign), at most six
// of them; none for anything else.
std::optional<int> WholeValue(std::string_view value) {
    if (value.empty() || value.size() > 6 || value[0] < '0' || value[0] > '9') return std::nullopt;
    int n = 0;
    const char* end = value.data() + value.size();
    const auto [ptr, ec] = std::from_chars(value.data(), end, n);
    if (ec != std::errc{} || ptr != end) return std::nullopt;
    return n;
}

struct Word {
    std::string_view word;
    int value;
};

constexpr Word kSwitchWords[] = {{"off", 0}, {"on", 1}};
constexpr Word kMarkWords[] = {{"auto", static_cast<int>(DecimalMark::Auto)},
                               {"point", static_cast<int>(DecimalMark::Point)},
                               {"comma", static_cast<int>(DecimalMark::Comma)}};

// The value of a word line by its table; `otherwise` when it is missing or
// holds no word of the table.
template <std::size_t N>
int WordValue(const CalcSettings& settings, std::string_view name, const Word (&words)[N],
              int otherwise) {
    const std::optional<std::string_view> value = ReservedValue(settings.strReserved, name);
    for (const Word& w : words) {
        if (value == w.word) return w.value;
    }
    return otherwise;
}

template <std::size_t N>
void StoreWord(CalcSettings& settings, std::string_view name, const Word (&words)[N], int value) {
    for (const Word& w : words) {
        if (w.value == value) {
            settings.strReserved = WithReservedValue(settings.strReserved, name, w.word);
        }
    }
}

} // namespace

std::optional<int> StoredWidth(const CalcSettings& settings) {
    const std::optional<std::string_view> value = ReservedValue(settings.strReserved, kWidthName);
    const std::optional<int> width = value ? WholeValue(*value) : std::nullopt;
    if (!width || *width < 1 || *width > kMaxStoredWidth) return std::nullopt;
    return width;
}

void StoreWidth(CalcSettings& settings, int width) {
    settings.strReserved =
        WithReservedValue(settings.strReserved, kWidthName, std::to_string(width));
}

int HistoryLength(const CalcSettings& settings) {
    const std::optional<std::string_view> value = ReservedValue(settings.strReserved, kHistoryName);
    if (!value) return kDefaultHistory;
    // Seven digits and more are beyond the most too.
    if (value->size() > 6 && value->find_first_not_of("0123456789") == std::string_view::npos) {
        return kMostHistory;
    }
    return std::min(WholeValue(*value).value_or(kDefaultHistory), kMostHistory);
}

bool GroupsDigits(const CalcSettings& settings) {
    return WordValue(settings, kGroupingName, kSwitchWords, 1) != 0;
}

void StoreGrouping(CalcSettings& settings, bool on) {
    StoreWord(settings, kGroupingName, kSwitchWords, on ? 1 : 0);
}

DecimalMark DecimalMarkOf(const CalcSettings& settings) {
    return static_cast<DecimalMark>(
        WordValue(settings, kDecimalName, kMarkWords, static_cast<int>(DecimalMark::Auto)));
}

void StoreDecimalMark(CalcSettings& settings, DecimalMark mark) {
    StoreWord(settings, kDecimalName, kMarkWords, static_cast<int>(mark));
}

} // namespace quill
