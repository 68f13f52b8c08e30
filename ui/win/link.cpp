#include "ui/win/link.h"

#include <commctrl.h>

#include "app/win/ansi.h"
#include "ui/win/dialog.h"
#include "ui/win/guarded.h"
#include "ui/win/window_ops.h"

namespace quill::ui {

namespace {

constexpr UINT_PTR kHoverTimer = 100;
constexpr UINT kHoverPeriodMs = 100;
constexpr UINT_PTR kSubclassId = 1;

COLORREF ColourOf(const Rgb& c) {
    return RGB(c.r, c.g, c.b);
}
COLORREF ColourOf(const Background& b) {
    return b.face ? ::GetSysColor(COLOR_BTNFACE) : ColourOf(b.colour);
}

HFONT FontWithUnderline(LOGFONTW lf, bool underline) {
    lf.lfUnderline = underline ? TRUE : FALSE;
    return ::CreateFontIndirectW(&lf);
}

} // namespace

CLink::~CLink() {
    if (m_hWnd) {
        ::KillTimer(m_hWnd, kHoverTimer);
        ::RemoveWindowSubclass(m_hWnd, SubclassProc, kSubclassId);
    }
    if (m_hCursorHand) ::DestroyCursor(m_hCursorHand);
}

void CLink::Attach(HWND control) {
    m_hWnd = control;
    ::SetWindowLongPtrW(control, GWL_STYLE, ::GetWindowLongPtrW(control, GWL_STYLE) | SS_NOTIFY);
    auto font = reinterpret_cast<HFONT>(::SendMessageW(control, WM_GETFONT, 0, 0));
    if (!font) font = static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
    ::GetObjectW(font, sizeof m_lfBase, &m_lfBase);
    m_fontNormal.Reset(FontWithUnderline(m_lfBase, m_bUnderlineNormal));
    ShowFont(m_fontNormal.Get());
    m_fontHover.Reset(FontWithUnderline(m_lfBase, m_bUnderlineHover));
    const std::string caption = GetTextA(control);
    m_strTipText = MakeTipText(caption, m_bTipOn != 0);
    m_toolTip.Create(control);
    m_toolTip.AddTool(control, WideFromAnsi(m_strTipText));
    m_toolTip.Activate(true);
    m_strURL = caption;
    SetLinkStyle(kDefaultLinkStyle);
    ::SetWindowSubclass(control, SubclassProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
}

void CLink::SetTipText(const std::string& text) {
    m_strTipText = text;
    m_bTipOn = 1;
    m_toolTip.UpdateTipText(m_hWnd, WideFromAnsi(text));
}

void CLink::SetLinkStyle(int n) {
    m_bHover = 0;
    if (n >= 0 && n < kLinkStyleCount) {
        const LinkStyle& s = LinkStyles()[static_cast<std::size_t>(n)];
        m_crText = ColourOf(s.text);
        m_crTextHover = ColourOf(s.textHover);
        m_crBack = ColourOf(s.back);
        m_crBackHover = ColourOf(s.backHover);
        m_crFrame = ColourOf(s.frameColour);
        m_bUnderlineNormal = s.underline;
        m_bUnderlineHover = s.underlineHover;
        m_bFrame = s.frame;
        m_bTipOn = 1;
        if (m_hCursorHand) ::DestroyCursor(m_hCursorHand);
        m_hCursorHand = nullptr;
    }
    if (n == 0) return; // style 0 keeps the fonts as they are
    SetHoverUnderline(m_bUnderlineHover != 0);
    SetUnderline(m_bUnderlineNormal != 0);
    ShowFont(m_fontNormal.Get());
}

void CLink::SetColours(const std::optional<Palette>& palette) {
    if (palette) {
        m_crText = ColourOf(palette->link);
        m_crTextHover = ColourOf(palette->linkHover);
        m_crBack = m_crBackHover = ColourOf(palette->window);
    } else {
        m_crText = m_crTextHover = ::GetSysColor(COLOR_HOTLIGHT);
        m_crBack = m_crBackHover = ::GetSysColor(COLOR_BTNFACE);
    }
    ::InvalidateRect(m_hWnd, nullptr, TRUE);
}

void CLink::SetUnderline(bool on) {
    m_fontNormal.Reset(FontWithUnderline(m_lfBase, on));
    m_bUnderlineNormal = on;
}

void CLink::SetHoverUnderline(bool on) {
    m_fontHover.Reset(FontWithUnderline(m_lfBase, on));
    m_bUnderlineHover = on;
}

void CLink::ShowFont(HFONT font) const {
    ::SendMessageW(m_hWnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}

void CLink::LoadHandCursor() {
    if (m_hCursorHand) return;
    if (HCURSOR hand = ::LoadCursorW(nullptr, IDC_HAND)) m_hCursorHand = ::CopyIcon(hand);
}

void CLink::OnMouseMove() {
    m_bHover = 1;
    ShowFont(m_fontHover.Get());
    ::SetTimer(m_hWnd, kHoverTimer, kHoverPeriodMs, nullptr);
    LoadHandCursor();
}

void CLink::OnTimer() {
    const DWORD pos = ::GetMessagePos();
    POINT point{static_cast<short>(LOWORD(pos)), static_cast<short>(HIWORD(pos))};
    ::ScreenToClient(m_hWnd, &point);
    RECT client{};
    ::GetClientRect(m_hWnd, &client);
    if (!::PtInRect(&client, point)) {
        m_bHover = 0;
        ::KillTimer(m_hWnd, kHoverTimer);
        ShowFont(m_fontNormal.Get());
    }
}

void CLink::OnEraseBkgnd(HDC dc) const {
    RECT client{};
    ::GetClientRect(m_hWnd, &client);
    HBRUSH back = ::CreateSolidBrush(m_bHover ? m_crBackHover : m_crBack);
    ::FillRect(dc, &client, back);
    ::DeleteObject(back);
    if (m_bHover && m_bFrame) {
        HBRUSH frame = ::CreateSolidBrush(m_crFrame);
        ::FrameRect(dc, &client, frame);
        ::DeleteObject(frame);
    }
}

bool CLink::OnSetCursor() const {
    if (!m_hCursorHand) return false;
    ::SetCursor(m_hCursorHand);
    return true;
}

void CLink::OnClicked() const {
    OpenAddress(m_strURL.c_str());
}

HBRUSH CLink::OnCtlColor(HDC dc) const {
    ::SetTextColor(dc, m_bHover ? m_crTextHover : m_crText);
    ::SetBkMode(dc, TRANSPARENT);
    return static_cast<HBRUSH>(::GetStockObject(NULL_BRUSH));
}

void CLink::PreTranslateMessage(MSG* msg) const {
    if (m_bTipOn) m_toolTip.RelayEvent(msg);
}

LRESULT CALLBACK CLink::SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                     UINT_PTR, DWORD_PTR data) {
    auto* self = reinterpret_cast<CLink*>(data);
    const bool taken = Guarded(
        [&] {
            switch (message) {
            case WM_MOUSEMOVE:
                self->OnMouseMove();
                break;
            case WM_TIMER:
                self->OnTimer();
                break;
            case WM_ERASEBKGND:
                self->OnEraseBkgnd(reinterpret_cast<HDC>(wParam));
                break;
            case WM_SETCURSOR:
                return self->OnSetCursor();
            default:
                break;
            }
            return false;
        },
        [] { return false; });
    return taken ? TRUE : ::DefSubclassProc(window, message, wParam, lParam);
}

} // namespace quill::ui
