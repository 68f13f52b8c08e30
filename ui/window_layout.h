// The main window's geometry as it follows its width and its lines' font:
// the lines stretch with the width, the "<" and Menu buttons stay at the
// left, Result at the right; each line is as tall as its font needs and
// never lower than the template made it, the buttons keep their size and
// stay centred on their line. Every size is in pixels at the window's DPI.
//
// Portable; never throws.
#pragma once

#include <functional>
#include <optional>

#include "app/settings.h"

namespace quill::ui {

// The controls as the dialog template lays them out, in client pixels.
struct WindowDesign {
    Rect top;          // the "<" button
    Rect menu;         // the Menu button
    Rect expression;   // the expression line
    Rect result;       // the result line
    Rect resultButton; // the Result button
    int clientWidth = 0;
    int clientHeight = 0; // below the lower row, the empty strip included
    int strip = 0;        // what is cut off the template's empty strip
};

struct WindowLayout {
    Rect top;
    Rect menu;
    Rect expression;
    Rect result;
    Rect resultButton;
    int clientWidth = 0;
    int clientHeight = 0;
};

// The design at another DPI: every size from `from` DPI to `to`.
WindowDesign ScaledDesign(const WindowDesign& design, int from, int to);

// The controls for a client area `clientWidth` wide (never less than the
// template's) and lines `lineHeight` high (never lower than the template's).
WindowLayout LayOut(const WindowDesign& design, int clientWidth, int lineHeight);

// The window's width at start: the stored width (pixels at 96 DPI) at `dpi`,
// within [minWidth, workWidth]; minWidth when none is stored, or when the
// work area is narrower still.
int StartWidth(std::optional<int> stored, int dpi, int minWidth, int workWidth);

// The window's height for a font height: the layout's client height and the
// frame, as the window measures it.
using HeightForFont = std::function<int(int lfHeight)>;

// The font height to show: `chosen` when its window is no taller than
// `maxHeight`, else the largest of the same sign whose window is (at least 1
// pixel). A height of 0 (the font's default size) is taken as it is.
int FittingFontHeight(int chosen, int maxHeight, const HeightForFont& heightFor);

} // namespace quill::ui
