#include "ui/copy_text.h"

namespace quill::ui {

std::optional<std::wstring> CopyTextOf(std::wstring_view selection, bool inResultLine,
                                       std::string_view result, bool resultIsValue,
                                       const NumberStyle& style) {
    if (!selection.empty()) {
        if (inResultLine && resultIsValue) return WithoutSeparators(selection, style);
        return std::wstring(selection);
    }
    if (resultIsValue && !result.empty()) {
        return WithoutSeparators(ShownNumber(result, style), style);
    }
    return std::nullopt;
}

const wchar_t* TopButtonName(bool topmost) {
    return topmost ? L"Always on top: on" : L"Always on top: off";
}

} // namespace quill::ui
