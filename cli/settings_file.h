// Reading --settings FILE: a Quillpad data file's rounding, format and angle
// unit. Only a regular file is read, and of it at most what a record can
// hold, so a device, a directory or a FIFO is refused at once and a huge
// file costs no more than a small one. Never throws.
#pragma once

#include <string>

#include "calc/settings_view.h"

namespace quill::cli {

// False, with the reason in `why` (one line), when the file cannot be used.
bool LoadSettingsFile(const std::string& path, EvalSettings& settings, std::string& why);

} // namespace quill::cli
