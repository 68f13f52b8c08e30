// The about box: icon, name and version, and two links: the maker's home
// page and the support e-mail address.
#pragma once

#include "ui/win/dialog.h"
#include "ui/win/link.h"
#include "ui/win/theme_win.h"

namespace quill::ui {

class CAboutDlg : public CDialog {
  public:
    CAboutDlg();

  protected:
    BOOL OnInitDialog() override;
    BOOL PreTranslateMessage(MSG* msg) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    void DoDataExchange(bool save) override;

  private:
    CLink* LinkOf(HWND control);
    bool OnCtlColor(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    void ApplyTheme();
    void OnSettingChange(UINT message, WPARAM wParam, LPARAM lParam);

    CTheme m_theme;

    CLink m_linkMail;
    CLink m_linkHome;
};

} // namespace quill::ui
