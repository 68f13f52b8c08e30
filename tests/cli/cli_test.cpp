// The command-line calculator's options, output modes and exit statuses.
#include "cli/cli.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <streambuf>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/data_file.h"
#include "cli/arguments.h"
#include "quill_version.h"

#ifndef _WIN32
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <thread>
#endif

namespace quill::cli {
namespace {

struct CliRun {
    int status;
    std::string out;
    std::string err;
};

CliRun RunWith(const std::vector<std::string>& args, const std::string& input = "",
               bool tty = false) {
    std::istringstream in(input);
    std::ostringstream out;
    std::ostringstream err;
    const int status = RunCli(args, in, out, err, tty);
    return {status, out.str(), err.str()};
}

TEST(Cli, DefaultOutput) {
    const struct {
        std::vector<std::string> args;
        int status;
        std::string out;
        std::string err;
    } rows[] = {
        {{"2+3*4"}, kExitOk, "14\n", ""},
        {{"2/3", "1+1"}, kExitOk, "0.666666666667\n2\n", ""},
        {{"--round", "2", "2/3"}, kExitOk, "0.67\n", ""},
        {{"--round=0", "7.4"}, kExitOk, "7\n", ""},
        {{"--format", "hex", "255"}, kExitOk, "0xff\n", ""},
        {{"--format=octal", "8"}, kExitOk, "010\n", ""},
        {{"--format", "exponent", "1234"}, kExitOk, "1.234000e+03\n", ""},
        {{"--degrees", "sin(30)"}, kExitOk, "0.5\n", ""},
        {{"--degrees", "--radians", "sin(0)"}, kExitOk, "0\n", ""},
        {{"SIN(PI/2)"}, kExitOk, "1\n", ""},
        {{"--", "-2^2"}, kExitOk, "-4\n", ""},
        {{"2=3"}, kExitRefused, "", "2=3\n ~\nUnknown symbol '='\n"},
        {{"  *5"}, kExitRefused, "", "  *5\n  ^\nPaste number here\n"},
        {{"5*-2"}, kExitRefused, "", "5*-2\n ~~\nTogether '*-'\n"},
        {{"sin 30"}, kExitRefused, "", "sin 30\n~~~~~~\nUnknown constant\n"},
        {{"(2+3"}, kExitRefused, "", "(2+3\nMissing ')'\n"},
        {{""}, kExitRefused, "", "\nEnter expression\n"},
        {{"\t2+"}, kExitRefused, "", "\t2+\n\t  ^\nPaste number here\n"},
        // Control characters are echoed escaped, the marks under their escapes.
        {{"\x1b]0;x\x07+1"}, kExitRefused, "", "^[]0;x^G+1\n~~\nUnknown symbol '^['\n"},
#ifndef _WIN32
        // Arguments are bytes here; Windows hands over UTF-16, which the ANSI
        // code page turns into characters of its own.
        {{"\x9b\x35+"}, kExitRefused, "", "\\x9b5+\n      ^\nPaste number here\n"},
        {{"\xc2\x9b+"}, kExitRefused, "", "\\u009b+\n       ^\nPaste number here\n"},
        {{"\xc3\xa9\x01"}, kExitRefused, "", "\xc3\xa9^A\n~\nUnknown symbol '\xc3'\n"},
#endif
        {{"1/0+5"}, kExitRefused, "", "Division to the zero!\n"},
        {{"1+1", "x", "2"}, kExitRefused, "2\n2\n", "x\n~\nUnknown constant\n"},
        {{"10^10001", "log(0)", "asin(2)"}, kExitOk, "Infinity\n-Infinity\nNot a number\n", ""},
        // A value that proves no digit is an answer, not a refusal.
        {{"10^1100-1-10^1100"}, kExitOk, "Not enough digits\n", ""},
    };
    for (const auto& row : rows) {
        const CliRun r = RunWith(row.args);
        const std::string what = row.args.back();
        EXPECT_EQ(r.status, row.status) << what;
        EXPECT_EQ(r.out, row.out) << what;
        EXPECT_EQ(r.err, row.err) << what;
    }
}

TEST(Cli, TsvOutput) {
    const struct {
        std::string expression;
        std::string line;
    } rows[] = {
        {"2+2", "ok\t4\n"},
        {"2=3", "error\tUnknown symbol '='\t1\t2\n"},
        {"  *5", "error\tPaste number here   \t2\t2\n"},
        {"sin 30", "error\tUnknown constant\t0\t6\n"},
        {"", "error\tEnter expression    \t0\t0\n"},
        {"5*-2", "error\t Together '*-'  \t1\t3\n"},
        {"2)+(3", "error\tMissing '(' and ')'\t\t\n"},
        {"7/0", "error\tDivision to the zero!\t\t\n"},
        {"2\t3", "error\tUnknown symbol '\\t'\t1\t2\n"},
        {"2\n3", "error\tUnknown symbol '\\n'\t1\t2\n"},
        // Nothing typed can drive the terminal that shows the answers.
        {"\x1b]0;x\x07+1", "error\tUnknown symbol '\\x1b'\t0\t1\n"},
        {"2\x7f", "error\tUnknown symbol '\\x7f'\t1\t2\n"},
    };
    for (const auto& row : rows) {
        const CliRun r = RunWith({"--tsv", row.expression});
        EXPECT_EQ(r.out, row.line) << row.expression;
        EXPECT_EQ(r.err, "");
    }
}

TEST(Cli, StandardInput) {
    const CliRun r = RunWith({"--tsv"}, "1+1\r\n2*\n\n3\n4");
    EXPECT_EQ(r.status, kExitRefused);
    EXPECT_EQ(r.out, "ok\t2\nerror\tPaste number here   \t2\t2\nerror\tEnter expression    "
                     "\t0\t0\nok\t3\nok\t4\n");

    const CliRun clean = RunWith({}, "2^10\n");
    EXPECT_EQ(clean.status, kExitOk);
    EXPECT_EQ(clean.out, "1024\n");

    const CliRun prompt = RunWith({}, "1\n", true);
    EXPECT_EQ(prompt.out, "> 1\n> \n");

    const std::string big = "1" + std::string(300000, '0') + "\n";
    EXPECT_EQ(RunWith({}, big).out, "Infinity\n");
    EXPECT_EQ(RunWith({}, std::string("2\0"
                                      "1\n",
                                      4))
                  .status,
              kExitRefused);
}

// Output that reaches `sink` only when flushed, as a file's buffer does.
class HeldOutput : public std::stringbuf {
  public:
    explicit HeldOutput(std::string& sink) : sink_(sink) {}
    int flushes = 0;

