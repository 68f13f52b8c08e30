#include "cli/line_editor.h"

#include <histedit.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <optional>
#include <vector>

#include "cli/history_file.h"
#include "cli/terminal.h"

namespace quill::cli {

namespace {

volatile std::sig_atomic_t g_interrupted = 0;

void OnInterrupt(int) {
    g_interrupted = 1;
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
    struct sigaction previous {};

    ~State() {
        Save();
        if (el) el_end(el);
        if (hist) history_end(hist);
        ::sigaction(SIGINT, &previous, nullptr);
    }
    // The file gets the lines typed since the last save. Busy or failed: they
    // wait for the next one (a failure is no error: the lines stay in this
    // session's history); refused: the file is left alone from now on.
    void Save() {
        if (path.empty() || pending.empty()) return;
        switch (AddToHistoryFile(path, pending, kHistoryLines)) {
        case Saved::Done:
            pending.clear();
            break;
        case Saved::Refused:
            path.clear();
            pending.clear();
            break;
        case Saved::Busy:
        case Saved::Failed:
            if (pending.size() > kHistoryLines) pending.erase(pending.begin());
            break;
        }
    }
};

std::unique_ptr<LineEditor> LineEditor::Open(const char* program, std::string historyPath) {
    auto state = std::make_unique<State>();
    state->hist = history_init();
    state->el = el_init(program, stdin, stdout, stderr);
    if (!state->hist || !state->el) return nullptr;
    HistEvent event;
    history(state->hist, &event, H_SETSIZE, static_cast<int>(kHistoryLines));
    history(state->hist, &event, H_SETUNIQUE, 1);
    // A history that is no regular file of ours is neither read nor written.
    const std::optional<HistoryRead> saved =
        historyPath.empty() ? std::nullopt : ReadHistoryFile(historyPath);
    if (saved) {
        if (saved->writable) state->path = std::move(historyPath);
        for (const std::string& entry : saved->entries)
            history(state->hist, &event, H_ENTER, entry.c_str());
    }
    el_set(state->el, EL_EDITOR, "emacs");
    el_set(state->el, EL_PROMPT, Prompt);
    el_set(state->el, EL_HIST, history, state->hist);
    for (const KeyBinding& key : kKeys)
        el_set(state->el, EL_BIND, key.sequence, key.command, nullptr);
    el_source(state->el, nullptr); // the user's ~/.editrc, where there is one
    // Ctrl+C interrupts the read (no SA_RESTART) and drops the line.
    struct sigaction on {};
    on.sa_handler = OnInterrupt;
    sigemptyset(&on.sa_mask);
    ::sigaction(SIGINT, &on, &state->previous);
    return std::unique_ptr<LineEditor>(new LineEditor(std::move(state)));
}

LineEditor::LineEditor(std::unique_ptr<State> state) : state_(std::move(state)) {}

LineEditor::~LineEditor() = default;

LineSource::Got LineEditor::Next(std::string& line) {
    // The last line's answer is out: its save costs the user no wait.
    state_->Save();
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
    }
    return Got::Line;
}

} // namespace quill::cli
