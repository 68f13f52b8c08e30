#include "ui/win/quill_dlg.h"

#include <new>

#include "app/reserved_text.h"
#include "app/win/ansi.h"
#include "app/win/data_file_win.h"
#include "app/win/font_win.h"
#include "app/win/win_types.h"
#include "calc/evaluator.h"
#include "res/resource.h"
#include "ui/copy_text.h"
#include "ui/line_font.h"
#include "ui/line_keys.h"
#include "ui/result_flow.h"
#include "ui/win/about_dlg.h"
#include "ui/win/accessibility.h"
#include "ui/win/help_page.h"
#include "ui/win/window_ops.h"

namespace quill::ui {

namespace {

constexpr UINT kBeepRefused = 0xF0;

int SmallIconSize() {
    return ::GetSystemMetrics(SM_CXSMICON);
}

bool KeyDown(int key) {
    return (::GetKeyState(key) & 0x8000) != 0;
}

LineKey LineKeyOf(WPARAM key) {
    switch (key) {
    case 'C':
        return LineKey::C;
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
    // Unowned: when the window leaves and regains "topmost", Wine moves owned
    // popups first and then fails to make the window topmost again.
    m_toolTip.Create(m_hWnd, false);
    m_toolTip.AddTool(GetDlgItem(IDC_BTN_TOP), L"Top / No-top toggle");
    m_toolTip.AddTool(GetDlgItem(IDC_BTN_RESULT), L"Result (Enter)");
    // The whole number while the line shows it shortened; no tip otherwise.
    m_toolTip.AddTool(GetDlgItem(IDC_RESULT), L"");
    BuildPopupMenu();
    ApplySettings();
    // Screen readers read each new result out.
    MarkLiveRegion(m_editResult.Get());
    return TRUE;
}

void CQuillDlg::ApplySettings() {
    SetLineFont(g_settings.nLeft, g_settings.nTop);
    SetTopImage();
    const RECT work = WorkAreaAt(g_settings.nLeft, g_settings.nTop);
    m_nStartWidth =
        StartWidth(StoredWidth(g_settings), m_nDpi, m_nMinWidth, work.right - work.left);
    SetWindowZOrder(g_settings.nLeft, g_settings.nTop, m_nStartWidth);
    SetRadioMarks();
}

void CQuillDlg::LoadTopIcons() {
    const int size = ScalePixels(SmallIconSize(), WindowDpi(nullptr), m_nDpi);
    const bool dark = m_theme.Colours() && m_theme.Colours()->darkPins;
    m_iconTop.Load(dark ? IDI_PIN_TOP_DARK : IDI_PIN_TOP, size);
    m_iconNoTop.Load(dark ? IDI_PIN_NOTOP_DARK : IDI_PIN_NOTOP, size);
    m_hIconTop = m_iconTop.Get();
    m_hIconNoTop = m_iconNoTop.Get();
}

void CQuillDlg::SetTopImage() {
    m_btnTop.SetIcon(g_settings.bTopmost ? m_hIconTop : m_hIconNoTop);
    // The icon shows the state; screen readers read the name.
    ::SetWindowTextW(m_btnTop.Get(), TopButtonName(g_settings.bTopmost));
}

void CQuillDlg::SetWindowZOrder(int left, int top, int width) {
    PlaceWindow(g_settings.bTopmost ? HWND_TOPMOST : HWND_NOTOPMOST, SWP_SHOWWINDOW, left, top,
                width);
}

CMenu& CQuillDlg::MenuOf(Menu menu) {
    switch (menu) {
    case Menu::Round:
        return m_menuRound;
    case Menu::Angles:
        return m_menuAngles;
    case Menu::Format:
        return m_menuFormat;
    default:
        return m_menuPopup;
    }
}

void CQuillDlg::SetRadioMarks() {
    // No item matches 0, so a value without an item leaves its group unmarked.
    for (const RadioGroup& group : RadioGroups()) {
        MenuOf(group.menu)
            .CheckRadio(group.first, group.last, MarkedItem(group, g_settings).value_or(0));
    }
}

void CQuillDlg::BuildPopupMenu() {
    for (const Menu menu : kBuildOrder) {
        CMenu& target = MenuOf(menu);
        target.CreatePopupMenu();
        for (const MenuItem& item : ItemsOf(menu)) {
            if (item.opens) {
                target.AppendSubmenu(MenuOf(*item.opens), item.text);
            } else {
                target.AppendItem(item.id, item.text);
            }
        }
    }
}

void CQuillDlg::SelectInExpression(int start, int end) {
    m_editExpression.SetSel(start, end);
    m_editExpression.ScrollCaret();
    m_editExpression.SetFocus();
}

void CQuillDlg::OnResult() {
    UpdateData(true);
    const ResultView view = ResultOf(m_strExpression, g_settings, WideLength);
    if (view.attention)
        ::MessageBoxA(m_hWnd, FaultText(Fault::DivisionByZero), kDivisionCaption,
                      MB_OK | MB_ICONHAND);
    m_strResult = view.result;
    m_bResultIsValue = view.value;
    if (view.evaluated) {
        try {
            m_recall.Add(m_strExpression);
        } catch (const std::bad_alloc&) {
            // Only recall misses an expression it had no room for.
        }
    }
    if (view.select) SelectInExpression(view.start, view.end);
    UpdateData(false);
    AnnounceLiveRegion(m_editResult.Get());
    if (view.beep) ::MessageBeep(kBeepRefused);
    if (view.focusExpression) m_editExpression.SetFocus();
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
    if (::GetFocus() != m_editExpression.Get()) m_editExpression.SetFocus();
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
    return 0;
}

void CQuillDlg::OnCopy(HWND line) {
    // A shortened number copies whole.
    const std::string result = ResultLineIsOurs() ? m_strResult : GetTextA(m_editResult.Get());
    const std::optional<std::string> text =
        CopyTextOf(SelectedText(line), result, m_bResultIsValue);
    if (text && !PutOnClipboard(m_hWnd, *text)) ::MessageBeep(kBeepRefused);
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

// Keys of the two lines that the edit controls would not handle so: true when
// taken here.
bool CQuillDlg::OnLineKey(const MSG& msg) {
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
    case KeyAction::None:
        break;
    }
    return false;
}

BOOL CQuillDlg::OnHelpInfo() {
    ::SendMessageW(m_hWnd, WM_COMMAND, ID_HELP_TOPICS, 0);
    return TRUE;
}

bool CQuillDlg::LoadSettings(CalcSettings& settings) {
    const LoadOutcome outcome = LoadSettingsFromPlaces(
        {GetDataFilePath(), GetRoamingDataFilePath()}, settings, FromWin(m_rcWindow));
    m_bSave = SavesOnClose(outcome);
    return outcome == LoadOutcome::Loaded;
}

bool CQuillDlg::SaveSettings(CalcSettings& settings) {
    m_rcWindow = RestoredWindowRect(m_hWnd);
    settings.nLeft = m_rcWindow.left;
    settings.nTop = m_rcWindow.top;
    // A window never widened or narrowed leaves the reserved text as it came.
    const int width = m_rcWindow.right - m_rcWindow.left;
    if (width != m_nStartWidth) StoreWidth(settings, ScalePixels(width, m_nDpi, kBaseDpi));
    // A file another program held unreadable at start keeps the user's settings.
    if (!m_bSave) return false;
    return SaveSettingsToPlaces({GetDataFilePath(), GetRoamingDataFilePath()}, settings);
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
    // The dialog starts from the font as chosen, not as a small screen shows it.
    CFont stored;
    stored.Reset(CreateSettingsFont(FontAtDpi(g_settings.lfFont, m_nDpi)));
    const std::optional<LogFontA> chosen =
        ChooseLineFont(m_hWnd, stored.Get() ? stored.Get() : m_pFont->Get());
    if (!chosen) return;
    // Chosen at the window's DPI, kept at 96.
    g_settings.lfFont = FontToStore(*chosen, m_nDpi);
    RECT window{};
    ::GetWindowRect(m_hWnd, &window);
    SetLineFont(window.left, window.top);
    PlaceWindow(nullptr, SWP_NOZORDER | SWP_NOACTIVATE, window.left, window.top,
                window.right - window.left);
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
        OnResult();
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
    if (!IsThemeChange(message, wParam, lParam) || !m_theme.Load()) return;
    m_theme.ApplyTitleBar(m_hWnd);
    LoadTopIcons();
    SetTopImage();
    RepaintAll(m_hWnd);
}

BOOL CQuillDlg::PreTranslateMessage(MSG* msg) {
    m_toolTip.RelayEvent(msg);
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