  protected:
    int sync() override {
        sink_ += str();
        str("");
        ++flushes;
        return 0;
    }

  private:
    std::string& sink_;
};

// Output straight into `sink`.
class DirectOutput : public std::streambuf {
  public:
    explicit DirectOutput(std::string& sink) : sink_(sink) {}

  protected:
    int overflow(int c) override {
        if (c != traits_type::eof()) sink_ += static_cast<char>(c);
        return c;
    }

  private:
    std::string& sink_;
};

// Input that hands out one line per read and has nothing more ready, like a
// program that writes a line and waits for the answer; it notes what had
// reached `sink` before each read.
class LineByLine : public std::streambuf {
  public:
    LineByLine(std::vector<std::string> lines, const std::string& sink)
        : lines_(std::move(lines)), sink_(sink) {}
    std::vector<std::string> seen;

  protected:
    int underflow() override {
        if (gptr() < egptr()) return traits_type::to_int_type(*gptr());
        seen.push_back(sink_);
        if (next_ == lines_.size()) return traits_type::eof();
        current_ = lines_[next_++];
        setg(current_.data(), current_.data(), current_.data() + current_.size());
        return traits_type::to_int_type(current_[0]);
    }
    std::streamsize showmanyc() override { return 0; }

  private:
    std::vector<std::string> lines_;
    std::size_t next_ = 0;
    std::string current_;
    const std::string& sink_;
};

// Each expression's "ans" is the answer before it, given as arguments or
// read as lines; a refused one leaves it.
TEST(Cli, AnsIsTheAnswerBefore) {
    const CliRun args = RunWith({"--tsv", "ans", "21", "ans*2", "1/0", "ans+0"});
    EXPECT_EQ(args.status, kExitRefused);
    EXPECT_EQ(args.out, "error\tNo answer yet\t0\t3\nok\t21\nok\t42\n"
                        "error\tDivision to the zero!\t\t\nok\t42\n");
    const CliRun lines = RunWith({"--format", "hex"}, "1/3\nans*3\nans*255\n");
    EXPECT_EQ(lines.out, "0\n0x1\n0xff\n");
}

TEST(Cli, EachAnswerIsOutBeforeTheNextLineIsAwaited) {
    std::string sink;
    HeldOutput held(sink);
    DirectOutput direct(sink);
    std::ostream out(&held);
    std::ostream err(&direct);
    err.tie(&out);
    LineByLine lines({"1+1\n", "1/0\n", "2*\n", "3\n"}, sink);
    std::istream in(&lines);
    EXPECT_EQ(RunCli({}, in, out, err, false), kExitRefused);
    const std::string division = "2\nDivision to the zero!\n";
    const std::string refusal = division + "2*\n  ^\nPaste number here\n";
    EXPECT_EQ(lines.seen,
              (std::vector<std::string>{"", "2\n", division, refusal, refusal + "3\n"}));
    EXPECT_EQ(sink, refusal + "3\n");
}

TEST(Cli, AFileStreamsThroughWithoutAFlushPerLine) {
    std::string sink;
    HeldOutput held(sink);
    std::ostream out(&held);
    std::ostringstream err;
    std::string input;
    for (int i = 0; i < 1000; ++i)
        input += std::to_string(i) + "+1\n";
    std::istringstream in(input);
    EXPECT_EQ(RunCli({}, in, out, err, false), kExitOk);
    EXPECT_LE(held.flushes, 2);
    EXPECT_EQ(sink.substr(0, 6), "1\n2\n3\n");
    EXPECT_EQ(std::count(sink.begin(), sink.end(), '\n'), 1000);
}

TEST(Cli, UsageErrorsAreOneLine) {
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {"--format"},
             {"--format", "roman", "1"},
             {"--round", "10", "1"},
             {"--round=-1", "1"},
             {"--tsv=yes", "1"},
             {"--frobnicate"},
             {"-2^2"},
         }) {
        const CliRun r = RunWith(args);
        EXPECT_EQ(r.status, kExitTrouble) << args.front();
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(r.err.rfind("quillpad-cli: ", 0), 0U) << r.err;
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
    }
    const CliRun help = RunWith({"--help"});
    EXPECT_EQ(help.status, kExitOk);
    EXPECT_NE(help.out.find("--tsv"), std::string::npos);
    const CliRun version = RunWith({"--version"});
    EXPECT_EQ(version.status, kExitOk);
    EXPECT_EQ(version.out, "quillpad-cli " QUILL_VERSION_TEXT "\n");
}

