// The application: the object that runs the calculator window until it
// closes. The program's entry point; nothing below it includes it.
#pragma once

namespace quill {

class CQuillApp {
  public:
    // Initialises the common controls and runs the main dialog modally.
    void InitInstance();
};

} // namespace quill
