#include "cli/settings_file.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <new>
#include <vector>

#include "app/data_file.h"
#include "app/settings.h"

#ifdef _WIN32
#include <io.h>
#define QUILL_OPEN(path) _open((path), _O_RDONLY | _O_BINARY)
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

// The file's first `limit` bytes (fewer when it is shorter); false on a
// failed read, with the reason in `why`.
bool ReadUpTo(int fd, std::size_t limit, std::vector<std::uint8_t>& bytes, std::string& why) {
    bytes.resize(limit);
    std::size_t have = 0;
    while (have < limit) {
        const auto got = QUILL_READ(fd, bytes.data() + have, static_cast<unsigned>(limit - have));
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
    } else {
        try {
            ok = ReadUpTo(fd, MaxRecordBytes(), bytes, why);
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
