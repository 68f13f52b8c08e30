#include "ui/win/quill_dlg.h"

#include <array>

#include "app/win/ansi.h"
#include "res/resource.h"
#include "ui/copy_text.h"
#include "ui/line_font.h"
#include "ui/line_keys.h"
#include "ui/win/about_dlg.h"
#include "ui/win/accessibility.h"
#include "ui/win/guarded.h"
#include "ui/win/help_page.h"
#include "ui/win/window_ops.h"

namespace quill::ui {

namespace {

constexpr UINT kBeepRefused = 0xF0;
constexpr UINT_PTR kResultLineSubclass = 1;

bool KeyDown(int key) {
    return (::GetKeyState(key) & 0x8000) != 0;
}

LineKey LineKeyOf(WPARAM key) {
    switch (key) {
    case 'C':
        return LineKey::C;
    case 'H':
        return LineKey::H;
    case VK_UP:
        return LineKey::Up;
    case VK_DOWN:
        return LineKey::Down;
    case VK_F10:
        return LineKey::F10;
    default:
        return LineKey::Other;
    }
}

} // namespace

CQuillDlg::CQuillDlg()
    : CDialog(IDD_QUILL_DIALOG),
      m_hIcon(::LoadIconW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_MAINFRAME))) {}

void CQuillDlg::DoDataExchange(bool save) {
    ExchangeText(save, GetDlgItem(IDC_EXPRESSION), m_strExpression);
    if (!save) {
        ShowResult();
    } else if (!ResultLineIsOurs()) {
        // A shortened number stands for the whole one; text typed there is the user's.
        m_strResult = GetTextA(GetDlgItem(IDC_RESULT));
    }
    m_editExpression.Attach(GetDlgItem(IDC_EXPRESSION));
    m_editResult.Attach(GetDlgItem(IDC_RESULT));
    m_btnTop.Attach(GetDlgItem(IDC_BTN_TOP));
}

BOOL CQuillDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    ::SendMessageW(m_hWnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hIcon));
    m_pFont = std::make_unique<CFont>();
    m_nDpi = WindowDpi(m_hWnd);
    m_theme.Load();
    m_theme.ApplyTitleBar(m_hWnd);
    LoadTopIcons();
    ReadDesign();
    ::GetWindowRect(m_hWnd, &m_rcWindow);
    if (!LoadSettings(g_settings)) SetDefaultSettings(g_settings);
    ReadNumberStyle();
    // Unowned: when the window leaves and regains "topmost", Wine moves owned
    // popups first and then fails to make the window topmost again.
    m_toolTip.Create(m_hWnd, false);
    m_toolTip.AddTool(GetDlgItem(IDC_BTN_TOP), L"Top / No-top toggle");
    m_toolTip.AddTool(GetDlgItem(IDC_BTN_RESULT), L"Result (Enter)");
    // The whole number while the line shows it shortened; no tip otherwise.
    m_toolTip.AddTool(GetDlgItem(IDC_RESULT), L"");
    BuildPopupMenu();
    ApplySettings();
    // The result line's Copy and Cut (its own menu's too) leave the group
    // separators out.
    ::SetWindowSubclass(m_editResult.Get(), ResultLineProc, kResultLineSubclass,
                        reinterpret_cast<DWORD_PTR>(this));
    LoadHistory();
    // Screen readers read each new result out.
    MarkLiveRegion(m_editResult.Get());
    return TRUE;
}

void CQuillDlg::OnFailure() {
    // Nothing here may allocate: the failure was most likely memory.
    std::array<wchar_t, 32> text{};
    const char* fault = FaultText(Fault::OutOfMemory);
    for (std::size_t i = 0; fault[i] != '\0' && i + 1 < text.size(); ++i)
        text[i] = static_cast<wchar_t>(fault[i]);
    m_bResultIsValue = false;
    ::SetWindowTextW(GetDlgItem(IDC_RESULT), text.data());
    ::MessageBeep(kBeepRefused);
}

void CQuillDlg::SelectInExpression(int start, int end) {
    m_editExpression.SetSel(start, end);
    m_editExpression.ScrollCaret();
    m_editExpression.SetFocus();
}

void CQuillDlg::OnResult(bool again) {
    UpdateData(true);
    const Decimal* ans = m_answers.For(m_strExpression, again);
    const std::string ansLine(m_answers.LineFor(m_strExpression, again));
    const ResultView view = ResultOf(m_strExpression, g_settings, WideLength, ans, ansLine);
    if (view.attention)
        ::MessageBoxA(m_hWnd, FaultText(Fault::DivisionByZero), kDivisionCaption,
                      MB_OK | MB_ICONHAND);
    m_strResult = view.result;
    m_bResultIsValue = view.value;
    if (view.value) m_answers.Answered(m_strExpression, ans, ansLine, view.number);
    if (view.select) SelectInExpression(view.start, view.end);
    UpdateData(false);
    AnnounceLiveRegion(m_editResult.Get());
    if (view.beep) ::MessageBeep(kBeepRefused);
    if (view.focusExpression) m_editExpression.SetFocus();
    if (view.value && !again) {
        // The answer shows first; only then is it written down.
        ::UpdateWindow(m_editResult.Get());
        RecordAnswer(m_strExpression, view);
    }
}

