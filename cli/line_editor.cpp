#include "cli/line_editor.h"

#include <histedit.h>

#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <clocale>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <cwchar>
#include <optional>
#include <set>
#include <vector>

#include "cli/history_file.h"
#include "cli/terminal.h"

namespace quill::cli {

namespace {

using Clock = std::chrono::steady_clock;
// A save that found the lock held or failed waits this long, then twice as
// long each time, up to the last.
constexpr Clock::duration kFirstRetry = std::chrono::seconds(1);
constexpr Clock::duration kLastRetry = std::chrono::seconds(64);
// How long the end of a session waits for the lock.
constexpr Clock::duration kEndWait = std::chrono::milliseconds(1200);

volatile std::sig_atomic_t g_interrupted = 0;
volatile std::sig_atomic_t g_continued = 0;

void OnInterrupt(int) {
    g_interrupted = 1;
}

void OnContinue(int) {
    g_continued = 1;
}

enum class Wait { Key, Timeout, Interrupted, Continued };

// Waits until a key can be read, `ms` pass (-1: no limit), Ctrl+C comes or
// the session comes back from Ctrl+Z. The signals are held from the check
// of their flags until the wait begins, which lets them in again at once:
// one that comes in between ends the wait instead of being missed by it.
Wait WaitForKey(int ms) {
    sigset_t held;
    sigset_t before;
    sigemptyset(&held);
    sigaddset(&held, SIGINT);
    sigaddset(&held, SIGCONT);
    ::sigprocmask(SIG_BLOCK, &held, &before);
    Wait result = Wait::Key;
    if (!g_interrupted && !g_continued) {
        pollfd ready{STDIN_FILENO, POLLIN, 0};
        const timespec limit{ms / 1000, (ms % 1000) * 1000000L};
        if (::ppoll(&ready, 1, ms < 0 ? nullptr : &limit, &before) == 0) result = Wait::Timeout;
    }
    ::sigprocmask(SIG_SETMASK, &before, nullptr);
    if (g_interrupted) return Wait::Interrupted;
    if (g_continued) {
        g_continued = 0;
        return Wait::Continued;
    }
    return result;
}

const char* Prompt(EditLine*) {
    return "> ";
}

// Keys that terminals send as sequences: the editing ones do their work,
// the rest are taken whole and do nothing, so no part of a sequence is
// typed into the line.
struct KeyBinding {
    const char* sequence;
    const char* command;
};

constexpr KeyBinding kKeys[] = {
    {"^R", "em-inc-search-prev"},
    {"\\e[H", "ed-move-to-beg"},
    {"\\e[F", "ed-move-to-end"},
    {"\\eOH", "ed-move-to-beg"},
    {"\\eOF", "ed-move-to-end"},
    {"\\e[1~", "ed-move-to-beg"},
    {"\\e[4~", "ed-move-to-end"},
    {"\\e[7~", "ed-move-to-beg"},
    {"\\e[8~", "ed-move-to-end"},
    {"\\e[3~", "ed-delete-next-char"},
    {"\\e[1;5C", "em-next-word"},
    {"\\e[1;5D", "ed-prev-word"},
    // Insert, Page Up and Down, F1 to F12.
    {"\\e[2~", "ed-unassigned"},
    {"\\e[5~", "ed-unassigned"},
    {"\\e[6~", "ed-unassigned"},
    {"\\eOP", "ed-unassigned"},
    {"\\eOQ", "ed-unassigned"},
    {"\\eOR", "ed-unassigned"},
    {"\\eOS", "ed-unassigned"},
    {"\\e[11~", "ed-unassigned"},
    {"\\e[12~", "ed-unassigned"},
    {"\\e[13~", "ed-unassigned"},
    {"\\e[14~", "ed-unassigned"},
    {"\\e[15~", "ed-unassigned"},
    {"\\e[17~", "ed-unassigned"},
    {"\\e[18~", "ed-unassigned"},
    {"\\e[19~", "ed-unassigned"},
    {"\\e[20~", "ed-unassigned"},
    {"\\e[21~", "ed-unassigned"},
    {"\\e[23~", "ed-unassigned"},
    {"\\e[24~", "ed-unassigned"},
};

} // namespace

struct LineEditor::State {
    EditLine* el = nullptr;
    History* hist = nullptr;
    std::string path;
    std::vector<std::string> pending; // typed, not yet in the file
    bool merge = false;               // lines of ended sessions wait beside the file
    Clock::time_point nextTry{};      // a save that failed waits until then
    Clock::duration delay{};          // and the next one twice as long
    std::mbstate_t shift{};           // a character's bytes read so far
    std::set<std::string> said;       // the notes said, each once
    std::vector<std::string> notes;   // to say before the next prompt
    struct sigaction previous {};
    struct sigaction previousContinue {};

