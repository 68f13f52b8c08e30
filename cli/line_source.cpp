#include "cli/line_source.h"

#include <cerrno>
#include <cstring>
#include <limits>
#include <new>

#ifdef _WIN32
#include <io.h>
#define QUILL_READ _read
#else
#include <poll.h>
#include <unistd.h>
#define QUILL_READ ::read
#endif

namespace quill::cli {

LineSource::Got StreamLines::Next(std::string& line) {
    try {
        if (!std::getline(in_, line)) return in_.bad() ? Got::Failed : Got::End;
    } catch (const std::bad_alloc&) {
        line.clear();
        in_.ignore(std::numeric_limits<std::streamsize>::max(), '\n');
        return Got::TooLong;
    }
    return Got::Line;
}

bool StreamLines::Buffered() const {
    return in_.rdbuf() != nullptr && in_.rdbuf()->in_avail() > 0;
}

bool FdLines::Fill() {
    for (;;) {
        const auto got = QUILL_READ(fd_, buffer_.data(), static_cast<unsigned>(buffer_.size()));
        if (got > 0) {
            begin_ = 0;
            end_ = static_cast<std::size_t>(got);
            return true;
        }
        if (got == 0) return false;
        if (errno == EINTR) continue;
#ifndef _WIN32
        // Input left non-blocking by a parent: wait for it as a blocking
        // read would.
        if (errno == EAGAIN || errno == EWOULDBLOCK) {
            pollfd ready{fd_, POLLIN, 0};
            if (::poll(&ready, 1, -1) >= 0 || errno == EINTR) continue;
        }
#endif
        error_ = errno;
        return false;
    }
}

LineSource::Got FdLines::Next(std::string& line) {
    line.clear();
    bool any = false;
    bool tooLong = false;
    for (;;) {
        if (begin_ == end_ && !Fill()) {
            if (error_ != 0) return Got::Failed;
            if (!any) return Got::End;
            break; // a last line without a line break
        }
        any = true;
        const char* start = buffer_.data() + begin_;
        const auto* newline = static_cast<const char*>(std::memchr(start, '\n', end_ - begin_));
        const std::size_t take =
            newline ? static_cast<std::size_t>(newline - start) : end_ - begin_;
        if (!tooLong) {
            try {
                line.append(start, take);
            } catch (const std::bad_alloc&) {
                std::string().swap(line); // give the memory back; skip to the line's end
                tooLong = true;
            }
        }
        begin_ += take;
        if (newline) {
            ++begin_;
            break;
        }
    }
    return tooLong ? Got::TooLong : Got::Line;
}

} // namespace quill::cli
