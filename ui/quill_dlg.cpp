#include "ui/quill_dlg.h"

#include <commdlg.h>
#include <shellapi.h>

#include "app/win/data_file_win.h"
#include "app/win/font_win.h"
#include "app/win/quill_app.h"
#include "app/win/win_types.h"
#include "calc/checker.h"
#include "calc/evaluator.h"
#include "res/resource.h"
#include "ui/about_dlg.h"
#include "ui/links.h"
#include "ui/popup_menu.h"

namespace quill::ui {

namespace {

constexpr UINT kBeepRefused = 0xF0;

int SmallIconSize() { return ::GetSystemMetrics(SM_CXSMICON); }

// An index into the ANSI text of a line, as an index into its UTF-16 text
// (they differ where a double-byte code page is in use).
int WideIndex(const std::string& ansi, int index) {
    if (index <= 0) return index;
    const int bytes = std::min(index, static_cast<int>(ansi.size()));
    const int wide = ::MultiByteToWideChar(CP_ACP, 0, ansi.data(), bytes, nullptr, 0);
    return wide + (index - bytes);
}

void AppendItems(CMenu& menu, std::span<const MenuItem> items) {
    for (const MenuItem& item : items) {
        if (item.text) {
            ::AppendMenuW(menu.Get(), MF_STRING, item.id, item.text);
        } else {
            ::AppendMenuW(menu.Get(), MF_SEPARATOR, item.id, nullptr);
        }
    }
}

} // namespace

CQuillDlg::CQuillDlg()
    : CDialog(IDD_QUILL_DIALOG),
      m_hIcon(::LoadIconW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_MAINFRAME))),
      m_iconTop(IDI_PIN_TOP, SmallIconSize()), m_iconNoTop(IDI_PIN_NOTOP, SmallIconSize()),
      m_hIconTop(m_iconTop.Get()), m_hIconNoTop(m_iconNoTop.Get()) {}

void CQuillDlg::DoDataExchange(bool save) {
    if (save) {
        m_strExpression = GetTextA(GetDlgItem(IDC_EXPRESSION));
        m_strResult = GetTextA(GetDlgItem(IDC_RESULT));
    } else {
        SetTextA(GetDlgItem(IDC_EXPRESSION), m_strExpression);
        SetTextA(GetDlgItem(IDC_RESULT), m_strResult);
    }
    m_editExpression.Attach(GetDlgItem(IDC_EXPRESSION));
    m_editResult.Attach(GetDlgItem(IDC_RESULT));
    m_btnTop.Attach(GetDlgItem(IDC_BTN_TOP));
}

BOOL CQuillDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    ::SendMessageW(m_hWnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hIcon));
    m_pFont = std::make_unique<CFont>();
    ::GetWindowRect(m_hWnd, &m_rcWindow);
    if (!LoadSettings(g_settings)) SetDefaultSettings(g_settings);
    // Unowned: when the window leaves and regains "topmost", Wine moves owned
    // popups first and then fails to make the window topmost again.
    m_toolTip.Create(m_hWnd, false);
    m_toolTip.AddTool(GetDlgItem(IDC_BTN_TOP), L"Top / No-top toggle");
    m_toolTip.AddTool(GetDlgItem(IDC_BTN_RESULT), L"Result (Enter)");
    BuildPopupMenu();
    ApplySettings();
    // The strip below the lower row holds nothing: the window is 4 pixels shorter.
    ::GetWindowRect(m_hWnd, &m_rcWindow);
    m_rcWindow.bottom -= 4;
    ::MoveWindow(m_hWnd, m_rcWindow.left, m_rcWindow.top, m_rcWindow.right - m_rcWindow.left,
                 m_rcWindow.bottom - m_rcWindow.top, TRUE);
    // Fails when another program holds Escape; Escape then arrives as the
    // cancel key, which clears the line too.
    ::RegisterHotKey(m_hWnd, IDH_CLEAR_EXPRESSION, 0, VK_ESCAPE);
    return TRUE;
}

void CQuillDlg::ApplySettings() {
    SetLineFont(CreateSettingsFont(g_settings.lfFont));
    SetTopImage();
    SetWindowZOrder(g_settings.nLeft, g_settings.nTop);
    SetRadioMarks();
}

void CQuillDlg::SetLineFont(HFONT font) {
    m_pFont->Reset(font);
    m_editExpression.SetFont(m_pFont->Get());
    m_editResult.SetFont(m_pFont->Get());
}

void CQuillDlg::SetTopImage() { m_btnTop.SetIcon(g_settings.bTopmost ? m_hIconTop : m_hIconNoTop); }

void CQuillDlg::SetWindowZOrder(int left, int top) {
    ::SetWindowPos(m_hWnd, g_settings.bTopmost ? HWND_TOPMOST : HWND_NOTOPMOST, left, top,
                   m_rcWindow.right - m_rcWindow.left, m_rcWindow.bottom - m_rcWindow.top, SWP_SHOWWINDOW);
}

