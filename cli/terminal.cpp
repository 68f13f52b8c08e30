#include "cli/terminal.h"

namespace quill::cli {

std::string HistoryPath(const char* xdgStateHome, const char* home) {
    if (xdgStateHome && xdgStateHome[0] == '/')
        return std::string(xdgStateHome) + "/quillpad/history";
    if (home && home[0] == '/') return std::string(home) + "/.local/state/quillpad/history";
    return {};
}

std::string NoHistoryReason(const char* xdgStateHome, const char* home) {
    if (!HistoryPath(xdgStateHome, home).empty() || !home || home[0] == '\0') return {};
    return "HOME is not an absolute path (" + std::string(home) + "): no history is kept";
}

std::string DropEscapes(std::string_view line) {
    constexpr char kEsc = '\x1b';
    std::string out;
    out.reserve(line.size());
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (line[i] != kEsc) {
            out += line[i];
            continue;
        }
        if (i + 1 >= line.size()) break;
        const char kind = line[++i];
        if (kind == '[') {
            // Parameters and intermediates up to the final byte, @ to ~.
            while (i + 1 < line.size() && !(line[i + 1] >= '@' && line[i + 1] <= '~'))
                ++i;
            ++i;
        } else if (kind == 'O') {
            ++i;
        }
    }
    return out;
}

} // namespace quill::cli