// Output that fails as a full disk does, once `room` bytes have gone.
class FullOutput : public std::streambuf {
  public:
    explicit FullOutput(std::size_t room) : room_(room) {}

  protected:
    int overflow(int c) override {
        if (c == traits_type::eof()) return 0;
        if (room_ == 0) {
            errno = ENOSPC;
            return traits_type::eof();
        }
        --room_;
        return c;
    }

  private:
    std::size_t room_;
};

TEST(Cli, AFailedWriteIsTrouble) {
    for (const std::size_t room : {0, 3}) {
        for (const bool fromInput : {false, true}) {
            FullOutput full(room);
            std::ostream out(&full);
            std::ostringstream err;
            std::istringstream in("1+1\n2+2\n3+3\n");
            const std::vector<std::string> args =
                fromInput ? std::vector<std::string>{} : std::vector<std::string>{"1+1", "2+2"};
            EXPECT_EQ(RunCli(args, in, out, err, false), kExitTrouble);
            EXPECT_EQ(err.str(), "quillpad-cli: cannot write the answers: " +
                                     std::string(std::strerror(ENOSPC)) + "\n");
        }
    }
}

// Lines, then what a source says after them.
class Scripted : public LineSource {
  public:
    Scripted(std::vector<std::string> lines, Got last) : lines_(std::move(lines)), last_(last) {}
    Got Next(std::string& line) override {
        if (next_ == lines_.size()) return last_;
        line = lines_[next_++];
        return line == "<too long>" ? Got::TooLong
               : line == "<ctrl+c>" ? Got::Interrupted
                                    : Got::Line;
    }
    bool Buffered() const override { return false; }
    int Error() const override { return EISDIR; }

