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
    return TRUE;
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

bool CAboutDlg::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (message != WM_CTLCOLORSTATIC) return false;
    const CLink* link = LinkOf(reinterpret_cast<HWND>(lParam));
    if (!link) return false;
    result = reinterpret_cast<LRESULT>(link->OnCtlColor(reinterpret_cast<HDC>(wParam)));
    return true;
}

} // namespace quill::ui
