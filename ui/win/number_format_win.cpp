#include "ui/win/number_format_win.h"

#include <windows.h>

#include <string>

#include "app/reserved_text.h"

namespace quill::ui {

namespace {

// One value of the user's locale; empty when Windows has none.
std::wstring LocaleValue(LCTYPE type) {
    wchar_t value[16] = {}; // Windows' longest, the grouping, is 10 with its zero
    const int n = ::GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, type, value, 16);
    return n > 1 ? std::wstring(value, static_cast<std::size_t>(n - 1)) : std::wstring();
}

} // namespace

NumberStyle SystemNumberStyle(const CalcSettings& settings) {
    return StyleOf(LocaleValue(LOCALE_SDECIMAL), LocaleValue(LOCALE_STHOUSAND),
                   LocaleValue(LOCALE_SGROUPING), GroupsDigits(settings), DecimalMarkOf(settings));
}

} // namespace quill::ui