void CQuillDlg::OnReshow() {
    ReadNumberStyle();
    SetRadioMarks();
    if (ResultLineIsOurs()) ShowResult();
    if (m_list.IsOpen()) m_list.Show(m_history, m_style, !m_bHistoryKept);
}

void CQuillDlg::OnTopToggle() {
    ::GetWindowRect(m_hWnd, &m_rcWindow);
    g_settings.bTopmost = !g_settings.bTopmost;
    SetWindowZOrder(m_rcWindow.left, m_rcWindow.top, m_rcWindow.right - m_rcWindow.left);
    SetTopImage();
    m_editExpression.SetFocus();
}

void CQuillDlg::OnMenuButton() {
    RECT button{};
    ::GetWindowRect(GetDlgItem(IDC_BTN_MENU), &button);
    ::TrackPopupMenu(m_menuPopup.Get(), 0, button.left, button.bottom, 0, m_hWnd, nullptr);
    RestoreDefaultButton();
}

void CQuillDlg::RestoreDefaultButton() {
    // A click or Alt+M left Menu looking like the default button.
    ::SendMessageW(m_hWnd, DM_SETDEFID, IDC_BTN_RESULT, 0);
    ::SendMessageW(GetDlgItem(IDC_BTN_MENU), BM_SETSTYLE, BS_PUSHBUTTON, TRUE);
    ::SendMessageW(GetDlgItem(IDC_BTN_RESULT), BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
    if (::GetFocus() != m_editExpression.Get() && !m_list.IsOpen()) m_editExpression.SetFocus();
}

void CQuillDlg::ClearExpression() {
    ::SetWindowTextW(m_editExpression.Get(), L"");
}

LRESULT CQuillDlg::OnDpiChanged(WPARAM wParam, LPARAM lParam) {
    const int old = m_nDpi;
    m_nDpi = HIWORD(wParam);
    m_design = ScaledDesign(m_design, old, m_nDpi);
    m_nMinWidth = ScalePixels(m_nMinWidth, old, m_nDpi);
    m_nStartWidth = ScalePixels(m_nStartWidth, old, m_nDpi);
    const RECT* suggested = reinterpret_cast<const RECT*>(lParam);
    SetLineFont(suggested->left, suggested->top);
    LoadTopIcons();
    SetTopImage();
    m_rcWindow = *suggested;
    // The width follows the DPI as the system suggests it; the height, the font.
    PlaceWindow(nullptr, SWP_NOZORDER | SWP_NOACTIVATE, suggested->left, suggested->top,
                suggested->right - suggested->left);
    m_list.SetLook(m_pFont->Get(), m_theme.Colours());
    return 0;
}

void CQuillDlg::OnCopy(HWND line) {
    // A shortened number copies whole, and no copy holds a group separator.
    const bool ours = ResultLineIsOurs();
    const std::string result = ours ? m_strResult : GetTextA(m_editResult.Get());
    const std::optional<std::wstring> text =
        CopyTextOf(SelectedText(line), line == m_editResult.Get(), result, m_bResultIsValue,
                   ours ? m_style : NumberStyle{});
    if (text && !PutOnClipboard(m_hWnd, *text)) ::MessageBeep(kBeepRefused);
}

LRESULT CALLBACK CQuillDlg::ResultLineProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                           UINT_PTR, DWORD_PTR data) {
    auto* self = reinterpret_cast<CQuillDlg*>(data);
    if (message == WM_NCDESTROY)
        ::RemoveWindowSubclass(window, ResultLineProc, kResultLineSubclass);
    if (message != WM_COPY && message != WM_CUT)
        return ::DefSubclassProc(window, message, wParam, lParam);
    Guarded([&] { return self->OnCopy(window), 0; }, [] { return 0; });
    if (message == WM_CUT) ::SendMessageW(window, WM_CLEAR, 0, 0);
    return 0;
}

void CQuillDlg::OnRecall(bool up) {
    const std::string line = GetTextA(m_editExpression.Get());
    const std::optional<std::string> shown = up ? m_recall.Up(line) : m_recall.Down(line);
    if (!shown) return;
    SetTextA(m_editExpression.Get(), *shown);
    // The caret at the end, ready for more; EM_SETSEL's -1 would only
    // deselect, and Windows leaves the caret at the start after a new text.
    const int end = ::GetWindowTextLengthW(m_editExpression.Get());
    SelectInExpression(end, end);
}