    ~State() {
        SaveAtEnd();
        SayNotes();
        if (el) el_end(el);
        if (hist) history_end(hist);
        ::sigaction(SIGINT, &previous, nullptr);
        ::sigaction(SIGCONT, &previousContinue, nullptr);
    }

    void Note(const std::string& note) {
        if (!note.empty() && said.insert(note).second) notes.push_back(note);
    }
    void SayNotes() {
        for (const std::string& note : notes)
            std::fprintf(stderr, "quillpad-cli: %s\n", note.c_str());
        notes.clear();
    }

    bool SaveDue() const {
        return !path.empty() && (!pending.empty() || merge) && Clock::now() >= nextTry;
    }
    // How long until a save is due; -1 when none waits.
    int MillisToSave() const {
        if (path.empty() || (pending.empty() && !merge)) return -1;
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(nextTry - Clock::now());
        return static_cast<int>(std::clamp<std::int64_t>(left.count(), 0, 64000));
    }
    // The file gets the lines typed since the last save, never waiting for
    // another session's lock. Busy or failed: they wait for a later try,
    // twice as late each time (a failure is no error: the lines stay in this
    // session's history); refused: the file is left alone from now on.
    Saved Save(int waitMs) {
        std::string note;
        const Saved saved = AddToHistoryFile(path, pending, kHistoryLines, waitMs, &note);
        Note(note);
        switch (saved) {
        case Saved::Done:
            pending.clear();
            merge = false;
            delay = {};
            break;
        case Saved::Refused:
            path.clear();
            pending.clear();
            break;
        case Saved::Busy:
        case Saved::Failed:
            if (pending.size() > kHistoryLines) pending.erase(pending.begin());
            delay = std::clamp<Clock::duration>(delay * 2, kFirstRetry, kLastRetry);
            nextTry = Clock::now() + delay;
            break;
        }
        return saved;
    }
    // At the end: tried for a second or so (Ctrl+C cuts it short); lines the
    // file still could not take wait beside it for the next session.
    void SaveAtEnd() {
        if (path.empty() || (pending.empty() && !merge)) return;
        const Clock::time_point until = Clock::now() + kEndWait;
        g_interrupted = 0;
        while (Save(0) == Saved::Busy && Clock::now() < until && !g_interrupted)
            ::usleep(20000);
        if (path.empty() || pending.empty()) return;
        if (!KeepPendingLines(path, pending)) {
            Note(std::to_string(pending.size()) + " lines typed could not be kept in " + path);
        }
    }
};

namespace {

// Reads one character of the terminal, as its locale writes it: never a
// byte dropped (one that is no character of the locale reads as U+FFFD),
// a terminal left non-blocking waited on, and the history saved while the
// editor waits for a key (the terminal is then the editor's, so keys typed
// meanwhile are read once each). -1 for Ctrl+C, 0 at the end.
int ReadChar(EditLine* el, wchar_t* c) {
    void* data = nullptr;
    el_get(el, EL_CLIENTDATA, &data);
    auto* state = static_cast<LineEditor::State*>(data);
    for (;;) {
        if (state->SaveDue()) {
            pollfd ready{STDIN_FILENO, POLLIN, 0};
            if (::poll(&ready, 1, 0) == 0) state->Save(0);
        }
        // A Ctrl+C that came while no read was waiting (the editor drawing,
        // a save) is taken here, not lost to a read that blocks; a save due
        // later ends the wait then.
        switch (WaitForKey(state->MillisToSave())) {
        case Wait::Interrupted:
            return -1;
        case Wait::Continued: // back from Ctrl+Z: the line as it was, at once
            el_set(el, EL_REFRESH);
            continue;
        case Wait::Timeout:
            continue;
        case Wait::Key:
            break;
        }
        char byte = 0;
        const ssize_t got = ::read(STDIN_FILENO, &byte, 1);
        if (got == 0) return 0;
        if (got < 0) {
            if (errno == EINTR && g_interrupted) return -1;
            if (errno == EAGAIN || errno == EWOULDBLOCK) {
                pollfd wait{STDIN_FILENO, POLLIN, 0};
                ::poll(&wait, 1, state->SaveDue() ? 0 : 1000);
            } else if (errno != EINTR) {
                return -1;
            }
            continue;
        }
        const std::size_t used = std::mbrtowc(c, &byte, 1, &state->shift);
        if (used == static_cast<std::size_t>(-2)) continue; // more bytes to come
        if (used == static_cast<std::size_t>(-1)) {
            state->shift = {};
            *c = 0xFFFD;
        }
        return 1;
    }
}

// The terminal's text as its locale says; where that is only ASCII (no
// locale set, as often in scripts and containers), UTF-8.
void TakeTheLocale() {
    const char* locale = std::setlocale(LC_CTYPE, "");
    if (!locale || std::strcmp(locale, "C") == 0 || std::strcmp(locale, "POSIX") == 0) {
        std::setlocale(LC_CTYPE, "C.UTF-8");
    }
}

} // namespace

std::unique_ptr<LineEditor> LineEditor::Open(const char* program, std::string historyPath,
                                             const std::string& noHistory) {
    TakeTheLocale();
    auto state = std::make_unique<State>();
    state->hist = history_init();
    state->el = el_init(program, stdin, stdout, stderr);
    if (!state->hist || !state->el) return nullptr;
    state->Note(noHistory);
    HistEvent event;
    history(state->hist, &event, H_SETSIZE, static_cast<int>(kHistoryLines));
    history(state->hist, &event, H_SETUNIQUE, 1);
    // A history that is no regular file of ours is neither read nor written.
    const std::optional<HistoryRead> saved =
        historyPath.empty() ? std::nullopt : ReadHistoryFile(historyPath);
    if (saved) {
        if (saved->writable) state->path = std::move(historyPath);
        state->merge = saved->pending;
        for (const std::string& entry : saved->entries)
            history(state->hist, &event, H_ENTER, entry.c_str());
    }
    el_set(state->el, EL_EDITOR, "emacs");
    el_set(state->el, EL_PROMPT, Prompt);
    el_set(state->el, EL_HIST, history, state->hist);
    // Ctrl+Z and fg, and a resized window, leave the line as it was.
    el_set(state->el, EL_SIGNAL, 1);
    el_set(state->el, EL_CLIENTDATA, state.get());
    el_set(state->el, EL_GETCFN, ReadChar);
    for (const KeyBinding& key : kKeys)
        el_set(state->el, EL_BIND, key.sequence, key.command, nullptr);
    el_source(state->el, nullptr); // the user's ~/.editrc, where there is one
    // Ctrl+C interrupts the read (no SA_RESTART) and drops the line.
    struct sigaction on {};
    on.sa_handler = OnInterrupt;
    sigemptyset(&on.sa_mask);
    ::sigaction(SIGINT, &on, &state->previous);
    // The editor's own handler puts the terminal back; this one redraws.
    on.sa_handler = OnContinue;
    ::sigaction(SIGCONT, &on, &state->previousContinue);
    return std::unique_ptr<LineEditor>(new LineEditor(std::move(state)));
}

LineEditor::LineEditor(std::unique_ptr<State> state) : state_(std::move(state)) {}

LineEditor::~LineEditor() = default;

LineSource::Got LineEditor::Next(std::string& line) {
    state_->SayNotes();
    int count = 0;
    g_interrupted = 0;
    const char* got = el_gets(state_->el, &count);
    if (g_interrupted) {
        el_reset(state_->el);
        std::fputs("\n", stdout);
        std::fflush(stdout);
        return Got::Interrupted;
    }
    if (!got || count <= 0) return Got::End;
    line.assign(got, static_cast<std::size_t>(count));
    if (!line.empty() && line.back() == '\n') line.pop_back();
    line = DropEscapes(line);
    if (line.find_first_not_of(' ') != std::string::npos) {
        HistEvent event;
        history(state_->hist, &event, H_ENTER, line.c_str());
        state_->pending.push_back(line);
        // Tried at once (the answer is out first) while the editor waits.
        state_->nextTry = {};
    }
    return Got::Line;
}

} // namespace quill::cli
