// Reading --settings FILE: a Quillpad data file's rounding, format and angle
// unit. Only a regular file is read, whole, up to kMaxDataFileBytes: a
// device, a directory, a FIFO or a larger file is refused at once, and a
// record with long counted strings is read as any other. Never throws.
#pragma once

#include <string>

#include "calc/eval_settings.h"

namespace quill::cli {

// False, with the reason in `why` (one line), when the file cannot be used.
bool LoadSettingsFile(const std::string& path, EvalSettings& settings, std::string& why);

} // namespace quill::cli
