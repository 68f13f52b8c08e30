#include "ui/win/controls.h"

namespace quill::ui {

namespace {

TOOLINFOW ToolInfo(HWND parent, HWND tool, const std::wstring& text) {
    TOOLINFOW info{};
    info.cbSize = sizeof info;
    info.uFlags = TTF_IDISHWND;
    info.hwnd = parent;
    info.uId = reinterpret_cast<UINT_PTR>(tool);
    info.lpszText = const_cast<wchar_t*>(text.c_str());
    return info;
}

} // namespace

bool CToolTipCtrl::Create(HWND parent, bool owned) {
    m_hParent = parent;
    m_hWnd =
        ::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                          CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                          owned ? parent : nullptr, nullptr, ::GetModuleHandleW(nullptr), nullptr);
    return m_hWnd != nullptr;
}

void CToolTipCtrl::AddTool(HWND tool, const std::wstring& text) {
    TOOLINFOW info = ToolInfo(m_hParent, tool, text);
    ::SendMessageW(m_hWnd, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
}

void CToolTipCtrl::UpdateTipText(HWND tool, const std::wstring& text) {
    TOOLINFOW info = ToolInfo(m_hParent, tool, text);
    ::SendMessageW(m_hWnd, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&info));
}

} // namespace quill::ui