// Keys of the window that its controls would not handle so: true when taken
// here. The history list's keys are its own.
bool CQuillDlg::OnLineKey(const MSG& msg) {
    if (msg.hwnd != m_hWnd && !::IsChild(m_hWnd, msg.hwnd)) return false;
    // F10 comes as a system key; of those, only it is taken here.
    if (msg.message != WM_KEYDOWN && (msg.message != WM_SYSKEYDOWN || msg.wParam != VK_F10))
        return false;
    KeyLine line = KeyLine::Elsewhere;
    if (msg.hwnd == m_editExpression.Get()) line = KeyLine::Expression;
    if (msg.hwnd == m_editResult.Get()) line = KeyLine::Result;
    switch (LineKeyAction(LineKeyOf(msg.wParam), KeyDown(VK_CONTROL), KeyDown(VK_MENU), line,
                          KeyDown(VK_SHIFT))) {
    case KeyAction::OpenMenu:
        OnMenuButton();
        return true;
    case KeyAction::Copy:
        OnCopy(msg.hwnd);
        return true;
    case KeyAction::RecallOlder:
        OnRecall(true);
        return true;
    case KeyAction::RecallNewer:
        OnRecall(false);
        return true;
    case KeyAction::History:
        ToggleHistoryList();
        return true;
    case KeyAction::None:
        break;
    }
    return false;
}

BOOL CQuillDlg::OnHelpInfo() {
    ::SendMessageW(m_hWnd, WM_COMMAND, ID_HELP_TOPICS, 0);
    return TRUE;
}

void CQuillDlg::OnClose() {
    m_list.Close();
    SaveHistory(1000);
    SaveSettings(g_settings);
    EndDialog(IDCANCEL);
}

void CQuillDlg::OnHelpTopics() {
    OpenHelp();
}

void CQuillDlg::OnAbout() {
    CAboutDlg about;
    about.DoModal(m_hWnd);
}

BOOL CQuillDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
    const CommandAnswer answer =
        DecideCommand(static_cast<std::uint32_t>(wParam), lParam != 0, g_settings);
    if (answer.marksChanged) SetRadioMarks();
    switch (answer.action) {
    case Action::Result:
        OnResult(answer.marksChanged);
        break;
    case Action::TopToggle:
        OnTopToggle();
        break;
    case Action::OpenMenu:
        OnMenuButton();
        break;
    case Action::ClearExpression:
        ClearExpression();
        break;
    case Action::Font:
        OnFont();
        break;
    case Action::HelpTopics:
        OnHelpTopics();
        break;
    case Action::About:
        OnAbout();
        break;
    case Action::Reshow:
        OnReshow();
        break;
    case Action::History:
        ToggleHistoryList();
        break;
    case Action::ClearHistory:
        ClearHistory(m_hWnd);
        break;
    case Action::None:
        break;
    }
    // Only a close request ends the window, and that saves.
    return TRUE;
}

bool CQuillDlg::OnCtlColor(UINT message, WPARAM wParam, LRESULT& result) const {
    HBRUSH brush = m_theme.OnCtlColor(message, reinterpret_cast<HDC>(wParam));
    result = reinterpret_cast<LRESULT>(brush);
    return brush != nullptr;
}

void CQuillDlg::OnSettingChange(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_SETTINGCHANGE &&
        IsNumberFormatChange(reinterpret_cast<const wchar_t*>(lParam))) {
        OnReshow();
        return;
    }
    if (!IsThemeChange(message, wParam, lParam) || !m_theme.Load()) return;
    m_theme.ApplyTitleBar(m_hWnd);
    LoadTopIcons();
    SetTopImage();
    m_list.SetLook(m_pFont->Get(), m_theme.Colours());
    RepaintAll(m_hWnd);
}

BOOL CQuillDlg::PreTranslateMessage(MSG* msg) {
    m_toolTip.RelayEvent(msg);
    // Typing or a click after the list closed: the dialog's own focus rules again.
    if (msg->message == WM_KEYDOWN || msg->message == WM_LBUTTONDOWN) m_bListReturn = false;
    if (OnLineKey(*msg)) return TRUE;
    return CDialog::PreTranslateMessage(msg);
}

bool CQuillDlg::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (message) {
    case WM_PAINT:
        return PaintIconWhenMinimised(m_hWnd, m_hIcon);
    case WM_QUERYDRAGICON:
        result = reinterpret_cast<LRESULT>(m_hIcon);
        return true;
    case WM_CLOSE:
        OnClose();
        return true;
    case WM_HELP:
        result = OnHelpInfo();
        return true;
    case WM_DPICHANGED:
        result = OnDpiChanged(wParam, lParam);
        return true;
    case WM_NCHITTEST:
        result = OnNcHitTest(wParam, lParam);
        return true;
    case WM_GETMINMAXINFO:
        OnGetMinMaxInfo(*reinterpret_cast<MINMAXINFO*>(lParam));
        return true;
    case WM_SIZE:
        OnSize(wParam, LOWORD(lParam));
        return true;
    case WM_TIMER:
        OnHistoryTimer();
        return true;
    case WM_SETFOCUS: {
        const bool restored = OnSetFocus();
        m_bListReturn = false;
        return restored;
    }
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORBTN:
        return OnCtlColor(message, wParam, result);
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
