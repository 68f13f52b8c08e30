// The calculator window: the expression line, the result line, "Result",
// the always-on-top toggle "<" and "Menu".
//
// Its members only apply what the portable core answers: the checker's
// verdict, the evaluator's text, the settings record's rules.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "app/settings.h"
#include "ui/controls.h"
#include "ui/dialog.h"

namespace quill::ui {

class CQuillDlg : public CDialog {
  public:
    CQuillDlg();

    // The Result command: check, evaluate, show.
    void OnResult();
    // Applies g_settings to the window: font, button image, place, z-order, marks.
    void ApplySettings();
    // Selects start..end (end -1: to the end) of the expression line, given
    // as indices into its ANSI text, scrolls there and focuses the line.
    void SelectInExpression(int start, int end);

    // The checker's verdict applied to the window; false when refused.
    bool CheckExpression(std::string text);
    // The evaluator's text; a division by zero shows its message box first.
    std::string Evaluate(std::string text);

    bool LoadSettings(CalcSettings& settings);
    bool SaveSettings(CalcSettings& settings);
    void SetDefaultSettings(CalcSettings& settings);
    void BuildPopupMenu();

  protected:
    BOOL OnInitDialog() override;
    BOOL PreTranslateMessage(MSG* msg) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    void DoDataExchange(bool save) override;

  private:
    void OnTopToggle();
    void OnMenuButton();
    void OnClose();
    LRESULT OnHotKey(WPARAM id);
    BOOL OnHelpInfo();
    bool OnPaint();
    void OnFont();
    void OnHelpTopics();
    void OnAbout();
    void ClearExpression();

    void SetLineFont(HFONT font);
    void SetTopImage();
    void SetWindowZOrder(int left, int top);
    void SetRadioMarks();
    // The window's outer rectangle; while minimised or maximised, the one it
    // will have when restored.
    RECT RestoredWindowRect() const;

  public:
    std::string m_strExpression;
    std::string m_strResult;
    CEdit m_editExpression;
    CEdit m_editResult;
    CButton m_btnTop;

  private:
    HICON m_hIcon;
    CIcon m_iconTop;
    CIcon m_iconNoTop;
    HICON m_hIconTop;
    HICON m_hIconNoTop;
    std::unique_ptr<CFont> m_pFont;
    RECT m_rcWindow{};
    CToolTipCtrl m_toolTip;
    CMenu m_menuPopup;
    CMenu m_menuRound;
    CMenu m_menuAngles;
    CMenu m_menuFormat;
};

} // namespace quill::ui
