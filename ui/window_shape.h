// The main window's shape beyond what its dialog template gives.
//
// Portable constants; the window applies them, the tests' probe reports them.
#pragma once

namespace quill::ui {

// The strip below the lower row holds nothing: the window is this many pixels
// (at 96 DPI) shorter than its template.
inline constexpr int kEmptyStripPixels = 4;

} // namespace quill::ui
