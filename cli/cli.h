// quillpad-cli: the checker and evaluator for terminals and scripts.
//
// Everything here works on streams handed in, so the whole program can be
// run by the tests; main() only binds it to the process's own streams.
#pragma once

#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "calc/eval_settings.h"
#include "calc/number/decimal.h"
#include "cli/line_source.h"
#include "cli/settings_file.h"

namespace quill::cli {

// Exit statuses, as grep's.
inline constexpr int kExitOk = 0;      // every expression passed
inline constexpr int kExitRefused = 1; // one was refused, divided by zero or ran out of memory
inline constexpr int kExitTrouble = 2; // bad usage, a settings file that cannot be read, or a
                                       // read or write that failed

struct Options {
    EvalSettings settings;
    bool tsv = false;
    bool help = false;
    bool version = false;
    std::vector<std::string> expressions; // none: read standard input
};

struct ParsedArguments {
    bool ok = false;
    Options options;
    std::string error; // why the arguments were refused, when not ok
    bool usage = true; // the fault is the arguments' own (not a file's)
};

// Reads a data file's rounding, format and angle unit into `settings`;
// false, with the reason in `why`, when the file cannot be read.
using SettingsLoader = bool (*)(const std::string& path, EvalSettings& settings, std::string& why);

// The arguments after the program's name, taken in order, so an option after
// --settings overrides what the file says.
ParsedArguments ParseArguments(const std::vector<std::string>& args,
                               SettingsLoader loader = LoadSettingsFile);

std::string UsageText();
// "quillpad-cli VERSION", the version of the build.
std::string VersionText();

// Checks and evaluates one expression as the window would (letters taken in
// lower case) and writes the answer; true when it passed and evaluated. An
// expression that needs more memory than there is gets "Out of memory".
// `last` (when given) is what "ans" stands for and the line it answered,
// and takes the new answer; a refused line leaves it as it was.
struct LastAnswer {
    std::optional<Decimal> value;
    std::string line;
};
bool AnswerExpression(const std::string& expression, const Options& options, std::ostream& out,
                      std::ostream& err, LastAnswer* last = nullptr);

// The whole program; returns its exit status. Each expression's "ans" is the
// answer before it, of the arguments or the lines read. `interactive` (a person types)
// shows a prompt before each line read from `in`, unless the source prompts
// itself. Answers are flushed whenever `in` has no more input buffered, and
// a stream that failed ends the run with kExitTrouble and one line on `err`;
// with `err` tied to `out` (as std::cerr is to std::cout) answers and
// messages keep their order.
int RunCli(const std::vector<std::string>& args, LineSource& in, std::ostream& out,
           std::ostream& err, bool interactive);
// The same, reading the lines of a stream.
int RunCli(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
           std::ostream& err, bool interactive);

} // namespace quill::cli
