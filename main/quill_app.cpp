#include "main/quill_app.h"

#include <windows.h>

#include <commctrl.h>

#include "ui/quill_dlg.h"

namespace quill {

void CQuillApp::InitInstance() {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&controls);
    ui::CQuillDlg dialog;
    dialog.DoModal(nullptr);
}

} // namespace quill

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    quill::CQuillApp app;
    app.InitInstance();
    return 0;
}
