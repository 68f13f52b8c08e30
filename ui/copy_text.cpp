#include "ui/copy_text.h"

namespace quill::ui {

std::optional<std::string> CopyTextOf(std::string_view selection, std::string_view result,
                                      bool resultIsValue) {
    if (!selection.empty()) return std::string(selection);
    if (resultIsValue && !result.empty()) return std::string(result);
    return std::nullopt;
}

const wchar_t* TopButtonName(bool topmost) {
    return topmost ? L"Always on top: on" : L"Always on top: off";
}

} // namespace quill::ui
