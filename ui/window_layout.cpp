#include "ui/window_layout.h"

#include <algorithm>

#include "ui/line_font.h"

namespace quill::ui {

namespace {

int Height(const Rect& r) {
    return r.bottom - r.top;
}
int Width(const Rect& r) {
    return r.right - r.left;
}

// A control of the design's size, `left` from the client's left, centred on a
// row [rowTop, rowTop + rowHeight) as the design centres it on its own row.
Rect OnRow(const Rect& control, const Rect& designRow, int left, int rowTop, int rowHeight) {
    const int offset = control.top - designRow.top + (rowHeight - Height(designRow)) / 2;
    return {left, rowTop + offset, left + Width(control), rowTop + offset + Height(control)};
}

Rect Scaled(const Rect& r, int from, int to) {
    return {ScalePixels(r.left, from, to), ScalePixels(r.top, from, to),
            ScalePixels(r.right, from, to), ScalePixels(r.bottom, from, to)};
}

} // namespace

WindowDesign ScaledDesign(const WindowDesign& d, int from, int to) {
    return {Scaled(d.top, from, to),
            Scaled(d.menu, from, to),
            Scaled(d.expression, from, to),
            Scaled(d.result, from, to),
            Scaled(d.resultButton, from, to),
            ScalePixels(d.clientWidth, from, to),
            ScalePixels(d.clientHeight, from, to),
            ScalePixels(d.strip, from, to)};
}

WindowLayout LayOut(const WindowDesign& d, int clientWidth, int lineHeight) {
    WindowLayout out;
    out.clientWidth = std::max(clientWidth, d.clientWidth);
    const int grow = out.clientWidth - d.clientWidth;
    const int upper = std::max(Height(d.expression), lineHeight);
    const int lower = std::max(Height(d.result), lineHeight);
    out.expression = {d.expression.left, d.expression.top, d.expression.right + grow,
                      d.expression.top + upper};
    out.top = OnRow(d.top, d.expression, d.top.left, out.expression.top, upper);
    const int lowerTop = out.expression.bottom + (d.result.top - d.expression.bottom);
    out.resultButton = OnRow(d.resultButton, d.result, d.resultButton.left + grow, lowerTop, lower);
    out.result = {d.result.left, lowerTop, d.result.right + grow, lowerTop + lower};
    out.menu = OnRow(d.menu, d.result, d.menu.left, lowerTop, lower);
    const int bottom = std::max({d.result.bottom, d.resultButton.bottom, d.menu.bottom});
    out.clientHeight = out.result.bottom + (d.clientHeight - bottom) - d.strip;
    return out;
}

int StartWidth(std::optional<int> stored, int dpi, int minWidth, int workWidth) {
    if (!stored) return minWidth;
    const int width = ScalePixels(*stored, kBaseDpi, dpi);
    return std::max(minWidth, std::min(width, workWidth));
}

int FittingFontHeight(int chosen, int maxHeight, const HeightForFont& heightFor) {
    if (chosen == 0 || heightFor(chosen) <= maxHeight) return chosen;
    const int sign = chosen < 0 ? -1 : 1;
    // The largest size that fits, between 1 (taken when none does) and the
    // chosen one, which does not: the window grows with the size.
    int fits = 1;
    int fails = chosen * sign;
    while (fails - fits > 1) {
        const int middle = fits + (fails - fits) / 2;
        if (heightFor(middle * sign) <= maxHeight) {
            fits = middle;
        } else {
            fails = middle;
        }
    }
    return fits * sign;
}

} // namespace quill::ui
