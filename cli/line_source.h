// Where quillpad-cli's lines come from: a stream (the tests), a file
// descriptor read in large blocks (a pipe or a file), or the line editor (a
// terminal). A source tells the end of the input from a failed read.
#pragma once

#include <cstddef>
#include <istream>
#include <string>
#include <vector>

namespace quill::cli {

class LineSource {
  public:
    enum class Got {
        Line,        // `line` holds the next line, without its line break
        TooLong,     // a line too long for memory; it was skipped
        End,         // no more input
        Failed,      // a read failed; `Error()` says why
        Interrupted, // Ctrl+C: the line being typed was dropped
    };
    virtual ~LineSource() = default;
    virtual Got Next(std::string& line) = 0;
    // True when more input is at hand, so the next read will not wait.
    virtual bool Buffered() const = 0;
    // The errno of a Failed read.
    virtual int Error() const { return 0; }
    // True when the source shows its own prompt (the line editor).
    virtual bool Prompts() const { return false; }
};

// Lines of a std::istream.
class StreamLines : public LineSource {
  public:
    explicit StreamLines(std::istream& in) : in_(in) {}
    Got Next(std::string& line) override;
    bool Buffered() const override;

  private:
    std::istream& in_;
};

// Lines read from a file descriptor in blocks of 64 KiB; EINTR is retried,
// and a descriptor left non-blocking is waited on.
class FdLines : public LineSource {
  public:
    explicit FdLines(int fd) : fd_(fd), buffer_(kBlock) {}
    Got Next(std::string& line) override;
    bool Buffered() const override { return begin_ < end_; }
    int Error() const override { return error_; }

  private:
    static constexpr std::size_t kBlock = 64 * 1024;
    bool Fill(); // false at the end or on a failure (error_ set)

    int fd_;
    std::vector<char> buffer_;
    std::size_t begin_ = 0;
    std::size_t end_ = 0;
    int error_ = 0;
};

} // namespace quill::cli
