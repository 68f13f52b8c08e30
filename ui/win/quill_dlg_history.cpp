// CQuillDlg's history: the file read at start (and "ans" from its newest
// answer), each answer added once it shows, edits that wait while another
// window or program holds the file, the list, and "Clear history".
#include "app/reserved_text.h"
#include "app/win/ansi.h"
#include "calc/number/value_text.h"
#include "ui/copy_text.h"
#include "ui/win/quill_dlg.h"

namespace quill::ui {

namespace {

constexpr UINT_PTR kHistoryTimer = 1;
constexpr UINT kHistoryRetryMs = 2000;
constexpr int kMostTimedTries = 30; // then only the next edit and closing try again
constexpr DWORD kReadWaitMs = 500;
constexpr DWORD kEditWaitMs = 200;
// Without a history file (history=0) the list and Up/Down keep this run's lines.
constexpr std::size_t kRunOnlyEntries = 100;

std::string AnsiOfUtf8(std::string_view text) {
    return AnsiFromWide(WideFromUtf8(text));
}

} // namespace

std::size_t CQuillDlg::HistoryKeep() const {
    const int length = HistoryLength(g_settings);
    return length > 0 ? static_cast<std::size_t>(length) : kRunOnlyEntries;
}

void CQuillDlg::LoadHistory() {
    m_historyFile = std::make_unique<HistoryFile>(HistoryFilePath());
    if (HistoryLength(g_settings) == 0) {
        m_historyFile->Remove();
        m_historyFile.reset();
        return;
    }
    HistoryRead read = m_historyFile->Read(kReadWaitMs);
    m_history = std::move(read.entries);
    KeepNewest(m_history, HistoryKeep());
    if (read.outcome == HistoryOutcome::NotKept) m_bHistoryKept = false;
    // Held by another program: said, and each answer tries the file again.
    if (read.outcome != HistoryOutcome::Done) NoteHistoryNotKept();
    if (const std::optional<Decimal> last = LastAnswer(m_history)) m_answers.Restore(*last);
    AfterHistoryChange();
}

void CQuillDlg::RecordAnswer(const std::string& expression, const ResultView& view) {
    EditHistory({HistoryEdit::Kind::Add,
                 {Utf8FromWide(WideFromAnsi(expression)), view.result, ValueText(view.number)}});
}

void CQuillDlg::EditHistory(const HistoryEdit& edit) {
    ApplyEdit(m_history, edit, HistoryKeep());
    AfterHistoryChange();
    if (!m_historyFile || !m_bHistoryKept) return;
    m_pendingEdits.push_back(edit);
    SaveHistory(kEditWaitMs);
}

void CQuillDlg::SaveHistory(DWORD waitMs) {
    if (m_pendingEdits.empty() || !m_historyFile || !m_bHistoryKept) return;
    std::vector<HistoryEntry> now;
    switch (m_historyFile->Apply(m_pendingEdits, HistoryKeep(), now, waitMs)) {
    case HistoryOutcome::Done:
        m_pendingEdits.clear();
        m_nHistoryTries = 0;
        ::KillTimer(m_hWnd, kHistoryTimer);
        // The file's lines: other windows' answers come in too.
        m_history = std::move(now);
        AfterHistoryChange();
        break;
    case HistoryOutcome::Busy:
        // Kept for a later try: the edits wait, nothing is lost.
        if (++m_nHistoryTries <= kMostTimedTries) {
            ::SetTimer(m_hWnd, kHistoryTimer, kHistoryRetryMs, nullptr);
        } else {
            ::KillTimer(m_hWnd, kHistoryTimer);
            NoteHistoryNotKept();
        }
        break;
    case HistoryOutcome::NotKept:
        m_pendingEdits.clear();
        m_bHistoryKept = false;
        ::KillTimer(m_hWnd, kHistoryTimer);
        NoteHistoryNotKept();
        break;
    }
}

void CQuillDlg::OnHistoryTimer() {
    ::KillTimer(m_hWnd, kHistoryTimer);
    SaveHistory(0);
}

void CQuillDlg::AfterHistoryChange() {
    std::vector<std::string> expressions;
    expressions.reserve(m_history.size());
    for (const HistoryEntry& entry : m_history)
        expressions.push_back(AnsiOfUtf8(entry.expression));
    m_recall.Reset(expressions);
    if (m_list.IsOpen()) m_list.Show(m_history, m_style, !m_bHistoryKept);
}

void CQuillDlg::NoteHistoryNotKept() {
    if (m_bHistoryNoted) return;
    m_bHistoryNoted = true;
    // Said in the result line while it holds nothing else (at start), and
    // in the list whenever it shows.
    if (m_strResult.empty() && ::GetWindowTextLengthW(m_editResult.Get()) == 0) {
        m_strResult = FaultText(Fault::HistoryNotKept);
        m_bResultIsValue = false;
        ShowResult();
    }
    if (m_list.IsOpen()) m_list.Show(m_history, m_style, true);
}

void CQuillDlg::ToggleHistoryList() {
    if (m_list.IsOpen()) {
        m_list.Close();
        return;
    }
    // The line's caret, where Shift+Enter puts an answer; the dialog selects
    // the whole line when it is active again.
    ::SendMessageW(m_editExpression.Get(), EM_GETSEL, reinterpret_cast<WPARAM>(&m_listCaretStart),
                   reinterpret_cast<LPARAM>(&m_listCaretEnd));
    m_list.SetLook(m_pFont->Get(), m_theme.Colours());
    m_list.Show(m_history, m_style, !m_bHistoryKept);
    m_list.Open(m_hWnd, *this);
}

void CQuillDlg::ClearHistory(HWND box) {
    const int answer = ::MessageBoxW(
        box, L"Clear the history? Every line it keeps goes, in the list and in its file.",
        L"Clear history", MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2);
    if (answer == IDYES) EditHistory({HistoryEdit::Kind::Clear, {}});
}

void CQuillDlg::OnListCompute(const HistoryEntry& entry) {
    SetTextA(m_editExpression.Get(), AnsiOfUtf8(entry.expression));
    OnResult();
}

void CQuillDlg::OnListInsert(const HistoryEntry& entry) {
    const std::optional<std::wstring> text = CopyTextOf(L"", false, entry.answer, true, m_style);
    if (!text) return;
    m_editExpression.SetSel(static_cast<int>(m_listCaretStart), static_cast<int>(m_listCaretEnd));
    ::SendMessageW(m_editExpression.Get(), EM_REPLACESEL, TRUE,
                   reinterpret_cast<LPARAM>(text->c_str()));
    ::SendMessageW(m_editExpression.Get(), EM_GETSEL, reinterpret_cast<WPARAM>(&m_listCaretStart),
                   reinterpret_cast<LPARAM>(&m_listCaretEnd));
    m_editExpression.SetFocus();
}

void CQuillDlg::OnListRemove(const HistoryEntry& entry) {
    EditHistory({HistoryEdit::Kind::Remove, entry});
}

void CQuillDlg::OnListClear(HWND box) {
    ClearHistory(box);
}

void CQuillDlg::OnListClosed() {
    // Back to typing where it was, unless a click went to another program.
    m_bListReturn = true;
    if (::GetActiveWindow() == m_hWnd) OnSetFocus();
}

bool CQuillDlg::OnSetFocus() {
    // The dialog would select the whole line when it has the focus again
    // (Wine tells it only once X has moved the focus, after the list went).
    if (!m_bListReturn) return false;
    m_editExpression.SetFocus();
    m_editExpression.SetSel(static_cast<int>(m_listCaretStart), static_cast<int>(m_listCaretEnd));
    return true;
}

} // namespace quill::ui
