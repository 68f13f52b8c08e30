// The history list: a popup below the main window (above it where the screen
// has no room below) with a filter line and a list control of the answered
// lines, newest first, each row the expression and its answer as the result
// line writes it. Used by keyboard alone: typing filters, Enter computes the
// row, Shift+Enter inserts its answer, Delete removes it, Escape (or a click
// elsewhere) closes the list; its context menu holds the same and "Clear
// history...". What a key does is ui/history_view.h's decision.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "app/history_text.h"
#include "ui/number_style.h"
#include "ui/theme.h"
#include "ui/win/controls.h"

namespace quill::ui {

class CHistoryList {
  public:
    // What the list asks of the window it belongs to.
    class Owner {
      public:
        virtual void OnListCompute(const HistoryEntry& entry) = 0;
        virtual void OnListInsert(const HistoryEntry& entry) = 0;
        virtual void OnListRemove(const HistoryEntry& entry) = 0;
        // "Clear history...": asks first, in a box owned by `box`.
        virtual void OnListClear(HWND box) = 0;
        virtual void OnListClosed() = 0;

      protected:
        ~Owner() = default;
    };

    CHistoryList() = default;
    CHistoryList(const CHistoryList&) = delete;
    CHistoryList& operator=(const CHistoryList&) = delete;
    ~CHistoryList();

    bool IsOpen() const { return m_hWnd != nullptr; }
    HWND Get() const { return m_hWnd; }

    // Opens beside `window` (which owns it) with the keyboard in the list.
    bool Open(HWND window, Owner& owner);
    // Closes it; the owner hears of it.
    void Close();

    // The rows: the entries (oldest first), in the style; `notKept` says in
    // the filter line that the history is not kept.
    void Show(std::vector<HistoryEntry> entries, const NumberStyle& style, bool notKept);
    // The lines' font and the theme's colours (none: the system's).
    void SetLook(HFONT font, const std::optional<Palette>& palette);
    // Placed anew beside the owner, as wide as it.
    void Follow();

  private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK KeyProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                    UINT_PTR id, DWORD_PTR data);
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
    bool OnKey(HWND from, UINT message, WPARAM wParam);
    void OnCreate();
    void OnSize(int width, int height);
    void OnActivate(WPARAM wParam, LPARAM lParam);
    void OnContextMenu(LPARAM lParam);
    void OnCommand(WPARAM wParam);
    LRESULT OnCtlColor(HDC dc) const;
    void Refill();
    void ShowCue() const;
    void Do(int action);
    std::optional<HistoryEntry> Selected() const;
    int RowHeight() const;

    HWND m_hWnd = nullptr;
    HWND m_hOwnerWindow = nullptr;
    HWND m_hFilter = nullptr;
    HWND m_hList = nullptr;
    Owner* m_pOwner = nullptr;
    HFONT m_hFont = nullptr;
    std::optional<Palette> m_palette;
    CBrush m_lineBrush;
    std::vector<HistoryEntry> m_entries;
    std::vector<std::size_t> m_rows; // the entries shown, row by row
    NumberStyle m_style;
    bool m_bNotKept = false;
};

} // namespace quill::ui