  private:
    std::vector<std::string> lines_;
    Got last_;
    std::size_t next_ = 0;
};

TEST(Cli, WhatTheInputSays) {
    using Got = LineSource::Got;
    const struct {
        std::vector<std::string> lines;
        Got last;
        int status;
        std::string out, err;
    } rows[] = {
        {{"1+1", "2*3"},
         Got::Failed,
         kExitTrouble,
         "ok\t2\nok\t6\n",
         "quillpad-cli: cannot read the input: " + std::string(std::strerror(EISDIR)) + "\n"},
        {{"<too long>", "2+2"}, Got::End, kExitRefused, "error\tOut of memory\t\t\nok\t4\n", ""},
        {{"1+", "<ctrl+c>", "2+2"},
         Got::End,
         kExitRefused,
         "error\tPaste number here   \t2\t2\nok\t4\n",
         ""},
        {{"<ctrl+c>", "2+2"}, Got::End, kExitOk, "ok\t4\n", ""},
    };
    for (const auto& row : rows) {
        Scripted in(row.lines, row.last);
        std::ostringstream out;
        std::ostringstream err;
        EXPECT_EQ(RunCli({"--tsv"}, in, out, err, false), row.status) << row.lines[0];
        EXPECT_EQ(out.str(), row.out);
        EXPECT_EQ(err.str(), row.err);
    }
}

// Writes a data file with these settings and returns its path: `cut` bytes
// off its end, then `tail` bytes 0xEE after it, and a reserved text of
// `reserved` bytes.
std::string DataFile(const std::string& name, int round, std::int32_t format, bool degrees,
                     std::size_t cut = 0, std::size_t tail = 0, std::size_t reserved = 0) {
    CalcSettings s;
    SetDefaultSettings(s, {}, {0, 0, 800, 600});
    s.strReserved.assign(reserved, 'r');
    // The window's stored width, which the calculator passes over.
    if (reserved == 0) s.strReserved = "width=612\r\n";
    s.nRound = round;
    s.nFormat = format;
    s.bDegrees = degrees;
    std::vector<std::uint8_t> bytes = SettingsToBytes(s);
    bytes.resize(bytes.size() - cut + tail, 0xEE);
    const std::filesystem::path path = std::filesystem::temp_directory_path() / name;
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    return path.string();
}

