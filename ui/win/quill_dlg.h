// The calculator window: the expression line, the result line, "Result",
// the always-on-top toggle "<" and "Menu".
//
// Glue only: its handlers read the controls, ask the window's model
// (ui/menu_model.h, ui/result_flow.h, ui/history_view.h) and apply the
// answer. quill_dlg.cpp holds the dispatch and the handlers; the settings
// and the menu, the size, and the history have files of their own.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "app/history_text.h"
#include "app/settings.h"
#include "app/win/history_file_win.h"
#include "ui/menu_model.h"
#include "ui/number_style.h"
#include "ui/recall.h"
#include "ui/result_flow.h"
#include "ui/win/controls.h"
#include "ui/win/dialog.h"
#include "ui/win/history_list.h"
#include "ui/win/theme_win.h"
#include "ui/window_layout.h"

namespace quill::ui {

class CQuillDlg : public CDialog, private CHistoryList::Owner {
  public:
    CQuillDlg();

  protected:
    BOOL OnInitDialog() override;
    BOOL PreTranslateMessage(MSG* msg) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    void DoDataExchange(bool save) override;
    void OnFailure() override;

  private:
    // The Result command: check, evaluate, show; `again` when a setting
    // command computes the line again (ans stays what it was for it, and the
    // history takes no new line).
    void OnResult(bool again = false);
    void OnTopToggle();
    void OnMenuButton();
    void OnClose();
    LRESULT OnDpiChanged(WPARAM wParam, LPARAM lParam);
    // The theme: colours of the lines and the dialog, the buttons it draws,
    // and a change of the system's theme while the window runs.
    bool OnCtlColor(UINT message, WPARAM wParam, LRESULT& result) const;
    void OnSettingChange(UINT message, WPARAM wParam, LPARAM lParam);
    bool OnLineKey(const MSG& msg);
    void OnCopy(HWND line);
    static LRESULT CALLBACK ResultLineProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                           UINT_PTR id, DWORD_PTR data);
    void OnRecall(bool up);
    // The number style changed (a menu command, the system's format).
    void OnReshow();
    BOOL OnHelpInfo();
    void OnFont();
    void OnHelpTopics();
    void OnAbout();
    void ClearExpression();
    // After the popup menu: Result is the default button again, the
    // expression line has the focus.
    void RestoreDefaultButton();
    // Selects [start, end) of the expression line, in its own characters,
    // scrolls there and focuses the line.
    void SelectInExpression(int start, int end);

    bool LoadSettings(CalcSettings& settings);
    bool SaveSettings(CalcSettings& settings);
    void SetDefaultSettings(CalcSettings& settings);
    void BuildPopupMenu();
    // Applies g_settings to the window: font, button image, place, z-order, marks.
    void ApplySettings();

    // The record's font at the window's DPI, as large as the work area at
    // (x, y) lets the window be; sets the window's height for it.
    void SetLineFont(int x, int y);
    void LoadTopIcons();
    void SetTopImage();
    void SetWindowZOrder(int left, int top, int width);

    // The window's size (quill_dlg_size.cpp): the lines stretch with the
    // width and follow the font; a number too wide for its line is shortened.
    void ReadDesign();
    int LineHeightFor(HFONT font) const;
    int WindowHeightFor(HFONT font) const;
    void PlaceWindow(HWND after, UINT flags, int left, int top, int width);
    void LayOutControls(int clientWidth);
    LRESULT OnNcHitTest(WPARAM wParam, LPARAM lParam) const;
    void OnGetMinMaxInfo(MINMAXINFO& info) const;
    void OnSize(WPARAM type, int clientWidth);
    // The result line's text: m_strResult whole, or shortened when it is a
    // number too wide for the line (its whole text then in the tooltip).
    void ShowResult();
    bool ResultLineIsOurs() const;
    int ResultRoom() const;
    void SetRadioMarks();
    CMenu& MenuOf(Menu menu);
    void ReadNumberStyle();

    // The history (quill_dlg_history.cpp): read at start, each answer added
    // once it shows, the list, and "Clear history".
    void LoadHistory();
    void RecordAnswer(const std::string& expression, const ResultView& view);
    void EditHistory(const HistoryEdit& edit);
    void SaveHistory(DWORD waitMs);
    void OnHistoryTimer();
    void AfterHistoryChange();
    void NoteHistoryNotKept();
    std::size_t HistoryKeep() const;
    void ToggleHistoryList();
    void ClearHistory(HWND box);
    void OnListCompute(const HistoryEntry& entry) override;
    void OnListInsert(const HistoryEntry& entry) override;
    void OnListRemove(const HistoryEntry& entry) override;
    void OnListClear(HWND box) override;
    void OnListClosed() override;
    bool OnSetFocus();

    std::string m_strExpression;
    std::string m_strResult;
    CEdit m_editExpression;
    CEdit m_editResult;
    CButton m_btnTop;
    HICON m_hIcon;
    CIcon m_iconTop;
    CIcon m_iconNoTop;
    HICON m_hIconTop = nullptr; // the pins at the window's DPI (LoadTopIcons)
    HICON m_hIconNoTop = nullptr;
    std::unique_ptr<CFont> m_pFont;
    int m_nDpi = 96;               // the window's, for the lines' font and icons
    bool m_bSave = true;           // false: the data file was held at start, keep it
    bool m_bResultIsValue = false; // the result line holds a value, not a message
    Recall m_recall;
    AnswerMemory m_answers;                     // what "ans" stands for
    NumberStyle m_style;                        // how the result line writes numbers
    std::unique_ptr<HistoryFile> m_historyFile; // none: the history is kept for the run only
    std::vector<HistoryEntry> m_history;        // oldest first
    std::vector<HistoryEdit> m_pendingEdits;    // not yet in the file
    bool m_bHistoryKept = true;                 // false: the file cannot be kept this run
    bool m_bHistoryNoted = false;               // "History not kept" was said
    int m_nHistoryTries = 0;                    // saves that found the file busy in a row
    CHistoryList m_list;
    DWORD m_listCaretStart = 0; // the expression line's selection when the list opened
    DWORD m_listCaretEnd = 0;
    bool m_bListReturn = false; // the list closed: the line's focus comes back with that selection
    RECT m_rcWindow{};
    WindowDesign m_design;   // the template's controls at the window's DPI
    int m_nMinWidth = 0;     // the template's width: the least the window takes
    int m_nHeight = 0;       // the window's height for its font; never dragged
    int m_nStartWidth = 0;   // the width it started with: another one is stored
    std::wstring m_strShown; // what the result line was last given
    CTheme m_theme;
    CToolTipCtrl m_toolTip;
    CMenu m_menuPopup;
    CMenu m_menuRound;
    CMenu m_menuAngles;
    CMenu m_menuFormat;
    CMenu m_menuDecimal;
};

} // namespace quill::ui
