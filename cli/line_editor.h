// The line editor for a terminal (libedit): arrows, Home/End, Backspace and
// Delete, Ctrl+R search, and a history of kHistoryLines lines kept in
// HistoryPath(). Ctrl+D on an empty line ends the input; Ctrl+C drops the
// line being typed. A history file that cannot be written is no error.
#pragma once

#include <memory>
#include <string>

#include "cli/line_source.h"

namespace quill::cli {

class LineEditor : public LineSource {
  public:
    // Null when the editor cannot start (the caller reads plainly then).
    static std::unique_ptr<LineEditor> Open(const char* program, std::string historyPath);
    ~LineEditor() override;
    Got Next(std::string& line) override;
    bool Buffered() const override { return false; }
    bool Prompts() const override { return true; }

  private:
    struct State;
    explicit LineEditor(std::unique_ptr<State> state);
    std::unique_ptr<State> state_;
};

} // namespace quill::cli