void CQuillDlg::SetRadioMarks() {
    // A value outside a group leaves that group unmarked.
    m_menuAngles.CheckRadio(kAnglesGroup.first, kAnglesGroup.last, g_settings.bDegrees ? 40 : 41);
    m_menuRound.CheckRadio(kRoundGroup.first, kRoundGroup.last,
                           static_cast<UINT>(g_settings.nRound + kRoundGroup.zeroId));
    m_menuFormat.CheckRadio(kFormatGroup.first, kFormatGroup.last,
                            static_cast<UINT>(g_settings.nFormat + kFormatGroup.zeroId));
}

void CQuillDlg::BuildPopupMenu() {
    CMenu* submenus[] = {nullptr, &m_menuRound, &m_menuAngles, &m_menuFormat};
    m_menuAngles.CreatePopupMenu();
    AppendItems(m_menuAngles, AnglesItems());
    m_menuFormat.CreatePopupMenu();
    AppendItems(m_menuFormat, FormatItems());
    m_menuRound.CreatePopupMenu();
    AppendItems(m_menuRound, RoundItems());
    m_menuPopup.CreatePopupMenu();
    for (const MainMenuItem& item : MainItems()) {
        if (CMenu* sub = submenus[static_cast<int>(item.submenu)]) {
            ::AppendMenuW(m_menuPopup.Get(), MF_POPUP, reinterpret_cast<UINT_PTR>(sub->Get()), item.text);
            sub->Disown();
        } else if (item.text) {
            ::AppendMenuW(m_menuPopup.Get(), MF_STRING, item.id, item.text);
        } else {
            ::AppendMenuW(m_menuPopup.Get(), MF_SEPARATOR, item.id, nullptr);
        }
    }
}

void CQuillDlg::SelectInExpression(int start, int end) {
    const std::string text = GetTextA(m_editExpression.Get());
    m_editExpression.SetSel(WideIndex(text, start), end < 0 ? end : WideIndex(text, end));
    m_editExpression.ScrollCaret();
    m_editExpression.SetFocus();
}

bool CQuillDlg::CheckExpression(std::string text) {
    const CheckResult verdict = quill::CheckExpression(std::move(text));
    if (verdict.passed) return true;
    m_strResult = verdict.message;
    if (verdict.select) SelectInExpression(verdict.start, verdict.end);
    UpdateData(false);
    return false;
}

std::string CQuillDlg::Evaluate(std::string text) {
    const EvalResult result = quill::Evaluate(text, EvalSettingsOf(g_settings));
    if (result.status == EvalStatus::DivisionByZero) {
        ::MessageBoxA(m_hWnd, kDivisionText, kDivisionCaption, MB_OK | MB_ICONHAND);
    }
    return result.text;
}

void CQuillDlg::OnResult() {
    UpdateData(true);
    if (!CheckExpression(m_strExpression)) {
        ::MessageBeep(kBeepRefused);
        return;
    }
    m_strResult = Evaluate(m_strExpression);
    UpdateData(false);
    m_editExpression.SetFocus();
}

void CQuillDlg::OnTopToggle() {
    ::GetWindowRect(m_hWnd, &m_rcWindow);
    g_settings.bTopmost = !g_settings.bTopmost;
    SetWindowZOrder(m_rcWindow.left, m_rcWindow.top);
    SetTopImage();
    m_editExpression.SetFocus();
}

void CQuillDlg::OnMenuButton() {
    RECT button{};
    ::GetWindowRect(GetDlgItem(IDC_BTN_MENU), &button);
    ::TrackPopupMenu(m_menuPopup.Get(), 0, button.left, button.bottom, 0, m_hWnd, nullptr);
}

void CQuillDlg::ClearExpression() { ::SetWindowTextW(m_editExpression.Get(), L""); }

LRESULT CQuillDlg::OnHotKey(WPARAM id) {
    if (id == IDH_CLEAR_EXPRESSION) ClearExpression();
    return 0;
}

BOOL CQuillDlg::OnHelpInfo() {
    ::SendMessageW(m_hWnd, WM_COMMAND, ID_HELP_TOPICS, 0);
    return TRUE;
}

