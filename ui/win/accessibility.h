// Screen readers: the result line as a polite live region, so a new result or
// checker message is read out.
//
// What older Windows (or Wine) lacks is loaded at run time; when a call fails
// the window works on without it. Nothing here reports an error.
#pragma once

#include <windows.h>

namespace quill::ui {

// Marks `line` as a polite live region; false when the system cannot. COM
// must be initialised on the thread.
bool MarkLiveRegion(HWND line);

// Tells screen readers that the live region `line` changed.
void AnnounceLiveRegion(HWND line);

} // namespace quill::ui
