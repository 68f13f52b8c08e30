// quillpad-cli's entry point: binds the program to this process's streams.
// A person at a terminal gets the line editor (where the build has one);
// a pipe or a file is read in large blocks.
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "cli/cli.h"
#include "cli/line_source.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#define QUILL_ISATTY _isatty
#else
#include <unistd.h>
#define QUILL_ISATTY isatty
#endif

#ifdef QUILL_LINE_EDITOR
#include "cli/line_editor.h"
#include "cli/terminal.h"
#endif

namespace {

// The terminal's input: the line editor, opened at the first read (so an
// expression given as an argument never starts it), else plain reads.
class TerminalLines : public quill::cli::LineSource {
  public:
    Got Next(std::string& line) override {
#ifdef QUILL_LINE_EDITOR
        if (!opened_) {
            opened_ = true;
            editor_ = quill::cli::LineEditor::Open(
                "quillpad-cli",
                quill::cli::HistoryPath(std::getenv("XDG_STATE_HOME"), std::getenv("HOME")));
        }
        if (editor_) return editor_->Next(line);
#endif
        return plain_.Next(line);
    }
    bool Buffered() const override {
        return plain_.Buffered();
    }
    bool Prompts() const override {
#ifdef QUILL_LINE_EDITOR
        return true;
#else
        return false;
#endif
    }
    int Error() const override {
        return plain_.Error();
    }

  private:
    quill::cli::FdLines plain_{0};
#ifdef QUILL_LINE_EDITOR
    bool opened_ = false;
    std::unique_ptr<quill::cli::LineEditor> editor_;
#endif
};

} // namespace

int main(int argc, char** argv) {
#ifdef _WIN32
    // Every byte of a line reaches the checker; the CR of CR LF is dropped
    // by the reader itself.
    _setmode(_fileno(stdin), _O_BINARY);
#endif
    std::ios::sync_with_stdio(false);
    const std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
    const bool typed = QUILL_ISATTY(0) != 0;
    if (typed && QUILL_ISATTY(1) != 0) {
        TerminalLines lines;
        return quill::cli::RunCli(args, lines, std::cout, std::cerr, true);
    }
    quill::cli::FdLines lines(0);
    return quill::cli::RunCli(args, lines, std::cout, std::cerr, typed);
}
