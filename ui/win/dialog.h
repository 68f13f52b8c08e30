// A small dialog layer: a dialog base that runs a template modally through its
// own message loop (so PreTranslateMessage sees every message, as tooltips
// need), dispatches messages to virtual handlers, and exchanges the text of
// controls with member strings.
//
// Text crosses the window boundary in the ANSI code page, the engine's
// single-byte text; the windows themselves are Unicode.
#pragma once

#include <windows.h>

#include <string>

namespace quill::ui {

// The text of a window, in the ANSI code page.
std::string GetTextA(HWND window);
// Sets the text of a window only when it differs, so an unchanged line keeps
// its caret, selection and scroll position.
void SetTextA(HWND window, const std::string& text);
// Data exchange of one control: its text into `text` when `save`, else `text` into it.
void ExchangeText(bool save, HWND window, std::string& text);

class CDialog {
  public:
    explicit CDialog(UINT templateId) : m_nTemplate(templateId) {}
    CDialog(const CDialog&) = delete;
    CDialog& operator=(const CDialog&) = delete;
    virtual ~CDialog() = default;

    // Creates the dialog, disables `parent` while it runs, and returns the
    // value passed to EndDialog (-1 when the dialog could not be created).
    INT_PTR DoModal(HWND parent = nullptr);
    void EndDialog(INT_PTR result);
    HWND GetSafeHwnd() const { return m_hWnd; }
    HWND GetDlgItem(int id) const { return ::GetDlgItem(m_hWnd, id); }

  protected:
    // Runs DoDataExchange(false); returns TRUE to focus the first tab stop.
    virtual BOOL OnInitDialog();
    // TRUE when the message was handled and must not be dispatched.
    virtual BOOL PreTranslateMessage(MSG* msg);
    // WM_COMMAND; the base ends the dialog on IDOK and IDCANCEL.
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    // Every other message: true when handled, with its result in `result`.
    virtual bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    // Controls to members when `save`, members to controls otherwise.
    virtual void DoDataExchange(bool save);
    // A message's handling threw (an allocation failed): the dialog says so
    // and goes on. Must not throw.
    virtual void OnFailure() {}
    void UpdateData(bool save) { DoDataExchange(save); }

    HWND m_hWnd = nullptr;

  private:
    static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR Dispatch(UINT message, WPARAM wParam, LPARAM lParam);

    UINT m_nTemplate;
    bool m_bEnded = false;
    INT_PTR m_nResult = -1;
};

} // namespace quill::ui
