#include "cli/settings_file.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <new>
#include <string>
#include <vector>

#include "app/data_file.h"
#include "app/settings.h"

#ifdef _WIN32
#include <io.h>

#include "cli/arguments.h"
// The path is UTF-8 (cli/arguments.h), opened by the wide API.
#define QUILL_OPEN(path) _wopen(WideFromUtf8(path).c_str(), _O_RDONLY | _O_BINARY)
#define QUILL_READ _read
#define QUILL_CLOSE _close
#define QUILL_FSTAT _fstat64
using StatBuffer = struct _stat64;
#else
#include <unistd.h>
// Non-blocking, so a FIFO with no writer does not hold the program up.
#define QUILL_OPEN(path) ::open((path), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY)
#define QUILL_READ ::read
#define QUILL_CLOSE ::close
#define QUILL_FSTAT ::fstat
using StatBuffer = struct stat;
#endif

namespace quill::cli {

namespace {

std::string Reason(const char* what, int error) {
    return std::string(what) + ": " + std::strerror(error);
}

// The file's bytes, up to `limit` (one more shows that it is larger), read
// to its end in one pass; the buffer starts at the size the file claims
// (files of /proc claim none) and at most doubles. False on a failed read,
// with the reason in `why`.
bool ReadUpTo(int fd, std::size_t claimed, std::size_t limit, std::vector<std::uint8_t>& bytes,
              std::string& why) {
    bytes.resize(std::min(limit, std::max<std::size_t>(claimed + 1, 4096)));
    std::size_t have = 0;
    for (;;) {
        if (have == bytes.size()) {
            if (have == limit) break;
            bytes.resize(std::min(limit, 2 * have));
        }
        const auto got =
            QUILL_READ(fd, bytes.data() + have, static_cast<unsigned>(bytes.size() - have));
        if (got == 0) break;
        if (got < 0) {
            if (errno == EINTR) continue;
            why = Reason("cannot read the file", errno);
            return false;
        }
        have += static_cast<std::size_t>(got);
    }
    bytes.resize(have);
    return true;
}

std::string TooLarge() {
    return "larger than " + std::to_string(kMaxDataFileBytes >> 20) +
           " MB, more than a data file holds; left as it is";
}

} // namespace

bool LoadSettingsFile(const std::string& path, EvalSettings& settings, std::string& why) {
    const int fd = QUILL_OPEN(path.c_str());
    if (fd < 0) {
        why = Reason("cannot open the file", errno);
        return false;
    }
    StatBuffer info{};
    bool ok = false;
    std::vector<std::uint8_t> bytes;
    if (QUILL_FSTAT(fd, &info) != 0) {
        why = Reason("cannot read the file", errno);
    } else if ((info.st_mode & S_IFMT) != S_IFREG) {
        why = "not a regular file";
    } else if (info.st_size < 0 || static_cast<std::uint64_t>(info.st_size) > kMaxDataFileBytes) {
        why = TooLarge();
    } else {
        try {
            // The whole file: bytes after the record are ignored, but a
            // counted string may be as long as the file.
            ok = ReadUpTo(fd, static_cast<std::size_t>(info.st_size), kMaxDataFileBytes + 1, bytes,
                          why);
            if (ok && bytes.size() > kMaxDataFileBytes) {
                why = TooLarge();
                ok = false;
            }
        } catch (const std::bad_alloc&) {
            why = "out of memory";
        }
    }
    QUILL_CLOSE(fd);
    if (!ok) return false;
    CalcSettings record;
    if (!SettingsFromBytes(bytes, record)) {
        why = "not a Quillpad data file (it ends before its last field)";
        return false;
    }
    MendLoadedValues(record);
    settings = EvalSettingsOf(record);
    return true;
}

} // namespace quill::cli
