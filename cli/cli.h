// quillpad-cli: the checker and evaluator for terminals and scripts.
//
// Everything here works on streams handed in, so the whole program can be
// run by the tests; main() only binds it to the process's own streams.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

#include "calc/settings_view.h"

namespace quill::cli {

// Exit statuses.
inline constexpr int kExitOk = 0;      // every expression passed
inline constexpr int kExitRefused = 1; // one was refused or divided by zero
inline constexpr int kExitUsage = 2;   // bad usage, or a settings file that cannot be read

struct Options {
    EvalSettings settings;
    bool tsv = false;
    bool help = false;
    std::vector<std::string> expressions; // none: read standard input
};

struct ParsedArguments {
    bool ok = false;
    Options options;
    std::string error; // why the arguments were refused, when not ok
};

// Reads a data file's rounding, format and angle unit into `settings`;
// false, with the reason in `why`, when the file cannot be read.
using SettingsLoader = bool (*)(const std::string& path, EvalSettings& settings, std::string& why);

// Reads "dataclc.dat" bytes from a file.
bool LoadSettingsFile(const std::string& path, EvalSettings& settings, std::string& why);

// The arguments after the program's name, taken in order, so an option after
// --settings overrides what the file says.
ParsedArguments ParseArguments(const std::vector<std::string>& args,
                               SettingsLoader loader = LoadSettingsFile);

std::string UsageText();

// Checks and evaluates one expression as the window would (letters taken in
// lower case) and writes the answer; true when it passed and evaluated.
bool AnswerExpression(const std::string& expression, const Options& options, std::ostream& out,
                      std::ostream& err);

// The whole program; returns its exit status. `interactive` shows a prompt
// before each line read from `in`. Answers are flushed whenever `in` has no
// more input buffered; with `err` tied to `out` (as std::cerr is to
// std::cout) answers and messages keep their order.
int RunCli(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
           std::ostream& err, bool interactive);

} // namespace quill::cli