TEST(Cli, SettingsFromADataFile) {
    constexpr auto kDecimalNumber = static_cast<std::int32_t>(Format::Decimal); // as stored
    const std::string file = DataFile("quill-cli-test-1.dat", 2, kDecimalNumber, true);
    const std::string odd = DataFile("quill-cli-test-2.dat", 12, 7, false);
    const std::string cut = DataFile("quill-cli-test-3.dat", 2, kDecimalNumber, true, 1);
    const std::string big = DataFile("quill-cli-test-4.dat", 2, kDecimalNumber, true, 0, 1 << 20);
    const std::string longText =
        DataFile("quill-cli-test-5.dat", 3, kDecimalNumber, false, 0, 0, 200'000);
    const std::string huge = DataFile("quill-cli-test-6.dat", 2, kDecimalNumber, true);
    std::filesystem::resize_file(huge, 20u << 20);
    const struct {
        std::vector<std::string> args;
        int status;
        std::string out;
    } rows[] = {
        {{"--settings", file, "sin(30)"}, kExitOk, "0.50\n"},
        {{"--settings=" + file, "--round", "auto", "sin(30)"}, kExitOk, "0.5\n"},
        {{"--round", "5", "--radians", "--settings", file, "sin(30)"}, kExitOk, "0.50\n"},
        {{"--settings", file, "--format", "hex", "255"}, kExitOk, "0xff\n"},
        // Values that no version writes fall back to "Auto" and "Decimal".
        {{"--settings", odd, "2/3"}, kExitOk, "0.666666666667\n"},
        {{"--settings", cut, "1"}, kExitTrouble, ""},
        {{"--settings", file + ".missing", "1"}, kExitTrouble, ""},
        {{"--settings"}, kExitTrouble, ""},
        // Bytes after the record are ignored.
        {{"--settings", big, "1/3"}, kExitOk, "0.33\n"},
        // A whole record is read whatever its strings' lengths.
        {{"--settings", longText, "1/3"}, kExitOk, "0.333\n"},
        // Past the limit: refused, and the file left as it is.
        {{"--settings", huge, "1"}, kExitTrouble, ""},
    };
    for (const auto& row : rows) {
        const CliRun r = RunWith(row.args);
        EXPECT_EQ(r.status, row.status) << row.args[1];
        EXPECT_EQ(r.out, row.out) << row.args[1];
        if (row.status == kExitTrouble) {
            EXPECT_NE(r.err.find("quillpad-cli: "), std::string::npos);
        }
    }
    EXPECT_NE(RunWith({"--settings", cut, "1"}).err.find("cannot read settings from"),
              std::string::npos);
    EXPECT_NE(RunWith({"--settings", huge, "1"}).err.find("larger than 16 MB"), std::string::npos);
    EXPECT_EQ(std::filesystem::file_size(huge), 20u << 20);
    for (const std::string& path : {file, odd, cut, big, longText, huge})
        std::filesystem::remove(path);
}

#ifndef _WIN32
// What is no settings file is refused at once, in one line, whatever it is.
TEST(Cli, SettingsOnlyFromARegularFile) {
    const std::filesystem::path fifo = std::filesystem::temp_directory_path() / "quill-cli-fifo";
    std::filesystem::remove(fifo);
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const struct {
        std::string path;
        std::string why;
    } rows[] = {
        {"/", "not a regular file"},
        {"/dev/zero", "not a regular file"},
        {"/dev/urandom", "not a regular file"},
        {fifo.string(), "not a regular file"},
        {"/proc/self/mem", "cannot read the file: "},
    };
    for (const auto& row : rows) {
        const CliRun r = RunWith({"--settings", row.path, "1"});
        EXPECT_EQ(r.status, kExitTrouble) << row.path;
        EXPECT_EQ(r.err.rfind(
                      "quillpad-cli: cannot read settings from '" + row.path + "': " + row.why, 0),
                  0U)
            << r.err;
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
    }
    std::filesystem::remove(fifo);
}

// Input that a parent left non-blocking is waited on, as a blocking read.
TEST(Cli, NonBlockingInputIsWaitedOn) {
    int ends[2];
    ASSERT_EQ(::pipe(ends), 0);
    ASSERT_EQ(::fcntl(ends[0], F_SETFL, ::fcntl(ends[0], F_GETFL) | O_NONBLOCK), 0);
    std::thread writer([w = ends[1]] {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        EXPECT_EQ(::write(w, "1+2\n2*", 6), 6);
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        ::close(w);
    });
    FdLines lines(ends[0]);
    std::ostringstream out;
    std::ostringstream err;
    EXPECT_EQ(RunCli({"--tsv"}, lines, out, err, false), kExitRefused);
    writer.join();
    ::close(ends[0]);
    EXPECT_EQ(out.str(), "ok\t3\nerror\tPaste number here   \t2\t2\n");
    EXPECT_EQ(err.str(), "");
}
#endif

#ifdef _WIN32
// A lone surrogate in an argument is refused, not turned into another
// character (and a path into another file's).
TEST(Cli, ArgumentsThatAreNoUtf16AreRefused) {
    const struct {
        const wchar_t* argument;
        bool valid;
    } rows[] = {
        {L"a.dat", true},   {L"\u041a\U0001F600", true}, {L"a\xD800.dat", false},
        {L"\xDC00", false}, {L"x\xD800", false},         {L"\xD800\xD800\xDC00", false},
    };
    for (const auto& row : rows) {
        wchar_t program[] = L"quillpad-cli";
        std::wstring copy = row.argument;
        wchar_t* argv[] = {program, copy.data()};
        int bad = 0;
        const auto args = ArgumentsFromWide(2, argv, bad);
        EXPECT_EQ(args.has_value(), row.valid) << static_cast<int>(copy[1]);
        EXPECT_EQ(bad, row.valid ? 0 : 1);
    }
}
#endif

} // namespace
} // namespace quill::cli
