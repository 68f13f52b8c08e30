#include "main/quill_app.h"

#include <windows.h>

#include <commctrl.h>
#include <objbase.h>

#include "ui/win/quill_dlg.h"

namespace quill {

void CQuillApp::InitInstance() {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&controls);
    // For the screen readers' annotations; the window works on without them.
    const bool com = SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
    {
        ui::CQuillDlg dialog;
        dialog.DoModal(nullptr);
    }
    if (com) ::CoUninitialize();
}

} // namespace quill

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    quill::CQuillApp app;
    app.InitInstance();
    return 0;
}
