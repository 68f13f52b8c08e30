// quillpad-cli's entry point: binds the program to this process's streams.
// A person at a terminal (standard input and output both one) gets a prompt
// and the line editor (where the build has one); a pipe or a file is read in
// large blocks, and answers written to a file or a pipe carry no prompt.
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "cli/arguments.h"
#include "cli/cli.h"
#include "cli/line_source.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <windows.h>
#else
#include <unistd.h>
#endif

#ifdef QUILL_LINE_EDITOR
#include "cli/line_editor.h"
#include "cli/terminal.h"
#endif

namespace {

// The terminal's input: the line editor, opened when the first line is
// wanted (so an expression given as an argument never starts it), else plain
// reads, before which the program shows its own prompt.
class TerminalLines : public quill::cli::LineSource {
  public:
    Got Next(std::string& line) override {
        if (quill::cli::LineSource* editor = Editor()) return editor->Next(line);
        return plain_.Next(line);
    }
    bool Buffered() const override { return plain_.Buffered(); }
    bool Prompts() const override { return Editor() != nullptr; }
    int Error() const override { return plain_.Error(); }

  private:
    quill::cli::LineSource* Editor() const {
#ifdef QUILL_LINE_EDITOR
        if (!opened_) {
            opened_ = true;
            const char* xdg = std::getenv("XDG_STATE_HOME");
            const char* home = std::getenv("HOME");
            editor_ =
                quill::cli::LineEditor::Open("quillpad-cli", quill::cli::HistoryPath(xdg, home),
                                             quill::cli::NoHistoryReason(xdg, home));
        }
        return editor_.get();
#else
        return nullptr;
#endif
    }

    quill::cli::FdLines plain_{0};
#ifdef QUILL_LINE_EDITOR
    mutable bool opened_ = false;
    mutable std::unique_ptr<quill::cli::LineEditor> editor_;
#endif
};

// Whether a person types and reads: both standard streams are a terminal.
// On Windows only a real console counts (NUL passes _isatty).
bool AtATerminal() {
#ifdef _WIN32
    DWORD mode = 0;
    return ::GetConsoleMode(::GetStdHandle(STD_INPUT_HANDLE), &mode) != 0 &&
           ::GetConsoleMode(::GetStdHandle(STD_OUTPUT_HANDLE), &mode) != 0;
#else
    return ::isatty(0) != 0 && ::isatty(1) != 0;
#endif
}

int Run(const std::vector<std::string>& args) {
    std::ios::sync_with_stdio(false);
    if (AtATerminal()) {
        TerminalLines lines;
        return quill::cli::RunCli(args, lines, std::cout, std::cerr, true);
    }
    quill::cli::FdLines lines(0);
    return quill::cli::RunCli(args, lines, std::cout, std::cerr, false);
}

} // namespace

#ifdef _WIN32
// The command line in UTF-16, so that no argument loses a character.
int wmain(int argc, wchar_t** argv) {
    // Every byte of a line reaches the checker; the CR of CR LF is dropped
    // by the reader itself.
    _setmode(_fileno(stdin), _O_BINARY);
    int bad = 0;
    const auto args = quill::cli::ArgumentsFromWide(argc, argv, bad);
    if (!args) {
        std::cerr << "quillpad-cli: argument " << bad << " is not valid UTF-16\n";
        return quill::cli::kExitTrouble;
    }
    return Run(*args);
}
#else
int main(int argc, char** argv) {
    // Past a file-size limit a write fails (and a save with it); it does not
    // end the session.
    std::signal(SIGXFSZ, SIG_IGN);
    return Run(std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc));
}
#endif
