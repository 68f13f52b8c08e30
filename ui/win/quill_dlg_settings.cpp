// CQuillDlg's settings: read at start (or the defaults), applied to the
// window, kept in the data file on close; the popup menu built from its
// table and marked from the settings.
#include "app/reserved_text.h"
#include "app/win/data_file_win.h"
#include "app/win/font_win.h"
#include "app/win/win_types.h"
#include "res/resource.h"
#include "ui/copy_text.h"
#include "ui/line_font.h"
#include "ui/win/number_format_win.h"
#include "ui/win/quill_dlg.h"
#include "ui/win/window_ops.h"

namespace quill::ui {

namespace {

int SmallIconSize() {
    return ::GetSystemMetrics(SM_CXSMICON);
}

} // namespace

void CQuillDlg::ApplySettings() {
    SetLineFont(g_settings.nLeft, g_settings.nTop);
    SetTopImage();
    const RECT work = WorkAreaAt(g_settings.nLeft, g_settings.nTop);
    m_nStartWidth =
        StartWidth(StoredWidth(g_settings), m_nDpi, m_nMinWidth, work.right - work.left);
    SetWindowZOrder(g_settings.nLeft, g_settings.nTop, m_nStartWidth);
    SetRadioMarks();
}

void CQuillDlg::ReadNumberStyle() {
    m_style = SystemNumberStyle(g_settings);
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
    case Menu::Decimal:
        return m_menuDecimal;
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
    for (const unsigned id : CheckItemIds())
        m_menuPopup.Check(id, IsChecked(id, g_settings));
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
    m_list.SetLook(m_pFont->Get(), m_theme.Colours());
}

} // namespace quill::ui
