// A static text control turned into a hyperlink: coloured text that
// underlines and recolours itself while the mouse is over it, a hand cursor,
// its own tooltip, and a click that opens its target through the shell.
//
// The owning dialog attaches the label to its control and passes on the two
// notifications a control sends its parent: the click (STN_CLICKED) and the
// colour request (WM_CTLCOLORSTATIC).
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "ui/link_style.h"
#include "ui/theme.h"
#include "ui/win/controls.h"

namespace quill::ui {

class CLink {
  public:
    CLink() = default;
    CLink(const CLink&) = delete;
    CLink& operator=(const CLink&) = delete;
    ~CLink();

    // Sets the label up on its control: notify style, fonts, tooltip from the
    // caption, the caption as target, style 3.
    void Attach(HWND control);
    HWND Get() const { return m_hWnd; }

    void SetTipText(const std::string& text);
    void SetURL(const std::string& url) { m_strURL = url; }
    void SetLinkStyle(int n);
    // The theme's link colours on its window colour; none: the system's
    // (high contrast).
    void SetColours(const std::optional<Palette>& palette);

    // The notifications the owner passes on.
    void OnClicked() const;
    HBRUSH OnCtlColor(HDC dc) const;
    void PreTranslateMessage(MSG* msg) const;

  private:
    static LRESULT CALLBACK SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                         UINT_PTR id, DWORD_PTR self);
    void OnMouseMove();
    void OnTimer();
    void OnEraseBkgnd(HDC dc) const;
    bool OnSetCursor() const;
    void SetUnderline(bool on);
    void SetHoverUnderline(bool on);
    void LoadHandCursor();
    void ShowFont(HFONT font) const;

    HWND m_hWnd = nullptr;
    CFont m_fontNormal;
    CFont m_fontHover;
    LOGFONTW m_lfBase{};
    CToolTipCtrl m_toolTip;
    std::string m_strTipText;
    int m_bTipOn = 1;
    HCURSOR m_hCursorHand = nullptr;
    int m_bHover = 0;
    int m_bUnderlineHover = 0;
    int m_bUnderlineNormal = 0;
    int m_bFrame = 0;
    std::string m_strURL;
    COLORREF m_crText = 0;
    COLORREF m_crTextHover = 0;
    COLORREF m_crBack = 0;
    COLORREF m_crBackHover = 0;
    COLORREF m_crFrame = 0;
};

} // namespace quill::ui
