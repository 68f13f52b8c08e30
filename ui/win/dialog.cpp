#include "ui/win/dialog.h"

#include "app/win/ansi.h"
#include "ui/win/guarded.h"

namespace quill::ui {

std::string GetTextA(HWND window) {
    const int length = ::GetWindowTextLengthW(window);
    if (length <= 0) return {};
    std::wstring buf(static_cast<std::size_t>(length) + 1, L'\0');
    const int got = ::GetWindowTextW(window, buf.data(), static_cast<int>(buf.size()));
    buf.resize(static_cast<std::size_t>(got > 0 ? got : 0));
    return AnsiFromWide(buf);
}

void SetTextA(HWND window, const std::string& text) {
    if (GetTextA(window) != text) ::SetWindowTextW(window, WideFromAnsi(text).c_str());
}

void ExchangeText(bool save, HWND window, std::string& text) {
    if (save) {
        text = GetTextA(window);
    } else {
        SetTextA(window, text);
    }
}

INT_PTR CDialog::DoModal(HWND parent) {
    m_bEnded = false;
    m_nResult = -1;
    HWND window = ::CreateDialogParamW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(m_nTemplate),
                                       parent, DialogProc, reinterpret_cast<LPARAM>(this));
    if (!window) return -1;
    // A window owned by a topmost window is above it, as Windows keeps it;
    // said outright, so no window system can stack the owner on top.
    if (parent && (::GetWindowLongW(parent, GWL_EXSTYLE) & WS_EX_TOPMOST)) {
        ::SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    }
    // A template without WS_VISIBLE is shown here, as a modal run shows it.
    ::ShowWindow(window, SW_SHOWNORMAL);
    const bool reenable = parent && ::IsWindowEnabled(parent);
    if (reenable) ::EnableWindow(parent, FALSE);
    MSG msg;
    while (!m_bEnded) {
        const BOOL got = ::GetMessageW(&msg, nullptr, 0, 0);
        if (got <= 0) {
            if (got == 0)
                ::PostQuitMessage(static_cast<int>(msg.wParam)); // keep WM_QUIT for the outer loop
            break;
        }
        if (PreTranslateMessage(&msg)) continue;
        if (::IsDialogMessageW(m_hWnd, &msg)) continue;
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    if (reenable) ::EnableWindow(parent, TRUE);
    if (parent) ::SetActiveWindow(parent);
    ::DestroyWindow(window);
    m_hWnd = nullptr;
    return m_nResult;
}

void CDialog::EndDialog(INT_PTR result) {
    m_nResult = result;
    m_bEnded = true;
    ::PostMessageW(m_hWnd, WM_NULL, 0, 0); // wake the loop
}

BOOL CDialog::OnInitDialog() {
    DoDataExchange(false);
    return TRUE;
}

BOOL CDialog::PreTranslateMessage(MSG*) {
    return FALSE;
}

BOOL CDialog::OnCommand(WPARAM wParam, LPARAM) {
    const UINT id = LOWORD(wParam);
    if (id == IDOK || id == IDCANCEL) {
        EndDialog(id);
        return TRUE;
    }
    return FALSE;
}

bool CDialog::OnMessage(UINT, WPARAM, LPARAM, LRESULT&) {
    return false;
}

void CDialog::DoDataExchange(bool) {}

INT_PTR CALLBACK CDialog::DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    CDialog* self = nullptr;
    if (message == WM_INITDIALOG) {
        self = reinterpret_cast<CDialog*>(lParam);
        ::SetWindowLongPtrW(window, DWLP_USER, lParam);
        self->m_hWnd = window;
    } else {
        self = reinterpret_cast<CDialog*>(::GetWindowLongPtrW(window, DWLP_USER));
    }
    if (!self) return FALSE;
    return Guarded(
        [&]() -> INT_PTR {
            if (message == WM_INITDIALOG) return self->OnInitDialog();
            return self->Dispatch(message, wParam, lParam);
        },
        [&]() -> INT_PTR {
            self->OnFailure();
            return message == WM_INITDIALOG ? TRUE : FALSE;
        });
}

INT_PTR CDialog::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND) return OnCommand(wParam, lParam);
    LRESULT result = 0;
    if (!OnMessage(message, wParam, lParam, result)) return FALSE;
    switch (message) {
    // These answer through the procedure's own return value.
    case WM_QUERYDRAGICON:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORBTN:
        return static_cast<INT_PTR>(result);
    default:
        ::SetWindowLongPtrW(m_hWnd, DWLP_MSGRESULT, result);
        return TRUE;
    }
}

} // namespace quill::ui
