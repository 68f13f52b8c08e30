// The help page carried inside Quillpad.exe (docs/help.html as a resource),
// written to the user's temporary folder and opened with the default browser.
#pragma once

#include <windows.h>

#include <string>

namespace quill::ui {

// The page's file in the temporary folder, written when missing or different
// (an unchanged copy is reused); empty when it could not be written.
std::wstring WriteHelpPage();

// Opens the help page; where that fails, the online address instead.
void OpenHelp();

} // namespace quill::ui
