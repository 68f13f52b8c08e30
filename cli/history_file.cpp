#include "cli/history_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

#include "cli/history_text.h"

namespace quill::cli {

namespace {

// A history larger than this is no file of ours; it is left alone.
constexpr off_t kMostHistoryBytes = off_t{64} << 20;

// Makes every folder above `path` (0700, as a state folder is).
void MakeParents(const std::string& path) {
    for (std::size_t slash = path.find('/', 1); slash != std::string::npos;
         slash = path.find('/', slash + 1)) {
        ::mkdir(path.substr(0, slash).c_str(), 0700);
    }
}

bool ReadAll(int fd, std::string& text) {
    char block[1 << 16];
    for (;;) {
        const ssize_t got = ::read(fd, block, sizeof block);
        if (got == 0) return true;
        if (got < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        text.append(block, static_cast<std::size_t>(got));
        if (static_cast<off_t>(text.size()) > kMostHistoryBytes) return false;
    }
}

bool WriteAll(int fd, const std::string& text) {
    std::size_t done = 0;
    while (done < text.size()) {
        const ssize_t put = ::write(fd, text.data() + done, text.size() - done);
        if (put < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        done += static_cast<std::size_t>(put);
    }
    return true;
}

} // namespace

std::optional<std::vector<std::string>> ReadHistoryFile(const std::string& path) {
    // O_NOFOLLOW: a link in the file's place is refused; O_NONBLOCK: a FIFO
    // opens at once, and fstat then refuses it.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        if (errno == ENOENT) return std::vector<std::string>{};
        return std::nullopt;
    }
    struct stat info {};
    std::string text;
    const bool ok = ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) &&
                    info.st_size <= kMostHistoryBytes && ReadAll(fd, text);
    ::close(fd);
    if (!ok) return std::nullopt;
    return ParseHistory(text);
}

bool AddToHistoryFile(const std::string& path, const std::string& line, std::size_t keep) {
    const std::size_t slash = path.rfind('/');
    if (path.empty() || slash == std::string::npos) return false;
    MakeParents(path);
    const std::optional<std::vector<std::string>> now = ReadHistoryFile(path);
    if (!now) return false;
    const std::string text = FormatHistory(WithEntry(*now, line, keep));
    std::string temp = path.substr(0, slash + 1) + ".history-XXXXXX";
    const int fd = ::mkostemp(temp.data(), O_CLOEXEC); // 0600, a name of its own
    if (fd < 0) return false;
    bool ok = WriteAll(fd, text) && ::fsync(fd) == 0;
    ok = ::close(fd) == 0 && ok;
    // The rename puts the whole new file in place at once; on a failure the
    // old one stays as it was.
    ok = ok && ::rename(temp.c_str(), path.c_str()) == 0;
    if (!ok) ::unlink(temp.c_str());
    return ok;
}

} // namespace quill::cli
