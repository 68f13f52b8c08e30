#include "ui/win/history_list.h"

#include <commctrl.h>

#include "app/win/ansi.h"
#include "app/win/win_types.h"
#include "calc/faults.h"
#include "res/resource.h"
#include "ui/history_view.h"
#include "ui/menu_model.h"
#include "ui/result_fit.h"
#include "ui/win/guarded.h"
#include "ui/win/window_ops.h"

namespace quill::ui {

namespace {

constexpr const wchar_t* kClassName = L"QuillpadHistory";
constexpr const wchar_t* kCaption = L"Quillpad history";
constexpr const wchar_t* kFilterCue = L"Type to filter";
constexpr UINT_PTR kKeySubclass = 1;
constexpr int kVisibleRows = 8;
constexpr int kCellMargin = 12; // a list cell's inset, both sides
constexpr int kLinePadding = 8;
// A key's action, posted to the list so that it runs after the key's own
// message (an action may close the list and its controls).
constexpr UINT kDoAction = WM_APP + 1;

COLORREF Ref(Rgb c) {
    return RGB(c.r, c.g, c.b);
}

bool RegisterOnce(WNDPROC proc) {
    static const bool registered = [proc] {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = proc;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        wc.lpszClassName = kClassName;
        return ::RegisterClassExW(&wc) != 0;
    }();
    return registered;
}

ListKey ListKeyOf(WPARAM key) {
    switch (key) {
    case VK_RETURN:
        return ListKey::Enter;
    case VK_DELETE:
        return ListKey::Delete;
    case VK_ESCAPE:
        return ListKey::Escape;
    case VK_BACK:
        return ListKey::Backspace;
    case 'H':
        return (::GetKeyState(VK_CONTROL) & 0x8000) ? ListKey::CtrlH : ListKey::Other;
    default:
        return ListKey::Other;
    }
}

// Keys the filter line passes to the list: the ones that move through rows.
bool IsRowKey(WPARAM key) {
    return key == VK_UP || key == VK_DOWN || key == VK_PRIOR || key == VK_NEXT;
}

std::wstring WindowText(HWND window) {
    std::wstring text(static_cast<std::size_t>(::GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        std::max(0, ::GetWindowTextW(window, text.data(), static_cast<int>(text.size())))));
    return text;
}

void InsertColumn(HWND list, int index, const wchar_t* name) {
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.pszText = const_cast<wchar_t*>(name);
    column.cx = 100;
    ::SendMessageW(list, LVM_INSERTCOLUMNW, index, reinterpret_cast<LPARAM>(&column));
}

void SetCell(HWND list, int row, int column, const std::wstring& text, bool insert) {
    LVITEMW item{};
    item.mask = LVIF_TEXT;
    item.iItem = row;
    item.iSubItem = column;
    item.pszText = const_cast<wchar_t*>(text.c_str());
    ::SendMessageW(list, insert ? LVM_INSERTITEMW : LVM_SETITEMTEXTW, insert ? 0 : row,
                   reinterpret_cast<LPARAM>(&item));
}

void SelectRow(HWND list, int row) {
    LVITEMW state{};
    state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    state.state = LVIS_SELECTED | LVIS_FOCUSED;
    ::SendMessageW(list, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&state));
    ::SendMessageW(list, LVM_ENSUREVISIBLE, row, FALSE);
}

} // namespace

CHistoryList::~CHistoryList() {
    if (m_hWnd) ::DestroyWindow(m_hWnd);
}

bool CHistoryList::Open(HWND window, Owner& owner) {
    if (m_hWnd) return true;
    if (!RegisterOnce(WindowProc)) return false;
    m_hOwnerWindow = window;
    m_pOwner = &owner;
    const DWORD topmost = ::GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_TOPMOST;
    ::CreateWindowExW(WS_EX_TOOLWINDOW | topmost, kClassName, kCaption,
                      WS_POPUP | WS_BORDER | WS_CLIPCHILDREN, 0, 0, 0, 0, window, nullptr,
                      ::GetModuleHandleW(nullptr), this);
    if (!m_hWnd) return false;
    Follow();
    ::ShowWindow(m_hWnd, SW_SHOW);
    ::SetFocus(m_hList);
    return true;
}

