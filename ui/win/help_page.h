// The help page carried inside Quillpad.exe (docs/help.html as a resource),
// written to the user's temporary folder and opened with the default browser.
#pragma once

#include <windows.h>

namespace quill::ui {

// Opens the help page, written to the temporary folder when missing or
// different (an unchanged copy is reused); where that fails, the online
// address instead.
void OpenHelp();

} // namespace quill::ui
