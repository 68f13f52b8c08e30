// The user's number format as Windows says it (GetLocaleInfoEx: the decimal
// mark, the group separator and the grouping), under the user's own
// "Group digits" and decimal-mark settings.
#pragma once

#include "app/settings.h"
#include "ui/number_style.h"

namespace quill::ui {

NumberStyle SystemNumberStyle(const CalcSettings& settings);

} // namespace quill::ui