void CHistoryList::Close() {
    if (!m_hWnd) return;
    HWND window = m_hWnd;
    m_hWnd = nullptr; // closed before the owner hears of it, so it may open it again
    ::DestroyWindow(window);
    m_hFilter = m_hList = nullptr;
    if (m_pOwner) m_pOwner->OnListClosed();
}

void CHistoryList::Show(std::vector<HistoryEntry> entries, const NumberStyle& style, bool notKept) {
    m_entries = std::move(entries);
    m_style = style;
    m_bNotKept = notKept;
    if (!m_hWnd) return;
    ShowCue();
    Refill();
}

void CHistoryList::ShowCue() const {
    std::wstring cue = kFilterCue;
    if (m_bNotKept) cue = WideFromAnsi(FaultText(Fault::HistoryNotKept)) + L"; " + cue;
    ::SendMessageW(m_hFilter, EM_SETCUEBANNER, TRUE, reinterpret_cast<LPARAM>(cue.c_str()));
}

void CHistoryList::SetLook(HFONT font, const std::optional<Palette>& palette) {
    m_hFont = font;
    m_palette = palette;
    m_lineBrush.Reset(palette ? ::CreateSolidBrush(Ref(palette->line)) : nullptr);
    if (!m_hWnd) return;
    for (HWND child : {m_hFilter, m_hList})
        ::SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    const COLORREF back = palette ? Ref(palette->line) : CLR_DEFAULT;
    ::SendMessageW(m_hList, LVM_SETBKCOLOR, 0, static_cast<LPARAM>(back));
    ::SendMessageW(m_hList, LVM_SETTEXTBKCOLOR, 0, static_cast<LPARAM>(back));
    ::SendMessageW(m_hList, LVM_SETTEXTCOLOR, 0,
                   static_cast<LPARAM>(palette ? Ref(palette->lineText) : CLR_DEFAULT));
    Follow();
    ::InvalidateRect(m_hWnd, nullptr, TRUE);
}

int CHistoryList::RowHeight() const {
    return FontLineHeight(m_hList, m_hFont) + kLinePadding;
}

