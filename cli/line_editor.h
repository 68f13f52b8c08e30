// The line editor for a terminal (libedit): arrows, Home/End, Backspace and
// Delete, Ctrl+R search, and a history of kHistoryLines lines kept in
// HistoryPath(). Ctrl+D on an empty line ends the input; Ctrl+C drops the
// line being typed; Ctrl+Z and fg leave it as it was. Text is read as the
// terminal's locale says (UTF-8 where none is set). A typed line is saved
// while the editor waits for the next key, never making a key wait; a save
// that finds the file held is tried again later, and at the end for a second
// or so, after which the lines wait beside the file for the next session. A
// history file that cannot be written is no error; what keeps it from being
// kept as it should is said once on standard error.
#pragma once

#include <memory>
#include <string>

#include "cli/line_source.h"

namespace quill::cli {

class LineEditor : public LineSource {
  public:
    // Null when the editor cannot start (the caller reads plainly then).
    // `noHistory`: why there is no history file, said once (empty: nothing).
    static std::unique_ptr<LineEditor> Open(const char* program, std::string historyPath,
                                            const std::string& noHistory = {});
    ~LineEditor() override;
    Got Next(std::string& line) override;
    bool Buffered() const override { return false; }
    bool Prompts() const override { return true; }

    struct State; // for the editor's character reader

  private:
    explicit LineEditor(std::unique_ptr<State> state);
    std::unique_ptr<State> state_;
};

} // namespace quill::cli
