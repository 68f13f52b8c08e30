// Thin owners and wrappers of window objects: fonts, menus, icons, tooltips,
// edits and buttons. Each owner frees what it holds when it goes.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <string>

namespace quill::ui {

// Owns one GDI object (a font, a brush) and deletes it when it goes.
template <typename Handle> class CGdiObject {
  public:
    CGdiObject() = default;
    CGdiObject(const CGdiObject&) = delete;
    CGdiObject& operator=(const CGdiObject&) = delete;
    ~CGdiObject() { Reset(nullptr); }
    void Reset(Handle object) {
        if (m_hObject) ::DeleteObject(m_hObject);
        m_hObject = object;
    }
    Handle Get() const { return m_hObject; }

  private:
    Handle m_hObject = nullptr;
};

using CFont = CGdiObject<HFONT>;
using CBrush = CGdiObject<HBRUSH>;

// Owns one popup menu (and with it its items; an owning menu destroys the
// submenus appended to it, so submenus are created unowned).
class CMenu {
  public:
    CMenu() = default;
    CMenu(const CMenu&) = delete;
    CMenu& operator=(const CMenu&) = delete;
    ~CMenu() {
        if (m_hMenu && m_bOwned) ::DestroyMenu(m_hMenu);
    }
    bool CreatePopupMenu() {
        m_hMenu = ::CreatePopupMenu();
        return m_hMenu != nullptr;
    }
    // Once appended to a parent, the parent destroys it.
    void Disown() { m_bOwned = false; }
    HMENU Get() const { return m_hMenu; }
    // A command item, or a separator carrying `id` when `text` is null.
    void AppendItem(UINT id, const wchar_t* text) {
        ::AppendMenuW(m_hMenu, text ? MF_STRING : MF_SEPARATOR, id, text);
    }
    // Appends `sub`, which this menu then destroys.
    void AppendSubmenu(CMenu& sub, const wchar_t* text) {
        ::AppendMenuW(m_hMenu, MF_POPUP, reinterpret_cast<UINT_PTR>(sub.Get()), text);
        sub.Disown();
    }
    void CheckRadio(UINT first, UINT last, UINT item) {
        ::CheckMenuRadioItem(m_hMenu, first, last, item, MF_BYCOMMAND);
    }
    void Check(UINT item, bool on) {
        ::CheckMenuItem(m_hMenu, item, MF_BYCOMMAND | (on ? MF_CHECKED : MF_UNCHECKED));
    }

  private:
    HMENU m_hMenu = nullptr;
    bool m_bOwned = true;
};

// Owns one icon, loaded at a given size.
class CIcon {
  public:
    CIcon() = default;
    CIcon(const CIcon&) = delete;
    CIcon& operator=(const CIcon&) = delete;
    ~CIcon() { Free(); }
    HICON Get() const { return m_hIcon; }
    // The resource's image at `size` pixels, in place of the one held.
    void Load(int resource, int size) {
        Free();
        m_hIcon =
            static_cast<HICON>(::LoadImageW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(resource),
                                            IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
    }

  private:
    void Free() {
        if (m_hIcon) ::DestroyIcon(m_hIcon);
        m_hIcon = nullptr;
    }

    HICON m_hIcon = nullptr;
};

class CEdit {
  public:
    void Attach(HWND window) { m_hWnd = window; }
    HWND Get() const { return m_hWnd; }
    void SetFont(HFONT font) const {
        ::SendMessageW(m_hWnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    }
    void SetSel(int start, int end) const { ::SendMessageW(m_hWnd, EM_SETSEL, start, end); }
    void ScrollCaret() const { ::SendMessageW(m_hWnd, EM_SCROLLCARET, 0, 0); }
    void SetFocus() const { ::SetFocus(m_hWnd); }

  private:
    HWND m_hWnd = nullptr;
};

class CButton {
  public:
    void Attach(HWND window) { m_hWnd = window; }
    HWND Get() const { return m_hWnd; }
    void SetIcon(HICON icon) const {
        ::SendMessageW(m_hWnd, BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(icon));
    }

  private:
    HWND m_hWnd = nullptr;
};

// A tooltip control whose tools are whole control windows; mouse messages
// reach it through RelayEvent.
class CToolTipCtrl {
  public:
    CToolTipCtrl() = default;
    CToolTipCtrl(const CToolTipCtrl&) = delete;
    CToolTipCtrl& operator=(const CToolTipCtrl&) = delete;
    ~CToolTipCtrl() {
        if (m_hWnd) ::DestroyWindow(m_hWnd);
    }
    // The tools belong to `parent`; an unowned tooltip window stays out of
    // its owner's z-order changes.
    bool Create(HWND parent, bool owned = true);
    void AddTool(HWND tool, const std::wstring& text);
    void UpdateTipText(HWND tool, const std::wstring& text);
    void Activate(bool on) const { ::SendMessageW(m_hWnd, TTM_ACTIVATE, on, 0); }
    void RelayEvent(MSG* msg) const {
        if (m_hWnd) ::SendMessageW(m_hWnd, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(msg));
    }
    HWND Get() const { return m_hWnd; }

  private:
    HWND m_hWnd = nullptr;
    HWND m_hParent = nullptr;
};

} // namespace quill::ui