void CHistoryList::Follow() {
    if (!m_hWnd) return;
    RECT window{};
    ::GetWindowRect(m_hOwnerWindow, &window);
    const RECT work = WorkAreaAt(window.left, window.top);
    const SIZE frame = FrameSize(m_hWnd);
    const int height = RowHeight() * (kVisibleRows + 1) + frame.cy + kLinePadding;
    const Rect place = ListPlace(FromWin(window), FromWin(work), height);
    ::SetWindowPos(m_hWnd, nullptr, place.left, place.top, place.right - place.left,
                   place.bottom - place.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

void CHistoryList::OnCreate() {
    const HINSTANCE instance = ::GetModuleHandleW(nullptr);
    m_hFilter =
        ::CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL, 0, 0,
                          0, 0, m_hWnd, nullptr, instance, nullptr);
    m_hList = ::CreateWindowExW(0, WC_LISTVIEWW, L"History",
                                WS_CHILD | WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL |
                                    LVS_SHOWSELALWAYS | LVS_NOCOLUMNHEADER,
                                0, 0, 0, 0, m_hWnd, nullptr, instance, nullptr);
    ::SendMessageW(m_hList, LVM_SETEXTENDEDLISTVIEWSTYLE, 0,
                   LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER);
    InsertColumn(m_hList, 0, L"Expression");
    InsertColumn(m_hList, 1, L"Answer");
    for (HWND child : {m_hFilter, m_hList})
        ::SetWindowSubclass(child, KeyProc, kKeySubclass, reinterpret_cast<DWORD_PTR>(this));
    SetLook(m_hFont, m_palette);
    ShowCue();
}

void CHistoryList::OnSize(int width, int height) {
    const int line = RowHeight();
    ::MoveWindow(m_hFilter, 0, 0, width, line, TRUE);
    ::MoveWindow(m_hList, 0, line, width, height - line, TRUE);
    RECT client{};
    ::GetClientRect(m_hList, &client);
    const int room = client.right - ::GetSystemMetrics(SM_CXVSCROLL);
    // Answers are the longer: 2^64 grouped is 26 characters.
    ::SendMessageW(m_hList, LVM_SETCOLUMNWIDTH, 0, room * 2 / 5);
    ::SendMessageW(m_hList, LVM_SETCOLUMNWIDTH, 1, room - room * 2 / 5);
    Refill();
}

void CHistoryList::Refill() {
    if (!m_hList) return;
    const int selected = static_cast<int>(
        ::SendMessageW(m_hList, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
    m_rows = ListRows(m_entries, Utf8FromWide(WindowText(m_hFilter)));
    const int width =
        static_cast<int>(::SendMessageW(m_hList, LVM_GETCOLUMNWIDTH, 1, 0)) - kCellMargin;
    const MeasureText measure = [this](std::wstring_view text) {
        return TextWidth(m_hList, m_hFont, text);
    };
    ::SendMessageW(m_hList, WM_SETREDRAW, FALSE, 0);
    ::SendMessageW(m_hList, LVM_DELETEALLITEMS, 0, 0);
    for (std::size_t row = 0; row < m_rows.size(); ++row) {
        const HistoryEntry& entry = m_entries[m_rows[row]];
        const int at = static_cast<int>(row);
        SetCell(m_hList, at, 0, WideFromUtf8(entry.expression), true);
        const std::optional<std::wstring> fitted =
            ShortenedResult(entry.answer, width, measure, m_style);
        SetCell(m_hList, at, 1, fitted ? *fitted : ShownNumber(entry.answer, m_style), false);
    }
    ::SendMessageW(m_hList, WM_SETREDRAW, TRUE, 0);
    if (!m_rows.empty()) {
        SelectRow(m_hList, std::clamp(selected, 0, static_cast<int>(m_rows.size()) - 1));
    }
}

std::optional<HistoryEntry> CHistoryList::Selected() const {
    const auto row = static_cast<std::size_t>(
        ::SendMessageW(m_hList, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
    if (row >= m_rows.size()) return std::nullopt;
    return m_entries[m_rows[row]];
}

void CHistoryList::Do(int action) {
    const std::optional<HistoryEntry> entry = Selected();
    Owner* owner = m_pOwner;
    switch (static_cast<ListAction>(action)) {
    case ListAction::Compute:
    case ListAction::InsertAnswer:
        if (!entry) return;
        Close();
        if (static_cast<ListAction>(action) == ListAction::Compute) {
            owner->OnListCompute(*entry);
        } else {
            owner->OnListInsert(*entry);
        }
        return;
    case ListAction::Remove:
        if (entry) owner->OnListRemove(*entry);
        return;
    case ListAction::Close:
        Close();
        return;
    case ListAction::EraseFilter: {
        std::wstring filter = WindowText(m_hFilter);
        if (!filter.empty()) filter.pop_back();
        ::SetWindowTextW(m_hFilter, filter.c_str());
        return;
    }
    case ListAction::None:
        return;
    }
}

bool CHistoryList::OnKey(HWND from, UINT message, WPARAM wParam) {
    if (message == WM_CHAR) {
        // Enter, Escape, Tab and Backspace were taken as keys; in the list,
        // every other character is typed into the filter.
        if (wParam == L'\r' || wParam == 27 || wParam == L'\t' ||
            (from == m_hList && wParam == L'\b')) {
            return true;
        }
        if (from != m_hList || wParam < L' ' || wParam == 127) return false;
        const std::wstring filter = WindowText(m_hFilter) + static_cast<wchar_t>(wParam);
        ::SetWindowTextW(m_hFilter, filter.c_str());
        return true;
    }
    if (message != WM_KEYDOWN) return false;
    if (wParam == VK_TAB) { // between the filter line and the rows
        ::SetFocus(from == m_hList ? m_hFilter : m_hList);
        return true;
    }
    if (from == m_hFilter && IsRowKey(wParam)) {
        ::SendMessageW(m_hList, WM_KEYDOWN, wParam, 0);
        return true;
    }
    ListKey key = ListKeyOf(wParam);
    // In the filter line, Delete and Backspace edit the filter.
    if (from == m_hFilter && (key == ListKey::Delete || key == ListKey::Backspace)) return false;
    const ListAction action = ListKeyAction(key, (::GetKeyState(VK_SHIFT) & 0x8000) != 0);
    if (action == ListAction::None) return false;
    ::PostMessageW(m_hWnd, kDoAction, static_cast<WPARAM>(action), 0);
    return true;
}

void CHistoryList::OnActivate(WPARAM wParam, LPARAM lParam) {
    if (LOWORD(wParam) != WA_INACTIVE) return;
    // A box of the list's own (the question before clearing) keeps it open.
    HWND other = reinterpret_cast<HWND>(lParam);
    if (other && ::GetWindow(other, GW_OWNER) == m_hWnd) return;
    ::PostMessageW(m_hWnd, WM_CLOSE, 0, 0);
}

void CHistoryList::OnContextMenu(LPARAM lParam) {
    POINT at{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    if (at.x == -1 && at.y == -1) { // from the keyboard: at the selected row
        RECT row{LVIR_BOUNDS, 0, 0, 0};
        const auto selected =
            ::SendMessageW(m_hList, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED);
        ::SendMessageW(m_hList, LVM_GETITEMRECT, selected < 0 ? 0 : selected,
                       reinterpret_cast<LPARAM>(&row));
        at = {row.left + kCellMargin, row.bottom};
        ::ClientToScreen(m_hList, &at);
    }
    CMenu menu;
    menu.CreatePopupMenu();
    for (const MenuItem& item : ItemsOf(Menu::List))
        menu.AppendItem(item.id, item.text);
    ::TrackPopupMenu(menu.Get(), 0, at.x, at.y, 0, m_hWnd, nullptr);
}

void CHistoryList::OnCommand(WPARAM wParam) {
    if (HIWORD(wParam) == EN_CHANGE) {
        Refill();
        return;
    }
    switch (LOWORD(wParam)) {
    case ID_LIST_COMPUTE:
        Do(static_cast<int>(ListAction::Compute));
        break;
    case ID_LIST_INSERT:
        Do(static_cast<int>(ListAction::InsertAnswer));
        break;
    case ID_LIST_REMOVE:
        Do(static_cast<int>(ListAction::Remove));
        break;
    case ID_CLEAR_HISTORY:
        m_pOwner->OnListClear(m_hWnd);
        break;
    default:
        break;
    }
}

LRESULT CHistoryList::OnCtlColor(HDC dc) const {
    if (!m_palette) return 0;
    ::SetTextColor(dc, Ref(m_palette->lineText));
    ::SetBkColor(dc, Ref(m_palette->line));
    return reinterpret_cast<LRESULT>(m_lineBrush.Get());
}

LRESULT CHistoryList::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        OnCreate();
        return 0;
    case WM_SIZE:
        OnSize(LOWORD(lParam), HIWORD(lParam));
        return 0;
    case WM_ACTIVATE:
        OnActivate(wParam, lParam);
        return 0;
    case WM_SETFOCUS:
        // Back from its own menu or box: the keyboard goes to the rows.
        ::SetFocus(m_hList);
        return 0;
    case WM_CLOSE:
        Close();
        return 0;
    case WM_CONTEXTMENU:
        OnContextMenu(lParam);
        return 0;
    case WM_COMMAND:
        OnCommand(wParam);
        return 0;
    case WM_NOTIFY:
        if (reinterpret_cast<const NMHDR*>(lParam)->code == NM_DBLCLK)
            ::PostMessageW(m_hWnd, kDoAction, static_cast<WPARAM>(ListAction::Compute), 0);
        return 0;
    case kDoAction:
        Do(static_cast<int>(wParam));
        return 0;
    case WM_CTLCOLOREDIT:
        if (const LRESULT brush = OnCtlColor(reinterpret_cast<HDC>(wParam))) return brush;
        break;
    default:
        break;
    }
    return ::DefWindowProcW(m_hWnd, message, wParam, lParam);
}

LRESULT CALLBACK CHistoryList::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self =
            static_cast<CHistoryList*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->m_hWnd = window;
        ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<CHistoryList*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!self || self->m_hWnd != window) return ::DefWindowProcW(window, message, wParam, lParam);
    return Guarded([&] { return self->OnMessage(message, wParam, lParam); },
                   [] { return LRESULT{0}; });
}

LRESULT CALLBACK CHistoryList::KeyProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                       UINT_PTR, DWORD_PTR data) {
    auto* self = reinterpret_cast<CHistoryList*>(data);
    if (message == WM_GETDLGCODE) return DLGC_WANTALLKEYS | DLGC_WANTCHARS;
    if (message == WM_NCDESTROY) ::RemoveWindowSubclass(window, KeyProc, kKeySubclass);
    const bool taken =
        Guarded([&] { return self->OnKey(window, message, wParam); }, [] { return true; });
    return taken ? 0 : ::DefSubclassProc(window, message, wParam, lParam);
}

} // namespace quill::ui
