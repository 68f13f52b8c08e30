// The application: its one settings record and the object that runs the
// calculator window until it closes.
#pragma once

#include "app/settings.h"

namespace quill {

// The one settings record of the process: all zero before anything runs.
extern CalcSettings g_settings;

class CQuillApp {
  public:
    // Initialises the common controls and runs the main dialog modally;
    // returns false, as nothing is left to do once the dialog has ended.
    bool InitInstance();
};

} // namespace quill
