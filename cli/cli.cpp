#include "cli/cli.h"

#include <cerrno>
#include <cstring>
#include <new>
#include <ostream>
#include <string_view>
#include <vector>

#include "calc/answer.h"
#include "cli/arguments.h"
#include "cli/visible_text.h"
#include "quill_version.h"

namespace quill::cli {

namespace {

constexpr const char* kCannotWrite = "cannot write the answers";

struct FormatWord {
    std::string_view word;
    Format value;
};

constexpr FormatWord kFormats[] = {{"decimal", Format::Decimal},
                                   {"octal", Format::Octal},
                                   {"hex", Format::Hex},
                                   {"exponent", Format::Exponent}};

bool ParseFormat(std::string_view word, Format& format) {
    for (const FormatWord& c : kFormats) {
        if (c.word == word) {
            format = c.value;
            return true;
        }
    }
    return false;
}

bool ParseRound(std::string_view word, int& places) {
    if (word == "auto") {
        places = kAutoPlaces;
        return true;
    }
    if (word.size() == 1 && word[0] >= '0' && word[0] - '0' <= kMaxPlaces) {
        places = word[0] - '0';
        return true;
    }
    return false;
}

// Splits "--name=value" into its two halves; value is empty without "=".
std::pair<std::string_view, std::string_view> SplitOption(std::string_view arg, bool& hasValue) {
    const std::size_t eq = arg.find('=');
    hasValue = eq != std::string_view::npos;
    if (!hasValue) return {arg, {}};
    return {arg.substr(0, eq), arg.substr(eq + 1)};
}

std::string_view TrimSpaces(std::string_view text) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// The line under a refused expression as VisibleText shows it: "^" at a
// caret, "~" under each column of a selected character. Tabs are copied so
// that the marks line up.
std::string MarkerLine(std::string_view expression, int start, int end) {
    const std::vector<int> widths = VisibleWidths(expression);
    const auto columns = [&](int k) {
        return k < static_cast<int>(widths.size()) ? widths[static_cast<std::size_t>(k)] : 1;
    };
    std::string line;
    for (int k = 0; k < start && k < static_cast<int>(expression.size()); ++k) {
        const char c = expression[static_cast<std::size_t>(k)];
        line += c == '\t' ? std::string(1, '\t')
                          : std::string(static_cast<std::size_t>(columns(k)), ' ');
    }
    if (start == end) return line + '^';
    for (int k = start; k < end; ++k)
        line += std::string(static_cast<std::size_t>(columns(k)), '~');
    return line;
}

void ReportRefusal(std::string_view expression, const Answer& answer, const Options& options,
                   std::ostream& out, std::ostream& err) {
    if (options.tsv) {
        out << "error\t" << TsvField(answer.text) << '\t';
        if (answer.marked)
            out << answer.start << '\t' << answer.end;
        else
            out << '\t';
        out << '\n';
        return;
    }
    // Nothing typed or piped reaches the terminal raw.
    err << VisibleText(expression) << '\n';
    // An empty line has no place to mark.
    if (answer.marked && !expression.empty())
        err << MarkerLine(expression, answer.start, answer.end) << '\n';
    err << VisibleText(TrimSpaces(answer.text)) << '\n';
}

} // namespace

ParsedArguments ParseArguments(const std::vector<std::string>& args, SettingsLoader loader) {
    ParsedArguments parsed;
    Options& o = parsed.options;
    auto refuse = [&parsed](std::string why) {
        parsed.error = std::move(why);
        return parsed;
    };
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--") {
            o.expressions.insert(o.expressions.end(), args.begin() + static_cast<long>(i) + 1,
                                 args.end());
            break;
        }
        if (arg.size() < 2 || arg[0] != '-') {
            o.expressions.push_back(arg);
            continue;
        }
        bool hasValue = false;
        const auto [name, inlineValue] = SplitOption(arg, hasValue);
        const bool takesValue = name == "--format" || name == "--round" || name == "--settings";
        if (takesValue && !hasValue && i + 1 >= args.size()) {
            return refuse("option '" + std::string(name) + "' needs a value");
        }
        const std::string_view value =
            takesValue && !hasValue ? std::string_view(args[++i]) : inlineValue;
        if (name == "--format") {
            if (!ParseFormat(value, o.settings.format)) {
                return refuse("unknown format '" + std::string(value) +
                              "' (decimal, octal, hex, exponent)");
            }
        } else if (name == "--round") {
            if (!ParseRound(value, o.settings.places)) {
                return refuse("unknown rounding '" + std::string(value) + "' (auto, 0 to 9)");
            }
        } else if (name == "--settings") {
            std::string why;
            if (!loader(std::string(value), o.settings, why)) {
                parsed.usage = false;
                return refuse("cannot read settings from '" + std::string(value) + "': " + why);
            }
        } else if (hasValue) {
            return refuse("option '" + std::string(name) + "' takes no value");
        } else if (name == "--degrees") {
            o.settings.degrees = true;
        } else if (name == "--radians") {
            o.settings.degrees = false;
        } else if (name == "--tsv") {
            o.tsv = true;
        } else if (name == "--help" || name == "-h") {
            o.help = true;
        } else if (name == "--version") {
            o.version = true;
        } else {
            return refuse("unknown option '" + arg +
                          "' (put -- before an expression that starts with '-')");
        }
    }
    parsed.ok = true;
    return parsed;
}