bool CQuillDlg::OnPaint() {
    if (!::IsIconic(m_hWnd)) return false;
    PAINTSTRUCT ps;
    HDC dc = ::BeginPaint(m_hWnd, &ps);
    ::SendMessageW(m_hWnd, WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    RECT client{};
    ::GetClientRect(m_hWnd, &client);
    const int x = (client.right - ::GetSystemMetrics(SM_CXICON) + 1) / 2;
    const int y = (client.bottom - ::GetSystemMetrics(SM_CYICON) + 1) / 2;
    ::DrawIcon(dc, x, y, m_hIcon);
    ::EndPaint(m_hWnd, &ps);
    return true;
}

RECT CQuillDlg::RestoredWindowRect() const {
    RECT rect{};
    ::GetWindowRect(m_hWnd, &rect);
    if (!::IsIconic(m_hWnd) && !::IsZoomed(m_hWnd)) return rect;
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    if (!::GetWindowPlacement(m_hWnd, &placement)) return rect;
    // The normal rectangle is in work-area coordinates; shift it to the screen.
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    POINT offset{};
    if (::GetMonitorInfoW(::MonitorFromRect(&placement.rcNormalPosition, MONITOR_DEFAULTTOPRIMARY), &monitor)) {
        offset = {monitor.rcWork.left - monitor.rcMonitor.left, monitor.rcWork.top - monitor.rcMonitor.top};
    }
    ::OffsetRect(&placement.rcNormalPosition, offset.x, offset.y);
    return placement.rcNormalPosition;
}

bool CQuillDlg::LoadSettings(CalcSettings& settings) {
    return LoadSettingsFrom(GetDataFilePath(), settings, FromWin(m_rcWindow));
}

bool CQuillDlg::SaveSettings(CalcSettings& settings) {
    m_rcWindow = RestoredWindowRect();
    settings.nLeft = m_rcWindow.left;
    settings.nTop = m_rcWindow.top;
    return SaveSettingsTo(GetDataFilePath(), settings);
}

void CQuillDlg::SetDefaultSettings(CalcSettings& settings) {
    quill::SetDefaultSettings(settings, FromWin(m_rcWindow), DesktopRect());
    m_pFont->Reset(CreateSettingsFont(settings.lfFont));
    LogFontA created;
    if (LogFontOf(m_pFont->Get(), created)) settings.lfFont = created;
}

void CQuillDlg::OnClose() {
    SaveSettings(g_settings);
    EndDialog(IDCANCEL);
}

void CQuillDlg::OnFont() {
    LogFontA current{};
    LogFontOf(m_pFont->Get(), current);
    LOGFONTA lf = ToWin(current);
    CHOOSEFONTA choose{};
    choose.lStructSize = sizeof choose;
    choose.hwndOwner = m_hWnd;
    choose.lpLogFont = &lf;
    choose.Flags = CF_SCREENFONTS | CF_EFFECTS | CF_INITTOLOGFONTSTRUCT;
    if (!::ChooseFontA(&choose)) return;
    g_settings.lfFont = FromWin(lf);
    SetLineFont(CreateSettingsFont(g_settings.lfFont));
}

void CQuillDlg::OnHelpTopics() { ::ShellExecuteA(nullptr, "open", kHelpUrl, nullptr, nullptr, SW_SHOW); }

void CQuillDlg::OnAbout() {
    CAboutDlg about;
    about.DoModal(m_hWnd);
}

BOOL CQuillDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
    const UINT id = LOWORD(wParam);
    const UINT whole = static_cast<UINT>(wParam);
    if (lParam != 0 && HIWORD(wParam) == BN_CLICKED) {
        // Buttons of the window.
        switch (id) {
        case IDC_BTN_RESULT: OnResult(); return TRUE;
        case IDC_BTN_TOP: OnTopToggle(); return TRUE;
        case IDC_BTN_MENU: OnMenuButton(); return TRUE;
        default: break;
        }
    }
    if (InGroup(kRoundGroup, whole)) {
        m_menuRound.CheckRadio(kRoundGroup.first, kRoundGroup.last, whole);
        g_settings.nRound = static_cast<int>(whole) - kRoundGroup.zeroId;
        OnResult();
    } else if (InGroup(kAnglesGroup, whole)) {
        m_menuAngles.CheckRadio(kAnglesGroup.first, kAnglesGroup.last, whole);
        g_settings.bDegrees = whole != ID_ANGLE_RADIANS;
        OnResult();
    } else if (InGroup(kFormatGroup, whole)) {
        m_menuFormat.CheckRadio(kFormatGroup.first, kFormatGroup.last, whole);
        g_settings.nFormat = static_cast<int>(whole) - kFormatGroup.zeroId;
        OnResult();
    } else if (whole == ID_FONT) {
        OnFont();
    } else if (whole == ID_HELP_TOPICS) {
        OnHelpTopics();
    } else if (whole == ID_ABOUT) {
        OnAbout();
    } else if (id == IDCANCEL) {
        // Escape as the cancel key (when another program holds the hot key):
        // it clears the line like the hot key; only a close request ends the
        // window, and that saves.
        ClearExpression();
        return TRUE;
    } else if (id == IDOK) {
        OnResult();
        return TRUE;
    }
    return TRUE;
}

BOOL CQuillDlg::PreTranslateMessage(MSG* msg) {
    m_toolTip.RelayEvent(msg);
    return CDialog::PreTranslateMessage(msg);
}

bool CQuillDlg::OnMessage(UINT message, WPARAM wParam, LPARAM, LRESULT& result) {
    switch (message) {
    case WM_PAINT: return OnPaint();
    case WM_QUERYDRAGICON: result = reinterpret_cast<LRESULT>(m_hIcon); return true;
    case WM_CLOSE: OnClose(); return true;
    case WM_HELP: result = OnHelpInfo(); return true;
    case WM_HOTKEY: result = OnHotKey(wParam); return true;
    default: return false;
    }
}

} // namespace quill::ui
