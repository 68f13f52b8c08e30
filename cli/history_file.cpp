#include "cli/history_file.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <ctime>

#include "cli/history_text.h"

namespace quill::cli {

namespace {

// A history larger than this is no file of ours; it is left alone.
constexpr off_t kMostHistoryBytes = off_t{64} << 20;
// The temporary files' names: the prefix, then mkostemp's six characters.
constexpr const char* kTempPrefix = ".history-";
// How long a save waits for another session's lock.
constexpr int kLockWaitMs = 2000;

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
            return false; // EFBIG past a size limit, as SIGXFSZ is ignored
        }
        done += static_cast<std::size_t>(put);
    }
    return true;
}

// An fd closed when it goes.
class Fd {
  public:
    explicit Fd(int fd) : fd_(fd) {}
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    ~Fd() {
        if (fd_ >= 0) ::close(fd_);
    }
    int Get() const { return fd_; }

  private:
    int fd_;
};

// The file's stat and text, as ReadHistoryFile opens it; false when it is
// there but cannot be taken. `present` false: there is no file.
bool ReadFile(const std::string& path, struct stat& info, std::string& text, bool& present) {
    // O_NOFOLLOW: a link in the file's place is refused; O_NONBLOCK: a FIFO
    // opens at once, and fstat then refuses it.
    const Fd fd(::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
    present = fd.Get() >= 0 || errno != ENOENT;
    if (fd.Get() < 0) return !present;
    return ::fstat(fd.Get(), &info) == 0 && S_ISREG(info.st_mode) &&
           info.st_size <= kMostHistoryBytes && ReadAll(fd.Get(), text);
}

// Ours to write: the owner is this user and has kept the write bit.
bool Writable(const struct stat& info) {
    return info.st_uid == ::geteuid() && (info.st_mode & S_IWUSR) != 0;
}

std::vector<std::string> ShortEntries(std::vector<std::string> entries) {
    std::erase_if(entries, [](const std::string& e) { return e.size() > kMostEntryBytes; });
    return entries;
}

// Removes temporary files of interrupted saves, older than a minute (a
// younger one may be another session's, saving now), from `folder`.
// unlink never follows a link; only regular files and links are taken.
void RemoveStaleTemps(const std::string& folder) {
    DIR* dir = ::opendir(folder.c_str());
    if (!dir) return;
    const std::time_t now = std::time(nullptr);
    while (const dirent* entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        if (name.size() != std::char_traits<char>::length(kTempPrefix) + 6 ||
            name.rfind(kTempPrefix, 0) != 0) {
            continue;
        }
        struct stat info {};
        const std::string path = folder + name;
        if (::lstat(path.c_str(), &info) != 0 || !(S_ISREG(info.st_mode) || S_ISLNK(info.st_mode)))
            continue;
        if (info.st_mtime < now && now - info.st_mtime > 60) ::unlink(path.c_str());
    }
    ::closedir(dir);
}

// Takes the lock file beside the history, waiting a little for another
// session; -1 when it could not be had.
int TakeLock(const std::string& path) {
    const int fd = ::open((path + ".lock").c_str(),
                          O_RDWR | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC | O_NOCTTY, 0600);
    if (fd < 0) return -1;
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return -1;
    }
    for (int waited = 0; waited <= kLockWaitMs; waited += 5) {
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0) return fd;
        if (errno != EWOULDBLOCK && errno != EINTR) break;
        ::usleep(5000);
    }
    ::close(fd);
    return -1;
}

// Holds back the signals that end a session while a temporary file exists,
// so none is left behind; they arrive once it is renamed or removed.
class HeldSignals {
  public:
    HeldSignals() {
        sigset_t held;
        sigemptyset(&held);
        for (const int signal : {SIGTERM, SIGHUP, SIGINT, SIGQUIT})
            sigaddset(&held, signal);
        ::sigprocmask(SIG_BLOCK, &held, &previous_);
    }
    HeldSignals(const HeldSignals&) = delete;
    HeldSignals& operator=(const HeldSignals&) = delete;
    ~HeldSignals() { ::sigprocmask(SIG_SETMASK, &previous_, nullptr); }

  private:
    sigset_t previous_{};
};

// Writes `text` to a new file beside `path` with `mode` and renames it over
// `path`; on a failure the old file stays as it was.
bool ReplaceFile(const std::string& path, const std::string& text, mode_t mode) {
    std::string temp = path.substr(0, path.rfind('/') + 1) + kTempPrefix + "XXXXXX";
    const HeldSignals held;
    const int fd = ::mkostemp(temp.data(), O_CLOEXEC); // 0600, a name of its own
    if (fd < 0) return false;
    bool ok = ::fchmod(fd, mode) == 0 && WriteAll(fd, text) && ::fsync(fd) == 0;
    ok = ::close(fd) == 0 && ok;
    ok = ok && ::rename(temp.c_str(), path.c_str()) == 0;
    if (!ok) ::unlink(temp.c_str());
    return ok;
}

} // namespace

std::optional<HistoryRead> ReadHistoryFile(const std::string& path) {
    struct stat info {};
    std::string text;
    bool present = false;
    if (!ReadFile(path, info, text, present)) return std::nullopt;
    HistoryRead read;
    read.entries = ShortEntries(ParseHistory(text));
    read.writable = !present || Writable(info);
    return read;
}

Saved AddToHistoryFile(const std::string& path, const std::vector<std::string>& lines,
                       std::size_t keep) {
    const std::size_t slash = path.rfind('/');
    if (path.empty() || slash == std::string::npos) return Saved::Refused;
    MakeParents(path);
    const int lock = TakeLock(path);
    if (lock < 0) return Saved::Busy;
    const Fd held(lock);
    RemoveStaleTemps(path.substr(0, slash + 1));
    struct stat info {};
    std::string text;
    bool present = false;
    if (!ReadFile(path, info, text, present)) return Saved::Refused;
    if (present && !Writable(info)) return Saved::Refused;
    std::vector<std::string> entries = ShortEntries(ParseHistory(text));
    for (const std::string& line : lines) {
        if (line.size() <= kMostEntryBytes) entries = WithEntry(std::move(entries), line, keep);
    }
    const mode_t mode = present ? info.st_mode & 07777 : 0600;
    return ReplaceFile(path, FormatHistory(entries), mode) ? Saved::Done : Saved::Failed;
}

} // namespace quill::cli