std::string UsageText() {
    return "Usage: quillpad-cli [--settings FILE] [--format decimal|octal|hex|exponent]\n"
           "                    [--round auto|0..9] [--degrees|--radians] [--tsv]\n"
           "                    [--] [EXPRESSION...]\n"
           "\n"
           "Checks and evaluates each EXPRESSION, or each line of standard input when\n"
           "none is given, as the Quillpad window does.\n"
           "\n"
           "  --settings FILE  format, rounding and angle unit of a Quillpad data file\n"
           "               (dataclc.dat); options after it override them\n"
           "  --format F   output format: decimal (default), octal, hex or exponent\n"
           "  --round N    decimal places: auto (default) or 0 to 9\n"
           "  --degrees    sin, cos and tan take degrees; asin, acos and atan give them\n"
           "  --radians    angles in radians (default)\n"
           "  --tsv        one line per expression: ok<TAB>result, or\n"
           "               error<TAB>message<TAB>start<TAB>end\n"
           "  --           ends the options (for an expression such as -2^2)\n"
           "  --help       shows this text\n"
           "  --version    shows the version\n"
           "\n"
           "Exit status: 0 when every expression passed, 1 when one was refused or\n"
           "divided by zero, 2 for trouble: bad usage, a settings file that cannot be\n"
           "read, or a read or write that failed (one line on standard error says what).\n";
}

namespace {

bool Answer(const std::string& given, const Options& options, std::ostream& out, std::ostream& err,
            LastAnswer* last) {
    EvalSettings settings = options.settings;
    if (last && last->value) {
        settings.answer = &*last->value;
        settings.answerLine = last->line;
    }
    quill::Answer answer = AnswerTo(given, settings);
    const bool ok = answer.fault == Fault::None;
    if (ok && last) {
        last->value = std::move(answer.value);
        last->line = given;
    }
    if (IsCheckerFault(answer.fault)) {
        ReportRefusal(answer.read, answer, options, out, err);
    } else if (options.tsv) {
        out << (ok ? "ok\t" : "error\t") << TsvField(answer.text) << (ok ? "" : "\t\t") << '\n';
    } else {
        // The text and its line break in one write.
        answer.text += '\n';
        (ok ? out : err)
            .write(answer.text.data(), static_cast<std::streamsize>(answer.text.size()));
    }
    return ok;
}

void OutOfMemory(const Options& options, std::ostream& out, std::ostream& err) {
    const char* text = FaultText(Fault::OutOfMemory);
    if (options.tsv)
        out << "error\t" << text << "\t\t\n";
    else
        err << text << '\n';
}

// One line on standard error for trouble, and the status that goes with it.
int Trouble(std::ostream& err, const char* what, int error) {
    err << "quillpad-cli: " << what;
    if (error != 0) err << ": " << std::strerror(error);
    err << '\n';
    err.flush();
    return kExitTrouble;
}

// Sends the answers on; false when the stream could not take them.
bool Flushed(std::ostream& out, std::ostream& err, int& error) {
    // A write that failed earlier, when the buffer filled, left its errno.
    if (!out.fail()) errno = 0;
    out.flush();
    err.flush();
    error = errno;
    return !out.fail();
}

} // namespace

bool AnswerExpression(const std::string& given, const Options& options, std::ostream& out,
                      std::ostream& err, LastAnswer* last) {
    try {
        return Answer(given, options, out, err, last);
    } catch (const std::bad_alloc&) {
        OutOfMemory(options, out, err);
        return false;
    }
}

int RunCli(const std::vector<std::string>& args, LineSource& in, std::ostream& out,
           std::ostream& err, bool interactive) {
    const ParsedArguments parsed = ParseArguments(args);
    if (!parsed.ok) {
        err << "quillpad-cli: " << parsed.error;
        if (parsed.usage) err << " (quillpad-cli --help lists the options)";
        err << '\n';
        return kExitTrouble;
    }
    const Options& options = parsed.options;
    int error = 0;
    if (options.help || options.version) {
        out << (options.help ? UsageText() : VersionText());
        return Flushed(out, err, error) ? kExitOk : Trouble(err, kCannotWrite, error);
    }
    bool allPassed = true;
    LastAnswer last; // what "ans" stands for
    if (!options.expressions.empty()) {
        for (const std::string& e : options.expressions) {
            allPassed =
                AnswerExpression(ExpressionFromArgument(e), options, out, err, &last) && allPassed;
        }
        if (!Flushed(out, err, error)) return Trouble(err, kCannotWrite, error);
        return allPassed ? kExitOk : kExitRefused;
    }
    std::string line;
    for (;;) {
        if (interactive && !in.Prompts()) out << "> " << std::flush;
        const LineSource::Got got = in.Next(line);
        if (got == LineSource::Got::End) break;
        if (got == LineSource::Got::Failed) {
            // The lines read before are answered; then the reason.
            if (!Flushed(out, err, error)) return Trouble(err, kCannotWrite, error);
            return Trouble(err, "cannot read the input", in.Error());
        }
        if (got == LineSource::Got::Line) {
            if (!line.empty() && line.back() == '\r') line.pop_back();
            allPassed = AnswerExpression(line, options, out, err, &last) && allPassed;
        } else if (got == LineSource::Got::TooLong) {
            OutOfMemory(options, out, err);
            allPassed = false;
        }
        // Answers go out before a read that could wait, so a program feeding
        // lines one by one gets each answer at once, while a file streams
        // through in large writes rather than one write a line.
        if (!in.Buffered() && !Flushed(out, err, error)) return Trouble(err, kCannotWrite, error);
    }
    if (interactive) out << '\n';
    if (!Flushed(out, err, error)) return Trouble(err, kCannotWrite, error);
    return allPassed ? kExitOk : kExitRefused;
}

int RunCli(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
           std::ostream& err, bool interactive) {
    StreamLines lines(in);
    return RunCli(args, lines, out, err, interactive);
}

std::string VersionText() {
    return "quillpad-cli " QUILL_VERSION_TEXT "\n";
}

} // namespace quill::cli
