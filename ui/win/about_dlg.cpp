#include "ui/win/about_dlg.h"

#include "res/resource.h"
#include "ui/links.h"

namespace quill::ui {

CAboutDlg::CAboutDlg() : CDialog(IDD_ABOUTBOX) {}

void CAboutDlg::DoDataExchange(bool save) {
    if (save || m_linkMail.Get()) return;
    m_linkMail.Attach(GetDlgItem(IDC_LINK_MAIL));
    m_linkHome.Attach(GetDlgItem(IDC_LINK_HOME));
}

BOOL CAboutDlg::OnInitDialog() {
    // The captions come from the one place the addresses are written;
    // attaching then reads them.
    ::SetDlgItemTextA(m_hWnd, IDC_LINK_HOME, kMakerSite);
    ::SetDlgItemTextA(m_hWnd, IDC_LINK_MAIL, kSupportAddress);
    CDialog::OnInitDialog();
    m_linkMail.SetTipText("Send e-mail to support");
    m_linkMail.SetURL(std::string("mailto:") + kSupportAddress);
    m_linkHome.SetTipText("Go to the home page");
    m_linkHome.SetURL(kHomeUrl);
    m_theme.Load();
    ApplyTheme();
    return TRUE;
}

void CAboutDlg::ApplyTheme() {
    m_theme.ApplyTitleBar(m_hWnd);
    m_linkMail.SetColours(m_theme.Colours());
    m_linkHome.SetColours(m_theme.Colours());
    RepaintAll(m_hWnd);
}

void CAboutDlg::OnSettingChange(UINT message, WPARAM wParam, LPARAM lParam) {
    if (IsThemeChange(message, wParam, lParam) && m_theme.Load()) ApplyTheme();
}

CLink* CAboutDlg::LinkOf(HWND control) {
    if (control && control == m_linkMail.Get()) return &m_linkMail;
    if (control && control == m_linkHome.Get()) return &m_linkHome;
    return nullptr;
}

BOOL CAboutDlg::PreTranslateMessage(MSG* msg) {
    if (const CLink* link = LinkOf(msg->hwnd)) link->PreTranslateMessage(msg);
    return CDialog::PreTranslateMessage(msg);
}

BOOL CAboutDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (HIWORD(wParam) == STN_CLICKED) {
        if (const CLink* link = LinkOf(reinterpret_cast<HWND>(lParam))) {
            link->OnClicked();
            return TRUE;
        }
    }
    return CDialog::OnCommand(wParam, lParam);
}

bool CAboutDlg::OnCtlColor(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    const auto dc = reinterpret_cast<HDC>(wParam);
    if (const CLink* link = LinkOf(reinterpret_cast<HWND>(lParam))) {
        result = reinterpret_cast<LRESULT>(link->OnCtlColor(dc));
        return true;
    }
    HBRUSH brush = m_theme.OnCtlColor(message, dc);
    result = reinterpret_cast<LRESULT>(brush);
    return brush != nullptr;
}

bool CAboutDlg::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (message) {
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
        return OnCtlColor(message, wParam, lParam, result);
    case WM_NOTIFY:
        return m_theme.OnNotify(*reinterpret_cast<const NMHDR*>(lParam), result);
    case WM_SETTINGCHANGE:
    case WM_SYSCOLORCHANGE:
        OnSettingChange(message, wParam, lParam);
        return false;
    default:
        return false;
    }
}

} // namespace quill::ui
