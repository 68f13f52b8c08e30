// CQuillDlg's size: the width the user drags, the height the font needs, the
// controls laid out for both, and the result line's number fitted to it.
#include <algorithm>

#include "app/win/ansi.h"
#include "app/win/font_win.h"
#include "app/win/win_types.h"
#include "res/resource.h"
#include "ui/line_font.h"
#include "ui/result_fit.h"
#include "ui/win/quill_dlg.h"
#include "ui/win/window_ops.h"
#include "ui/window_shape.h"

namespace quill::ui {

namespace {

// Above and below the text inside a line: the edit control's own inset and a
// pixel for descenders drawn below the cell.
constexpr int kLineTextPadding = 6;

struct Placed {
    int id;
    const Rect WindowLayout::*rect;
};

constexpr Placed kPlaced[] = {
    {IDC_BTN_TOP, &WindowLayout::top},
    {IDC_BTN_MENU, &WindowLayout::menu},
    {IDC_EXPRESSION, &WindowLayout::expression},
    {IDC_RESULT, &WindowLayout::result},
    {IDC_BTN_RESULT, &WindowLayout::resultButton},
};

} // namespace

void CQuillDlg::ReadDesign() {
    m_design.top = FromWin(ChildRect(m_hWnd, IDC_BTN_TOP));
    m_design.menu = FromWin(ChildRect(m_hWnd, IDC_BTN_MENU));
    m_design.expression = FromWin(ChildRect(m_hWnd, IDC_EXPRESSION));
    m_design.result = FromWin(ChildRect(m_hWnd, IDC_RESULT));
    m_design.resultButton = FromWin(ChildRect(m_hWnd, IDC_BTN_RESULT));
    RECT client{};
    ::GetClientRect(m_hWnd, &client);
    m_design.clientWidth = client.right;
    m_design.clientHeight = client.bottom;
    m_design.strip = ScalePixels(kEmptyStripPixels, kBaseDpi, m_nDpi);
    RECT window{};
    ::GetWindowRect(m_hWnd, &window);
    m_nMinWidth = window.right - window.left;
}

int CQuillDlg::LineHeightFor(HFONT font) const {
    HWND line = GetDlgItem(IDC_EXPRESSION);
    return FontLineHeight(line, font) + FrameSize(line).cy + kLineTextPadding;
}

int CQuillDlg::WindowHeightFor(HFONT font) const {
    return LayOut(m_design, 0, LineHeightFor(font)).clientHeight + FrameSize(m_hWnd).cy;
}

void CQuillDlg::SetLineFont(int x, int y) {
    LogFontA font = FontAtDpi(g_settings.lfFont, m_nDpi);
    const RECT work = WorkAreaAt(x, y);
    // Shown smaller when the window would not fit; the record keeps the choice.
    font.lfHeight = FittingFontHeight(font.lfHeight, work.bottom - work.top, [&](int height) {
        LogFontA tried = font;
        tried.lfHeight = height;
        CFont made;
        made.Reset(CreateSettingsFont(tried));
        return WindowHeightFor(made.Get());
    });
    m_pFont->Reset(CreateSettingsFont(font));
    m_editExpression.SetFont(m_pFont->Get());
    m_editResult.SetFont(m_pFont->Get());
    m_nHeight = WindowHeightFor(m_pFont->Get());
}

void CQuillDlg::PlaceWindow(HWND after, UINT flags, int left, int top, int width) {
    ::SetWindowPos(m_hWnd, after, left, top, std::max(width, m_nMinWidth), m_nHeight, flags);
    RECT client{};
    ::GetClientRect(m_hWnd, &client);
    // Also when the size stayed: the font may have changed the lines.
    LayOutControls(client.right);
}

void CQuillDlg::LayOutControls(int clientWidth) {
    const WindowLayout layout = LayOut(m_design, clientWidth, LineHeightFor(m_pFont->Get()));
    // All at once, so a drag does not flicker through half-moved controls.
    HDWP batch = ::BeginDeferWindowPos(static_cast<int>(std::size(kPlaced)));
    for (const Placed& placed : kPlaced) {
        const Rect& r = layout.*placed.rect;
        if (batch) {
            batch =
                ::DeferWindowPos(batch, GetDlgItem(placed.id), nullptr, r.left, r.top,
                                 r.right - r.left, r.bottom - r.top, SWP_NOZORDER | SWP_NOACTIVATE);
        }
    }
    if (batch) ::EndDeferWindowPos(batch);
    if (ResultLineIsOurs()) ShowResult();
    m_list.Follow();
}

LRESULT CQuillDlg::OnNcHitTest(WPARAM wParam, LPARAM lParam) const {
    // Only the left and right edges size the window: its height follows the font.
    const LRESULT hit = ::DefWindowProcW(m_hWnd, WM_NCHITTEST, wParam, lParam);
    switch (hit) {
    case HTTOP:
    case HTBOTTOM:
        return HTBORDER;
    case HTTOPLEFT:
    case HTBOTTOMLEFT:
        return HTLEFT;
    case HTTOPRIGHT:
    case HTBOTTOMRIGHT:
        return HTRIGHT;
    default:
        return hit;
    }
}

void CQuillDlg::OnGetMinMaxInfo(MINMAXINFO& info) const {
    if (m_nHeight <= 0) return; // not laid out yet
    info.ptMinTrackSize = {m_nMinWidth, m_nHeight};
    info.ptMaxTrackSize.y = m_nHeight;
}

void CQuillDlg::OnSize(WPARAM type, int clientWidth) {
    if (type != SIZE_MINIMIZED && m_pFont) LayOutControls(clientWidth);
}

int CQuillDlg::ResultRoom() const {
    RECT format{};
    ::SendMessageW(GetDlgItem(IDC_RESULT), EM_GETRECT, 0, reinterpret_cast<LPARAM>(&format));
    return format.right - format.left - 1; // a pixel for the caret at the end
}

bool CQuillDlg::ResultLineIsOurs() const {
    HWND line = GetDlgItem(IDC_RESULT);
    std::wstring text(static_cast<std::size_t>(::GetWindowTextLengthW(line)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        std::max(0, ::GetWindowTextW(line, text.data(), static_cast<int>(text.size())))));
    return text == m_strShown;
}

void CQuillDlg::ShowResult() {
    HWND line = GetDlgItem(IDC_RESULT);
    std::optional<std::wstring> shortened;
    if (m_bResultIsValue && m_pFont) {
        shortened = ShortenedResult(
            m_strResult, ResultRoom(),
            [&](std::wstring_view text) { return TextWidth(line, m_pFont->Get(), text); }, m_style);
    }
    // A value in the user's number format; a message as it stands.
    const std::wstring whole =
        m_bResultIsValue ? ShownNumber(m_strResult, m_style) : WideFromAnsi(m_strResult);
    const std::wstring shown = shortened ? *shortened : whole;
    if (!ResultLineIsOurs() || shown != m_strShown) ::SetWindowTextW(line, shown.c_str());
    m_strShown = shown;
    m_toolTip.UpdateTipText(line, shortened ? whole : std::wstring());
}

} // namespace quill::ui
